#include <climits>
#include <gtest/gtest.h>

#include <tchar.h>

#include "AsciiCase.h"

TEST(NumberConversion, WtofReadsTheLeadingDecimalOnly) {
    EXPECT_DOUBLE_EQ(_wtof(L"12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(_wtof(L"abc"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L""), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(nullptr), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"  -3.25e2x"), -325.0);
    EXPECT_DOUBLE_EQ(_wtof(L".5"), 0.5);
    EXPECT_DOUBLE_EQ(_wtof(L"7."), 7.0);
    EXPECT_DOUBLE_EQ(_wtof(L"1e"), 1.0); // an exponent without digits is not part of it
    // No hexadecimal, infinity or locale decimal comma.
    EXPECT_DOUBLE_EQ(_wtof(L"0x1A"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"inf"), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(L"12,5"), 12.0);
}

TEST(NumberConversion, WcstodReportsWhereReadingStopped) {
    const wchar_t* text = L" 12.5abc";
    wchar_t* end = nullptr;
    EXPECT_DOUBLE_EQ(kestrel_wcstod(text, &end), 12.5);
    EXPECT_EQ(end, text + 5);
    const wchar_t* none = L"-x";
    EXPECT_DOUBLE_EQ(kestrel_wcstod(none, &end), 0.0);
    EXPECT_EQ(end, none);
}

TEST(NumberConversion, WtolReadsADecimalIntegerAndSaturates) {
    EXPECT_EQ(_wtol(L"42abc"), 42);
    EXPECT_EQ(_wtol(L" \t-17"), -17);
    EXPECT_EQ(_wtol(L"12.9"), 12);
    EXPECT_EQ(_wtol(L"abc"), 0);
    EXPECT_EQ(_wtol(L"0x10"), 0);
    EXPECT_EQ(_wtol(L"99999999999"), INT32_MAX);
    EXPECT_EQ(_wtol(L"-99999999999"), INT32_MIN);
    EXPECT_EQ(_wtol(L"-2147483648"), INT32_MIN);
}

TEST(CaseFolding, OnlyLettersAToZFoldAndTheyFoldToLowerCase) {
    EXPECT_EQ(_wcsicmp(L"DOOR", L"door"), 0);
    EXPECT_LT(_wcsicmp(L"abc", L"ABCD"), 0);
    EXPECT_GT(_wcsicmp(L"b", L"A"), 0);
    // Folding to lower case puts "_" (0x5F) before letters, not after upper-case ones.
    EXPECT_LT(_wcsicmp(L"_", L"A"), 0);
    EXPECT_NE(_wcsicmp(L"\u00c4", L"\u00e4"), 0);
    EXPECT_EQ(_wcsnicmp(L"DOOR-1", L"door-2", 5), 0);
    wchar_t text[] = L"C:/Ab/\u00c4X.ARX";
    EXPECT_STREQ(_wcslwr(text), L"c:/ab/\u00c4x.arx");
    EXPECT_STREQ(_wcsupr(text), L"C:/AB/\u00c4X.ARX");
    // The platform's own names (verbs, commands, symbol names) fold the same way.
    EXPECT_EQ(crt::UpperAZ(std::wstring(L"Door-\u00e4z")), L"DOOR-\u00e4Z");
    EXPECT_EQ(crt::UpperAZ(std::string("$model_space \xe4")), "$MODEL_SPACE \xe4");
}
