#include "DbStore.h"
#include "Utf8.h"
#include "acutmem.h"
#include "dbapserv.h"

#include <cstring>

using kestrel::acad::DbStore;
using kestrel::acad::kNone;
using kestrel::acad::storeOf;

// ---------------------------------------------------------------- ids, handles, strings

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isErased() const {
    DbStore* store = storeOf(*this);
    return store && (store->slot(index_).flags & kestrel::acad::kErased);
}

AcDbHandle AcDbObjectId::handle() const {
    DbStore* store = storeOf(*this);
    return store ? AcDbHandle(store->slot(index_).handle) : AcDbHandle();
}

const char* AcDbObjectId::dxfName() const {
    DbStore* store = storeOf(*this);
    return store ? store->internedTypeName(index_) : "";
}

AcDbHandle::AcDbHandle(const ACHAR* hexText) {
    uint64_t v = 0;
    for (const ACHAR* p = hexText; p && *p; ++p) {
        int d;
        if (*p >= L'0' && *p <= L'9')
            d = *p - L'0';
        else if (*p >= L'a' && *p <= L'f')
            d = *p - L'a' + 10;
        else if (*p >= L'A' && *p <= L'F')
            d = *p - L'A' + 10;
        else {
            v = 0;
            break;
        }
        v = v * 16 + uint64_t(d);
    }
    value_ = v;
}

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buffer, size_t size) const {
    std::string hex = kestrel::dxf::formatHandle(value_);
    if (hex.size() + 1 > size)
        return false;
    for (size_t i = 0; i < hex.size(); ++i)
        buffer[i] = ACHAR(hex[i]);
    buffer[hex.size()] = 0;
    return true;
}

ACHAR* acutNewString(const ACHAR* text) {
    size_t n = text ? std::wcslen(text) : 0;
    ACHAR* copy = new ACHAR[n + 1];
    if (n)
        std::wmemcpy(copy, text, n);
    copy[n] = 0;
    return copy;
}

Acad::ErrorStatus acutDelString(ACHAR*& string) {
    delete[] string;
    string = nullptr;
    return Acad::eOk;
}

const ACHAR* acadErrorStatusText(Acad::ErrorStatus status) {
    switch (status) {
#define KESTREL_ES(name)                                                                           \
    case Acad::name:                                                                               \
        return L## #name;
        KESTREL_ES(eOk)
        KESTREL_ES(eNotImplementedYet)
        KESTREL_ES(eNotApplicable)
        KESTREL_ES(eInvalidInput)
        KESTREL_ES(eNullObjectId)
        KESTREL_ES(eNullObjectPointer)
        KESTREL_ES(eInvalidObjectId)
        KESTREL_ES(eKeyNotFound)
        KESTREL_ES(eDuplicateKey)
        KESTREL_ES(eDuplicateRecordName)
        KESTREL_ES(eInvalidSymbolTableName)
        KESTREL_ES(eWasErased)
        KESTREL_ES(eWasOpenedForWrite)
        KESTREL_ES(eWasOpenedForRead)
        KESTREL_ES(eNotOpenForWrite)
        KESTREL_ES(eNotOpenForRead)
        KESTREL_ES(eWasNotOpenedForWrite)
        KESTREL_ES(eNotThatKindOfClass)
        KESTREL_ES(eAlreadyInDb)
        KESTREL_ES(eNotInDatabase)
        KESTREL_ES(eNoDatabase)
        KESTREL_ES(eWrongDatabase)
        KESTREL_ES(eInvalidExtents)
        KESTREL_ES(eInvalidIndex)
        KESTREL_ES(eIteratorDone)
        KESTREL_ES(eFileNotFound)
        KESTREL_ES(eFileAccessErr)
        KESTREL_ES(eFileSystemErr)
        KESTREL_ES(eDwgNeedsRecovery)
        KESTREL_ES(eNotSupported)
        KESTREL_ES(eInvalidAdsName)
#undef KESTREL_ES
    }
    return L"eUnknown";
}

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    return &services;
}

// ---------------------------------------------------------------- extents

AcDbExtents::AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) {
    addPoint(min);
    addPoint(max);
}

void AcDbExtents::addPoint(const AcGePoint3d& p) {
    if (empty_) {
        min_ = max_ = p;
        empty_ = false;
        return;
    }
    min_ = AcGePoint3d(std::min(min_.x, p.x), std::min(min_.y, p.y), std::min(min_.z, p.z));
    max_ = AcGePoint3d(std::max(max_.x, p.x), std::max(max_.y, p.y), std::max(max_.z, p.z));
}

void AcDbExtents::addExt(const AcDbExtents& e) {
    if (e.empty_)
        return;
    addPoint(e.min_);
    addPoint(e.max_);
}

