#include <gtest/gtest.h>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <aced.h>

#include "ed/DatabaseDrawing.h"

namespace {

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

TEST(DatabaseDrawing, OffersEntitiesOffFrozenLayersAndInsertsWithAttributes) {
    AcDbDatabase database;
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
    EXPECT_EQ(entities[0].type, L"LINE");
    ASSERT_TRUE(entities[0].extents);
    EXPECT_EQ(entities[0].extents->maxX, 4);

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
    EXPECT_EQ(entities[1].type, L"INSERT");

    AcDbObjectId id;
    ads_name name{static_cast<std::int64_t>(entities[1].handle), 0};
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(&database);
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    acdbHostApplicationServices()->setWorkingDatabase(previous);
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
