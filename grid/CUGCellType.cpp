#include "grid/CUGCellType.h"

#include <algorithm>

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"

namespace {
constexpr GUID kNormalTypeGuid = {
    0x6c1a7f30, 0x2b4e, 0x4d8a, {0x9e, 0x11, 0x5a, 0x3c, 0x70, 0x42, 0xd1, 0x01}};
} // namespace

CUGCellType::CUGCellType() = default;
CUGCellType::~CUGCellType() = default;

LPCTSTR CUGCellType::GetName() {
    return L"Normal Cell Type (default)";
}

const GUID* CUGCellType::GetTypeGuid() {
    return &kNormalTypeGuid;
}

int CUGCellType::AdjustEditRect(RECT*) {
    return 0;
}
int CUGCellType::ReservedQueryA(int, long) {
    return -1;
}
int CUGCellType::ReservedQueryB(int, void*) {
    return -1;
}
int CUGCellType::HandleSystemColorChange() {
    return 0;
}
int CUGCellType::HandleLeftButton(int, long, int, RECT*, POINT*) {
    return 0;
}
int CUGCellType::HandleRightButton(int, long, int, RECT*, POINT*) {
    return 0;
}
int CUGCellType::HandleDoubleClick(int, long, RECT*, POINT*) {
    return 0;
}
int CUGCellType::HandleKeyDown(int, long, UINT*) {
    return 0;
}
int CUGCellType::HandleChar(int, long, UINT*) {
    return 0;
}
int CUGCellType::HandleMouseMove(int, long, POINT*, UINT) {
    return 0;
}
void CUGCellType::HandleCellEnter(int, long, CUGCell*) {}
void CUGCellType::HandleCellLeave(int, long, CUGCell*) {}

int CUGCellType::TextMargin() const {
    return frame_ ? frame_->gridInfo->textMargin : 4;
}

void CUGCellType::CellColors(CUGCell* cell, int selectMark, int current, COLORREF* text,
                             COLORREF* back) const {
    int mode = frame_ ? frame_->gridInfo->currentCellMode : 1;
    if (selectMark == 0 && !(current && (mode & 2))) {
        *text = cell->GetTextColor();
        *back = cell->GetBackColor();
    } else {
        *text = cell->GetHighlightTextColor();
        *back = cell->GetHighlightBackColor();
    }
}

void CUGCellType::DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selectMark,
                           int current) {
    CRect inner;
    bool overflow = frame_ && frame_->gridInfo->enableCellOverflow;
    if (overflow && CanOverflowCell(cell) && cell->GetTextLength() == 0) {
        int sourceCol = 0;
        CUGCell source;
        int offset = FindOverflowSource(dc, col, row, &sourceCol, &source);
        if (offset != 0) {
            DrawBorder(dc, rect, &inner, cell);
            DrawCellText(dc, &inner, offset, sourceCol, row, &source, selectMark, current);
            return;
        }
    }
    DrawBorder(dc, rect, &inner, cell);
    DrawCellText(dc, &inner, 0, col, row, cell, selectMark, current);
}

int CUGCellType::CanOverflowCell(CUGCell* cell) {
    if (cell->HasProperty(CELLPROP_ALIGNMENT))
        return (cell->GetAlignment() & UG_ALIGNLEFT) ? canOverflow_ : 0;
    if (cell->HasProperty(CELLPROP_CELLTYPESTYLE | CELLPROP_SPAN))
        return 0;
    return canOverflow_;
}

int CUGCellType::FindOverflowSource(CDC* dc, int col, long row, int* sourceCol,
                                    CUGCell* sourceCell) {
    if (!frame_ || col <= 0 || row < 0)
        return 0;
    CUGDataSource* source = frame_->GetColumnDataSource(col);
    if (!source)
        return 0;
    int dataCol = frame_->GetColumnDataColumn(col);
    if (source->FindPrevNonEmptyCol(&dataCol, row) != 0)
        return 0;
    int from = frame_->GridColumnOfDataColumn(dataCol);
    if (from < 0 || from >= col)
        return 0;
    frame_->GetCell(from, row, sourceCell);
    CFont* oldFont = nullptr;
    if (CFont* font = sourceCell->GetFont())
        oldFont = dc->SelectObject(font);
    int needed = dc->GetTextExtent(CString(sourceCell->GetText())).cx + TextMargin();
    if (oldFont)
        dc->SelectObject(oldFont);
    if (needed <= frame_->GetColumnWidth(from))
        return 0;
    if (!frame_->CellTypeOf(*sourceCell)->CanOverflowCell(sourceCell))
        return 0;
    int sum = 0;
    for (int c = from; c < col; ++c) {
        sum += frame_->GetColumnWidth(c);
        if (sum > needed)
            return 0;
    }
    *sourceCol = from;
    drawScale_ = 1.0;
    return -sum;
}

