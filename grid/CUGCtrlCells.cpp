// Cells through the frame: the layered read, writes through the data sources, the
// single-property setters, default cells, joined cells and cell geometry.

#include "grid/CUGCtrl.h"

#include "grid/CUGCellFormat.h"
#include "grid/CUGDataSource.h"

// ---- where a column's cells live ----

CUGDataSource* CUGCtrl::GetColumnDataSource(int col) const {
    const CUGGridInfo& gi = *gridInfo;
    if (col >= 0 && col < gi.numberCols && gi.colInfo[static_cast<std::size_t>(col)].dataSource)
        return gi.colInfo[static_cast<std::size_t>(col)].dataSource;
    return gi.defDataSource;
}

int CUGCtrl::GetColumnDataColumn(int col) const {
    const CUGGridInfo& gi = *gridInfo;
    if (col >= 0 && col < gi.numberCols)
        return gi.colInfo[static_cast<std::size_t>(col)].dataColumn;
    return col;
}

int CUGCtrl::GridColumnOfDataColumn(int dataCol) const {
    const CUGGridInfo& gi = *gridInfo;
    if (dataCol >= 0 && dataCol < gi.numberCols &&
        gi.colInfo[static_cast<std::size_t>(dataCol)].dataColumn == dataCol)
        return dataCol;
    for (int c = 0; c < gi.numberCols; ++c)
        if (gi.colInfo[static_cast<std::size_t>(c)].dataColumn == dataCol)
            return c;
    return -1;
}

void CUGCtrl::RenumberDataColumns() {
    for (int c = 0; c < gridInfo->numberCols; ++c)
        gridInfo->colInfo[static_cast<std::size_t>(c)].dataColumn = c;
}

// ---- reading and writing ----

int CUGCtrl::GetCell(int col, long row, CUGCell* cell) {
    if (!cell)
        return GRID_ERROR;
    const CUGGridInfo& gi = *gridInfo;
    cell->SetPropertyMask(0);
    bool heading = col < 0 || row < 0;
    if (heading || col >= gi.numberCols)
        cell->ReplaceFrom(*gi.headingDefault);
    else if (const CUGCell* def = gi.colInfo[static_cast<std::size_t>(col)].defaultCell.get())
        cell->ReplaceFrom(*def);
    if (row >= gi.numberRows || col >= gi.numberCols)
        return GRID_SUCCESS;
    if (CUGDataSource* source = GetColumnDataSource(col))
        source->GetCell(GetColumnDataColumn(col), row, cell);
    OnCellFetched(col, row, cell);
    if (cell->HasProperty(CELLPROP_FORMATTER))
        if (CUGCellFormat* formatter = cell->GetFormatter())
            formatter->ApplyFormat(cell);
    if (cell->HasProperty(CELLPROP_STYLECELL))
        if (const CUGCell* style = cell->GetStyleCell())
            cell->MergeFrom(*style);
    return GRID_SUCCESS;
}

int CUGCtrl::FetchCellInto(int col, long row, CUGCell* cell) {
    if (!cell)
        return GRID_ERROR;
    cell->SetPropertyMask(0);
    if (col >= gridInfo->numberCols)
        return GRID_ERROR;
    if (CUGDataSource* source = GetColumnDataSource(col))
        source->GetCell(GetColumnDataColumn(col), row, cell);
    return GRID_SUCCESS;
}

int CUGCtrl::SetCell(int col, long row, CUGCell* cell) {
    if (!cell || col >= gridInfo->numberCols)
        return GRID_ERROR;
    CUGDataSource* source = GetColumnDataSource(col);
    if (!source)
        return GRID_ERROR;
    OnCellStoring(col, row, cell);
    return source->SetCell(GetColumnDataColumn(col), row, cell) == 0 ? GRID_SUCCESS : GRID_ERROR;
}

int CUGCtrl::SetCellRange(int startCol, long startRow, int endCol, long endRow, CUGCell* cell) {
    int failed = 0;
    for (long row = startRow; row <= endRow; ++row)
        for (int col = startCol; col <= endCol; ++col)
            failed += SetCell(col, row, cell) != GRID_SUCCESS;
    return failed;
}

int CUGCtrl::GetCellText(int col, long row, CString* text) {
    if (!text)
        return GRID_ERROR;
    CUGCell cell;
    int result = FetchCellInto(col, row, &cell);
    cell.GetText(text);
    if (!cell.HasProperty(CELLPROP_TEXT))
        text->Empty();
    return result;
}

CString CUGCtrl::GetCellText(int col, long row) {
    CString text;
    GetCellText(col, row, &text);
    return text;
}

// ---- single properties: the stored cell alone, so no default ever reaches the store ----

template <class Change> int CUGCtrl::ChangeStoredCell(int col, long row, Change change) {
    if (FetchCellInto(col, row, &scratchCell) != GRID_SUCCESS)
        return GRID_ERROR;
    change(scratchCell);
    return SetCell(col, row, &scratchCell);
}

