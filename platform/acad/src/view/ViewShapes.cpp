#include "view/ViewShapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace view {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Enough segments that a circle filling the screen still looks round, few enough that a
// block cached once stays small.
int SegmentsFor(double sweep) {
    return std::clamp(static_cast<int>(std::ceil(std::abs(sweep) / kTwoPi * 72)), 2, 72);
}

} // namespace

void Box::Add(Point2 p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

void Box::Add(const Box& other) {
    if (other.Empty())
        return;
    Add(Point2{other.minX, other.minY});
    Add(Point2{other.maxX, other.maxY});
}

bool Box::Intersects(const Box& o) const {
    return !Empty() && !o.Empty() && minX <= o.maxX && o.minX <= maxX && minY <= o.maxY &&
           o.minY <= maxY;
}

bool Box::Contains(Point2 p) const {
    return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
}

bool Box::Inside(const Box& outer) const {
    return !Empty() && minX >= outer.minX && maxX <= outer.maxX && minY >= outer.minY &&
           maxY <= outer.maxY;
}

Box Box::Grown(double by) const {
    if (Empty())
        return *this;
    return Box{minX - by, minY - by, maxX + by, maxY + by};
}

Affine Affine::Then(const Affine& o) const {
    return Affine{o.a * a + o.c * b, o.b * a + o.d * b,       o.a * c + o.c * d,
                  o.b * c + o.d * d, o.a * e + o.c * f + o.e, o.b * e + o.d * f + o.f};
}

Box Affine::Apply(const Box& box) const {
    Box out;
    if (box.Empty())
        return out;
    out.Add(Apply(Point2{box.minX, box.minY}));
    out.Add(Apply(Point2{box.maxX, box.minY}));
    out.Add(Apply(Point2{box.minX, box.maxY}));
    out.Add(Apply(Point2{box.maxX, box.maxY}));
    return out;
}

double Affine::Scale() const {
    return std::max(std::hypot(a, b), std::hypot(c, d));
}

double Affine::Angle() const {
    return std::atan2(b, a);
}

Affine Affine::Insert(Point2 base, Point2 at, double scaleX, double scaleY, double radians) {
    double cs = std::cos(radians), sn = std::sin(radians);
    Affine t{cs * scaleX, sn * scaleX, -sn * scaleY, cs * scaleY, 0, 0};
    Point2 moved = t.Apply(base);
    t.e = at.x - moved.x;
    t.f = at.y - moved.y;
    return t;
}

void ShapeList::Add(Shape shape) {
    for (Point2 p : shape.points)
        extents_.Add(p);
    if (shape.kind == Shape::Kind::Text && !shape.points.empty()) {
        // The box of the text, turned with it.
        double w = TextWidth(shape), h = shape.height;
        double cs = std::cos(shape.radians), sn = std::sin(shape.radians);
        Point2 o = shape.points[0];
        for (Point2 corner : {Point2{w, 0}, Point2{0, h}, Point2{w, h}, Point2{0, -0.3 * h}})
            extents_.Add(
                Point2{o.x + corner.x * cs - corner.y * sn, o.y + corner.x * sn + corner.y * cs});
    }
    shapes_.push_back(std::move(shape));
}

void ShapeList::AddTransformed(const ShapeList& other, const Affine& t, int colour) {
    for (const Shape& shape : other.shapes_) {
        Shape moved = shape;
        for (Point2& p : moved.points)
            p = t.Apply(p);
        if (moved.colour == kByBlock)
            moved.colour = colour;
        if (moved.kind == Shape::Kind::Text) {
            moved.height *= std::hypot(t.c, t.d);
            moved.widthFactor *= std::hypot(t.a, t.b) / std::max(1e-12, std::hypot(t.c, t.d));
            moved.radians += t.Angle();
        }
        Add(std::move(moved));
    }
}

void AddArc(std::vector<Point2>& out, Point2 centre, double radius, double start, double end) {
    while (end <= start)
        end += kTwoPi;
    int n = SegmentsFor(end - start);
    for (int i = 0; i <= n; ++i) {
        double a = start + (end - start) * i / n;
        out.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
}

void AddEllipse(std::vector<Point2>& out, Point2 centre, Point2 major, double ratio, double start,
                double end) {
    while (end <= start)
        end += kTwoPi;
    Point2 minor{-major.y * ratio, major.x * ratio};
    int n = SegmentsFor(end - start);
    for (int i = 0; i <= n; ++i) {
        double t = start + (end - start) * i / n;
        double c = std::cos(t), s = std::sin(t);
        out.push_back({centre.x + major.x * c + minor.x * s, centre.y + major.y * c + minor.y * s});
    }
}

void AddBulge(std::vector<Point2>& out, Point2 from, Point2 to, double bulge) {
    double chord = std::hypot(to.x - from.x, to.y - from.y);
    if (std::abs(bulge) < 1e-9 || chord < 1e-12) {
        out.push_back(to);
        return;
    }
    double sweep = 4 * std::atan(bulge); // counter-clockwise when positive
    double radius = chord / (2 * std::sin(std::abs(sweep) / 2));
    // The centre lies off the chord's middle, on the left of a positive bulge under half a
    // turn; past half a turn the cosine takes it across.
    double mx = (from.x + to.x) / 2, my = (from.y + to.y) / 2;
    double toCentre = radius * std::cos(std::abs(sweep) / 2) * (bulge > 0 ? 1 : -1);
    double ux = -(to.y - from.y) / chord, uy = (to.x - from.x) / chord;
    Point2 c{mx + ux * toCentre, my + uy * toCentre};
    double a0 = std::atan2(from.y - c.y, from.x - c.x);
    int n = SegmentsFor(sweep);
    for (int i = 1; i < n; ++i) {
        double a = a0 + sweep * i / n;
        out.push_back({c.x + radius * std::cos(a), c.y + radius * std::sin(a)});
    }
    out.push_back(to);
}

double TextWidth(const Shape& text) {
    // DejaVu Sans averages a little over half its height per character.
    std::size_t longest = 0, run = 0;
    for (wchar_t c : text.text) {
        run = c == L'\n' ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return static_cast<double>(longest) * text.height * 0.8 * text.widthFactor;
}

} // namespace view
