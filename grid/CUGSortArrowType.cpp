#include "grid/CUGSortArrowType.h"

#include "grid/CUGCell.h"

namespace {
constexpr GUID kSortArrowGuid = {
    0x6c1a7f30, 0x2b4e, 0x4d8a, {0x9e, 0x11, 0x5a, 0x3c, 0x70, 0x42, 0xd1, 0x05}};
} // namespace

CUGSortArrowType::CUGSortArrowType() : arrowWidth_(GetSystemMetrics(SM_CXVSCROLL)) {}

LPCTSTR CUGSortArrowType::GetName() {
    return L"Sort Arrow";
}

const GUID* CUGSortArrowType::GetTypeGuid() {
    return &kSortArrowGuid;
}

void CUGSortArrowType::DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell,
                                int selectMark, int current) {
    CRect inner;
    DrawBorder(dc, rect, &inner, cell);
    int style = cell->HasProperty(CELLPROP_CELLTYPESTYLE) ? cell->GetCellTypeStyle() : 0;

    CRect strip(inner.right - arrowWidth_, inner.top, inner.right, inner.bottom);
    if (strip.left < inner.left)
        strip.left = inner.left;
    dc->FillSolidRect(&strip, cell->GetBackColor());

    int height = inner.Height();
    int s = arrowWidth_ / 4;
    if (s >= height)
        s = height - 1;
    int y0 = inner.top + height / 2 - s;
    CPen* white = static_cast<CPen*>(GetStockObject(WHITE_PEN));
    CPen* black = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    CPen* oldPen = dc->SelectObject(white);
    if (style & UGCT_SORTARROWUP) {
        // Lit from above: the base and the right side light, the left side dark.
        dc->MoveTo(strip.left + s, y0 + 2 * s);
        dc->LineTo(strip.right - s, y0 + 2 * s);
        dc->LineTo(strip.left + 2 * s, y0);
        dc->SelectObject(black);
        dc->LineTo(strip.left + s, y0 + 2 * s);
    } else {
        dc->SelectObject(black);
        dc->MoveTo(strip.right - s, y0);
        dc->LineTo(strip.left + s, y0);
        dc->LineTo(strip.left + 2 * s, y0 + 2 * s);
        dc->SelectObject(white);
        dc->LineTo(strip.right - s, y0);
    }
    dc->SelectObject(oldPen);

    CRect text(inner.left, inner.top, strip.left, inner.bottom);
    if (text.right > text.left)
        DrawCellText(dc, &text, 0, col, row, cell, selectMark, current);
}
