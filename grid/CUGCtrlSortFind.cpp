// Sorting the rows through the OnSortCompare hook, and the find and replace dialog over the
// store's text search.

#include "grid/CUGCtrl.h"

#include <vector>

#include "grid/CUGDataSource.h"

// ---- sorting ----

int CUGCtrl::SortRowsBy(int col, int flags) {
    return SortRowsBy(&col, 1, flags);
}

// The store sorts by its own columns, so each grid column is replaced by the store column
// it shows (they differ once columns were moved). The caller repaints when it wants to.
int CUGCtrl::SortRowsBy(int* cols, int count, int flags) {
    if (!cols || count <= 0)
        return GRID_ERROR;
    std::vector<int> dataCols(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (cols[i] < 0 || cols[i] >= gridInfo->numberCols)
            return GRID_ERROR;
        dataCols[static_cast<std::size_t>(i)] = GetColumnDataColumn(cols[i]);
    }
    return gridInfo->defDataSource->SortRowsBy(dataCols.data(), count, flags);
}
