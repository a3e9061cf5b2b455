#pragma once
// Where everything of a drawing is: one slot per record in file order, then the records added
// since; the handles; the symbol tables with their entries by name; the blocks with their
// entities; and where each addition is to be written. The records' bytes are not parsed here
// beyond what finding things needs (IndexBuilder fills it from the structure layer).
#include "HugePages.h"
#include "dxf/TagEditor.h"

#include <string>
#include <string_view>
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
    std::unordered_map<std::string, uint32_t> byKey; // TextCodec keys of the names
};

// Handle -> slot, and the handles of additions. Handles lie below $HANDSEED, so a drawing whose
// seed is not far above its object count gets a table indexed by handle; other handles go into
// a hash map.
class HandleIndex {
public:
    // From the header: a direct table when it takes at most half the file's size.
    void reset(uint64_t handseed, size_t fileSize);
    uint32_t find(uint64_t handle) const;
    // kNone when inserted, else the slot already holding the handle.
    uint32_t insert(uint64_t handle, uint32_t slot);
    // After loading: additions are numbered from the seed, or past the largest handle read.
    // Without handles they are numbered all the same, for lookups while the drawing is open,
    // and written without them.
    void startAdditions(uint64_t handseed, bool written);
    uint64_t issue(uint32_t slot);
    uint64_t largest() const { return largest_; }
    bool written() const { return written_; }
    uint64_t next() const { return next_; }
    bool issued() const { return next_ != firstIssued_; }

private:
    BigVector<uint32_t> direct_;
    std::unordered_map<uint64_t, uint32_t> others_;
    uint64_t largest_ = 0;
    uint64_t next_ = 1;
    uint64_t firstIssued_ = 1;
    bool written_ = true;
};

class DrawingIndex {
public:
    // Slots
    const Slot& slot(uint32_t s) const { return slots_[s]; }
    Slot& slot(uint32_t s) { return slots_[s]; }
    uint32_t slotCount() const { return uint32_t(slots_.size()); }
    uint32_t fileSlotCount() const { return fileSlots_; }
    bool valid(uint32_t s) const { return s < slots_.size(); }
    uint32_t headerSlot() const { return headerSlot_; } // kNone without a HEADER section
    const HandleIndex& handles() const { return handles_; }
    uint32_t findHandle(uint64_t handle) const { return handles_.find(handle); }
    bool isBlockRecordSlot(uint32_t s) const;
    // Erased, or owned by something erased (an attribute of an erased reference).
    bool dead(uint32_t s) const;
    bool anyErased() const { return anyErased_; }
    void setErased(uint32_t s, bool erased);

    // The file's bytes of a record: where it ends, its type, its tags; the line of an offset.
    std::string_view bytes() const { return bytes_; }
    uint32_t endOffset(uint32_t s) const;
    size_t trailingOffset() const { return trailing_; }
    std::string_view fileTypeName(uint32_t s) const;
    std::vector<dxf::EditTag> fileTags(uint32_t s) const;
    uint64_t lineAt(size_t offset) const;

    // Tables
    int blockTable() const { return blockTable_; }
    int styleTable() const { return styleTable_; }
    int layerTable() const { return layerTable_; }
    const TableInfo& table(int t) const { return tables_[size_t(t)]; }
    TableInfo& table(int t) { return tables_[size_t(t)]; }
    uint32_t findKey(int t, const std::string& key) const;

    // Blocks
    const BlockInfo& block(uint32_t b) const { return blocks_[b]; }
    BlockInfo& block(uint32_t b) { return blocks_[b]; }
    uint32_t blockOfRecord(uint32_t s) const { return slots_[s].link; }
    uint32_t modelSpace() const { return modelSpace_; }
    uint32_t paperSpace() const { return paperSpace_; }
    // Whether paper space is held in the ENTITIES section (its entities carry group 67).
    bool paperSpaceInEntities() const { return blocks_[paperSpace_].anchor == entitiesEnd_; }
    uint32_t blocksEnd() const { return blocksEnd_; }
    uint32_t addBlock();

    // Additions: a new slot with a fresh handle, and where it is to be written: before a file
    // record (anchor), or after a new reference as one of its attributes or its SEQEND.
    uint32_t newSlot(Kind kind, uint32_t owner);
    void writeBefore(uint32_t anchor, uint32_t s);
    const std::vector<uint32_t>* writtenBefore(uint32_t anchor) const;
    std::vector<uint32_t>& subEntitiesOfNew(uint32_t reference) { return newSubs_[reference]; }
    const std::vector<uint32_t>* subEntitiesOfNew(uint32_t reference) const;

private:
    friend class IndexBuilder;
    uint32_t addSlot(Kind kind, uint32_t owner);

    std::string_view bytes_;
    BigVector<Slot> slots_;
    uint32_t fileSlots_ = 0;
    uint32_t headerSlot_ = kNone;
    size_t trailing_ = 0;
    HandleIndex handles_;
    bool anyErased_ = false;

    std::vector<TableInfo> tables_;
    int blockTable_ = -1, styleTable_ = -1, layerTable_ = -1;
    std::vector<BlockInfo> blocks_;
    uint32_t modelSpace_ = kNone, paperSpace_ = kNone;
    uint32_t entitiesEnd_ = kNone, blocksEnd_ = kNone;

    std::unordered_map<uint32_t, std::vector<uint32_t>> before_;
    std::unordered_map<uint32_t, std::vector<uint32_t>> newSubs_; // new ATTRIBs, then SEQEND
};

} // namespace kestrel::acad
