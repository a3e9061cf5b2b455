#pragma once
// The shapes of one entity, read from its DXF tags: lines, polylines with bulges, arcs,
// circles, ellipses, points, solids and traces, texts, attributes and plain MTEXT. Block
// references are the scene's (they need the blocks); other types have no shapes.

#include <string>
#include <string_view>
#include <vector>

#include "dxf/DxfText.h"
#include "dxf/TagEditor.h"
#include "view/ViewShapes.h"

namespace view {

// The values of a record's tags that the view reads, by group code (the first of each code;
// polyline vertices and bulges in order).
class EntityTags {
public:
    explicit EntityTags(const std::vector<kestrel::dxf::EditTag>& tags);
    double Number(int code, double fallback = 0) const;
    bool Has(int code) const;
    const std::string& Text(int code) const;
    Point2 PointAt(int code) const { return {Number(code), Number(code + 10)}; }
    // LWPOLYLINE vertices with the bulge of the segment that starts at each.
    const std::vector<Point2>& Vertices() const { return vertices_; }
    const std::vector<double>& Bulges() const { return bulges_; }
    // MTEXT's text: its chunks (group 3) and the last part (group 1), in order.
    const std::string& LongText() const { return longText_; }
    // Whether the entity's coordinate system is the mirror image of the world's (extrusion
    // pointing down), as mirrored copies of 2D drawings have.
    bool Mirrored() const { return Number(230, 1) < 0; }

private:
    std::vector<std::pair<int, std::string>> first_;
    std::vector<Point2> vertices_;
    std::vector<double> bulges_;
    std::string longText_;
};

// Adds the shapes of an entity of `type` in colour `colour` to `out`. Attribute definitions
// show only when constant (`inBlock`) or as their tag in model space. Answers false for a
// type that has no shapes here.
bool AddEntityShapes(std::string_view type, const EntityTags& tags,
                     const kestrel::dxf::TextCodec& codec, int colour, bool inBlock,
                     ShapeList& out);

// The visible characters of an MTEXT's text: paragraphs as '\n', formatting codes dropped.
std::wstring PlainMText(const std::wstring& text);
// A TEXT's special sequences (%%d, %%p, %%c, %%%) as the characters they stand for.
std::wstring PlainText(const std::wstring& text);

} // namespace view
