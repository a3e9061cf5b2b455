#pragma once
// What the drawing view draws: shapes in drawing units (polylines, filled outlines, points and
// texts) with their colour index, gathered in lists that know their extents. Curves arrive
// here already cut into short segments.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace view {

struct Point2 {
    double x = 0, y = 0;
};

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool Empty() const { return minX > maxX || minY > maxY; }
    void Add(Point2 p);
    void Add(const Box& other);
    bool Intersects(const Box& other) const;
    bool Contains(Point2 p) const;
    bool Inside(const Box& outer) const;
    Box Grown(double by) const;
};

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Point2 Apply(Point2 p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    // This transform followed by `outer`.
    Affine Then(const Affine& outer) const;
    Box Apply(const Box& box) const;
    // How much lengths grow (the larger axis) and where the x axis turns to.
    double Scale() const;
    double Angle() const;
    bool Mirrors() const { return a * d - b * c < 0; }

    // A block reference: the block's base point goes to `at`, scaled, then turned.
    static Affine Insert(Point2 base, Point2 at, double scaleX, double scaleY, double radians);
};

// Colour indices with a meaning of their own; the others are the 255 palette colours.
constexpr int kByBlock = 0;
constexpr int kByLayer = 256;

struct Shape {
    enum class Kind : std::uint8_t { Path, Fill, Dot, Text };
    Kind kind = Kind::Path;
    bool closed = false;
    int colour = 7;
    std::vector<Point2> points; // a text: its baseline's left end
    std::wstring text;          // lines split at '\n'
    double height = 0, radians = 0, widthFactor = 1;
};

class ShapeList {
public:
    void Add(Shape shape);
    // Appends `other` moved by `transform`, its by-block colours becoming `colour`.
    void AddTransformed(const ShapeList& other, const Affine& transform, int colour);
    const std::vector<Shape>& Shapes() const { return shapes_; }
    const Box& Extents() const { return extents_; }
    bool Empty() const { return shapes_.empty(); }

private:
    std::vector<Shape> shapes_;
    Box extents_;
};

// Points along curves; angles in radians, counter-clockwise from `start` to `end`.
void AddArc(std::vector<Point2>& out, Point2 centre, double radius, double start, double end);
// An ellipse from its centre, the end of its major axis (relative), the minor-to-major ratio
// and the parameters where it starts and ends.
void AddEllipse(std::vector<Point2>& out, Point2 centre, Point2 major, double ratio, double start,
                double end);
// The segment from `from` to `to` bulged as polylines bulge them (tan of a quarter of the
// included angle); `to` is the last point added.
void AddBulge(std::vector<Point2>& out, Point2 from, Point2 to, double bulge);

// A text's box: its width and height, in drawing units, before its rotation.
double TextWidth(const Shape& text);

} // namespace view