int CUGCtrl::SetCellText(int col, long row, LPCTSTR text) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetText(text); });
}
int CUGCtrl::SetCellNumber(int col, long row, double number) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetNumber(number); });
}
int CUGCtrl::SetCellMask(int col, long row, LPCTSTR mask) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetMask(mask); });
}
int CUGCtrl::SetCellLabel(int col, long row, LPCTSTR label) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetLabel(label); });
}
int CUGCtrl::SetCellTextColor(int col, long row, COLORREF color) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetTextColor(color); });
}
int CUGCtrl::SetCellHighlightTextColor(int col, long row, COLORREF color) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetHighlightTextColor(color); });
}
int CUGCtrl::SetCellBackColor(int col, long row, COLORREF color) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetBackColor(color); });
}
int CUGCtrl::SetCellHighlightBackColor(int col, long row, COLORREF color) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetHighlightBackColor(color); });
}
int CUGCtrl::SetCellBitmap(int col, long row, CBitmap* bitmap) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetBitmap(bitmap); });
}
int CUGCtrl::SetCellBitmap(int col, long row, int index) {
    CBitmap* bitmap = GetBitmap(index);
    return bitmap ? SetCellBitmap(col, row, bitmap) : GRID_ERROR;
}
int CUGCtrl::SetCellFont(int col, long row, CFont* font) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetFont(font); });
}
int CUGCtrl::SetCellFont(int col, long row, int index) {
    CFont* font = GetFont(index);
    return font ? SetCellFont(col, row, font) : GRID_ERROR;
}
int CUGCtrl::SetCellAlignment(int col, long row, short alignment) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetAlignment(alignment); });
}
int CUGCtrl::SetCellBorder(int col, long row, short border) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetBorder(border); });
}
int CUGCtrl::SetCellBorderPen(int col, long row, CPen* pen) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetBorderPen(pen); });
}
int CUGCtrl::SetCellCellType(int col, long row, int index) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetCellType(index); });
}
int CUGCtrl::SetCellCellTypeStyle(int col, long row, int style) {
    return ChangeStoredCell(col, row, [&](CUGCell& c) { c.SetCellTypeStyle(style); });
}

// ---- default cells ----

int CUGCtrl::SetGridDefaultCell(CUGCell* cell) {
    if (!cell)
        return GRID_ERROR;
    gridInfo->gridDefault->ReplaceFrom(*cell);
    return GRID_SUCCESS;
}

int CUGCtrl::GetGridDefaultCell(CUGCell* cell) {
    if (!cell)
        return GRID_ERROR;
    cell->ReplaceFrom(*gridInfo->gridDefault);
    return GRID_SUCCESS;
}

int CUGCtrl::SetColumnDefaultCell(int col, CUGCell* cell) {
    if (!cell || col < 0 || col >= gridInfo->numberCols)
        return GRID_ERROR;
    auto& target = gridInfo->colInfo[static_cast<std::size_t>(col)].defaultCell;
    if (!target)
        target = std::make_unique<CUGCell>();
    target->ReplaceFrom(*cell);
    return GRID_SUCCESS;
}

int CUGCtrl::GetColumnDefaultCell(int col, CUGCell* cell) {
    if (!cell || col < 0 || col >= gridInfo->numberCols)
        return GRID_ERROR;
    const auto& source = gridInfo->colInfo[static_cast<std::size_t>(col)].defaultCell;
    if (source)
        cell->ReplaceFrom(*source);
    else
        cell->SetPropertyMask(0);
    return GRID_SUCCESS;
}

int CUGCtrl::SetHeadingDefaultCell(CUGCell* cell) {
    if (!cell)
        return GRID_ERROR;
    gridInfo->headingDefault->ReplaceFrom(*cell);
    return GRID_SUCCESS;
}

int CUGCtrl::GetHeadingDefaultCell(CUGCell* cell) {
    if (!cell)
        return GRID_ERROR;
    cell->ReplaceFrom(*gridInfo->headingDefault);
    return GRID_SUCCESS;
}

// ---- joined cells ----

int CUGCtrl::SpanCells(int startCol, long startRow, int endCol, long endRow) {
    const CUGGridInfo& gi = *gridInfo;
    if (startCol > endCol || startRow > endRow || endCol >= gi.numberCols ||
        endRow >= gi.numberRows || startCol < -gi.numberSideHdgCols ||
        startRow < -gi.numberTopHdgRows)
        return GRID_ERROR;
    for (long row = startRow; row <= endRow; ++row)
        for (int col = startCol; col <= endCol; ++col)
            ChangeStoredCell(col, row, [&](CUGCell& c) {
                c.SetSpan(0, startCol - col, static_cast<int>(startRow - row));
            });
    ChangeStoredCell(startCol, startRow, [&](CUGCell& c) {
        c.SetSpan(1, endCol - startCol, static_cast<int>(endRow - startRow));
    });
    return GRID_SUCCESS;
}

