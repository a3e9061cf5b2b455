#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include <tchar.h>

#include "tests/support/ScratchDir.h"

namespace {

class TextFile : public ::testing::Test {
protected:
    FILE* Open(const std::string& name, const wchar_t* mode) {
        return _wfopen(dir.Wide(name).c_str(), mode);
    }
    // Scans "%i " `count` times from a file holding `bytes`; unread values stay -1.
    std::vector<int> ScanWidths(const std::string& bytes, int count, std::vector<int>& results) {
        dir.Write("widths", bytes);
        FILE* f = Open("widths", L"r");
        std::vector<int> values(static_cast<std::size_t>(count), -1);
        for (int& v : values)
            results.push_back(fwscanf(f, L"%i ", &v));
        fclose(f);
        return values;
    }
    ScratchDir dir;
};

} // namespace

TEST_F(TextFile, WritesOneBytePerCharacterAndLineFeedAsCrLf) {
    FILE* f = Open("out.prc", L"w");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fwprintf(f, L"%s|%s|%s\n", L"Door", L"12.50", L""), 12);
    EXPECT_EQ(fputws(L"\u00e9\u00ff\r\n", f), 0);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(dir.Read("out.prc"), "Door|12.50|\r\n\xe9\xff\r\r\n");

    f = Open("raw", L"wb"); // binary mode leaves the line feed alone
    fputws(L"a\n", f);
    fclose(f);
    EXPECT_EQ(dir.Read("raw"), "a\n");
}

TEST_F(TextFile, EveryCodeUnitUpTo255RoundTripsAndHigherOnesAreRefused) {
    std::wstring text;
    std::string bytes;
    for (int c = 1; c <= 255; ++c) {
        text += static_cast<wchar_t>(c);
        bytes += c == '\n' ? std::string("\r\n") : std::string(1, static_cast<char>(c));
    }
    FILE* f = Open("all", L"w");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fputws(text.c_str(), f), 0);
    EXPECT_EQ(ferror(f), 0);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(dir.Read("all"), bytes);

    // A character the file cannot hold fails the stream, and a failed stream leaves the file
    // as it was.
    f = Open("all", L"w");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fputws(L"abc", f), 0);
    EXPECT_EQ(fputws(L"\u0100", f), EOF);
    EXPECT_EQ(fwprintf(f, L"%s", L"\u4e2d"), -1);
    EXPECT_NE(ferror(f), 0);
    EXPECT_EQ(fclose(f), EOF);
    EXPECT_EQ(dir.Read("all"), bytes);

    f = Open("all", L"r");
    ASSERT_NE(f, nullptr);
    std::wstring back;
    for (wint_t c; (c = fgetwc(f)) != WEOF;)
        back += static_cast<wchar_t>(c);
    fclose(f);
    EXPECT_EQ(back, text);
}

TEST_F(TextFile, ReadingTurnsCrLfAndBareLfIntoLineFeeds) {
    dir.Write("mixed", "a\r\nb\nc\rd\n\r");
    FILE* f = Open("mixed", L"r");
    ASSERT_NE(f, nullptr);
    wchar_t line[20];
    EXPECT_STREQ(fgetws(line, 20, f), L"a\n");
    EXPECT_STREQ(fgetws(line, 20, f), L"b\n");
    EXPECT_STREQ(fgetws(line, 20, f), L"c\rd\n"); // a lone carriage return is a character
    EXPECT_STREQ(fgetws(line, 20, f), L"\r");
    EXPECT_EQ(fgetws(line, 20, f), nullptr);
    fclose(f);
}

