#include <gtest/gtest.h>

#include "tests/support/ScratchDir.h"
#include "tests/ui/ScriptedInput.h"

#include <afxwin.h>

#include "pricelist/BlockPriceDialog.h"
#include "report/CalcPriceDialog.h"
#include "report/ReportState.h"
#include "resources/KestrelResources.h"

namespace {

// The settings files lie beside the module; in this test program that is the current directory.
class InScratchDirectory {
public:
    InScratchDirectory() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir.Path("."));
    }
    ~InScratchDirectory() { std::filesystem::current_path(previous_); }
    ScratchDir dir;

private:
    std::filesystem::path previous_;
};

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
    EXPECT_EQ(here.dir.Read("kestrel2.set"), "-1 -1 -1 -1 -1 ");
    EXPECT_EQ(here.dir.Read("filename.set"), "/plans/office prices.prc");

    // The next report reads them back.
    reportPriceFile = L"";
    CalcPriceDialog next;
    next.ReadSettings();
    EXPECT_EQ(reportPriceFile, CString(L"/plans/office prices.prc"));

    // Esc ends the report without keeping anything.
    std::filesystem::remove(here.dir.Path("filename.set"));
    ScriptedInput script;
    script.Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(next.DoModal(), IDCANCEL);
    EXPECT_FALSE(here.dir.Exists("filename.set"));
}
