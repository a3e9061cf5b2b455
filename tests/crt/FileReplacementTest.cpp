// The platform's one way of replacing a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "FileReplacement.h"
#include "tests/support/ScratchDir.h"

using crt::FileReplacement;

namespace {

std::vector<std::string> Entries(const ScratchDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Write(const FileReplacement& file, const std::string& bytes) {
    return write(file.Descriptor(), bytes.data(), bytes.size()) ==
           static_cast<ssize_t>(bytes.size());
}

} // namespace

TEST(FileReplacement, TheBackupTakesTheExtensionsPlace) {
    EXPECT_EQ(FileReplacement::BackupPath("plan.dxf"), "plan.bak");
    EXPECT_EQ(FileReplacement::BackupPath("/a.b/plan"), "/a.b/plan.bak");
    EXPECT_EQ(FileReplacement::BackupPath("dir/.hidden"), "dir/.hidden.bak");
    EXPECT_EQ(FileReplacement::BackupPath("keep.bak"), "keep.bak");
}

TEST(FileReplacement, TemporaryFilesAreUniqueAndGoneWhateverHappens) {
    ScratchDir dir;
    dir.Write("plan.dxf", "old");
    const std::string target = dir.Path("plan.dxf").string();
    FileReplacement first, second;
    ASSERT_TRUE(first.Begin(target, FileReplacement::Backup::Keep)) << first.Failure();
    ASSERT_TRUE(second.Begin(target, FileReplacement::Backup::Keep)) << second.Failure();
    EXPECT_EQ(Entries(dir).size(), 3u); // two temporary files of their own beside the target
    EXPECT_EQ(dir.Read("plan.dxf"), "old");
    second.Abandon();
    {
        FileReplacement dropped; // not committed: gone with its owner
        ASSERT_TRUE(dropped.Begin(target, FileReplacement::Backup::None));
    }
    EXPECT_EQ(Entries(dir).size(), 2u);
    ASSERT_TRUE(Write(first, "new"));
    ASSERT_TRUE(first.Commit()) << first.Failure();
    EXPECT_EQ(dir.Read("plan.dxf"), "new");
    EXPECT_EQ(dir.Read("plan.bak"), "old");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"plan.bak", "plan.dxf"}));

    // A replacement whose target is gone by the time it ends fails and cleans up.
    std::filesystem::create_directory(dir.Path("sub"));
    FileReplacement late;
    ASSERT_TRUE(late.Begin(dir.Path("sub/x.dxf").string(), FileReplacement::Backup::None));
    ASSERT_TRUE(Write(late, "x"));
    std::filesystem::create_directory(dir.Path("sub/x.dxf")); // now a folder stands there
    EXPECT_FALSE(late.Commit());
    EXPECT_EQ(
        std::vector<std::string>{"x.dxf"},
        std::vector<std::string>{
            std::filesystem::directory_iterator(dir.Path("sub"))->path().filename().string()});
}

TEST(FileReplacement, RefusesBeforeWritingAnythingWithAMessage) {
    ScratchDir dir;
    dir.Write("locked", "locked");
    chmod(dir.Path("locked").c_str(), 0444);
    std::filesystem::create_directory(dir.Path("folder"));
    FileReplacement file;
    EXPECT_FALSE(file.Begin(dir.Path("locked").string(), FileReplacement::Backup::Keep));
    EXPECT_NE(file.Failure().find("the file is read-only"), std::string::npos) << file.Failure();
    EXPECT_FALSE(file.Begin(dir.Path("folder").string(), FileReplacement::Backup::Keep));
    EXPECT_FALSE(file.Begin(dir.Path("missing/x").string(), FileReplacement::Backup::Keep));
    EXPECT_NE(file.Failure().find("cannot create a temporary file beside"), std::string::npos);
    EXPECT_FALSE(file.Begin("/dev/null", FileReplacement::Backup::Keep));
    EXPECT_NE(file.Failure().find("it is not a file"), std::string::npos) << file.Failure();
    std::filesystem::create_symlink("loop", dir.Path("loop"));
    EXPECT_FALSE(file.Begin(dir.Path("loop").string(), FileReplacement::Backup::Keep));
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"folder", "locked", "loop"}));
    EXPECT_EQ(dir.Read("locked"), "locked");
}
