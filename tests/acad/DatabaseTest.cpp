// The database through the host's API, on the built-in empty drawing and on files it writes.
#include "TestSupport.h"

#include "dbapserv.h"
#include <algorithm>

#include <gtest/gtest.h>

using namespace kestrel::test;

namespace {

std::vector<std::wstring> blockNames(AcDbDatabase& db) {
    std::vector<std::wstring> names;
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db.getSymbolTable(table, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableIterator* it = nullptr;
    EXPECT_EQ(table->newIterator(it, true, true), Acad::eOk);
    for (; !it->done(); it->step(true, true)) {
        AcDbBlockTableRecord* record = nullptr;
        if (it->getRecord(record, AcDb::kForRead, false) != Acad::eOk)
            continue;
        ACHAR* name = nullptr;
        record->getName(name);
        names.push_back(name);
        acutDelString(name);
        record->close();
    }
    delete it;
    table->close();
    return names;
}

// A block "DOOR" (a line and an attribute definition) and a reference to it in model space
// with its attribute; returns the reference's id.
AcDbObjectId addDoor(AcDbDatabase& db) {
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db.getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord;
    EXPECT_EQ(record->setName(L"DOOR"), Acad::eOk);
    AcDbObjectId recordId;
    EXPECT_EQ(table->add(recordId, record), Acad::eOk);
    table->close();
    record->setOrigin(AcGePoint3d(1, 0, 0));
    auto* line = new AcDbLine(AcGePoint3d(1, 0, 0), AcGePoint3d(3, 2, 0));
    EXPECT_EQ(record->appendAcDbEntity(line), Acad::eOk);
    line->close();
    auto* def = new AcDbAttributeDefinition(AcGePoint3d(1, 1, 0), L"D-1", L"NUMBER", L"Number?");
    def->setHeight(0.5);
    EXPECT_EQ(record->appendAcDbEntity(def), Acad::eOk);
    def->close();
    record->close();

    auto* ref = new AcDbBlockReference(AcGePoint3d(10, 20, 0), recordId);
    ref->setRotation(3.14159265358979323846 / 2);
    auto* attribute = new AcDbAttribute;
    AcDbAttributeDefinition* openDef = nullptr;
    AcDbObjectId defId = entitiesOf(recordId).at(1);
    EXPECT_EQ(acdbOpenObject(openDef, defId, AcDb::kForRead), Acad::eOk);
    attribute->setAttributeFromBlock(openDef, ref->blockTransform());
    openDef->close();
    EXPECT_EQ(ref->appendAttribute(attribute), Acad::eOk); // kept until the reference is added
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId refId;
    EXPECT_EQ(space->appendAcDbEntity(refId, ref), Acad::eOk);
    space->close();
    ref->close();
    return refId;
}

} // namespace

TEST(Database, BlockTableTextStylesAndNewRecords) {
    AcDbDatabase db; // the built-in empty drawing
    // R12 calls its spaces $MODEL_SPACE and $PAPER_SPACE; the database names them as the host.
    EXPECT_EQ(blockNames(db), (std::vector<std::wstring>{L"*Model_Space", L"*Paper_Space"}));

    AcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(db.getSymbolTable(styles, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(styles->has(L"Standard")); // names ignore letter case
    EXPECT_FALSE(styles->has(L"QVNTABLE"));
    AcDbTextStyleTableRecord* style = nullptr;
    EXPECT_EQ(styles->getAt(L"QVNTABLE", style, AcDb::kForRead), Acad::eKeyNotFound);
    EXPECT_EQ(style, nullptr);
    style = new AcDbTextStyleTableRecord;
    EXPECT_EQ(styles->add(style), Acad::eInvalidSymbolTableName); // no name yet
    style->setName(L"QVNTABLE");
    style->setFileName(L"simpheb.shx");
    AcDbObjectId styleId;
    ASSERT_EQ(styles->add(styleId, style), Acad::eOk);
    EXPECT_TRUE(style->isWriteEnabled()); // added records stay open for the caller
    style->close();
    auto* twin = new AcDbTextStyleTableRecord;
    twin->setName(L"qvntable");
    EXPECT_EQ(styles->add(twin), Acad::eDuplicateRecordName);
    delete twin;
    AcDbObjectId found;
    EXPECT_EQ(styles->getAt(L"QvnTable", found), Acad::eOk);
    EXPECT_EQ(found, styleId);
    styles->close();

    AcDbObjectId refId = addDoor(db);
    EXPECT_EQ(blockNames(db),
              (std::vector<std::wstring>{L"*Model_Space", L"*Paper_Space", L"DOOR"}));
    AcDbObjectId modelSpace;
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db.getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(blocks->getAt(L"*MODEL_SPACE", modelSpace), Acad::eOk);
    EXPECT_EQ(modelSpace, db.modelSpaceId());
    blocks->close();
    EXPECT_TRUE(db.openedObjects().empty());

    // The reference reads back with its block, placement and attribute.
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, ref->blockTableRecord(), AcDb::kForRead), Acad::eOk);
    const ACHAR* name = nullptr;
    record->getName(name);
    EXPECT_STREQ(name, L"DOOR");
    EXPECT_TRUE(record->hasAttributeDefinitions());
    EXPECT_FALSE(record->isLayout());
    record->close();
    AcDbObjectIterator* attributes = ref->attributeIterator();
    ASSERT_FALSE(attributes->done());
    AcDbAttribute* attribute = nullptr;
    ASSERT_EQ(acdbOpenObject(attribute, attributes->objectId(), AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(attribute->tagConst(), L"NUMBER");
    EXPECT_STREQ(attribute->textStringConst(), L"D-1");
    // (1,1) in the block is (0,1) from the base point; turned a quarter to (-1,0), then moved.
    EXPECT_NEAR(attribute->position().x, 9, 1e-9);
    EXPECT_NEAR(attribute->position().y, 20, 1e-9);
    EXPECT_NEAR(attribute->rotation(), 3.14159265358979323846 / 2, 1e-9);
    EXPECT_EQ(attribute->height(), 0.5);
    EXPECT_EQ(attribute->ownerId(), refId);
    attribute->close();
    attributes->step();
    EXPECT_TRUE(attributes->done());
    delete attributes;
    ref->close();
    EXPECT_TRUE(db.openedObjects().empty());
}

TEST(Database, OpenModesAreEnforcedAndEveryOpenIsListedUntilClosed) {
    AcDbDatabase db;
    AcDbObjectId refId = addDoor(db);
    AcDbBlockReference* a = nullptr;
    AcDbBlockReference* b = nullptr;
    ASSERT_EQ(acdbOpenObject(a, refId, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(b, refId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(a, b); // readers share the object
    AcDbObject* w = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(w, refId, AcDb::kForWrite), Acad::eWasOpenedForRead);
    EXPECT_EQ(a->setPosition(AcGePoint3d(1, 1, 1)), Acad::eNotOpenForWrite);
    EXPECT_EQ(db.openedObjects(), std::vector<AcDbObjectId>{refId});
    a->close();
    EXPECT_EQ(b->upgradeOpen(), Acad::eOk); // the only reader left
    EXPECT_EQ(acdbOpenAcDbObject(w, refId, AcDb::kForRead), Acad::eWasOpenedForWrite);
    EXPECT_EQ(b->setPosition(AcGePoint3d(5, 6, 0)), Acad::eOk);
    b->close();
    EXPECT_TRUE(db.openedObjects().empty());

    AcDbLine* notALine = nullptr;
    EXPECT_EQ(acdbOpenObject(notALine, refId, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_TRUE(db.openedObjects().empty()); // the failed open closed what it opened
    EXPECT_EQ(acdbOpenAcDbObject(w, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);

    // Erasing: the iterator skips the entity, opening it needs openErased.
    ASSERT_EQ(acdbOpenObject(b, refId, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(b->erase(), Acad::eOk);
    b->close();
    EXPECT_TRUE(refId.isErased());
    EXPECT_TRUE(entitiesOf(db.modelSpaceId()).empty());
    EXPECT_EQ(acdbOpenObject(b, refId, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenObject(b, refId, AcDb::kForRead, true), Acad::eOk);
    EXPECT_EQ(b->position(), AcGePoint3d(5, 6, 0));
    b->close();

    // Objects not in a database are the caller's.
    AcDbLine loose(AcGePoint3d(), AcGePoint3d(1, 0, 0));
    EXPECT_TRUE(loose.isWriteEnabled());
    EXPECT_EQ(loose.close(), Acad::eNotInDatabase);
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    auto* line = new AcDbLine;
    EXPECT_EQ(space->appendAcDbEntity(line), Acad::eNotOpenForWrite);
    delete line;
    space->close();
    EXPECT_TRUE(db.openedObjects().empty());
}

TEST(Database, SavedDrawingReadsBackWithHandlesHeaderAndBackup) {
    std::string dir = scratchDir("database_save");
    std::string path = dir + "/drawing.dxf";
    AcDbHandle refHandle;
    {
        AcDbDatabase db;
        AcDbHandle seed = db.handseed();
        AcDbObjectId refId = addDoor(db);
        refHandle = refId.handle();
        EXPECT_GE(refHandle.value(), seed.value());
        EXPECT_EQ(db.setHeaderVar(L"ATTREQ", {{70, L"0"}}), Acad::eOk);
        EXPECT_EQ(db.setHeaderVar(L"$ACADVER", {{9, L"x"}}), Acad::eInvalidInput);
        ASSERT_EQ(db.saveAs(wide(path).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
        EXPECT_FALSE(fileExists(dir + "/drawing.bak")); // nothing to keep the first time
        ASSERT_EQ(db.saveAs(wide(path).c_str()), Acad::eOk);
        EXPECT_TRUE(fileExists(dir + "/drawing.bak"));
    }
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(wide(path).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    std::vector<AcDbHeaderValue> values;
    ASSERT_EQ(db.getHeaderVar(L"$attreq", values), Acad::eOk);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].groupCode, 70);
    EXPECT_EQ(values[0].text, L"0");
    EXPECT_EQ(db.getHeaderVar(L"NOSUCHVAR", values), Acad::eKeyNotFound);
    EXPECT_GT(db.handseed().value(), refHandle.value());

    AcDbObjectId refId;
    ASSERT_EQ(db.getAcDbObjectId(refId, false, refHandle), Acad::eOk);
    EXPECT_STREQ(refId.dxfName(), "INSERT");
    EXPECT_EQ(db.getAcDbObjectId(refId, false, AcDbHandle(0xFFFFFF)), Acad::eKeyNotFound);
    ASSERT_EQ(db.getAcDbObjectId(refId, false, refHandle), Acad::eOk);
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ref->position(), AcGePoint3d(10, 20, 0));
    EXPECT_NEAR(ref->rotation(), 3.14159265358979323846 / 2, 1e-12);
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, ref->blockTableRecord(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(record->origin(), AcGePoint3d(1, 0, 0));
    record->close();
    AcDbObjectIterator* it = ref->attributeIterator();
    ASSERT_FALSE(it->done());
    AcDbEntity* attribute = nullptr;
    ASSERT_EQ(it->entity(attribute, AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(AcDbAttribute::cast(attribute)->textStringConst(), L"D-1");
    attribute->close();
    delete it;
    ref->close();

    std::vector<AcDbObjectId> doorEntities;
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db.getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId doorId;
    ASSERT_EQ(table->getAt(L"door", doorId), Acad::eOk);
    table->close();
    doorEntities = entitiesOf(doorId);
    ASSERT_EQ(doorEntities.size(), 2u);
    AcDbAttributeDefinition* def = nullptr;
    ASSERT_EQ(acdbOpenObject(def, doorEntities[1], AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(def->tagConst(), L"NUMBER");
    EXPECT_STREQ(def->promptConst(), L"Number?");
    EXPECT_FALSE(def->isInvisible());
    def->close();
    EXPECT_TRUE(db.openedObjects().empty());
}

TEST(Database, ChangesToFileObjectsKeepWhatTheyDoNotModel) {
    std::string dir = scratchDir("database_edit");
    std::string original = dir + "/original.dxf";
    // A line with extended data and a colour the database does not model, and a circle.
    std::string entities = "  0\nLINE\n  5\n50\n  8\n0\n 62\n3\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
                           " 11\n4.0\n 21\n0.0\n 31\n0.0\n1001\nACAD\n1000\nkeep me\n"
                           "  0\nCIRCLE\n  5\n51\n  8\n0\n 10\n5.0\n 20\n5.0\n 30\n0.0\n"
                           " 40\n2.0\n";
    {
        AcDbDatabase db;
        ASSERT_EQ(db.saveAs(wide(original).c_str()), Acad::eOk);
    }
    std::string text = readFile(original);
    size_t at = text.find("ENTITIES\n") + 9;
    text.insert(at, entities);
    writeFile(original, text);

    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(wide(original).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    std::vector<AcDbObjectId> ids = entitiesOf(db.modelSpaceId());
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_STREQ(ids[1].dxfName(), "CIRCLE");
    AcDbEntity* circle = nullptr;
    ASSERT_EQ(acdbOpenObject(circle, ids[1], AcDb::kForRead), Acad::eOk);
    AcDbExtents extents;
    ASSERT_EQ(circle->getGeomExtents(extents), Acad::eOk);
    EXPECT_EQ(extents.minPoint(), AcGePoint3d(3, 3, 0));
    EXPECT_EQ(extents.maxPoint(), AcGePoint3d(7, 7, 0));
    circle->close();

    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, ids[0], AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(line->endPoint(), AcGePoint3d(4, 0, 0));
    line->setEndPoint(AcGePoint3d(8, 1, 0));
    line->close();
    std::string saved = dir + "/saved.dxf";
    ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk);
    std::string out = readFile(saved);
    EXPECT_NE(out.find("  0\nLINE\n  5\n50\n  8\n0\n 62\n3\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
                       " 11\n8.0\n 21\n1.0\n 31\n0.0\n1001\nACAD\n1000\nkeep me\n"),
              std::string::npos);
    // Everything else is byte for byte what the file held.
    std::string expected = text;
    expected.replace(expected.find(" 11\n4.0\n 21\n0.0\n"), 16, " 11\n8.0\n 21\n1.0\n");
    EXPECT_EQ(out, expected);
}

TEST(Database, ExtentsOfLinesTextsAndReferences) {
    AcDbDatabase db;
    AcDbObjectId refId = addDoor(db);
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForRead), Acad::eOk);
    AcDbExtents extents;
    ASSERT_EQ(ref->getGeomExtents(extents), Acad::eOk);
    // The door's line (1,0)-(3,2) from base point (1,0), turned a quarter: (0,0)-(-2,2),
    // moved to (10,20); the attribute text adds its box on the left.
    EXPECT_NEAR(extents.maxPoint().x, 10, 1e-9);
    EXPECT_NEAR(extents.maxPoint().y, 22, 1e-9);
    EXPECT_LE(extents.minPoint().x, 8);
    EXPECT_NEAR(extents.minPoint().y, 20, 1e-9);
    ref->close();

    AcDbText text(AcGePoint3d(0, 0, 0), L"abcd", AcDbObjectId(), 2.0);
    ASSERT_EQ(text.getGeomExtents(extents), Acad::eOk);
    EXPECT_EQ(extents.minPoint(), AcGePoint3d(0, 0, 0));
    EXPECT_EQ(extents.maxPoint(), AcGePoint3d(8, 2, 0));
    text.setHorizontalMode(AcDb::kTextRight);
    text.setAlignmentPoint(AcGePoint3d(10, 0, 0));
    ASSERT_EQ(text.getGeomExtents(extents), Acad::eOk);
    EXPECT_EQ(extents.minPoint(), AcGePoint3d(2, 0, 0));
}

TEST(Database, WorkingDatabaseIsWhatTheHostSets) {
    AcDbDatabase db;
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), &db);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

// Each flag keeps its own bit, a tag is never empty, and an attribute takes tag and flags
// from its definition.
TEST(Database, AttributeFlagsAndTagsAndWhatAnAttributeTakesFromItsDefinition) {
    AcDbAttributeDefinition def(AcGePoint3d(0, 0, 0), L"D-1", L"NUMBER", L"Number?");
    EXPECT_EQ(def.setConstant(true), Acad::eOk);
    EXPECT_EQ(def.setPreset(true), Acad::eOk);
    EXPECT_FALSE(def.isInvisible());
    EXPECT_TRUE(def.isConstant());
    EXPECT_FALSE(def.isVerifiable());
    EXPECT_TRUE(def.isPreset());
    EXPECT_EQ(def.setPreset(false), Acad::eOk);
    EXPECT_EQ(def.setVerifiable(true), Acad::eOk);
    EXPECT_TRUE(def.isConstant());
    EXPECT_TRUE(def.isVerifiable());
    EXPECT_FALSE(def.isPreset());
    EXPECT_EQ(def.setTag(L""), Acad::eInvalidInput);
    EXPECT_EQ(def.setTag(nullptr), Acad::eInvalidInput);
    EXPECT_STREQ(def.tagConst(), L"NUMBER");

    AcDbAttribute attribute(AcGePoint3d(5, 5, 0), L"", L"OLD");
    EXPECT_EQ(attribute.setInvisible(true), Acad::eOk);
    ASSERT_EQ(attribute.setAttributeFromBlock(&def, AcGeMatrix3d()), Acad::eOk);
    EXPECT_FALSE(attribute.isInvisible());
    EXPECT_TRUE(attribute.isConstant());
    ACHAR* tag = attribute.tag();
    EXPECT_STREQ(tag, L"NUMBER");
    acutDelString(tag);
    EXPECT_EQ(attribute.setTag(L""), Acad::eInvalidInput);
    EXPECT_EQ(attribute.setTag(L"NEW"), Acad::eOk);
    EXPECT_STREQ(attribute.tagConst(), L"NEW");
}

TEST(Database, AttributesAddedLaterAndErasedAdditionsAreNotWritten) {
    std::string dir = scratchDir("database_later");
    AcDbDatabase db;
    AcDbObjectId refId = addDoor(db);
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForWrite), Acad::eOk);
    auto* extra = new AcDbAttribute(AcGePoint3d(0, 0, 0), L"second", L"EXTRA");
    AcDbObjectId extraId;
    ASSERT_EQ(ref->appendAttribute(extraId, extra), Acad::eOk);
    EXPECT_TRUE(extra->isWriteEnabled()); // the reference is in the database: caller closes
    extra->close();
    ref->close();
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* gone = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(9, 9, 0));
    AcDbObjectId goneId;
    ASSERT_EQ(space->appendAcDbEntity(goneId, gone), Acad::eOk);
    EXPECT_EQ(gone->erase(), Acad::eOk);
    gone->close();
    auto* wrongLayer = new AcDbLine;
    EXPECT_EQ(wrongLayer->setLayer(L"NOSUCHLAYER"), Acad::eOk); // not in a database yet
    EXPECT_EQ(space->appendAcDbEntity(wrongLayer), Acad::eKeyNotFound);
    delete wrongLayer;
    space->close();
    std::string path = dir + "/later.dxf";
    ASSERT_EQ(db.saveAs(wide(path).c_str()), Acad::eOk);
    std::string text = readFile(path);
    EXPECT_EQ(text.find(" 11\n9.0\n 21\n9.0"), std::string::npos); // the erased line
    // Each attribute once, before the SEQEND that ends the reference.
    size_t second = text.find("second");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(text.find("second", second + 1), std::string::npos);
    EXPECT_LT(text.find("D-1"), second);
    EXPECT_LT(second, text.find("SEQEND"));

    AcDbDatabase again(false);
    ASSERT_EQ(again.readDxfFile(wide(path).c_str()), Acad::eOk);
    EXPECT_EQ(entitiesOf(again.modelSpaceId()).size(), 1u);
}

TEST(Database, MinimalR12WithoutHandlesOrSpaceBlocks) {
    // What small programs write: no handles, no $MODEL_SPACE block, a layer table only.
    std::string text = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
                       "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n"
                       "  0\nLAYER\n  2\n0\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n  0\nENDTAB\n"
                       "  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n  0\nENDSEC\n"
                       "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n5\n"
                       " 21\n0\n  0\nCIRCLE\n 67\n1\n  8\n0\n 10\n1\n 20\n1\n 40\n1\n"
                       "  0\nENDSEC\n  0\nEOF\n";
    std::string dir = scratchDir("database_minimal");
    std::string path = dir + "/minimal.dxf";
    writeFile(path, text);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(wide(path).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
    EXPECT_EQ(entitiesOf(db.modelSpaceId()).size(), 1u);
    EXPECT_EQ(entitiesOf(db.paperSpaceId()).size(), 1u); // the circle with group 67
    EXPECT_TRUE(entitiesOf(db.modelSpaceId())[0].handle().isNull());
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    const ACHAR* name = nullptr;
    space->getName(name);
    EXPECT_STREQ(name, L"*Model_Space");
    auto* line = new AcDbLine(AcGePoint3d(0, 1, 0), AcGePoint3d(5, 1, 0));
    ASSERT_EQ(space->appendAcDbEntity(line), Acad::eOk);
    line->close();
    space->close();
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord;
    record->setName(L"NEW");
    EXPECT_EQ(blocks->add(record), Acad::eOk);
    record->close();
    blocks->close();
    ASSERT_EQ(db.saveAs(wide(path).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());

    std::string saved = readFile(path);
    AcDbDatabase again(false);
    ASSERT_EQ(again.readDxfFile(wide(path).c_str()), Acad::eOk) << narrow(again.lastErrorMessage());
    EXPECT_EQ(entitiesOf(again.modelSpaceId()).size(), 2u);
    EXPECT_EQ(entitiesOf(again.paperSpaceId()).size(), 1u);
    std::vector<std::wstring> names = blockNames(again);
    EXPECT_NE(std::find(names.begin(), names.end(), L"NEW"), names.end());
    EXPECT_EQ(saved.find("$HANDSEED"), std::string::npos); // no handles: none for additions
    EXPECT_EQ(saved.find("\n  5\n"), std::string::npos);
    // What was there stays as it was, in front of the additions.
    EXPECT_EQ(saved.substr(0, text.find("  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES")),
              text.substr(0, text.find("  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES")));
}

TEST(Database, HandlingIsReadAsANumberHoweverPadded) {
    // R12 writes $HANDLING right-aligned; "     0" means no handles, "     1" handles on.
    auto drawing = [](const char* handling, const char* lineHandle) {
        return std::string("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  9\n"
                           "$HANDLING\n 70\n") +
               handling + "\n  9\n$HANDSEED\n  5\n30\n  0\nENDSEC\n" +
               "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n" + lineHandle +
               "  8\n0\n 10\n0\n 20\n0\n 11\n5\n 21\n0\n  0\nENDSEC\n  0\nEOF\n";
    };
    std::string dir = scratchDir("database_handling");
    struct Case {
        const char* handling;
        const char* lineHandle;
        bool handlesWritten;
    } cases[] = {{"     0", "", false}, {"     1", "  5\n2A\n", true}, {"0", "", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handling);
        std::string path = dir + "/handling.dxf";
        writeFile(path, drawing(c.handling, c.lineHandle));
        AcDbDatabase db(false);
        ASSERT_EQ(db.readDxfFile(wide(path).c_str()), Acad::eOk) << narrow(db.lastErrorMessage());
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(0, 1, 0), AcGePoint3d(5, 1, 0));
        ASSERT_EQ(space->appendAcDbEntity(line), Acad::eOk);
        line->close();
        space->close();
        ASSERT_EQ(db.saveAs(wide(path).c_str()), Acad::eOk);
        std::string saved = readFile(path);
        // The addition is the second LINE; it has a handle only where the drawing has them.
        size_t added = saved.find("LINE", saved.find("LINE") + 1);
        ASSERT_NE(added, std::string::npos);
        EXPECT_EQ(saved.compare(added, 11, "LINE\n  5\n30") == 0, c.handlesWritten) << saved;
        EXPECT_EQ(saved.find("$HANDSEED\n  5\n31\n") != std::string::npos, c.handlesWritten);
    }
}
