#include <filesystem>
#include <gtest/gtest.h>

#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
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