Acad::ErrorStatus AcDbExtents::transformBy(const AcGeMatrix3d& m) {
    if (empty_)
        return Acad::eInvalidExtents;
    AcDbExtents out;
    for (int i = 0; i < 8; ++i) {
        AcGePoint3d p((i & 1) ? max_.x : min_.x, (i & 2) ? max_.y : min_.y,
                      (i & 4) ? max_.z : min_.z);
        out.addPoint(p.transformBy(m));
    }
    *this = out;
    return Acad::eOk;
}

// ---------------------------------------------------------------- AcDbObject

AcDbObject::AcDbObject(const char* dxfName) : dxfName_(dxfName) {}

AcDbObject::~AcDbObject() = default;

AcDbObjectId AcDbObject::objectId() const {
    return store_ ? store_->id(slot_) : AcDbObjectId();
}

AcDbObjectId AcDbObject::ownerId() const {
    return store_ ? store_->id(store_->slot(slot_).owner) : AcDbObjectId();
}

AcDbDatabase* AcDbObject::database() const {
    return store_ ? store_->db() : nullptr;
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const {
    handle = this->handle();
}

AcDbHandle AcDbObject::handle() const {
    return store_ ? AcDbHandle(store_->slot(slot_).handle) : AcDbHandle();
}

Acad::ErrorStatus AcDbObject::close() {
    if (!store_)
        return Acad::eNotInDatabase;
    return store_->close(this);
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (!store_)
        return Acad::eNotInDatabase;
    return store_->erase(this, erasing);
}

bool AcDbObject::isErased() const {
    return store_ && (store_->slot(slot_).flags & kestrel::acad::kErased);
}

bool AcDbObject::isReadEnabled() const {
    return !store_ || store_->isOpen(slot_);
}

bool AcDbObject::isWriteEnabled() const {
    return !store_ || store_->isWriting(slot_);
}

bool AcDbObject::isNewObject() const {
    return !store_ || (store_->slot(slot_).flags & kestrel::acad::kNew);
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    return store_ ? store_->upgrade(this) : Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    return store_ ? store_->downgrade(this) : Acad::eOk;
}

Acad::ErrorStatus AcDbObject::assertWriteEnabled() {
    if (store_ && !store_->isWriting(slot_))
        return Acad::eNotOpenForWrite;
    ensureLoaded();
    dirty_ = true;
    return Acad::eOk;
}

void AcDbObject::load() const {
    if (store_)
        store_->loadFields(this);
    loaded_ = true;
}

void AcDbObject::dxfInField(std::string_view, int, std::string_view) {}

void AcDbObject::dxfOutFields(kestrel::dxf::TagEditor&) const {}

std::wstring AcDbObject::decode(std::string_view raw) const {
    if (store_)
        return store_->codec().decode(raw);
    return crt::FromUtf8(raw);
}

std::string AcDbObject::encode(const std::wstring& text) const {
    if (store_)
        return store_->codec().encode(text);
    return crt::ToUtf8(text);
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    object = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    DbStore* store = storeOf(id);
    if (!store)
        return Acad::eInvalidObjectId;
    return store->open(id.index(), mode, openErased, object);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    return acdbOpenObject(entity, id, mode, openErased);
}

Acad::ErrorStatus AcDbObjectIterator::entity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                             bool openErased) {
    return acdbOpenObject(entity, objectId(), mode, openErased);
}

// ---------------------------------------------------------------- AcDbEntity

AcDbObjectId AcDbEntity::blockId() const {
    return ownerId();
}

ACHAR* AcDbEntity::layer() const {
    ensureLoaded();
    return acutNewString(layer_.c_str());
}

AcDbObjectId AcDbEntity::layerId() const {
    ensureLoaded();
    if (!store())
        return AcDbObjectId();
    return store()->id(store()->findRecord(store()->layerTable(), layer_, false));
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name) {
    if (!name || !*name)
        return Acad::eInvalidInput;
    std::wstring canonical = name;
    if (store() && store()->layerTable() >= 0) {
        // The entity refers to the layer record: it takes the record's own spelling.
        uint32_t record = store()->findRecord(store()->layerTable(), name, false);
        if (record == kNone)
            return Acad::eKeyNotFound;
        canonical = store()->recordName(record);
    }
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    layer_ = std::move(canonical);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId) {
    DbStore* s = storeOf(layerId);
    if (!s || s->slot(layerId.index()).kind != kestrel::acad::Kind::Layer)
        return Acad::eInvalidInput;
    return setLayer(s->recordName(layerId.index()).c_str());
}

void AcDbEntity::dxfInField(std::string_view subclass, int code, std::string_view value) {
    if (code == 8 && inSubclass(subclass, "AcDbEntity"))
        layer_ = decode(value);
}

void AcDbEntity::dxfOutFields(kestrel::dxf::TagEditor& tags) const {
    tags.set("AcDbEntity", 8, encode(layer_));
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const {
    if (!store())
        return Acad::eInvalidExtents;
    return store()->fileEntityExtents(slot(), extents);
}
