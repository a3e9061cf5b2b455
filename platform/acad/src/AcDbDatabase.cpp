#include "AsciiCase.h"
#include "DbStore.h"
#include "DefaultDrawing.h"
#include "Utf8.h"

using kestrel::acad::DbStore;
using kestrel::acad::kNone;

namespace {

std::string narrowPath(const ACHAR* path) {
    return crt::ToUtf8(path ? path : L"");
}

std::wstring widen(const std::string& text) {
    return crt::FromUtf8(text);
}

std::string headerName(const ACHAR* name) {
    std::string n = crt::UpperAZ(crt::ToUtf8(name ? name : L""));
    if (!n.empty() && n[0] != '$')
        n = "$" + n;
    return n;
}

} // namespace

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) {
    store_ = std::make_unique<DbStore>(this);
    if (buildDefaultDrawing)
        store_->loadBytes(kestrel::acad::kDefaultDrawing);
}

AcDbDatabase::~AcDbDatabase() = default;

Acad::ErrorStatus AcDbDatabase::readDxfFile(const ACHAR* fileName) {
    std::string path = narrowPath(fileName);
    if (store_ && !store_->openedObjects().empty()) {
        lastError_ = widen(path) + L": objects of the current drawing are still open";
        return Acad::eWasOpenedForWrite;
    }
    auto fresh = std::make_unique<DbStore>(this);
    try {
        fresh->loadFile(path);
    } catch (const kestrel::acad::FileError& e) {
        lastError_ = widen(path) + L": " + widen(e.message);
        return e.status;
    } catch (const kestrel::dxf::DxfError& e) {
        lastError_ = widen(path) + L": " + widen(e.text());
        return Acad::eDwgNeedsRecovery;
    } catch (const std::bad_alloc&) {
        lastError_ = widen(path) + L": not enough memory to read the drawing";
        return Acad::eDwgNeedsRecovery;
    }
    store_ = std::move(fresh);
    lastError_.clear();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfIn(const ACHAR* fileName, const ACHAR*) {
    return readDxfFile(fileName);
}

Acad::ErrorStatus AcDbDatabase::saveAs(const ACHAR* fileName) {
    std::string error;
    if (!store_->save(narrowPath(fileName), error)) {
        lastError_ = widen(error);
        return Acad::eFileAccessErr;
    }
    lastError_.clear();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName, int) {
    return saveAs(fileName);
}

const std::wstring& AcDbDatabase::lastErrorMessage() const {
    return lastError_;
}

Acad::ErrorStatus AcDbDatabase::getFilename(const ACHAR*& fileName) const {
    fileName_ = widen(store_->fileName());
    fileName = fileName_.c_str();
    return Acad::eOk;
}

template <class T>
static Acad::ErrorStatus openTable(DbStore* store, int table, T*& out, AcDb::OpenMode mode) {
    out = nullptr;
    if (table < 0)
        return Acad::eKeyNotFound;
    return acdbOpenObject(out, store->id(store->table(table).head), mode);
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
    return openTable(store_.get(), store_->blockTable(), table, mode);
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
    return openTable(store_.get(), store_->styleTable(), table, mode);
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
    return openTable(store_.get(), store_->layerTable(), table, mode);
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
    return getSymbolTable(table, mode);
}

Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
    return getSymbolTable(table, mode);
}

Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
    return getSymbolTable(table, mode);
}

static AcDbObjectId tableId(DbStore* store, int table) {
    return table < 0 ? AcDbObjectId() : store->id(store->table(table).head);
}

AcDbObjectId AcDbDatabase::blockTableId() const {
    return tableId(store_.get(), store_->blockTable());
}
AcDbObjectId AcDbDatabase::textStyleTableId() const {
    return tableId(store_.get(), store_->styleTable());
}
AcDbObjectId AcDbDatabase::layerTableId() const {
    return tableId(store_.get(), store_->layerTable());
}

AcDbObjectId AcDbDatabase::modelSpaceId() const {
    return store_->id(store_->block(store_->modelSpace()).record);
}

AcDbObjectId AcDbDatabase::paperSpaceId() const {
    return store_->id(store_->block(store_->paperSpace()).record);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool, const AcDbHandle& handle,
                                                Adesk::UInt32) {
    uint32_t s = store_->findHandle(handle.value());
    if (s == kNone) {
        id = AcDbObjectId();
        return Acad::eKeyNotFound;
    }
    id = store_->id(s);
    return Acad::eOk;
}

AcDbHandle AcDbDatabase::handseed() const {
    return AcDbHandle(store_->handseed());
}

Acad::ErrorStatus AcDbDatabase::getHeaderVar(const ACHAR* name,
                                             std::vector<AcDbHeaderValue>& values) const {
    return store_->headerVar(headerName(name), values) ? Acad::eOk : Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDatabase::setHeaderVar(const ACHAR* name,
                                             const std::vector<AcDbHeaderValue>& values) {
    std::string n = headerName(name);
    if (n.size() < 2 || values.empty())
        return Acad::eInvalidInput;
    for (const AcDbHeaderValue& v : values)
        if (!kestrel::dxf::isValidCode(v.groupCode) || v.groupCode == 0 || v.groupCode == 9 ||
            v.text.find(L'\n') != std::wstring::npos)
            return Acad::eInvalidInput;
    store_->setHeaderVar(n, values);
    return Acad::eOk;
}

std::wstring AcDbDatabase::acadVersion() const {
    std::vector<AcDbHeaderValue> values;
    if (store_->headerVar("$ACADVER", values) && !values.empty())
        return values.front().text;
    return L"AC1009";
}

std::vector<AcDbObjectId> AcDbDatabase::openedObjects() const {
    return store_->openedObjects();
}
