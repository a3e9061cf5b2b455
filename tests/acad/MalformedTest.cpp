// Malformed drawings are refused with the line and the problem, and never crash; saving that
// cannot complete leaves the target as it was.
#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace kestrel::test;

namespace {

// A valid R12 drawing with one block "B" and a reference to it.
std::string validDrawing(const std::string& dir) {
    std::string path = dir + "/valid.dxf";
    AcDbDatabase db;
    AcDbBlockTable* table = nullptr;
    db.getBlockTable(table, AcDb::kForWrite);
    auto* record = new AcDbBlockTableRecord;
    record->setName(L"B");
    AcDbObjectId recordId;
    table->add(recordId, record);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    record->appendAcDbEntity(line);
    line->close();
    record->close();
    table->close();
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite);
    auto* ref = new AcDbBlockReference(AcGePoint3d(1, 2, 0), recordId);
    space->appendAcDbEntity(ref);
    ref->close();
    space->close();
    EXPECT_EQ(db.saveAs(wide(path).c_str()), Acad::eOk);
    return readFile(path);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(Malformed, RefusedWithTheLineAndTheProblemKeepingTheOpenDrawing) {
    std::string dir = scratchDir("malformed");
    std::string valid = validDrawing(dir);
    size_t insertAt = valid.find("INSERT");
    std::string noise;
    for (int i = 0; i < 3000; ++i)
        noise += char((i * 7919 + 13) % 251);
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"truncated", valid.substr(0, valid.rfind("  0\nENDSEC")),
         "the file ends inside section ENTITIES (truncated?)"},
        {"truncated_in_a_line", valid.substr(0, valid.rfind("  0\nENDSEC") + 2),
         "a group code was expected, found \"  \""},
        {"noise", noise, "line 1: a group code was expected"},
        {"no_eof", replaced(valid, "  0\nEOF\n", ""), "the file ends without EOF"},
        {"odd_lines", valid.substr(0, insertAt) + "INSERT\n  5",
         "has no value line (odd number of lines; truncated?)"},
        {"handle_twice",
         replaced(valid, "  0\nENDSEC\n  0\nEOF",
                  "  0\nLINE\n  5\n14\n  8\n0\n"
                  "  0\nENDSEC\n  0\nEOF"),
         "handle 14 is used twice (also by the BLOCK at line"},
        {"missing_block", replaced(valid, "  2\nB\n 10\n1.0", "  2\nNOPE\n 10\n1.0"),
         "INSERT refers to block \"NOPE\", which the drawing does not define"},
        {"bad_handle", replaced(valid, "  5\n14\n", "  5\nXYZ\n"), "invalid handle \"XYZ\""},
        {"empty", "", "line 1: the file ends without EOF"},
        {"binary", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION\0\x02\0HEA", 37),
         "binary DXF: the string at byte 34 is not terminated (truncated?)"},
    };
    AcDbDatabase db; // holds the empty drawing throughout
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir + "/" + c.name + ".dxf";
        writeFile(path, c.text);
        EXPECT_EQ(db.readDxfFile(wide(path).c_str()), Acad::eDwgNeedsRecovery);
        std::string message = narrow(db.lastErrorMessage());
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << message;
        if (std::string(c.name) != "binary") {
            EXPECT_NE(message.find(": line "), std::string::npos) << message;
        }
    }
    EXPECT_EQ(db.readDxfFile(wide(dir + "/none.dxf").c_str()), Acad::eFileNotFound);
    EXPECT_NE(db.lastErrorMessage().find(L"No such file"), std::wstring::npos);
    // The database still holds the empty drawing and can save it.
    EXPECT_EQ(db.acadVersion(), L"AC1009");
    EXPECT_EQ(db.saveAs(wide(dir + "/still.dxf").c_str()), Acad::eOk);
}

TEST(Malformed, NoCutOrChangedByteCrashes) {
    std::string dir = scratchDir("malformed_cuts");
    std::string valid = validDrawing(dir);
    std::string path = dir + "/cut.dxf";
    int refused = 0;
    for (size_t cut = 0; cut < valid.size(); cut += 5) {
        writeFile(path, valid.substr(0, cut));
        AcDbDatabase db(false);
        refused += db.readDxfFile(wide(path).c_str()) != Acad::eOk;
    }
    EXPECT_GT(refused, 0);
    for (size_t at = 0; at < valid.size(); at += 3) {
        std::string changed = valid;
        changed[at] = changed[at] == '\n' ? 'x' : '\n';
        writeFile(path, changed);
        AcDbDatabase db(false);
        if (db.readDxfFile(wide(path).c_str()) == Acad::eOk) {
            std::vector<AcDbObjectId> open = db.openedObjects();
            EXPECT_TRUE(open.empty());
        }
    }
}

TEST(Malformed, BlockHoldingItselfHasExtentsWithoutEndlessRecursion) {
    std::string dir = scratchDir("malformed_cycle");
    std::string valid = validDrawing(dir);
    // Block B gets a reference to B before its end.
    size_t blockB = valid.find("  2\nB\n");
    size_t endblk = valid.find("  0\nENDBLK", blockB);
    std::string text = valid;
    text.insert(endblk, "  0\nINSERT\n  8\n0\n  2\nB\n 10\n5.0\n 20\n0.0\n 30\n0.0\n");
    std::string path = dir + "/cycle.dxf";
    writeFile(path, text);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(wide(path).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    AcDbEntity* ref = nullptr;
    ASSERT_EQ(it->getEntity(ref, AcDb::kForRead), Acad::eOk);
    AcDbExtents extents;
    EXPECT_EQ(ref->getGeomExtents(extents), Acad::eOk);
    EXPECT_LE(extents.minPoint().x, 1.0); // at least the block's own line, placed at (1,2)
    ref->close();
    delete it;
    space->close();
}

TEST(Malformed, FailedSaveLeavesTheTargetAndNoTemporaryFile) {
    std::string dir = scratchDir("save_fail");
    AcDbDatabase db;
    EXPECT_EQ(db.saveAs(wide(dir + "/no/such/folder/x.dxf").c_str()), Acad::eFileAccessErr);
    EXPECT_NE(narrow(db.lastErrorMessage()).find("cannot create a temporary file beside"),
              std::string::npos);
    // A folder in the target's place cannot be replaced by the file.
    std::string target = dir + "/folder.dxf";
    std::filesystem::create_directory(target);
    EXPECT_EQ(db.saveAs(wide(target).c_str()), Acad::eFileAccessErr);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 0) << "a temporary file was left behind";
}
