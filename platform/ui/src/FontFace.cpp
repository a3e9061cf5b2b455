#include "FontFace.h"

#include <afxwin.h>

#include <cairo-ft.h>
#include <cairo.h>
#include <cmath>
#include <cwctype>
#include <ft2build.h>
#include <map>
#include <stdexcept>
#include <tuple>
#include FT_FREETYPE_H

#include "AsciiCase.h"
#include "Utf8.h"

namespace ui {

namespace {

const char* const kFontDir = "/usr/share/fonts/truetype/dejavu/";

struct FaceLibrary {
    FT_Library library = nullptr;
    std::map<std::string, cairo_font_face_t*> faces;
    std::map<std::tuple<std::string, int, bool>, std::shared_ptr<FontFace>> kept;

    FaceLibrary() {
        if (FT_Init_FreeType(&library) != 0)
            throw std::runtime_error("FreeType could not start");
    }
    ~FaceLibrary() {
        kept.clear();
        for (auto& [file, face] : faces)
            cairo_font_face_destroy(face);
        FT_Done_FreeType(library);
    }
    cairo_font_face_t* Face(const std::string& file) {
        auto it = faces.find(file);
        if (it != faces.end())
            return it->second;
        FT_Face ft = nullptr;
        std::string path = kFontDir + file;
        if (FT_New_Face(library, path.c_str(), 0, &ft) != 0)
            throw std::runtime_error("font not found: " + path +
                                     " (Debian package fonts-dejavu-core)");
        cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ft, 0);
        static cairo_user_data_key_t key;
        cairo_font_face_set_user_data(face, &key, ft,
                                      [](void* p) { FT_Done_Face(static_cast<FT_Face>(p)); });
        faces[file] = face;
        return face;
    }
};

FaceLibrary& Library() {
    static FaceLibrary library;
    return library;
}

std::string FileFor(const LOGFONT& font) {
    std::wstring name = font.lfFaceName;
    for (wchar_t& c : name)
        c = crt::ToLowerAZ(c);
    bool bold = font.lfWeight >= FW_SEMIBOLD;
    bool italic = font.lfItalic != 0;
    std::string family = "DejaVuSans";
    if (name.find(L"courier") != std::wstring::npos || name.find(L"mono") != std::wstring::npos ||
        name.find(L"fixed") != std::wstring::npos || name.find(L"consol") != std::wstring::npos)
        family = "DejaVuSansMono";
    else if (name.find(L"times") != std::wstring::npos || name.find(L"serif") == 0 ||
             name.find(L"roman") != std::wstring::npos)
        family = "DejaVuSerif";
    std::string style;
    if (bold && italic)
        style = family == "DejaVuSerif" ? "-BoldItalic" : "-BoldOblique";
    else if (bold)
        style = "-Bold";
    else if (italic)
        style = family == "DejaVuSerif" ? "-Italic" : "-Oblique";
    return family + style + ".ttf";
}

// The em size in pixels for a logical height: negative heights give the character height
// (em), positive ones the cell height (ascent plus descent), zero the desktop's default.
double EmFor(const LOGFONT& font) {
    if (font.lfHeight < 0)
        return -font.lfHeight;
    if (font.lfHeight == 0)
        return 11;
    // DejaVu's ascent plus descent is 2384 font units on an em of 2048.
    return std::round(font.lfHeight * 2048.0 / 2384.0 * 4) / 4;
}

std::string Utf8(const std::wstring& text) {
    return crt::ToUtf8(text);
}

} // namespace

std::shared_ptr<FontFace> FontFace::ForLogFont(const LOGFONT& font) {
    FaceLibrary& lib = Library();
    std::string file = FileFor(font);
    double em = EmFor(font);
    auto key = std::make_tuple(file, static_cast<int>(em * 4), font.lfUnderline != 0);
    if (auto existing = lib.kept[key])
        return existing;
    auto made = std::make_shared<FontFace>(file, em, font.lfUnderline != 0);
    lib.kept[key] = made;
    return made;
}

