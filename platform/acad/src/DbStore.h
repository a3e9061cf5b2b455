#pragma once
// The database behind AcDbDatabase, made of parts with one job each: the drawing's bytes held
// in memory (DrawingBytes), its HEADER section (DrawingHeader), the index of its records,
// tables and blocks (DrawingIndex, filled by IndexBuilder), the symbol tables by name
// (SymbolTables), the objects materialised from the records (ObjectCache), and the writer
// (DrawingWriter). What is left here is what the host's API asks of them together: objects
// made, opened and closed by id, records and entities added, extents.
#include "DrawingBytes.h"
#include "DrawingHeader.h"
#include "DrawingIndex.h"
#include "ObjectCache.h"
#include "SymbolTables.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrel::acad {

class DbStore {
public:
    explicit DbStore(AcDbDatabase* db);
    ~DbStore();

    // Loading; throws dxf::DxfError.
    void loadFile(const std::string& path);
    void loadBytes(std::string_view bytes); // copies
    // Writing; false with the reason in error.
    bool save(const std::string& path, std::string& error);

    AcDbDatabase* db() const { return db_; }
    const dxf::TextCodec& codec() const { return header_.codec(); }
    bool subclassed() const { return header_.subclassed(); }
    const std::string& fileName() const { return fileName_; }

    // Slots
    const Slot& slot(uint32_t s) const { return index_.slot(s); }
    bool valid(uint32_t s) const { return index_.valid(s); }
    AcDbObjectId id(uint32_t s) const { return s == kNone ? AcDbObjectId() : AcDbObjectId(db_, s); }
    uint32_t findHandle(uint64_t handle) const { return index_.findHandle(handle); }
    std::string_view typeName(uint32_t s) const;
    const char* internedTypeName(uint32_t s);
    bool isBlockRecordSlot(uint32_t s) const { return index_.isBlockRecordSlot(s); }
    uint32_t blockOfRecord(uint32_t s) const { return index_.blockOfRecord(s); }

    // Opening and closing
    Acad::ErrorStatus open(uint32_t s, AcDb::OpenMode mode, bool openErased, AcDbObject*& out) {
        return objects_.open(s, mode, openErased, out);
    }
    Acad::ErrorStatus close(AcDbObject* object);
    Acad::ErrorStatus upgrade(AcDbObject* object) { return objects_.upgrade(object->slot_); }
    Acad::ErrorStatus downgrade(AcDbObject* object);
    Acad::ErrorStatus erase(AcDbObject* object, bool erasing);
    bool isWriting(uint32_t s) const { return objects_.isWriting(s); }
    bool isOpen(uint32_t s) const { return objects_.isOpen(s); }
    std::vector<AcDbObjectId> openedObjects() const;
    // Reads an object's values from its record, on its first use.
    void loadFields(const AcDbObject* object);

    // What opening an entity would show, without making its object: a selection reads every
    // entity of model space, and making a million objects to read three values is too slow.
    bool opensForRead(uint32_t s) const {
        return objects_.canOpen(s, AcDb::kForRead, false) == Acad::eOk;
    }
    // The name dxfName() of its object gives.
    const char* entityTypeName(uint32_t s);
    // The layer record it is on (kNone when the layer table has none of its name), as
    // AcDbEntity::layerId finds it. An entity without an object is read for its layer alone;
    // the file's spellings of layer names met on the way are kept in `seen`, which is good for
    // as long as the layer table does not change.
    uint32_t entityLayer(uint32_t s, std::unordered_map<std::string_view, uint32_t>& seen);

    // Tables
    int blockTable() const { return index_.blockTable(); }
    int styleTable() const { return index_.styleTable(); }
    int layerTable() const { return index_.layerTable(); }
    const TableInfo& table(int t) const { return index_.table(t); }
    uint32_t findRecord(int table, std::wstring_view name, bool includeErased) const;
    Acad::ErrorStatus addRecord(int table, AcDbSymbolTableRecord* record, AcDbObjectId& id);
    Acad::ErrorStatus renameRecord(AcDbSymbolTableRecord* record, const std::wstring& name);
    std::wstring recordName(uint32_t s) const;

    // Blocks
    const BlockInfo& block(uint32_t b) const { return index_.block(b); }
    uint32_t modelSpace() const { return index_.modelSpace(); }
    uint32_t paperSpace() const { return index_.paperSpace(); }
    Acad::ErrorStatus appendEntity(uint32_t recordSlot, AcDbEntity* entity, AcDbObjectId& id);
    Acad::ErrorStatus appendAttribute(AcDbBlockReference* reference, AcDbAttribute* attribute,
                                      AcDbObjectId& id);
    std::vector<uint32_t> attributesOf(uint32_t insertSlot) const;
    bool blockHasAttributeDefinitions(uint32_t b) const;
    // Extents of a block's entities in block coordinates; nesting deeper than 16 (a block that
    // holds itself) has none.
    Acad::ErrorStatus blockExtents(uint32_t b, AcDbExtents& extents) const;
    AcGePoint3d blockOrigin(uint32_t b) const;
    // The tags of a record as a save would write them; whether it is erased or owned by
    // something erased. For readers of every entity alike (the drawing view).
    std::vector<dxf::EditTag> currentTags(uint32_t s) const;
    bool dead(uint32_t s) const { return index_.dead(s); }
    // Extents of an entity the database does not model, from the points of its record.
    Acad::ErrorStatus fileEntityExtents(uint32_t s, AcDbExtents& extents) const;

    // Header
    bool headerVar(const std::string& name, std::vector<AcDbHeaderValue>& values) const {
        return header_.get(name, values);
    }
    void setHeaderVar(const std::string& name, const std::vector<AcDbHeaderValue>& values);
    uint64_t handseed() const { return index_.handles().next(); }

private:
    friend class DrawingWriter;
    void build(size_t start);
    AcDbObject* makeObject(uint32_t s);
    AcDbObject* makeTable(int t) const;
    // The object's values written into its record's tags, for the writer.
    void writeFields(uint32_t s, dxf::TagEditor& tags) const;
    // An object made by the caller becomes the database's, in slot s.
    void adopt(uint32_t s, AcDbObject* object, bool openForWrite);
    uint32_t addSeqend(uint32_t reference, const std::wstring& layer);
    void changed() const { extents_.clear(); }

    AcDbDatabase* db_;
    std::string fileName_;
    DrawingBytes bytes_;
    DrawingHeader header_;
    DrawingIndex index_;
    ObjectCache objects_;
    SymbolTables tables_;
    std::set<std::string, std::less<>> typeNames_;
    // Block extents until the next change; the depth guards against blocks that hold themselves.
    mutable std::unordered_map<uint32_t, AcDbExtents> extents_;
    mutable int extentsDepth_ = 0;
};

DbStore* storeOf(AcDbObjectId id);
// R12 names its spaces $MODEL_SPACE and $PAPER_SPACE; the database calls them as from R2000.
std::wstring spaceAlias(std::wstring name);

} // namespace kestrel::acad
