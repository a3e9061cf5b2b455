#include "DbStore.h"

#include <cmath>
#include <numbers>

using kestrel::acad::DbStore;
using kestrel::acad::kNone;
using kestrel::acad::storeOf;
using kestrel::dxf::formatDouble;
using kestrel::dxf::TagEditor;

namespace {
double toDouble(std::string_view v) {
    double d = 0;
    kestrel::dxf::parseDouble(v, d);
    return d;
}
int toInt(std::string_view v) {
    long long i = 0;
    kestrel::dxf::parseInt(v, i);
    return int(i);
}
double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}
double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}
void setCoordinate(double p[3], int code, int base, std::string_view value) {
    int axis = (code - base) / 10;
    if (axis >= 0 && axis < 3)
        p[axis] = toDouble(value);
}
AcGePoint3d point(const double p[3]) {
    return AcGePoint3d(p[0], p[1], p[2]);
}
void store3(double p[3], const AcGePoint3d& q) {
    p[0] = q.x;
    p[1] = q.y;
    p[2] = q.z;
}
} // namespace

// ---------------------------------------------------------------- AcDbLine

AcDbLine::AcDbLine() : AcDbEntity("LINE") {}

AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : AcDbEntity("LINE") {
    store3(start_, start);
    store3(end_, end);
}

AcGePoint3d AcDbLine::startPoint() const {
    ensureLoaded();
    return point(start_);
}

AcGePoint3d AcDbLine::endPoint() const {
    ensureLoaded();
    return point(end_);
}

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    store3(start_, p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    store3(end_, p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const {
    ensureLoaded();
    extents = AcDbExtents(point(start_), point(end_));
    return Acad::eOk;
}

void AcDbLine::dxfInField(std::string_view subclass, int code, std::string_view value) {
    if (inSubclass(subclass, "AcDbLine")) {
        if (code == 10 || code == 20 || code == 30) {
            setCoordinate(start_, code, 10, value);
            return;
        }
        if (code == 11 || code == 21 || code == 31) {
            setCoordinate(end_, code, 11, value);
            return;
        }
    }
    AcDbEntity::dxfInField(subclass, code, value);
}

void AcDbLine::dxfOutFields(TagEditor& tags) const {
    AcDbEntity::dxfOutFields(tags);
    tags.setPoint("AcDbLine", 10, start_);
    tags.setPoint("AcDbLine", 11, end_);
}

// ---------------------------------------------------------------- AcDbText

AcDbText::AcDbText() : AcDbEntity("TEXT") {}

AcDbText::AcDbText(const char* dxfName) : AcDbEntity(dxfName) {}

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style,
                   double height, double rotation)
    : AcDbEntity("TEXT") {
    store3(position_, position);
    text_ = text ? text : L"";
    if (height > 0)
        height_ = height;
    rotation_ = rotation;
    setTextStyle(style);
}

AcGePoint3d AcDbText::position() const {
    ensureLoaded();
    return point(position_);
}

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    store3(position_, p);
    return Acad::eOk;
}

AcGePoint3d AcDbText::alignmentPoint() const {
    ensureLoaded();
    return point(alignment_);
}

Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& p) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    store3(alignment_, p);
    hasAlignment_ = true;
    return Acad::eOk;
}

double AcDbText::height() const {
    ensureLoaded();
    return height_;
}

Acad::ErrorStatus AcDbText::setHeight(double h) {
    if (!(h > 0))
        return Acad::eInvalidInput;
    return assignWhileWritable(height_, h);
}

double AcDbText::widthFactor() const {
    ensureLoaded();
    return widthFactor_;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double f) {
    if (!(f > 0))
        return Acad::eInvalidInput;
    return assignWhileWritable(widthFactor_, f);
}

double AcDbText::rotation() const {
    ensureLoaded();
    return rotation_;
}

Acad::ErrorStatus AcDbText::setRotation(double angle) {
    return assignWhileWritable(rotation_, angle);
}

