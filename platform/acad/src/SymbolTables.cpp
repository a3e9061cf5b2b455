#include "SymbolTables.h"

#include "DbStore.h"

namespace kestrel::acad {

using dxf::TextCodec;

namespace {

bool validSymbolName(const std::wstring& name) {
    if (name.empty() || name.size() > 255)
        return false;
    for (wchar_t c : name)
        if (c < 0x20 || c == L'<' || c == L'>' || c == L'/' || c == L'\\' || c == L'"' ||
            c == L':' || c == L';' || c == L'?' || c == L',' || c == L'|' || c == L'=' || c == L'`')
            return false;
    return true;
}

} // namespace

uint32_t SymbolTables::find(int t, std::wstring_view name, bool includeErased) const {
    uint32_t s = index_.findKey(t, TextCodec::keyOfWide(name));
    if (s == kNone || ((index_.slot(s).flags & kErased) && !includeErased))
        return kNone;
    return s;
}

std::wstring SymbolTables::fileName(uint32_t s) const {
    const Slot& slot = index_.slot(s);
    if (slot.kind == Kind::VirtualBlock)
        return index_.block(slot.link).paperSpace ? L"*Paper_Space" : L"*Model_Space";
    if (slot.offset == kNone)
        return L"";
    dxf::TagRange tags(index_.bytes(), slot.offset, index_.endOffset(s));
    dxf::Tag t;
    tags.next(t);
    while (tags.next(t)) {
        if (t.code == 2)
            return slot.kind == Kind::BlockBegin ? spaceAlias(header_.codec().decode(t.value))
                                                 : header_.codec().decode(t.value);
    }
    return L"";
}

int SymbolTables::tableOf(uint32_t record) const {
    return index_.isBlockRecordSlot(record) ? index_.blockTable() : int(index_.slot(record).link);
}

Acad::ErrorStatus SymbolTables::canTake(int t, const std::wstring& name) const {
    if (!validSymbolName(name))
        return Acad::eInvalidSymbolTableName;
    if (index_.table(t).byKey.count(TextCodec::keyOfWide(name)))
        return Acad::eDuplicateRecordName;
    return Acad::eOk;
}

uint32_t SymbolTables::add(int t, const std::wstring& name) {
    TableInfo& table = index_.table(t);
    uint32_t s = kNone;
    if (t == index_.blockTable()) {
        s = addBlock(table);
    } else if (table.end != kNone) {
        s = index_.newSlot(t == index_.styleTable() ? Kind::TextStyle : Kind::Layer, table.head);
        index_.slot(s).link = uint32_t(t);
        index_.writeBefore(table.end, s);
    }
    if (s != kNone) {
        table.entries.push_back(s);
        table.byKey.emplace(TextCodec::keyOfWide(name), s);
    }
    return s;
}

// From R13 on a BLOCK_RECORD at the end of its table and a BLOCK and ENDBLK at the end of the
// BLOCKS section; in R12 the BLOCK is the record. kNone when the drawing has no place for it.
uint32_t SymbolTables::addBlock(const TableInfo& table) {
    uint32_t blocksEnd = index_.blocksEnd();
    if (blocksEnd == kNone)
        return kNone;
    bool ownRecord = header_.subclassed() && index_.slot(table.head).kind == Kind::TableHead;
    if (ownRecord && table.end == kNone)
        return kNone;
    uint32_t b = index_.addBlock();
    uint32_t record = kNone;
    if (ownRecord) {
        record = index_.newSlot(Kind::BlockRecord, table.head);
        index_.writeBefore(table.end, record);
    }
    uint32_t begin = index_.newSlot(Kind::BlockBegin, ownRecord ? record : table.head);
    uint32_t end = index_.newSlot(Kind::BlockEnd, ownRecord ? record : begin);
    index_.slot(begin).link = index_.slot(end).link = b;
    BlockInfo& info = index_.block(b);
    info.record = ownRecord ? record : begin;
    info.begin = begin;
    info.end = info.anchor = end;
    index_.writeBefore(blocksEnd, begin);
    index_.writeBefore(blocksEnd, end);
    index_.slot(info.record).link = b;
    return info.record;
}

Acad::ErrorStatus SymbolTables::rename(uint32_t s, const std::wstring& from,
                                       const std::wstring& to) {
    if (!(index_.slot(s).flags & kNew))
        return Acad::eNotSupported;
    if (!validSymbolName(to))
        return Acad::eInvalidSymbolTableName;
    TableInfo& table = index_.table(tableOf(s));
    std::string key = TextCodec::keyOfWide(to);
    auto it = table.byKey.find(key);
    if (it != table.byKey.end() && it->second != s)
        return Acad::eDuplicateRecordName;
    table.byKey.erase(TextCodec::keyOfWide(from));
    table.byKey.emplace(key, s);
    return Acad::eOk;
}

} // namespace kestrel::acad
