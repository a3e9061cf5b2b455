#include "ObjectCache.h"

#include <algorithm>

namespace kestrel::acad {

namespace {

// Tables and their records are opened for every name looked up: they stay once made.
bool staysResident(Kind kind) {
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

} // namespace

ObjectCache::ObjectCache(DrawingIndex& index, std::function<AcDbObject*(uint32_t)> make)
    : index_(index), make_(std::move(make)) {}

ObjectCache::~ObjectCache() {
    for (AcDbObject* object : objects_)
        delete object;
}

void ObjectCache::keep(uint32_t s, AcDbObject* object) {
    if (objects_.size() <= s)
        objects_.resize(std::max<size_t>(index_.slotCount(), s + 1), nullptr);
    objects_[s] = object;
}

Acad::ErrorStatus ObjectCache::canOpen(uint32_t s, AcDb::OpenMode mode, bool openErased) const {
    if (!index_.valid(s))
        return Acad::eInvalidObjectId;
    const Slot& slot = index_.slot(s);
    if (slot.kind == Kind::Structure || slot.kind == Kind::Header)
        return Acad::eNotApplicable;
    if ((slot.flags & kErased) && !openErased)
        return Acad::eWasErased;
    if (slot.flags & kWriting)
        return Acad::eWasOpenedForWrite;
    if (mode == AcDb::kForWrite && slot.readers > 0)
        return Acad::eWasOpenedForRead;
    if (slot.readers == 0xffff)
        return Acad::eNotApplicable;
    return Acad::eOk;
}

Acad::ErrorStatus ObjectCache::open(uint32_t s, AcDb::OpenMode mode, bool openErased,
                                    AcDbObject*& out) {
    out = nullptr;
    if (Acad::ErrorStatus es = canOpen(s, mode, openErased); es != Acad::eOk)
        return es;
    Slot& slot = index_.slot(s);
    AcDbObject* object = resident(s);
    if (!object) {
        object = make_(s);
        if (!object)
            return Acad::eNotApplicable;
        keep(s, object);
    }
    if (mode == AcDb::kForWrite)
        slot.flags |= kWriting;
    else
        ++slot.readers;
    out = object;
    return Acad::eOk;
}

void ObjectCache::markChanged(uint32_t s) {
    Slot& slot = index_.slot(s);
    slot.flags |= kModified;
    // A block record from R13 on writes part of its values into its BLOCK.
    if (slot.kind == Kind::BlockRecord) {
        uint32_t begin = index_.block(slot.link).begin;
        if (begin != kNone)
            index_.slot(begin).flags |= kModified;
    }
}

Acad::ErrorStatus ObjectCache::close(uint32_t s, bool changed) {
    Slot& slot = index_.slot(s);
    if (slot.flags & kWriting)
        slot.flags &= uint8_t(~kWriting);
    else if (slot.readers > 0)
        --slot.readers;
    else
        return Acad::eNotOpenForRead;
    if (changed)
        markChanged(s);
    if (slot.readers == 0 && !(slot.flags & (kWriting | kModified | kNew)) &&
        !staysResident(slot.kind)) {
        delete objects_[s];
        objects_[s] = nullptr;
    }
    return Acad::eOk;
}

Acad::ErrorStatus ObjectCache::upgrade(uint32_t s) {
    Slot& slot = index_.slot(s);
    if (slot.flags & kWriting)
        return Acad::eOk;
    if (slot.readers != 1)
        return Acad::eWasOpenedForRead;
    slot.readers = 0;
    slot.flags |= kWriting;
    return Acad::eOk;
}

Acad::ErrorStatus ObjectCache::downgrade(uint32_t s, bool changed) {
    Slot& slot = index_.slot(s);
    if (!(slot.flags & kWriting))
        return Acad::eWasNotOpenedForWrite;
    slot.flags &= uint8_t(~kWriting);
    slot.readers = 1;
    if (changed)
        markChanged(s);
    return Acad::eOk;
}

std::vector<uint32_t> ObjectCache::opened() const {
    std::vector<uint32_t> slots;
    for (uint32_t s = 0; s < objects_.size(); ++s)
        if (objects_[s] && isOpen(s))
            slots.push_back(s);
    return slots;
}

} // namespace kestrel::acad
