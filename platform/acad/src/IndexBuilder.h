#pragma once
// Fills a DrawingIndex from a drawing's records as the structure layer places them: each record
// gets its slot, table entries and blocks are listed by name, entities go to their block, and
// references find their block (one defined further on once the last record is read). The
// HEADER section is read on the way: the rest of the reading depends on it.
#include "DrawingHeader.h"
#include "DrawingIndex.h"
#include "dxf/DxfStructure.h"

#include <array>

namespace kestrel::acad {

class IndexBuilder {
public:
    IndexBuilder(DrawingIndex& index, DrawingHeader& header) : index_(index), header_(header) {}
    // Reads every record of bytes from start on; throws dxf::DxfError naming the line.
    void build(std::string_view bytes, size_t start);

private:
    void add(const dxf::Record& r);
    void startSection(const dxf::Record& r);
    void endSection(const dxf::Record& r);
    void startTable(const dxf::Record& r);
    void addTableEntry(const dxf::Record& r);
    void startBlock(const dxf::Record& r);
    void endBlock(const dxf::Record& r);
    void addEntity(const dxf::Record& r, uint32_t block);
    void linkToBlock(uint32_t insert, const dxf::Record& r);
    void finish();

    uint32_t fileSlot(Kind kind, uint32_t owner, const dxf::Record& r);
    void registerHandle(uint32_t s, const dxf::Record& r);
    void ensureBlockTable();
    uint32_t spaceBlock(std::string_view key, bool paper);
    void ensureSpaces();

    DrawingIndex& index_;
    DrawingHeader& header_;
    uint64_t handle_ = 0;        // of the record being added
    uint32_t lastBlock_ = kNone; // the block of the last BLOCK: block entities follow it
    uint32_t lastMain_ = kNone;  // the INSERT or POLYLINE that sub-entities belong to
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
};

} // namespace kestrel::acad