int CUGCtrl::GetJoinRange(int* startCol, long* startRow, int* endCol, long* endRow) {
    *endCol = *startCol;
    *endRow = *startRow;
    if (!gridInfo->enableJoins)
        return GRID_ERROR;
    CUGCell cell;
    GetCell(*startCol, *startRow, &cell);
    int origin = 0, colOffset = 0, rowOffset = 0;
    if (cell.GetSpan(&origin, &colOffset, &rowOffset) != 0)
        return GRID_ERROR;
    if (origin != 1) {
        // Any other cell of the block points back at the block's first cell.
        int firstCol = *startCol + colOffset;
        long firstRow = *startRow + rowOffset;
        GetCell(firstCol, firstRow, &cell);
        if (cell.GetSpan(&origin, &colOffset, &rowOffset) != 0 || origin != 1)
            return GRID_ERROR;
        *startCol = firstCol;
        *startRow = firstRow;
    }
    *endCol = *startCol + colOffset;
    *endRow = *startRow + rowOffset;
    return GRID_SUCCESS;
}

// ---- geometry ----

int CUGCtrl::ColumnLeft(int col) const {
    const CUGGridInfo& gi = *gridInfo;
    if (col < 0)
        return 0;
    int x = 0;
    if (col < gi.lockedCols) {
        for (int c = 0; c < col; ++c)
            x += GetColumnWidth(c);
        return x;
    }
    x = gi.lockedColsWidth;
    for (int c = gi.leftCol; c < col; ++c)
        x += GetColumnWidth(c);
    for (int c = col; c < gi.leftCol; ++c)
        x -= GetColumnWidth(c);
    return x;
}

int CUGCtrl::RowTop(long row) const {
    const CUGGridInfo& gi = *gridInfo;
    if (row < 0)
        return 0;
    if (gi.uniformRowHeight) {
        if (row < gi.lockedRows)
            return static_cast<int>(row * gi.defRowHeight);
        return static_cast<int>(gi.lockedRowsHeight + (row - gi.topRow) * gi.defRowHeight);
    }
    int y = 0;
    if (row < gi.lockedRows) {
        for (long r = 0; r < row; ++r)
            y += GetRowHeight(r);
        return y;
    }
    y = gi.lockedRowsHeight;
    for (long r = gi.topRow; r < row; ++r)
        y += GetRowHeight(r);
    for (long r = row; r < gi.topRow; ++r)
        y -= GetRowHeight(r);
    return y;
}

int CUGCtrl::GetRangeRect(int startCol, long startRow, int endCol, long endRow, RECT* rect) {
    if (!rect)
        return GRID_ERROR;
    rect->left = ColumnLeft(startCol);
    rect->right = ColumnLeft(endCol) + GetColumnWidth(endCol);
    rect->top = RowTop(startRow);
    rect->bottom = RowTop(endRow) + GetRowHeight(endRow);
    return GRID_SUCCESS;
}

int CUGCtrl::GetCellRect(int col, long row, RECT* rect) {
    int endCol = col;
    long endRow = row;
    if (gridInfo->enableJoins)
        GetJoinRange(&col, &row, &endCol, &endRow);
    return GetRangeRect(col, row, endCol, endRow, rect);
}

int CUGCtrl::GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect) {
    const CUGGridInfo& gi = *gridInfo;
    *col = -1;
    *row = -1;
    if (x < 0 || y < 0 || x >= gi.gridWidth || y >= gi.gridHeight)
        return GRID_ERROR;
    int left = 0;
    for (int c = gi.NextShownCol(-1); c < gi.numberCols && left <= gi.gridWidth;
         c = gi.NextShownCol(c)) {
        int width = GetColumnWidth(c);
        if (width > 0 && x < left + width) {
            *col = c;
            break;
        }
        left += width;
    }
    if (*col < 0)
        return GRID_ERROR;
    if (gi.uniformRowHeight && gi.defRowHeight > 0) {
        long r = y < gi.lockedRowsHeight ? y / gi.defRowHeight
                                         : gi.topRow + (y - gi.lockedRowsHeight) / gi.defRowHeight;
        if (r < gi.numberRows)
            *row = r;
    } else {
        int top = 0;
        for (long r = gi.NextShownRow(-1); r < gi.numberRows && top <= gi.gridHeight;
             r = gi.NextShownRow(r)) {
            int height = GetRowHeight(r);
            if (height > 0 && y < top + height) {
                *row = r;
                break;
            }
            top += height;
        }
    }
    if (*row < 0) {
        *col = -1;
        return GRID_ERROR;
    }
    if (gi.enableJoins) {
        int endCol;
        long endRow;
        GetJoinRange(col, row, &endCol, &endRow);
    }
    if (rect)
        GetCellRect(*col, *row, rect);
    return GRID_SUCCESS;
}
