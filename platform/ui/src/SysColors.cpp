
#include <array>

#include <afxwin.h>

namespace {

constexpr int kColorCount = COLOR_MENUBAR + 1;

// The classic ("Windows Standard") desktop scheme.
constexpr std::array<COLORREF, kColorCount> kClassic = {
    RGB(212, 208, 200), // COLOR_SCROLLBAR
    RGB(58, 110, 165),  // COLOR_BACKGROUND
    RGB(10, 36, 106),   // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(212, 208, 200), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(212, 208, 200), // COLOR_ACTIVEBORDER
    RGB(212, 208, 200), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(10, 36, 106),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(212, 208, 200), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(181, 181, 181), // 25: no named element
    RGB(0, 0, 128),     // COLOR_HOTLIGHT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),   // COLOR_MENUHILIGHT
    RGB(212, 208, 200), // COLOR_MENUBAR
};

std::array<COLORREF, kColorCount> g_colors = kClassic;

// The system's brushes: whoever holds one sees the colour change with the table.
std::array<CBrush, kColorCount>& Brushes() {
    static std::array<CBrush, kColorCount> brushes;
    return brushes;
}

void RefreshBrushes() {
    for (std::size_t i = 0; i < g_colors.size(); ++i)
        Brushes()[i].CreateSolidBrush(g_colors[i]);
}

} // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= kColorCount)
        return 0;
    return g_colors[static_cast<std::size_t>(index)];
}

CBrush* GetSysColorBrush(int index) {
    if (index < 0 || index >= kColorCount)
        return nullptr;
    CBrush& brush = Brushes()[static_cast<std::size_t>(index)];
    brush.CreateSolidBrush(g_colors[static_cast<std::size_t>(index)]);
    return &brush;
}

BOOL SetSysColors(int count, const int* elements, const COLORREF* values) {
    if (count < 0 || (count > 0 && (!elements || !values)))
        return FALSE;
    for (int i = 0; i < count; ++i)
        if (elements[i] < 0 || elements[i] >= kColorCount)
            return FALSE;
    for (int i = 0; i < count; ++i)
        g_colors[static_cast<std::size_t>(elements[i])] = values[i];
    RefreshBrushes();
    return TRUE;
}

void ResetSysColors() {
    g_colors = kClassic;
    RefreshBrushes();
}
