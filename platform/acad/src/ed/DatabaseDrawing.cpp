#include "ed/DatabaseDrawing.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <aced.h>

#include "DbStore.h"
#include "Utf8.h"

namespace ed {

namespace {

// An entity name is the object's place in the working drawing, counted from 1: every object
// has one, whether or not the drawing gives it a handle, and it never names two objects.
std::int64_t EntityNameOf(std::uint32_t index) {
    return std::int64_t(index) + 1;
}

std::wstring Describe(AcDbObjectId id) {
    wchar_t handle[32] = L"";
    id.handle().getIntoAsciiBuffer(handle, 32);
    return crt::FromUtf8(id.dxfName() ? id.dxfName() : "object") + L" " + handle;
}

// Which entities stand on frozen layers. The layers are looked at once, up front: a drawing
// without a frozen layer (the usual case) then needs no entity's layer at all.
class FrozenLayers {
public:
    explicit FrozenLayers(kestrel::acad::DbStore& store) : store_(store) {
        if (store.layerTable() < 0)
            return;
        for (std::uint32_t s : store.table(store.layerTable()).entries) {
            AcDbLayerTableRecord* record = nullptr;
            if (acdbOpenObject(record, store.id(s), AcDb::kForRead) != Acad::eOk)
                continue;
            if (record->isFrozen())
                frozen_.insert(s);
            record->close();
        }
    }
    bool Holds(std::uint32_t entity) {
        return !frozen_.empty() && frozen_.count(store_.entityLayer(entity, seen_)) > 0;
    }

private:
    kestrel::acad::DbStore& store_;
    std::unordered_set<std::uint32_t> frozen_;
    std::unordered_map<std::string_view, std::uint32_t> seen_;
};

// The entities of a block, opened for read and closed one by one.
template <class Visit> void ForEachEntity(AcDbObjectId block, Visit visit) {
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, block, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (record->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbEntity* entity = nullptr;
            if (it->getEntity(entity, AcDb::kForRead) != Acad::eOk)
                continue;
            visit(*entity);
            entity->close();
        }
        delete it;
    }
    record->close();
}

template <class Visit> void ForEachAttributeDefinition(AcDbObjectId block, Visit visit) {
    ForEachEntity(block, [&](AcDbEntity& entity) {
        if (auto* definition = AcDbAttributeDefinition::cast(&entity))
            visit(*definition);
    });
}

AcDbObjectId BlockNamed(AcDbDatabase& database, const std::wstring& name) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (database.getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return id;
    if (table->getAt(name.c_str(), id) != Acad::eOk)
        id = AcDbObjectId::kNull;
    table->close();
    return id;
}

} // namespace

// What opening each entity would tell, read from the drawing's index without opening any:
// the same entities in the same order, at a fraction of the cost.
EntityList DatabaseDrawing::SelectableEntities() {
    EntityList entities;
    kestrel::acad::DbStore* store = database_.store();
    // Entity names name objects of the working drawing only.
    if (!store || &database_ != acdbHostApplicationServices()->workingDatabase())
        return entities;
    AcDbObjectId modelSpaceId = database_.modelSpaceId();
    AcDbBlockTableRecord* modelSpace = nullptr;
    if (acdbOpenObject(modelSpace, modelSpaceId, AcDb::kForRead) != Acad::eOk)
        return entities;
    modelSpace->close();
    FrozenLayers layers(*store);
    const auto& inModelSpace = store->block(store->blockOfRecord(modelSpaceId.index())).entities;
    entities.reserve(inModelSpace.size());
    for (std::uint32_t s : inModelSpace)
        if (store->opensForRead(s) && !layers.Holds(s))
            entities.push_back({EntityNameOf(s), store->slot(s).handle, store->entityTypeName(s)});
    return entities;
}

std::vector<std::optional<Extents2d>> DatabaseDrawing::ExtentsOf(const EntityList& entities) {
    std::vector<std::optional<Extents2d>> all;
    all.reserve(entities.size());
    for (const SelectableEntity& candidate : entities) {
        std::optional<Extents2d>& box = all.emplace_back();
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
        ads_name name = {candidate.name, 0};
        if (acdbGetObjectId(id, name) != Acad::eOk ||
            acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) == Acad::eOk && !extents.isEmpty())
            box = Extents2d{extents.minPoint().x, extents.minPoint().y, extents.maxPoint().x,
                            extents.maxPoint().y};
        entity->close();
    }
    return all;
}

