// The drawing and its file: what is read stays the drawing's whatever happens to the file
// afterwards, only regular files are read, and binary drawings keep every byte of their texts.
#include "TestSupport.h"

#include "dxf/BinaryDxf.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kestrel::test;

namespace {

// A drawing of the built-in empty one with a line and a text, saved at path.
std::string drawingWithLineAndText(const std::string& path, const wchar_t* text) {
    AcDbDatabase db;
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0));
    EXPECT_EQ(space->appendAcDbEntity(line), Acad::eOk);
    line->close();
    auto* label = new AcDbText(AcGePoint3d(0, 1, 0), text);
    EXPECT_EQ(space->appendAcDbEntity(label), Acad::eOk);
    label->close();
    space->close();
    EXPECT_EQ(db.saveAs(wide(path).c_str()), Acad::eOk);
    return readFile(path);
}

std::vector<AcDbObjectId> modelSpace(AcDbDatabase& db) {
    return entitiesOf(db.modelSpaceId());
}

void moveLineEnd(AcDbObjectId lineId, const AcGePoint3d& end) {
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, lineId, AcDb::kForWrite), Acad::eOk);
    line->setEndPoint(end);
    line->close();
}

} // namespace

TEST(DrawingFile, RewritingTruncatingOrRemovingTheFileLeavesTheOpenDrawingWhole) {
    std::string dir = scratchDir("file_changes");
    std::string plan = dir + "/plan.dxf";
    std::string original = drawingWithLineAndText(plan, L"kept");
    std::string other = dir + "/other.dxf";
    drawingWithLineAndText(other, L"another drawing");

    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(wide(plan).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    std::vector<AcDbObjectId> ids = modelSpace(db);
    ASSERT_EQ(ids.size(), 2u);

    // Rewritten with another drawing: the open one is still what was read.
    writeFile(plan, readFile(other));
    std::string copy = dir + "/copy.dxf";
    ASSERT_EQ(db.saveAs(wide(copy).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    EXPECT_TRUE(readFile(copy) == original);

    // Truncated: objects not yet read are read from what was read, and saving over it works.
    std::filesystem::resize_file(plan, 0);
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, ids[1], AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(text->textStringConst(), L"kept");
    text->close();
    moveLineEnd(ids[0], AcGePoint3d(8, 0, 0));
    ASSERT_EQ(db.saveAs(wide(plan).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    std::string saved = readFile(plan);
    EXPECT_NE(saved.find(" 11\n8.0\n"), std::string::npos);
    EXPECT_EQ(saved.size(), original.size());

    // Removed: still saved whole.
    std::filesystem::remove(plan);
    ASSERT_EQ(db.saveAs(wide(plan).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    EXPECT_TRUE(readFile(plan) == saved);
}

TEST(DrawingFile, OnlyRegularFilesAreReadAndOthersAreRefusedWithoutWaiting) {
    std::string dir = scratchDir("not_regular");
    std::string fifo = dir + "/pipe.dxf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir + "/zero.dxf");
    std::filesystem::create_directory(dir + "/folder.dxf");
    std::string plan = dir + "/plan.dxf";
    drawingWithLineAndText(plan, L"kept");

    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(wide(plan).c_str()), Acad::eOk);
    struct Case {
        std::string path;
        const char* why;
    } cases[] = {
        {fifo, "not a regular file (a FIFO)"}, // opening it would wait for a writer
        {dir + "/zero.dxf", "not a regular file (a character device)"},
        {"/dev/null", "not a regular file (a character device)"},
        {dir + "/folder.dxf", "not a regular file (a folder)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(db.readDxfFile(wide(c.path).c_str()), Acad::eFileAccessErr);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_EQ(narrow(db.lastErrorMessage()), c.path + ": " + c.why);
        EXPECT_EQ(modelSpace(db).size(), 2u); // the drawing read before stays
    }
}

TEST(DrawingFile, BinaryTextsEndingInCarriageReturnKeepItThroughSaving) {
    std::string dir = scratchDir("binary_cr");
    // The drawing as binary DXF, its text's value made "ends in CR\r".
    std::string text = drawingWithLineAndText(dir + "/ascii.dxf", L"ends in CR");
    std::string binary = kestrel::dxf::textToBinary(text, false);
    size_t value = binary.find(std::string("ends in CR\0", 11));
    ASSERT_NE(value, std::string::npos);
    binary.insert(value + 10, "\r");
    std::string path = dir + "/binary.dxf";
    writeFile(path, binary);

    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(wide(path).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    std::vector<AcDbObjectId> ids = modelSpace(db);
    ASSERT_EQ(ids.size(), 2u);
    AcDbText* label = nullptr;
    ASSERT_EQ(acdbOpenObject(label, ids[1], AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(label->textStringConst(), L"ends in CR\r");
    label->close();
    std::string unchanged = dir + "/unchanged.dxf";
    ASSERT_EQ(db.saveAs(wide(unchanged).c_str()), Acad::eOk);
    EXPECT_TRUE(readFile(unchanged) == binary);

    // Written from its object, the text keeps its CR as well.
    ASSERT_EQ(acdbOpenObject(label, ids[1], AcDb::kForWrite), Acad::eOk);
    label->setHeight(3.0);
    label->close();
    std::string changed = dir + "/changed.dxf";
    ASSERT_EQ(db.saveAs(wide(changed).c_str()), Acad::eOk);
    EXPECT_NE(readFile(changed).find(std::string("ends in CR\r\0", 12)), std::string::npos);
    AcDbDatabase again(false);
    ASSERT_EQ(again.readDxfFile(wide(changed).c_str()), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(label, modelSpace(again)[1], AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(label->textStringConst(), L"ends in CR\r");
    EXPECT_EQ(label->height(), 3.0);
    label->close();
}
