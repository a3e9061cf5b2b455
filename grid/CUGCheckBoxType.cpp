#include "grid/CUGCheckBoxType.h"

#include <algorithm>

#include "grid/CUGCtrl.h"

namespace {
constexpr GUID kCheckBoxGuid = {
    0x6c1a7f30, 0x2b4e, 0x4d8a, {0x9e, 0x11, 0x5a, 0x3c, 0x70, 0x42, 0xd1, 0x03}};
constexpr COLORREF kLightColor = RGB(0xE1, 0xE1, 0xE1);
constexpr int kMinBox = 6;
} // namespace

CUGCheckBoxType::CUGCheckBoxType() {
    usesEditor_ = 0;
    canOverflow_ = 0;
    HandleSystemColorChange();
}

LPCTSTR CUGCheckBoxType::GetName() {
    return L"Standard CheckBox Type";
}

const GUID* CUGCheckBoxType::GetTypeGuid() {
    return &kCheckBoxGuid;
}

int CUGCheckBoxType::HandleSystemColorChange() {
    shadowPen_.DeleteObject();
    lightPen_.DeleteObject();
    facePen_.DeleteObject();
    shadowPen_.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    lightPen_.CreatePen(PS_SOLID, 1, kLightColor);
    facePen_.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    return 0;
}

CRect CUGCheckBoxType::BoxRect(const RECT& cell) {
    int height = cell.bottom - cell.top;
    int size = std::min(height - 6, 12);
    int left = cell.left + 3, top = cell.top + (height - size) / 2;
    return CRect(left, top, left + size, top + size);
}

int CUGCheckBoxType::HandleLeftButton(int col, long row, int updn, RECT* rect, POINT* point) {
    if (updn || !frame_)
        return 0;
    CRect box = BoxRect(*rect);
    // The box's bounds count as inside.
    if (point->x < box.left || point->x > box.right || point->y < box.top || point->y > box.bottom)
        return 0;
    frame_->GetCell(col, row, &workCell_);
    if (workCell_.GetReadOnly())
        return 0;
    int value = workCell_.GetNumber() != 0.0 ? 0 : 1;
    workCell_.SetNumber(value);
    frame_->SetCell(col, row, &workCell_);
    frame_->RepaintCell(col, row);
    frame_->OnCellTypeEvent(typeIndex_, col, row, UGCT_CHECKBOXSET, value);
    return 1;
}

int CUGCheckBoxType::HandleDoubleClick(int, long, RECT*, POINT*) {
    return 0;
}

int CUGCheckBoxType::HandleChar(int, long, UINT* ch) {
    if (*ch != L' ' || !frame_)
        return 0;
    int col = frame_->GetCurrentCol();
    long row = frame_->GetCurrentRow();
    frame_->FetchCellInto(col, row, &workCell_);
    if (workCell_.GetReadOnly())
        return 0;
    int value = workCell_.GetBool() ? 0 : 1;
    workCell_.SetNumber(value);
    frame_->SetCell(col, row, &workCell_);
    frame_->RepaintCell(col, row);
    frame_->OnCellTypeEvent(typeIndex_, col, row, UGCT_CHECKBOXSET, value);
    return 1;
}

void CUGCheckBoxType::DrawMark(CDC* dc, const CRect& box, bool tick) {
    const CRect in(box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
    const int weight = box.Width() > 9 ? 2 : 1;
    const COLORREF black = RGB(0, 0, 0);
    if (tick) {
        // The desktop's check mark: a short stroke down to the low point, a long one up,
        // each column `weight` + 1 pixels tall; 7 columns at most (tops 2 3 4 3 2 1 0).
        int width = std::min(7, std::min(in.Width(), in.Height()));
        int low = width / 3;
        int height = weight + 1;
        int x0 = box.left + (box.Width() - width) / 2;
        int y0 = box.top + (box.Height() - (width - 1 - low + height)) / 2;
        for (int i = 0; i < width; ++i) {
            int top = i <= low ? width - 1 - 2 * low + i : width - 1 - i;
            dc->FillSolidRect(x0 + i, y0 + top, 1, height, black);
        }
        return;
    }
    // A cross from corner to corner.
    int n = std::min(in.Width(), in.Height());
    for (int i = 0; i < n; ++i) {
        dc->FillSolidRect(in.left + i, in.top + i, weight, 1, black);
        dc->FillSolidRect(in.right - weight - i, in.top + i, weight, 1, black);
    }
}

void CUGCheckBoxType::DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell,
                               int selectMark, int current) {
    CRect inner;
    DrawBorder(dc, rect, &inner, cell);
    COLORREF textColor, backColor;
    CellColors(cell, selectMark, current, &textColor, &backColor);
    dc->FillSolidRect(&inner, backColor);

    CRect box = BoxRect(*rect);
    int style = cell->HasProperty(CELLPROP_CELLTYPESTYLE) ? cell->GetCellTypeStyle() : 0;
    if (box.Width() >= kMinBox) {
        dc->FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
        if (style & (UGCT_CHECKBOX3DRECESS | UGCT_CHECKBOX3DRAISED)) {
            // Two lines on each side, like the desktop's own check box.
            bool sunken = style & UGCT_CHECKBOX3DRECESS;
            COLORREF outerTL = sunken ? GetSysColor(COLOR_BTNSHADOW) : kLightColor;
            COLORREF outerBR = sunken ? GetSysColor(COLOR_BTNHIGHLIGHT) : RGB(0, 0, 0);
            COLORREF innerTL = sunken ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNHIGHLIGHT);
            COLORREF innerBR = sunken ? kLightColor : GetSysColor(COLOR_BTNSHADOW);
            dc->Draw3dRect(&box, outerTL, outerBR);
            CRect in = box;
            in.DeflateRect(1, 1);
            dc->Draw3dRect(&in, innerTL, innerBR);
        } else {
            dc->Draw3dRect(&box, RGB(0, 0, 0), RGB(0, 0, 0));
        }
        if (cell->GetNumber() > 0.0)
            DrawMark(dc, box, style & UGCT_CHECKBOXCHECKMARK);
    }

    // The caption right of the box.
    CRect caption = inner;
    caption.left = box.right + 1;
    if (caption.left < caption.right) {
        int oldDrawLabel = drawLabel_;
        drawLabel_ = 1;
        DrawCellText(dc, &caption, 0, col, row, cell, selectMark, current);
        drawLabel_ = oldDrawLabel;
    }
}
