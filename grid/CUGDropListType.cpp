#include "grid/CUGDropListType.h"

#include <algorithm>

#include <afxtempl.h>

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGLstBox.h"

namespace {
constexpr GUID kDropListGuid = {
    0x6c1a7f30, 0x2b4e, 0x4d8a, {0x9e, 0x11, 0x5a, 0x3c, 0x70, 0x42, 0xd1, 0x02}};
constexpr int kMaxVisibleItems = 15;
constexpr UINT kListId = 123;
} // namespace

CUGDropListType::CUGDropListType()
    : buttonWidth_(GetSystemMetrics(SM_CXVSCROLL)),
      facePen_(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)), faceBrush_(GetSysColor(COLOR_BTNFACE)) {
    canOverflow_ = 0;
}

CUGDropListType::~CUGDropListType() {
    if (list_ && list_->m_hWnd)
        list_->DestroyWindow();
}

LPCTSTR CUGDropListType::GetName() {
    return L"Standard DropList";
}

const GUID* CUGDropListType::GetTypeGuid() {
    return &kDropListGuid;
}

int CUGDropListType::AdjustEditRect(RECT* rect) {
    rect->right -= buttonWidth_ + 1;
    return 1;
}

bool CUGDropListType::OnButton(const RECT* rect, const POINT* point) const {
    return point->x > rect->right - buttonWidth_;
}

void CUGDropListType::CloseList() {
    listCol_ = -1;
    listRow_ = -1;
    if (list_ && list_->m_hWnd && frame_ && frame_->grid)
        frame_->grid->SetFocus(); // losing the focus closes the list
}

int CUGDropListType::HandleLeftButton(int col, long row, int updn, RECT* rect, POINT* point) {
    if (!updn) {
        buttonPressed_ = 0;
        if (frame_)
            frame_->RepaintCell(col, row);
        return 1;
    }
    if (!OnButton(rect, point)) {
        if (listCol_ == -2)
            listCol_ = listRow_ = -1;
        return 0;
    }
    if ((col == listCol_ && row == listRow_) || listCol_ == -2) {
        // The press that closed the list (or pressed its own button again) leaves it shut.
        CloseList();
        return 0;
    }
    buttonRect_ = CRect(rect->right - buttonWidth_, rect->top, rect->right, rect->bottom);
    buttonPressed_ = 1;
    listCol_ = col;
    listRow_ = row;
    if (frame_)
        frame_->RepaintCell(col, row);
    ShowDropList();
    return 1;
}

int CUGDropListType::HandleDoubleClick(int col, long row, RECT* rect, POINT* point) {
    if (!OnButton(rect, point))
        return 0;
    return HandleLeftButton(col, row, 1, rect, point);
}

int CUGDropListType::HandleKeyDown(int, long, UINT* key) {
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (*key == VK_RETURN || (*key == VK_DOWN && ctrl)) {
        ShowDropList();
        *key = 0;
        return 1;
    }
    return 0;
}

int CUGDropListType::HandleChar(int, long, UINT* ch) {
    return (*ch == 13 || *ch == 40) ? 1 : 0;
}

int CUGDropListType::HandleMouseMove(int col, long row, POINT* point, UINT flags) {
    if (!(flags & MK_LBUTTON))
        return 0;
    int pressed = buttonRect_.PtInRect(*point) ? 1 : 0;
    if (pressed != buttonPressed_) {
        buttonPressed_ = pressed;
        if (frame_)
            frame_->RepaintCell(col, row);
    }
    return 1;
}

void CUGDropListType::HandleCellLeave(int, long, CUGCell*) {
    listCol_ = -1;
    listRow_ = -1;
}

