#include <gtest/gtest.h>

#include <sys/stat.h>

#include "pricelist/SettingsFiles.h"
#include "tests/support/ScratchDir.h"

TEST(SettingsPaths, LieBesideTheModuleInItsFolderSpeltAsItIs) {
    struct Case {
        const wchar_t* module;
        SettingsCopy copy;
        const wchar_t* first;
        const wchar_t* second;
    };
    const Case cases[] = {
        {L"/Opt/CAD Tools/Kestrel.ARX", SettingsCopy::Template, L"/Opt/CAD Tools/kestrel1.set",
         L"/Opt/CAD Tools/filename.set"},
        {L"/Opt/CAD Tools/Kestrel.ARX", SettingsCopy::Report, L"/Opt/CAD Tools/kestrel2.set",
         L"/Opt/CAD Tools/filename.set"},
        // A folder named like the module, or like a settings file, is left alone.
        {L"/m/k.arx/kestrel1.set/k.arx", SettingsCopy::Template,
         L"/m/k.arx/kestrel1.set/kestrel1.set", L"/m/k.arx/kestrel1.set/filename.set"},
        {L"C:\\Program Files\\Kestrel\\Kestrel.arx", SettingsCopy::Template,
         L"C:\\Program Files\\Kestrel\\kestrel1.set", L"C:\\Program Files\\Kestrel\\filename.set"},
        // The forward slash wins when both kinds are present.
        {L"/a\\b/k.arx", SettingsCopy::Template, L"/a\\b/kestrel1.set", L"/a\\b/filename.set"},
        // Without a folder the names are relative to the current directory.
        {L"Kestrel.arx", SettingsCopy::Template, L"kestrel1.set", L"filename.set"},
        {L"Kestrel.arx", SettingsCopy::Report, L"kestrel2.set", L"filename.set"},
    };
    for (const Case& c : cases) {
        CString first, second;
        GetSettingsPaths(c.module, c.copy, first, second);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
    }
}

TEST(ColumnWidths, AreWrittenAsNumbersWithABlankAndMissingOnesReadAsMinusOne) {
    ScratchDir dir;
    const std::wstring path = dir.Wide("kestrel1.set");
    const int widths[] = {240, 80, 320};
    ASSERT_EQ(WriteColumnWidths(path.c_str(), widths, 3), 1);
    EXPECT_EQ(dir.Read("kestrel1.set"), "240 80 320 ");
    int back[3] = {};
    ASSERT_EQ(ReadColumnWidths(path.c_str(), back, 3), 1);
    EXPECT_EQ(back[0], 240);
    EXPECT_EQ(back[1], 80);
    EXPECT_EQ(back[2], 320);

    dir.Write("kestrel2.set", "100 60\r\n");
    int five[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(ReadColumnWidths(dir.Wide("kestrel2.set").c_str(), five, 5), 1);
    EXPECT_EQ(five[0], 100);
    EXPECT_EQ(five[1], 60);
    for (int i = 2; i < 5; ++i)
        EXPECT_EQ(five[i], -1);

    dir.Write("bad.set", "70 wide 90 ");
    ASSERT_EQ(ReadColumnWidths(dir.Wide("bad.set").c_str(), back, 3), 1);
    EXPECT_EQ(back[0], 70);
    EXPECT_EQ(back[1], -1);
    EXPECT_EQ(back[2], -1);

    EXPECT_EQ(ReadColumnWidths(dir.Wide("missing.set").c_str(), back, 3), 0);
    EXPECT_EQ(back[0], -1);
    EXPECT_EQ(WriteColumnWidths(dir.Wide("no/dir.set").c_str(), widths, 3), 0);
}

TEST(LastPriceFile, IsTheFirstLineAndAPathWithBlanksReadsBackWhole) {
    ScratchDir dir;
    const std::wstring path = dir.Wide("filename.set");
    const wchar_t* name = L"/home/ann/My Price Lists/doors 2024.prc";
    ASSERT_EQ(WriteLastPriceFile(path.c_str(), name), 1);
    EXPECT_EQ(dir.Read("filename.set"), "/home/ann/My Price Lists/doors 2024.prc");
    CString back = L"previous";
    ASSERT_EQ(ReadLastPriceFile(path.c_str(), back), 1);
    EXPECT_EQ(back, name);

    ASSERT_EQ(WriteLastPriceFile(path.c_str(), L""), 1);
    EXPECT_EQ(dir.Read("filename.set"), "");
    ASSERT_EQ(ReadLastPriceFile(path.c_str(), back), 1);
    EXPECT_EQ(back, L"");

    dir.Write("filename.set", "/a/b c.prc\r\nsecond line");
    ASSERT_EQ(ReadLastPriceFile(path.c_str(), back), 1);
    EXPECT_EQ(back, L"/a/b c.prc");

    // A name the file cannot hold is not saved and the previous one survives.
    EXPECT_EQ(WriteLastPriceFile(path.c_str(), L"/\u4e2d.prc"), 0);
    EXPECT_EQ(dir.Read("filename.set"), "/a/b c.prc\r\nsecond line");

    back = L"kept";
    EXPECT_EQ(ReadLastPriceFile(dir.Wide("missing.set").c_str(), back), 0);
    EXPECT_EQ(back, L"kept");
}

TEST(SettingsFiles, AFileThatMayNotBeWrittenIsSkipped) {
    ScratchDir dir;
    dir.Write("kestrel1.set", "240 80 320 ");
    dir.Write("filename.set", "/a/b.prc");
    chmod(dir.Path("kestrel1.set").c_str(), 0444);
    chmod(dir.Path("filename.set").c_str(), 0444);
    const int widths[] = {1, 2, 3};
    EXPECT_EQ(WriteColumnWidths(dir.Wide("kestrel1.set").c_str(), widths, 3), 0);
    EXPECT_EQ(WriteLastPriceFile(dir.Wide("filename.set").c_str(), L"/c/d.prc"), 0);
    EXPECT_EQ(dir.Read("kestrel1.set"), "240 80 320 ");
    EXPECT_EQ(dir.Read("filename.set"), "/a/b.prc");
}