std::optional<int> DatabaseDrawing::IntVariable(const std::wstring& name) {
    std::vector<AcDbHeaderValue> values;
    if (database_.getHeaderVar(name.c_str(), values) != Acad::eOk || values.empty())
        return std::nullopt;
    // A whole number that an int holds; anything else is not this variable's value.
    auto number = ParseNumber(values[0].text);
    if (!number || *number != std::trunc(*number) || *number < INT_MIN || *number > INT_MAX)
        return std::nullopt;
    return static_cast<int>(*number);
}

bool DatabaseDrawing::SetIntVariable(const std::wstring& name, int value) {
    std::vector<AcDbHeaderValue> values;
    if (database_.getHeaderVar(name.c_str(), values) != Acad::eOk || values.empty())
        return false;
    values.resize(1);
    values[0].text = std::to_wstring(value);
    return database_.setHeaderVar(name.c_str(), values) == Acad::eOk;
}

std::wstring DatabaseDrawing::FilePath() {
    const ACHAR* name = nullptr;
    if (database_.getFilename(name) != Acad::eOk || !name)
        return L"";
    return name;
}

std::optional<std::vector<AttributeDefinition>>
DatabaseDrawing::BlockAttributes(const std::wstring& blockName) {
    AcDbObjectId block = BlockNamed(database_, blockName);
    if (block.isNull())
        return std::nullopt;
    std::vector<AttributeDefinition> definitions;
    ForEachAttributeDefinition(block, [&](const AcDbAttributeDefinition& definition) {
        definitions.push_back({definition.tagConst(), definition.promptConst(),
                               definition.textStringConst(), definition.isConstant()});
    });
    return definitions;
}

bool DatabaseDrawing::Insert(const InsertRequest& request, std::wstring& error) {
    AcDbObjectId block = BlockNamed(database_, request.blockName);
    if (block.isNull()) {
        error = L"no block " + request.blockName;
        return false;
    }
    AcDbBlockTableRecord* modelSpace = nullptr;
    if (acdbOpenObject(modelSpace, database_.modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        error = L"model space cannot be opened";
        return false;
    }
    auto* reference = new AcDbBlockReference(
        AcGePoint3d(request.position.x, request.position.y, request.position.z), block);
    reference->setScaleFactors(AcGeScale3d(request.scaleX, request.scaleY, 1.0));
    reference->setRotation(request.rotationDegrees * std::numbers::pi / 180.0);
    Acad::ErrorStatus status = modelSpace->appendAcDbEntity(reference);
    modelSpace->close();
    if (status != Acad::eOk) {
        delete reference;
        error = L"the reference cannot be added";
        return false;
    }
    // One attribute per definition that is not constant, with the value asked or its default.
    std::size_t next = 0;
    ForEachAttributeDefinition(block, [&](const AcDbAttributeDefinition& definition) {
        if (definition.isConstant())
            return;
        auto* attribute = new AcDbAttribute;
        attribute->setAttributeFromBlock(&definition, reference->blockTransform());
        if (next < request.attributeValues.size())
            attribute->setTextString(request.attributeValues[next].c_str());
        ++next;
        if (reference->appendAttribute(attribute) == Acad::eOk)
            attribute->close();
        else
            delete attribute;
    });
    reference->close();
    return true;
}

bool DatabaseDrawing::Save(const std::wstring& path, std::wstring& error) {
    if (database_.saveAs(path.c_str()) == Acad::eOk)
        return true;
    error = database_.lastErrorMessage();
    return false;
}

std::vector<std::wstring> DatabaseDrawing::OpenObjects() {
    std::vector<std::wstring> open;
    for (const auto& id : database_.openedObjects())
        open.push_back(Describe(id));
    return open;
}

} // namespace ed

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entityName) {
    id = AcDbObjectId();
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    if (!database)
        return Acad::eNoDatabase;
    if (!entityName || entityName[0] <= 0 || entityName[0] > std::int64_t(UINT32_MAX))
        return Acad::eInvalidAdsName;
    AcDbObjectId named(database, static_cast<Adesk::UInt32>(entityName[0] - 1));
    if (!kestrel::acad::storeOf(named))
        return Acad::eInvalidAdsName;
    id = named;
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& entityName, AcDbObjectId id) {
    entityName[0] = entityName[1] = 0;
    if (id.isNull())
        return Acad::eNullObjectId;
    if (id.database() != acdbHostApplicationServices()->workingDatabase() ||
        !kestrel::acad::storeOf(id))
        return Acad::eWrongDatabase;
    entityName[0] = ed::EntityNameOf(id.index());
    return Acad::eOk;
}