void CUGDropListType::DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell,
                               int selectMark, int current) {
    int style = cell->HasProperty(CELLPROP_CELLTYPESTYLE) ? cell->GetCellTypeStyle() : 0;
    if ((style & UGCT_DROPLISTHIDEBUTTON) && !current) {
        CUGCellType::DrawCell(dc, rect, col, row, cell, selectMark, current);
        return;
    }
    CRect inner;
    DrawBorder(dc, rect, &inner, cell);

    // The button: a raised (or, while pressed, sunken) face with a small black arrow.
    CRect button(std::max<int>(inner.left, inner.right - buttonWidth_), inner.top, inner.right,
                 inner.bottom);
    CUGCell face;
    bool pressed = buttonPressed_ && current;
    face.SetBorder(pressed ? UG_BDR_RECESSED : UG_BDR_RAISED);
    CRect faceInner;
    DrawBorder(dc, &button, &faceInner, &face);
    dc->FillRect(&faceInner, &faceBrush_);
    CPen* oldPen = dc->SelectObject(&facePen_);
    dc->MoveTo(button.left - 1, button.top);
    dc->LineTo(button.left - 1, button.bottom);
    dc->SelectObject(static_cast<CPen*>(GetStockObject(BLACK_PEN)));
    int shift = pressed ? 1 : 0;
    int cx = button.left + button.Width() / 2 + shift;
    int cy = button.top + button.Height() / 2 - 1 + shift;
    for (int i = 0; i < 3; ++i) {
        dc->MoveTo(cx - 2 + i, cy + i);
        dc->LineTo(cx + 3 - i, cy + i);
    }
    dc->SelectObject(oldPen);

    CRect text(inner.left, inner.top, std::max<int>(inner.left, button.left - 1), inner.bottom);
    DrawCellText(dc, &text, 0, col, row, cell, selectMark, current);
}

int CUGDropListType::ShowDropList() {
    if (!frame_ || !frame_->grid || !frame_->grid->m_hWnd)
        return 1;
    if (list_ && list_->m_hWnd)
        return 0;
    listCol_ = frame_->GetCurrentCol();
    listRow_ = frame_->GetCurrentRow();
    CUGCell cell;
    frame_->GetCell(listCol_, listRow_, &cell);

    CArray<CString, const CString&> choices;
    CString label;
    cell.GetLabel(&label);
    for (int start = 0, end; (end = label.Find(L'\n', start)) >= 0; start = end + 1)
        choices.Add(label.Mid(start, end - start));
    frame_->OnCellTypeEvent(typeIndex_, listCol_, listRow_, UGCT_DISPLAYLIST,
                            reinterpret_cast<LONG_PTR>(&choices));

    CFont* font = cell.GetFont() ? cell.GetFont() : frame_->gridInfo->defFont;
    int itemHeight = 12;
    if (font) {
        LOGFONT lf{};
        font->GetLogFont(&lf);
        if (lf.lfHeight != 0)
            itemHeight = std::abs(static_cast<int>(lf.lfHeight));
    }
    int shown = std::min<int>(static_cast<int>(choices.GetSize()), kMaxVisibleItems);
    CRect cellRect;
    frame_->GetCellRect(listCol_, listRow_, &cellRect);
    CRect where(cellRect.left + 10, cellRect.bottom, cellRect.right + 10,
                cellRect.bottom + itemHeight * shown + itemHeight + 2);
    CRect client;
    frame_->grid->GetClientRect(&client);
    if (where.bottom > client.bottom)
        where.OffsetRect(0, -std::min<int>(where.bottom - client.bottom, where.top));
    if (where.right > client.right)
        where.OffsetRect(-std::min<int>(where.right - client.right, where.left), 0);

    list_ = std::make_unique<CUGLstBox>(frame_, &listCol_, &listRow_, typeIndex_);
    if (!list_->Create(WS_CHILD | WS_BORDER | WS_VSCROLL, where, frame_->grid.get(), kListId))
        return 1;
    if (font)
        list_->SetFont(font, FALSE);
    list_->SetItemHeight(0, static_cast<UINT>(itemHeight));
    for (INT_PTR i = 0; i < choices.GetSize(); ++i)
        list_->AddString(choices[i]);
    list_->ShowWindow(SW_SHOW);
    list_->SetFocus();
    buttonPressed_ = 0;
    frame_->RepaintCell(listCol_, listRow_);
    return 0;
}
