#include "pricelist/MyCug.h"

#include "pricelist/BlockPriceDialog.h"

namespace {
const wchar_t* const kTitles[kPriceColumnCount] = {L"Block name", L"Price", L"Description"};
} // namespace

void MyCug::OnGridSetup() {
    SetSideHdgWidth(0);
    {
        CClientDC dc(this);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        SetStandardRowHeight(tm.tmHeight + 3);
    }
    if (widths[0] == -1) {
        CRect client;
        GetClientRect(&client);
        int unit = (client.Width() - GetSideHdgWidth()) / 8;
        widths[0] = 3 * unit;
        widths[1] = unit;
        widths[2] = 4 * unit;
    }
    EnablePainting(TRUE);
    SetColCount(kPriceColumnCount);
    for (int col = 0; col < kPriceColumnCount; ++col) {
        SetColumnWidth(col, widths[col]);
        SetCellText(col, -1, kTitles[col]);
    }
}

void MyCug::OnCellKeyDown(UINT* key, int) {
    if (*key == VK_ESCAPE && currentDialog)
        currentDialog->CloseAction();
}

void MyCug::InitRow(long row) {
    SetCellCellType(0, row, 1); // the built-in drop list
    SetCellText(0, row, L"");
    SetCellText(1, row, L"0");
    SetCellText(2, row, L"");
    EnablePainting(TRUE);
    RepaintRow(row);
}
