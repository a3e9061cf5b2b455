#include "AsciiCase.h"
#include "DbStore.h"

using kestrel::acad::DbStore;
using kestrel::acad::Kind;
using kestrel::acad::kNone;
using kestrel::dxf::formatDouble;
using kestrel::dxf::parseDouble;
using kestrel::dxf::parseInt;

namespace {
double toDouble(std::string_view v) {
    double d = 0;
    parseDouble(v, d);
    return d;
}
int toInt(std::string_view v) {
    long long i = 0;
    parseInt(v, i);
    return int(i);
}

// Both record iterators walk a list of object slots the same way: forwards or backwards,
// passing over erased objects on request. The list is looked up afresh by each call because
// records and entities may be added while an iterator is out.
template <class Slots> bool cursorDone(long position, const Slots& slots) {
    return position < 0 || position >= long(slots.size());
}

template <class Slots>
void cursorSkip(const DbStore& store, const Slots& slots, long& position, bool forward,
                bool skipDeleted) {
    while (skipDeleted && !cursorDone(position, slots) &&
           (store.slot(slots[size_t(position)]).flags & kestrel::acad::kErased))
        position += forward ? 1 : -1;
}

template <class Slots>
void cursorStart(const DbStore& store, const Slots& slots, long& position, bool atBeginning,
                 bool skipDeleted) {
    position = atBeginning ? 0 : long(slots.size()) - 1;
    cursorSkip(store, slots, position, atBeginning, skipDeleted);
}

template <class Slots>
void cursorStep(const DbStore& store, const Slots& slots, long& position, bool forward,
                bool skipDeleted) {
    if (cursorDone(position, slots))
        return;
    position += forward ? 1 : -1;
    cursorSkip(store, slots, position, forward, skipDeleted);
}
// The common tail of the getters that look an id up and open what it names: the lookup's
// failure, or the object opened as T. `id` is read once the lookup has run.
template <class T>
Acad::ErrorStatus openFound(Acad::ErrorStatus lookup, const AcDbObjectId& id, T*& object,
                            AcDb::OpenMode mode, bool openErased) {
    object = nullptr;
    if (lookup != Acad::eOk)
        return lookup;
    return acdbOpenObject(object, id, mode, openErased);
}

} // namespace

// ---------------------------------------------------------------- records

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const {
    ensureLoaded();
    name = acutNewString(name_.c_str());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
    ensureLoaded();
    name = name_.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
    if (!name)
        return Acad::eNullObjectPointer;
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    std::wstring text(name);
    if (store()) {
        if (Acad::ErrorStatus es = store()->renameRecord(this, text); es != Acad::eOk)
            return es;
    }
    name_ = std::move(text);
    return Acad::eOk;
}

void AcDbSymbolTableRecord::dxfInField(std::string_view, int code, std::string_view value) {
    if (code == 2)
        name_ = decode(value);
}

void AcDbSymbolTableRecord::dxfOutFields(kestrel::dxf::TagEditor& tags) const {
    tags.set(recordSubclass(), 2, encode(name_));
}

