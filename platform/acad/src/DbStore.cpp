#include "DbStore.h"

#include "FileReplacement.h"
#include "dxf/BinaryDxf.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel::acad {

using dxf::EditTag;
using dxf::fail;
using dxf::Record;
using dxf::Section;
using dxf::Tag;
using dxf::TagRange;

namespace {

// Objects of record types the database does not model.
class AcDbGenericObject : public AcDbObject {
public:
    explicit AcDbGenericObject(const char* name) : AcDbObject(name) {}
};

} // namespace

// ---------------------------------------------------------------- handle map

void HandleMap::reset(uint64_t handseed, size_t fileSize) {
    direct_.clear();
    others_.clear();
    if (handseed > 0 && handseed * sizeof(uint32_t) <= fileSize / 2 + 65536)
        direct_.assign(size_t(handseed), kNone);
}

uint32_t HandleMap::find(uint64_t handle) const {
    if (handle == 0)
        return kNone;
    if (handle < direct_.size())
        return direct_[size_t(handle)];
    auto it = others_.find(handle);
    return it == others_.end() ? kNone : it->second;
}

uint32_t HandleMap::insert(uint64_t handle, uint32_t slot) {
    if (handle < direct_.size()) {
        uint32_t& entry = direct_[size_t(handle)];
        if (entry != kNone)
            return entry;
        entry = slot;
        return kNone;
    }
    if (!direct_.empty() && handle == direct_.size() && others_.count(handle) == 0) {
        direct_.push_back(slot); // new handles continue from the seed
        return kNone;
    }
    auto [it, inserted] = others_.emplace(handle, slot);
    return inserted ? kNone : it->second;
}

// ---------------------------------------------------------------- loading

DbStore::DbStore(AcDbDatabase* db) : db_(db) {}

DbStore::~DbStore() {
    for (AcDbObject* obj : objects_)
        delete obj;
    if (mapped_)
        munmap(data_, size_);
    else
        std::free(data_);
}

void DbStore::loadFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(0, "cannot open the file: " + std::string(std::strerror(errno)));
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fail(0, "not a regular file");
    }
    size_t size = size_t(st.st_size);
    if (size >= 0xffffffffu) {
        ::close(fd);
        fail(0, "the file is too large (4 GiB or more)");
    }
    // The drawing's bytes are mapped, not copied: the index and the objects point into them.
    char* data = nullptr;
    if (size > 0) {
        void* p = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (p == MAP_FAILED) {
            ::close(fd);
            fail(0, "cannot read the file: " + std::string(std::strerror(errno)));
        }
        data = static_cast<char*>(p);
        mapped_ = true;
    } else {
        data = static_cast<char*>(std::malloc(1));
    }
    ::close(fd);
    data_ = data;
    size_ = size;
    fileName_ = path;
    if (!dxf::isBinaryDxf(std::string_view(data_, size_))) {
        buildFromRecords(path);
        return;
    }
    // Binary DXF is read as its ASCII text, kept in memory instead of the mapping.
    std::string text = dxf::binaryToText(std::string_view(data_, size_), oneByteCodes_);
    munmap(data_, size_);
    mapped_ = false;
    data_ = static_cast<char*>(std::malloc(text.size() + 1));
    if (!data_)
        fail(0, "not enough memory for the file");
    std::memcpy(data_, text.data(), text.size());
    size_ = text.size();
    binary_ = true;
    try {
        buildFromRecords(path);
    } catch (dxf::DxfError& e) {
        if (e.line != 0) {
            e.message += " (line " + std::to_string(e.line) + " of the binary drawing as text)";
            e.line = 0;
        }
        throw;
    }
}

void DbStore::loadBytes(std::string_view bytes) {
    data_ = static_cast<char*>(std::malloc(bytes.size() + 1));
    std::memcpy(data_, bytes.data(), bytes.size());
    size_ = bytes.size();
    buildFromRecords("");
}

void DbStore::buildFromRecords(const std::string&) {
    std::string_view bytes(data_, size_);
    size_t start = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    size_t nl = bytes.find('\n');
    if (nl != std::string_view::npos && nl > 0 && bytes[nl - 1] == '\r')
        lineEnd_ = "\r\n";
    slots_.reserve(size_ / 6 + 16);
    recordsBegin_ = start;
    dxf::RecordReader reader(bytes, start);
    Record r;
    while (reader.next(r))
        onRecord(r);
    trailing_ = reader.trailingOffset();
    fileSlots_ = uint32_t(slots_.size());
    finishLoad();
}

uint32_t DbStore::addSlot(Kind kind, uint32_t owner) {
    Slot s;
    s.kind = kind;
    s.owner = owner;
    slots_.push_back(s);
    return uint32_t(slots_.size() - 1);
}

uint64_t DbStore::parseHandleOf(const Record& r) {
    if (r.handle.empty())
        return 0;
    uint64_t h = 0;
    if (!dxf::parseHandle(r.handle, h))
        fail(r.line(), "invalid handle " + dxf::excerpt(r.handle) + " in " + dxf::excerpt(r.type));
    return h;
}

int DbStore::tableByName(std::string_view name) const {
    for (size_t i = 0; i < tables_.size(); ++i)
        if (tables_[i].name == name)
            return int(i);
    return -1;
}

void DbStore::onHeader(const Record& r) {
    headerSlot_ = uint32_t(slots_.size() - 1);
    slots_[headerSlot_].kind = Kind::Header;
    std::string_view acadver = "AC1009", codepage = "ANSI_1252";
    TagRange tags(bytes(), r.begin, r.end);
    Tag t;
    tags.next(t); // 0 SECTION
    uint64_t line = r.line();
    while (tags.next(t)) {
        line += 2;
        uint32_t at = uint32_t(tags.lastStart());
        if (t.code == 9) {
            if (!headerVars_.empty())
                headerVars_.back().end = at;
            headerIndex_.emplace(std::string(t.value), headerVars_.size());
            headerVars_.push_back(
                HeaderVar{std::string(t.value), at, uint32_t(r.end), uint32_t(tags.position())});
            continue;
        }
        if (headerVars_.empty() || at != headerVars_.back().valueStart)
            continue;
        const std::string& name = headerVars_.back().name;
        if (name == "$ACADVER")
            acadver = t.value;
        else if (name == "$DWGCODEPAGE")
            codepage = t.value;
        else if (name == "$HANDSEED" && !dxf::parseHandle(t.value, fileHandseed_))
            fail(line + 1, "invalid $HANDSEED " + dxf::excerpt(t.value));
        else if (name == "$HANDLING")
            handling_ = t.value.find('0') == std::string_view::npos || t.value.size() > 1 ? 1 : 0;
    }
    codec_.configure(acadver, codepage);
    handles_.reset(fileHandseed_, size_);
    if (acadver.size() >= 6 && acadver.substr(0, 2) == "AC")
        version_ = std::atoi(std::string(acadver.substr(2)).c_str());
}

