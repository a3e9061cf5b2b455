// The one UTF-8 codec: every byte string survives decoding and encoding unchanged.
#include <gtest/gtest.h>

#include <random>

#include "Utf8.h"

using crt::FromUtf8;
using crt::ToUtf8;

TEST(Utf8, ValidTextDecodesToItsCharacters) {
    EXPECT_EQ(FromUtf8("plain"), L"plain");
    EXPECT_EQ(FromUtf8("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"),
              L"caf\u00e9 \u20ac \U0001F600");
    EXPECT_EQ(ToUtf8(L"caf\u00e9 \u20ac \U0001F600"), "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
}

TEST(Utf8, EachUndecodableByteIsCarriedAsALowSurrogateOfItsValue) {
    EXPECT_EQ(FromUtf8("caf\xe9"), L"caf\xdce9"); // Latin-1
    EXPECT_EQ(FromUtf8("..\xc0\xaf"
                       "x"),
              L"..\xdcc0\xdcaf"
              L"x"); // an overlong "/"
    EXPECT_EQ(FromUtf8("a\xc0\x80"
                       "b"),
              L"a\xdcc0\xdc80"
              L"b");                                                      // an overlong NUL
    EXPECT_EQ(FromUtf8("\xed\xa0\x80"), L"\xdced\xdca0\xdc80");           // an encoded surrogate
    EXPECT_EQ(FromUtf8("\xf4\x90\x80\x80"), L"\xdcf4\xdc90\xdc80\xdc80"); // past U+10FFFF
    EXPECT_EQ(FromUtf8("\xe2\x82"), L"\xdce2\xdc82");                     // cut short
    EXPECT_EQ(FromUtf8("\x80"
                       "a\xff"),
              L"\xdc80"
              L"a\xdcff"); // stray bytes
    EXPECT_EQ(ToUtf8(L"caf\xdce9"), "caf\xe9");
}

TEST(Utf8, EveryByteStringRoundTrips) {
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(ToUtf8(FromUtf8(bytes)), bytes) << a << " " << b;
        }
    }
    std::mt19937 random(7);
    for (int n = 0; n < 20000; ++n) {
        std::string bytes(1 + random() % 12, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 4 == 0 ? 0x80 + random() % 0x80 : random() % 256);
        ASSERT_EQ(ToUtf8(FromUtf8(bytes)), bytes);
    }
}

TEST(Utf8, SurrogatePairsAreOneCharacterAndOtherSurrogatesAreReplaced) {
    EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}), "\xf0\x9f\x98\x80");
    EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0xD83D), L'x'}), "\xef\xbf\xbdx");
    EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0xDC7F)}), "\xef\xbf\xbd"); // not a byte's escape
    EXPECT_EQ(ToUtf8(std::wstring{wchar_t(0x110000)}), "\xef\xbf\xbd");
}
