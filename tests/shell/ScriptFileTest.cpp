#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/ScriptFile.h"
#include "tests/support/ScratchDir.h"

using shell::SplitScript;
using namespace std::string_view_literals;

namespace {

std::vector<std::wstring> Lines(std::string_view bytes) {
    std::string error;
    auto lines = SplitScript(bytes, "s.scr", error);
    EXPECT_TRUE(lines) << error;
    return lines ? *lines : std::vector<std::wstring>{};
}

std::string Refusal(std::string_view bytes) {
    std::string error;
    EXPECT_FALSE(SplitScript(bytes, "s.scr", error));
    return error;
}

} // namespace

TEST(ScriptFile, LinesEndAtLfCrLfOrCrAndAByteOrderMarkIsSkipped) {
    const std::vector<std::wstring> two = {L"ZRBOMT", L"CLICK \"&Close\""};
    EXPECT_EQ(Lines("ZRBOMT\nCLICK \"&Close\"\n"), two);
    EXPECT_EQ(Lines("ZRBOMT\r\nCLICK \"&Close\"\r\n"), two);
    EXPECT_EQ(Lines("ZRBOMT\rCLICK \"&Close\"\r"), two);
    EXPECT_EQ(Lines("\xEF\xBB\xBFZRBOMT\rCLICK \"&Close\""), two);
    // Empty lines are lines (they end a selection); only the last line end ends nothing.
    EXPECT_EQ(Lines("ALL\n\r\n\r\rx"), (std::vector<std::wstring>{L"ALL", L"", L"", L"", L"x"}));
    EXPECT_EQ(Lines(""), std::vector<std::wstring>{});
    EXPECT_EQ(Lines("\xEF\xBB\xBF"), std::vector<std::wstring>{});
    EXPECT_EQ(Lines("TYPE \"\xC3\xA9t\xC3\xA9\"\n"),
              std::vector<std::wstring>{L"TYPE \"\u00e9t\u00e9\""});
}

TEST(ScriptFile, TextThatIsNotUtf8IsRefusedNamingTheLine) {
    EXPECT_NE(Refusal("\xFF\xFEZ\0R\0"sv).find("UTF-16"), std::string::npos);
    EXPECT_NE(Refusal("\xFE\xFF\0Z\0R"sv).find("UTF-16"), std::string::npos);
    // Without a mark UTF-16 shows by its NUL bytes.
    EXPECT_NE(Refusal("Z\0R\0\n\0"sv).find("line 1"), std::string::npos);
    EXPECT_NE(Refusal("ZRBOMT\nTYPE \"\xE9t\xE9\"\n").find("s.scr is not UTF-8 text (line 2)"),
              std::string::npos);
    EXPECT_NE(Refusal("ok\r\n\xC0\xAF\r\n").find("line 2"), std::string::npos);
}

TEST(ScriptFile, OnlyARegularFileIsRead) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.Path("fifo.scr").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.Path("zero.scr"));
    alarm(10); // should reading block after all, the test ends here
    for (const std::string& path :
         {dir.Path("fifo.scr").string(), dir.Path("zero.scr").string(), dir.Path("").string()}) {
        std::string error;
        EXPECT_FALSE(shell::ReadScriptFile(path, error));
        EXPECT_NE(error.find("is not a regular file"), std::string::npos) << error;
    }
    alarm(0);
    std::string error;
    EXPECT_FALSE(shell::ReadScriptFile(dir.Path("missing.scr").string(), error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    dir.Write("run.scr", "ZRBOMT\r\n");
    auto lines = shell::ReadScriptFile(dir.Path("run.scr").string(), error);
    ASSERT_TRUE(lines) << error;
    EXPECT_EQ(*lines, std::vector<std::wstring>{L"ZRBOMT"});
}