void DbStore::onRecord(const Record& r) {
    std::string_view type = r.type;
    uint64_t handle = parseHandleOf(r);
    uint32_t s = kNone;
    auto registerHandle = [&](uint32_t slot) {
        if (handle == 0)
            return;
        slots_[slot].handle = handle;
        uint32_t other = handles_.insert(handle, slot);
        if (other != kNone)
            fail(r.line(), "handle " + std::string(r.handle) + " is used twice (also by the " +
                               std::string(typeName(other)) + " at line " +
                               std::to_string(lineAt(slots_[other].offset)) + ")");
        maxHandle_ = std::max(maxHandle_, handle);
    };
    auto entityKind = [&]() {
        if (type == "INSERT")
            return Kind::Insert;
        if (type == "ATTRIB")
            return Kind::Attrib;
        if (type == "SEQEND")
            return Kind::Seqend;
        if (type == "LINE")
            return Kind::Line;
        if (type == "TEXT")
            return Kind::Text;
        if (type == "ATTDEF")
            return Kind::AttDef;
        return Kind::Entity;
    };
    auto addEntity = [&](uint32_t block) {
        Kind kind = entityKind();
        uint32_t owner = r.subEntity ? lastMain_ : blocks_[block].record;
        s = addSlot(kind, owner);
        slots_.back().offset = uint32_t(r.begin);
        registerHandle(s);
        if (!r.subEntity) {
            blocks_[block].entities.push_back(s);
            lastMain_ = s;
        }
        if (kind == Kind::Insert) {
            uint32_t h = 2166136261u;
            for (char c : r.name)
                h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
            NameCacheEntry& cached = insertNames_[h & 255];
            if (cached.block != kNone && cached.raw == r.name) {
                slots_[s].link = cached.block;
                return;
            }
            std::string key = codec_.keyOfRaw(r.name);
            uint32_t rec = blockTable_ >= 0 ? [&] {
                auto it = tables_[size_t(blockTable_)].byKey.find(key);
                return it == tables_[size_t(blockTable_)].byKey.end() ? kNone : it->second;
            }()
                                            : kNone;
            if (rec != kNone) {
                slots_[s].link = slots_[rec].link;
                cached = NameCacheEntry{r.name, slots_[rec].link};
            } else
                unresolved_.push_back(Unresolved{s, r.line(), std::move(key)});
        }
    };

    if (section_ == Section::Entities && type != "ENDSEC") {
        if (modelSpace_ == kNone) {
            modelSpace_ = addVirtualBlock("*Model_Space", false);
            paperSpace_ = addVirtualBlock("*Paper_Space", true);
        }
        addEntity(r.paperSpace ? paperSpace_ : modelSpace_);
        return;
    }
    if (section_ == Section::Blocks && currentBlock_ != kNone && type != "ENDBLK") {
        addEntity(currentBlock_);
        return;
    }
    if (type == "SECTION") {
        s = addSlot(Kind::Structure, kNone);
        slots_[s].offset = uint32_t(r.begin);
        section_ = r.section;
        if (section_ == Section::Header)
            onHeader(r);
        return;
    }
    if (type == "ENDSEC") {
        s = addSlot(Kind::Structure, kNone);
        slots_[s].offset = uint32_t(r.begin);
        if (section_ == Section::Entities)
            entitiesEnd_ = s;
        else if (section_ == Section::Blocks)
            blocksEnd_ = s;
        section_ = Section::None;
        return;
    }
    if (section_ == Section::Tables) {
        if (type == "TABLE") {
            s = addSlot(Kind::TableHead, kNone);
            slots_[s].offset = uint32_t(r.begin);
            registerHandle(s);
            currentTable_ = int(tables_.size());
            slots_[s].link = uint32_t(currentTable_);
            tables_.push_back(TableInfo{});
            tables_.back().name = std::string(r.name);
            tables_.back().head = s;
            if (r.name == "BLOCK_RECORD")
                blockTable_ = currentTable_;
            else if (r.name == "STYLE")
                styleTable_ = currentTable_;
            else if (r.name == "LAYER")
                layerTable_ = currentTable_;
            return;
        }
        if (type == "ENDTAB") {
            s = addSlot(Kind::Structure, kNone);
            slots_[s].offset = uint32_t(r.begin);
            tables_[size_t(currentTable_)].end = s;
            currentTable_ = -1;
            return;
        }
        TableInfo& table = tables_[size_t(currentTable_)];
        Kind kind = currentTable_ == blockTable_   ? Kind::BlockRecord
                    : currentTable_ == styleTable_ ? Kind::TextStyle
                    : currentTable_ == layerTable_ ? Kind::Layer
                                                   : Kind::SymbolRecord;
        s = addSlot(kind, table.head);
        slots_[s].offset = uint32_t(r.begin);
        slots_[s].link = uint32_t(currentTable_);
        registerHandle(s);
        table.entries.push_back(s);
        table.byKey.emplace(codec_.keyOfRaw(r.name), s);
        if (kind == Kind::BlockRecord) {
            slots_[s].link = uint32_t(blocks_.size());
            blocks_.push_back(BlockInfo{});
            blocks_.back().record = s;
        }
        return;
    }
    if (section_ == Section::Blocks) {
        if (type == "BLOCK") {
            std::string key = codec_.keyOfRaw(r.name);
            if (blockTable_ >= 0 && tables_[size_t(blockTable_)].head != kNone &&
                slots_[tables_[size_t(blockTable_)].head].kind == Kind::TableHead) {
                auto& byKey = tables_[size_t(blockTable_)].byKey;
                auto it = byKey.find(key);
                if (it == byKey.end())
                    fail(r.line(), "BLOCK " + dxf::excerpt(r.name) + " has no BLOCK_RECORD");
                uint32_t b = slots_[it->second].link;
                if (blocks_[b].begin != kNone)
                    fail(r.line(), "BLOCK " + dxf::excerpt(r.name) + " is defined twice");
                s = addSlot(Kind::BlockBegin, it->second);
                blocks_[b].begin = s;
                slots_[s].link = b;
                currentBlock_ = b;
            } else {
                ensureBlockTable();
                s = addSlot(Kind::BlockBegin, tables_[size_t(blockTable_)].head);
                uint32_t b = uint32_t(blocks_.size());
                blocks_.push_back(BlockInfo{});
                blocks_[b].record = blocks_[b].begin = s;
                slots_[s].link = b;
                auto& table = tables_[size_t(blockTable_)];
                if (!table.byKey.emplace(key, s).second)
                    fail(r.line(), "BLOCK " + dxf::excerpt(r.name) + " is defined twice");
                if (key == "$MODEL_SPACE" || key == "$PAPER_SPACE")
                    table.byKey.emplace("*" + key.substr(1), s);
                table.entries.push_back(s);
                currentBlock_ = b;
            }
            slots_[s].offset = uint32_t(r.begin);
            registerHandle(s);
            return;
        }
        if (type == "ENDBLK") {
            s = addSlot(Kind::BlockEnd, blocks_[currentBlock_].record);
            slots_[s].offset = uint32_t(r.begin);
            slots_[s].link = currentBlock_;
            registerHandle(s);
            blocks_[currentBlock_].end = blocks_[currentBlock_].anchor = s;
            currentBlock_ = kNone;
            return;
        }
    }
    Kind kind = (r.section == Section::Header || type.empty() || type == "EOF") ? Kind::Structure
                                                                                : Kind::Object;
    s = addSlot(kind, kNone);
    slots_[s].offset = uint32_t(r.begin);
    if (kind == Kind::Object)
        registerHandle(s);
}

