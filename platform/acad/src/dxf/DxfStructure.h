#pragma once
// Structure layer: groups tags into records (a 0 tag and the tags up to the next 0 tag),
// places each record in its section and checks the nesting of sections, tables, blocks and
// the sub-entities (ATTRIB, VERTEX, SEQEND) that follow an INSERT or POLYLINE.
#include "dxf/DxfTags.h"

namespace kestrel::dxf {

enum class Section : uint8_t { None, Header, Classes, Tables, Blocks, Entities, Objects, Other };

// Where a record stands in the structure.
enum class Role : uint8_t {
    Comments,     // the comments before the first record
    SectionStart, // SECTION; the HEADER section's variables are part of this record
    SectionEnd,   // ENDSEC; its section is the one it ends
    TableStart,   // TABLE
    TableEntry,   // a record of the table last started
    TableEnd,     // ENDTAB
    BlockStart,   // BLOCK
    BlockEntity,  // an entity of the block last started
    BlockEnd,     // ENDBLK
    Entity,       // an entity of the ENTITIES section
    Other,        // records of the other sections (CLASSES, OBJECTS, unknown ones)
    End,          // EOF
};

struct Record {
    uint32_t firstTag = 0; // tag numbers
    uint32_t endTag = 0;
    size_t begin = 0; // byte offsets
    size_t end = 0;
    std::string_view type;      // value of the 0 tag ("" for leading comments)
    std::string_view handle;    // group 5, or 105 (DIMSTYLE)
    std::string_view name;      // first group 2
    bool paperSpace = false;    // group 67 = 1
    bool attribsFollow = false; // group 66 = 1
    bool subEntity = false;     // ATTRIB, VERTEX or SEQEND of the preceding INSERT or POLYLINE
    Section section = Section::None;
    Role role = Role::Other;
    uint64_t line() const { return tagLine(firstTag); }
};

class RecordReader {
public:
    explicit RecordReader(std::string_view bytes, size_t start = 0);
    // Next record, false after EOF. Malformed structure throws DxfError.
    bool next(Record& record);
    // Offset of the bytes after the EOF record (kept verbatim).
    size_t trailingOffset() const { return reader_.position(); }

private:
    Tag firstTag(Record& r);
    void readFields(Record& r);
    void classify(Record& r);
    void startSection(Record& r);
    void placeSubEntity(Record& r);
    void endSection(Record& r);
    void placeInTables(Record& r);
    bool placeInBlocks(Record& r);
    TagReader reader_;
    Tag pending_;
    bool havePending_ = false;
    size_t pendingStart_ = 0;
    uint32_t pendingIndex_ = 0;
    bool started_ = false;
    bool ended_ = false;
    Section section_ = Section::None;
    std::string_view sectionName_;
    bool sectionOpen_ = false;
    bool tableOpen_ = false;
    uint64_t tableLine_ = 0;
    bool blockOpen_ = false;
    uint64_t blockLine_ = 0;
    enum class Sub : uint8_t { None, Attribs, Vertices } sub_ = Sub::None;
    uint64_t parentLine_ = 0;
};

} // namespace kestrel::dxf
