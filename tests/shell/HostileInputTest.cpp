// What a user may hand the program by mistake or on purpose: scripts in other encodings and
// line ends, FIFOs and devices where files belong, names that are paths, numbers out of
// range. Each runs as expected or is refused with a message and an exit code, quickly, and
// nothing that was not asked for is created, changed or removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "KestrelRun.h"

namespace fs = std::filesystem;

TEST(HostileInput, ScriptsWithAMarkOrOtherLineEndsRunAndOtherEncodingsAreRefused) {
    std::string dir = ScratchDir("encodings");
    const std::string lines[] = {"ZRBOMT", "EXPECT DIALOG \"BOM Template\"", "CLICK \"&Close\""};
    for (std::string end : {"\r", "\r\n", "\n"}) {
        std::ofstream(dir + "/run.scr", std::ios::binary)
            << "\xEF\xBB\xBF" << lines[0] << end << lines[1] << end << lines[2] << end;
        KestrelResult run = RunKestrel({kOfficePlan, "--script", dir + "/run.scr"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(Has(run.out, "Command: ZRBOMT\n")) << run.out;
        EXPECT_FALSE(Has(run.out, "Unknown command")) << run.out;
    }
    std::ofstream(dir + "/utf16.scr", std::ios::binary) << std::string("\xFF\xFEZ\0\n\0", 6);
    KestrelResult utf16 = RunKestrel({kOfficePlan, "--script", dir + "/utf16.scr"});
    EXPECT_EQ(utf16.exitCode, 2);
    EXPECT_TRUE(Has(utf16.err, "utf16.scr is UTF-16 text")) << utf16.err;
    std::ofstream(dir + "/latin1.scr", std::ios::binary) << "ZRBOMT\nTYPE \"caf\xE9\"\n";
    KestrelResult latin1 = RunKestrel({kOfficePlan, "--script", dir + "/latin1.scr"});
    EXPECT_EQ(latin1.exitCode, 2);
    EXPECT_TRUE(Has(latin1.err, "is not UTF-8 text (line 2)")) << latin1.err;
    EXPECT_EQ(latin1.out, ""); // refused before anything ran
}

TEST(HostileInput, WhatIsNotAFileIsRefusedWithoutWaiting) {
    std::string dir = ScratchDir("not-files");
    ASSERT_EQ(mkfifo((dir + "/fifo.scr").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dir + "/fifo.prc").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir + "/zero.prc");
    for (const std::string& script : {dir + "/fifo.scr", std::string("/dev/zero"), dir}) {
        KestrelResult run = RunKestrel({kOfficePlan, "--script", script}, "", 5);
        EXPECT_EQ(run.exitCode, 2) << script;
        EXPECT_TRUE(Has(run.err, "is not a regular file")) << run.err;
    }
    // A price file that is not a file does not open, with the module's usual alert.
    for (const std::string& prices : {dir + "/fifo.prc", dir + "/zero.prc"}) {
        KestrelResult run = RunKestrel(
            WithLines({kOfficePlan}, {"ZRBOMC", prices,
                                      "EXPECT ALERT \"File " + prices + " could  not be opened\"",
                                      "CLICK \"OK\""}),
            "", 5);
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"fifo.prc", "fifo.scr", "zero.prc"}));
}

TEST(HostileInput, SettingsFilesLieInTheModulesFolderAsSpeltAndWhatIsNotAFileIsSkipped) {
    std::string root = ScratchDir("settings");
    std::string folder = root + "/Kestrel Tools";
    fs::create_directories(folder);
    std::string module = ModuleIn(folder);
    std::vector<std::string> report = {"ZRBOMC", kSourceDir + "/examples/office.prc", "ALL", "",
                                       "CLICK \"&Close\""};
    KestrelResult saved = RunKestrel(WithLines({kOfficePlan, "--module", module}, report));
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(Entries(folder),
              (std::vector<std::string>{"filename.set", "kestrel.arx", "kestrel2.set"}));
    EXPECT_EQ(ReadFile(folder + "/filename.set"), kSourceDir + "/examples/office.prc");
    EXPECT_EQ(Entries(root), std::vector<std::string>{"Kestrel Tools"});

    // FIFOs and a device in their place are neither read nor replaced.
    fs::remove(folder + "/filename.set");
    fs::remove(folder + "/kestrel2.set");
    ASSERT_EQ(mkfifo((folder + "/filename.set").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((folder + "/kestrel2.set").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder + "/kestrel1.set");
    report.insert(report.end(), {"ZRBOMT", "CLICK \"&Close\""});
    KestrelResult skipped = RunKestrel(WithLines({kOfficePlan, "--module", module}, report), "", 5);
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err;
    EXPECT_TRUE(fs::is_fifo(folder + "/filename.set"));
    EXPECT_TRUE(fs::is_fifo(folder + "/kestrel2.set"));
    EXPECT_TRUE(fs::is_symlink(folder + "/kestrel1.set"));
}

TEST(HostileInput, NamesThatAreNotFileNamesAreRefused) {
    std::string dir = ScratchDir("names");
    fs::create_directories(dir + "/shots");
    for (std::string name : {"../x", "sub/x", "..", "/tmp/x"}) {
        KestrelResult shot = RunKestrel(
            WithLines({kOfficePlan, "--shots", "shots"}, {"ZRBOMT", "SHOT " + name}), "", 10, dir);
        EXPECT_EQ(shot.exitCode, 2) << name;
        EXPECT_TRUE(Has(shot.err, "SHOT takes a file name, not a path")) << shot.err;
    }
    KestrelResult shot = RunKestrel(
        WithLines({kOfficePlan, "--shots", "shots"}, {"ZRBOMT", "SHOT x", "CLICK \"&Close\""}), "",
        10, dir);
    EXPECT_EQ(shot.exitCode, 0) << shot.err;
    EXPECT_EQ(Entries(dir + "/shots"), std::vector<std::string>{"x.png"});

    for (std::string option : {"-o", "--script", "--shots", "--module"}) {
        KestrelResult empty = RunKestrel({kOfficePlan, option, ""}, "", 10, dir);
        EXPECT_EQ(empty.exitCode, 2) << option;
        EXPECT_TRUE(Has(empty.err, option + " needs a")) << empty.err;
    }
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"shots"});
}

TEST(HostileInput, NumbersOutOfRangeAreRefusedNotOverflowed) {
    for (std::string line : {"MOUSE DOWN 2147483647,5", "MOUSE MOVE 5,-1e300", "CLICK 99999999999",
                             "KEY F99999999999", "WAIT 1e30", "EXPECT TEXT 1e12 \"\""}) {
        KestrelResult run = RunKestrel(WithLines({kOfficePlan}, {"ZRBOMT", line}));
        EXPECT_EQ(run.exitCode, 2) << line << "\n" << run.err;
        EXPECT_TRUE(Has(run.err, "-c 2: ")) << run.err;
    }
}
