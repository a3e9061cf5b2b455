#include <filesystem>
#include <gtest/gtest.h>

#include <afxwin.h>

#include "resources/KestrelResources.h"
#include "tests/ui/ScriptedInput.h"

namespace {

std::filesystem::path ShotsDir() {
    std::filesystem::path dir = std::filesystem::path(KESTREL_BINARY_DIR) / "shots";
    std::filesystem::create_directories(dir);
    return dir;
}

struct TemplateRun {
    INT_PTR result = 0;
    std::vector<std::wstring> failures;
};

TemplateRun RunTemplate(UINT id, const std::wstring& shotName, const std::wstring& closeWith) {
    AfxSetResourceHandle(KestrelResources());
    ScriptedInput script;
    std::wstring path = (ShotsDir() / shotName).wstring();
    script.Verb([&] { return ui::Shot(path); }).Verb([&] { return ui::Click(closeWith); });
    CDialog dialog(id);
    TemplateRun run;
    run.result = dialog.DoModal();
    run.failures = script.failures;
    return run;
}

} // namespace

TEST(DialogTemplate, TemplatesRunAndCloseFromTheirButtons) {
    TemplateRun t = RunTemplate(IDD_BOM_TEMPLATE, L"template.png", L"&Close");
    EXPECT_TRUE(t.failures.empty());
    // The base dialog knows nothing of Close (205): the click leaves it open until the
    // script runs out, which ends the loop with -1.
    EXPECT_EQ(t.result, -1);
    TemplateRun r = RunTemplate(IDD_BOM_REPORT, L"report.png", L"Close");
    EXPECT_TRUE(r.failures.empty());
    EXPECT_TRUE(std::filesystem::exists(ShotsDir() / "template.png"));
    EXPECT_TRUE(std::filesystem::exists(ShotsDir() / "report.png"));
}

namespace {

// The template dialog as it starts: file buttons enabled, list buttons disabled, and a red
// status line the way the module's dialog colours it.
class TemplateAtStart : public CDialog {
public:
    TemplateAtStart() : CDialog(IDD_BOM_TEMPLATE) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (int id : {IDC_TEMPLATE_SAVE, IDC_TEMPLATE_SAVE_AS, IDC_TEMPLATE_INSERT_ROW,
                       IDC_TEMPLATE_DELETE_ROW, IDC_TEMPLATE_MOVE_UP, IDC_TEMPLATE_MOVE_DOWN})
            GetDlgItem(id)->EnableWindow(FALSE);
        SetDlgItemText(IDC_TEMPLATE_STATUS, L"Block name is absent");
        SetDlgItemText(IDC_TEMPLATE_FILE_NAME, L"/home/user/prices/doors.prc");
        return TRUE;
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override {
        HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
        if (wnd->GetDlgCtrlID() == IDC_TEMPLATE_STATUS)
            dc->SetTextColor(RGB(255, 0, 0));
        return brush;
    }
};

} // namespace

TEST(DialogTemplate, StartStateShowsDisabledButtonsAndColouredStatus) {
    AfxSetResourceHandle(KestrelResources());
    TemplateAtStart dialog;
    ScriptedInput script;
    std::wstring path = (ShotsDir() / "template-start.png").wstring();
    std::wstring boxPath = (ShotsDir() / "messagebox.png").wstring();
    bool redSeen = false;
    int boxAnswer = 0;
    script
        .Then([&] {
            // Red ink somewhere in the status line.
            CWnd* status = dialog.GetDlgItem(IDC_TEMPLATE_STATUS);
            status->UpdateWindow();
            CClientDC dc(status);
            CRect r;
            status->GetClientRect(&r);
            for (int y = 0; y < r.bottom; ++y)
                for (int x = 0; x < r.right; ++x)
                    redSeen |= dc.GetPixel(x, y) == RGB(255, 0, 0);
        })
        .Verb([&] { return ui::Shot(path); })
        .Then([&] {
            boxAnswer = dialog.MessageBox(L"Save changes to /home/user/prices/doors.prc",
                                          L"Kestrel", MB_YESNOCANCEL | MB_ICONQUESTION);
        })
        .Verb([&] { return ui::Shot(boxPath); })
        .Verb([] { return ui::Click(L"Cancel"); })
        .Verb([] { return ui::Click(L"Save"); }) // disabled: refused, nothing happens
        .Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(redSeen);
    EXPECT_EQ(boxAnswer, IDCANCEL);
    ASSERT_EQ(script.failures.size(), 1u);
    EXPECT_NE(script.failures[0].find(L"disabled"), std::wstring::npos);
}

TEST(DialogTemplate, ReportShowsItsCheckBoxAndHidesAttachNew) {
    AfxSetResourceHandle(KestrelResources());
    CDialog dialog(IDD_BOM_REPORT);
    ScriptedInput script;
    std::wstring path = (ShotsDir() / "report-start.png").wstring();
    bool attachVisible = true;
    script
        .Then([&] {
            dialog.CheckDlgButton(IDC_REPORT_SHOW_PRICE, BST_CHECKED);
            dialog.SetDlgItemText(IDC_REPORT_FILE_NAME, L"/home/user/prices/doors.prc");
            dialog.GetDlgItem(IDC_REPORT_GRID)->SetFocus();
            attachVisible = dialog.GetDlgItem(IDC_REPORT_ATTACH_NEW)->IsWindowVisible();
        })
        .Verb([&] { return ui::Shot(path); })
        .Verb([] { return ui::Click(L"Show Price"); })
        .Verb([] { return ui::Click(L"Attach New"); })
        .Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(attachVisible);
    ASSERT_EQ(script.failures.size(), 1u);
    EXPECT_NE(script.failures[0].find(L"hidden"), std::wstring::npos);
}
