#include "grid/CUGGridInfo.h"

#include <algorithm>
#include <numeric>

#include <afxwin.h>

CUGGridInfo::CUGGridInfo()
    : gridDefault(std::make_unique<CUGCell>()), headingDefault(std::make_unique<CUGCell>()),
      builtinStore(std::make_unique<CUGMem>()), multiSelect(std::make_unique<CUGMultiSelect>(this)),
      arrowCursor(LoadCursor(nullptr, IDC_ARROW)), sizeWECursor(LoadCursor(nullptr, IDC_SIZEWE)),
      sizeNSCursor(LoadCursor(nullptr, IDC_SIZENS)),
      gridLinePen(std::make_unique<CPen>(PS_SOLID, 1, COLORREF{kGridLineColor})) {
    headingDefault->SetBackColor(GetSysColor(COLOR_BTNFACE));
    headingDefault->SetBorder(UG_BDR_RAISED);
    headingDefault->SetAlignment(UG_ALIGNCENTER | UG_ALIGNVCENTER);
    builtinStore->SetGridInfo(this);
    builtinStore->SetSourceId(0);
    defDataSource = builtinStore.get();
}

CUGGridInfo::~CUGGridInfo() = default;

std::unique_ptr<CUGCell> CUGGridInfo::NewColumnDefaultCell() const {
    auto cell = std::make_unique<CUGCell>();
    cell->ReplaceFrom(*gridDefault);
    return cell;
}

// ---- counts ----

int CUGGridInfo::SetColCount(int cols) {
    if (cols < 0 || cols > UG_MAX_COLS)
        return GRID_ERROR;
    if (cols >= 1 && cols <= lockedCols)
        lockedCols = cols - 1;
    const int old = static_cast<int>(colInfo.size());
    colInfo.resize(static_cast<std::size_t>(cols)); // removed columns take their default cells
    for (int i = old; i < cols; ++i) {
        ColumnInfo& info = colInfo[static_cast<std::size_t>(i)];
        info.width = defColWidth;
        info.dataSource = defDataSource;
        info.defaultCell = NewColumnDefaultCell();
        info.dataColumn = i;
    }
    numberCols = cols;
    if (currentCol >= cols)
        currentCol = dragCol = cols - 1;
    RecomputeLockedColsWidth();
    return GRID_SUCCESS;
}

int CUGGridInfo::SetRowCount(long rows) {
    if (rows < 0)
        return GRID_ERROR;
    if (rows >= 1 && rows <= lockedRows)
        lockedRows = rows - 1;
    if (rows > UG_UNIFORM_ROWS_ABOVE) {
        uniformRowHeight = 1;
        rowHeights.clear();
        rowHeights.shrink_to_fit();
    } else if (!uniformRowHeight) {
        rowHeights.resize(static_cast<std::size_t>(rows), defRowHeight);
    }
    numberRows = rows;
    if (currentRow >= rows)
        currentRow = lastRow = dragRow = rows - 1;
    RecomputeLockedRowsHeight();
    return GRID_SUCCESS;
}

int CUGGridInfo::InsertColumnEntry(int col) {
    if (col < 0 || col > numberCols || numberCols >= UG_MAX_COLS)
        return GRID_ERROR;
    ColumnInfo info;
    info.width = defColWidth;
    info.dataSource = defDataSource;
    info.defaultCell = NewColumnDefaultCell();
    info.dataColumn = col;
    colInfo.insert(colInfo.begin() + col, std::move(info));
    ++numberCols;
    RecomputeLockedColsWidth();
    return GRID_SUCCESS;
}

int CUGGridInfo::RemoveColumnEntry(int col) {
    if (col < 0 || col >= numberCols)
        return GRID_ERROR;
    colInfo.erase(colInfo.begin() + col);
    --numberCols;
    if (lockedCols > numberCols)
        lockedCols = numberCols;
    RecomputeLockedColsWidth();
    return GRID_SUCCESS;
}

// ---- column widths ----

int CUGGridInfo::SetColumnWidth(int col, int width) {
    if (col >= 0 && col < numberCols) {
        if (width < 0)
            return GRID_ERROR;
        colInfo[static_cast<std::size_t>(col)].width = width;
        if (col < lockedCols)
            RecomputeLockedColsWidth();
        return GRID_SUCCESS;
    }
    if (col < 0 && col >= -numberSideHdgCols && width >= 0 && width <= UG_MAX_SIZE) {
        sideHdgWidths[static_cast<std::size_t>(-col - 1)] = width;
        if (numberSideHdgCols == 1)
            SetSideHdgWidth(width);
    }
    return GRID_ERROR;
}

int CUGGridInfo::GetColumnWidth(int col) const {
    if (col < 0 || col >= numberCols)
        return 1;
    return colInfo[static_cast<std::size_t>(col)].width;
}

int CUGGridInfo::SetStandardColWidth(int width) {
    if (width < 0)
        return GRID_ERROR;
    defColWidth = width;
    return GRID_SUCCESS;
}

// ---- row heights ----

int CUGGridInfo::SetStandardRowHeight(int height) {
    if (height < 1 || height > UG_MAX_SIZE)
        return GRID_ERROR;
    defRowHeight = height;
    RecomputeLockedRowsHeight();
    return GRID_SUCCESS;
}

int CUGGridInfo::SetUniformRowHeight(int on) {
    if (on) {
        uniformRowHeight = 1;
        rowHeights.clear();
        rowHeights.shrink_to_fit();
    } else if (uniformRowHeight) {
        uniformRowHeight = 0;
        rowHeights.assign(static_cast<std::size_t>(numberRows), defRowHeight);
    }
    RecomputeLockedRowsHeight();
    return GRID_SUCCESS;
}

