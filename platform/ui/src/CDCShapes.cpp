// Lines, shapes, edges and frame controls.

#include <afxwin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Pixels.h"

using namespace ui::pixels;

CPoint CDC::MoveTo(int x, int y) {
    CPoint old = state_.position;
    state_.position = CPoint(x, y);
    return old;
}

void CDC::PlotLine(int x0, int y0, int x1, int y1) {
    CPen* pen = state_.pen;
    if (!surface_ || !pen || pen->Style() == PS_NULL)
        return;
    ui::Region clip = EffectiveClip();
    std::uint32_t color = ToPixel(pen->Color());
    int w = pen->Width();
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0, step = 0;
    Pixels px(surface_);
    while (!(x == x1 && y == y1)) {
        bool on = true;
        if (pen->Style() == PS_DOT)
            on = step % 2 == 0;
        else if (pen->Style() == PS_DASH)
            on = step % 24 < 18;
        if (on) {
            CPoint s = ToSurface(x, y);
            for (int oy = -(w - 1) / 2; oy <= w / 2; ++oy)
                for (int ox = -(w - 1) / 2; ox <= w / 2; ++ox) {
                    int px_ = s.x + ox, py_ = s.y + oy;
                    if (clip.Contains(POINT{px_, py_}) && px.Inside(px_, py_))
                        px.At(px_, py_) = Mix(state_.rop2, px.At(px_, py_), color);
                }
        }
        ++step;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

BOOL CDC::LineTo(int x, int y) {
    PlotLine(state_.position.x, state_.position.y, x, y);
    state_.position = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (count < 2)
        return FALSE;
    for (int i = 1; i < count; ++i)
        PlotLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    // The last point of a polyline is drawn too, unlike LineTo's end.
    PlotLine(points[count - 1].x, points[count - 1].y, points[count - 1].x + 1,
             points[count - 1].y);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
    if (count < 2)
        return FALSE;
    CBrush* brush = state_.brush;
    if (brush && brush->Style() != BS_NULL) {
        int top = points[0].y, bottom = points[0].y;
        for (int i = 0; i < count; ++i) {
            top = std::min<int>(top, points[i].y);
            bottom = std::max<int>(bottom, points[i].y);
        }
        for (int y = top; y < bottom; ++y) {
            std::vector<int> xs;
            double cy = y + 0.5;
            for (int i = 0; i < count; ++i) {
                POINT a = points[i], b = points[(i + 1) % count];
                if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy))
                    xs.push_back(static_cast<int>(
                        std::lround(a.x + (cy - a.y) * (b.x - a.x) / double(b.y - a.y))));
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
                FillWithBrush(CRect(xs[i], y, xs[i + 1], y + 1), brush, state_.rop2);
        }
    }
    for (int i = 0; i < count; ++i)
        PlotLine(points[i].x, points[i].y, points[(i + 1) % count].x, points[(i + 1) % count].y);
    return TRUE;
}

BOOL CDC::Rectangle(int l, int t, int r, int b) {
    CRect rect(l, t, r, b);
    rect.NormalizeRect();
    CPen* pen = state_.pen;
    bool hasPen = pen && pen->Style() != PS_NULL;
    if (!hasPen) {
        FillWithBrush(CRect(rect.left, rect.top, rect.right - 1, rect.bottom - 1), state_.brush,
                      state_.rop2);
        return TRUE;
    }
    FillWithBrush(CRect(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1), state_.brush,
                  state_.rop2);
    // Outline pixels are each touched once, so an inverting outline drawn twice is gone.
    int w = std::min(pen->Width(), std::max(1, std::min(rect.Width(), rect.Height()) / 2));
    COLORREF c = pen->Color();
    FillSurfaceRect(CRect(rect.left, rect.top, rect.right, rect.top + w), c, state_.rop2);
    FillSurfaceRect(CRect(rect.left, rect.bottom - w, rect.right, rect.bottom), c, state_.rop2);
    FillSurfaceRect(CRect(rect.left, rect.top + w, rect.left + w, rect.bottom - w), c, state_.rop2);
    FillSurfaceRect(CRect(rect.right - w, rect.top + w, rect.right, rect.bottom - w), c,
                    state_.rop2);
    return TRUE;
}

BOOL CDC::Ellipse(int l, int t, int r, int b) {
    CRect rect(l, t, r, b);
    rect.NormalizeRect();
    double cx = (rect.left + rect.right - 1) / 2.0, cy = (rect.top + rect.bottom - 1) / 2.0;
    double rx = (rect.Width() - 1) / 2.0, ry = (rect.Height() - 1) / 2.0;
    if (rx <= 0 || ry <= 0)
        return FALSE;
    CPen* pen = state_.pen;
    bool hasPen = pen && pen->Style() != PS_NULL;
    for (int y = rect.top; y < rect.bottom; ++y) {
        double dy = (y - cy) / ry;
        double half = dy * dy <= 1 ? rx * std::sqrt(1 - dy * dy) : -1;
        if (half < 0)
            continue;
        int x0 = static_cast<int>(std::lround(cx - half));
        int x1 = static_cast<int>(std::lround(cx + half));
        FillWithBrush(CRect(x0, y, x1 + 1, y + 1), state_.brush, state_.rop2);
        if (hasPen) {
            FillSurfaceRect(CRect(x0, y, x0 + 1, y + 1), pen->Color(), state_.rop2);
            if (x1 != x0)
                FillSurfaceRect(CRect(x1, y, x1 + 1, y + 1), pen->Color(), state_.rop2);
        }
    }
    return TRUE;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (rect)
        FillWithBrush(CRect(rect), brush, R2_COPYPEN);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    if (rect)
        FillSurfaceRect(CRect(rect), color, R2_COPYPEN);
    state_.bkColor = color; // the desktop fills through the background colour
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    CRect r(x, y, x + cx, y + cy);
    FillSolidRect(&r, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    CRect r(rect);
    if (r.IsRectEmpty())
        return;
    FillWithBrush(CRect(r.left, r.top, r.right, r.top + 1), brush, R2_COPYPEN);
    FillWithBrush(CRect(r.left, r.bottom - 1, r.right, r.bottom), brush, R2_COPYPEN);
    FillWithBrush(CRect(r.left, r.top + 1, r.left + 1, r.bottom - 1), brush, R2_COPYPEN);
    FillWithBrush(CRect(r.right - 1, r.top + 1, r.right, r.bottom - 1), brush, R2_COPYPEN);
}

void CDC::InvertRect(LPCRECT rect) {
    if (rect)
        FillSurfaceRect(CRect(rect), 0, R2_NOT);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    COLORREF bk = state_.bkColor;
    FillSurfaceRect(CRect(x, y, x + cx - 1, y + 1), topLeft, R2_COPYPEN);
    FillSurfaceRect(CRect(x, y, x + 1, y + cy - 1), topLeft, R2_COPYPEN);
    FillSurfaceRect(CRect(x + cx - 1, y, x + cx, y + cy), bottomRight, R2_COPYPEN);
    FillSurfaceRect(CRect(x, y + cy - 1, x + cx, y + cy), bottomRight, R2_COPYPEN);
    state_.bkColor = bk;
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
               bottomRight);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
    CRect r(rect);
    auto side = [&](COLORREF tl, COLORREF br) {
        if (flags & BF_TOP)
            FillSurfaceRect(CRect(r.left, r.top, r.right - 1, r.top + 1), tl, R2_COPYPEN);
        if (flags & BF_LEFT)
            FillSurfaceRect(CRect(r.left, r.top, r.left + 1, r.bottom - 1), tl, R2_COPYPEN);
        if (flags & BF_BOTTOM)
            FillSurfaceRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), br, R2_COPYPEN);
        if (flags & BF_RIGHT)
            FillSurfaceRect(CRect(r.right - 1, r.top, r.right, r.bottom), br, R2_COPYPEN);
        if (flags & BF_TOP)
            ++r.top;
        if (flags & BF_LEFT)
            ++r.left;
        if (flags & BF_BOTTOM)
            --r.bottom;
        if (flags & BF_RIGHT)
            --r.right;
    };
    bool soft = flags & BF_SOFT;
    if (flags & BF_MONO) {
        if (edge & 0x3)
            side(RGB(0, 0, 0), RGB(0, 0, 0));
    } else if (flags & BF_FLAT) {
        if (edge & 0x3)
            side(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        if (edge & 0xC)
            side(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    } else {
        if (edge & BDR_RAISEDOUTER)
            side(soft ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_3DLIGHT),
                 GetSysColor(COLOR_3DDKSHADOW));
        else if (edge & BDR_SUNKENOUTER)
            side(soft ? GetSysColor(COLOR_3DDKSHADOW) : GetSysColor(COLOR_BTNSHADOW),
                 GetSysColor(COLOR_BTNHIGHLIGHT));
        if (edge & BDR_RAISEDINNER)
            side(soft ? GetSysColor(COLOR_3DLIGHT) : GetSysColor(COLOR_BTNHIGHLIGHT),
                 GetSysColor(COLOR_BTNSHADOW));
        else if (edge & BDR_SUNKENINNER)
            side(soft ? GetSysColor(COLOR_BTNSHADOW) : GetSysColor(COLOR_3DDKSHADOW),
                 GetSysColor(COLOR_3DLIGHT));
    }
    if (flags & BF_MIDDLE)
        FillSurfaceRect(r, GetSysColor(COLOR_BTNFACE), R2_COPYPEN);
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rect) {
    CRect r(rect);
    if (r.IsRectEmpty() || !surface_)
        return;
    // Every other pixel of the border is inverted; each pixel once, so twice restores it.
    ui::Region clip = EffectiveClip();
    CPoint o = ToSurface(0, 0);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            PlotPixel(x + o.x, y + o.y, 0xFFFFFF, R2_XORPEN, clip);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
}

BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state) {
    CRect r(rect);
    bool pushed = state & DFCS_PUSHED, inactive = state & DFCS_INACTIVE;
    auto buttonFace = [&](CRect face) {
        FillSurfaceRect(face, GetSysColor(COLOR_BTNFACE), R2_COPYPEN);
        if (state & DFCS_FLAT)
            Draw3dRect(&face, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        else if (pushed)
            Draw3dRect(&face, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        else
            DrawEdge(&face, EDGE_RAISED, BF_RECT | BF_SOFT);
    };
    // A glyph drawn black, or embossed grey when inactive.
    auto glyph = [&](auto&& paint) {
        int shift = pushed ? 1 : 0;
        if (inactive) {
            paint(shift + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
            paint(shift, GetSysColor(COLOR_BTNSHADOW));
        } else
            paint(shift, RGB(0, 0, 0));
    };
    if (type == DFC_BUTTON && (state & DFCS_BUTTONPUSH)) {
        buttonFace(r);
        return TRUE;
    }
    if (type == DFC_BUTTON && (state & DFCS_BUTTONRADIO)) {
        // The classic round button, pixel by pixel: outer ring shadow over highlight, inner
        // ring dark shadow over light, a window-coloured well and a dot when checked.
        static const char* const ring[12] = {"....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDH.",
                                             ".SDWWWWWWLH.", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
                                             "SDWWWWWWWWLH", "SDWWWWWWWWLH", ".SDWWWWWWLH.",
                                             ".SLLWWWWLLH.", "..HHLLLLHH..", "....HHHH...."};
        static const char* const dot[4] = {".XX.", "XXXX", "XXXX", ".XX."};
        int left = r.left, top = r.top + (r.Height() - 12) / 2;
        COLORREF well =
            (pushed || inactive) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                char c = ring[y][x];
                if (c == '.')
                    continue;
                COLORREF color = c == 'S'   ? GetSysColor(COLOR_BTNSHADOW)
                                 : c == 'D' ? GetSysColor(COLOR_3DDKSHADOW)
                                 : c == 'H' ? GetSysColor(COLOR_BTNHIGHLIGHT)
                                 : c == 'L' ? GetSysColor(COLOR_3DLIGHT)
                                            : well;
                FillSurfaceRect(CRect(left + x, top + y, left + x + 1, top + y + 1), color,
                                R2_COPYPEN);
            }
        if (state & DFCS_CHECKED) {
            COLORREF mark = inactive ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    if (dot[y][x] == 'X')
                        FillSurfaceRect(CRect(left + 4 + x, top + 4 + y, left + 5 + x, top + 5 + y),
                                        mark, R2_COPYPEN);
        }
        return TRUE;
    }
    if (type == DFC_BUTTON) {
        CRect box(r.left, r.top + (r.Height() - 13) / 2, r.left + 13,
                  r.top + (r.Height() - 13) / 2 + 13);
        CRect inner = box;
        if (state & DFCS_FLAT)
            Draw3dRect(&inner, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)),
                inner.DeflateRect(1, 1);
        else
            DrawEdge(&inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillSurfaceRect(
            inner, (pushed || inactive) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW),
            R2_COPYPEN);
        if (state & DFCS_CHECKED) {
            static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
            COLORREF mark = inactive ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT);
            for (int i = 0; i < 7; ++i)
                FillSurfaceRect(CRect(inner.left + 1 + i, inner.top + 1 + tops[i],
                                      inner.left + 2 + i, inner.top + 4 + tops[i]),
                                mark, R2_COPYPEN);
        }
        return TRUE;
    }
    if (type == DFC_SCROLL) {
        buttonFace(r);
        UINT dir = state & 0xF;
        int size = std::max(2, (std::min(r.Width(), r.Height()) - 4) / 3); // arrow height
        int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
        glyph([&](int shift, COLORREF color) {
            for (int i = 0; i < size; ++i) {
                int half = i; // rows widen by one pixel each side
                if (dir == DFCS_SCROLLUP || dir == DFCS_SCROLLDOWN) {
                    int y = dir == DFCS_SCROLLUP ? cy - size / 2 + i : cy + size / 2 - i;
                    FillSurfaceRect(
                        CRect(cx - half + shift, y + shift, cx + half + 1 + shift, y + 1 + shift),
                        color, R2_COPYPEN);
                } else {
                    int x = dir == DFCS_SCROLLLEFT ? cx - size / 2 + i : cx + size / 2 - i;
                    FillSurfaceRect(
                        CRect(x + shift, cy - half + shift, x + 1 + shift, cy + half + 1 + shift),
                        color, R2_COPYPEN);
                }
            }
        });
        return TRUE;
    }
    if (type == DFC_CAPTION) {
        buttonFace(r);
        int cx = r.left + (r.Width() - 8) / 2, cy = r.top + (r.Height() - 7) / 2;
        glyph([&](int shift, COLORREF color) {
            for (int i = 0; i < 7; ++i) {
                FillSurfaceRect(
                    CRect(cx + i + shift, cy + i + shift, cx + i + 2 + shift, cy + i + 1 + shift),
                    color, R2_COPYPEN);
                FillSurfaceRect(CRect(cx + 6 - i + shift, cy + i + shift, cx + 8 - i + shift,
                                      cy + i + 1 + shift),
                                color, R2_COPYPEN);
            }
        });
        return TRUE;
    }
    return FALSE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    CRect r(x, y, x + width, y + height);
    switch (rop) {
    case PATCOPY:
        FillWithBrush(r, state_.brush, R2_COPYPEN);
        break;
    case PATINVERT:
        FillWithBrush(r, state_.brush, R2_XORPEN);
        break;
    case DSTINVERT:
        FillSurfaceRect(r, 0, R2_NOT);
        break;
    case BLACKNESS:
        FillSurfaceRect(r, RGB(0, 0, 0), R2_COPYPEN);
        break;
    case WHITENESS:
        FillSurfaceRect(r, RGB(255, 255, 255), R2_COPYPEN);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}
