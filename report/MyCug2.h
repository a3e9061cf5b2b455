#pragma once
// The report grid: the counted records under the five report titles, closed by a summary
// row. It keeps the remembered column widths, whether this run read a price file, the extent
// of the table block built last, the sort order and the summary record.

#include <afxtempl.h>

#include "grid/CUGCtrl.h"
#include "report/ReportState.h"
#include "report/ResultString.h"

class MyCug2 : public CUGCtrl {
public:
    int widths[kReportColumnCount] = {-1, -1, -1, -1, -1}; // pixels; -1 not set
    int columnCount = kReportColumnCount;
    int priceFileLoaded = 0;
    double tableWidth = 0.0;
    double tableHeight = 0.0;
    int sortColumn = 0;
    int sortAscending = 1;
    ResultString summary;

    // Row height from the grid window's text, no row titles, the five columns and titles.
    void OnGridSetup() override;
    // Esc in the grid closes the report as "&Close" does.
    void OnCellKeyDown(UINT* key, int processed) override;
    // One row per shown record (a run with a price file hides what was not counted) and the
    // summary row under them.
    void FillReportGrid(const CArray<ResultString, const ResultString&>& results);
    void AddReportRow(const ResultString& record, bool isSummary);
    void ClearRows();
    // Takes the widths to remember from the columns.
    void StoreColumnWidths();
};
