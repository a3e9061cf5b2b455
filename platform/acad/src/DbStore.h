#pragma once
// The database behind AcDbDatabase: the file's bytes and tag index, one slot per record in file
// order, the block and symbol tables built on them, the objects currently materialised, and the
// additions waiting for their place when the drawing is written.
#include "HugePages.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "dxf/DxfStructure.h"
#include "dxf/DxfText.h"
#include "dxf/TagEditor.h"

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrel::acad {

constexpr uint32_t kNone = 0xffffffffu;

enum class Kind : uint8_t {
    Structure, // SECTION, ENDSEC, ENDTAB, EOF, leading comments
    Header,
    TableHead,
    BlockRecord, // BLOCK_RECORD (R2000 on)
    BlockBegin,  // BLOCK; in R12 also the block's table record
    BlockEnd,
    TextStyle,
    Layer,
    SymbolRecord, // entries of other tables
    Insert,
    Attrib,
    Seqend,
    Line,
    Text,
    AttDef,
    Entity,       // other entity types
    Object,       // classes, objects, unknown sections
    VirtualTable, // the block table of an R12 drawing
    VirtualBlock, // a model or paper space the file does not hold as a block
};

enum SlotFlag : uint8_t {
    kErased = 1,
    kWriting = 2,  // open for write
    kModified = 4, // written from its object, not from the file's bytes
    kNew = 8,
    kPending = 16, // new records are to be written before this one
};

struct Slot {
    uint64_t handle = 0;
    uint32_t offset = kNone; // of the record in the file; kNone for records made here
    uint32_t owner = kNone;
    uint32_t link = kNone; // block index (block records, BLOCK, ENDBLK, INSERT); table index
    Kind kind = Kind::Structure;
    uint8_t flags = 0;
    uint16_t readers = 0;
};

struct BlockInfo {
    uint32_t record = kNone;
    uint32_t begin = kNone;
    uint32_t end = kNone;
    uint32_t anchor = kNone; // new entities are written before this slot
    bool paperSpace = false; // entities of the ENTITIES section with group 67
    BigVector<uint32_t> entities;
};

struct TableInfo {
    std::string name;
    uint32_t head = kNone;
    uint32_t end = kNone;
    std::vector<uint32_t> entries;
    std::unordered_map<std::string, uint32_t> byKey;
};

struct HeaderVar {
    std::string name;
    uint32_t first; // byte offsets: the group 9 tag, the end of the variable's last tag
    uint32_t end;
    uint32_t valueStart; // the tag after the group 9
};

// Handle -> slot. Handles lie below $HANDSEED, so a drawing whose seed is not far above its
// object count gets a table indexed by handle; other handles go into a hash map.
class HandleMap {
public:
    // From the header: a direct table when it takes at most half the file's size.
    void reset(uint64_t handseed, size_t fileSize);
    uint32_t find(uint64_t handle) const;
    // kNone when inserted, else the slot already holding the handle.
    uint32_t insert(uint64_t handle, uint32_t slot);

private:
    BigVector<uint32_t> direct_;
    std::unordered_map<uint64_t, uint32_t> others_;
};

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
    const dxf::TextCodec& codec() const { return codec_; }
    int version() const { return version_; }
    bool subclassed() const { return version_ >= 1012; } // subclass markers from R13 on
    const std::string& fileName() const { return fileName_; }

    // Slots
    const Slot& slot(uint32_t s) const { return slots_[s]; }
    uint32_t slotCount() const { return uint32_t(slots_.size()); }
    bool valid(uint32_t s) const { return s < slots_.size(); }
    AcDbObjectId id(uint32_t s) const { return s == kNone ? AcDbObjectId() : AcDbObjectId(db_, s); }
    uint32_t findHandle(uint64_t handle) const { return handles_.find(handle); }
    std::string_view typeName(uint32_t s) const;
    const char* internedTypeName(uint32_t s);
    bool isBlockRecordSlot(uint32_t s) const;
    uint32_t blockOfRecord(uint32_t s) const { return slots_[s].link; }

    // Open and close
    Acad::ErrorStatus open(uint32_t s, AcDb::OpenMode mode, bool openErased, AcDbObject*& out);
    Acad::ErrorStatus close(AcDbObject* object);
    Acad::ErrorStatus upgrade(AcDbObject* object);
    Acad::ErrorStatus downgrade(AcDbObject* object);
    Acad::ErrorStatus erase(AcDbObject* object, bool erasing);
    bool isWriting(uint32_t s) const { return slots_[s].flags & kWriting; }
    bool isOpen(uint32_t s) const { return slots_[s].readers > 0 || (slots_[s].flags & kWriting); }
    std::vector<AcDbObjectId> openedObjects() const;
    void loadFields(const AcDbObject* object);

    // Tables
    int blockTable() const { return blockTable_; }
    int styleTable() const { return styleTable_; }
    int layerTable() const { return layerTable_; }
    const TableInfo& table(int t) const { return tables_[size_t(t)]; }
    uint32_t findRecord(int table, std::wstring_view name, bool includeErased) const;
    Acad::ErrorStatus addRecord(int table, AcDbSymbolTableRecord* record, AcDbObjectId& id);
    Acad::ErrorStatus renameRecord(AcDbSymbolTableRecord* record, const std::wstring& name);
    std::wstring recordName(uint32_t s) const;

    // Blocks
    const BlockInfo& block(uint32_t b) const { return blocks_[b]; }
    uint32_t modelSpace() const { return modelSpace_; }
    uint32_t paperSpace() const { return paperSpace_; }
    Acad::ErrorStatus appendEntity(uint32_t recordSlot, AcDbEntity* entity, AcDbObjectId& id);
    Acad::ErrorStatus appendAttribute(AcDbBlockReference* reference, AcDbAttribute* attribute,
                                      AcDbObjectId& id);
    std::vector<uint32_t> attributesOf(uint32_t insertSlot) const;
    bool blockHasAttributeDefinitions(uint32_t b) const;
    // Extents of a block's entities in block coordinates; nesting deeper than 16 (a block that
    // holds itself) has none.
    Acad::ErrorStatus blockExtents(uint32_t b, AcDbExtents& extents) const;
    AcGePoint3d blockOrigin(uint32_t b) const;
    Acad::ErrorStatus fileEntityExtents(uint32_t s, AcDbExtents& extents) const;

    // Header
    bool headerVar(const std::string& name, std::vector<AcDbHeaderValue>& values) const;
    void setHeaderVar(const std::string& name, const std::vector<AcDbHeaderValue>& values);
    std::string headerRaw(const std::string& name, int code) const;
    uint64_t handseed() const { return nextHandle_; }

    // For the tag layer of objects.
    std::vector<dxf::EditTag> fileTags(uint32_t s) const;

private:
    void buildFromRecords(const std::string& sourceName);
    bool writeAll(FILE* file);
    void onRecord(const dxf::Record& r);
    void onHeader(const dxf::Record& r);
    uint32_t addSlot(Kind kind, uint32_t owner);
    uint32_t newSlot(Kind kind, uint32_t owner);
    void addPending(uint32_t anchor, uint32_t s);
    AcDbObject* materialize(uint32_t s);
    void finishLoad();
    void ensureBlockTable();
    uint32_t addVirtualBlock(const char* name, bool paper);
    int tableByName(std::string_view name) const;
    uint32_t endOffset(uint32_t s) const;
    uint64_t lineAt(size_t offset) const;
    std::string_view bytes() const { return std::string_view(data_, size_); }
    bool dead(uint32_t s) const;
    void writeSlot(dxf::TagWriter& w, uint32_t s);
    void writeObject(dxf::TagWriter& w, uint32_t s);
    void writeHeader(dxf::TagWriter& w, uint32_t s);
    void writeTags(dxf::TagWriter& w, const std::vector<dxf::EditTag>& tags);
    std::vector<dxf::EditTag> skeleton(uint32_t s) const;
    uint64_t parseHandleOf(const dxf::Record& r);
    void invalidateExtents() const { extentsCache_.clear(); }

    AcDbDatabase* db_;
    char* data_ = nullptr;
    size_t size_ = 0;
    bool mapped_ = false;
    bool binary_ = false; // read from binary DXF, written back so
    bool oneByteCodes_ = false;
    size_t trailing_ = 0;
    std::string fileName_;
    size_t recordsBegin_ = 0; // bytes before (a byte order mark) are written back as they are
    dxf::TextCodec codec_;
    int version_ = 1009;
    std::string lineEnd_ = "\n";
    BigVector<Slot> slots_;
    uint32_t fileSlots_ = 0;
    HandleMap handles_;
    uint64_t maxHandle_ = 0;
    uint64_t nextHandle_ = 1;
    uint64_t fileHandseed_ = 0;
    uint64_t loadedNextHandle_ = 1;
    bool handles_enabled_ = true;
    int handling_ = -1; // $HANDLING: -1 when the header has none

    std::vector<BlockInfo> blocks_;
    std::vector<TableInfo> tables_;
    int blockTable_ = -1, styleTable_ = -1, layerTable_ = -1;
    uint32_t modelSpace_ = kNone, paperSpace_ = kNone;
    uint32_t entitiesEnd_ = kNone, blocksEnd_ = kNone;

    // Loading state
    dxf::Section section_ = dxf::Section::None;
    int currentTable_ = -1;
    uint32_t currentBlock_ = kNone;
    uint32_t lastMain_ = kNone; // the INSERT or POLYLINE that sub-entities belong to
    struct Unresolved {
        uint32_t slot;
        uint64_t line;
        std::string key;
    };
    std::vector<Unresolved> unresolved_;
    // Block names of recent INSERTs as the file spells them, and their blocks.
    struct NameCacheEntry {
        std::string_view raw;
        uint32_t block = kNone;
    };
    std::array<NameCacheEntry, 256> insertNames_{};

    uint32_t headerSlot_ = kNone;
    std::vector<HeaderVar> headerVars_;
    std::unordered_map<std::string, size_t> headerIndex_;
    std::vector<std::pair<std::string, std::vector<dxf::EditTag>>> headerOverrides_;

    // The object of each slot while it is open, changed or new (owned); one pointer per slot.
    BigVector<AcDbObject*> objects_;
    AcDbObject* resident(uint32_t s) const { return s < objects_.size() ? objects_[s] : nullptr; }
    void keep(uint32_t s, AcDbObject* object);
    void drop(uint32_t s);
    std::unordered_map<uint32_t, std::vector<uint32_t>> pending_;
    std::unordered_map<uint32_t, std::vector<uint32_t>> newSubs_; // new ATTRIBs, then SEQEND
    std::set<std::string, std::less<>> typeNames_;
    bool anyErased_ = false;
    mutable std::unordered_map<uint32_t, AcDbExtents> extentsCache_;
    mutable int extentsDepth_ = 0;
};

DbStore* storeOf(AcDbObjectId id);
// R12 names its spaces $MODEL_SPACE and $PAPER_SPACE; the database calls them as from R2000.
std::wstring spaceAlias(std::wstring name);

} // namespace kestrel::acad
