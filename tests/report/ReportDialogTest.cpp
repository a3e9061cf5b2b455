#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "tests/support/ScratchDir.h"
#include "tests/ui/ScriptedInput.h"

#include <afxwin.h>

#include "grid/CUGGrid.h"
#include "pricelist/BlockPriceDialog.h"
#include "report/CalcPriceDialog.h"
#include "report/ReportState.h"
#include "resources/KestrelResources.h"

namespace {

bool Enabled(CDialog& dialog, int id) {
    return dialog.GetDlgItem(id)->IsWindowEnabled();
}

} // namespace

TEST(DialogShells, TemplateStartsWithoutAListAndEndsAtTheTitleBarsClose) {
    AfxSetResourceHandle(KestrelResources());
    BlockPriceDialog dialog;
    EXPECT_EQ(currentDialog, &dialog);
    std::vector<bool> enabled;
    CString label;
    ScriptedInput script;
    script
        .Then([&] {
            for (int id : {IDC_TEMPLATE_NEW, IDC_TEMPLATE_OPEN, IDC_TEMPLATE_CLOSE,
                           IDC_TEMPLATE_SAVE, IDC_TEMPLATE_SAVE_AS, IDC_TEMPLATE_INSERT_ROW,
                           IDC_TEMPLATE_DELETE_ROW, IDC_TEMPLATE_MOVE_UP, IDC_TEMPLATE_MOVE_DOWN})
                enabled.push_back(Enabled(dialog, id));
            label = dialog.GetDlgItem(IDC_TEMPLATE_FILE_NAME)->GetWindowText();
        })
        .Then([&] { dialog.SendMessage(WM_CLOSE); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(enabled,
              (std::vector<bool>{true, true, true, false, false, false, false, false, false}));
    EXPECT_EQ(label, L"");
    EXPECT_EQ(dialog.listOpen, 0);
    EXPECT_EQ(script.Remaining(), 0u);
}

TEST(DialogShells, ReportShowsThePriceFileAndKeepsItsSettingsWhenClosed) {
    InScratchDirectory here;
    AfxSetResourceHandle(KestrelResources());
    reportPriceFile = L"/plans/office prices.prc";
    showPrice = 1;
    CString label;
    int checked = -1;
    {
        CalcPriceDialog dialog;
        EXPECT_EQ(currentReportDialog, &dialog);
        ScriptedInput script;
        script
            .Then([&] {
                label = dialog.GetDlgItem(IDC_REPORT_FILE_NAME)->GetWindowText();
                checked =
                    static_cast<CButton*>(dialog.GetDlgItem(IDC_REPORT_SHOW_PRICE))->GetCheck();
                EXPECT_FALSE(dialog.GetDlgItem(IDC_REPORT_ATTACH_NEW)->IsWindowVisible());
            })
            .Then([&] { dialog.SendMessage(WM_CLOSE); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(currentReportDialog, nullptr);
    EXPECT_EQ(label, L"/plans/office prices.prc");
    EXPECT_EQ(checked, BST_CHECKED);
    // With no widths remembered the five columns share the grid's width equally.
    std::string widths = here.dir.Read("kestrel2.set");
    int w[5] = {};
    ASSERT_EQ(std::sscanf(widths.c_str(), "%d %d %d %d %d", &w[0], &w[1], &w[2], &w[3], &w[4]), 5)
        << widths;
    EXPECT_GT(w[0], 0);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(w[i], w[0]) << widths;
    EXPECT_EQ(here.dir.Read("filename.set"), "/plans/office prices.prc");

    // The next report reads them back.
    reportPriceFile = L"";
    CalcPriceDialog next;
    next.ReadSettings();
    EXPECT_EQ(reportPriceFile, CString(L"/plans/office prices.prc"));

    // Esc in the grid closes the report as "&Close" does, keeping the settings.
    std::filesystem::remove(here.dir.Path("filename.set"));
    ScriptedInput script;
    script.Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(next.DoModal(), IDCANCEL);
    EXPECT_TRUE(here.dir.Exists("filename.set"));
}

TEST(DialogShells, BothDialogsShowARealGridInTheirPlaceholder) {
    InScratchDirectory here;
    AfxSetResourceHandle(KestrelResources());
    CalcPriceDialog report;
    report.results.Add(ResultString(L"door", 120.0, 2, L"Interior door", 240.0));
    report.results.Add(ResultString(L"chair", 89.9, 1, L"", 89.9));
    CString title, price, quantity, summary, total;
    CRect placeholder, cells;
    ScriptedInput script;
    script.Then([&] {
        MyCug2& grid = report.grid;
        EXPECT_EQ(report.GetDlgItem(IDC_REPORT_GRID), &grid);
        EXPECT_TRUE(grid.GetStyle() & WS_BORDER);
        EXPECT_EQ(grid.GetColCount(), 5);
        EXPECT_EQ(grid.GetRowCount(), 3);
        title = grid.GetCellText(1, -1);
        price = grid.GetCellText(1, 0);
        quantity = grid.GetCellText(2, 1);
        summary = grid.GetCellText(0, 2);
        total = grid.GetCellText(4, 2);
        EXPECT_EQ(grid.GetCellText(1, 2), CString(L"")); // no price in the summary
        grid.GetClientRect(&placeholder);
        grid.grid->GetWindowRect(&cells);
        grid.ScreenToClient(&cells);
        report.SendMessage(WM_CLOSE);
    });
    report.DoModal();
    EXPECT_EQ(title, CString(L"Item Price"));
    EXPECT_EQ(price, CString(L"120.00"));
    EXPECT_EQ(quantity, CString(L"1"));
    EXPECT_EQ(summary, CString(L"Summary:"));
    EXPECT_EQ(total, CString(L"329.90"));
    // No row titles: the cells start at the left edge, under the heading.
    EXPECT_EQ(cells.left, 0);
    EXPECT_EQ(cells.top, 20);
    EXPECT_EQ(cells.right, placeholder.right);

    // The template's grid waits for the first list created or opened (tests/pricelist).
    BlockPriceDialog prices;
    ScriptedInput again;
    again.Then([&] { prices.SendMessage(WM_CLOSE); });
    prices.DoModal();
    EXPECT_EQ(prices.gridAttached, 0);
}
