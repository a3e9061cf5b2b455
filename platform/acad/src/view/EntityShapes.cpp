#include "view/EntityShapes.h"

#include <charconv>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <numbers>

namespace view {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

double ParseDouble(const std::string& text, double fallback) {
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return fallback;
    double value = fallback;
    auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return result.ec == std::errc() && std::isfinite(value) ? value : fallback;
}

Shape Path(int colour, std::vector<Point2> points, bool closed = false) {
    Shape shape;
    shape.colour = colour;
    shape.points = std::move(points);
    shape.closed = closed;
    return shape;
}

void AddPolyline(const EntityTags& tags, int colour, ShapeList& out) {
    const auto& v = tags.Vertices();
    if (v.empty())
        return;
    bool closed = static_cast<int>(tags.Number(70)) & 1;
    std::vector<Point2> points{v[0]};
    std::size_t segments = closed ? v.size() : v.size() - 1;
    for (std::size_t i = 0; i < segments; ++i)
        AddBulge(points, v[i], v[(i + 1) % v.size()], tags.Bulges()[i]);
    out.Add(Path(colour, std::move(points)));
}

// Where a text's baseline starts, from its alignment point and its box.
Point2 TextOrigin(Point2 anchor, const Shape& text, int horizontal, int vertical) {
    double w = TextWidth(text), h = text.height;
    double dx = horizontal == 1 || horizontal == 4 ? w / 2 : horizontal == 2 ? w : 0;
    double dy = horizontal == 4 ? h / 2
                : vertical == 1 ? -0.2 * h
                : vertical == 2 ? h / 2
                : vertical == 3 ? h
                                : 0;
    double cs = std::cos(text.radians), sn = std::sin(text.radians);
    return {anchor.x - dx * cs + dy * sn, anchor.y - dx * sn - dy * cs};
}

// TEXT, ATTRIB and ATTDEF: `verticalCode` is where the vertical alignment stands.
void AddText(const EntityTags& tags, const std::wstring& text, int verticalCode, int colour,
             ShapeList& out) {
    Shape shape;
    shape.kind = Shape::Kind::Text;
    shape.colour = colour;
    shape.text = PlainText(text);
    shape.height = tags.Number(40, 1);
    shape.radians = tags.Number(50) * kDegree;
    shape.widthFactor = tags.Number(41, 1);
    if (shape.text.empty() || shape.height <= 0)
        return;
    int horizontal = static_cast<int>(tags.Number(72));
    int vertical = static_cast<int>(tags.Number(verticalCode));
    Point2 first = tags.PointAt(10);
    if (horizontal == 3 || horizontal == 5) {
        // Aligned and fitted texts run from the first point to the second.
        Point2 second = tags.PointAt(11);
        shape.radians = std::atan2(second.y - first.y, second.x - first.x);
        shape.points = {first};
    } else if ((horizontal || vertical) && tags.Has(11)) {
        shape.points = {TextOrigin(tags.PointAt(11), shape, horizontal, vertical)};
    } else {
        shape.points = {first};
    }
    out.Add(std::move(shape));
}

void AddMText(const EntityTags& tags, const kestrel::dxf::TextCodec& codec, int colour,
              ShapeList& out) {
    std::wstring text = PlainMText(codec.decode(tags.LongText()));
    double height = tags.Number(40, 1);
    if (text.empty() || height <= 0)
        return;
    double radians =
        tags.Has(11) ? std::atan2(tags.Number(21), tags.Number(11)) : tags.Number(50) * kDegree;
    int attachment = static_cast<int>(tags.Number(71, 1));
    int column = (attachment - 1) % 3, row = (attachment - 1) / 3;
    std::vector<std::wstring> lines{L""};
    for (wchar_t c : text) {
        if (c == L'\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    double pitch = height * 5.0 / 3.0;
    double total = height + pitch * static_cast<double>(lines.size() - 1);
    double top = row == 0 ? 0 : row == 1 ? total / 2 : total;
    double cs = std::cos(radians), sn = std::sin(radians);
    Point2 anchor = tags.PointAt(10);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Shape line;
        line.kind = Shape::Kind::Text;
        line.colour = colour;
        line.text = lines[i];
        line.height = height;
        line.radians = radians;
        if (line.text.empty())
            continue;
        double dx = -TextWidth(line) * column / 2.0;
        double dy = top - height - pitch * static_cast<double>(i);
        line.points = {{anchor.x + dx * cs - dy * sn, anchor.y + dx * sn + dy * cs}};
        out.Add(std::move(line));
    }
}

} // namespace

EntityTags::EntityTags(const std::vector<kestrel::dxf::EditTag>& tags) {
    bool inVertices = false;
    for (const auto& tag : tags) {
        if (tag.code == 10 && (inVertices || Has(90))) {
            inVertices = true;
            vertices_.push_back({ParseDouble(tag.value, 0), 0});
            bulges_.push_back(0);
            continue;
        }
        if (inVertices && tag.code == 20 && !vertices_.empty()) {
            vertices_.back().y = ParseDouble(tag.value, 0);
            continue;
        }
        if (inVertices && tag.code == 42 && !bulges_.empty()) {
            bulges_.back() = ParseDouble(tag.value, 0);
            continue;
        }
        if (tag.code == 3 || (tag.code == 1 && !Has(1)))
            longText_ += tag.value;
        if (!Has(tag.code))
            first_.emplace_back(tag.code, tag.value);
    }
}

bool EntityTags::Has(int code) const {
    for (const auto& [c, v] : first_)
        if (c == code)
            return true;
    return false;
}

const std::string& EntityTags::Text(int code) const {
    for (const auto& [c, v] : first_)
        if (c == code)
            return v;
    return Empty();
}

double EntityTags::Number(int code, double fallback) const {
    for (const auto& [c, v] : first_)
        if (c == code)
            return ParseDouble(v, fallback);
    return fallback;
}

bool AddEntityShapes(std::string_view type, const EntityTags& tags,
                     const kestrel::dxf::TextCodec& codec, int colour, bool inBlock,
                     ShapeList& out) {
    ShapeList own;
    if (type == "LINE") {
        out.Add(Path(colour, {tags.PointAt(10), tags.PointAt(11)}));
        return true; // world coordinates
    }
    if (type == "ELLIPSE") {
        std::vector<Point2> points;
        AddEllipse(points, tags.PointAt(10), tags.PointAt(11), tags.Number(40, 1),
                   tags.Number(41, 0), tags.Number(42, 2 * std::numbers::pi));
        out.Add(Path(colour, std::move(points)));
        return true;
    }
    if (type == "POINT") {
        Shape dot = Path(colour, {tags.PointAt(10)});
        dot.kind = Shape::Kind::Dot;
        out.Add(std::move(dot));
        return true;
    }
    if (type == "LWPOLYLINE") {
        AddPolyline(tags, colour, own);
    } else if (type == "CIRCLE" || type == "ARC") {
        std::vector<Point2> points;
        bool circle = type == "CIRCLE";
        AddArc(points, tags.PointAt(10), tags.Number(40), circle ? 0 : tags.Number(50) * kDegree,
               circle ? 2 * std::numbers::pi : tags.Number(51) * kDegree);
        own.Add(Path(colour, std::move(points)));
    } else if (type == "SOLID" || type == "TRACE") {
        Shape fill = Path(
            colour, {tags.PointAt(10), tags.PointAt(11), tags.PointAt(13), tags.PointAt(12)}, true);
        fill.kind = Shape::Kind::Fill;
        own.Add(std::move(fill));
    } else if (type == "3DFACE") {
        own.Add(Path(colour,
                     {tags.PointAt(10), tags.PointAt(11), tags.PointAt(12), tags.PointAt(13)},
                     true));
    } else if (type == "TEXT") {
        AddText(tags, codec.decode(tags.Text(1)), 73, colour, own);
    } else if (type == "ATTRIB") {
        if (static_cast<int>(tags.Number(70)) & 1)
            return true; // invisible
        AddText(tags, codec.decode(tags.Text(1)), 74, colour, own);
    } else if (type == "ATTDEF") {
        int flags = static_cast<int>(tags.Number(70));
        if (flags & 1)
            return true;
        if (inBlock && (flags & 2))
            AddText(tags, codec.decode(tags.Text(1)), 74, colour, own);
        else if (!inBlock)
            AddText(tags, codec.decode(tags.Text(2)), 74, colour, own);
    } else if (type == "MTEXT") {
        AddMText(tags, codec, colour, own);
    } else {
        return false;
    }
    // Texts and planar shapes lie in the entity's own coordinate system.
    out.AddTransformed(own, tags.Mirrored() ? Affine{-1, 0, 0, 1, 0, 0} : Affine{}, colour);
    return true;
}

std::wstring PlainMText(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'{' || c == L'}')
            continue;
        if (c != L'\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        wchar_t code = text[++i];
        switch (code) {
        case L'P':
            out += L'\n';
            break;
        case L'~':
            out += L' ';
            break;
        case L'\\':
        case L'{':
        case L'}':
            out += code;
            break;
        case L'L':
        case L'l':
        case L'O':
        case L'o':
        case L'K':
        case L'k':
            break;
        case L'U':
            if (i + 5 < text.size() && text[i + 1] == L'+') {
                out +=
                    static_cast<wchar_t>(std::wcstol(text.substr(i + 2, 4).c_str(), nullptr, 16));
                i += 5;
            }
            break;
        case L'S': {
            // A stack: "a^b;" shows as "a/b".
            std::size_t end = text.find(L';', i);
            std::wstring stack =
                text.substr(i + 1, end == std::wstring::npos ? std::wstring::npos : end - i - 1);
            for (wchar_t& s : stack)
                if (s == L'^' || s == L'#')
                    s = L'/';
            out += stack;
            i = end == std::wstring::npos ? text.size() : end;
            break;
        }
        default: {
            // Font, height, colour, alignment and the like run to a semicolon.
            std::size_t end = text.find(L';', i);
            i = end == std::wstring::npos ? text.size() : end;
            break;
        }
        }
    }
    return out;
}

std::wstring PlainText(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() && text[i + 1] == L'%') {
            wchar_t code = static_cast<wchar_t>(std::towlower(text[i + 2]));
            const wchar_t* meaning = code == L'd'   ? L"\u00B0"
                                     : code == L'p' ? L"\u00B1"
                                     : code == L'c' ? L"\u2300"
                                     : code == L'%' ? L"%"
                                                    : nullptr;
            if (meaning) {
                out += meaning;
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace view
