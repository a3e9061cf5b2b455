// Counts, sizes, locked areas, the visible range, inserting, deleting and moving rows and
// columns, and fitting columns to their contents.

#include "grid/CUGCtrl.h"

#include <algorithm>

#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGVScroll.h"

namespace {
constexpr int kMaxHeadingLines = 32; // heading rows or heading columns

// A heading's size: the sum of its rows' heights or its columns' widths, within bounds.
int HeadingTotal(const std::vector<int>& sizes) {
    int total = 0;
    for (int size : sizes)
        total += size;
    return std::min(total, UG_MAX_SIZE);
}

// A size the grid state took moves the windows; one it refused changes nothing.
int LaidOutAfter(CUGCtrl& frame, int result) {
    if (result != GRID_SUCCESS)
        return GRID_ERROR;
    frame.LayoutChildren();
    return GRID_SUCCESS;
}

// Locked lines the grid state took change what the view shows.
int ShownAfter(CUGCtrl& frame, int result) {
    if (result != GRID_SUCCESS)
        return GRID_ERROR;
    frame.RecalcVisibleRange();
    frame.RepaintAll();
    return GRID_SUCCESS;
}
} // namespace

// ---- the visible range ----

void CUGCtrl::ComputeVisibleEdges() {
    CUGGridInfo& gi = *gridInfo;
    gi.rightCol = gi.numberCols;
    int x = gi.lockedColsWidth;
    for (int c = gi.leftCol; c < gi.numberCols; ++c) {
        x += GetColumnWidth(c);
        if (x > gi.gridWidth) {
            gi.rightCol = c;
            break;
        }
    }
    gi.bottomRow = gi.numberRows;
    if (gi.uniformRowHeight && gi.defRowHeight > 0) {
        long fit = (gi.gridHeight - gi.lockedRowsHeight) / gi.defRowHeight;
        if (gi.topRow + fit < gi.numberRows)
            gi.bottomRow = gi.topRow + fit;
        return;
    }
    int y = gi.lockedRowsHeight;
    for (long r = gi.topRow; r < gi.numberRows; ++r) {
        y += GetRowHeight(r);
        if (y > gi.gridHeight) {
            gi.bottomRow = r;
            break;
        }
    }
}

void CUGCtrl::ClampView() {
    CUGGridInfo& gi = *gridInfo;
    gi.leftCol = std::clamp(gi.leftCol, gi.lockedCols, std::max(gi.lockedCols, gi.maxLeftCol));
    gi.topRow = std::clamp(gi.topRow, gi.lockedRows, std::max(gi.lockedRows, gi.maxTopRow));
}

void CUGCtrl::RecalcVisibleRange() {
    CUGGridInfo& gi = *gridInfo;
    // The greatest first column and row that still fill the view.
    int room = gi.gridWidth - gi.lockedColsWidth;
    int col = gi.numberCols - 1;
    while (col >= gi.lockedCols && room - GetColumnWidth(col) >= 0)
        room -= GetColumnWidth(col--);
    gi.maxLeftCol = std::max(gi.lockedCols, col + 1);
    if (gi.uniformRowHeight && gi.defRowHeight > 0) {
        long fit = std::max(0, gi.gridHeight - gi.lockedRowsHeight) / gi.defRowHeight;
        gi.maxTopRow = std::max(gi.lockedRows, gi.numberRows - fit);
    } else {
        int roomY = gi.gridHeight - gi.lockedRowsHeight;
        long row = gi.numberRows - 1;
        while (row >= gi.lockedRows && roomY - GetRowHeight(row) >= 0)
            roomY -= GetRowHeight(row--);
        gi.maxTopRow = std::max(gi.lockedRows, row + 1);
    }
    ClampView();
    ComputeVisibleEdges();
    if (paintEnabled && m_hWnd) {
        vScroll->Update();
        hScroll->Update();
    }
}

// ---- counts ----

int CUGCtrl::SetColCount(int cols, int redraw) {
    if (cols < 0 || cols > UG_MAX_COLS)
        return GRID_ERROR;
    gridInfo->SetColCount(cols);
    RecalcVisibleRange();
    if (gridInfo->currentCol < 0 && cols >= 1)
        MoveToCol(0);
    if (redraw)
        RepaintAll();
    return GRID_SUCCESS;
}

int CUGCtrl::SetRowCount(long rows, int redraw) {
    if (rows < 0)
        return GRID_ERROR;
    long oldTop = gridInfo->topRow;
    gridInfo->SetRowCount(rows);
    RecalcVisibleRange();
    if (gridInfo->topRow != oldTop && !redraw)
        RefreshAfterMove();
    if (gridInfo->currentRow < 0 && rows >= 1)
        MoveToRow(0);
    if (redraw)
        RepaintAll();
    return GRID_SUCCESS;
}

