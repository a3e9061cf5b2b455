#include "report/MyCug2.h"

#include "report/CalcPriceDialog.h"

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
}

void MyCug2::OnCellKeyDown(UINT* key, int) {
    if (*key == VK_ESCAPE && currentReportDialog)
        currentReportDialog->CloseReport();
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
        SetCellText(1, row, text);
        text.Format(L"%i", record.quantity);
        SetCellText(2, row, text);
    }
    SetCellText(3, row, record.description);
    text.Format(L"%.2f", record.total);
    SetCellText(4, row, text);
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

void MyCug2::StoreColumnWidths() {
    if (!m_hWnd)
        return;
    for (int col = 0; col < kReportColumnCount; ++col)
        if (col == 0 || col == 2 || col == 3 || GetColumnWidth(col) != 0)
            widths[col] = GetColumnWidth(col);
}
