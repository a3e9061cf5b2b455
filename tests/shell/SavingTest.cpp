// Files are the user's: a save keeps what the user set up (mode, links), refuses what may not be
// written, leaves nothing behind, and paths reach the file system as the bytes they were given
// as, from the command line or a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "KestrelRun.h"

namespace fs = std::filesystem;

namespace {

std::string CopyOfPlan(const std::string& path) {
    fs::copy_file(kOfficePlan, path, fs::copy_options::overwrite_existing);
    return path;
}

unsigned ModeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST(Saving, ATargetNamedLikeItsBackupIsSavedWithoutOne) {
    std::string dir = ScratchDir("bak-target");
    CopyOfPlan(dir + "/plan.bak");
    KestrelResult save = RunKestrel(
        {"plan.bak", "-c", "ZRBOMT", "-c", "CLICK \"&Close\"", "-c", "SAVE"}, "", 10, dir);
    EXPECT_EQ(save.exitCode, 0) << save.err;
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"plan.bak"});
    EXPECT_EQ(ReadFile(dir + "/plan.bak"), ReadFile(kOfficePlan)); // unchanged, so the same bytes

    CopyOfPlan(dir + "/plan.dxf");
    std::ofstream(dir + "/keep.bak") << "an older file";
    KestrelResult output = RunKestrel({"plan.dxf", "-o", "keep.bak"}, "", 10, dir);
    EXPECT_EQ(output.exitCode, 0) << output.err;
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"keep.bak", "plan.bak", "plan.dxf"}));
    EXPECT_EQ(ReadFile(dir + "/keep.bak"), ReadFile(kOfficePlan));
}

TEST(Saving, KeepsTheModeAndWritesThroughLinksWithTheBackupBesideTheTarget) {
    std::string dir = ScratchDir("links");
    std::string plan = CopyOfPlan(dir + "/plan.dxf");
    chmod(plan.c_str(), 0600);
    fs::create_directory(dir + "/real");
    std::ofstream(dir + "/real/target.dxf") << "the previous target";
    fs::create_symlink("real/target.dxf", dir + "/link.dxf");

    KestrelResult run = RunKestrel({"plan.dxf", "-c", "SAVE", "-o", "link.dxf"}, "", 10, dir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ModeOf(plan), 0600u);
    EXPECT_EQ(ModeOf(dir + "/plan.bak"), 0600u);
    EXPECT_TRUE(fs::is_symlink(dir + "/link.dxf"));
    EXPECT_EQ(fs::read_symlink(dir + "/link.dxf"), "real/target.dxf");
    EXPECT_EQ(ReadFile(dir + "/real/target.dxf"), ReadFile(kOfficePlan));
    EXPECT_EQ(ReadFile(dir + "/real/target.bak"), "the previous target");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"link.dxf", "plan.bak", "plan.dxf", "real"}));
    EXPECT_EQ(Entries(dir + "/real"), (std::vector<std::string>{"target.bak", "target.dxf"}));
}

TEST(Saving, RefusesReadOnlyFilesAndFoldersAndChangesNothing) {
    std::string dir = ScratchDir("read-only");
    CopyOfPlan(dir + "/plan.dxf");
    std::ofstream(dir + "/locked.dxf") << "locked";
    chmod((dir + "/locked.dxf").c_str(), 0444);
    fs::create_directory(dir + "/shut");
    chmod((dir + "/shut").c_str(), 0555);

    KestrelResult file = RunKestrel({"plan.dxf", "-o", "locked.dxf"}, "", 10, dir);
    EXPECT_EQ(file.exitCode, 2);
    EXPECT_TRUE(Has(file.err, "cannot write locked.dxf: the file is read-only")) << file.err;
    EXPECT_EQ(ReadFile(dir + "/locked.dxf"), "locked");

    KestrelResult folder = RunKestrel({"plan.dxf", "-c", "SAVE shut/x.dxf"}, "", 10, dir);
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_TRUE(Has(folder.err, "the folder is read-only")) << folder.err;
    EXPECT_TRUE(Entries(dir + "/shut").empty());
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"locked.dxf", "plan.dxf", "shut"}));
    chmod((dir + "/shut").c_str(), 0755);
}

TEST(Saving, AFileSizeLimitGivesFileTooLargeAndLeavesTheTarget) {
    std::string dir = ScratchDir("size-limit");
    CopyOfPlan(dir + "/plan.dxf");
    std::ofstream(dir + "/out.dxf") << "the previous output";
    // 8 blocks of 512 bytes: less than the drawing.
    const std::string command = "cd '" + dir + "' && ulimit -f 8 && '" + kKestrel +
                                "' plan.dxf -o out.dxf 2>&1; echo \"exit $?\"";
    const std::string output = RunShell(command);
    EXPECT_TRUE(Has(output, "cannot write out.dxf: File too large")) << output;
    EXPECT_TRUE(Has(output, "exit 2")) << output;
    EXPECT_EQ(ReadFile(dir + "/out.dxf"), "the previous output");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"out.dxf", "plan.dxf"}));
}

TEST(Paths, ReachTheFileSystemAsTheBytesTheyWereGivenAs) {
    std::string dir = ScratchDir("bytes");
    fs::create_directory(dir + "/sub");
    CopyOfPlan(dir + "/sub/plan.dxf");
    // An overlong "/" is no separator, and an overlong NUL does not end the name.
    KestrelResult overlong = RunKestrel({"plan.dxf", "-o",
                                         "..\xc0\xaf"
                                         "escaped.dxf",
                                         "-c",
                                         "SAVE a\xc0\x80"
                                         "b.dxf"},
                                        "", 10, dir + "/sub");
    EXPECT_EQ(overlong.exitCode, 0) << overlong.err;
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"sub"});
    EXPECT_EQ(Entries(dir + "/sub"), (std::vector<std::string>{"..\xc0\xaf"
                                                               "escaped.dxf",
                                                               "a\xc0\x80"
                                                               "b.dxf",
                                                               "plan.dxf"}));

    // A Latin-1 name opens, saves under its own bytes and keeps its backup beside it. (A
    // script file is UTF-8 text, so such a name comes from the command line.)
    std::string latin = dir + "/caf\xe9";
    fs::create_directory(latin);
    CopyOfPlan(latin + "/plan \xe9t\xe9.dxf");
    KestrelResult run = RunKestrel({"plan \xe9t\xe9.dxf", "-c", "SAVE \"copie \xe9t\xe9.dxf\"",
                                    "-c", "SAVE", "-o", "sortie \xe9t\xe9.dxf"},
                                   "", 10, latin);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Entries(latin),
              (std::vector<std::string>{"copie \xe9t\xe9.dxf", "plan \xe9t\xe9.bak",
                                        "plan \xe9t\xe9.dxf", "sortie \xe9t\xe9.dxf"}));
    // A UTF-8 script's names reach the file system as the script's bytes.
    std::ofstream(latin + "/script.scr") << "SAVE \"copie \xc3\xa9t\xc3\xa9.dxf\"\n";
    KestrelResult script =
        RunKestrel({"plan \xe9t\xe9.dxf", "--script", "script.scr"}, "", 10, latin);
    EXPECT_EQ(script.exitCode, 0) << script.err;
    EXPECT_TRUE(fs::exists(latin + "/copie \xc3\xa9t\xc3\xa9.dxf"));
}
