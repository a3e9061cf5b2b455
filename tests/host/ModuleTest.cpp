#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <stdexcept>
#include <unistd.h>

#include "host/CommandFrame.h"
#include "host/Commands.h"

#include <accmd.h>
#include <rxdlinkr.h>

#include "Utf8.h"
#include "rx/HostState.h"

TEST(ModuleEntry, InitRegistersBothCommandsAndUnloadRemovesThem) {
    int appId = 0;
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, &appId), AcRx::kRetOK);
    AcEdCommand* templateCommand = acedRegCmds->lookupCmd(L"ZRBOMT");
    AcEdCommand* reportCommand = acedRegCmds->lookupCmd(L"zrbomc");
    ASSERT_NE(templateCommand, nullptr);
    ASSERT_NE(reportCommand, nullptr);
    EXPECT_EQ(templateCommand->commandFlags(), ACRX_CMD_MODAL);
    EXPECT_EQ(reportCommand->commandFlags(), ACRX_CMD_TRANSPARENT);
    EXPECT_STREQ(templateCommand->groupName(), L"BlockPrice_Group");
    EXPECT_EQ(acedRegCmds->lookupCmd(L"_BlockPrice_Global"), templateCommand);
    EXPECT_EQ(acedRegCmds->lookupCmd(L"_CalcPrice_Global"), reportCommand);
    EXPECT_EQ(templateCommand->functionAddr(), &BlockPriceCommand);
    EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(&appId));
    EXPECT_TRUE(acrxDynamicLinker->isAppMDIAware(&appId));

    EXPECT_EQ(acrxEntryPoint(AcRx::kLoadDwgMsg, &appId), AcRx::kRetOK);
    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &appId), AcRx::kRetOK);
    EXPECT_EQ(acedRegCmds->lookupCmd(L"ZRBOMT"), nullptr);
    EXPECT_EQ(acedRegCmds->lookupCmd(L"ZRBOMC"), nullptr);
    EXPECT_EQ(acrxGetApiVersion(), kAcadApiVersion);
}

TEST(ModuleEntry, AttachKeepsTheFirstInstanceAndStoresThePath) {
    static int marker;
    auto first = reinterpret_cast<HINSTANCE>(&marker);
    EXPECT_EQ(ModuleMain(first, DLL_PROCESS_ATTACH), TRUE);
    EXPECT_EQ(ModuleMain(reinterpret_cast<HINSTANCE>(0x10), DLL_PROCESS_ATTACH), TRUE);
    EXPECT_EQ(ModuleInstance(), first);
    EXPECT_EQ(ExtensionModule().attached, 1);
    EXPECT_TRUE(IsAcUiReady());
    // Here the "module" is this test program.
    char self[PATH_MAX];
    ASSERT_NE(realpath("/proc/self/exe", self), nullptr);
    EXPECT_EQ(crt::ToUtf8(ModulePath()), self);

    EXPECT_EQ(ModuleMain(first, DLL_PROCESS_DETACH), TRUE);
    EXPECT_EQ(ExtensionModule().attached, 0);
    EXPECT_STREQ(ModulePath(), L""); // the next attach, or none, decides where settings go
    EXPECT_EQ(ModuleMain(first, DLL_PROCESS_DETACH), TRUE); // detaching twice is harmless
}

namespace {

struct FrameLog {
    HINSTANCE resourceDuringRun = nullptr;
    CWnd* parent = nullptr;
    int destroyed = 0;
};
FrameLog frameLog;

template <bool Throws> struct RecordingDialog {
    explicit RecordingDialog(CWnd* parent) { frameLog.parent = parent; }
    ~RecordingDialog() { ++frameLog.destroyed; }
    INT_PTR DoModal() {
        frameLog.resourceDuringRun = acDocManager->resourceHandle();
        if (Throws)
            throw std::runtime_error("dialog failed");
        return IDOK;
    }
};

} // namespace

TEST(CommandFrame, RunsTheDialogWithModuleResourcesAndRestoresThemOnEveryExit) {
    static int marker;
    ModuleMain(reinterpret_cast<HINSTANCE>(&marker), DLL_PROCESS_ATTACH);
    auto mainWindow = reinterpret_cast<HWND>(0x77);
    SetAcadMainWindow(mainWindow);
    std::size_t depth = acDocManager->resourceDepth();

    frameLog = {};
    EXPECT_EQ(RunModalDialogFrame<RecordingDialog<false>>(), IDOK);
    EXPECT_EQ(frameLog.resourceDuringRun, ModuleInstance());
    EXPECT_EQ(frameLog.parent, mainWindow);
    EXPECT_EQ(frameLog.destroyed, 1);
    EXPECT_EQ(acDocManager->resourceDepth(), depth);

    frameLog = {};
    EXPECT_THROW(RunModalDialogFrame<RecordingDialog<true>>(), std::runtime_error);
    EXPECT_EQ(frameLog.destroyed, 1);
    EXPECT_EQ(acDocManager->resourceDepth(), depth);

    SetAcadMainWindow(nullptr);
    ModuleMain(ModuleInstance(), DLL_PROCESS_DETACH);
}
