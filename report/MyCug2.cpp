#include "report/MyCug2.h"

#include <tchar.h>
#include <utility>

#include "report/CalcPriceDialog.h"

namespace {

constexpr int kPriceColumn = 1;
constexpr int kQuantityColumn = 2;
constexpr int kTotalColumn = 4;

bool IsPriceColumn(int col) {
    return col == kPriceColumn || col == kTotalColumn;
}

int CompareNumbers(double a, double b) {
    return b > a ? -1 : (a > b ? 1 : 0);
}

} // namespace

void MyCug2::OnGridSetup() {
    {
        CClientDC dc(this);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        SetStandardRowHeight(tm.tmHeight + 3);
    }
    SetSideHdgWidth(0);
    if (widths[0] == -1) {
        CRect client;
        GetClientRect(&client);
        int unit = (client.Width() - GetSideHdgWidth()) / 20;
        for (int& width : widths)
            width = 4 * unit;
    }
    SetColCount(kReportColumnCount);
    for (int col = 0; col < kReportColumnCount; ++col) {
        SetColumnWidth(col, widths[col]);
        SetCellText(col, -1, reportColumnTitles[col]);
    }
    sortArrowType = RegisterCellType(&sortArrow);
    SetCellCellType(0, -1, sortArrowType);
    SetCellCellTypeStyle(0, -1, UGCT_SORTARROWDOWN);
    ApplyShowPrice();
}

void MyCug2::OnColResizing(int col, int* width) {
    if (showPrice)
        return;
    *width = IsPriceColumn(col) ? 0 : widths[col];
}

void MyCug2::OnTopHdgLeftClick(int col, long, int updn, RECT*, POINT*, int) {
    if (updn != 1 || col < 0 || col >= kReportColumnCount)
        return;
    if (GetRowCount() > 1)
        DeleteRow(GetRowCount() - 1); // the summary row
    SetCellCellType(sortColumn, -1, 0);
    if (col != sortColumn) {
        sortColumn = col;
        sortAscending = 1;
    } else {
        sortAscending = !sortAscending;
    }
    SortRowsBy(col, sortAscending ? UG_SORT_ASCENDING : UG_SORT_DESCENDING);
    SetCellCellType(sortColumn, -1, sortArrowType);
    SetCellCellTypeStyle(sortColumn, -1, sortAscending ? UGCT_SORTARROWDOWN : UGCT_SORTARROWUP);
    if (GetRowCount() > 0)
        AddReportRow(summary, true);
    RepaintAll();
}

void MyCug2::OnCellKeyDown(UINT* key, int) {
    if (*key == VK_ESCAPE && currentReportDialog)
        currentReportDialog->CloseReport();
}

int MyCug2::OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) {
    int d = -1;
    if (flags & UG_SORT_DESCENDING) {
        std::swap(cell1, cell2);
        d = 1;
    }
    if (!cell1 && !cell2)
        return 0;
    if (!cell1)
        return -1;
    if (!cell2)
        return 1;
    const wchar_t* text1 = cell1->GetText();
    if (!text1)
        return cell2->GetText() ? -1 : 0;
    const wchar_t* text2 = cell2->GetText() ? cell2->GetText() : L"";
    if (_wcsicmp(text1, text2) == 0)
        return 0;
    // Empty texts sort last whichever the direction.
    if (!*text1)
        return -d;
    if (!*text2)
        return d;
    if (IsPriceColumn(sortColumn) || sortColumn == kQuantityColumn)
        return CompareNumbers(_wtof(text1), _wtof(text2));
    switch (cell1->GetDataType()) {
    case UGCELLDATA_NUMBER:
    case UGCELLDATA_BOOL:
    case UGCELLDATA_CURRENCY:
        return CompareNumbers(cell1->GetNumber(), cell2->GetNumber());
    default:
        return _wcsicmp(text1, text2);
    }
}

void MyCug2::ClearRows() {
    for (long row = GetRowCount() - 1; row >= 0; --row)
        DeleteRow(row);
}

void MyCug2::AddReportRow(const ResultString& record, bool isSummary) {
    AppendRow();
    long row = GetRowCount() - 1;
    CString text;
    SetCellText(0, row, record.name);
    if (!isSummary) {
        text.Format(L"%.2f", record.price);
        SetCellText(kPriceColumn, row, text);
        text.Format(L"%i", record.quantity);
        SetCellText(kQuantityColumn, row, text);
    }
    SetCellText(3, row, record.description);
    text.Format(L"%.2f", record.total);
    SetCellText(kTotalColumn, row, text);
}

void MyCug2::FillReportGrid(const CArray<ResultString, const ResultString&>& results) {
    ClearRows();
    double sum = 0.0;
    for (INT_PTR i = 0; i < results.GetSize(); ++i) {
        const ResultString& record = results[i];
        if (priceFileLoaded && record.quantity == 0)
            continue;
        AddReportRow(record, false);
        sum += record.total;
    }
    summary = ResultString(L"Summary:", 0.0, 0, L"", sum);
    if (GetRowCount() > 0)
        AddReportRow(summary, true);
    RepaintAll();
}

void MyCug2::ApplyShowPrice() {
    if (showPrice) {
        SetColumnWidth(kPriceColumn, widths[kPriceColumn]);
        SetColumnWidth(kTotalColumn, widths[kTotalColumn]);
    } else {
        StoreColumnWidths();
        SetColumnWidth(kPriceColumn, 0);
        SetColumnWidth(kTotalColumn, 0);
    }
    RepaintAll();
}

void MyCug2::StoreColumnWidths() {
    if (!m_hWnd)
        return;
    for (int col = 0; col < kReportColumnCount; ++col)
        if (!IsPriceColumn(col) || GetColumnWidth(col) != 0)
            widths[col] = GetColumnWidth(col);
}