ACHAR* AcDbText::textString() const {
    ensureLoaded();
    return acutNewString(text_.c_str());
}

const ACHAR* AcDbText::textStringConst() const {
    ensureLoaded();
    return text_.c_str();
}

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
    if (!text)
        return Acad::eNullObjectPointer;
    return assignWhileWritable(text_, text);
}

AcDbObjectId AcDbText::textStyle() const {
    ensureLoaded();
    if (!store())
        return AcDbObjectId();
    std::wstring name = styleName_.empty() ? std::wstring(L"STANDARD") : styleName_;
    return store()->id(store()->findRecord(store()->styleTable(), name, false));
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    if (style.isNull()) {
        styleName_.clear();
        return Acad::eOk;
    }
    DbStore* s = storeOf(style);
    if (!s || s->slot(style.index()).kind != kestrel::acad::Kind::TextStyle)
        return Acad::eInvalidInput;
    if (store() && s != store())
        return Acad::eWrongDatabase;
    styleName_ = s->recordName(style.index());
    return Acad::eOk;
}

AcDb::TextHorzMode AcDbText::horizontalMode() const {
    ensureLoaded();
    return AcDb::TextHorzMode(horizontalMode_);
}

Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode mode) {
    if (mode < AcDb::kTextLeft || mode > AcDb::kTextFit)
        return Acad::eInvalidInput;
    return assignWhileWritable(horizontalMode_, mode);
}