// ---- sizes ----

int CUGCtrl::SetColumnWidth(int col, int width) {
    int result = gridInfo->SetColumnWidth(col, width);
    if (col < 0 && col >= -gridInfo->numberSideHdgCols)
        LayoutChildren();
    else if (result == GRID_SUCCESS)
        RecalcVisibleRange();
    return result;
}

int CUGCtrl::GetColumnWidth(int col) const {
    return gridInfo->GetColumnWidth(col);
}

int CUGCtrl::SetStandardColWidth(int width) {
    return gridInfo->SetStandardColWidth(width);
}

int CUGCtrl::SetStandardRowHeight(int height) {
    int result = gridInfo->SetStandardRowHeight(height);
    if (result == GRID_SUCCESS)
        RecalcVisibleRange();
    return result;
}

int CUGCtrl::SetRowHeight(long row, int height) {
    int result = gridInfo->SetRowHeight(row, height);
    if (result == GRID_SUCCESS)
        RecalcVisibleRange();
    return result;
}

int CUGCtrl::GetRowHeight(long row) const {
    return gridInfo->GetRowHeight(row);
}

int CUGCtrl::SetUniformRowHeight(int on) {
    int result = gridInfo->SetUniformRowHeight(on);
    RecalcVisibleRange();
    return result;
}

int CUGCtrl::SetSideHdgWidth(int width) {
    return LaidOutAfter(*this, gridInfo->SetSideHdgWidth(width));
}

int CUGCtrl::SetTopHdgHeight(int height) {
    return LaidOutAfter(*this, gridInfo->SetTopHdgHeight(height));
}

int CUGCtrl::SetTopHdgRowHeight(int row, int height) {
    CUGGridInfo& gi = *gridInfo;
    int index = -row - 1;
    if (index < 0 || index >= gi.numberTopHdgRows || height < 0 || height > UG_MAX_SIZE)
        return GRID_ERROR;
    gi.topHdgHeights[static_cast<std::size_t>(index)] = height;
    gi.topHdgHeight = HeadingTotal(gi.topHdgHeights);
    LayoutChildren();
    return GRID_SUCCESS;
}

int CUGCtrl::SetTopHdgRowCount(int rows) {
    CUGGridInfo& gi = *gridInfo;
    if (rows < 1 || rows > kMaxHeadingLines)
        return GRID_ERROR;
    gi.topHdgHeights.resize(static_cast<std::size_t>(rows), gi.defRowHeight);
    gi.numberTopHdgRows = rows;
    gi.topHdgHeight = HeadingTotal(gi.topHdgHeights);
    LayoutChildren();
    return GRID_SUCCESS;
}

int CUGCtrl::SetSideHdgColCount(int cols) {
    CUGGridInfo& gi = *gridInfo;
    if (cols < 1 || cols > kMaxHeadingLines)
        return GRID_ERROR;
    const int width = CUGGridInfo::kDefaultSideHdgColWidth;
    gi.sideHdgWidths.resize(static_cast<std::size_t>(cols), width);
    gi.numberSideHdgCols = cols;
    gi.sideHdgWidth = HeadingTotal(gi.sideHdgWidths);
    LayoutChildren();
    return GRID_SUCCESS;
}

int CUGCtrl::SetVScrollWidth(int width) {
    return LaidOutAfter(*this, gridInfo->SetVScrollWidth(width));
}

int CUGCtrl::SetHScrollHeight(int height) {
    return LaidOutAfter(*this, gridInfo->SetHScrollHeight(height));
}

int CUGCtrl::FreezeCols(int count) {
    return ShownAfter(*this, gridInfo->FreezeCols(count));
}

int CUGCtrl::FreezeRows(long count) {
    return ShownAfter(*this, gridInfo->FreezeRows(count));
}

// ---- rows and columns ----

int CUGCtrl::InsertRow(long row) {
    CUGGridInfo& gi = *gridInfo;
    if (row < 0 || row > gi.numberRows)
        return GRID_ERROR;
    if (int result = gi.defDataSource->InsertRow(row); result != 0)
        return result;
    if (!gi.uniformRowHeight && row <= static_cast<long>(gi.rowHeights.size()))
        gi.rowHeights.insert(gi.rowHeights.begin() + row, gi.defRowHeight);
    return SetRowCount(gi.numberRows + 1, TRUE);
}

int CUGCtrl::AppendRow() {
    CUGGridInfo& gi = *gridInfo;
    if (int result = gi.defDataSource->AppendRow(); result != 0)
        return result;
    return SetRowCount(gi.numberRows + 1, TRUE);
}

