#include "DrawingIndex.h"

#include "dxf/DxfTags.h"

#include <algorithm>

namespace kestrel::acad {

using dxf::EditTag;
using dxf::Tag;
using dxf::TagRange;

// ---------------------------------------------------------------- handles

void HandleIndex::reset(uint64_t handseed, size_t fileSize) {
    direct_.clear();
    others_.clear();
    if (handseed > 0 && handseed * sizeof(uint32_t) <= fileSize / 2 + 65536)
        direct_.assign(size_t(handseed), kNone);
}

uint32_t HandleIndex::find(uint64_t handle) const {
    if (handle == 0)
        return kNone;
    if (handle < direct_.size())
        return direct_[size_t(handle)];
    auto it = others_.find(handle);
    return it == others_.end() ? kNone : it->second;
}

uint32_t HandleIndex::insert(uint64_t handle, uint32_t slot) {
    largest_ = std::max(largest_, handle);
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

void HandleIndex::startAdditions(uint64_t handseed, bool written) {
    next_ = firstIssued_ = std::max(handseed, largest_ + 1);
    written_ = written;
}

uint64_t HandleIndex::issue(uint32_t slot) {
    uint64_t handle = next_++;
    insert(handle, slot);
    return handle;
}

// ---------------------------------------------------------------- slots

uint32_t DrawingIndex::addSlot(Kind kind, uint32_t owner) {
    Slot s;
    s.kind = kind;
    s.owner = owner;
    slots_.push_back(s);
    return uint32_t(slots_.size() - 1);
}

bool DrawingIndex::isBlockRecordSlot(uint32_t s) const {
    const Slot& sl = slots_[s];
    if (sl.kind == Kind::BlockRecord || sl.kind == Kind::VirtualBlock)
        return true;
    return sl.kind == Kind::BlockBegin && blocks_[sl.link].record == s;
}

bool DrawingIndex::dead(uint32_t s) const {
    for (int depth = 0; depth < 4 && s != kNone; ++depth) {
        if (slots_[s].flags & kErased)
            return true;
        s = slots_[s].owner;
    }
    return false;
}

void DrawingIndex::setErased(uint32_t s, bool erased) {
    if (erased)
        slots_[s].flags |= kErased;
    else
        slots_[s].flags &= uint8_t(~kErased);
    anyErased_ = true;
}

uint32_t DrawingIndex::endOffset(uint32_t s) const {
    for (uint32_t n = s + 1; n < fileSlots_; ++n)
        if (slots_[n].offset != kNone)
            return slots_[n].offset;
    return uint32_t(trailing_);
}

std::string_view DrawingIndex::fileTypeName(uint32_t s) const {
    TagRange tags(bytes_, slots_[s].offset, bytes_.size());
    Tag t;
    tags.next(t);
    return t.value;
}

std::vector<EditTag> DrawingIndex::fileTags(uint32_t s) const {
    std::vector<EditTag> tags;
    if (slots_[s].offset == kNone)
        return tags;
    TagRange range(bytes_, slots_[s].offset, endOffset(s));
    Tag t;
    while (range.next(t))
        tags.push_back(EditTag{t.code, std::string(t.value)});
    return tags;
}

uint64_t DrawingIndex::lineAt(size_t offset) const {
    offset = std::min(offset, bytes_.size());
    return 1 + uint64_t(std::count(bytes_.begin(), bytes_.begin() + long(offset), '\n'));
}

// ---------------------------------------------------------------- tables and blocks

uint32_t DrawingIndex::findKey(int t, const std::string& key) const {
    if (t < 0)
        return kNone;
    const auto& byKey = tables_[size_t(t)].byKey;
    auto it = byKey.find(key);
    return it == byKey.end() ? kNone : it->second;
}

uint32_t DrawingIndex::addBlock() {
    blocks_.push_back(BlockInfo{});
    return uint32_t(blocks_.size() - 1);
}

// ---------------------------------------------------------------- additions

uint32_t DrawingIndex::newSlot(Kind kind, uint32_t owner) {
    uint32_t s = addSlot(kind, owner);
    slots_[s].flags = kNew;
    slots_[s].handle = handles_.issue(s);
    return s;
}

void DrawingIndex::writeBefore(uint32_t anchor, uint32_t s) {
    before_[anchor].push_back(s);
    slots_[anchor].flags |= kPending;
}

const std::vector<uint32_t>* DrawingIndex::writtenBefore(uint32_t anchor) const {
    auto it = before_.find(anchor);
    return it == before_.end() ? nullptr : &it->second;
}

const std::vector<uint32_t>* DrawingIndex::subEntitiesOfNew(uint32_t reference) const {
    auto it = newSubs_.find(reference);
    return it == newSubs_.end() ? nullptr : &it->second;
}

} // namespace kestrel::acad
