// The program as `cmake --install` lays it out: it finds its module, runs the bundled example,
// and keeps each user's settings out of the installation it may not write.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "KestrelRun.h"

namespace fs = std::filesystem;

namespace {

// Runs a command line; what it printed (both streams) and "exit N" on a line of its own.
std::string Sh(const std::string& command) {
    return RunShell(command + " 2>&1; echo \"exit $?\"");
}

class InstalledProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix = ScratchDir("installed");
        // The runs' settings go to a store of the test's own, never the real home's.
        setenv("XDG_CONFIG_HOME", ScratchDir("installed-home-config").c_str(), 1);
        installLog =
            Sh(std::string(KESTREL_CMAKE) + " --install " + kBinaryDir + " --prefix " + prefix);
        // Installed as root: the module's folder is not the user's to write.
        chmod((prefix + "/lib/kestrel").c_str(), 0555);
    }
    static void TearDownTestSuite() {
        chmod((prefix + "/lib/kestrel").c_str(), 0755);
        fs::remove_all(prefix);
    }

    static std::string prefix, installLog;
};

std::string InstalledProgram::prefix, InstalledProgram::installLog;

} // namespace

TEST_F(InstalledProgram, RunsTheBundledExampleFromAnyFolder) {
    ASSERT_TRUE(Has(installLog, "exit 0")) << installLog;
    const std::string examples = prefix + "/share/doc/kestrel/examples";
    for (const char* name : {"office-plan.dxf", "office.prc", "office-bom.scr"})
        EXPECT_TRUE(fs::is_regular_file(examples + "/" + name)) << name;

    const std::string work = ScratchDir("installed-work");
    const std::string kestrel = prefix + "/bin/kestrel";
    EXPECT_TRUE(Has(Sh(kestrel + " --version"), "kestrel ")) << "exit 0";
    const std::string report =
        Sh("cd " + work + " && " + kestrel + " bom " + examples + "/office-plan.dxf --prices " +
           examples + "/office.prc --report -");
    EXPECT_TRUE(Has(report, "  Summary:                                               2861.90"))
        << report;
    EXPECT_TRUE(Has(report, "\nexit 0\n")) << report;

    // The page is the one in the sources.
    const std::string page = Sh("gzip -dc " + prefix + "/share/man/man1/kestrel.1.gz");
    EXPECT_EQ(page, ReadFile(kSourceDir + "/docs/kestrel.1") + "exit 0\n");
    EXPECT_TRUE(Entries(work).empty()); // nothing left in the folder it ran in
}

TEST_F(InstalledProgram, KeepsEachUsersSettingsInTheirConfigurationFolder) {
    const std::string examples = prefix + "/share/doc/kestrel/examples";
    const std::string config = ScratchDir("installed-config");
    const std::string run = "cd " + ScratchDir("installed-settings") +
                            " && XDG_CONFIG_HOME=" + config + " " + prefix + "/bin/kestrel " +
                            examples + "/office-plan.dxf";
    // The first report takes the price file and closes; the next takes the file it kept (an
    // empty answer to the file dialog takes the file proposed).
    const std::string first =
        Sh(run + " -c ZRBOMC -c " + examples + "/office.prc -c ALL -c '' -c 'CLICK \"&Close\"'");
    ASSERT_TRUE(Has(first, "\nexit 0\n")) << first;
    EXPECT_EQ(Entries(prefix + "/lib/kestrel"), std::vector<std::string>{"kestrel.arx"});
    EXPECT_EQ(Entries(config + "/kestrel"),
              (std::vector<std::string>{"filename.set", "kestrel2.set"}));
    EXPECT_EQ(ReadFile(config + "/kestrel/filename.set"), examples + "/office.prc");

    const std::string next = Sh(run + " -c ZRBOMC -c '' -c ALL -c '' -c 'EXPECT TEXT 214 \"" +
                                examples + "/office.prc\"' -c 'CLICK \"&Close\"'");
    EXPECT_TRUE(Has(next, "\nexit 0\n")) << next;
}
