#pragma once
// Drawing objects: the base of everything in a database, entities, and opening objects by id.
#include "acadstrc.h"
#include "acdb.h"
#include "acutmem.h"
#include "dbid.h"
#include "gemat3d.h"
#include <string>
#include <string_view>

namespace kestrel::acad {
class DbStore;
}
namespace kestrel::dxf {
class TagEditor;
}

class AcDbExtents {
public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max);
    const AcGePoint3d& minPoint() const { return min_; }
    const AcGePoint3d& maxPoint() const { return max_; }
    bool isEmpty() const { return empty_; }
    void addPoint(const AcGePoint3d& p);
    void addExt(const AcDbExtents& e);
    // The box around the eight transformed corners.
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m);

private:
    AcGePoint3d min_, max_;
    bool empty_ = true;
};

class AcDbObject {
public:
    virtual ~AcDbObject();
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    AcDbDatabase* database() const;
    void getAcDbHandle(AcDbHandle& handle) const;
    AcDbHandle handle() const;
    // The record type as the DXF file names it ("INSERT", "BLOCK_RECORD", ...).
    const char* dxfName() const { return dxfName_; }

    // Ends this opening; the pointer must not be used afterwards.
    Acad::ErrorStatus close();
    Acad::ErrorStatus erase(bool erasing = true);
    bool isErased() const;
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNewObject() const;
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();

protected:
    explicit AcDbObject(const char* dxfName);
    // eOk when the object may be changed (open for write, or not yet in a database).
    Acad::ErrorStatus assertWriteEnabled();
    // The common body of a setter: the change is made only on an object open for write.
    template <class Field, class Value>
    Acad::ErrorStatus assignWhileWritable(Field& field, const Value& value) {
        if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
            return es;
        field = value;
        return Acad::eOk;
    }
    // Reads the object's own values from its file record on first use.
    void ensureLoaded() const {
        if (!loaded_)
            load();
    }
    // One tag of the object's record; subclass is the current group 100 ("" without markers).
    virtual void dxfInField(std::string_view subclass, int code, std::string_view value);
    // Writes the object's values into its tags (its file tags, or a fresh record).
    virtual void dxfOutFields(kestrel::dxf::TagEditor& tags) const;
    static bool inSubclass(std::string_view current, std::string_view wanted) {
        return current.empty() || current == wanted;
    }
    std::wstring decode(std::string_view raw) const;
    std::string encode(const std::wstring& text) const;
    kestrel::acad::DbStore* store() const { return store_; }
    Adesk::UInt32 slot() const { return slot_; }

private:
    void load() const;
    friend class kestrel::acad::DbStore;
    const char* dxfName_;
    kestrel::acad::DbStore* store_ = nullptr;
    Adesk::UInt32 slot_ = 0;
    mutable bool loaded_ = true;
    bool dirty_ = false;
};

class AcDbEntity : public AcDbObject {
public:
    explicit AcDbEntity(const char* dxfName = "ENTITY") : AcDbObject(dxfName) {}
    static AcDbEntity* cast(AcDbObject* o) { return dynamic_cast<AcDbEntity*>(o); }
    // The block table record that owns the entity.
    AcDbObjectId blockId() const;
    // A copy of the layer name, released with acutDelString.
    ACHAR* layer() const;
    AcDbObjectId layerId() const;
    Acad::ErrorStatus setLayer(const ACHAR* name);
    Acad::ErrorStatus setLayer(AcDbObjectId layerId);
    // World extents; approximate for texts and block references.
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;

private:
    friend class kestrel::acad::DbStore;
    std::wstring layer_ = L"0";
};

// Iterates a block reference's attributes.
class AcDbObjectIterator {
public:
    virtual ~AcDbObjectIterator() = default;
    virtual bool done() const = 0;
    virtual void step(bool backwards = false, bool skipErasedObjects = true) = 0;
    virtual void start(bool atEnd = false) = 0;
    virtual AcDbObjectId objectId() const = 0;
    // Opens the current object as an entity; the caller closes it.
    Acad::ErrorStatus entity(AcDbEntity*& entity, AcDb::OpenMode mode, bool openErased = false);
};

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false) {
    object = nullptr;
    AcDbObject* any = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(any, id, mode, openErased);
    if (es != Acad::eOk)
        return es;
    object = dynamic_cast<T*>(any);
    if (object == nullptr) {
        any->close();
        return Acad::eNotThatKindOfClass;
    }
    return Acad::eOk;
}

#include "dbdatabase.h"
