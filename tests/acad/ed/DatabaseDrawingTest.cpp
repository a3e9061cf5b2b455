#include <gtest/gtest.h>

#include <algorithm>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <aced.h>

#include "EditorTestSupport.h"
#include "ed/DatabaseDrawing.h"
#include "tests/acad/TestSupport.h"

namespace {

// An R12 drawing with a block B and references to it, each with the handle given ("" for
// none, and a drawing without handles when none has one).
std::string R12References(const std::vector<std::string>& handles) {
    bool any = std::any_of(handles.begin(), handles.end(), [](auto& h) { return !h.empty(); });
    std::string text = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n";
    if (any)
        text += "  9\n$HANDSEED\n  5\nFF\n";
    text += "  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  8\n0\n  2\nB\n 70\n0\n"
            " 10\n0\n 20\n0\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n"
            "  0\nENDBLK\n  8\n0\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n";
    for (std::size_t i = 0; i < handles.size(); ++i) {
        text += "  0\nINSERT\n";
        if (any)
            text += "  5\n" + handles[i] + "\n"; // an empty value where a handle is missing
        text += "  8\n0\n  2\nB\n 10\n" + std::to_string(i) + "\n 20\n0\n";
    }
    return text + "  0\nENDSEC\n  0\nEOF\n";
}

// The drawing the editor works on is the host's working drawing, as in a run.
struct WorkingDrawing {
    explicit WorkingDrawing(AcDbDatabase& database) {
        acdbHostApplicationServices()->setWorkingDatabase(&database);
    }
    ~WorkingDrawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
};

// What the report command does with a selection: each entity opened as a block reference;
// their x positions in the order of the set.
std::vector<double> OpenEach(const ads_name set) {
    std::vector<double> positions;
    int length = 0;
    EXPECT_EQ(acedSSLength(set, &length), RTNORM);
    for (int i = 0; i < length; ++i) {
        ads_name entity;
        EXPECT_EQ(acedSSName(set, i, entity), RTNORM);
        AcDbObjectId id;
        EXPECT_EQ(acdbGetObjectId(id, entity), Acad::eOk);
        AcDbBlockReference* reference = nullptr;
        if (acdbOpenObject(reference, id, AcDb::kForRead) != Acad::eOk)
            continue;
        positions.push_back(reference->position().x);
        reference->close();
    }
    return positions;
}

// Appends an entity to model space and closes it.
void AddToModelSpace(AcDbDatabase& database, AcDbEntity* entity, const wchar_t* layer) {
    AcDbBlockTableRecord* modelSpace = nullptr;
    ASSERT_EQ(acdbOpenObject(modelSpace, database.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    entity->setLayer(layer);
    ASSERT_EQ(modelSpace->appendAcDbEntity(entity), Acad::eOk);
    entity->close();
    modelSpace->close();
}

void AddLayer(AcDbDatabase& database, const wchar_t* name, bool frozen) {
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(database.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbLayerTableRecord;
    record->setName(name);
    record->setIsFrozen(frozen);
    ASSERT_EQ(layers->add(record), Acad::eOk);
    record->close();
    layers->close();
}

} // namespace

TEST(DatabaseDrawing, EntitiesAreSelectedByNameWhetherOrNotTheyHaveHandles) {
    std::string dir = kestrel::test::scratchDir("selection_names");
    for (const auto& handles :
         {std::vector<std::string>(5, ""), std::vector<std::string>{"40", "41", "", "42", ""}}) {
        std::string path = dir + "/references.dxf";
        kestrel::test::writeFile(path, R12References(handles));
        AcDbDatabase database(false);
        ASSERT_EQ(database.readDxfFile(kestrel::test::wide(path).c_str()), Acad::eOk);
        WorkingDrawing working(database);
        ed::DatabaseDrawing drawing(database);
        EditorRun run({L"ALL", L"ALL", L"H 41 41 42", L""}, &drawing);
        resbuf filter{};
        filter.restype = 0;
        filter.resval.rstring = const_cast<wchar_t*>(L"INSERT");
        ads_name set;
        ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, &filter, set), RTNORM);
        std::string out = run.out.str();
        EXPECT_NE(out.find("5 found, 5 total"), std::string::npos) << out;
        EXPECT_NE(out.find("5 found (5 duplicate), 5 total"), std::string::npos) << out;
        EXPECT_NE(out.find(handles[0].empty() ? "0 found, 5 total" : "3 found (3 duplicate)"),
                  std::string::npos)
            << out;
        EXPECT_EQ(OpenEach(set), (std::vector<double>{0, 1, 2, 3, 4}));
        EXPECT_EQ(acedSSFree(set), RTNORM);
        EXPECT_TRUE(database.openedObjects().empty());
    }
}

TEST(DatabaseDrawing, OffersEntitiesOffFrozenLayersAndInsertsWithAttributes) {
    AcDbDatabase database;
    WorkingDrawing working(database);
    AddLayer(database, L"COLD", true);
    AddToModelSpace(database, new AcDbLine({0, 0, 0}, {4, 2, 0}), L"0");
    AddToModelSpace(database, new AcDbLine({5, 5, 0}, {6, 6, 0}), L"COLD");

    // A block with a variable and a constant attribute definition.
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(database.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord;
    block->setName(L"TAG");
    ASSERT_EQ(blocks->add(block), Acad::eOk);
    blocks->close();
    auto* price = new AcDbAttributeDefinition({0, 0, 0}, L"9.99", L"PRICE", L"Price");
    block->appendAcDbEntity(price);
    price->close();
    auto* maker = new AcDbAttributeDefinition({0, 1, 0}, L"ACME", L"MAKER", L"");
    maker->setConstant(true);
    block->appendAcDbEntity(maker);
    maker->close();
    block->close();

    ed::DatabaseDrawing drawing(database);
    auto entities = drawing.SelectableEntities();
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_STREQ(entities[0].type, "LINE");
    auto extents = drawing.ExtentsOf(entities);
    ASSERT_EQ(extents.size(), 1u);
    ASSERT_TRUE(extents[0]);
    EXPECT_EQ(extents[0]->maxX, 4);

    auto definitions = drawing.BlockAttributes(L"TAG");
    ASSERT_TRUE(definitions);
    ASSERT_EQ(definitions->size(), 2u);
    EXPECT_EQ((*definitions)[0].defaultValue, L"9.99");
    EXPECT_TRUE((*definitions)[1].constant);
    EXPECT_FALSE(drawing.BlockAttributes(L"NOPE"));

    ed::InsertRequest request{L"TAG", {10, 20, 0}, 2, 3, 90, {L"12.50"}};
    std::wstring error;
    ASSERT_TRUE(drawing.Insert(request, error)) << error;
    EXPECT_TRUE(drawing.OpenObjects().empty());
    entities = drawing.SelectableEntities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_STREQ(entities[1].type, "INSERT");

    AcDbObjectId id;
    ads_name name{entities[1].name, 0};
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id.handle().value(), entities[1].handle);
    AcDbBlockReference* reference = nullptr;
    ASSERT_EQ(acdbOpenObject(reference, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(reference->position(), AcGePoint3d(10, 20, 0));
    EXPECT_EQ(reference->scaleFactors(), AcGeScale3d(2, 3, 1));
    AcDbObjectIterator* attributes = reference->attributeIterator();
    std::vector<std::wstring> values;
    for (; !attributes->done(); attributes->step()) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(attributes->entity(entity, AcDb::kForRead), Acad::eOk);
        values.push_back(AcDbAttribute::cast(entity)->textStringConst());
        entity->close();
    }
    delete attributes;
    EXPECT_EQ(values, (std::vector<std::wstring>{L"12.50"})); // the constant one gets none
    EXPECT_EQ(drawing.OpenObjects().size(), 1u);
    reference->close();
    EXPECT_TRUE(drawing.OpenObjects().empty());
}

TEST(DatabaseDrawing, IntegerVariablesAreWholeNumbersAnIntHolds) {
    AcDbDatabase database; // its header has $HANDLING, not $ATTREQ
    ed::DatabaseDrawing drawing(database);
    EXPECT_EQ(drawing.IntVariable(L"$HANDLING"), 1);
    EXPECT_FALSE(drawing.IntVariable(L"$ATTREQ"));
    EXPECT_FALSE(drawing.SetIntVariable(L"$ATTREQ", 0));
    for (const wchar_t* text : {L"99999999999", L"-1e300", L"1.5", L"on"}) {
        ASSERT_EQ(database.setHeaderVar(L"$HANDLING", {{70, text}}), Acad::eOk);
        EXPECT_FALSE(drawing.IntVariable(L"$HANDLING")) << text;
    }
    EXPECT_TRUE(drawing.SetIntVariable(L"$HANDLING", -2147483647));
    EXPECT_EQ(drawing.IntVariable(L"$HANDLING"), -2147483647);
}

TEST(DatabaseDrawing, OffersWhatOpeningEachEntityWouldWithoutOpeningThem) {
    // A frozen layer COLD; entities read from the file, one erased, one open for write, one
    // moved off COLD in memory, one on a layer the table lacks.
    std::string text = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
                       "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n2\n"
                       "  0\nLAYER\n  2\n0\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n"
                       "  0\nLAYER\n  2\nCOLD\n 70\n1\n 62\n7\n  6\nCONTINUOUS\n"
                       "  0\nENDTAB\n  0\nENDSEC\n"
                       "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  8\n0\n  2\nB\n 70\n0\n"
                       " 10\n0\n 20\n0\n  0\nENDBLK\n  8\n0\n  0\nENDSEC\n"
                       "  0\nSECTION\n  2\nENTITIES\n";
    const char* layers[] = {"COLD", "cold", "0", "NOWHERE", "0", "0", "COLD", "0"};
    const char* types[] = {"LINE", "INSERT", "CIRCLE", "LINE", "LINE", "LINE", "LINE", "INSERT"};
    for (int i = 0; i < 8; ++i) {
        text += std::string("  0\n") + types[i] + "\n  8\n" + layers[i] + "\n";
        if (std::string(types[i]) == "INSERT")
            text += "  2\nB\n";
        text += " 10\n" + std::to_string(i) + "\n 20\n0\n" +
                (std::string(types[i]) == "CIRCLE" ? " 40\n1\n" : "");
    }
    text += "  0\nENDSEC\n  0\nEOF\n";
    std::string path = kestrel::test::scratchDir("selection_layers") + "/layers.dxf";
    kestrel::test::writeFile(path, text);
    AcDbDatabase database(false);
    ASSERT_EQ(database.readDxfFile(kestrel::test::wide(path).c_str()), Acad::eOk);
    WorkingDrawing working(database);

    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* modelSpace = nullptr;
    ASSERT_EQ(acdbOpenObject(modelSpace, database.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(modelSpace->newIterator(it), Acad::eOk);
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        ids.push_back(id);
    }
    delete it;
    modelSpace->close();
    ASSERT_EQ(ids.size(), 8u);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, ids[4], AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(entity->erase(), Acad::eOk);
    entity->close();
    ASSERT_EQ(acdbOpenObject(entity, ids[6], AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(entity->setLayer(L"0"), Acad::eOk);
    entity->close();
    AcDbEntity* writing = nullptr;
    ASSERT_EQ(acdbOpenObject(writing, ids[5], AcDb::kForWrite), Acad::eOk);

    ed::DatabaseDrawing drawing(database);
    auto entities = drawing.SelectableEntities();
    std::vector<std::int64_t> names;
    std::vector<std::string> offered;
    for (const auto& candidate : entities) {
        names.push_back(candidate.name);
        offered.push_back(candidate.type);
    }
    std::vector<std::int64_t> expected;
    for (int i : {2, 3, 6, 7}) {
        ads_name name;
        ASSERT_EQ(acdbGetAdsName(name, ids[std::size_t(i)]), Acad::eOk);
        expected.push_back(name[0]);
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(offered, (std::vector<std::string>{"CIRCLE", "LINE", "LINE", "INSERT"}));
    writing->close();
    EXPECT_TRUE(drawing.OpenObjects().empty());

    // Another drawing than the working one has no entity names to offer.
    AcDbDatabase other;
    EXPECT_TRUE(ed::DatabaseDrawing(other).SelectableEntities().empty());
}
