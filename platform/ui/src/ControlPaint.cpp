#include "ControlPaint.h"

#include <windows.h>

#include "AsciiCase.h"
#include "WindowSystem.h"

namespace ui {

CFont* ControlFont(const CWnd* wnd) {
    CFont* font = wnd->GetFont();
    return font ? font : static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
}

CRect DrawControlText(CDC& dc, const CString& text, CRect rect, UINT format, bool enabled) {
    CRect box = rect;
    dc.DrawText(text, &box, format | DT_CALCRECT);
    int oldMode = dc.SetBkMode(TRANSPARENT);
    if (enabled) {
        dc.DrawText(text, &rect, format);
    } else {
        COLORREF old = dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect shifted = rect;
        shifted.OffsetRect(1, 1);
        dc.DrawText(text, &shifted, format);
        dc.SetTextColor(GetSysColor(COLOR_BTNSHADOW));
        dc.DrawText(text, &rect, format);
        dc.SetTextColor(old);
    }
    dc.SetBkMode(oldMode);
    return box;
}

} // namespace ui

namespace ui {

CString StripMnemonic(const CString& text) {
    CString out;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == L'&') {
            if (i + 1 < text.GetLength() && text[i + 1] == L'&')
                out += L'&', ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

wchar_t MnemonicOf(const CString& text) {
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] == L'&') {
            ++i;
            continue;
        }
        return crt::ToLowerAZ(text[i + 1]);
    }
    return 0;
}

} // namespace ui
