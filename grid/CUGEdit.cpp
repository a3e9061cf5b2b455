#include "grid/CUGEdit.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"

namespace {
// Room the measuring leaves for the next characters typed.
constexpr wchar_t kGrowthAllowance[] = L" X X";
} // namespace

CUGEdit::~CUGEdit() {
    if (m_hWnd)
        DestroyWindow();
}

CUGCtrl* CUGEdit::Frame() {
    if (!frame_)
        frame_ = UGFrameOf(this);
    return frame_;
}

int CUGEdit::SetAutoSize(int flag) {
    int previous = autoSize_;
    autoSize_ = flag ? 1 : 0;
    return previous;
}

// Every change of the text, typed or set, may make the window grow.
LRESULT CUGEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    if (m_hWnd && GetWindowText() != shownText_) {
        shownText_ = GetWindowText();
        GrowToText();
    }
    return result;
}

void CUGEdit::OnSetFocus(CWnd* oldWnd) {
    CEdit::OnSetFocus(oldWnd);
    CRect client;
    GetClientRect(&client);
    lineHeight_ = currentHeight_ = client.Height() + 4;
    shownText_ = GetWindowText();
    GrowToText();
    ending_.Clear();
    lastKey_ = 0;
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
}

void CUGEdit::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    CUGCtrl* frame = Frame();
    if (!frame || frame->editCtrl != this)
        return; // not the editor the frame is using
    ending_.FinishOnFocusLoss(frame, this, newWnd, frame->gridInfo->editFocusCheck != 0);
}

void CUGEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    lastKey_ = static_cast<int>(key);
    if (!ending_.EndByKey(Frame(), key, currentHeight_ == lineHeight_))
        CEdit::OnKeyDown(key, repeat, flags);
}

void CUGEdit::OnChar(UINT key, UINT repeat, UINT flags) {
    if (CUGCtrl* frame = Frame()) {
        int col = frame->GetCurrentCol();
        long row = frame->GetCurrentRow();
        if (!frame->gridInfo->defDataSource->OnEditKeyCheck(col, row, this, &key) ||
            !frame->OnEditKeyCheck(col, row, this, &key))
            return;
    }
    if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE)
        return;
    CEdit::OnChar(key, repeat, flags);
}

UINT CUGEdit::OnGetDlgCode() {
    return UGEditorDlgCode(CEdit::OnGetDlgCode());
}

int CUGEdit::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_ACTIVATE;
}

BOOL CUGEdit::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    return TRUE;
}

void CUGEdit::GrowToText() {
    CUGCtrl* frame = Frame();
    CWnd* parent = GetParent();
    if (!autoSize_ || !frame || !parent || !IsWindowVisible())
        return;
    CRect now;
    GetWindowRect(&now);
    parent->ScreenToClient(&now);
    CRect limit;
    parent->GetClientRect(&limit);

    CRect measured = now;
    measured.left += 2;
    {
        CClientDC dc(this);
        CFont* font = GetFont();
        CFont* old = font ? dc.SelectObject(font) : nullptr;
        CString text = GetWindowText() + kGrowthAllowance;
        dc.DrawText(text, &measured, DT_CALCRECT | DT_WORDBREAK);
        if (old)
            dc.SelectObject(old);
    }
    measured.bottom = std::min(measured.bottom, limit.bottom - 1);

    // Whole cells of the cell area; elsewhere (a heading) the parent's edge.
    const bool overCells = parent == static_cast<CWnd*>(frame->grid.get());
    CRect grown = now;
    if (measured.right > now.right) {
        int col;
        long row;
        CRect cell;
        grown.right = limit.right;
        if (overCells &&
            frame->GetCellFromPoint(measured.right + 1, now.top + 1, &col, &row, &cell) == 0)
            grown.right = std::min<LONG>(cell.right, limit.right);
        grown.right -= 1;
    }
    if (measured.bottom > now.bottom) {
        int col;
        long row;
        CRect cell;
        grown.bottom = limit.bottom;
        if (overCells &&
            frame->GetCellFromPoint(now.left + 1, measured.bottom + 1, &col, &row, &cell) == 0)
            grown.bottom = cell.bottom;
        grown.bottom -= 1;
    }
    grown.right = std::max(grown.right, now.right);
    grown.bottom = std::min(std::max(grown.bottom, now.bottom), limit.bottom);
    if (grown == now)
        return;
    MoveWindow(&grown, TRUE);
    currentHeight_ = grown.Height() + 4;
}