void DbStore::ensureBlockTable() {
    if (blockTable_ >= 0)
        return;
    // R12 has no block table of its own: its BLOCK entities are the records.
    uint32_t head = addSlot(Kind::VirtualTable, kNone);
    blockTable_ = int(tables_.size());
    slots_[head].link = uint32_t(blockTable_);
    tables_.push_back(TableInfo{});
    tables_.back().name = "BLOCK_RECORD";
    tables_.back().head = head;
}

uint32_t DbStore::addVirtualBlock(const char* name, bool paper) {
    ensureBlockTable();
    // The drawing may hold the space as a block already.
    {
        std::string key = dxf::TextCodec::keyOfWide(std::wstring(name, name + std::strlen(name)));
        std::string other = key;
        other[0] = '$';
        for (const std::string& k : {key, other}) {
            auto it = tables_[size_t(blockTable_)].byKey.find(k);
            if (it != tables_[size_t(blockTable_)].byKey.end()) {
                uint32_t b = slots_[it->second].link;
                blocks_[b].paperSpace = paper;
                blocks_[b].anchor = kNone; // before the ENTITIES section's end
                return b;
            }
        }
    }
    TableInfo& table = tables_[size_t(blockTable_)];
    uint32_t s = addSlot(Kind::VirtualBlock, table.head);
    uint32_t b = uint32_t(blocks_.size());
    blocks_.push_back(BlockInfo{});
    blocks_[b].record = s;
    blocks_[b].paperSpace = paper;
    slots_[s].link = b;
    table.entries.push_back(s);
    table.byKey.emplace(dxf::TextCodec::keyOfWide(std::wstring(name, name + std::strlen(name))), s);
    return b;
}

void DbStore::finishLoad() {
    if (modelSpace_ == kNone) {
        modelSpace_ = addVirtualBlock("*Model_Space", false);
        paperSpace_ = addVirtualBlock("*Paper_Space", true);
    }
    for (uint32_t b : {modelSpace_, paperSpace_})
        blocks_[b].anchor = entitiesEnd_;
    for (const Unresolved& u : unresolved_) {
        uint32_t rec = kNone;
        if (blockTable_ >= 0) {
            auto it = tables_[size_t(blockTable_)].byKey.find(u.key);
            if (it != tables_[size_t(blockTable_)].byKey.end())
                rec = it->second;
        }
        if (rec == kNone)
            fail(u.line,
                 "INSERT refers to block \"" + u.key + "\", which the drawing does not define");
        slots_[u.slot].link = slots_[rec].link;
    }
    unresolved_.clear();
    unresolved_.shrink_to_fit();
    nextHandle_ = loadedNextHandle_ = std::max(fileHandseed_, maxHandle_ + 1);
    // An R12 drawing without handles gets none for its additions either (they are numbered
    // all the same, for lookups while the drawing is open).
    handles_enabled_ = version_ >= 1012 || handling_ == 1 ||
                       (handling_ < 0 && (maxHandle_ > 0 || fileHandseed_ > 0));
}

// ---------------------------------------------------------------- slots

std::string_view DbStore::typeName(uint32_t s) const {
    const Slot& sl = slots_[s];
    if (sl.offset != kNone) {
        TagRange tags(bytes(), sl.offset, size_);
        Tag t;
        tags.next(t);
        return t.value;
    }
    if (AcDbObject* obj = resident(s))
        return obj->dxfName();
    return sl.kind == Kind::VirtualTable ? "TABLE" : "BLOCK_RECORD";
}