TEST_F(TextFile, FgetwsReadsAtMostCountMinusOneAndFlagsEndOnTheUnterminatedLastLine) {
    dir.Write("lines", "abcdef\r\nxyz");
    FILE* f = Open("lines", L"r");
    ASSERT_NE(f, nullptr);
    wchar_t line[10];
    EXPECT_STREQ(fgetws(line, 4, f), L"abc");
    EXPECT_STREQ(fgetws(line, 10, f), L"def\n");
    EXPECT_EQ(feof(f), 0);
    // The last line has no line end: the end is met, and flagged, while it is read.
    EXPECT_STREQ(fgetws(line, 10, f), L"xyz");
    EXPECT_NE(feof(f), 0);
    EXPECT_EQ(fgetws(line, 10, f), nullptr);
    fclose(f);

    // A terminated last line leaves the flag clear until the next read finds nothing.
    dir.Write("ended", "xyz\r\n");
    f = Open("ended", L"r");
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(fgetws(line, 10, f), L"xyz\n");
    EXPECT_EQ(feof(f), 0);
    EXPECT_EQ(fgetws(line, 10, f), nullptr);
    EXPECT_NE(feof(f), 0);
    fclose(f);
}

TEST_F(TextFile, OpenFailsForMissingFilesDirectoriesAndEncodingRequests) {
    EXPECT_EQ(Open("missing", L"r"), nullptr);
    EXPECT_EQ(Open("", L"r"), nullptr); // the directory itself
    EXPECT_EQ(Open("missing/sub", L"w"), nullptr);
    EXPECT_EQ(Open("new", L"w, ccs=UTF-8"), nullptr);
    EXPECT_FALSE(dir.Exists("new"));

    dir.Write("old \xc3\xa9", "previous content");
    FILE* f = Open("old \xc3\xa9", L"w"); // "w" truncates
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_EQ(dir.Read("old \xc3\xa9"), "");
}

// A FIFO without a writer would block the open, a device would never end: neither opens, in
// any mode that reads or appends. (Should the open block after all, the alarm ends the test.)
TEST_F(TextFile, OnlyARegularFileOpensForReading) {
    ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.Path("zero-link"));
    dir.Write("plain", "a|1|\n");
    std::filesystem::create_symlink(dir.Path("plain"), dir.Path("plain-link"));
    alarm(10);
    for (const char* name : {"fifo", "zero-link"})
        for (const wchar_t* mode : {L"r", L"rb", L"r+", L"a"}) {
            errno = 0;
            EXPECT_EQ(Open(name, mode), nullptr) << name;
            EXPECT_EQ(errno, EACCES) << name;
        }
    EXPECT_EQ(_wfopen(L"/dev/zero", L"r"), nullptr);
    alarm(0);
    EXPECT_EQ(std::filesystem::status(dir.Path("fifo")).type(), std::filesystem::file_type::fifo);
    FILE* f = Open("plain-link", L"r"); // a link to a file is the file
    ASSERT_NE(f, nullptr);
    wchar_t line[16];
    EXPECT_NE(fgetws(line, 16, f), nullptr);
    EXPECT_STREQ(line, L"a|1|\n");
    fclose(f);
}

TEST_F(TextFile, ScanningIntegersWithATrailingBlank) {
    std::vector<int> results;
    EXPECT_EQ(ScanWidths("120 80 300 ", 4, results), (std::vector<int>{120, 80, 300, -1}));
    EXPECT_EQ(results, (std::vector<int>{1, 1, 1, EOF}));
    // Garbage stops the scan where it stands, so every later number is missing too.
    results.clear();
    EXPECT_EQ(ScanWidths("120 x 5", 3, results), (std::vector<int>{120, -1, -1}));
    EXPECT_EQ(results, (std::vector<int>{1, 0, 0}));
    // %i reads a sign and the octal and hexadecimal prefixes; line ends count as blanks.
    results.clear();
    EXPECT_EQ(ScanWidths("-5\r\n0x10 010 0", 4, results), (std::vector<int>{-5, 16, 8, 0}));
    results.clear();
    EXPECT_EQ(ScanWidths("", 1, results), (std::vector<int>{-1}));
    EXPECT_EQ(results, (std::vector<int>{EOF}));
    // Numbers past the 32 bits keep their low bits; the 64-bit extremes are no overflow.
    results.clear();
    EXPECT_EQ(ScanWidths("-9223372036854775808 9223372036854775807 4294967297", 3, results),
              (std::vector<int>{0, -1, 1}));
}