void CUGCellType::DrawBorder(CDC* dc, RECT* rect, RECT* inner, CUGCell* cell) {
    *inner = *rect;
    CUGGridInfo* info = frame_ ? frame_->gridInfo : nullptr;
    bool gridLines = info && info->gridLines;
    if (!cell->HasProperty(CELLPROP_BORDER) && !gridLines)
        return;
    int border = cell->HasProperty(CELLPROP_BORDER) ? cell->GetBorder() : 0;
    if (border & (UG_BDR_RECESSED | UG_BDR_RAISED))
        gridLines = false;
    CPen* gridPen = info ? info->gridLinePen.get() : nullptr;
    CPen* pen = cell->GetBorderPen() ? cell->GetBorderPen() : gridPen;
    CPen* oldPen = dc->SelectObject(pen ? pen : static_cast<CPen*>(GetStockObject(BLACK_PEN)));
    const CRect r(*rect);

    // Lines of one to three pixels on each side, each moving the inner edge in.
    auto lines = [&](int thin, int medium, int thick) {
        return (border & thick) ? 3 : (border & medium) ? 2 : (border & thin) ? 1 : 0;
    };
    int left = lines(UG_BDR_LTHIN, UG_BDR_LMEDIUM, UG_BDR_LTHICK);
    int top = lines(UG_BDR_TTHIN, UG_BDR_TMEDIUM, UG_BDR_TTHICK);
    int right = lines(UG_BDR_RTHIN, UG_BDR_RMEDIUM, UG_BDR_RTHICK);
    int bottom = lines(UG_BDR_BTHIN, UG_BDR_BMEDIUM, UG_BDR_BTHICK);
    for (int i = 0; i < left; ++i) {
        dc->MoveTo(r.left + i, r.top);
        dc->LineTo(r.left + i, r.bottom);
    }
    for (int i = 0; i < top; ++i) {
        dc->MoveTo(r.left, r.top + i);
        dc->LineTo(r.right, r.top + i);
    }
    for (int i = 0; i < right; ++i) {
        dc->MoveTo(r.right - 1 - i, r.top);
        dc->LineTo(r.right - 1 - i, r.bottom);
    }
    for (int i = 0; i < bottom; ++i) {
        dc->MoveTo(r.left, r.bottom - 1 - i);
        dc->LineTo(r.right, r.bottom - 1 - i);
    }
    // Grid lines stand in for a missing right or bottom border.
    if (gridLines && gridPen && (right == 0 || bottom == 0)) {
        dc->SelectObject(gridPen);
        if (right == 0) {
            dc->MoveTo(r.right - 1, r.top);
            dc->LineTo(r.right - 1, r.bottom);
            right = 1;
        }
        if (bottom == 0) {
            dc->MoveTo(r.left, r.bottom - 1);
            dc->LineTo(r.right, r.bottom - 1);
            bottom = 1;
        }
    }
    inner->left += left;
    inner->top += top;
    inner->right -= right;
    inner->bottom -= bottom;

    if (border & (UG_BDR_RECESSED | UG_BDR_RAISED)) {
        // A 3D frame: shadow above and left, light below and right when sunken; swapped
        // when raised.
        int thickness = info ? info->threeDBorderWidth : 1;
        CPen* dark = frame_ ? &frame_->shadowPen : nullptr;
        CPen* light = frame_ ? &frame_->highlightPen : nullptr;
        if (border & UG_BDR_RAISED)
            std::swap(dark, light);
        for (int i = 0; i < thickness; ++i) {
            if (dark)
                dc->SelectObject(dark);
            dc->MoveTo(r.left + i, r.bottom - i - 1);
            dc->LineTo(r.left + i, r.top + i);
            dc->LineTo(r.right - i - 1, r.top + i);
            if (light)
                dc->SelectObject(light);
            dc->MoveTo(r.right - i - 1, r.top + i);
            dc->LineTo(r.right - i - 1, r.bottom - i - 1);
            dc->LineTo(r.left + i, r.bottom - i - 1);
        }
        *inner = r;
        InflateRect(inner, -thickness, -thickness);
    }
    dc->SelectObject(oldPen);
}

