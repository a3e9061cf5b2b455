#include "view/ViewRenderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <memory>
#include <vector>

#include "FontFace.h"

namespace view {

namespace {

// DejaVu Sans's capitals stand this much of its em high; a drawing's text height is theirs.
constexpr double kCapitalHeight = 0.73;
// The size the text face is made at, in pixels to the em.
constexpr int kFaceEm = 100;
// A reference whose extents take fewer pixels than this each way is drawn as one dot.
constexpr double kDotSize = 2.0;

void SetColour(cairo_t* cr, std::uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                         (rgb & 255) / 255.0);
}

// The picture's pixels, for what is drawn most: one-pixel lines and dots, plotted directly
// (a general stroker costs several times as much for the many short lines of a big drawing).
class Canvas {
public:
    explicit Canvas(cairo_surface_t* surface)
        : data_(cairo_image_surface_get_data(surface)),
          stride_(cairo_image_surface_get_stride(surface)),
          width_(cairo_image_surface_get_width(surface)),
          height_(cairo_image_surface_get_height(surface)) {}

    void Dot(Point2 at, std::uint32_t rgb) {
        int x = static_cast<int>(std::floor(at.x)), y = static_cast<int>(std::floor(at.y));
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            Row(y)[x] = rgb;
    }

    void Line(Point2 a, Point2 b, std::uint32_t rgb) {
        if (!Clip(a, b))
            return;
        int x0 = static_cast<int>(std::floor(a.x)), y0 = static_cast<int>(std::floor(a.y));
        int x1 = static_cast<int>(std::floor(b.x)), y1 = static_cast<int>(std::floor(b.y));
        int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            if (x0 >= 0 && y0 >= 0 && x0 < width_ && y0 < height_)
                Row(y0)[x0] = rgb;
            if (x0 == x1 && y0 == y1)
                break;
            int twice = 2 * error;
            if (twice >= dy)
                error += dy, x0 += sx;
            if (twice <= dx)
                error += dx, y0 += sy;
        }
    }

    void Path(const std::vector<Point2>& points, const Affine& toScreen, bool closed,
              std::uint32_t rgb) {
        if (points.empty())
            return;
        Point2 first = toScreen.Apply(points[0]), last = first;
        if (points.size() == 1)
            Dot(first, rgb);
        for (std::size_t i = 1; i < points.size(); ++i) {
            Point2 next = toScreen.Apply(points[i]);
            Line(last, next, rgb);
            last = next;
        }
        if (closed)
            Line(last, first, rgb);
    }

private:
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(data_ + y * stride_); }

    // Cuts the segment to the picture (Liang-Barsky); false when none of it is inside.
    bool Clip(Point2& a, Point2& b) const {
        double t0 = 0, t1 = 1, dx = b.x - a.x, dy = b.y - a.y;
        auto edge = [&](double p, double q) {
            if (p == 0)
                return q >= 0;
            double r = q / p;
            if (p < 0) {
                if (r > t1)
                    return false;
                t0 = std::max(t0, r);
            } else {
                if (r < t0)
                    return false;
                t1 = std::min(t1, r);
            }
            return true;
        };
        if (!edge(-dx, a.x + 1) || !edge(dx, width_ + 1 - a.x) || !edge(-dy, a.y + 1) ||
            !edge(dy, height_ + 1 - a.y))
            return false;
        Point2 from{a.x + t0 * dx, a.y + t0 * dy};
        b = {a.x + t1 * dx, a.y + t1 * dy};
        a = from;
        return true;
    }

    unsigned char* data_;
    int stride_, width_, height_;
};

// Dashed lines (the selection) go through Cairo, stroked together per colour.
class DashedPen {
public:
    explicit DashedPen(cairo_t* cr) : cr_(cr) {}
    ~DashedPen() { Flush(); }
    void Path(const std::vector<Point2>& points, const Affine& toScreen, bool closed, int colour) {
        if (colour != colour_) {
            Flush();
            colour_ = colour;
        }
        for (std::size_t i = 0; i < points.size(); ++i) {
            Point2 p = toScreen.Apply(points[i]);
            double x = std::floor(p.x) + 0.5, y = std::floor(p.y) + 0.5;
            if (i == 0)
                cairo_move_to(cr_, x, y);
            else
                cairo_line_to(cr_, x, y);
        }
        if (closed)
            cairo_close_path(cr_);
        pending_ = true;
    }
    void Flush() {
        if (!pending_)
            return;
        double dash[] = {4, 3};
        SetColour(cr_, PaletteColour(colour_));
        cairo_set_dash(cr_, dash, 2, 0);
        cairo_stroke(cr_);
        cairo_set_dash(cr_, dash, 0, 0);
        pending_ = false;
    }

private:
    cairo_t* cr_;
    int colour_ = -1;
    bool pending_ = false;
};

struct Painter {
    cairo_t* cr;
    Canvas canvas;
    DashedPen dashed;
};

// DejaVu Sans through the windowing library's FreeType faces, at one size, scaled to each
// text's height (a face per height would be kept for every zoom step).
const ui::FontFace& TextFace() {
    static const std::shared_ptr<ui::FontFace> face = [] {
        LOGFONT font{};
        font.lfHeight = -kFaceEm;
        std::wcscpy(font.lfFaceName, L"DejaVu Sans");
        return ui::FontFace::ForLogFont(font);
    }();
    return *face;
}

