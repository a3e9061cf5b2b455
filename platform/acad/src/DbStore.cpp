#include "DbStore.h"

#include "DrawingWriter.h"
#include "IndexBuilder.h"
#include "dxf/RecordFields.h"

#include <memory>
#include <utility>

namespace kestrel::acad {

using dxf::Tag;
using dxf::TagRange;

namespace {

// Objects of record types the database does not model.
class AcDbGenericObject : public AcDbObject {
public:
    explicit AcDbGenericObject(const char* name) : AcDbObject(name) {}
};

Kind kindOfEntity(AcDbEntity* e) {
    if (dynamic_cast<AcDbBlockReference*>(e))
        return Kind::Insert;
    if (dynamic_cast<AcDbAttributeDefinition*>(e))
        return Kind::AttDef;
    if (dynamic_cast<AcDbAttribute*>(e))
        return Kind::Attrib;
    if (dynamic_cast<AcDbText*>(e))
        return Kind::Text;
    if (dynamic_cast<AcDbLine*>(e))
        return Kind::Line;
    return Kind::Entity;
}

} // namespace

// ---------------------------------------------------------------- loading and saving

DbStore::DbStore(AcDbDatabase* db)
    : db_(db), objects_(index_, [this](uint32_t s) { return makeObject(s); }),
      tables_(index_, header_) {}

DbStore::~DbStore() = default;

void DbStore::loadFile(const std::string& path) {
    bytes_ = DrawingBytes::read(path);
    fileName_ = path;
    try {
        build(bytes_.recordsBegin());
    } catch (dxf::DxfError& e) {
        if (bytes_.binary() && e.line != 0) {
            e.message += " (line " + std::to_string(e.line) + " of the binary drawing as text)";
            e.line = 0;
        }
        throw;
    }
}

void DbStore::loadBytes(std::string_view bytes) {
    bytes_ = DrawingBytes::copyOf(bytes);
    build(bytes_.recordsBegin());
}

void DbStore::build(size_t start) {
    IndexBuilder(index_, header_).build(bytes_.text(), start);
}

bool DbStore::save(const std::string& path, std::string& error) {
    const HandleIndex& handles = index_.handles();
    if (handles.issued() && index_.headerSlot() != kNone && handles.written()) {
        std::string seed = dxf::formatHandle(handles.next());
        setHeaderVar("$HANDSEED", {{5, std::wstring(seed.begin(), seed.end())}});
    }
    return DrawingWriter(*this).save(path, error);
}

void DbStore::setHeaderVar(const std::string& name, const std::vector<AcDbHeaderValue>& values) {
    header_.set(name, values);
    if (index_.headerSlot() != kNone)
        index_.slot(index_.headerSlot()).flags |= kModified;
}

// ---------------------------------------------------------------- objects

std::string_view DbStore::typeName(uint32_t s) const {
    const Slot& slot = index_.slot(s);
    if (slot.offset != kNone)
        return index_.fileTypeName(s);
    if (AcDbObject* object = objects_.resident(s))
        return object->dxfName();
    return slot.kind == Kind::VirtualTable ? "TABLE" : "BLOCK_RECORD";
}

const char* DbStore::internedTypeName(uint32_t s) {
    switch (index_.slot(s).kind) {
    case Kind::Insert:
        return "INSERT";
    case Kind::Line:
        return "LINE";
    case Kind::Text:
        return "TEXT";
    case Kind::AttDef:
        return "ATTDEF";
    case Kind::Attrib:
        return "ATTRIB";
    default:
        break;
    }
    std::string_view name = typeName(s);
    auto it = typeNames_.find(name);
    if (it == typeNames_.end())
        it = typeNames_.emplace(name).first;
    return it->c_str();
}

AcDbObject* DbStore::makeTable(int t) const {
    if (t == blockTable())
        return new AcDbBlockTable(t);
    if (t == styleTable())
        return new AcDbTextStyleTable(t);
    if (t == layerTable())
        return new AcDbLayerTable(t);
    return new AcDbGenericSymbolTable(t);
}

AcDbObject* DbStore::makeObject(uint32_t s) {
    const Slot& slot = index_.slot(s);
    AcDbObject* object = nullptr;
    switch (slot.kind) {
    case Kind::TableHead:
    case Kind::VirtualTable:
        object = makeTable(int(slot.link));
        break;
    case Kind::BlockRecord:
    case Kind::VirtualBlock:
        object = new AcDbBlockTableRecord();
        break;
    case Kind::BlockBegin:
        object = isBlockRecordSlot(s) ? static_cast<AcDbObject*>(new AcDbBlockTableRecord())
                                      : new AcDbEntity("BLOCK");
        break;
    case Kind::BlockEnd:
        object = new AcDbEntity("ENDBLK");
        break;
    case Kind::TextStyle:
        object = new AcDbTextStyleTableRecord();
        break;
    case Kind::Layer:
        object = new AcDbLayerTableRecord();
        break;
    case Kind::SymbolRecord:
        object = new AcDbGenericSymbolTableRecord(internedTypeName(s));
        break;
    case Kind::Insert: {
        auto* reference = new AcDbBlockReference();
        if (slot.link != kNone)
            reference->block_ = id(index_.block(slot.link).record);
        object = reference;
        break;
    }
    case Kind::Attrib:
        object = new AcDbAttribute();
        break;
    case Kind::Seqend:
        object = new AcDbEntity("SEQEND");
        break;
    case Kind::Line:
        object = new AcDbLine();
        break;
    case Kind::Text:
        object = new AcDbText();
        break;
    case Kind::AttDef:
        object = new AcDbAttributeDefinition();
        break;
    case Kind::Entity:
        object = new AcDbEntity(internedTypeName(s));
        break;
    case Kind::Object:
        object = new AcDbGenericObject(internedTypeName(s));
        break;
    case Kind::Structure:
    case Kind::Header:
        return nullptr;
    }
    object->store_ = this;
    object->slot_ = s;
    if (slot.kind == Kind::VirtualBlock) {
        static_cast<AcDbBlockTableRecord*>(object)->name_ =
            index_.block(slot.link).paperSpace ? L"*Paper_Space" : L"*Model_Space";
        object->loaded_ = true;
    } else {
        object->loaded_ = slot.offset == kNone;
    }
    return object;
}

void DbStore::loadFields(const AcDbObject* constObject) {
    AcDbObject* object = const_cast<AcDbObject*>(constObject);
    object->loaded_ = true;
    uint32_t s = object->slot_;
    const Slot& slot = index_.slot(s);
    if (slot.offset == kNone)
        return;
    dxf::forEachField(bytes_.text(), slot.offset, index_.endOffset(s),
                      [&](std::string_view sub, int code, std::string_view value) {
                          object->dxfInField(sub, code, value);
                      });
    if (slot.kind != Kind::BlockRecord)
        return;
    // From R13 on, the base point and the flags stand in the block's BLOCK.
    uint32_t begin = index_.block(slot.link).begin;
    auto* record = static_cast<AcDbBlockTableRecord*>(object);
    if (begin != kNone && index_.slot(begin).offset != kNone)
        dxf::forEachField(bytes_.text(), index_.slot(begin).offset, index_.endOffset(begin),
                          [&](std::string_view sub, int code, std::string_view value) {
                              record->dxfInBegin(sub, code, value);
                          });
}

const char* DbStore::entityTypeName(uint32_t s) {
    if (AcDbObject* object = objects_.resident(s))
        return object->dxfName();
    return internedTypeName(s);
}

uint32_t DbStore::entityLayer(uint32_t s, std::unordered_map<std::string_view, uint32_t>& seen) {
    if (AcDbObject* object = objects_.resident(s)) {
        auto* entity = dynamic_cast<AcDbEntity*>(object);
        if (!entity)
            return kNone;
        entity->ensureLoaded();
        return findRecord(layerTable(), entity->layer_, false);
    }
    // The tag AcDbEntity's own reading takes: the last group 8 outside other subclasses.
    std::string_view raw = "0";
    const Slot& slot = index_.slot(s);
    if (slot.offset != kNone)
        dxf::forEachField(bytes_.text(), slot.offset, index_.endOffset(s),
                          [&](std::string_view sub, int code, std::string_view value) {
                              if (code == 8 && (sub.empty() || sub == "AcDbEntity"))
                                  raw = value;
                          });
    auto known = seen.find(raw);
    if (known != seen.end())
        return known->second;
    uint32_t layer = findRecord(layerTable(), codec().decode(raw), false);
    seen.emplace(raw, layer);
    return layer;
}

void DbStore::writeFields(uint32_t s, dxf::TagEditor& tags) const {
    const Slot& slot = index_.slot(s);
    if (slot.kind == Kind::BlockBegin && !isBlockRecordSlot(s)) {
        if (AcDbObject* record = objects_.resident(index_.block(slot.link).record))
            static_cast<AcDbBlockTableRecord*>(record)->dxfOutBegin(tags);
    } else if (AcDbObject* object = objects_.resident(s)) {
        object->ensureLoaded();
        object->dxfOutFields(tags);
    }
}

Acad::ErrorStatus DbStore::close(AcDbObject* object) {
    uint32_t s = object->slot_;
    if (!isOpen(s))
        return Acad::eNotOpenForRead;
    bool wasChanged = std::exchange(object->dirty_, false);
    objects_.close(s, wasChanged); // the object is gone now unless something keeps it
    if (wasChanged)
        changed();
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::downgrade(AcDbObject* object) {
    if (!isWriting(object->slot_))
        return Acad::eWasNotOpenedForWrite;
    bool wasChanged = std::exchange(object->dirty_, false);
    objects_.downgrade(object->slot_, wasChanged);
    if (wasChanged)
        changed();
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::erase(AcDbObject* object, bool erasing) {
    uint32_t s = object->slot_;
    const Slot& slot = index_.slot(s);
    if (!(slot.flags & kWriting))
        return Acad::eNotOpenForWrite;
    // Records of the file stay: references in it name them.
    bool entity = dynamic_cast<AcDbEntity*>(object) != nullptr;
    if (!entity && (!(slot.flags & kNew) || slot.kind == Kind::BlockRecord))
        return Acad::eNotSupported;
    index_.setErased(s, erasing);
    changed();
    return Acad::eOk;
}

std::vector<AcDbObjectId> DbStore::openedObjects() const {
    std::vector<AcDbObjectId> ids;
    for (uint32_t s : objects_.opened())
        ids.push_back(id(s));
    return ids;
}

DbStore* storeOf(AcDbObjectId id) {
    if (id.isNull())
        return nullptr;
    DbStore* store = id.database()->store();
    return store && store->valid(id.index()) ? store : nullptr;
}

std::wstring spaceAlias(std::wstring name) {
    std::string key = dxf::TextCodec::keyOfWide(name);
    if (key == "$MODEL_SPACE")
        return L"*Model_Space";
    if (key == "$PAPER_SPACE")
        return L"*Paper_Space";
    return name;
}

// ---------------------------------------------------------------- tables

uint32_t DbStore::findRecord(int t, std::wstring_view name, bool includeErased) const {
    return tables_.find(t, name, includeErased);
}

std::wstring DbStore::recordName(uint32_t s) const {
    if (auto* record = dynamic_cast<AcDbSymbolTableRecord*>(objects_.resident(s))) {
        record->ensureLoaded();
        return record->name_;
    }
    return tables_.fileName(s);
}

Acad::ErrorStatus DbStore::addRecord(int t, AcDbSymbolTableRecord* record, AcDbObjectId& outId) {
    if (!record)
        return Acad::eNullObjectPointer;
    if (record->store_)
        return Acad::eAlreadyInDb;
    if (t < 0)
        return Acad::eNotApplicable;
    if (!isWriting(table(t).head))
        return Acad::eNotOpenForWrite;
    if (Acad::ErrorStatus es = tables_.canTake(t, record->name_); es != Acad::eOk)
        return es;
    bool fits = t == blockTable()   ? dynamic_cast<AcDbBlockTableRecord*>(record) != nullptr
                : t == styleTable() ? dynamic_cast<AcDbTextStyleTableRecord*>(record) != nullptr
                : t == layerTable() ? dynamic_cast<AcDbLayerTableRecord*>(record) != nullptr
                                    : false;
    if (!fits)
        return Acad::eNotThatKindOfClass;
    uint32_t s = tables_.add(t, record->name_);
    if (s == kNone)
        return Acad::eNotApplicable;
    adopt(s, record, true);
    outId = id(s);
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::renameRecord(AcDbSymbolTableRecord* record, const std::wstring& name) {
    return tables_.rename(record->slot_, record->name_, name);
}

// ---------------------------------------------------------------- blocks

void DbStore::adopt(uint32_t s, AcDbObject* object, bool openForWrite) {
    object->store_ = this;
    object->slot_ = s;
    object->loaded_ = true;
    if (openForWrite)
        index_.slot(s).flags |= kWriting;
    objects_.keep(s, object);
}

uint32_t DbStore::addSeqend(uint32_t reference, const std::wstring& layer) {
    uint32_t s = index_.newSlot(Kind::Seqend, reference);
    auto* seqend = new AcDbEntity("SEQEND");
    seqend->layer_ = layer;
    adopt(s, seqend, false);
    return s;
}

Acad::ErrorStatus DbStore::appendEntity(uint32_t recordSlot, AcDbEntity* entity,
                                        AcDbObjectId& outId) {
    if (!entity)
        return Acad::eNullObjectPointer;
    if (entity->store_)
        return Acad::eAlreadyInDb;
    Kind kind = kindOfEntity(entity);
    if (kind == Kind::Entity || kind == Kind::Attrib)
        return Acad::eNotSupported;
    uint32_t b = blockOfRecord(recordSlot);
    uint32_t anchor = index_.block(b).anchor;
    if (anchor == kNone)
        return Acad::eNotApplicable;
    entity->ensureLoaded();
    if (layerTable() >= 0) {
        uint32_t layer = findRecord(layerTable(), entity->layer_, false);
        if (layer == kNone)
            return Acad::eKeyNotFound;
        entity->layer_ = recordName(layer);
    }
    uint32_t blockLink = kNone;
    auto* reference = dynamic_cast<AcDbBlockReference*>(entity);
    if (reference) {
        AcDbObjectId block = reference->block_;
        if (block.database() != db_ || !valid(block.index()) || !isBlockRecordSlot(block.index()))
            return Acad::eInvalidInput;
        blockLink = blockOfRecord(block.index());
    }
    uint32_t s = index_.newSlot(kind, recordSlot);
    index_.slot(s).link = blockLink;
    adopt(s, entity, true);
    index_.block(b).entities.push_back(s);
    index_.writeBefore(anchor, s);
    if (reference && !reference->pendingAttributes_.empty()) {
        // Attributes given before the reference was added follow it, with their SEQEND.
        std::vector<AcDbAttribute*> attributes;
        attributes.swap(reference->pendingAttributes_);
        std::vector<uint32_t>& subs = index_.subEntitiesOfNew(s);
        for (AcDbAttribute* attribute : attributes) {
            uint32_t a = index_.newSlot(Kind::Attrib, s);
            adopt(a, attribute, false);
            subs.push_back(a);
        }
        subs.push_back(addSeqend(s, reference->layer_));
    }
    changed();
    outId = id(s);
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::appendAttribute(AcDbBlockReference* reference, AcDbAttribute* attribute,
                                           AcDbObjectId& outId) {
    uint32_t s = reference->slot_;
    if (!(index_.slot(s).flags & kWriting))
        return Acad::eNotOpenForWrite;
    uint32_t a;
    if (index_.slot(s).flags & kNew) {
        std::vector<uint32_t>& subs = index_.subEntitiesOfNew(s);
        a = index_.newSlot(Kind::Attrib, s);
        if (subs.empty())
            subs.push_back(addSeqend(s, reference->layer_));
        subs.insert(subs.end() - 1, a);
    } else {
        // A reference of the file: the attribute goes before its SEQEND.
        uint32_t seqend = kNone;
        for (uint32_t n = s + 1; n < index_.fileSlotCount() && index_.slot(n).owner == s; ++n)
            if (index_.slot(n).kind == Kind::Seqend)
                seqend = n;
        if (seqend == kNone)
            return Acad::eNotSupported; // the reference had no attributes
        a = index_.newSlot(Kind::Attrib, s);
        index_.writeBefore(seqend, a);
    }
    adopt(a, attribute, true);
    changed();
    outId = id(a);
    return Acad::eOk;
}

std::vector<uint32_t> DbStore::attributesOf(uint32_t s) const {
    std::vector<uint32_t> out;
    uint32_t fileSlots = index_.fileSlotCount();
    for (uint32_t n = s + 1; s < fileSlots && n < fileSlots && index_.slot(n).owner == s; ++n) {
        if (index_.slot(n).kind == Kind::Attrib)
            out.push_back(n);
        if (index_.slot(n).kind == Kind::Seqend)
            if (const std::vector<uint32_t>* added = index_.writtenBefore(n))
                out.insert(out.end(), added->begin(), added->end());
    }
    if (const std::vector<uint32_t>* subs = index_.subEntitiesOfNew(s))
        for (uint32_t a : *subs)
            if (index_.slot(a).kind == Kind::Attrib)
                out.push_back(a);
    return out;
}

bool DbStore::blockHasAttributeDefinitions(uint32_t b) const {
    for (uint32_t e : index_.block(b).entities)
        if (index_.slot(e).kind == Kind::AttDef && !(index_.slot(e).flags & kErased))
            return true;
    return false;
}

AcGePoint3d DbStore::blockOrigin(uint32_t b) const {
    uint32_t record = index_.block(b).record;
    if (AcDbObject* object = objects_.resident(record))
        return static_cast<AcDbBlockTableRecord*>(object)->origin();
    std::unique_ptr<AcDbObject> made(const_cast<DbStore*>(this)->makeObject(record));
    return static_cast<AcDbBlockTableRecord*>(made.get())->origin();
}

Acad::ErrorStatus DbStore::blockExtents(uint32_t b, AcDbExtents& extents) const {
    auto cached = extents_.find(b);
    if (cached != extents_.end()) {
        extents = cached->second;
        return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
    }
    if (extentsDepth_ >= 16)
        return Acad::eInvalidExtents;
    ++extentsDepth_;
    AcDbExtents all;
    for (uint32_t e : index_.block(b).entities) {
        if (index_.slot(e).flags & kErased)
            continue;
        AcDbExtents one;
        std::unique_ptr<AcDbObject> made;
        AcDbObject* object = objects_.resident(e);
        if (!object) {
            made.reset(const_cast<DbStore*>(this)->makeObject(e));
            object = made.get();
        }
        if (static_cast<AcDbEntity*>(object)->getGeomExtents(one) == Acad::eOk)
            all.addExt(one);
    }
    --extentsDepth_;
    extents_[b] = all;
    extents = all;
    return all.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

std::vector<dxf::EditTag> DbStore::currentTags(uint32_t s) const {
    return DrawingWriter(*this).tagsOf(s);
}

Acad::ErrorStatus DbStore::fileEntityExtents(uint32_t s, AcDbExtents& extents) const {
    const Slot& slot = index_.slot(s);
    if (slot.offset == kNone)
        return Acad::eInvalidExtents;
    double x[9] = {0};
    bool hasCenter = false;
    double radius = 0;
    AcGePoint3d center;
    std::string_view type = typeName(s);
    bool round = type == "CIRCLE" || type == "ARC";
    AcDbExtents points;
    dxf::forEachField(bytes_.text(), slot.offset, index_.endOffset(s),
                      [&](std::string_view, int code, std::string_view value) {
                          double v = 0;
                          if (code >= 10 && code <= 18 && dxf::parseDouble(value, v)) {
                              x[code - 10] = v;
                          } else if (code >= 20 && code <= 28 && dxf::parseDouble(value, v)) {
                              AcGePoint3d p(x[code - 20], v, 0);
                              points.addPoint(p);
                              if (code == 20) {
                                  center = p;
                                  hasCenter = true;
                              }
                          } else if (code == 40 && round && dxf::parseDouble(value, v)) {
                              radius = v;
                          }
                      });
    if (round && hasCenter) {
        points.addPoint(center + AcGeVector3d(radius, radius, 0));
        points.addPoint(center - AcGeVector3d(radius, radius, 0));
    }
    extents = points;
    return points.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

} // namespace kestrel::acad