int CUGCtrl::DeleteRow(long row) {
    CUGGridInfo& gi = *gridInfo;
    if (row < 0 || row >= gi.numberRows)
        return GRID_ERROR;
    if (int result = gi.defDataSource->DeleteRow(row); result != 0)
        return result;
    if (!gi.uniformRowHeight && row < static_cast<long>(gi.rowHeights.size()))
        gi.rowHeights.erase(gi.rowHeights.begin() + row);
    return SetRowCount(gi.numberRows - 1, TRUE);
}

int CUGCtrl::InsertCol(int col) {
    CUGGridInfo& gi = *gridInfo;
    if (col < 0 || col > gi.numberCols || gi.numberCols >= UG_MAX_COLS)
        return GRID_ERROR;
    // The store shifts what it holds; an empty store has nothing to shift.
    GetColumnDataSource(col)->InsertCol(GetColumnDataColumn(col));
    gi.InsertColumnEntry(col);
    RenumberDataColumns();
    RecalcVisibleRange();
    RepaintAll();
    return GRID_SUCCESS;
}

int CUGCtrl::AppendCol() {
    CUGGridInfo& gi = *gridInfo;
    if (gi.numberCols >= UG_MAX_COLS)
        return GRID_ERROR;
    gi.defDataSource->AppendCol();
    gi.InsertColumnEntry(gi.numberCols);
    RenumberDataColumns();
    RecalcVisibleRange();
    if (gi.currentCol < 0)
        MoveToCol(0);
    RepaintAll();
    return GRID_SUCCESS;
}

int CUGCtrl::DeleteCol(int col) {
    CUGGridInfo& gi = *gridInfo;
    if (gi.numberCols == 0 || col < 0 || col >= gi.numberCols)
        return GRID_ERROR;
    GetColumnDataSource(col)->DeleteCol(GetColumnDataColumn(col));
    gi.RemoveColumnEntry(col);
    RenumberDataColumns();
    if (gi.currentCol >= gi.numberCols)
        gi.currentCol = gi.dragCol = gi.lastCol = gi.numberCols - 1;
    RecalcVisibleRange();
    RepaintAll();
    return GRID_SUCCESS;
}

int CUGCtrl::MoveColPosition(int fromCol, int toPos) {
    CUGGridInfo& gi = *gridInfo;
    if (fromCol < 0 || fromCol >= gi.numberCols || toPos < 0 || toPos > gi.numberCols)
        return GRID_ERROR;
    if (toPos == fromCol || toPos == fromCol + 1)
        return GRID_SUCCESS;
    ColumnInfo moving = std::move(gi.colInfo[static_cast<std::size_t>(fromCol)]);
    gi.colInfo.erase(gi.colInfo.begin() + fromCol);
    int insertAt = toPos > fromCol ? toPos - 1 : toPos;
    gi.colInfo.insert(gi.colInfo.begin() + insertAt, std::move(moving));
    gi.RecomputeLockedColsWidth();
    RecalcVisibleRange();
    return GRID_SUCCESS;
}

int CUGCtrl::BestFit(int startCol, int endCol, int rowsToSample, int flags) {
    CUGGridInfo& gi = *gridInfo;
    if (startCol < 0 || endCol >= gi.numberCols || startCol > endCol)
        return GRID_ERROR;
    CWnd* measuring = grid->m_hWnd ? static_cast<CWnd*>(grid.get()) : this;
    if (!measuring->m_hWnd)
        return GRID_ERROR;
    CClientDC dc(measuring);
    CFont* oldFont = gi.defFont ? dc.SelectObject(gi.defFont) : nullptr;
    CUGCell cell;
    long lastRow = std::min<long>(gi.numberRows, std::max(0, rowsToSample));
    for (int col = startCol; col <= endCol; ++col) {
        int best = 0;
        auto measure = [&](long row) {
            GetCell(col, row, &cell);
            SIZE size{0, 0};
            CellTypeOf(cell)->GetBestSize(&dc, &size, &cell);
            best = std::max<int>(best, size.cx);
        };
        if (flags & UG_BESTFIT_TOPHEADINGS)
            for (long row = -gi.numberTopHdgRows; row <= -1; ++row)
                measure(row);
        for (long row = 0; row < lastRow; ++row)
            measure(row);
        if (best > 0)
            gi.SetColumnWidth(col, best);
    }
    if (oldFont)
        dc.SelectObject(oldFont);
    RecalcVisibleRange();
    RepaintAll();
    return GRID_SUCCESS;
}

bool CUGCtrl::CheckRowsPastEnd(long row) {
    CUGGridInfo& gi = *gridInfo;
    if (row < gi.numberRows)
        return false;
    long before = gi.numberRows;
    long rowsFound = 0;
    long rowsPast = row - gi.numberRows + 1;
    gi.defDataSource->OnPastLastRow(gi.numberRows, rowsPast, &rowsFound);
    OnPastLastRow(gi.numberRows, rowsPast, rowsFound);
    return gi.numberRows > before;
}
