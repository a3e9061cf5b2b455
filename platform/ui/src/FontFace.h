#pragma once
// A physical font: a DejaVu face at a pixel size, through FreeType with fixed hinting, so
// that every machine of the project measures and draws text alike.

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

class CFont;
typedef struct _cairo_scaled_font cairo_scaled_font_t;
typedef struct _cairo cairo_t;

namespace ui {

struct PlacedGlyph {
    unsigned long index;
    double x, y;
};

class FontFace {
public:
    // The face that a logical font maps to (cached; never released before exit).
    static std::shared_ptr<FontFace> ForLogFont(const LOGFONT& font);

    const TEXTMETRIC& Metrics() const { return metrics_; }
    int Width(const std::wstring& text) const;
    // The widths of the text's beginnings, from one layout: [k] is Width of its first k
    // characters, for k = 0 to its length.
    std::vector<int> PrefixWidths(const std::wstring& text) const;
    // Glyphs of `text` with the pen starting at (x, baseline); answers the advance.
    int Layout(const std::wstring& text, double x, double baseline,
               std::vector<PlacedGlyph>& glyphs) const;
    void Draw(cairo_t* cr, const std::vector<PlacedGlyph>& glyphs) const;
    bool Underline() const { return underline_; }
    double EmPixels() const { return em_; }

    FontFace(const std::string& file, double em, bool underline);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

private:
    cairo_scaled_font_t* font_ = nullptr;
    TEXTMETRIC metrics_{};
    double em_;
    bool underline_;
};

// The face a device context draws with when `font` is selected: the system font for none.
const FontFace& FaceOf(const CFont* font);

} // namespace ui
