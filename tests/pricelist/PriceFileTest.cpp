#include <filesystem>
#include <gtest/gtest.h>

#include "pricelist/PriceFile.h"
#include "tests/support/ScratchDir.h"

namespace {

class PriceFile : public ::testing::Test {
protected:
    std::vector<PriceRecord> Read(const std::string& name) {
        std::vector<PriceRecord> records;
        EXPECT_EQ(ReadPriceList(dir.Wide(name).c_str(), records), 1);
        return records;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
            names.push_back(entry.path().filename().string());
        return names;
    }
    ScratchDir dir;
};

void ExpectRecord(const PriceRecord& r, const wchar_t* name, const wchar_t* price,
                  const wchar_t* description) {
    EXPECT_EQ(r.name, name);
    EXPECT_EQ(r.price, price);
    EXPECT_EQ(r.description, description);
}

} // namespace

TEST(PriceLine, SplitFieldStopsAtTheBarTheEndOrALineFeed) {
    const wchar_t* p = L" Door |a\nb|";
    wchar_t out[kPriceFieldBufferSize];
    EXPECT_EQ(SplitField(p, out, L'|'), 1);
    EXPECT_STREQ(out, L" Door "); // blanks belong to the field
    EXPECT_EQ(SplitField(p, out, L'|'), 0);
    EXPECT_STREQ(out, L"a");
    EXPECT_EQ(*p, L'\n');
    wchar_t small[4]; // a field longer than its buffer is cut, and the bar still found
    p = L"abcdef|x";
    EXPECT_EQ(SplitField(p, small, L'|', 4), 1);
    EXPECT_STREQ(small, L"abc");
    EXPECT_EQ(*p, L'x');
}

TEST_F(PriceFile, ACompleteRowAndAnEmptyRowWriteOneLine) {
    const std::vector<PriceRecord> rows = {{L"Door", L"12.50", L""}, {L"", L"", L""}};
    ASSERT_EQ(WritePriceList(dir.Wide("list.prc").c_str(), rows), 1);
    EXPECT_EQ(dir.Read("list.prc"), "Door|12.50|\r\n");
    const auto back = Read("list.prc");
    ASSERT_EQ(back.size(), 1u);
    ExpectRecord(back[0], L"Door", L"12.50", L"");

    // Fields are written as they stand; an empty list is an empty file.
    ASSERT_EQ(WritePriceList(dir.Wide("list.prc").c_str(),
                             {{L" A ", L"1", L"x y"}, {L"", L"", L"note"}, {L"A", L"2", L""}}),
              1);
    EXPECT_EQ(dir.Read("list.prc"), " A |1|x y\r\n||note\r\nA|2|\r\n");
    ASSERT_EQ(WritePriceList(dir.Wide("list.prc").c_str(), {}), 1);
    EXPECT_EQ(dir.Read("list.prc"), "");
    EXPECT_TRUE(Read("list.prc").empty());
}

TEST_F(PriceFile, ReadingKeepsWellFormedLinesInFileOrder) {
    dir.Write("in.prc", "Door|12.50|Oak\r\n"
                        "no bar at all\r\n"
                        "|5|no name\r\n"
                        "Bolt||no price\n"
                        "Frame|3|a|b|c\n"
                        "Door|13|second door\r\n"
                        "Hinge|0.75\r\n"
                        "Nail|abc|\r\n");
    const auto records = Read("in.prc");
    ASSERT_EQ(records.size(), 5u);
    ExpectRecord(records[0], L"Door", L"12.50", L"Oak");
    ExpectRecord(records[1], L"Frame", L"3", L"a");
    ExpectRecord(records[2], L"Door", L"13", L"second door");
    ExpectRecord(records[3], L"Hinge", L"0.75", L"");
    ExpectRecord(records[4], L"Nail", L"abc", L""); // the price stays text
}

TEST_F(PriceFile, AnUnterminatedLastLineIsLost) {
    dir.Write("in.prc", "A|1|x\r\nB|2|y");
    const auto records = Read("in.prc");
    ASSERT_EQ(records.size(), 1u);
    ExpectRecord(records[0], L"A", L"1", L"x");

    dir.Write("one.prc", "A|1|x");
    EXPECT_TRUE(Read("one.prc").empty());
}

