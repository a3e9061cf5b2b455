// The structure layer alone: records, sections and their nesting.
#include "dxf/DxfStructure.h"

#include <gtest/gtest.h>

using namespace kestrel::dxf;

namespace {

std::string dxf(std::initializer_list<std::pair<int, const char*>> tags) {
    std::string out;
    for (auto [code, value] : tags)
        out += std::to_string(code) + "\n" + value + "\n";
    return out;
}

std::string errorOf(const std::string& bytes) {
    RecordReader reader(bytes);
    Record r;
    try {
        while (reader.next(r)) {
        }
    } catch (const DxfError& e) {
        return e.text();
    }
    return "";
}

} // namespace

TEST(DxfStructure, RecordsCarryTheirSectionHandleNameAndSubEntities) {
    std::string bytes = dxf({{0, "SECTION"},
                             {2, "ENTITIES"},
                             {0, "INSERT"},
                             {5, "1A"},
                             {102, "{ACAD_REACTORS"},
                             {5, "FF"},
                             {102, "}"},
                             {67, "1"},
                             {66, "1"},
                             {2, "DOOR"},
                             {0, "ATTRIB"},
                             {5, "1B"},
                             {2, "TAG"},
                             {0, "SEQEND"},
                             {5, "1C"},
                             {0, "LINE"},
                             {0, "ENDSEC"},
                             {0, "EOF"}}) +
                        "trailing bytes are kept";
    RecordReader reader(bytes);
    std::vector<Record> records;
    Record r;
    while (reader.next(r))
        records.push_back(r);
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[0].type, "SECTION");
    EXPECT_EQ(records[0].name, "ENTITIES");
    const Record& insert = records[1];
    EXPECT_EQ(insert.type, "INSERT");
    EXPECT_EQ(insert.handle, "1A"); // not the 5 inside the group
    EXPECT_EQ(insert.name, "DOOR");
    EXPECT_TRUE(insert.paperSpace);
    EXPECT_TRUE(insert.attribsFollow);
    EXPECT_EQ(insert.section, Section::Entities);
    EXPECT_EQ(insert.line(), 5u);
    EXPECT_EQ(insert.endTag - insert.firstTag, 8u);
    EXPECT_TRUE(records[2].subEntity);
    EXPECT_TRUE(records[3].subEntity);
    EXPECT_FALSE(records[4].subEntity);
    EXPECT_EQ(records[6].type, "EOF");
    EXPECT_EQ(bytes.substr(reader.trailingOffset()), "trailing bytes are kept");
}

TEST(DxfStructure, RecordsCarryTheirPlaceInTheStructure) {
    std::string bytes = dxf(
        {{999, "made by hand"}, {0, "SECTION"}, {2, "TABLES"},  {0, "TABLE"},   {2, "LAYER"},
         {0, "LAYER"},          {0, "ENDTAB"},  {0, "ENDSEC"},  {0, "SECTION"}, {2, "BLOCKS"},
         {0, "BLOCK"},          {0, "INSERT"},  {66, "1"},      {0, "ATTRIB"},  {0, "SEQEND"},
         {0, "ENDBLK"},         {0, "ENDSEC"},  {0, "SECTION"}, {2, "OBJECTS"}, {0, "DICTIONARY"},
         {0, "ENDSEC"},         {0, "EOF"}});
    RecordReader reader(bytes);
    std::vector<std::pair<Role, Section>> got;
    Record r;
    while (reader.next(r))
        got.emplace_back(r.role, r.section);
    std::vector<std::pair<Role, Section>> expected{{Role::Comments, Section::None},
                                                   {Role::SectionStart, Section::Tables},
                                                   {Role::TableStart, Section::Tables},
                                                   {Role::TableEntry, Section::Tables},
                                                   {Role::TableEnd, Section::Tables},
                                                   {Role::SectionEnd, Section::Tables},
                                                   {Role::SectionStart, Section::Blocks},
                                                   {Role::BlockStart, Section::Blocks},
                                                   {Role::BlockEntity, Section::Blocks},
                                                   {Role::BlockEntity, Section::Blocks},
                                                   {Role::BlockEntity, Section::Blocks},
                                                   {Role::BlockEnd, Section::Blocks},
                                                   {Role::SectionEnd, Section::Blocks},
                                                   {Role::SectionStart, Section::Objects},
                                                   {Role::Other, Section::Objects},
                                                   {Role::SectionEnd, Section::Objects},
                                                   {Role::End, Section::None}};
    EXPECT_EQ(got, expected);
}

TEST(DxfStructure, RefusesBrokenNestingNamingTheLine) {
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}})),
              "line 6: the file ends inside section ENTITIES (truncated?)");
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}})),
              "line 6: the file ends without EOF (truncated?)");
    EXPECT_EQ(errorOf(dxf({{0, "LINE"}})),
              "line 1: \"LINE\" outside of a section (SECTION expected)");
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"}, {2, "TABLES"}, {0, "SECTION"}, {2, "BLOCKS"}})),
              "line 5: SECTION inside section TABLES (ENDSEC missing)");
    EXPECT_EQ(
        errorOf(dxf({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {0, "ENDSEC"}})),
        "line 9: ENDSEC while the TABLE at line 5 is open (ENDTAB missing)");
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"}, {2, "BLOCKS"}, {0, "LINE"}})),
              "line 5: \"LINE\" outside of a BLOCK");
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {0, "BLOCK"}})),
              "line 7: BLOCK inside the BLOCK at line 5 (ENDBLK missing)");
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"},
                           {2, "ENTITIES"},
                           {0, "INSERT"},
                           {66, "1"},
                           {0, "ATTRIB"},
                           {0, "LINE"}})),
              "line 11: \"LINE\" where SEQEND was expected to end the attributes of the INSERT "
              "at line 5");
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "ATTRIB"}})),
              "line 5: ATTRIB without a preceding INSERT");
    EXPECT_EQ(errorOf(dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "EOF"}})),
              "line 5: EOF inside section ENTITIES (ENDSEC missing)");
    EXPECT_EQ(errorOf(dxf({{999, "comment"}, {0, "SECTION"}, {2, "X"}, {0, "ENDSEC"}, {0, "EOF"}})),
              "");
}
