#include "NewRecordTags.h"

#include "dxf/DxfTags.h"

#include <span>

namespace kestrel::acad {

namespace {

// When a tag of a shape is written.
enum class When : uint8_t {
    Always,
    Handles,          // the drawing writes handles
    Subclassed,       // from R13 on: owners and subclass markers
    FromR2007,        //
    PaperSpace,       // NewRecord::inPaperSpace
    AttributesFollow, // NewRecord::attributesFollow
};

// What stands in a tag's value.
enum class Fill : uint8_t { Text, Handle, OwnerHandle };

struct ShapeTag {
    int code;
    const char* value;
    When when = When::Always;
    Fill fill = Fill::Text;
};

constexpr When kR13 = When::Subclassed;

constexpr ShapeTag kEntityHead[] = {
    {5, "", When::Handles, Fill::Handle},
    {330, "", kR13, Fill::OwnerHandle},
    {100, "AcDbEntity", kR13},
    {67, "1", When::PaperSpace},
    {8, "0"},
};
constexpr ShapeTag kRecordHead[] = {
    {5, "", When::Handles, Fill::Handle},
    {330, "", kR13, Fill::OwnerHandle},
    {100, "AcDbSymbolTableRecord", kR13},
};

constexpr ShapeTag kLine[] = {{100, "AcDbLine", kR13},
                              {10, "0.0"},
                              {20, "0.0"},
                              {30, "0.0"},
                              {11, "0.0"},
                              {21, "0.0"},
                              {31, "0.0"}};
constexpr ShapeTag kText[] = {{100, "AcDbText", kR13},
                              {10, "0.0"},
                              {20, "0.0"},
                              {30, "0.0"},
                              {40, "2.5"},
                              {1, ""},
                              {50, "0.0"},
                              {41, "1.0"},
                              {7, "STANDARD"},
                              {72, "0"}};
constexpr ShapeTag kTextEnd[] = {{100, "AcDbText", kR13}, {73, "0"}};
constexpr ShapeTag kAttDefEnd[] = {
    {100, "AcDbAttributeDefinition", kR13}, {3, ""}, {2, ""}, {70, "0"}, {74, "0"}};
constexpr ShapeTag kAttribEnd[] = {{100, "AcDbAttribute", kR13}, {2, ""}, {70, "0"}, {74, "0"}};
constexpr ShapeTag kInsert[] = {{100, "AcDbBlockReference", kR13},
                                {66, "1", When::AttributesFollow},
                                {2, ""},
                                {10, "0.0"},
                                {20, "0.0"},
                                {30, "0.0"},
                                {41, "1.0"},
                                {42, "1.0"},
                                {43, "1.0"},
                                {50, "0.0"}};
constexpr ShapeTag kBlockRecord[] = {{100, "AcDbBlockTableRecord", kR13},
                                     {2, ""},
                                     {340, "0"},
                                     {70, "0", When::FromR2007},
                                     {280, "1", When::FromR2007},
                                     {281, "0", When::FromR2007}};
constexpr ShapeTag kBlockBegin[] = {{100, "AcDbBlockBegin", kR13},
                                    {2, ""},
                                    {70, "0"},
                                    {10, "0.0"},
                                    {20, "0.0"},
                                    {30, "0.0"},
                                    {3, ""},
                                    {1, ""}};
constexpr ShapeTag kBlockEnd[] = {{100, "AcDbBlockEnd", kR13}};
constexpr ShapeTag kTextStyle[] = {{100, "AcDbTextStyleTableRecord", kR13},
                                   {2, ""},
                                   {70, "0"},
                                   {40, "0.0"},
                                   {41, "1.0"},
                                   {50, "0.0"},
                                   {71, "0"},
                                   {42, "2.5"},
                                   {3, "txt"},
                                   {4, ""}};
constexpr ShapeTag kLayer[] = {{100, "AcDbLayerTableRecord", kR13},
                               {2, ""},
                               {70, "0"},
                               {62, "7"},
                               {6, "Continuous"},
                               {370, "-3", kR13}};

struct Shape {
    Kind kind;
    const char* type;
    std::span<const ShapeTag> head;
    std::span<const ShapeTag> fields;
    std::span<const ShapeTag> more = {};
};

constexpr Shape kShapes[] = {
    {Kind::Line, "LINE", kEntityHead, kLine},
    {Kind::Text, "TEXT", kEntityHead, kText, kTextEnd},
    {Kind::AttDef, "ATTDEF", kEntityHead, kText, kAttDefEnd},
    {Kind::Attrib, "ATTRIB", kEntityHead, kText, kAttribEnd},
    {Kind::Insert, "INSERT", kEntityHead, kInsert},
    {Kind::Seqend, "SEQEND", kEntityHead, {}},
    {Kind::BlockRecord, "BLOCK_RECORD", kRecordHead, kBlockRecord},
    {Kind::BlockBegin, "BLOCK", kEntityHead, kBlockBegin},
    {Kind::BlockEnd, "ENDBLK", kEntityHead, kBlockEnd},
    {Kind::TextStyle, "STYLE", kRecordHead, kTextStyle},
    {Kind::Layer, "LAYER", kRecordHead, kLayer},
};

bool applies(When when, const NewRecord& r) {
    switch (when) {
    case When::Always:
        return true;
    case When::Handles:
        return r.handles;
    case When::Subclassed:
        return r.version >= 1012;
    case When::FromR2007:
        return r.version >= 1021;
    case When::PaperSpace:
        return r.inPaperSpace;
    case When::AttributesFollow:
        return r.attributesFollow;
    }
    return false;
}

} // namespace

std::vector<dxf::EditTag> newRecordTags(const NewRecord& record) {
    std::vector<dxf::EditTag> tags;
    for (const Shape& shape : kShapes) {
        if (shape.kind != record.kind)
            continue;
        tags.push_back({0, shape.type});
        for (auto part : {shape.head, shape.fields, shape.more}) {
            for (const ShapeTag& t : part) {
                if (!applies(t.when, record))
                    continue;
                switch (t.fill) {
                case Fill::Text:
                    tags.push_back({t.code, t.value});
                    break;
                case Fill::Handle:
                    tags.push_back({t.code, dxf::formatHandle(record.handle)});
                    break;
                case Fill::OwnerHandle:
                    tags.push_back({t.code, dxf::formatHandle(record.ownerHandle)});
                    break;
                }
            }
        }
        break;
    }
    return tags;
}

} // namespace kestrel::acad