const char* DbStore::internedTypeName(uint32_t s) {
    switch (slots_[s].kind) {
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

bool DbStore::isBlockRecordSlot(uint32_t s) const {
    const Slot& sl = slots_[s];
    if (sl.kind == Kind::BlockRecord || sl.kind == Kind::VirtualBlock)
        return true;
    return sl.kind == Kind::BlockBegin && blocks_[sl.link].record == s;
}

uint32_t DbStore::endOffset(uint32_t s) const {
    for (uint32_t n = s + 1; n < fileSlots_; ++n)
        if (slots_[n].offset != kNone)
            return slots_[n].offset;
    return uint32_t(trailing_);
}

uint64_t DbStore::lineAt(size_t offset) const {
    uint64_t line = 1;
    for (size_t i = 0; i < offset && i < size_; ++i)
        line += data_[i] == '\n';
    return line;
}

std::vector<EditTag> DbStore::fileTags(uint32_t s) const {
    std::vector<EditTag> tags;
    if (slots_[s].offset == kNone)
        return tags;
    TagRange range(bytes(), slots_[s].offset, endOffset(s));
    Tag t;
    while (range.next(t))
        tags.push_back(EditTag{t.code, std::string(t.value)});
    return tags;
}

uint32_t DbStore::newSlot(Kind kind, uint32_t owner) {
    uint32_t s = addSlot(kind, owner);
    slots_[s].flags = kNew;
    slots_[s].handle = nextHandle_++;
    handles_.insert(slots_[s].handle, s);
    return s;
}

void DbStore::addPending(uint32_t anchor, uint32_t s) {
    pending_[anchor].push_back(s);
    slots_[anchor].flags |= kPending;
}

std::wstring spaceAlias(std::wstring name) {
    std::string key = dxf::TextCodec::keyOfWide(name);
    if (key == "$MODEL_SPACE")
        return L"*Model_Space";
    if (key == "$PAPER_SPACE")
        return L"*Paper_Space";
    return name;
}

void DbStore::keep(uint32_t s, AcDbObject* object) {
    if (objects_.size() <= s)
        objects_.resize(std::max<size_t>(slots_.size(), s + 1), nullptr);
    objects_[s] = object;
}

void DbStore::drop(uint32_t s) {
    delete objects_[s];
    objects_[s] = nullptr;
}

DbStore* storeOf(AcDbObjectId id) {
    if (id.isNull())
        return nullptr;
    DbStore* store = id.database()->store();
    return store && store->valid(id.index()) ? store : nullptr;
}

// ---------------------------------------------------------------- objects

AcDbObject* DbStore::materialize(uint32_t s) {
    const Slot& sl = slots_[s];
    AcDbObject* obj = nullptr;
    switch (sl.kind) {
    case Kind::TableHead:
    case Kind::VirtualTable: {
        int t = int(sl.link);
        if (t == blockTable_)
            obj = new AcDbBlockTable(t);
        else if (t == styleTable_)
            obj = new AcDbTextStyleTable(t);
        else if (t == layerTable_)
            obj = new AcDbLayerTable(t);
        else
            obj = new AcDbGenericSymbolTable(t);
        break;
    }
    case Kind::BlockRecord:
    case Kind::VirtualBlock:
        obj = new AcDbBlockTableRecord();
        break;
    case Kind::BlockBegin:
        obj = isBlockRecordSlot(s) ? static_cast<AcDbObject*>(new AcDbBlockTableRecord())
                                   : new AcDbEntity("BLOCK");
        break;
    case Kind::BlockEnd:
        obj = new AcDbEntity("ENDBLK");
        break;
    case Kind::TextStyle:
        obj = new AcDbTextStyleTableRecord();
        break;
    case Kind::Layer:
        obj = new AcDbLayerTableRecord();
        break;
    case Kind::SymbolRecord:
        obj = new AcDbGenericSymbolTableRecord(internedTypeName(s));
        break;
    case Kind::Insert: {
        auto* ref = new AcDbBlockReference();
        if (sl.link != kNone)
            ref->block_ = id(blocks_[sl.link].record);
        obj = ref;
        break;
    }
    case Kind::Attrib:
        obj = new AcDbAttribute();
        break;
    case Kind::Seqend:
        obj = new AcDbEntity("SEQEND");
        break;
    case Kind::Line:
        obj = new AcDbLine();
        break;
    case Kind::Text:
        obj = new AcDbText();
        break;
    case Kind::AttDef:
        obj = new AcDbAttributeDefinition();
        break;
    case Kind::Entity:
        obj = new AcDbEntity(internedTypeName(s));
        break;
    case Kind::Object:
        obj = new AcDbGenericObject(internedTypeName(s));
        break;
    case Kind::Structure:
    case Kind::Header:
        return nullptr;
    }
    obj->store_ = this;
    obj->slot_ = s;
    if (sl.kind == Kind::VirtualBlock) {
        static_cast<AcDbBlockTableRecord*>(obj)->name_ =
            blocks_[sl.link].paperSpace ? L"*Paper_Space" : L"*Model_Space";
        obj->loaded_ = true;
    } else {
        obj->loaded_ = sl.offset == kNone;
    }
    return obj;
}

// The tags of a record after its 0 tag, with the subclass they stand in; reactor and
// dictionary groups are skipped, extended data ends the walk.
template <class F>
static void forEachField(std::string_view bytes, size_t begin, size_t end, F&& f) {
    std::string_view subclass;
    int depth = 0;
    TagRange tags(bytes, begin, end);
    Tag t;
    tags.next(t);
    while (tags.next(t)) {
        if (t.code >= 1000)
            break;
        if (t.code == 102) {
            if (!t.value.empty() && t.value.front() == '{')
                ++depth;
            else if (depth > 0)
                --depth;
            continue;
        }
        if (depth > 0)
            continue;
        if (t.code == 100) {
            subclass = t.value;
            continue;
        }
        f(subclass, t.code, t.value);
    }
}

void DbStore::loadFields(const AcDbObject* constObject) {
    AcDbObject* obj = const_cast<AcDbObject*>(constObject);
    obj->loaded_ = true;
    uint32_t s = obj->slot_;
    const Slot& sl = slots_[s];
    if (sl.offset == kNone)
        return;
    forEachField(bytes(), sl.offset, endOffset(s),
                 [&](std::string_view sub, int code, std::string_view value) {
                     obj->dxfInField(sub, code, value);
                 });
    if (sl.kind == Kind::BlockRecord) {
        uint32_t begin = blocks_[sl.link].begin;
        auto* rec = static_cast<AcDbBlockTableRecord*>(obj);
        if (begin != kNone && slots_[begin].offset != kNone)
            forEachField(bytes(), slots_[begin].offset, endOffset(begin),
                         [&](std::string_view sub, int code, std::string_view value) {
                             rec->dxfInBegin(sub, code, value);
                         });
    }
}

Acad::ErrorStatus DbStore::open(uint32_t s, AcDb::OpenMode mode, bool openErased,
                                AcDbObject*& out) {
    out = nullptr;
    if (!valid(s))
        return Acad::eInvalidObjectId;
    Slot& sl = slots_[s];
    if (sl.kind == Kind::Structure || sl.kind == Kind::Header)
        return Acad::eNotApplicable;
    if ((sl.flags & kErased) && !openErased)
        return Acad::eWasErased;
    if (sl.flags & kWriting)
        return Acad::eWasOpenedForWrite;
    if (mode == AcDb::kForWrite && sl.readers > 0)
        return Acad::eWasOpenedForRead;
    if (sl.readers == 0xffff)
        return Acad::eNotApplicable;
    AcDbObject* obj = resident(s);
    if (!obj) {
        obj = materialize(s);
        if (!obj)
            return Acad::eNotApplicable;
        keep(s, obj);
    }
    if (mode == AcDb::kForWrite)
        sl.flags |= kWriting;
    else
        ++sl.readers;
    out = obj;
    return Acad::eOk;
}

static bool keepsResident(Kind kind) {
    switch (kind) {
    case Kind::TableHead:
    case Kind::VirtualTable:
    case Kind::BlockRecord:
    case Kind::BlockBegin:
    case Kind::VirtualBlock:
    case Kind::TextStyle:
    case Kind::Layer:
    case Kind::SymbolRecord:
        return true;
    default:
        return false;
    }
}

Acad::ErrorStatus DbStore::close(AcDbObject* obj) {
    uint32_t s = obj->slot_;
    Slot& sl = slots_[s];
    if (sl.flags & kWriting) {
        sl.flags &= uint8_t(~kWriting);
    } else if (sl.readers > 0) {
        --sl.readers;
    } else {
        return Acad::eNotOpenForRead;
    }
    if (obj->dirty_) {
        obj->dirty_ = false;
        sl.flags |= kModified;
        invalidateExtents();
        if (sl.kind == Kind::BlockRecord && blocks_[sl.link].begin != kNone)
            slots_[blocks_[sl.link].begin].flags |= kModified;
    }
    if (sl.readers == 0 && !(sl.flags & (kWriting | kModified | kNew)) && !keepsResident(sl.kind))
        drop(s);
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::upgrade(AcDbObject* obj) {
    Slot& sl = slots_[obj->slot_];
    if (sl.flags & kWriting)
        return Acad::eOk;
    if (sl.readers != 1)
        return Acad::eWasOpenedForRead;
    sl.readers = 0;
    sl.flags |= kWriting;
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::downgrade(AcDbObject* obj) {
    Slot& sl = slots_[obj->slot_];
    if (!(sl.flags & kWriting))
        return Acad::eWasNotOpenedForWrite;
    sl.flags &= uint8_t(~kWriting);
    sl.readers = 1;
    if (obj->dirty_) {
        obj->dirty_ = false;
        sl.flags |= kModified;
        invalidateExtents();
    }
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::erase(AcDbObject* obj, bool erasing) {
    uint32_t s = obj->slot_;
    Slot& sl = slots_[s];
    if (!(sl.flags & kWriting))
        return Acad::eNotOpenForWrite;
    bool entity = dynamic_cast<AcDbEntity*>(obj) != nullptr;
    if (!entity && !(sl.flags & kNew))
        return Acad::eNotSupported;
    if (!entity && sl.kind == Kind::BlockRecord)
        return Acad::eNotSupported;
    if (erasing)
        sl.flags |= kErased;
    else
        sl.flags &= uint8_t(~kErased);
    anyErased_ = true;
    invalidateExtents();
    return Acad::eOk;
}

std::vector<AcDbObjectId> DbStore::openedObjects() const {
    std::vector<AcDbObjectId> ids;
    for (uint32_t s = 0; s < objects_.size(); ++s)
        if (objects_[s] && isOpen(s))
            ids.push_back(id(s));
    return ids;
}

// ---------------------------------------------------------------- tables and blocks

uint32_t DbStore::findRecord(int t, std::wstring_view name, bool includeErased) const {
    if (t < 0)
        return kNone;
    const TableInfo& table = tables_[size_t(t)];
    auto it = table.byKey.find(dxf::TextCodec::keyOfWide(name));
    if (it == table.byKey.end())
        return kNone;
    if ((slots_[it->second].flags & kErased) && !includeErased)
        return kNone;
    return it->second;
}

std::wstring DbStore::recordName(uint32_t s) const {
    if (AcDbObject* obj = resident(s)) {
        auto* rec = dynamic_cast<AcDbSymbolTableRecord*>(obj);
        if (rec) {
            rec->ensureLoaded();
            return rec->name_;
        }
    }
    const Slot& sl = slots_[s];
    if (sl.kind == Kind::VirtualBlock)
        return blocks_[sl.link].paperSpace ? L"*Paper_Space" : L"*Model_Space";
    if (sl.offset == kNone)
        return L"";
    TagRange tags(bytes(), sl.offset, endOffset(s));
    Tag t;
    tags.next(t);
    while (tags.next(t)) {
        if (t.code == 2)
            return sl.kind == Kind::BlockBegin ? spaceAlias(codec_.decode(t.value))
                                               : codec_.decode(t.value);
    }
    return L"";
}

static bool validSymbolName(const std::wstring& name) {
    if (name.empty() || name.size() > 255)
        return false;
    for (wchar_t c : name)
        if (c < 0x20 || c == L'<' || c == L'>' || c == L'/' || c == L'\\' || c == L'"' ||
            c == L':' || c == L';' || c == L'?' || c == L',' || c == L'|' || c == L'=' || c == L'`')
            return false;
    return true;
}

Acad::ErrorStatus DbStore::addRecord(int t, AcDbSymbolTableRecord* record, AcDbObjectId& outId) {
    if (!record)
        return Acad::eNullObjectPointer;
    if (record->store_)
        return Acad::eAlreadyInDb;
    if (t < 0)
        return Acad::eNotApplicable;
    TableInfo& table = tables_[size_t(t)];
    if (!isWriting(table.head))
        return Acad::eNotOpenForWrite;
    const std::wstring& name = record->name_;
    if (!validSymbolName(name))
        return Acad::eInvalidSymbolTableName;
    std::string key = dxf::TextCodec::keyOfWide(name);
    if (table.byKey.count(key))
        return Acad::eDuplicateRecordName;
    bool block = t == blockTable_;
    bool ok = block              ? dynamic_cast<AcDbBlockTableRecord*>(record) != nullptr
              : t == styleTable_ ? dynamic_cast<AcDbTextStyleTableRecord*>(record) != nullptr
              : t == layerTable_ ? dynamic_cast<AcDbLayerTableRecord*>(record) != nullptr
                                 : false;
    if (!ok)
        return Acad::eNotThatKindOfClass;
    uint32_t s;
    if (block) {
        if (blocksEnd_ == kNone)
            return Acad::eNotApplicable;
        uint32_t b = uint32_t(blocks_.size());
        blocks_.push_back(BlockInfo{});
        if (subclassed() && slots_[table.head].kind == Kind::TableHead) {
            if (table.end == kNone)
                return Acad::eNotApplicable;
            s = newSlot(Kind::BlockRecord, table.head);
            addPending(table.end, s);
            uint32_t begin = newSlot(Kind::BlockBegin, s);
            uint32_t end = newSlot(Kind::BlockEnd, s);
            slots_[begin].link = slots_[end].link = b;
            blocks_[b].begin = begin;
            blocks_[b].end = blocks_[b].anchor = end;
            addPending(blocksEnd_, begin);
            addPending(blocksEnd_, end);
        } else {
            s = newSlot(Kind::BlockBegin, table.head);
            uint32_t end = newSlot(Kind::BlockEnd, s);
            slots_[end].link = b;
            blocks_[b].begin = s;
            blocks_[b].end = blocks_[b].anchor = end;
            addPending(blocksEnd_, s);
            addPending(blocksEnd_, end);
        }
        blocks_[b].record = s;
        slots_[s].link = b;
    } else {
        if (table.end == kNone)
            return Acad::eNotApplicable;
        s = newSlot(t == styleTable_ ? Kind::TextStyle : Kind::Layer, table.head);
        slots_[s].link = uint32_t(t);
        addPending(table.end, s);
    }
    table.entries.push_back(s);
    table.byKey.emplace(key, s);
    record->store_ = this;
    record->slot_ = s;
    record->loaded_ = true;
    slots_[s].flags |= kWriting;
    keep(s, record);
    outId = id(s);
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::renameRecord(AcDbSymbolTableRecord* record, const std::wstring& name) {
    uint32_t s = record->slot_;
    if (!(slots_[s].flags & kNew))
        return Acad::eNotSupported; // references in the file name the record by its old name
    if (!validSymbolName(name))
        return Acad::eInvalidSymbolTableName;
    int t = isBlockRecordSlot(s) ? blockTable_ : int(slots_[s].link);
    TableInfo& table = tables_[size_t(t)];
    std::string key = dxf::TextCodec::keyOfWide(name);
    auto it = table.byKey.find(key);
    if (it != table.byKey.end() && it->second != s)
        return Acad::eDuplicateRecordName;
    table.byKey.erase(dxf::TextCodec::keyOfWide(record->name_));
    table.byKey.emplace(key, s);
    return Acad::eOk;
}

static Kind kindOfEntity(AcDbEntity* e) {
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

Acad::ErrorStatus DbStore::appendEntity(uint32_t recordSlot, AcDbEntity* entity,
                                        AcDbObjectId& outId) {
    if (!entity)
        return Acad::eNullObjectPointer;
    if (entity->store_)
        return Acad::eAlreadyInDb;
    Kind kind = kindOfEntity(entity);
    if (kind == Kind::Entity || kind == Kind::Attrib)
        return Acad::eNotSupported;
    uint32_t b = slots_[recordSlot].link;
    uint32_t anchor = blocks_[b].anchor;
    if (anchor == kNone)
        return Acad::eNotApplicable;
    entity->ensureLoaded();
    if (layerTable_ >= 0) {
        uint32_t layer = findRecord(layerTable_, entity->layer_, false);
        if (layer == kNone)
            return Acad::eKeyNotFound;
        entity->layer_ = recordName(layer);
    }
    uint32_t blockLink = kNone;
    auto* ref = dynamic_cast<AcDbBlockReference*>(entity);
    if (ref) {
        if (ref->block_.database() != db_ || !valid(ref->block_.index()) ||
            !isBlockRecordSlot(ref->block_.index()))
            return Acad::eInvalidInput;
        blockLink = slots_[ref->block_.index()].link;
    }
    uint32_t s = newSlot(kind, recordSlot);
    slots_[s].link = blockLink;
    entity->store_ = this;
    entity->slot_ = s;
    entity->loaded_ = true;
    slots_[s].flags |= kWriting;
    keep(s, entity);
    blocks_[b].entities.push_back(s);
    addPending(anchor, s);
    if (ref) {
        std::vector<AcDbAttribute*> attributes;
        attributes.swap(ref->pendingAttributes_);
        for (AcDbAttribute* a : attributes) {
            uint32_t as = newSlot(Kind::Attrib, s);
            a->store_ = this;
            a->slot_ = as;
            a->loaded_ = true;
            keep(as, a);
            newSubs_[s].push_back(as);
        }
        if (!attributes.empty()) {
            uint32_t seq = newSlot(Kind::Seqend, s);
            auto* seqend = new AcDbEntity("SEQEND");
            seqend->layer_ = ref->layer_;
            seqend->store_ = this;
            seqend->slot_ = seq;
            keep(seq, seqend);
            newSubs_[s].push_back(seq);
        }
    }
    invalidateExtents();
    outId = id(s);
    return Acad::eOk;
}

Acad::ErrorStatus DbStore::appendAttribute(AcDbBlockReference* ref, AcDbAttribute* a,
                                           AcDbObjectId& outId) {
    uint32_t s = ref->slot_;
    if (!(slots_[s].flags & kWriting))
        return Acad::eNotOpenForWrite;
    uint32_t as;
    if (slots_[s].flags & kNew) {
        auto& subs = newSubs_[s];
        as = newSlot(Kind::Attrib, s);
        if (subs.empty()) {
            uint32_t seq = newSlot(Kind::Seqend, s);
            auto* seqend = new AcDbEntity("SEQEND");
            seqend->layer_ = ref->layer_;
            seqend->store_ = this;
            seqend->slot_ = seq;
            keep(seq, seqend);
            subs.push_back(seq);
        }
        subs.insert(subs.end() - 1, as);
    } else {
        uint32_t seq = kNone;
        for (uint32_t n = s + 1; n < fileSlots_ && slots_[n].owner == s; ++n)
            if (slots_[n].kind == Kind::Seqend)
                seq = n;
        if (seq == kNone)
            return Acad::eNotSupported; // the reference had no attributes
        as = newSlot(Kind::Attrib, s);
        addPending(seq, as);
    }
    a->store_ = this;
    a->slot_ = as;
    a->loaded_ = true;
    slots_[as].flags |= kWriting;
    keep(as, a);
    invalidateExtents();
    outId = id(as);
    return Acad::eOk;
}

std::vector<uint32_t> DbStore::attributesOf(uint32_t s) const {
    std::vector<uint32_t> out;
    if (s < fileSlots_) {
        for (uint32_t n = s + 1; n < fileSlots_ && slots_[n].owner == s; ++n) {
            if (slots_[n].kind == Kind::Attrib)
                out.push_back(n);
            if (slots_[n].kind == Kind::Seqend) {
                auto it = pending_.find(n);
                if (it != pending_.end())
                    out.insert(out.end(), it->second.begin(), it->second.end());
            }
        }
    }
    auto it = newSubs_.find(s);
    if (it != newSubs_.end())
        for (uint32_t a : it->second)
            if (slots_[a].kind == Kind::Attrib)
                out.push_back(a);
    return out;
}

bool DbStore::blockHasAttributeDefinitions(uint32_t b) const {
    for (uint32_t e : blocks_[b].entities)
        if (slots_[e].kind == Kind::AttDef && !(slots_[e].flags & kErased))
            return true;
    return false;
}

AcGePoint3d DbStore::blockOrigin(uint32_t b) const {
    uint32_t rec = blocks_[b].record;
    if (AcDbObject* obj = resident(rec))
        return static_cast<AcDbBlockTableRecord*>(obj)->origin();
    std::unique_ptr<AcDbObject> tmp(const_cast<DbStore*>(this)->materialize(rec));
    return static_cast<AcDbBlockTableRecord*>(tmp.get())->origin();
}

Acad::ErrorStatus DbStore::blockExtents(uint32_t b, AcDbExtents& extents) const {
    auto cached = extentsCache_.find(b);
    if (cached != extentsCache_.end()) {
        extents = cached->second;
        return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
    }
    if (extentsDepth_ >= 16)
        return Acad::eInvalidExtents;
    ++extentsDepth_;
    AcDbExtents all;
    for (uint32_t e : blocks_[b].entities) {
        if (slots_[e].flags & kErased)
            continue;
        AcDbExtents one;
        Acad::ErrorStatus es;
        if (AcDbObject* obj = resident(e)) {
            es = static_cast<AcDbEntity*>(obj)->getGeomExtents(one);
        } else {
            std::unique_ptr<AcDbObject> tmp(const_cast<DbStore*>(this)->materialize(e));
            es = static_cast<AcDbEntity*>(tmp.get())->getGeomExtents(one);
        }
        if (es == Acad::eOk)
            all.addExt(one);
    }
    --extentsDepth_;
    extentsCache_[b] = all;
    extents = all;
    return all.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

Acad::ErrorStatus DbStore::fileEntityExtents(uint32_t s, AcDbExtents& extents) const {
    const Slot& sl = slots_[s];
    if (sl.offset == kNone)
        return Acad::eInvalidExtents;
    double px[9] = {0};
    bool circle = false;
    double radius = 0;
    AcGePoint3d center;
    std::string_view type = typeName(s);
    bool round = type == "CIRCLE" || type == "ARC";
    AcDbExtents ext;
    forEachField(bytes(), sl.offset, endOffset(s),
                 [&](std::string_view, int code, std::string_view value) {
                     double v = 0;
                     if (code >= 10 && code <= 18 && dxf::parseDouble(value, v)) {
                         px[code - 10] = v;
                     } else if (code >= 20 && code <= 28 && dxf::parseDouble(value, v)) {
                         AcGePoint3d p(px[code - 20], v, 0);
                         ext.addPoint(p);
                         if (code == 20) {
                             center = p;
                             circle = true;
                         }
                     } else if (code == 40 && round && dxf::parseDouble(value, v)) {
                         radius = v;
                     }
                 });
    if (round && circle) {
        ext.addPoint(center + AcGeVector3d(radius, radius, 0));
        ext.addPoint(center - AcGeVector3d(radius, radius, 0));
    }
    extents = ext;
    return ext.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

// ---------------------------------------------------------------- header

bool DbStore::headerVar(const std::string& name, std::vector<AcDbHeaderValue>& values) const {
    values.clear();
    for (const auto& [n, tags] : headerOverrides_) {
        if (n == name) {
            for (const EditTag& t : tags)
                values.push_back(AcDbHeaderValue{t.code, codec_.decode(t.value)});
            return true;
        }
    }
    auto it = headerIndex_.find(name);
    if (it == headerIndex_.end())
        return false;
    const HeaderVar& v = headerVars_[it->second];
    TagRange tags(bytes(), v.valueStart, v.end);
    Tag t;
    while (tags.next(t))
        values.push_back(AcDbHeaderValue{t.code, codec_.decode(t.value)});
    return true;
}

std::string DbStore::headerRaw(const std::string& name, int code) const {
    std::vector<AcDbHeaderValue> values;
    if (!headerVar(name, values))
        return {};
    for (const AcDbHeaderValue& v : values)
        if (v.groupCode == code)
            return codec_.encode(v.text);
    return {};
}

void DbStore::setHeaderVar(const std::string& name, const std::vector<AcDbHeaderValue>& values) {
    std::vector<EditTag> tags;
    for (const AcDbHeaderValue& v : values)
        tags.push_back(EditTag{v.groupCode, codec_.encode(v.text)});
    for (auto& [n, t] : headerOverrides_) {
        if (n == name) {
            t = std::move(tags);
            return;
        }
    }
    headerOverrides_.emplace_back(name, std::move(tags));
    if (headerSlot_ != kNone)
        slots_[headerSlot_].flags |= kModified;
}

// ---------------------------------------------------------------- writing

bool DbStore::dead(uint32_t s) const {
    for (int depth = 0; depth < 4 && s != kNone; ++depth) {
        if (slots_[s].flags & kErased)
            return true;
        s = slots_[s].owner;
    }
    return false;
}

void DbStore::writeTags(dxf::TagWriter& w, const std::vector<EditTag>& tags) {
    for (const EditTag& t : tags)
        w.tag(t.code, t.value);
}

std::vector<EditTag> DbStore::skeleton(uint32_t s) const {
    const Slot& sl = slots_[s];
    bool r2k = subclassed();
    std::vector<EditTag> t;
    auto entityHead = [&](const char* type, const char* subclass) {
        t.push_back({0, type});
        if (handles_enabled_)
            t.push_back({5, dxf::formatHandle(sl.handle)});
        if (r2k) {
            t.push_back({330, dxf::formatHandle(slots_[sl.owner].handle)});
            t.push_back({100, "AcDbEntity"});
        }
        uint32_t owner = sl.owner;
        if (owner != kNone && isBlockRecordSlot(owner) && owner == blocks_[paperSpace_].record &&
            blocks_[paperSpace_].anchor == entitiesEnd_)
            t.push_back({67, "1"});
        t.push_back({8, "0"});
        if (r2k && subclass)
            t.push_back({100, subclass});
    };
    auto recordHead = [&](const char* type, const char* subclass) {
        t.push_back({0, type});
        if (handles_enabled_)
            t.push_back({5, dxf::formatHandle(sl.handle)});
        if (r2k) {
            t.push_back({330, dxf::formatHandle(slots_[sl.owner].handle)});
            t.push_back({100, "AcDbSymbolTableRecord"});
            t.push_back({100, subclass});
        }
    };
    auto textFields = [&]() {
        for (auto [c, v] : std::initializer_list<std::pair<int, const char*>>{{10, "0.0"},
                                                                              {20, "0.0"},
                                                                              {30, "0.0"},
                                                                              {40, "2.5"},
                                                                              {1, ""},
                                                                              {50, "0.0"},
                                                                              {41, "1.0"},
                                                                              {7, "STANDARD"},
                                                                              {72, "0"}})
            t.push_back({c, v});
    };
    switch (sl.kind) {
    case Kind::Line:
        entityHead("LINE", "AcDbLine");
        for (int c : {10, 20, 30, 11, 21, 31})
            t.push_back({c, "0.0"});
        break;
    case Kind::Text:
        entityHead("TEXT", "AcDbText");
        textFields();
        if (r2k)
            t.push_back({100, "AcDbText"});
        t.push_back({73, "0"});
        break;
    case Kind::AttDef:
        entityHead("ATTDEF", "AcDbText");
        textFields();
        if (r2k)
            t.push_back({100, "AcDbAttributeDefinition"});
        for (auto [c, v] : std::initializer_list<std::pair<int, const char*>>{
                 {3, ""}, {2, ""}, {70, "0"}, {74, "0"}})
            t.push_back({c, v});
        break;
    case Kind::Attrib:
        entityHead("ATTRIB", "AcDbText");
        textFields();
        if (r2k)
            t.push_back({100, "AcDbAttribute"});
        for (auto [c, v] :
             std::initializer_list<std::pair<int, const char*>>{{2, ""}, {70, "0"}, {74, "0"}})
            t.push_back({c, v});
        break;
    case Kind::Insert: {
        entityHead("INSERT", "AcDbBlockReference");
        auto it = newSubs_.find(s);
        if (it != newSubs_.end() && !it->second.empty())
            t.push_back({66, "1"});
        for (auto [c, v] : std::initializer_list<std::pair<int, const char*>>{{2, ""},
                                                                              {10, "0.0"},
                                                                              {20, "0.0"},
                                                                              {30, "0.0"},
                                                                              {41, "1.0"},
                                                                              {42, "1.0"},
                                                                              {43, "1.0"},
                                                                              {50, "0.0"}})
            t.push_back({c, v});
        break;
    }
    case Kind::Seqend:
        entityHead("SEQEND", nullptr);
        break;
    case Kind::BlockRecord:
        recordHead("BLOCK_RECORD", "AcDbBlockTableRecord");
        t.push_back({2, ""});
        t.push_back({340, "0"});
        if (version_ >= 1021) {
            t.push_back({70, "0"});
            t.push_back({280, "1"});
            t.push_back({281, "0"});
        }
        break;
    case Kind::BlockBegin:
        entityHead("BLOCK", "AcDbBlockBegin");
        for (auto [c, v] : std::initializer_list<std::pair<int, const char*>>{
                 {2, ""}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {3, ""}, {1, ""}})
            t.push_back({c, v});
        break;
    case Kind::BlockEnd:
        entityHead("ENDBLK", "AcDbBlockEnd");
        break;
    case Kind::TextStyle:
        recordHead("STYLE", "AcDbTextStyleTableRecord");
        for (auto [c, v] : std::initializer_list<std::pair<int, const char*>>{{2, ""},
                                                                              {70, "0"},
                                                                              {40, "0.0"},
                                                                              {41, "1.0"},
                                                                              {50, "0.0"},
                                                                              {71, "0"},
                                                                              {42, "2.5"},
                                                                              {3, "txt"},
                                                                              {4, ""}})
            t.push_back({c, v});
        break;
    case Kind::Layer:
        recordHead("LAYER", "AcDbLayerTableRecord");
        for (auto [c, v] : std::initializer_list<std::pair<int, const char*>>{
                 {2, ""}, {70, "0"}, {62, "7"}, {6, "Continuous"}})
            t.push_back({c, v});
        if (r2k)
            t.push_back({370, "-3"});
        break;
    default:
        break;
    }
    return t;
}

void DbStore::writeObject(dxf::TagWriter& w, uint32_t s) {
    const Slot& sl = slots_[s];
    std::vector<EditTag> tags = sl.offset != kNone ? fileTags(s) : skeleton(s);
    dxf::TagEditor editor(std::move(tags), subclassed());
    if (sl.kind == Kind::BlockBegin && !isBlockRecordSlot(s)) {
        if (AcDbObject* obj = resident(blocks_[sl.link].record))
            static_cast<AcDbBlockTableRecord*>(obj)->dxfOutBegin(editor);
    } else {
        if (AcDbObject* obj = resident(s)) {
            obj->ensureLoaded();
            obj->dxfOutFields(editor);
        }
    }
    writeTags(w, editor.tags());
}

void DbStore::writeHeader(dxf::TagWriter& w, uint32_t s) {
    uint32_t first = slots_[s].offset;
    uint32_t end = endOffset(s);
    uint32_t varsStart = headerVars_.empty() ? end : headerVars_.front().first;
    w.raw(bytes().substr(first, varsStart - first));
    std::vector<bool> used(headerOverrides_.size(), false);
    for (const HeaderVar& v : headerVars_) {
        size_t k = 0;
        for (; k < headerOverrides_.size(); ++k)
            if (headerOverrides_[k].first == v.name)
                break;
        if (k == headerOverrides_.size()) {
            w.raw(bytes().substr(v.first, v.end - v.first));
            continue;
        }
        used[k] = true;
        w.tag(9, v.name);
        writeTags(w, headerOverrides_[k].second);
    }
    for (size_t k = 0; k < headerOverrides_.size(); ++k) {
        if (used[k])
            continue;
        w.tag(9, headerOverrides_[k].first);
        writeTags(w, headerOverrides_[k].second);
    }
}

void DbStore::writeSlot(dxf::TagWriter& w, uint32_t s) {
    const Slot& sl = slots_[s];
    if (sl.flags & kPending) {
        auto it = pending_.find(s);
        if (it != pending_.end())
            for (uint32_t p : it->second)
                writeSlot(w, p);
    }
    if (anyErased_ && dead(s))
        return;
    if (sl.kind == Kind::Header && (sl.flags & kModified))
        writeHeader(w, s);
    else if (sl.flags & (kModified | kNew))
        writeObject(w, s);
    else if (sl.offset != kNone)
        w.raw(bytes().substr(sl.offset, endOffset(s) - sl.offset));
    auto subs = newSubs_.find(s);
    if (subs != newSubs_.end())
        for (uint32_t sub : subs->second)
            writeSlot(w, sub);
}

bool DbStore::writeAll(FILE* file) {
    dxf::TagWriter w(file, lineEnd_);
    w.raw(std::string_view(data_, recordsBegin_));
    uint32_t run = kNone;
    auto flushRun = [&](uint32_t endAt) {
        if (run == kNone)
            return;
        w.raw(bytes().substr(slots_[run].offset, endAt - slots_[run].offset));
        run = kNone;
    };
    for (uint32_t s = 0; s < fileSlots_; ++s) {
        const Slot& sl = slots_[s];
        if (sl.offset == kNone)
            continue; // a table or space the file does not hold; nothing waits on it
        bool plain =
            !(sl.flags & (kModified | kNew | kPending | kErased)) && !(anyErased_ && dead(s));
        if (plain) {
            if (run == kNone)
                run = s;
            continue;
        }
        flushRun(sl.offset);
        writeSlot(w, s);
    }
    flushRun(uint32_t(trailing_));
    if (trailing_ < size_)
        w.raw(std::string_view(data_ + trailing_, size_ - trailing_));
    return w.finish();
}

bool DbStore::save(const std::string& path, std::string& error) {
    if (nextHandle_ != loadedNextHandle_ && headerSlot_ != kNone && handles_enabled_) {
        std::vector<AcDbHeaderValue> seed{{5, [&] {
                                               std::string h = dxf::formatHandle(nextHandle_);
                                               return std::wstring(h.begin(), h.end());
                                           }()}};
        setHeaderVar("$HANDSEED", seed);
    }
    crt::FileReplacement file;
    if (!file.Begin(path, crt::FileReplacement::Backup::Keep)) {
        error = file.Failure();
        return false;
    }
    FILE* f = fdopen(dup(file.Descriptor()), "wb");
    if (!f) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok;
    if (!binary_) {
        ok = writeAll(f);
    } else {
        char* text = nullptr;
        size_t length = 0;
        FILE* memory = open_memstream(&text, &length);
        ok = memory && writeAll(memory);
        if (memory)
            std::fclose(memory);
        if (ok) {
            try {
                std::string binary =
                    dxf::textToBinary(std::string_view(text, length), oneByteCodes_);
                ok = std::fwrite(binary.data(), 1, binary.size(), f) == binary.size();
            } catch (const dxf::DxfError& e) {
                std::free(text);
                std::fclose(f);
                error = "cannot write " + path + ": " + e.text();
                return false;
            }
        }
        std::free(text);
    }
    int writeError = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        writeError = errno;
    }
    if (!ok) {
        error = "cannot write " + path + ": " + std::strerror(writeError);
        return false;
    }
    if (!file.Commit()) {
        error = file.Failure();
        return false;
    }
    return true;
}

} // namespace kestrel::acad
