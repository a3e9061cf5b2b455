// The tag layer alone: reading tags from bytes, numbers, editing tags, text encodings.
#include "dxf/DxfTags.h"
#include "dxf/BinaryDxf.h"
#include "dxf/DxfText.h"
#include "dxf/TagEditor.h"

#include <climits>
#include <gtest/gtest.h>

using namespace kestrel::dxf;

namespace {

std::vector<Tag> readAll(const std::string& bytes) {
    TagReader reader(bytes);
    std::vector<Tag> tags;
    Tag t;
    while (reader.next(t))
        tags.push_back(t);
    return tags;
}

std::string errorOf(const std::string& bytes) {
    try {
        readAll(bytes);
    } catch (const DxfError& e) {
        return e.text();
    }
    return "";
}

} // namespace

TEST(DxfTags, ReadsCodesAndValuesAsTheFileHoldsThem) {
    // Codes padded or not, CR LF or LF, empty values, values with spaces kept.
    std::string bytes = "  0\r\nSECTION\r\n  2\nHEADER\n1001\n  spaced value \n-5\n\n999\nx";
    std::vector<Tag> tags = readAll(bytes);
    ASSERT_EQ(tags.size(), 5u);
    EXPECT_EQ(tags[0].code, 0);
    EXPECT_EQ(tags[0].value, "SECTION");
    EXPECT_EQ(tags[1].code, 2);
    EXPECT_EQ(tags[2].code, 1001);
    EXPECT_EQ(tags[2].value, "  spaced value ");
    EXPECT_EQ(tags[3].code, -5);
    EXPECT_EQ(tags[3].value, "");
    EXPECT_EQ(tags[4].value, "x"); // the last line may lack its line feed
    EXPECT_EQ(tagLine(3), 7u);
}

TEST(DxfTags, RefusesMalformedTagsNamingTheLine) {
    EXPECT_EQ(errorOf("  0\nSECTION\nHEADER\n  2\n"),
              "line 3: a group code was expected, found \"HEADER\"");
    EXPECT_EQ(errorOf("  0\nSECTION\n  2"),
              "line 4: group code 2 has no value line (odd number of lines; truncated?)");
    EXPECT_EQ(errorOf("  0\nA\n5000\nB\n"), "line 3: group code 5000 is out of range");
    EXPECT_EQ(errorOf(std::string("\x01\x7f\0zz\n", 6)),
              "line 1: a group code was expected, found \"??\?zz\"");
    EXPECT_EQ(errorOf("1234567\nx\n"), "line 1: a group code was expected, found \"1234567\"");
}

TEST(DxfTags, NumbersAndHandles) {
    double d;
    EXPECT_TRUE(parseDouble(" 12.5 ", d));
    EXPECT_EQ(d, 12.5);
    EXPECT_TRUE(parseDouble("+1e3", d));
    EXPECT_EQ(d, 1000);
    EXPECT_FALSE(parseDouble("12.5abc", d));
    EXPECT_FALSE(parseDouble("", d));
    uint64_t h;
    EXPECT_TRUE(parseHandle("1aF", h));
    EXPECT_EQ(h, 0x1af);
    EXPECT_FALSE(parseHandle("G1", h));
    EXPECT_FALSE(parseHandle("12345678901234567", h));
    EXPECT_EQ(formatHandle(0x1af), "1AF");
    EXPECT_EQ(formatDouble(2), "2.0");
    EXPECT_EQ(formatDouble(-0.1), "-0.1");
    EXPECT_TRUE(parseDouble(formatDouble(1.0 / 3.0), d));
    EXPECT_EQ(d, 1.0 / 3.0); // shortest text that reads back exactly
}