TEST_F(PriceFile, LongLinesAreReadInPiecesThatEachLoseTheirLastCharacter) {
    // 1,200 characters: a read of 999 and one of 201 plus the line feed.
    const std::string first = "A|1|" + std::string(995, 'x');
    const std::string second = "B|2|" + std::string(197, 'y');
    ASSERT_EQ(first.size() + second.size(), 1200u);
    dir.Write("long.prc", first + second + "\r\n");
    auto records = Read("long.prc");
    ASSERT_EQ(records.size(), 2u);
    ExpectRecord(records[0], L"A", L"1", std::wstring(994, L'x').c_str());
    ExpectRecord(records[1], L"B", L"2", std::wstring(197, L'y').c_str());

    // Exactly 999 characters: the read ends before the line feed, which follows alone.
    dir.Write("edge.prc", "C|3|" + std::string(995, 'z') + "\r\nD|4|\r\n");
    records = Read("edge.prc");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].description.GetLength(), 994);
    ExpectRecord(records[1], L"D", L"4", L"");
}

TEST_F(PriceFile, BytesAbove127RoundTrip) {
    std::wstring high;
    for (wchar_t c = 0x80; c <= 0xFF; ++c)
        high += c;
    ASSERT_EQ(WritePriceList(dir.Wide("high.prc").c_str(), {{L"T\u00fcr", L"9.90", high}}), 1);
    std::string expected = "T\xfcr|9.90|";
    for (int c = 0x80; c <= 0xFF; ++c)
        expected += static_cast<char>(c);
    EXPECT_EQ(dir.Read("high.prc"), expected + "\r\n");
    const auto back = Read("high.prc");
    ASSERT_EQ(back.size(), 1u);
    ExpectRecord(back[0], L"T\u00fcr", L"9.90", high.c_str());
}

TEST_F(PriceFile, ACharacterAbove255RefusesTheWholeSave) {
    dir.Write("list.prc", "Old|1|\r\n");
    const std::vector<PriceRecord> rows = {
        {L"Door", L"12.50", L""}, {L"", L"", L"\u4e2d"}, {L"Hinge", L"2", L"brass \u4e2d"}};
    PriceSaveError error;
    EXPECT_EQ(WritePriceList(dir.Wide("list.prc").c_str(), rows, &error), 0);
    EXPECT_EQ(error.row, 1);
    EXPECT_EQ(error.column, 2);
    EXPECT_EQ(error.character, L'\u4e2d');
    EXPECT_EQ(error.message, L"Row 2, Description: the character \"\u4e2d\" (U+4E2D) cannot be "
                             L"stored in a price file. Nothing was saved.");
    EXPECT_EQ(dir.Read("list.prc"), "Old|1|\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"list.prc"});
}

TEST_F(PriceFile, FilesThatCannotBeOpenedChangeNothing) {
    const std::wstring missing = dir.Wide("no/such/dir/list.prc");
    std::vector<PriceRecord> records = {{L"Kept", L"1", L""}};
    CString message;
    EXPECT_EQ(ReadPriceList(missing.c_str(), records, &message), 0);
    EXPECT_EQ(message, FileOpenFailedMessage(missing.c_str()));
    EXPECT_EQ(FileOpenFailedMessage(L"/a b/c.prc"), L"File /a b/c.prc could  not be opened");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, L"Kept");

    PriceSaveError error;
    EXPECT_EQ(WritePriceList(missing.c_str(), records, &error), 0);
    EXPECT_EQ(error.message, FileOpenFailedMessage(missing.c_str()));
    EXPECT_EQ(error.row, -1);

    // A target that is not a file does not open for writing either.
    std::filesystem::create_directory(dir.Path("taken.prc"));
    EXPECT_EQ(WritePriceList(dir.Wide("taken.prc").c_str(), records, &error), 0);
    EXPECT_EQ(error.message, FileOpenFailedMessage(dir.Wide("taken.prc").c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("taken.prc")));
    EXPECT_EQ(Entries(), std::vector<std::string>{"taken.prc"});
}