AcDb::TextVertMode AcDbText::verticalMode() const {
    ensureLoaded();
    return AcDb::TextVertMode(verticalMode_);
}

Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode mode) {
    if (mode < AcDb::kTextBase || mode > AcDb::kTextTop)
        return Acad::eInvalidInput;
    return assignWhileWritable(verticalMode_, mode);
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const {
    ensureLoaded();
    // Without font metrics a character is taken as wide as the text is high.
    double width = double(text_.size()) * height_ * widthFactor_;
    bool aligned = horizontalMode_ != 0 || verticalMode_ != 0;
    AcGePoint3d anchor = aligned && hasAlignment_ ? point(alignment_) : point(position_);
    double left = 0;
    if (aligned) {
        if (horizontalMode_ == AcDb::kTextCenter || horizontalMode_ == AcDb::kTextMid)
            left = -width / 2;
        else if (horizontalMode_ == AcDb::kTextRight)
            left = -width;
    }
    double bottom = verticalMode_ == AcDb::kTextTop       ? -height_
                    : verticalMode_ == AcDb::kTextVertMid ? -height_ / 2
                                                          : 0;
    AcDbExtents box(AcGePoint3d(left, bottom, 0), AcGePoint3d(left + width, bottom + height_, 0));
    box.transformBy(AcGeMatrix3d::translation(AcGeVector3d(anchor.x, anchor.y, anchor.z)) *
                    AcGeMatrix3d::rotation(rotation_, AcGeVector3d::kZAxis));
    extents = box;
    return Acad::eOk;
}

void AcDbText::verticalModeTag(const char*& subclass, int& code, bool& lastMarker) const {
    subclass = "AcDbText";
    code = 73;
    lastMarker = true;
}

std::wstring AcDbText::styleNameForOutput() const {
    if (!styleName_.empty())
        return styleName_;
    if (store()) {
        uint32_t s = store()->findRecord(store()->styleTable(), L"STANDARD", false);
        if (s != kNone)
            return store()->recordName(s);
    }
    return L"STANDARD";
}

void AcDbText::dxfInField(std::string_view subclass, int code, std::string_view value) {
    const char* vSub;
    int vCode;
    bool vLast;
    verticalModeTag(vSub, vCode, vLast);
    if (code == vCode && inSubclass(subclass, vSub)) {
        verticalMode_ = toInt(value);
        return;
    }
    if (!inSubclass(subclass, "AcDbText")) {
        AcDbEntity::dxfInField(subclass, code, value);
        return;
    }
    switch (code) {
    case 10:
    case 20:
    case 30:
        setCoordinate(position_, code, 10, value);
        break;
    case 11:
    case 21:
    case 31:
        setCoordinate(alignment_, code, 11, value);
        hasAlignment_ = true;
        break;
    case 40:
        height_ = toDouble(value);
        break;
    case 41:
        widthFactor_ = toDouble(value);
        break;
    case 50:
        rotation_ = radians(toDouble(value));
        break;
    case 51:
        oblique_ = radians(toDouble(value));
        break;
    case 1:
        text_ = decode(value);
        break;
    case 7:
        styleName_ = decode(value);
        break;
    case 72:
        horizontalMode_ = toInt(value);
        break;
    default:
        AcDbEntity::dxfInField(subclass, code, value);
    }
}

void AcDbText::dxfOutFields(TagEditor& tags) const {
    AcDbEntity::dxfOutFields(tags);
    tags.setPoint("AcDbText", 10, position_);
    tags.set("AcDbText", 40, formatDouble(height_));
    tags.set("AcDbText", 1, encode(text_));
    tags.setOptional("AcDbText", 50, formatDouble(degrees(rotation_)), rotation_ == 0);
    tags.setOptional("AcDbText", 41, formatDouble(widthFactor_), widthFactor_ == 1.0);
    tags.setOptional("AcDbText", 7, encode(styleNameForOutput()), styleName_.empty());
    tags.setOptional("AcDbText", 72, std::to_string(horizontalMode_), horizontalMode_ == 0);
    bool aligned = horizontalMode_ != 0 || verticalMode_ != 0;
    if (aligned || hasAlignment_) {
        const double* p = hasAlignment_ ? alignment_ : position_;
        tags.setPoint("AcDbText", 11, p);
    }
    const char* vSub;
    int vCode;
    bool vLast;
    verticalModeTag(vSub, vCode, vLast);
    tags.setOptional(vSub, vCode, std::to_string(verticalMode_), verticalMode_ == 0, vLast);
}

bool AcDbText::readAttributeField(std::string_view subclass, std::string_view own, int code,
                                  std::string_view value, std::wstring& tag, int& flags) {
    if (!inSubclass(subclass, own))
        return false;
    switch (code) {
    case 2:
        tag = decode(value);
        return true;
    case 70:
        flags = toInt(value);
        return true;
    case 73: // the field length
        return true;
    case 74: // the vertical alignment, which the text reads
        return false;
    default:
        // Other tags of the subclass are none of the text's; without subclasses they are.
        return !subclass.empty();
    }
}

void AcDbText::writeAttributeFields(TagEditor& tags, const char* own, const std::wstring& tag,
                                    int flags) const {
    tags.set(own, 2, encode(tag));
    tags.set(own, 70, std::to_string(flags));
}

ACHAR* AcDbText::loadedTagCopy(const std::wstring& tag) const {
    ensureLoaded();
    return acutNewString(tag.c_str());
}

const ACHAR* AcDbText::loadedTag(const std::wstring& tag) const {
    ensureLoaded();
    return tag.c_str();
}

Acad::ErrorStatus AcDbText::assignTag(std::wstring& tag, const ACHAR* value) {
    if (!value || !*value)
        return Acad::eInvalidInput;
    return assignWhileWritable(tag, value);
}

bool AcDbText::loadedFlag(int flags, AttributeFlag flag) const {
    ensureLoaded();
    return flags & flag;
}

// ---------------------------------------------------------------- AcDbAttributeDefinition

AcDbAttributeDefinition::AcDbAttributeDefinition() : AcDbText("ATTDEF") {}

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text,
                                                 const ACHAR* tag, const ACHAR* prompt,
                                                 AcDbObjectId style)
    : AcDbText("ATTDEF") {
    setPosition(position);
    setTextString(text ? text : L"");
    tag_ = tag ? tag : L"";
    prompt_ = prompt ? prompt : L"";
    setTextStyle(style);
}

ACHAR* AcDbAttributeDefinition::tag() const {
    return loadedTagCopy(tag_);
}

