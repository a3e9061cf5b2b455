#pragma once
// The report grid's state: remembered column widths, whether this run read a price file, the
// extent of the table block built last, the sort order and the summary record. The grid window
// itself attaches to control 216 once the grid control exists; until then the dialog keeps the
// placeholder and these values.

#include "report/ReportState.h"
#include "report/ResultString.h"

class MyCug2 {
public:
    int widths[kReportColumnCount] = {-1, -1, -1, -1, -1}; // pixels; -1 not set
    int columnCount = kReportColumnCount;
    int priceFileLoaded = 0;
    double tableWidth = 0.0;
    double tableHeight = 0.0;
    int sortColumn = 0;
    int sortAscending = 1;
    ResultString summary;
};
