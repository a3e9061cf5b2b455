#pragma once
// Drawing objects (the base of everything in a database, entities, opening objects by id) and
// the drawing database: what a DXF drawing becomes, and what it is written back from.
#include "acadstrc.h"
#include "acdb.h"
#include "acutmem.h"
#include "dbid.h"
#include "gemat3d.h"
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
    // The same for one bit of a field of flags.
    Acad::ErrorStatus assignFlagWhileWritable(int& flags, int bit, bool on) {
        return assignWhileWritable(flags, on ? (flags | bit) : (flags & ~bit));
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

// ---------------------------------------------------------------- the database

class AcDbBlockTable;
class AcDbTextStyleTable;
class AcDbLayerTable;

// One tag of a header variable: its group code and its text as the file holds it (decoded).
struct AcDbHeaderValue {
    int groupCode = 0;
    std::wstring text;
};

class AcDbDatabase {
public:
    // With buildDefaultDrawing, the database holds a minimal empty R12 drawing.
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase();
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Reads a DXF file (R12 to R2018, ASCII or binary), replacing the contents. On failure the
    // database keeps what it held and lastErrorMessage() says why ("file: line N: ...").
    Acad::ErrorStatus readDxfFile(const ACHAR* fileName);
    Acad::ErrorStatus dxfIn(const ACHAR* fileName, const ACHAR* logFileName = nullptr);
    // Writes the drawing in its own DXF version and form: into a temporary file beside the target,
    // renamed over it; the previous file is kept as NAME.bak (unless the target is NAME.bak).
    // A link is written through, the target keeps its mode, and a target that may not be
    // written is refused (eFileAccessErr). A failure leaves the target as it was.
    Acad::ErrorStatus saveAs(const ACHAR* fileName);
    Acad::ErrorStatus dxfOut(const ACHAR* fileName, int precision = 16);
    const std::wstring& lastErrorMessage() const;
    Acad::ErrorStatus getFilename(const ACHAR*& fileName) const;

    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
    AcDbObjectId blockTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    AcDbObjectId currentSpaceId() const { return modelSpaceId(); }

    // The object of a handle; eKeyNotFound when the drawing has none.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                      const AcDbHandle& handle, Adesk::UInt32 reserved = 0);
    AcDbHandle handseed() const;

    // Header variables by name, with or without the "$" ("$ATTREQ" or "ATTREQ").
    Acad::ErrorStatus getHeaderVar(const ACHAR* name, std::vector<AcDbHeaderValue>& values) const;
    Acad::ErrorStatus setHeaderVar(const ACHAR* name, const std::vector<AcDbHeaderValue>& values);
    // "AC1009" (R12) ... "AC1032" (R2018).
    std::wstring acadVersion() const;

    // Objects opened and not yet closed (each once, however often opened for read).
    std::vector<AcDbObjectId> openedObjects() const;

    kestrel::acad::DbStore* store() const { return store_.get(); }

private:
    std::unique_ptr<kestrel::acad::DbStore> store_;
    std::wstring lastError_;
    mutable std::wstring fileName_;
};
