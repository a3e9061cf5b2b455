#include "view/ViewRenderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Utf8.h"

namespace view {

namespace {

// DejaVu Sans's capitals stand this much of its em high; a drawing's text height is theirs.
constexpr double kCapitalHeight = 0.73;
// A reference whose extents take fewer pixels than this each way is drawn as one dot.
constexpr double kDotSize = 2.0;

void SetColour(cairo_t* cr, std::uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                         (rgb & 255) / 255.0);
}

// Lines of one colour and one dash style are stroked together.
class Pen {
public:
    explicit Pen(cairo_t* cr) : cr_(cr) {}
    ~Pen() { Flush(); }

    void Use(int colour, bool dashed) {
        if (colour == colour_ && dashed == dashed_)
            return;
        Flush();
        colour_ = colour;
        dashed_ = dashed;
        SetColour(cr_, PaletteColour(colour));
        double dash[] = {4, 3};
        cairo_set_dash(cr_, dash, dashed ? 2 : 0, 0);
    }
    void Path(const std::vector<Point2>& points, const Affine& toScreen, bool closed) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            Point2 p = toScreen.Apply(points[i]);
            // Pixel centres, so that one-pixel lines cover one row of pixels.
            double x = std::floor(p.x) + 0.5, y = std::floor(p.y) + 0.5;
            if (i == 0)
                cairo_move_to(cr_, x, y);
            else
                cairo_line_to(cr_, x, y);
        }
        if (points.size() == 1)
            cairo_rel_line_to(cr_, 0, 0);
        if (closed)
            cairo_close_path(cr_);
        if (++pending_ >= 4096)
            Flush();
    }
    void Fill() {
        cairo_fill_preserve(cr_);
        cairo_stroke(cr_);
        pending_ = 0;
    }
    void Flush() {
        if (pending_)
            cairo_stroke(cr_);
        pending_ = 0;
    }

private:
    cairo_t* cr_;
    int colour_ = -1;
    bool dashed_ = false;
    int pending_ = 0;
};

void DrawText(cairo_t* cr, const Shape& text, const Affine& toScreen, bool highlighted) {
    double pixels = text.height * toScreen.Scale();
    if (pixels < 2 || text.points.empty())
        return;
    Point2 at = toScreen.Apply(text.points[0]);
    cairo_save(cr);
    SetColour(cr, PaletteColour(text.colour));
    cairo_translate(cr, at.x, at.y);
    // Screen y runs downwards: turns counter-clockwise in the drawing are clockwise here.
    cairo_rotate(cr, toScreen.Angle() - text.radians);
    cairo_scale(cr, text.widthFactor, 1);
    cairo_set_font_size(cr, pixels / kCapitalHeight);
    cairo_move_to(cr, 0, 0);
    cairo_show_text(cr, crt::ToUtf8(text.text).c_str());
    if (highlighted) {
        double dash[] = {4, 3};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_width(cr, 1 / std::max(0.01, text.widthFactor));
        cairo_rectangle(cr, 0, 0, TextWidth(text) / text.widthFactor * toScreen.Scale(), -pixels);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void DrawShapes(cairo_t* cr, Pen& pen, const ShapeList& shapes, const Affine& toScreen, int byBlock,
                bool highlighted) {
    for (const Shape& shape : shapes.Shapes()) {
        int colour = shape.colour == kByBlock ? byBlock : shape.colour;
        switch (shape.kind) {
        case Shape::Kind::Text: {
            pen.Flush();
            Shape coloured = shape;
            coloured.colour = colour;
            DrawText(cr, coloured, toScreen, highlighted);
            pen.Use(-1, highlighted); // the text changed the source
            break;
        }
        case Shape::Kind::Fill:
            pen.Use(colour, false);
            pen.Flush();
            pen.Path(shape.points, toScreen, true);
            pen.Fill();
            break;
        default:
            pen.Use(colour, highlighted);
            pen.Path(shape.points, toScreen, shape.closed);
            break;
        }
    }
}

void PutDot(cairo_surface_t* surface, Point2 at, std::uint32_t rgb) {
    int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) ||
        y >= cairo_image_surface_get_height(surface))
        return;
    auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                                 y * cairo_image_surface_get_stride(surface));
    row[x] = rgb;
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
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    Affine toScreen = viewport.WorldToScreen();
    Box visible = viewport.VisibleWorld().Grown(2 / viewport.PixelsPerUnit());
    double dotWorld = kDotSize / viewport.PixelsPerUnit();
    struct Dot {
        Point2 at;
        std::uint32_t rgb;
    };
    std::vector<Dot> dots;
    {
        Pen pen(cr);
        for (const SceneItem& item : scene.Items()) {
            if (!item.extents.Intersects(visible)) {
                ++count.culled;
                continue;
            }
            bool lit = !highlighted.empty() && highlighted.count(item.slot);
            const Box& e = item.extents;
            if (item.block && e.maxX - e.minX < dotWorld && e.maxY - e.minY < dotWorld) {
                dots.push_back(
                    {toScreen.Apply(Point2{(e.minX + e.maxX) / 2, (e.minY + e.maxY) / 2}),
                     PaletteColour(item.colour)});
                ++count.dots;
                continue;
            }
            if (item.block)
                DrawShapes(cr, pen, *item.block, item.transform.Then(toScreen), item.colour, lit);
            DrawShapes(cr, pen, item.own, toScreen, item.colour, lit);
            ++count.drawn;
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    for (const Dot& dot : dots)
        PutDot(surface, dot.at, dot.rgb);
    cairo_surface_mark_dirty(surface);
    return count;
}

} // namespace view
