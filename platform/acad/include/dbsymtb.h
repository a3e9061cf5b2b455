#pragma once
// Symbol tables (blocks, text styles, layers), their records and iterators.
#include "dbmain.h"

class AcDbSymbolTableRecord : public AcDbObject {
public:
    static AcDbSymbolTableRecord* cast(AcDbObject* o) {
        return dynamic_cast<AcDbSymbolTableRecord*>(o);
    }
    // A copy of the name, released with acutDelString.
    Acad::ErrorStatus getName(ACHAR*& name) const;
    // The name itself, valid while the record is open.
    Acad::ErrorStatus getName(const ACHAR*& name) const;
    Acad::ErrorStatus setName(const ACHAR* name);

protected:
    explicit AcDbSymbolTableRecord(const char* dxfName) : AcDbObject(dxfName) {}
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;
    virtual const char* recordSubclass() const = 0;
    friend class kestrel::acad::DbStore;
    std::wstring name_;
};

class AcDbSymbolTableIterator {
public:
    virtual ~AcDbSymbolTableIterator();
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                bool openErasedRecord = false) const;

protected:
    friend class AcDbSymbolTable;
    AcDbSymbolTableIterator(kestrel::acad::DbStore* store, int table);
    kestrel::acad::DbStore* store_;
    int table_;
    long position_ = 0;
};

class AcDbSymbolTable : public AcDbObject {
public:
    static AcDbSymbolTable* cast(AcDbObject* o) { return dynamic_cast<AcDbSymbolTable*>(o); }
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErasedRecord = false) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id,
                            bool getErasedRecord = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // Adds a new named record; it stays open for write and the caller closes it.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* record);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

protected:
    AcDbSymbolTable(const char* dxfName, int table) : AcDbObject(dxfName), table_(table) {}
    int table_; // index of the table in the database
};

// ---- blocks ----

class AcDbBlockTableRecordIterator;

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    AcDbBlockTableRecord();
    static AcDbBlockTableRecord* cast(AcDbObject* o) {
        return dynamic_cast<AcDbBlockTableRecord*>(o);
    }
    // The base point.
    AcGePoint3d origin() const;
    Acad::ErrorStatus setOrigin(const AcGePoint3d& point);
    // Adds a new entity at the end of the block; it is then open for write and the caller
    // closes it.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    bool isLayout() const;
    bool isAnonymous() const;
    bool hasAttributeDefinitions() const;

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;
    const char* recordSubclass() const override { return "AcDbBlockTableRecord"; }

private:
    friend class kestrel::acad::DbStore;
    // The values that the BLOCK entity holds (from R2000 it is a record of its own).
    void dxfInBegin(std::string_view subclass, int code, std::string_view value);
    void dxfOutBegin(kestrel::dxf::TagEditor& tags) const;
    AcGePoint3d origin_;
    int flags_ = 0;
};

class AcDbBlockTableRecordIterator {
public:
    ~AcDbBlockTableRecordIterator();
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                bool openErasedEntity = false) const;

private:
    friend class AcDbBlockTableRecord;
    AcDbBlockTableRecordIterator(kestrel::acad::DbStore* store, Adesk::UInt32 block);
    kestrel::acad::DbStore* store_;
    Adesk::UInt32 block_;
    long position_ = 0;
};

class AcDbBlockTableIterator : public AcDbSymbolTableIterator {
public:
    using AcDbSymbolTableIterator::getRecord;
    Acad::ErrorStatus getRecord(AcDbBlockTableRecord*& record, AcDb::OpenMode mode,
                                bool openErasedRecord = false) const;

private:
    friend class AcDbBlockTable;
    using AcDbSymbolTableIterator::AcDbSymbolTableIterator;
};

class AcDbBlockTable : public AcDbSymbolTable {
public:
    static AcDbBlockTable* cast(AcDbObject* o) { return dynamic_cast<AcDbBlockTable*>(o); }
    using AcDbSymbolTable::getAt;
    using AcDbSymbolTable::newIterator;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbBlockTableRecord*& record, AcDb::OpenMode mode,
                            bool openErasedRecord = false) const;
    Acad::ErrorStatus newIterator(AcDbBlockTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

private:
    friend class kestrel::acad::DbStore;
    explicit AcDbBlockTable(int table) : AcDbSymbolTable("TABLE", table) {}
};

// ---- text styles ----

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    AcDbTextStyleTableRecord();
    static AcDbTextStyleTableRecord* cast(AcDbObject* o) {
        return dynamic_cast<AcDbTextStyleTableRecord*>(o);
    }
    Acad::ErrorStatus fileName(ACHAR*& name) const;
    Acad::ErrorStatus fileName(const ACHAR*& name) const;
    Acad::ErrorStatus setFileName(const ACHAR* name);
    Acad::ErrorStatus bigFontFileName(const ACHAR*& name) const;
    Acad::ErrorStatus setBigFontFileName(const ACHAR* name);
    double textSize() const;
    Acad::ErrorStatus setTextSize(double size);
    double xScale() const;
    Acad::ErrorStatus setXScale(double scale);

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;
    const char* recordSubclass() const override { return "AcDbTextStyleTableRecord"; }

private:
    std::wstring fileName_ = L"txt";
    std::wstring bigFontFileName_;
    double textSize_ = 0.0;
    double xScale_ = 1.0;
};

class AcDbTextStyleTable : public AcDbSymbolTable {
public:
    static AcDbTextStyleTable* cast(AcDbObject* o) { return dynamic_cast<AcDbTextStyleTable*>(o); }
    using AcDbSymbolTable::getAt;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbTextStyleTableRecord*& record,
                            AcDb::OpenMode mode, bool openErasedRecord = false) const;

private:
    friend class kestrel::acad::DbStore;
    explicit AcDbTextStyleTable(int table) : AcDbSymbolTable("TABLE", table) {}
};

// ---- layers ----

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    AcDbLayerTableRecord();
    static AcDbLayerTableRecord* cast(AcDbObject* o) {
        return dynamic_cast<AcDbLayerTableRecord*>(o);
    }
    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isOff() const;
    Acad::ErrorStatus setIsOff(bool off);
    bool isLocked() const;
    Acad::ErrorStatus setIsLocked(bool locked);
    int colorIndex() const;

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;
    const char* recordSubclass() const override { return "AcDbLayerTableRecord"; }

private:
    int flags_ = 0;
    int color_ = 7; // negative when the layer is off
};

class AcDbLayerTable : public AcDbSymbolTable {
public:
    static AcDbLayerTable* cast(AcDbObject* o) { return dynamic_cast<AcDbLayerTable*>(o); }
    using AcDbSymbolTable::getAt;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbLayerTableRecord*& record, AcDb::OpenMode mode,
                            bool openErasedRecord = false) const;

private:
    friend class kestrel::acad::DbStore;
    explicit AcDbLayerTable(int table) : AcDbSymbolTable("TABLE", table) {}
};

// Other tables of the drawing open as plain symbol tables.
class AcDbGenericSymbolTable : public AcDbSymbolTable {
private:
    friend class kestrel::acad::DbStore;
    explicit AcDbGenericSymbolTable(int table) : AcDbSymbolTable("TABLE", table) {}
};

class AcDbGenericSymbolTableRecord : public AcDbSymbolTableRecord {
private:
    friend class kestrel::acad::DbStore;
    explicit AcDbGenericSymbolTableRecord(const char* dxfName) : AcDbSymbolTableRecord(dxfName) {}
    const char* recordSubclass() const override { return ""; }
};
