#include <gtest/gtest.h>

#include "platform/crt/TextFile.h"
#include "tests/support/ScratchDir.h"

namespace {

std::wstring AllCharacters(wchar_t first, wchar_t last) {
    std::wstring text;
    for (wchar_t c = first; c <= last; ++c)
        text += c;
    return text;
}

class TextFile : public ::testing::Test {
protected:
    CrtFile* Open(const std::string& name, const wchar_t* mode) {
        return _wfopen(dir.Wide(name).c_str(), mode);
    }
    ScratchDir dir;
};

} // namespace

TEST_F(TextFile, WritesOneBytePerCharacterAndLineFeedAsCrLf) {
    CrtFile* f = Open("out.prc", L"w");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fwprintf(f, L"%s|%s|%s\n", L"Door", L"12.50", L""), 12);
    EXPECT_EQ(fputws(L"\u00e9\u00ff\r\n", f), 0);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(dir.Read("out.prc"), "Door|12.50|\r\n\xe9\xff\r\r\n");

    // Binary mode writes the line feed as it is.
    f = Open("raw", L"wb");
    ASSERT_NE(f, nullptr);
    fputws(L"a\n", f);
    fclose(f);
    EXPECT_EQ(dir.Read("raw"), "a\n");
}

TEST_F(TextFile, EveryCodeUnitUpTo255RoundTrips) {
    const std::wstring text = AllCharacters(1, 255);
    CrtFile* f = Open("all", L"w");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fputws(text.c_str(), f), 0);
    fclose(f);
    std::string expected;
    for (int c = 1; c <= 255; ++c)
        expected += c == '\n' ? std::string("\r\n") : std::string(1, static_cast<char>(c));
    EXPECT_EQ(dir.Read("all"), expected);

    f = Open("all", L"r");
    ASSERT_NE(f, nullptr);
    std::wstring back;
    for (wint_t c; (c = fgetwc(f)) != WEOF;)
        back += static_cast<wchar_t>(c);
    fclose(f);
    EXPECT_EQ(back, text);
}

TEST_F(TextFile, CharactersAbove255AreRefused) {
    CrtFile* f = Open("wide", L"w");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ferror(f), 0);
    EXPECT_EQ(fputws(L"ab\u0100c", f), EOF);
    EXPECT_NE(ferror(f), 0);
    EXPECT_EQ(fwprintf(f, L"%s", L"\u4e2d"), -1);
    fclose(f);
    EXPECT_EQ(dir.Read("wide").find('c'), std::string::npos);
}

TEST_F(TextFile, ReadingTurnsCrLfAndBareLfIntoLineFeeds) {
    dir.Write("mixed", "a\r\nb\nc\rd\n\r");
    CrtFile* f = Open("mixed", L"r");
    ASSERT_NE(f, nullptr);
    wchar_t line[20];
    EXPECT_STREQ(fgetws(line, 20, f), L"a\n");
    EXPECT_STREQ(fgetws(line, 20, f), L"b\n");
    EXPECT_STREQ(fgetws(line, 20, f), L"c\rd\n"); // a lone carriage return is a character
    EXPECT_STREQ(fgetws(line, 20, f), L"\r");
    EXPECT_EQ(fgetws(line, 20, f), nullptr);
    fclose(f);

    f = Open("mixed", L"rb");
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(fgetws(line, 20, f), L"a\r\n");
    fclose(f);
}

TEST_F(TextFile, FgetwsReadsAtMostCountMinusOneAndFlagsEndOnTheUnterminatedLastLine) {
    dir.Write("lines", "abcdef\r\nxyz");
    CrtFile* f = Open("lines", L"r");
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

    // A read that fills the buffer exactly does not look past it.
    dir.Write("full", "abc");
    f = Open("full", L"r");
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(fgetws(line, 4, f), L"abc");
    EXPECT_EQ(feof(f), 0);
    fclose(f);
}

TEST_F(TextFile, OpenFailsForMissingFilesDirectoriesAndEncodingRequests) {
    EXPECT_EQ(Open("missing", L"r"), nullptr);
    EXPECT_EQ(Open("", L"r"), nullptr); // the directory itself
    EXPECT_EQ(Open("missing/sub", L"w"), nullptr);
    EXPECT_EQ(Open("new", L"w, ccs=UTF-8"), nullptr);
    EXPECT_EQ(Open("new", L"q"), nullptr);
    EXPECT_FALSE(dir.Exists("new"));

    dir.Write("old", "previous content");
    CrtFile* f = Open("old", L"w"); // "w" truncates
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_EQ(dir.Read("old"), "");

    dir.Write("name with blanks \xc3\xa9", "x");
    f = Open("name with blanks \xc3\xa9", L"r");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fgetwc(f), static_cast<wint_t>(L'x'));
    fclose(f);
}

TEST_F(TextFile, RemoveAndRenameOver) {
    dir.Write("a", "new");
    dir.Write("b", "old");
    EXPECT_EQ(crt::RenameOver(dir.Wide("a").c_str(), dir.Wide("b").c_str()), 0);
    EXPECT_EQ(dir.Read("b"), "new");
    EXPECT_FALSE(dir.Exists("a"));
    EXPECT_EQ(crt::RenameOver(dir.Wide("a").c_str(), dir.Wide("b").c_str()), -1);
    EXPECT_EQ(_wremove(dir.Wide("b").c_str()), 0);
    EXPECT_EQ(_wremove(dir.Wide("b").c_str()), -1);
}

TEST_F(TextFile, ScanningIntegersWithATrailingBlank) {
    dir.Write("widths", "120 80 300 ");
    CrtFile* f = Open("widths", L"r");
    ASSERT_NE(f, nullptr);
    int w[4] = {-1, -1, -1, -1};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(fwscanf(f, L"%i ", &w[i]), 1);
    EXPECT_EQ(fwscanf(f, L"%i ", &w[3]), EOF);
    EXPECT_EQ(w[0], 120);
    EXPECT_EQ(w[1], 80);
    EXPECT_EQ(w[2], 300);
    EXPECT_EQ(w[3], -1);
    fclose(f);

    // Fewer numbers: the missing ones are untouched. Garbage stops every later scan.
    dir.Write("short", "120 x 5");
    f = Open("short", L"r");
    ASSERT_NE(f, nullptr);
    int a = -1, b = -1, c = -1;
    EXPECT_EQ(fwscanf(f, L"%i ", &a), 1);
    EXPECT_EQ(fwscanf(f, L"%i ", &b), 0);
    EXPECT_EQ(fwscanf(f, L"%i ", &c), 0);
    EXPECT_EQ(a, 120);
    EXPECT_EQ(b, -1);
    EXPECT_EQ(c, -1);
    fclose(f);

    // %i reads a sign and the octal and hexadecimal prefixes; line ends are blanks.
    dir.Write("prefixes", "-5\r\n0x10 010 0 ");
    f = Open("prefixes", L"r");
    ASSERT_NE(f, nullptr);
    int v[4] = {};
    EXPECT_EQ(fwscanf(f, L"%i %i %i %i ", &v[0], &v[1], &v[2], &v[3]), 4);
    EXPECT_EQ(v[0], -5);
    EXPECT_EQ(v[1], 16);
    EXPECT_EQ(v[2], 8);
    EXPECT_EQ(v[3], 0);
    fclose(f);

    dir.Write("empty", "");
    f = Open("empty", L"r");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fwscanf(f, L"%i ", &a), EOF);
    fclose(f);
}