const ACHAR* AcDbAttributeDefinition::tagConst() const {
    return loadedTag(tag_);
}

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const ACHAR* tag) {
    return assignTag(tag_, tag);
}

ACHAR* AcDbAttributeDefinition::prompt() const {
    ensureLoaded();
    return acutNewString(prompt_.c_str());
}

const ACHAR* AcDbAttributeDefinition::promptConst() const {
    ensureLoaded();
    return prompt_.c_str();
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* prompt) {
    if (!prompt)
        return Acad::eNullObjectPointer;
    return assignWhileWritable(prompt_, prompt);
}

bool AcDbAttributeDefinition::isInvisible() const {
    return loadedFlag(flags_, kInvisible);
}
Acad::ErrorStatus AcDbAttributeDefinition::setInvisible(bool v) {
    return assignFlagWhileWritable(flags_, kInvisible, v);
}
bool AcDbAttributeDefinition::isConstant() const {
    return loadedFlag(flags_, kConstant);
}
Acad::ErrorStatus AcDbAttributeDefinition::setConstant(bool v) {
    return assignFlagWhileWritable(flags_, kConstant, v);
}
bool AcDbAttributeDefinition::isVerifiable() const {
    return loadedFlag(flags_, kVerifiable);
}
Acad::ErrorStatus AcDbAttributeDefinition::setVerifiable(bool v) {
    return assignFlagWhileWritable(flags_, kVerifiable, v);
}
bool AcDbAttributeDefinition::isPreset() const {
    return loadedFlag(flags_, kPreset);
}
Acad::ErrorStatus AcDbAttributeDefinition::setPreset(bool v) {
    return assignFlagWhileWritable(flags_, kPreset, v);
}

void AcDbAttributeDefinition::verticalModeTag(const char*& subclass, int& code,
                                              bool& lastMarker) const {
    subclass = "AcDbAttributeDefinition";
    code = 74;
    lastMarker = false;
}

void AcDbAttributeDefinition::dxfInField(std::string_view subclass, int code,
                                         std::string_view value) {
    if (code == 3 && inSubclass(subclass, "AcDbAttributeDefinition"))
        prompt_ = decode(value);
    else if (!readAttributeField(subclass, "AcDbAttributeDefinition", code, value, tag_, flags_))
        AcDbText::dxfInField(subclass, code, value);
}

void AcDbAttributeDefinition::dxfOutFields(TagEditor& tags) const {
    AcDbText::dxfOutFields(tags);
    tags.set("AcDbAttributeDefinition", 3, encode(prompt_));
    writeAttributeFields(tags, "AcDbAttributeDefinition", tag_, flags_);
}

// ---------------------------------------------------------------- AcDbAttribute

AcDbAttribute::AcDbAttribute() : AcDbText("ATTRIB") {}

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                             AcDbObjectId style)
    : AcDbText("ATTRIB") {
    setPosition(position);
    setTextString(text ? text : L"");
    tag_ = tag ? tag : L"";
    setTextStyle(style);
}

ACHAR* AcDbAttribute::tag() const {
    return loadedTagCopy(tag_);
}

const ACHAR* AcDbAttribute::tagConst() const {
    return loadedTag(tag_);
}

Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* tag) {
    return assignTag(tag_, tag);
}

bool AcDbAttribute::isInvisible() const {
    return loadedFlag(flags_, kInvisible);
}

Acad::ErrorStatus AcDbAttribute::setInvisible(bool value) {
    return assignFlagWhileWritable(flags_, kInvisible, value);
}