// ---------------------------------------------------------------- tables

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id,
                                         bool getErasedRecord) const {
    id = AcDbObjectId();
    if (!name)
        return Acad::eNullObjectPointer;
    uint32_t s = store()->findRecord(table_, name, getErasedRecord);
    if (s == kNone)
        return Acad::eKeyNotFound;
    id = store()->id(s);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode mode, bool openErasedRecord) const {
    AcDbObjectId id;
    return openFound(getAt(name, id, openErasedRecord), id, record, mode, openErasedRecord);
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
    return name && store()->findRecord(table_, name, false) != kNone;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    if (id.database() != database() || !store()->valid(id.index()) || id.isErased())
        return false;
    // The table's records are the ones it owns.
    return store()->slot(id.index()).owner == store()->table(table_).head;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
    AcDbObjectId id;
    return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* record) {
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    return store()->addRecord(table_, record, id);
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const {
    iterator = new AcDbSymbolTableIterator(store(), table_);
    iterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

AcDbSymbolTableIterator::AcDbSymbolTableIterator(DbStore* store, int table)
    : store_(store), table_(table) {}

AcDbSymbolTableIterator::~AcDbSymbolTableIterator() = default;

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted) {
    cursorStart(*store_, store_->table(table_).entries, position_, atBeginning, skipDeleted);
}

bool AcDbSymbolTableIterator::done() const {
    return cursorDone(position_, store_->table(table_).entries);
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted) {
    cursorStep(*store_, store_->table(table_).entries, position_, forward, skipDeleted);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
    if (done())
        return Acad::eIteratorDone;
    id = store_->id(store_->table(table_).entries[size_t(position_)]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& record,
                                                     AcDb::OpenMode mode,
                                                     bool openErasedRecord) const {
    AcDbObjectId id;
    return openFound(getRecordId(id), id, record, mode, openErasedRecord);
}

// ---------------------------------------------------------------- blocks

AcDbBlockTableRecord::AcDbBlockTableRecord() : AcDbSymbolTableRecord("BLOCK_RECORD") {}

AcGePoint3d AcDbBlockTableRecord::origin() const {
    ensureLoaded();
    return origin_;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& point) {
    return assignWhileWritable(origin_, point);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity) {
    if (!store())
        return Acad::eNoDatabase;
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    return store()->appendEntity(slot(), entity, id);
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator,
                                                    bool atBeginning, bool skipDeleted) const {
    iterator = nullptr;
    if (!store())
        return Acad::eNoDatabase;
    iterator = new AcDbBlockTableRecordIterator(store(), store()->blockOfRecord(slot()));
    iterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isLayout() const {
    ensureLoaded();
    std::wstring upper = crt::UpperAZ(name_);
    return upper.rfind(L"*MODEL_SPACE", 0) == 0 || upper.rfind(L"*PAPER_SPACE", 0) == 0 ||
           upper.rfind(L"$MODEL_SPACE", 0) == 0 || upper.rfind(L"$PAPER_SPACE", 0) == 0;
}

bool AcDbBlockTableRecord::isAnonymous() const {
    ensureLoaded();
    return !name_.empty() && name_[0] == L'*' && !isLayout();
}

bool AcDbBlockTableRecord::hasAttributeDefinitions() const {
    return store() && store()->blockHasAttributeDefinitions(store()->blockOfRecord(slot()));
}

void AcDbBlockTableRecord::dxfInField(std::string_view subclass, int code, std::string_view value) {
    if (store() && store()->subclassed() && store()->slot(slot()).kind == Kind::BlockRecord) {
        AcDbSymbolTableRecord::dxfInField(subclass, code, value);
        return;
    }
    dxfInBegin(subclass, code, value); // R12: the BLOCK entity is the record
}

void AcDbBlockTableRecord::dxfInBegin(std::string_view subclass, int code, std::string_view value) {
    if (!inSubclass(subclass, "AcDbBlockBegin"))
        return;
    switch (code) {
    case 2:
        if (name_.empty())
            name_ = kestrel::acad::spaceAlias(decode(value));
        break;
    case 70:
        flags_ = toInt(value);
        break;
    case 10:
        origin_.x = toDouble(value);
        break;
    case 20:
        origin_.y = toDouble(value);
        break;
    case 30:
        origin_.z = toDouble(value);
        break;
    default:
        break;
    }
}

void AcDbBlockTableRecord::dxfOutFields(kestrel::dxf::TagEditor& tags) const {
    if (store() && store()->subclassed() && store()->slot(slot()).kind == Kind::BlockRecord)
        AcDbSymbolTableRecord::dxfOutFields(tags);
    else
        dxfOutBegin(tags);
}

void AcDbBlockTableRecord::dxfOutBegin(kestrel::dxf::TagEditor& tags) const {
    // A record read from the file keeps its name there (references use it).
    if (!store() || (store()->slot(slot()).flags & kestrel::acad::kNew)) {
        std::string name = encode(name_);
        tags.set("AcDbBlockBegin", 2, name);
        tags.set("AcDbBlockBegin", 3, name);
    }
    double p[3] = {origin_.x, origin_.y, origin_.z};
    tags.setPoint("AcDbBlockBegin", 10, p);
}

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(DbStore* store, uint32_t block)
    : store_(store), block_(block) {}

AcDbBlockTableRecordIterator::~AcDbBlockTableRecordIterator() = default;

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted) {
    cursorStart(*store_, store_->block(block_).entities, position_, atBeginning, skipDeleted);
}

bool AcDbBlockTableRecordIterator::done() const {
    return cursorDone(position_, store_->block(block_).entities);
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted) {
    cursorStep(*store_, store_->block(block_).entities, position_, forward, skipDeleted);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
    if (done())
        return Acad::eIteratorDone;
    id = store_->id(store_->block(block_).entities[size_t(position_)]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErasedEntity) const {
    AcDbObjectId id;
    return openFound(getEntityId(id), id, entity, mode, openErasedEntity);
}

Acad::ErrorStatus AcDbBlockTableIterator::getRecord(AcDbBlockTableRecord*& record,
                                                    AcDb::OpenMode mode,
                                                    bool openErasedRecord) const {
    AcDbObjectId id;
    return openFound(getRecordId(id), id, record, mode, openErasedRecord);
}

Acad::ErrorStatus AcDbBlockTable::getAt(const ACHAR* name, AcDbBlockTableRecord*& record,
                                        AcDb::OpenMode mode, bool openErasedRecord) const {
    AcDbObjectId id;
    return openFound(AcDbSymbolTable::getAt(name, id, openErasedRecord), id, record, mode,
                     openErasedRecord);
}

Acad::ErrorStatus AcDbBlockTable::newIterator(AcDbBlockTableIterator*& iterator, bool atBeginning,
                                              bool skipDeleted) const {
    iterator = new AcDbBlockTableIterator(store(), table_);
    iterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

// ---------------------------------------------------------------- text styles

AcDbTextStyleTableRecord::AcDbTextStyleTableRecord() : AcDbSymbolTableRecord("STYLE") {}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(ACHAR*& name) const {
    ensureLoaded();
    name = acutNewString(fileName_.c_str());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& name) const {
    ensureLoaded();
    name = fileName_.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* name) {
    if (!name)
        return Acad::eNullObjectPointer;
    return assignWhileWritable(fileName_, name);
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& name) const {
    ensureLoaded();
    name = bigFontFileName_.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* name) {
    if (!name)
        return Acad::eNullObjectPointer;
    return assignWhileWritable(bigFontFileName_, name);
}

double AcDbTextStyleTableRecord::textSize() const {
    ensureLoaded();
    return textSize_;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) {
    if (size < 0)
        return Acad::eInvalidInput;
    return assignWhileWritable(textSize_, size);
}

double AcDbTextStyleTableRecord::xScale() const {
    ensureLoaded();
    return xScale_;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double scale) {
    if (scale <= 0)
        return Acad::eInvalidInput;
    return assignWhileWritable(xScale_, scale);
}

void AcDbTextStyleTableRecord::dxfInField(std::string_view subclass, int code,
                                          std::string_view value) {
    switch (code) {
    case 3:
        fileName_ = decode(value);
        break;
    case 4:
        bigFontFileName_ = decode(value);
        break;
    case 40:
        textSize_ = toDouble(value);
        break;
    case 41:
        xScale_ = toDouble(value);
        break;
    default:
        AcDbSymbolTableRecord::dxfInField(subclass, code, value);
    }
}

void AcDbTextStyleTableRecord::dxfOutFields(kestrel::dxf::TagEditor& tags) const {
    AcDbSymbolTableRecord::dxfOutFields(tags);
    const char* sub = recordSubclass();
    tags.set(sub, 40, formatDouble(textSize_));
    tags.set(sub, 41, formatDouble(xScale_));
    tags.set(sub, 3, encode(fileName_));
    tags.set(sub, 4, encode(bigFontFileName_));
}

Acad::ErrorStatus AcDbTextStyleTable::getAt(const ACHAR* name, AcDbTextStyleTableRecord*& record,
                                            AcDb::OpenMode mode, bool openErasedRecord) const {
    AcDbObjectId id;
    return openFound(AcDbSymbolTable::getAt(name, id, openErasedRecord), id, record, mode,
                     openErasedRecord);
}

// ---------------------------------------------------------------- layers

AcDbLayerTableRecord::AcDbLayerTableRecord() : AcDbSymbolTableRecord("LAYER") {}

bool AcDbLayerTableRecord::isFrozen() const {
    ensureLoaded();
    return flags_ & 1;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
    return assignFlagWhileWritable(flags_, 1, frozen);
}

bool AcDbLayerTableRecord::isOff() const {
    ensureLoaded();
    return color_ < 0;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsOff(bool off) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    int magnitude = color_ < 0 ? -color_ : color_;
    color_ = off ? -magnitude : magnitude;
    return Acad::eOk;
}

bool AcDbLayerTableRecord::isLocked() const {
    ensureLoaded();
    return flags_ & 4;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsLocked(bool locked) {
    return assignFlagWhileWritable(flags_, 4, locked);
}

int AcDbLayerTableRecord::colorIndex() const {
    ensureLoaded();
    return color_ < 0 ? -color_ : color_;
}

void AcDbLayerTableRecord::dxfInField(std::string_view subclass, int code, std::string_view value) {
    if (code == 70)
        flags_ = toInt(value);
    else if (code == 62)
        color_ = toInt(value);
    else
        AcDbSymbolTableRecord::dxfInField(subclass, code, value);
}

void AcDbLayerTableRecord::dxfOutFields(kestrel::dxf::TagEditor& tags) const {
    AcDbSymbolTableRecord::dxfOutFields(tags);
    tags.set(recordSubclass(), 70, std::to_string(flags_));
    tags.set(recordSubclass(), 62, std::to_string(color_));
}

Acad::ErrorStatus AcDbLayerTable::getAt(const ACHAR* name, AcDbLayerTableRecord*& record,
                                        AcDb::OpenMode mode, bool openErasedRecord) const {
    AcDbObjectId id;
    return openFound(AcDbSymbolTable::getAt(name, id, openErasedRecord), id, record, mode,
                     openErasedRecord);
}
