#include <gtest/gtest.h>

#include <tchar.h>

using crt::Format;

TEST(WideFormat, TextConversionsTakeWideStringsAndPadToWidth) {
    EXPECT_EQ(Format(L"%s|%s|%s\n", L"Door", L"12.50", L""), L"Door|12.50|\n");
    EXPECT_EQ(Format(L"[%10s]", L"abc"), L"[       abc]");
    EXPECT_EQ(Format(L"[%-10s]", L"abc"), L"[abc       ]");
    EXPECT_EQ(Format(L"[%20s]", L"Description"), L"[         Description]");
    // A width never cuts; a precision does.
    EXPECT_EQ(Format(L"%10s", L"Longer than ten"), L"Longer than ten");
    EXPECT_EQ(Format(L"%.3s", L"abcdef"), L"abc");
    EXPECT_EQ(Format(L"%s", L"\u4e2d\u00e9"), L"\u4e2d\u00e9");
    // Narrow text needs %S or %hs in a wide format.
    EXPECT_EQ(Format(L"%S/%hs", "ab", "cd"), L"ab/cd");
    EXPECT_EQ(Format(L"%c%c", L'x', wchar_t(0x4e2d)), L"x\u4e2d");
    EXPECT_EQ(Format(L"%05s", L"ab"), L"000ab");
}

TEST(WideFormat, IntegersFollowThe32BitRules) {
    EXPECT_EQ(Format(L"%i %d", 42, -7), L"42 -7");
    EXPECT_EQ(Format(L"QVN%04i", 12), L"QVN0012");
    EXPECT_EQ(Format(L"QVN%04i", 12345), L"QVN12345");
    EXPECT_EQ(Format(L"%04i", -5), L"-005");
    EXPECT_EQ(Format(L"Col:%d Row:%ld", 3, 17L), L"Col:3 Row:17");
    // long is 32 bits on the desktop; ll and I64 are the 64-bit forms.
    EXPECT_EQ(Format(L"%ld", 5000000000L), L"705032704");
    EXPECT_EQ(Format(L"%lld %I64d", 5000000000LL, 5000000000LL), L"5000000000 5000000000");
    EXPECT_EQ(Format(L"%x %X", -1, 255u), L"ffffffff FF");
    EXPECT_EQ(Format(L"%i%%", 50), L"50%");
}

TEST(WideFormat, FixedPointRoundsTheDecimalTextHalfAwayFromZero) {
    EXPECT_EQ(Format(L"%.2f", 12.5), L"12.50");
    EXPECT_EQ(Format(L"%lf", 1.0), L"1.000000");
    // Exact halves round away from zero (glibc would give 0.12, 0, 2).
    EXPECT_EQ(Format(L"%.2f", 0.125), L"0.13");
    EXPECT_EQ(Format(L"%.2f", -0.125), L"-0.13");
    EXPECT_EQ(Format(L"%.0f %.0f", 0.5, 2.5), L"1 3");
    // Binary values just below a half stay below it.
    EXPECT_EQ(Format(L"%.2f", 2.675), L"2.67");
    EXPECT_EQ(Format(L"%.2f %.2f", 0.999, 9.9999), L"1.00 10.00");
    EXPECT_EQ(Format(L"%.2f", 1e20), L"100000000000000000000.00");
    // Past 17 significant digits the runtime prints zeros.
    EXPECT_EQ(Format(L"%.20f", 0.1), L"0.10000000000000001000");
    EXPECT_EQ(Format(L"[%10.2f][%-8.1f][%+.1f][%08.2f]", 3.14159, 2.25, 2.0, -3.5),
              L"[      3.14][2.3     ][+2.0][-0003.50]");
    EXPECT_EQ(Format(L"%#.0f", 3.0), L"3.");
}

TEST(WideFormat, FormatStringsCanBeBuiltByFormatting) {
    // The cell formatter builds its format from the number of decimals.
    const std::wstring format = Format(L"%%1.%dlf", 2);
    EXPECT_EQ(format, L"%1.2lf");
    EXPECT_EQ(Format(format.c_str(), 3.14159), L"3.14");
    EXPECT_EQ(Format(Format(L"%%1.%dlf", 0).c_str(), 7.5), L"8");
}

TEST(WideFormat, MismatchedOrMissingArgumentsShowAMarker) {
    EXPECT_EQ(Format(L"%i", L"text"), L"<?>");
    EXPECT_EQ(Format(L"%.2f", 5), L"<?>");
    EXPECT_EQ(Format(L"%s and %s", L"one"), L"one and <?>");
    EXPECT_EQ(Format(L"trailing %"), L"trailing %");
}
