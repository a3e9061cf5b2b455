#pragma once
// The drawing database: what a DXF drawing becomes, and what it is written back from.
#include "acadstrc.h"
#include "acdb.h"
#include "dbid.h"
#include <memory>
#include <string>
#include <vector>

class AcDbBlockTable;
class AcDbTextStyleTable;
class AcDbLayerTable;

namespace kestrel::acad {
class DbStore;
}

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
    // renamed over it; the previous file is kept as NAME.bak. A failure leaves the target as
    // it was.
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
