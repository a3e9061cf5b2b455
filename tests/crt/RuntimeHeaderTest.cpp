// The runtime header takes over swprintf and wcstod; standard headers included after it must
// still compile, and the taken-over names must have the desktop's rules.
#include <tchar.h>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <locale>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

TEST(RuntimeHeader, SwprintfFormatsWideTextIntoABoundedBuffer) {
    wchar_t buffer[16];
    EXPECT_EQ(swprintf(buffer, 16, L"%s-%04i", L"QVN", 7), 8);
    EXPECT_STREQ(buffer, L"QVN-0007");
    // Too long: -1, and the buffer holds what fits.
    EXPECT_EQ(swprintf(buffer, 4, L"%s", L"abcdef"), -1);
    EXPECT_STREQ(buffer, L"abc");
    // The two-argument form knows the size of an array.
    EXPECT_EQ(swprintf(buffer, L"%.2f", 0.125), 4);
    EXPECT_STREQ(buffer, L"0.13");
}

TEST(RuntimeHeader, WcstodReadsPlainDecimalsOnly) {
    wchar_t* end = nullptr;
    const wchar_t* text = L"0x10";
    EXPECT_DOUBLE_EQ(wcstod(text, &end), 0.0);
    EXPECT_EQ(end, text + 1);
    EXPECT_DOUBLE_EQ(wcstod(L"infinity", nullptr), 0.0);
    EXPECT_DOUBLE_EQ(wcstod(L"2.5e1 ", nullptr), 25.0);
}