int CUGGridInfo::SetRowHeight(long row, int height) {
    if (row < 0 || row >= numberRows || height < 0 || height > UG_MAX_SIZE)
        return GRID_ERROR;
    if (uniformRowHeight) {
        if (height < 1)
            return GRID_ERROR; // every row shares it; a zero would hide them all
        defRowHeight = height;
    } else {
        rowHeights[static_cast<std::size_t>(row)] = height;
    }
    RecomputeLockedRowsHeight();
    return GRID_SUCCESS;
}

int CUGGridInfo::GetRowHeight(long row) const {
    if (row < 0 || row >= numberRows)
        return 0;
    return uniformRowHeight ? defRowHeight : rowHeights[static_cast<std::size_t>(row)];
}

// ---- headings and bars ----

void CUGGridInfo::Rescale(std::vector<int>& sizes, int newTotal) {
    if (sizes.empty())
        return;
    long long oldTotal = std::accumulate(sizes.begin(), sizes.end(), 0LL);
    if (oldTotal <= 0) {
        // Nothing to scale from: the outermost row or column takes the whole size.
        std::fill(sizes.begin(), sizes.end(), 0);
        sizes.back() = newTotal;
        return;
    }
    for (int& size : sizes)
        size = static_cast<int>((2LL * size * newTotal + oldTotal) / (2 * oldTotal));
}

int CUGGridInfo::SetTopHdgHeight(int height) {
    if (height < 0 || height > UG_MAX_SIZE)
        return GRID_ERROR;
    Rescale(topHdgHeights, height);
    topHdgHeight = height;
    return GRID_SUCCESS;
}

int CUGGridInfo::SetSideHdgWidth(int width) {
    if (width < 0 || width > UG_MAX_SIZE)
        return GRID_ERROR;
    Rescale(sideHdgWidths, width);
    sideHdgWidth = width;
    return GRID_SUCCESS;
}

int CUGGridInfo::GetTopHdgRowHeight(int row) const {
    int index = -row - 1;
    if (index < 0 || index >= numberTopHdgRows || index >= static_cast<int>(topHdgHeights.size()))
        return 0;
    return topHdgHeights[static_cast<std::size_t>(index)];
}

int CUGGridInfo::GetSideHdgColWidth(int col) const {
    int index = -col - 1;
    if (index < 0 || index >= numberSideHdgCols || index >= static_cast<int>(sideHdgWidths.size()))
        return 0;
    return sideHdgWidths[static_cast<std::size_t>(index)];
}

int CUGGridInfo::NextShownCol(int col) const {
    ++col;
    return col == lockedCols && col < leftCol ? leftCol : col;
}

long CUGGridInfo::NextShownRow(long row) const {
    ++row;
    return row == lockedRows && row < topRow ? topRow : row;
}

int CUGGridInfo::SetVScrollWidth(int width) {
    if (width < 0 || width > UG_MAX_SIZE)
        return GRID_ERROR;
    vScrollWidth = width;
    return GRID_SUCCESS;
}

int CUGGridInfo::SetHScrollHeight(int height) {
    if (height < 0 || height > UG_MAX_SIZE)
        return GRID_ERROR;
    hScrollHeight = height;
    return GRID_SUCCESS;
}

int CUGGridInfo::SetTabWidth(int width) {
    if (width < 0)
        return GRID_ERROR;
    tabWidth = width;
    return GRID_SUCCESS;
}

// ---- locked columns and rows ----

void CUGGridInfo::RecomputeLockedColsWidth() {
    lockedColsWidth = 0;
    for (int i = 0; i < lockedCols && i < numberCols; ++i)
        lockedColsWidth += colInfo[static_cast<std::size_t>(i)].width;
}

void CUGGridInfo::RecomputeLockedRowsHeight() {
    lockedRowsHeight = 0;
    for (long i = 0; i < lockedRows && i < numberRows; ++i)
        lockedRowsHeight += GetRowHeight(i);
}

int CUGGridInfo::FreezeCols(int count) {
    if (count < 0 || count > numberCols)
        return GRID_ERROR;
    lockedCols = count;
    leftCol = count;
    RecomputeLockedColsWidth();
    return GRID_SUCCESS;
}

int CUGGridInfo::FreezeRows(long count) {
    if (count < 0 || count > numberRows)
        return GRID_ERROR;
    lockedRows = count;
    topRow = count;
    RecomputeLockedRowsHeight();
    return GRID_SUCCESS;
}

// ---- switches ----

namespace {
int StoreInRange(int& field, int value, int low, int high) {
    if (value < low || value > high)
        return GRID_ERROR;
    field = value;
    return GRID_SUCCESS;
}
} // namespace

int CUGGridInfo::SetCurrentCellMode(int mode) {
    return StoreInRange(currentCellMode, mode, 0, 3);
}
int CUGGridInfo::SetThreeDBorderWidth(int width) {
    return StoreInRange(threeDBorderWidth, width, 1, 16);
}
int CUGGridInfo::SetMouseAccelMode(int mode) {
    return StoreInRange(mouseAccelMode, mode, 0, 3);
}
int CUGGridInfo::SetMouseAccelDelay(int delay) {
    return StoreInRange(mouseAccelDelay, delay, 0, 32000);
}
int CUGGridInfo::SetKeyAccelMode(int mode) {
    return StoreInRange(keyAccelMode, mode, 0, 1000);
}
int CUGGridInfo::SetKeyAccelDelay(int delay) {
    if (delay < 0)
        return GRID_ERROR;
    keyAccelDelay = delay;
    return GRID_SUCCESS;
}
