// Text output and measurement.

#include <afxwin.h>

#include <algorithm>
#include <cairo.h>
#include <cstdint>
#include <cwchar>

#include "FontFace.h"
#include "Pixels.h"

using namespace ui::pixels;

const ui::FontFace& CDC::Face() const {
    return ui::FaceOf(state_.font);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const {
    *metrics = Face().Metrics();
    return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
    std::wstring s = text ? std::wstring(text, count < 0 ? std::wcslen(text) : count) : L"";
    return {Face().Width(s), Face().Metrics().tmHeight};
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text.GetString(), text.GetLength());
}

// Draws one line with its cell's top-left at device (x, y); underlineIndex marks a mnemonic.
void CDC::TextRun(int x, int y, const std::wstring& text, const CRect* clipRect, bool opaque,
                  int underlineIndex) {
    if (!surface_)
        return;
    const ui::FontFace& face = Face();
    const TEXTMETRIC& tm = face.Metrics();
    int width = face.Width(text);
    if (opaque) {
        CRect box(x, y, x + width, y + tm.tmHeight);
        if (clipRect)
            box = box & *clipRect;
        FillSurfaceRect(box, state_.bkColor, R2_COPYPEN);
    }
    ui::Region clip = EffectiveClip();
    if (clipRect) {
        CRect c = *clipRect;
        c.OffsetRect(ToSurface(0, 0));
        clip.Intersect(c);
    }
    if (clip.IsEmpty() || text.empty())
        return;
    CPoint s = ToSurface(x, y);
    std::vector<ui::PlacedGlyph> glyphs;
    face.Layout(text, s.x, s.y + tm.tmAscent, glyphs);
    cairo_surface_flush(surface_);
    cairo_t* cr = cairo_create(surface_);
    for (const CRect& r : clip.Rects())
        cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
    COLORREF c = state_.textColor;
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
    face.Draw(cr, glyphs);
    cairo_destroy(cr);
    cairo_surface_mark_dirty(surface_);
    int underlineY = y + tm.tmAscent + 1;
    auto underline = [&](int from, int to) {
        CRect u(from, underlineY, to, underlineY + 1);
        if (clipRect)
            u = u & *clipRect;
        FillSurfaceRect(u, c, R2_COPYPEN);
    };
    if (face.Underline())
        underline(x, x + width);
    else if (underlineIndex >= 0 && underlineIndex < static_cast<int>(text.size())) {
        int from = face.Width(text.substr(0, static_cast<std::size_t>(underlineIndex)));
        int to = face.Width(text.substr(0, static_cast<std::size_t>(underlineIndex) + 1));
        underline(x + from, x + to);
    }
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, LPINT) {
    if (rect && (options & ETO_OPAQUE)) {
        FillSurfaceRect(CRect(rect), state_.bkColor, R2_COPYPEN);
    }
    std::wstring s = text ? std::wstring(text, count) : L"";
    const ui::FontFace& face = Face();
    const TEXTMETRIC& tm = face.Metrics();
    int width = face.Width(s);
    UINT align = state_.textAlign;
    if (align & TA_UPDATECP) {
        x = state_.position.x;
        y = state_.position.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if (align & TA_RIGHT)
        left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = y - tm.tmAscent;
    else if (align & TA_BOTTOM)
        top = y - tm.tmHeight;
    CRect clipRect = rect ? CRect(rect) : CRect();
    TextRun(left, top, s, (rect && (options & ETO_CLIPPED)) ? &clipRect : nullptr,
            state_.bkMode == OPAQUE && !(rect && (options & ETO_OPAQUE)), -1);
    if (align & TA_UPDATECP)
        state_.position.x = (align & TA_RIGHT) ? left : left + width;
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT dx) {
    return ExtTextOut(x, y, options, rect, text.GetString(), static_cast<UINT>(text.GetLength()),
                      dx);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) {
    return ExtTextOut(x, y, 0, nullptr, text, static_cast<UINT>(count));
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    return TextOut(x, y, text.GetString(), text.GetLength());
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
    if (!rect)
        return 0;
    std::wstring source = text ? std::wstring(text, count < 0 ? std::wcslen(text) : count) : L"";
    const ui::FontFace& face = Face();
    int lineHeight = face.Metrics().tmHeight;
    CRect box(rect);

    struct Line {
        std::wstring text;
        int underline = -1;
    };
    // Mnemonic prefixes: "&x" underlines x, "&&" is a plain ampersand.
    auto strip = [&](const std::wstring& in, int& underline) {
        underline = -1;
        if (format & DT_NOPREFIX)
            return in;
        std::wstring out;
        for (std::size_t i = 0; i < in.size(); ++i) {
            if (in[i] == L'&') {
                if (i + 1 < in.size() && in[i + 1] == L'&') {
                    out += L'&';
                    ++i;
                } else if (i + 1 < in.size() && underline < 0 && !(format & DT_HIDEPREFIX))
                    underline = static_cast<int>(out.size());
                continue;
            }
            out += in[i];
        }
        return out;
    };

    std::vector<std::wstring> paragraphs;
    if (format & DT_SINGLELINE)
        paragraphs.push_back(source);
    else {
        std::wstring cur;
        for (wchar_t c : source) {
            if (c == L'\r')
                continue;
            if (c == L'\n') {
                paragraphs.push_back(cur);
                cur.clear();
            } else
                cur += c;
        }
        paragraphs.push_back(cur);
    }

    std::vector<Line> lines;
    for (const std::wstring& p : paragraphs) {
        Line whole;
        whole.text = strip(p, whole.underline);
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) ||
            face.Width(whole.text) <= box.Width()) {
            lines.push_back(whole);
            continue;
        }
        // Greedy word wrap; a word wider than the box stays whole on its own line.
        std::size_t start = 0;
        const std::wstring& t = whole.text;
        while (start < t.size()) {
            std::size_t end = start, lastFit = std::wstring::npos;
            while (end <= t.size()) {
                std::size_t space = t.find(L' ', end);
                std::size_t candidate = space == std::wstring::npos ? t.size() : space;
                if (face.Width(t.substr(start, candidate - start)) > box.Width() &&
                    lastFit != std::wstring::npos)
                    break;
                lastFit = candidate;
                if (candidate >= t.size())
                    break;
                end = candidate + 1;
            }
            Line line;
            line.text = t.substr(start, lastFit - start);
            if (whole.underline >= static_cast<int>(start) &&
                whole.underline < static_cast<int>(lastFit))
                line.underline = whole.underline - static_cast<int>(start);
            lines.push_back(line);
            start = lastFit;
            while (start < t.size() && t[start] == L' ')
                ++start;
        }
    }

    int total = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, face.Width(l.text));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }

    int y = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = box.top + (box.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = box.bottom - lineHeight;
    }
    for (Line& line : lines) {
        int width = face.Width(line.text);
        if ((format & DT_END_ELLIPSIS) && width > box.Width()) {
            while (!line.text.empty() && face.Width(line.text + L"...") > box.Width())
                line.text.pop_back();
            line.text += L"...";
            width = face.Width(line.text);
        }
        int x = box.left;
        if (format & DT_CENTER)
            x = box.left + (box.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = box.right - width;
        TextRun(x, y, line.text, (format & DT_NOCLIP) ? nullptr : &box, state_.bkMode == OPAQUE,
                line.underline);
        y += lineHeight;
    }
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? y - box.top : total;
}