FontFace::FontFace(const std::string& file, double em, bool underline)
    : em_(em), underline_(underline) {
    cairo_font_face_t* face = Library().Face(file);
    cairo_matrix_t size, ctm;
    cairo_matrix_init_scale(&size, em, em);
    cairo_matrix_init_identity(&ctm);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    font_ = cairo_scaled_font_create(face, &size, &ctm, options);
    cairo_font_options_destroy(options);

    cairo_font_extents_t fe;
    cairo_scaled_font_extents(font_, &fe);
    metrics_.tmAscent = static_cast<LONG>(std::ceil(fe.ascent));
    metrics_.tmDescent = static_cast<LONG>(std::ceil(fe.descent));
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
    metrics_.tmInternalLeading = metrics_.tmHeight - static_cast<LONG>(std::lround(em));
    metrics_.tmExternalLeading = 0;
    metrics_.tmMaxCharWidth = static_cast<LONG>(std::ceil(fe.max_x_advance));
    metrics_.tmAveCharWidth = Width(L"x");
    metrics_.tmWeight = file.find("Bold") != std::string::npos ? FW_BOLD : FW_NORMAL;
    metrics_.tmItalic =
        file.find("Oblique") != std::string::npos || file.find("Italic") != std::string::npos;
    metrics_.tmUnderlined = underline;
    metrics_.tmDigitizedAspectX = metrics_.tmDigitizedAspectY = 96;
    metrics_.tmFirstChar = 32;
    metrics_.tmLastChar = 0xFFFD;
    metrics_.tmDefaultChar = L'?';
    metrics_.tmBreakChar = L' ';
    metrics_.tmPitchAndFamily = file.find("Mono") != std::string::npos ? 0 : 1;
}

FontFace::~FontFace() {
    cairo_scaled_font_destroy(font_);
}

int FontFace::Layout(const std::wstring& text, double x, double baseline,
                     std::vector<PlacedGlyph>& glyphs) const {
    glyphs.clear();
    if (text.empty())
        return 0;
    std::string utf8 = Utf8(text);
    cairo_glyph_t* list = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(font_, x, baseline, utf8.data(),
                                         static_cast<int>(utf8.size()), &list, &count, nullptr,
                                         nullptr, nullptr) != CAIRO_STATUS_SUCCESS)
        return 0;
    glyphs.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        glyphs.push_back(PlacedGlyph{list[i].index, list[i].x, list[i].y});
    double end = x;
    if (count > 0) {
        cairo_text_extents_t last;
        cairo_scaled_font_glyph_extents(font_, &list[count - 1], 1, &last);
        end = list[count - 1].x + last.x_advance;
    }
    cairo_glyph_free(list);
    return static_cast<int>(std::lround(end - x));
}

int FontFace::Width(const std::wstring& text) const {
    std::vector<PlacedGlyph> glyphs;
    return Layout(text, 0, 0, glyphs);
}

std::vector<int> FontFace::PrefixWidths(const std::wstring& text) const {
    std::vector<PlacedGlyph> glyphs;
    const int total = Layout(text, 0, 0, glyphs);
    std::vector<int> widths(text.size() + 1, 0);
    if (glyphs.size() != text.size()) { // not one glyph a character: measure each beginning
        for (std::size_t k = 1; k <= text.size(); ++k)
            widths[k] = Width(text.substr(0, k));
        return widths;
    }
    // Each glyph stands where the advances of those before it end.
    for (std::size_t k = 1; k < text.size(); ++k)
        widths[k] = static_cast<int>(std::lround(glyphs[k].x));
    widths[text.size()] = total;
    return widths;
}

const FontFace& FaceOf(const CFont* font) {
    if (!font || !font->GetSafeHandle())
        font = static_cast<const CFont*>(GetStockObject(SYSTEM_FONT));
    return font->Face();
}

void FontFace::Draw(cairo_t* cr, const std::vector<PlacedGlyph>& glyphs) const {
    std::vector<cairo_glyph_t> list;
    list.reserve(glyphs.size());
    for (const PlacedGlyph& g : glyphs)
        list.push_back(cairo_glyph_t{g.index, g.x, g.y});
    cairo_set_scaled_font(cr, font_);
    cairo_show_glyphs(cr, list.data(), static_cast<int>(list.size()));
}

} // namespace ui