bool AcDbAttribute::isConstant() const {
    return loadedFlag(flags_, kConstant);
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* def,
                                                       const AcGeMatrix3d& xform) {
    if (!def)
        return Acad::eNullObjectPointer;
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    tag_ = def->tagConst();
    setTextString(def->textStringConst());
    flags_ = (def->isInvisible() ? kInvisible : 0) | (def->isConstant() ? kConstant : 0) |
             (def->isVerifiable() ? kVerifiable : 0) | (def->isPreset() ? kPreset : 0);
    AcGePoint3d p = def->position();
    AcGePoint3d a = def->alignmentPoint();
    setPosition(p.transformBy(xform));
    if (def->horizontalMode() != AcDb::kTextLeft || def->verticalMode() != AcDb::kTextBase)
        setAlignmentPoint(a.transformBy(xform));
    setHorizontalMode(def->horizontalMode());
    setVerticalMode(def->verticalMode());
    // The scale along the block's y axis carries the height, its x scale the width.
    AcGeVector3d ex(xform.entry[0][0], xform.entry[1][0], xform.entry[2][0]);
    AcGeVector3d ey(xform.entry[0][1], xform.entry[1][1], xform.entry[2][1]);
    double sy = ey.length() > 0 ? ey.length() : 1;
    double sx = ex.length() > 0 ? ex.length() : 1;
    setHeight(def->height() * sy);
    setWidthFactor(def->widthFactor() * sx / sy);
    setRotation(def->rotation() + std::atan2(ex.y, ex.x));
    AcDbObjectId style = def->textStyle();
    if (!style.isNull() && (!store() || storeOf(style) == store()))
        setTextStyle(style);
    ACHAR* layer = def->layer();
    if (!store() || store()->findRecord(store()->layerTable(), layer, false) != kNone)
        setLayer(layer);
    acutDelString(layer);
    return Acad::eOk;
}

void AcDbAttribute::verticalModeTag(const char*& subclass, int& code, bool& lastMarker) const {
    subclass = "AcDbAttribute";
    code = 74;
    lastMarker = false;
}

void AcDbAttribute::dxfInField(std::string_view subclass, int code, std::string_view value) {
    if (!readAttributeField(subclass, "AcDbAttribute", code, value, tag_, flags_))
        AcDbText::dxfInField(subclass, code, value);
}

void AcDbAttribute::dxfOutFields(TagEditor& tags) const {
    AcDbText::dxfOutFields(tags);
    writeAttributeFields(tags, "AcDbAttribute", tag_, flags_);
}

// ---------------------------------------------------------------- AcDbBlockReference

AcDbBlockReference::AcDbBlockReference() : AcDbEntity("INSERT") {}

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId block)
    : AcDbEntity("INSERT"), block_(block) {
    store3(position_, position);
}

AcDbBlockReference::~AcDbBlockReference() {
    for (AcDbAttribute* a : pendingAttributes_)
        delete a;
}

AcDbObjectId AcDbBlockReference::blockTableRecord() const {
    return block_;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId id) {
    DbStore* s = storeOf(id);
    if (!s || !s->isBlockRecordSlot(id.index()))
        return Acad::eInvalidInput;
    if (store() && s != store())
        return Acad::eWrongDatabase;
    return assignWhileWritable(block_, id);
}

AcGePoint3d AcDbBlockReference::position() const {
    ensureLoaded();
    return point(position_);
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& p) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    store3(position_, p);
    return Acad::eOk;
}

AcGeScale3d AcDbBlockReference::scaleFactors() const {
    ensureLoaded();
    return scale_;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale) {
    if (scale.sx == 0 || scale.sy == 0 || scale.sz == 0)
        return Acad::eInvalidInput;
    return assignWhileWritable(scale_, scale);
}

double AcDbBlockReference::rotation() const {
    ensureLoaded();
    return rotation_;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double angle) {
    return assignWhileWritable(rotation_, angle);
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    ensureLoaded();
    AcGePoint3d origin;
    if (DbStore* s = storeOf(block_))
        origin = s->blockOrigin(s->blockOfRecord(block_.index()));
    return AcGeMatrix3d::translation(AcGeVector3d(position_[0], position_[1], position_[2])) *
           AcGeMatrix3d::rotation(rotation_, AcGeVector3d::kZAxis) * AcGeMatrix3d::scaling(scale_) *
           AcGeMatrix3d::translation(AcGeVector3d(-origin.x, -origin.y, -origin.z));
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute) {
    AcDbObjectId id;
    return appendAttribute(id, attribute);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& id, AcDbAttribute* attribute) {
    id = AcDbObjectId();
    if (!attribute)
        return Acad::eNullObjectPointer;
    if (attribute->database())
        return Acad::eAlreadyInDb;
    if (!store()) {
        pendingAttributes_.push_back(attribute);
        return Acad::eOk;
    }
    return store()->appendAttribute(this, attribute, id);
}