TEST(DxfTags, EditorChangesTagsInTheirSubclassAndKeepsTheRest) {
    std::vector<EditTag> tags = {
        {0, "TEXT"},         {5, "2A"},  {102, "{ACAD_REACTORS"}, {330, "1F"}, {102, "}"},
        {100, "AcDbEntity"}, {8, "0"},   {100, "AcDbText"},       {10, "1"},   {20, "2"},
        {40, "2.5"},         {1, "old"}, {100, "AcDbText"},       {73, "0"},   {1001, "APP"},
        {1000, "kept"}};
    TagEditor e(tags, true);
    e.set("AcDbText", 1, "new");
    e.set("AcDbText", 73, "2", true);           // the second marker
    e.setOptional("AcDbText", 50, "0.0", true); // absent default stays absent
    e.setOptional("AcDbText", 41, "0.8", false);
    double p[3] = {3, 4, 5};
    e.setPoint("AcDbText", 10, p);  // z inserted after y
    e.set("AcDbEntity", 330, "99"); // not the one inside the reactor group
    const auto& t = e.tags();
    auto at = [&](size_t i) { return std::to_string(t[i].code) + "=" + t[i].value; };
    std::vector<std::string> got;
    for (size_t i = 0; i < t.size(); ++i)
        got.push_back(at(i));
    std::vector<std::string> expected = {"0=TEXT",       "5=2A",   "102={ACAD_REACTORS",
                                         "330=1F",       "102=}",  "100=AcDbEntity",
                                         "8=0",          "330=99", "100=AcDbText",
                                         "10=3.0",       "20=4.0", "30=5.0",
                                         "40=2.5",       "1=new",  "41=0.8",
                                         "100=AcDbText", "73=2",   "1001=APP",
                                         "1000=kept"};
    EXPECT_EQ(got, expected);

    // Without subclass markers (R12) the whole record before extended data is one run.
    TagEditor r12({{0, "LINE"}, {8, "0"}, {10, "0"}, {1001, "APP"}}, false);
    r12.set("AcDbLine", 8, "WALLS");
    r12.set("AcDbLine", 62, "1");
    ASSERT_EQ(r12.tags().size(), 5u);
    EXPECT_EQ(r12.tags()[1].value, "WALLS");
    EXPECT_EQ(r12.tags()[3].code, 62);
}

TEST(DxfText, CodePagesEscapesAndUtf8) {
    TextCodec r12;
    r12.configure(acadVersionNumber("AC1009"), "ANSI_1255");
    // Hebrew letters in code page 1255, an escape for what the page lacks, and back.
    std::string raw = "\xE3\xEC\xFA \\U+00E9";
    EXPECT_EQ(r12.decode(raw), L"\u05d3\u05dc\u05ea \u00e9");
    EXPECT_EQ(r12.encode(L"\u05d3\u05dc\u05ea \u4e2d"), "\xE3\xEC\xFA \\U+4E2D");
    EXPECT_EQ(r12.keyOfRaw("door"), r12.keyOfRaw("DOOR"));
    EXPECT_EQ(r12.keyOfRaw("\xE3"), TextCodec::keyOfWide(L"\u05d3"));

    TextCodec r2018;
    r2018.configure(acadVersionNumber("AC1032"), "ANSI_1252");
    EXPECT_TRUE(r2018.utf8());
    EXPECT_EQ(r2018.decode("\xD7\x93x"), L"\u05d3x");
    EXPECT_EQ(r2018.encode(L"\u05d3x"), "\xD7\x93x");
    // A byte that is not UTF-8 is kept, and written back as it was.
    EXPECT_EQ(r2018.encode(r2018.decode("bad \xFF byte")), "bad \xFF byte");

    TextCodec unknown;
    unknown.configure(1015, "ANSI_99999"); // falls back to 1252
    EXPECT_EQ(unknown.charset(), "CP1252");
    EXPECT_EQ(unknown.decode("caf\xE9"), L"caf\u00e9");

    // $ACADVER values of another shape count as R12.
    EXPECT_EQ(acadVersionNumber("AC1015"), 1015);
    EXPECT_EQ(acadVersionNumber("AC10"), 1009);
    EXPECT_EQ(acadVersionNumber("R2000x"), 1009);
    EXPECT_EQ(acadVersionNumber("AC99999999999999999999"), INT_MAX);
}

TEST(BinaryDxf, EveryValueTypeSurvivesBothWays) {
    // Strings, doubles, 16/32/64-bit integers, flags, binary chunks, extended codes; bytes
    // after EOF stay as they are.
    std::string text = "  0\nSECTION\n  2\nENTITIES\n 10\n1.5\n 70\n-3\n 90\n70000\n160\n"
                       "-9000000000\n290\n1\n310\n0102FF\n1001\nAPP\n1004\nABCD\n1071\n7\n"
                       "  0\nEOF\ntrailing";
    for (bool oneByte : {false, true}) {
        std::string binary = textToBinary(text, oneByte);
        EXPECT_TRUE(isBinaryDxf(binary));
        bool detected = !oneByte;
        EXPECT_EQ(binaryToText(binary, detected), text);
        EXPECT_EQ(detected, oneByte);
    }
    bool oneByte;
    std::string cut = textToBinary(text, false).substr(0, 47);
    try {
        binaryToText(cut, oneByte);
        FAIL() << "a cut binary drawing was read";
    } catch (const DxfError& e) {
        EXPECT_EQ(e.text(), "binary DXF: the file ends inside a number at byte 45 (truncated?)");
    }
}
