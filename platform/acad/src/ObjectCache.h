#pragma once
// The objects of a drawing that exist as objects, one pointer per slot, and how each is open.
// An object is made on its first opening from its record; it stays while it is open, changed
// or new, and symbol tables and their records stay once made (they are opened all the time).
// Every opening is closed again; opened() lists the objects where that has not happened yet.
#include "DrawingIndex.h"
#include "dbmain.h"

#include <functional>

namespace kestrel::acad {

class ObjectCache {
public:
    // make: the object standing for a slot's record (null for a record that has none).
    ObjectCache(DrawingIndex& index, std::function<AcDbObject*(uint32_t)> make);
    ~ObjectCache();
    ObjectCache(const ObjectCache&) = delete;
    ObjectCache& operator=(const ObjectCache&) = delete;

    AcDbObject* resident(uint32_t s) const { return s < objects_.size() ? objects_[s] : nullptr; }
    // Takes an object made elsewhere (an addition) for the slot.
    void keep(uint32_t s, AcDbObject* object);

    // eOk when open would succeed, else the error it would give; nothing is made.
    Acad::ErrorStatus canOpen(uint32_t s, AcDb::OpenMode mode, bool openErased) const;
    Acad::ErrorStatus open(uint32_t s, AcDb::OpenMode mode, bool openErased, AcDbObject*& out);
    // Ends an opening; changed: the object was changed while open (it is written from its
    // values from then on).
    Acad::ErrorStatus close(uint32_t s, bool changed);
    Acad::ErrorStatus upgrade(uint32_t s);
    Acad::ErrorStatus downgrade(uint32_t s, bool changed);
    bool isWriting(uint32_t s) const { return index_.slot(s).flags & kWriting; }
    bool isOpen(uint32_t s) const { return index_.slot(s).readers > 0 || isWriting(s); }
    std::vector<uint32_t> opened() const;

private:
    void markChanged(uint32_t s);
    DrawingIndex& index_;
    std::function<AcDbObject*(uint32_t)> make_;
    BigVector<AcDbObject*> objects_; // owned
};

} // namespace kestrel::acad