int CUGCellType::DrawPicture(CDC* dc, CBitmap* bitmap, RECT* rect, COLORREF backColor) {
    const int margin = 2;
    CRect r(*rect);
    int spaceW = r.Width() - 2 * margin, spaceH = r.Height() - 2 * margin;
    BITMAP info{};
    if (!bitmap || !bitmap->GetBitmap(&info) || info.bmWidth <= 0 || info.bmHeight <= 0 ||
        spaceW <= 0 || spaceH <= 0)
        return 0;
    // Proportions as whole percentages: a picture taller than the space fills its height.
    int pictureRatio = info.bmHeight * 100 / info.bmWidth;
    int spaceRatio = spaceH * 100 / spaceW;
    int width, height, gapX = margin, gapY = margin;
    if (pictureRatio >= spaceRatio) {
        height = spaceH;
        width = info.bmWidth * spaceH / info.bmHeight;
    } else {
        width = spaceW;
        height = info.bmHeight * spaceW / info.bmWidth;
        gapY = margin + (spaceH - height) / 2;
    }
    CRect strip(r.left, r.top, r.left + width + 2 * gapX, r.bottom);
    dc->FillSolidRect(&strip, backColor);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(bitmap);
    dc->SetStretchBltMode(COLORONCOLOR);
    dc->StretchBlt(r.left + gapX, r.top + gapY, width, height, &memory, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    memory.SelectObject(old);
    return width + 2 * gapX;
}

void CUGCellType::DrawCellText(CDC* dc, RECT* rect, int xOffset, int, long, CUGCell* cell,
                               int selectMark, int current) {
    int style = cell->HasProperty(CELLPROP_CELLTYPESTYLE) ? cell->GetCellTypeStyle() : 0;
    CString text;
    if (drawLabel_ || style == UGCT_NORMALLABELTEXT)
        cell->GetLabel(&text);
    else
        cell->GetText(&text);

    CFont* oldFont = nullptr;
    if (CFont* font = cell->GetFont())
        oldFont = dc->SelectObject(font);
    COLORREF textColor, backColor;
    CellColors(cell, selectMark, current, &textColor, &backColor);
    dc->SetTextColor(textColor);
    dc->SetBkColor(backColor);

    CRect r(*rect);
    if (CBitmap* bitmap = cell->GetBitmap())
        r.left += DrawPicture(dc, bitmap, &r, backColor);

    const int margin = TextMargin();
    const CSize size = dc->GetTextExtent(text);
    const int align = cell->GetAlignment();
    int x;
    if (align & UG_ALIGNCENTER)
        x = (r.Width() - size.cx) / 2 + r.left;
    else if (align & UG_ALIGNRIGHT)
        x = r.right - size.cx - margin;
    else
        x = r.left + margin + xOffset;
    int y;
    if (align & UG_ALIGNVCENTER)
        y = (r.Height() - size.cy) / 2 + r.top;
    else if (align & UG_ALIGNBOTTOM)
        y = r.bottom - size.cy - 1;
    else
        y = r.top + 1;
    if (xOffset < 0)
        r.left -= 1;

    if (style & UGCT_NORMALMULTILINE) {
        dc->ExtTextOut(r.left, r.top, ETO_OPAQUE, &r, L"", 0);
        CRect box = r;
        UINT format = DT_WORDBREAK | DT_NOPREFIX;
        if (align & UG_ALIGNCENTER) {
            format |= DT_CENTER;
        } else if (align & UG_ALIGNRIGHT) {
            format |= DT_RIGHT;
            box.right -= margin + xOffset;
        } else {
            box.left += margin + xOffset;
        }
        dc->DrawText(text, &box, format);
    } else if ((style & UGCT_NORMALELLIPSIS) && size.cx + 6 > r.Width()) {
        const CRect whole = r;
        const int dots = dc->GetTextExtent(CString(L"...")).cx;
        r.right -= dots + 3;
        if (r.right > r.left)
            dc->ExtTextOut(r.left + 3, y, ETO_OPAQUE | ETO_CLIPPED, &r, text);
        CRect strip(std::max<int>(r.right, whole.left + 1), whole.top, whole.right, whole.bottom);
        dc->ExtTextOut(strip.left + 1, y, ETO_OPAQUE | ETO_CLIPPED, &strip, CString(L"..."));
    } else {
        dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, &r, text);
    }
    if (oldFont)
        dc->SelectObject(oldFont);
}

void CUGCellType::DrawCellScaled(CDC* dc, RECT* rect, int col, long row, CUGCell* cell) {
    if (!frame_)
        return;
    int normal = row >= 0 ? frame_->GetRowHeight(row)
                          : frame_->gridInfo->GetTopHdgRowHeight(static_cast<int>(row));
    int height = rect->bottom - rect->top;
    drawScale_ = normal > 0 ? static_cast<double>(height) / normal : 1.0;
    int origin = 0, colSpan = 0, rowSpan = 0;
    if (cell->GetSpan(&origin, &colSpan, &rowSpan) == 0 && origin == 1 && rowSpan > 0)
        drawScale_ /= rowSpan + 1;
    CFont* base = cell->GetFont() ? cell->GetFont() : frame_->gridInfo->defFont;
    LOGFONT lf{};
    if (base)
        base->GetLogFont(&lf);
    else
        static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT))->GetLogFont(&lf);
    lf.lfHeight = static_cast<LONG>(lf.lfHeight * drawScale_);
    CFont scaled;
    scaled.CreateFontIndirect(&lf);
    CFont* oldFont = dc->SelectObject(&scaled);
    CFont* oldCellFont = cell->GetFont();
    cell->SetFont(&scaled);
    DrawCell(dc, rect, col, row, cell, 0, 0);
    if (oldCellFont)
        cell->SetFont(oldCellFont);
    else
        cell->RemoveProperty(CELLPROP_FONT);
    dc->SelectObject(oldFont);
    drawScale_ = 1.0;
}

void CUGCellType::GetBestSize(CDC* dc, SIZE* size, CUGCell* cell) {
    CFont* font = cell->GetFont();
    if (!font && frame_)
        font = frame_->gridInfo->defFont;
    CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
    CSize extent(3, 3);
    if (cell->GetTextLength() > 0)
        extent = dc->GetTextExtent(CString(cell->GetText()));
    if (oldFont)
        dc->SelectObject(oldFont);
    size->cx = extent.cx + 6;
    size->cy = extent.cy + 2;
}