TEST_F(TextFile, ScanningExtremeNumbersIntoWiderAndNarrowerTypes) {
    dir.Write("extremes", "-9223372036854775808 1e300 -1e300 1e-300");
    FILE* f = Open("extremes", L"r");
    ASSERT_NE(f, nullptr);
    long long wide = 0;
    float narrow[3] = {};
    EXPECT_EQ(fwscanf(f, L"%lli %f %f %f", &wide, &narrow[0], &narrow[1], &narrow[2]), 4);
    EXPECT_EQ(wide, std::numeric_limits<long long>::min());
    EXPECT_EQ(narrow[0], std::numeric_limits<float>::infinity());
    EXPECT_EQ(narrow[1], -std::numeric_limits<float>::infinity());
    EXPECT_EQ(narrow[2], 0.0f);
    fclose(f);
}

TEST_F(TextFile, ScanningDecimalsStopsWhereTheNumberEnds) {
    dir.Write("numbers", "12.5-3 .25e1x 1.2.3 7e+1");
    FILE* f = Open("numbers", L"r");
    ASSERT_NE(f, nullptr);
    double v[6] = {};
    wchar_t rest[8] = {};
    EXPECT_EQ(fwscanf(f, L"%lf%lf%lf%1s%lf%lf%lf", &v[0], &v[1], &v[2], rest, &v[3], &v[4], &v[5]),
              7);
    EXPECT_EQ(std::vector<double>(v, v + 6), (std::vector<double>{12.5, -3, 2.5, 1.2, 0.3, 70}));
    EXPECT_STREQ(rest, L"x");
    fclose(f);
}

TEST_F(TextFile, WritingReplacesTheTargetAtCloseKeepingItsModeAndLinks) {
    dir.Write("kestrel1.set", "1 2 3 ");
    chmod(dir.Path("kestrel1.set").c_str(), 0600);
    FILE* f = Open("kestrel1.set", L"w");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fwprintf(f, L"%i %i %i ", 4, 5, 6), 6);
    EXPECT_EQ(dir.Read("kestrel1.set"), "1 2 3 "); // until the stream is closed
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(dir.Read("kestrel1.set"), "4 5 6 ");
    struct stat info {};
    stat(dir.Path("kestrel1.set").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // A link stays a link and its target is written; a link planted where a fixed temporary
    // name would have been is never followed.
    std::filesystem::create_directory(dir.Path("real"));
    dir.Write("real/filename.set", "old");
    dir.Write("elsewhere", "untouched");
    std::filesystem::create_symlink("real/filename.set", dir.Path("filename.set"));
    std::filesystem::create_symlink("elsewhere", dir.Path("filename.set.kestrel-save"));
    f = Open("filename.set", L"w");
    ASSERT_NE(f, nullptr);
    fputws(L"/a/b.prc", f);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("filename.set")));
    EXPECT_EQ(dir.Read("real/filename.set"), "/a/b.prc");
    EXPECT_EQ(dir.Read("elsewhere"), "untouched");
    EXPECT_FALSE(dir.Exists("real/filename.bak")); // streams keep no backup
}

TEST_F(TextFile, WhatMayNotBeWrittenDoesNotOpenForWriting) {
    dir.Write("kestrel2.set", "100 60 ");
    chmod(dir.Path("kestrel2.set").c_str(), 0444);
    EXPECT_EQ(Open("kestrel2.set", L"w"), nullptr);
    EXPECT_EQ(dir.Read("kestrel2.set"), "100 60 ");
    std::filesystem::create_directory(dir.Path("shut"));
    chmod(dir.Path("shut").c_str(), 0555);
    EXPECT_EQ(Open("shut/filename.set", L"w"), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("shut")));
    chmod(dir.Path("shut").c_str(), 0755);
    // Reading is still allowed.
    FILE* f = Open("kestrel2.set", L"r");
    ASSERT_NE(f, nullptr);
    fclose(f);
}