void DrawText(cairo_t* cr, const Shape& text, const Affine& toScreen, bool highlighted) {
    double pixels = text.height * toScreen.Scale();
    if (pixels < 2 || text.points.empty())
        return;
    Point2 at = toScreen.Apply(text.points[0]);
    std::vector<ui::PlacedGlyph> glyphs;
    TextFace().Layout(text.text, 0, 0, glyphs);
    double size = pixels / kCapitalHeight / kFaceEm;
    cairo_save(cr);
    SetColour(cr, PaletteColour(text.colour));
    cairo_translate(cr, at.x, at.y);
    // Screen y runs downwards: turns counter-clockwise in the drawing are clockwise here.
    cairo_rotate(cr, toScreen.Angle() - text.radians);
    cairo_scale(cr, text.widthFactor * size, size);
    TextFace().Draw(cr, glyphs);
    if (highlighted) {
        // Glyphs cannot be dashed: a selected text is underlined with a dashed line.
        cairo_identity_matrix(cr);
        cairo_translate(cr, at.x, at.y);
        cairo_rotate(cr, toScreen.Angle() - text.radians);
        double dash[] = {4, 3};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_move_to(cr, 0, 2);
        cairo_rel_line_to(cr, TextWidth(text) * toScreen.Scale(), 0);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void DrawShapes(Painter& painter, const ShapeList& shapes, const Affine& toScreen, int byBlock,
                bool highlighted) {
    for (const Shape& shape : shapes.Shapes()) {
        int colour = shape.colour == kByBlock ? byBlock : shape.colour;
        switch (shape.kind) {
        case Shape::Kind::Text: {
            painter.dashed.Flush();
            Shape coloured = shape;
            coloured.colour = colour;
            DrawText(painter.cr, coloured, toScreen, highlighted);
            break;
        }
        case Shape::Kind::Fill: {
            painter.dashed.Flush();
            cairo_t* cr = painter.cr;
            SetColour(cr, PaletteColour(colour));
            for (std::size_t i = 0; i < shape.points.size(); ++i) {
                Point2 p = toScreen.Apply(shape.points[i]);
                if (i == 0)
                    cairo_move_to(cr, p.x, p.y);
                else
                    cairo_line_to(cr, p.x, p.y);
            }
            cairo_fill(cr);
            painter.canvas.Path(shape.points, toScreen, true, PaletteColour(colour));
            break;
        }
        default:
            if (highlighted)
                painter.dashed.Path(shape.points, toScreen, shape.closed,
                                    shape.colour == kByBlock ? byBlock : shape.colour);
            else
                painter.canvas.Path(shape.points, toScreen, shape.closed, PaletteColour(colour));
            break;
        }
    }
}

} // namespace

std::uint32_t PaletteColour(int index) {
    static const std::uint32_t fixed[10] = {0xFFFFFF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                            0x0000FF, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
    if (index < 1 || index > 255)
        return 0xFFFFFF;
    if (index < 10)
        return fixed[index];
    if (index >= 250) {
        // Six greys from dark to white.
        auto g = static_cast<std::uint32_t>(51 + (index - 250) * 204 / 5);
        return g << 16 | g << 8 | g;
    }
    // Twenty-four hues of fifteen degrees, each in five brightnesses, full and half saturated.
    double hue = (index / 10 - 1) * 15.0;
    static const double brightness[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    double v = brightness[(index % 10) / 2];
    double s = index % 2 ? 0.5 : 1.0;
    double c = v * s, h = hue / 60.0;
    double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
    case 0:
        r = c, g = x;
        break;
    case 1:
        r = x, g = c;
        break;
    case 2:
        g = c, b = x;
        break;
    case 3:
        g = x, b = c;
        break;
    case 4:
        r = x, b = c;
        break;
    default:
        r = c, b = x;
        break;
    }
    double m = v - c;
    auto channel = [&](double value) {
        return static_cast<std::uint32_t>(std::lround((value + m) * 255));
    };
    return channel(r) << 16 | channel(g) << 8 | channel(b);
}

RenderCount RenderScene(cairo_surface_t* surface, const DrawingScene& scene,
                        const Viewport& viewport,
                        const std::unordered_set<std::uint32_t>& highlighted) {
    RenderCount count;
    cairo_t* cr = cairo_create(surface);
    SetColour(cr, kBackground);
    cairo_paint(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1);
    Affine toScreen = viewport.WorldToScreen();
    Box visible = viewport.VisibleWorld().Grown(2 / viewport.PixelsPerUnit());
    double dotWorld = kDotSize / viewport.PixelsPerUnit();
    // Dots go straight into the pixels, as they are met: no list of them to allocate.
    cairo_surface_flush(surface);
    {
        Painter painter{cr, Canvas(surface), DashedPen(cr)};
        for (const SceneItem& item : scene.Items()) {
            if (!item.extents.Intersects(visible)) {
                ++count.culled;
                continue;
            }
            bool lit = !highlighted.empty() && highlighted.count(item.slot);
            const Box& e = item.extents;
            if (item.block && e.maxX - e.minX < dotWorld && e.maxY - e.minY < dotWorld) {
                painter.canvas.Dot(
                    toScreen.Apply(Point2{(e.minX + e.maxX) / 2, (e.minY + e.maxY) / 2}),
                    PaletteColour(item.colour));
                ++count.dots;
                continue;
            }
            if (item.block)
                DrawShapes(painter, *item.block, item.transform.Then(toScreen), item.colour, lit);
            DrawShapes(painter, item.own, toScreen, item.colour, lit);
            ++count.drawn;
        }
    }
    cairo_destroy(cr);
    cairo_surface_mark_dirty(surface);
    return count;
}

} // namespace view
