#include "IndexBuilder.h"

#include <utility>

namespace kestrel::acad {

using dxf::Record;
using dxf::Role;
using dxf::Section;

namespace {

// The entity types the database models; others are kept as they are.
constexpr std::pair<std::string_view, Kind> kEntityKinds[] = {
    {"INSERT", Kind::Insert}, {"ATTRIB", Kind::Attrib}, {"SEQEND", Kind::Seqend},
    {"LINE", Kind::Line},     {"TEXT", Kind::Text},     {"ATTDEF", Kind::AttDef}};

Kind entityKind(std::string_view type) {
    for (auto [known, kind] : kEntityKinds)
        if (known == type)
            return kind;
    return Kind::Entity;
}

uint64_t handleOf(const Record& r) {
    uint64_t h = 0;
    if (!r.handle.empty() && !dxf::parseHandle(r.handle, h))
        dxf::fail(r.line(),
                  "invalid handle " + dxf::excerpt(r.handle) + " in " + dxf::excerpt(r.type));
    return h;
}

} // namespace

void IndexBuilder::build(std::string_view bytes, size_t start) {
    index_.bytes_ = bytes;
    index_.slots_.reserve(bytes.size() / 6 + 16);
    dxf::RecordReader reader(bytes, start);
    Record r;
    while (reader.next(r))
        add(r);
    index_.trailing_ = reader.trailingOffset();
    index_.fileSlots_ = uint32_t(index_.slots_.size());
    finish();
}

void IndexBuilder::add(const Record& r) {
    handle_ = handleOf(r);
    switch (r.role) {
    case Role::Entity:
        ensureSpaces();
        addEntity(r, r.paperSpace ? index_.paperSpace_ : index_.modelSpace_);
        return;
    case Role::BlockEntity:
        addEntity(r, lastBlock_);
        return;
    case Role::SectionStart:
        startSection(r);
        return;
    case Role::SectionEnd:
        endSection(r);
        return;
    case Role::TableStart:
        startTable(r);
        return;
    case Role::TableEntry:
        addTableEntry(r);
        return;
    case Role::TableEnd:
        index_.tables_.back().end = fileSlot(Kind::Structure, kNone, r);
        return;
    case Role::BlockStart:
        startBlock(r);
        return;
    case Role::BlockEnd:
        endBlock(r);
        return;
    case Role::Comments:
    case Role::End:
        fileSlot(Kind::Structure, kNone, r);
        return;
    case Role::Other:
        if (r.section == Section::Header || r.type.empty()) {
            fileSlot(Kind::Structure, kNone, r);
            return;
        }
        registerHandle(fileSlot(Kind::Object, kNone, r), r);
        return;
    }
}

uint32_t IndexBuilder::fileSlot(Kind kind, uint32_t owner, const Record& r) {
    uint32_t s = index_.addSlot(kind, owner);
    index_.slots_[s].offset = uint32_t(r.begin);
    return s;
}

void IndexBuilder::registerHandle(uint32_t s, const Record& r) {
    if (handle_ == 0)
        return;
    index_.slots_[s].handle = handle_;
    uint32_t other = index_.handles_.insert(handle_, s);
    if (other != kNone)
        dxf::fail(r.line(), "handle " + std::string(r.handle) + " is used twice (also by the " +
                                std::string(index_.fileTypeName(other)) + " at line " +
                                std::to_string(index_.lineAt(index_.slots_[other].offset)) + ")");
}

void IndexBuilder::startSection(const Record& r) {
    uint32_t s = fileSlot(Kind::Structure, kNone, r);
    if (r.section != Section::Header)
        return;
    index_.slots_[s].kind = Kind::Header;
    index_.headerSlot_ = s;
    header_.read(index_.bytes_, r);
    index_.handles_.reset(header_.handseed(), index_.bytes_.size());
}

void IndexBuilder::endSection(const Record& r) {
    uint32_t s = fileSlot(Kind::Structure, kNone, r);
    if (r.section == Section::Entities)
        index_.entitiesEnd_ = s;
    else if (r.section == Section::Blocks)
        index_.blocksEnd_ = s;
}

void IndexBuilder::startTable(const Record& r) {
    uint32_t s = fileSlot(Kind::TableHead, kNone, r);
    registerHandle(s, r);
    int t = int(index_.tables_.size());
    index_.slots_[s].link = uint32_t(t);
    index_.tables_.push_back(TableInfo{std::string(r.name), s, kNone, {}, {}});
    if (r.name == "BLOCK_RECORD")
        index_.blockTable_ = t;
    else if (r.name == "STYLE")
        index_.styleTable_ = t;
    else if (r.name == "LAYER")
        index_.layerTable_ = t;
}

void IndexBuilder::addTableEntry(const Record& r) {
    int t = int(index_.tables_.size()) - 1; // entries follow their TABLE
    Kind kind = t == index_.blockTable_   ? Kind::BlockRecord
                : t == index_.styleTable_ ? Kind::TextStyle
                : t == index_.layerTable_ ? Kind::Layer
                                          : Kind::SymbolRecord;
    TableInfo& table = index_.tables_.back();
    uint32_t s = fileSlot(kind, table.head, r);
    index_.slots_[s].link = uint32_t(t);
    registerHandle(s, r);
    table.entries.push_back(s);
    table.byKey.emplace(header_.codec().keyOfRaw(r.name), s);
    if (kind == Kind::BlockRecord) {
        uint32_t b = index_.addBlock();
        index_.blocks_[b].record = s;
        index_.slots_[s].link = b;
    }
}

void IndexBuilder::startBlock(const Record& r) {
    std::string key = header_.codec().keyOfRaw(r.name);
    int bt = index_.blockTable_;
    uint32_t s, b;
    if (bt >= 0 && index_.slot(index_.table(bt).head).kind == Kind::TableHead) {
        // From R13 on the BLOCK_RECORD is the record, the BLOCK its first entity.
        uint32_t record = index_.findKey(bt, key);
        if (record == kNone)
            dxf::fail(r.line(), "BLOCK " + dxf::excerpt(r.name) + " has no BLOCK_RECORD");
        b = index_.slots_[record].link;
        if (index_.blocks_[b].begin != kNone)
            dxf::fail(r.line(), "BLOCK " + dxf::excerpt(r.name) + " is defined twice");
        s = fileSlot(Kind::BlockBegin, record, r);
        index_.blocks_[b].begin = s;
    } else {
        // R12 has no block table of its own: its BLOCK entities are the records.
        ensureBlockTable();
        TableInfo& table = index_.table(index_.blockTable_);
        s = fileSlot(Kind::BlockBegin, table.head, r);
        b = index_.addBlock();
        index_.blocks_[b].record = index_.blocks_[b].begin = s;
        if (!table.byKey.emplace(key, s).second)
            dxf::fail(r.line(), "BLOCK " + dxf::excerpt(r.name) + " is defined twice");
        if (key == "$MODEL_SPACE" || key == "$PAPER_SPACE")
            table.byKey.emplace("*" + key.substr(1), s);
        table.entries.push_back(s);
    }
    index_.slots_[s].link = b;
    lastBlock_ = b;
    registerHandle(s, r);
}

void IndexBuilder::endBlock(const Record& r) {
    BlockInfo& block = index_.blocks_[lastBlock_];
    uint32_t s = fileSlot(Kind::BlockEnd, block.record, r);
    index_.slots_[s].link = lastBlock_;
    registerHandle(s, r);
    block.end = block.anchor = s;
}

void IndexBuilder::addEntity(const Record& r, uint32_t block) {
    Kind kind = entityKind(r.type);
    uint32_t owner = r.subEntity ? lastMain_ : index_.blocks_[block].record;
    uint32_t s = fileSlot(kind, owner, r);
    registerHandle(s, r);
    if (!r.subEntity) {
        index_.blocks_[block].entities.push_back(s);
        lastMain_ = s;
    }
    if (kind == Kind::Insert)
        linkToBlock(s, r);
}

void IndexBuilder::linkToBlock(uint32_t insert, const Record& r) {
    uint32_t h = 2166136261u;
    for (char c : r.name)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    NameCacheEntry& cached = insertNames_[h & 255];
    if (cached.block != kNone && cached.raw == r.name) {
        index_.slots_[insert].link = cached.block;
        return;
    }
    std::string key = header_.codec().keyOfRaw(r.name);
    uint32_t record = index_.findKey(index_.blockTable_, key);
    if (record == kNone) {
        unresolved_.push_back(Unresolved{insert, r.line(), std::move(key)});
        return;
    }
    index_.slots_[insert].link = index_.slots_[record].link;
    cached = NameCacheEntry{r.name, index_.slots_[record].link};
}

void IndexBuilder::ensureBlockTable() {
    if (index_.blockTable_ >= 0)
        return;
    uint32_t head = index_.addSlot(Kind::VirtualTable, kNone);
    index_.blockTable_ = int(index_.tables_.size());
    index_.slots_[head].link = uint32_t(index_.blockTable_);
    index_.tables_.push_back(TableInfo{"BLOCK_RECORD", head, kNone, {}, {}});
}

// Model or paper space: a block the drawing holds under either spelling ("*MODEL_SPACE" from
// R2000, "$MODEL_SPACE" in R12), or a record made here for the ENTITIES section's entities.
uint32_t IndexBuilder::spaceBlock(std::string_view key, bool paper) {
    ensureBlockTable();
    std::string r12 = "$" + std::string(key.substr(1));
    for (const std::string& k : {std::string(key), r12}) {
        uint32_t record = index_.findKey(index_.blockTable_, k);
        if (record != kNone) {
            uint32_t b = index_.slots_[record].link;
            index_.blocks_[b].paperSpace = paper;
            index_.blocks_[b].anchor = kNone; // before the ENTITIES section's end
            return b;
        }
    }
    TableInfo& table = index_.table(index_.blockTable_);
    uint32_t s = index_.addSlot(Kind::VirtualBlock, table.head);
    uint32_t b = index_.addBlock();
    index_.blocks_[b].record = s;
    index_.blocks_[b].paperSpace = paper;
    index_.slots_[s].link = b;
    table.entries.push_back(s);
    table.byKey.emplace(std::string(key), s);
    return b;
}

void IndexBuilder::ensureSpaces() {
    if (index_.modelSpace_ != kNone)
        return;
    index_.modelSpace_ = spaceBlock("*MODEL_SPACE", false);
    index_.paperSpace_ = spaceBlock("*PAPER_SPACE", true);
}

void IndexBuilder::finish() {
    ensureSpaces();
    for (uint32_t b : {index_.modelSpace_, index_.paperSpace_})
        index_.blocks_[b].anchor = index_.entitiesEnd_;
    for (const Unresolved& u : unresolved_) {
        uint32_t record = index_.findKey(index_.blockTable_, u.key);
        if (record == kNone)
            dxf::fail(u.line, "INSERT refers to block \"" + u.key +
                                  "\", which the drawing does not define");
        index_.slots_[u.slot].link = index_.slots_[record].link;
    }
    unresolved_.clear();
    unresolved_.shrink_to_fit();
    // An R12 drawing without handles gets none for its additions either.
    int handling = header_.handling();
    bool written = header_.version() >= 1012 || handling == 1 ||
                   (handling < 0 && (index_.handles_.largest() > 0 || header_.handseed() > 0));
    index_.handles_.startAdditions(header_.handseed(), written);
}

} // namespace kestrel::acad
