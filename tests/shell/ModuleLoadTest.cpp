#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>

#include <accmd.h>
#include <acdocman.h>
#include <rxdlinkr.h>

#include "Utf8.h"
#include "rx/HostState.h"

#include "shell/LoadedModule.h"
#include "tests/support/ScratchDir.h"

namespace {
const std::string kModule = KESTREL_BINARY_DIR "/bin/kestrel.arx";

// The module's own answer to where its file is.
std::string ModulePathOf(const shell::LoadedModule& module) {
    auto modulePath =
        reinterpret_cast<const wchar_t* (*)()>(dlsym(module.AppId(), "_Z10ModulePathv"));
    return modulePath ? crt::ToUtf8(modulePath()) : "(no ModulePath)";
}
} // namespace

// The module registers in this process's command stack (not in a copy of its own), finds its
// own file, and leaves nothing behind when unloaded.
TEST(ModuleLoad, TheLoadedModuleUsesTheHostsServicesAndLeavesCleanly) {
    std::string error;
    auto module = shell::LoadedModule::Open(kModule, error);
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(ModulePathOf(*module), kModule);
    EXPECT_TRUE(IsAcUiReady());

    EXPECT_EQ(module->Init(), AcRx::kRetOK);
    AcEdCommand* report = acedRegCmds->lookupCmd(L"ZRBOMC");
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isTransparent());
    EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(module->AppId()));
    std::size_t depth = acDocManager->resourceDepth();
    report->functionAddr()();
    acedRegCmds->lookupCmd(L"ZRBOMT")->functionAddr()();
    EXPECT_EQ(acDocManager->resourceDepth(), depth);

    EXPECT_EQ(module->Unload(), AcRx::kRetOK);
    EXPECT_EQ(acedRegCmds->lookupCmd(L"ZRBOMT"), nullptr);
    EXPECT_EQ(acedRegCmds->lookupCmd(L"ZRBOMC"), nullptr);
    module.reset();
    // Unloading really unloads: nothing in the module pins it in the process.
    EXPECT_EQ(dlopen(kModule.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

// The module's path is the one it was loaded by: through a link, the link's (the settings files
// lie beside it), not the file the link leads to.
TEST(ModuleLoad, TheModulePathIsThePathItWasLoadedBy) {
    ScratchDir dir;
    const std::string link = dir.Path("Kestrel Link.arx").string();
    std::filesystem::create_symlink(kModule, link);
    std::string error;
    auto module = shell::LoadedModule::Open(link, error);
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(ModulePathOf(*module), link);
}

TEST(ModuleLoad, RefusesWhatIsNotAModule) {
    std::string error;
    EXPECT_FALSE(shell::LoadedModule::Open("/nonexistent/kestrel.arx", error));
    EXPECT_NE(error.find("cannot load"), std::string::npos);
    // A shared library without the entry points.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&dlopen), &info), 0);
    EXPECT_FALSE(shell::LoadedModule::Open(info.dli_fname, error));
    EXPECT_NE(error.find("no acrxEntryPoint"), std::string::npos) << error;
}
