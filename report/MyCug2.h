#pragma once
// The report grid: the counted records under the five report titles, closed by a summary
// row. It keeps the remembered column widths, whether this run read a price file, the extent
// of the table block built last, the sort order and the summary record. The grid is for
// reading only: it starts no editing.

#include <afxtempl.h>

#include "grid/CUGCtrl.h"
#include "grid/CUGSortArrowType.h"
#include "report/ReportState.h"
#include "report/ResultString.h"

class MyCug2 : public CUGCtrl {
public:
    int widths[kReportColumnCount] = {-1, -1, -1, -1, -1}; // pixels; -1 not set
    int columnCount = kReportColumnCount;
    int priceFileLoaded = 0;
    double tableWidth = 0.0;
    double tableHeight = 0.0;
    CUGSortArrowType sortArrow;
    int sortArrowType = -1;
    int sortColumn = 0;
    int sortAscending = 1;
    ResultString summary;

    // Row height from the grid window's text, no row titles, the five columns with their
    // titles (equal widths when none are remembered), the sort arrow on the first title.
    void OnGridSetup() override;
    // While the prices are hidden no column can be resized.
    void OnColResizing(int col, int* width) override;
    // A press on a title sorts by that column: a new column ascending, the sorted one the
    // other way round. The summary row stays last.
    void OnTopHdgLeftClick(int col, long row, int updn, RECT* rect, POINT* point,
                           int processed) override;
    // Esc in the grid closes the report as "&Close" does.
    void OnCellKeyDown(UINT* key, int processed) override;
    // Numbers in the price, quantity and total columns, other texts ignoring case; empty
    // texts last in both directions.
    int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) override;

    // One row per shown record (a run with a price file hides what was not counted) and the
    // summary row under them when there is any.
    void FillReportGrid(const CArray<ResultString, const ResultString&>& results);
    void AddReportRow(const ResultString& record, bool isSummary);
    void ClearRows();
    // Shows the price columns at their remembered widths, or hides them (width 0) after
    // remembering the widths.
    void ApplyShowPrice();
    // Takes the widths to remember from the columns; a hidden price column keeps its own.
    void StoreColumnWidths();
};
