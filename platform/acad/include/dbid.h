#pragma once
// Identity of an object in an open database (valid while the database lives).
#include "dbhandle.h"

class AcDbDatabase;

class AcDbObjectId {
public:
    AcDbObjectId() = default;
    bool isNull() const { return database_ == nullptr; }
    bool isValid() const { return database_ != nullptr; }
    bool isErased() const;
    AcDbDatabase* database() const { return database_; }
    AcDbHandle handle() const;
    // The record type of the object as the DXF file names it ("INSERT", "LINE", ...).
    const char* dxfName() const;
    bool operator==(const AcDbObjectId& o) const {
        return database_ == o.database_ && index_ == o.index_;
    }
    bool operator!=(const AcDbObjectId& o) const { return !(*this == o); }
    bool operator<(const AcDbObjectId& o) const {
        return database_ != o.database_ ? database_ < o.database_ : index_ < o.index_;
    }
    static const AcDbObjectId kNull;

    // For the database: a slot number.
    AcDbObjectId(AcDbDatabase* db, Adesk::UInt32 index) : database_(db), index_(index) {}
    Adesk::UInt32 index() const { return index_; }

private:
    AcDbDatabase* database_ = nullptr;
    Adesk::UInt32 index_ = 0;
};