namespace {
class AttributeIterator : public AcDbObjectIterator {
public:
    AttributeIterator(AcDbDatabase* db, std::vector<uint32_t> slots)
        : db_(db), slots_(std::move(slots)) {}
    bool done() const override { return position_ < 0 || position_ >= long(slots_.size()); }
    void step(bool backwards, bool skipErased) override {
        do {
            position_ += backwards ? -1 : 1;
        } while (!done() && skipErased && objectId().isErased());
    }
    void start(bool atEnd) override { position_ = atEnd ? long(slots_.size()) - 1 : 0; }
    AcDbObjectId objectId() const override {
        return done() ? AcDbObjectId() : AcDbObjectId(db_, slots_[size_t(position_)]);
    }

private:
    AcDbDatabase* db_;
    std::vector<uint32_t> slots_;
    long position_ = 0;
};
} // namespace

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const {
    if (!store())
        return new AttributeIterator(nullptr, {});
    return new AttributeIterator(database(), store()->attributesOf(slot()));
}

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const {
    ensureLoaded();
    DbStore* s = storeOf(block_);
    AcDbExtents all;
    AcDbExtents inner;
    if (s && s->blockExtents(s->blockOfRecord(block_.index()), inner) == Acad::eOk) {
        inner.transformBy(blockTransform());
        all.addExt(inner);
    }
    if (store()) {
        for (uint32_t a : store()->attributesOf(slot())) {
            AcDbObject* obj = nullptr;
            if (store()->open(a, AcDb::kForRead, false, obj) != Acad::eOk)
                continue;
            AcDbExtents one;
            if (!static_cast<AcDbAttribute*>(obj)->isInvisible() &&
                static_cast<AcDbAttribute*>(obj)->getGeomExtents(one) == Acad::eOk)
                all.addExt(one);
            obj->close();
        }
    }
    if (all.isEmpty())
        all.addPoint(point(position_));
    extents = all;
    return Acad::eOk;
}

void AcDbBlockReference::dxfInField(std::string_view subclass, int code, std::string_view value) {
    if (!inSubclass(subclass, "AcDbBlockReference")) {
        AcDbEntity::dxfInField(subclass, code, value);
        return;
    }
    switch (code) {
    case 10:
    case 20:
    case 30:
        setCoordinate(position_, code, 10, value);
        break;
    case 41:
        scale_.sx = toDouble(value);
        break;
    case 42:
        scale_.sy = toDouble(value);
        break;
    case 43:
        scale_.sz = toDouble(value);
        break;
    case 50:
        rotation_ = radians(toDouble(value));
        break;
    default:
        AcDbEntity::dxfInField(subclass, code, value);
    }
}

void AcDbBlockReference::dxfOutFields(TagEditor& tags) const {
    AcDbEntity::dxfOutFields(tags);
    if (DbStore* s = storeOf(block_))
        tags.set("AcDbBlockReference", 2, encode(s->recordName(block_.index())));
    tags.setPoint("AcDbBlockReference", 10, position_);
    tags.setOptional("AcDbBlockReference", 41, formatDouble(scale_.sx), scale_.sx == 1.0);
    tags.setOptional("AcDbBlockReference", 42, formatDouble(scale_.sy), scale_.sy == 1.0);
    tags.setOptional("AcDbBlockReference", 43, formatDouble(scale_.sz), scale_.sz == 1.0);
    tags.setOptional("AcDbBlockReference", 50, formatDouble(degrees(rotation_)), rotation_ == 0);
}
