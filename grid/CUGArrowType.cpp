#include "grid/CUGArrowType.h"

#include <algorithm>

#include "grid/CUGCell.h"

namespace {
constexpr GUID kArrowGuid = {
    0x6c1a7f30, 0x2b4e, 0x4d8a, {0x9e, 0x11, 0x5a, 0x3c, 0x70, 0x42, 0xd1, 0x04}};
} // namespace

CUGArrowType::CUGArrowType() {
    usesEditor_ = 0;
    canOverflow_ = 0;
}

LPCTSTR CUGArrowType::GetName() {
    return L"Arrow";
}

const GUID* CUGArrowType::GetTypeGuid() {
    return &kArrowGuid;
}

void CUGArrowType::DrawCell(CDC* dc, RECT* rect, int, long, CUGCell* cell, int selectMark,
                            int current) {
    CRect inner;
    DrawBorder(dc, rect, &inner, cell);
    COLORREF textColor, backColor;
    CellColors(cell, selectMark, current, &textColor, &backColor);
    dc->FillSolidRect(&inner, backColor);
    int style = cell->HasProperty(CELLPROP_CELLTYPESTYLE) ? cell->GetCellTypeStyle() : 0;
    // Columns one pixel taller each step, as the desktop's scroll arrows are drawn.
    int size = std::max(2, (std::min(inner.Width(), inner.Height()) - 4) / 3);
    int cx = inner.left + inner.Width() / 2, cy = inner.top + inner.Height() / 2;
    for (int i = 0; i < size; ++i) {
        int x = (style & UGCT_ARROWLEFT) ? cx - size / 2 + i : cx + size / 2 - i;
        dc->FillSolidRect(x, cy - i, 1, 2 * i + 1, textColor);
    }
}
