// Block transfers and scrolling.

#include <afxwin.h>

#include <algorithm>
#include <cstdint>

#include "Pixels.h"

using namespace ui::pixels;

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) {
    if (!src || rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS ||
        rop == WHITENESS)
        return PatBlt(x, y, width, height, rop);
    return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                     int srcWidth, int srcHeight, DWORD rop) {
    if (!surface_ || !src || !src->surface_ || width == 0 || height == 0 || srcWidth == 0 ||
        srcHeight == 0)
        return FALSE;
    // Read the source first: source and target may be the same surface.
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(std::abs(srcWidth)) *
                                      static_cast<std::size_t>(std::abs(srcHeight)));
    std::vector<bool> valid(buffer.size());
    {
        Pixels sp(src->surface_);
        CPoint o = src->ToSurface(xSrc, ySrc);
        for (int j = 0; j < std::abs(srcHeight); ++j)
            for (int i = 0; i < std::abs(srcWidth); ++i) {
                std::size_t k = static_cast<std::size_t>(j) * std::abs(srcWidth) + i;
                if (sp.Inside(o.x + i, o.y + j)) {
                    buffer[k] = sp.At(o.x + i, o.y + j);
                    valid[k] = true;
                }
            }
    }
    CRect dest(x, y, x + width, y + height);
    dest.NormalizeRect();
    CPoint d0 = ToSurface(dest.left, dest.top);
    ui::Region clip = EffectiveClip();
    CRect sd = dest;
    sd.OffsetRect(ToSurface(0, 0));
    clip.Intersect(sd);
    std::uint32_t pattern = ToPixel(state_.brush ? state_.brush->Color() : 0);
    Pixels px(surface_);
    int aw = std::abs(width), ah = std::abs(height), sw = std::abs(srcWidth),
        sh = std::abs(srcHeight);
    bool flipX = (width < 0) != (srcWidth < 0), flipY = (height < 0) != (srcHeight < 0);
    for (CRect part : clip.Rects()) {
        part = part & px.Bounds();
        for (int py = part.top; py < part.bottom; ++py)
            for (int px_ = part.left; px_ < part.right; ++px_) {
                int dx = px_ - d0.x, dy = py - d0.y;
                if (flipX)
                    dx = aw - 1 - dx;
                if (flipY)
                    dy = ah - 1 - dy;
                int sx = dx * sw / aw, sy = dy * sh / ah;
                std::size_t k = static_cast<std::size_t>(sy) * sw + sx;
                if (k >= buffer.size() || !valid[k])
                    continue;
                px.At(px_, py) = Rop3(rop, px.At(px_, py), buffer[k], pattern);
            }
    }
    return TRUE;
}

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT scroll, LPCRECT clipRect, CRgn* update,
                   LPRECT updateRect) {
    CRect box;
    GetClipBox(&box);
    CRect src = scroll ? CRect(scroll) : box;
    CRect limit = clipRect ? CRect(clipRect) : box;
    CRect dest = src;
    dest.OffsetRect(dx, dy);
    CRect moved = dest & limit;
    if (surface_ && !moved.IsRectEmpty()) {
        // Copy through a buffer (source and destination may overlap), row by row, then write
        // only where the clip allows. The source is a rectangle, so what exists of it is one
        // rectangle too, and every row is one span.
        Pixels px(surface_);
        const CPoint o = ToSurface(0, 0);
        CRect surfaceInDevice = px.Bounds();
        surfaceInDevice.OffsetRect(-o.x, -o.y);
        CRect landing = src & surfaceInDevice;
        landing.OffsetRect(dx, dy);
        landing = landing & moved;
        if (!landing.IsRectEmpty()) {
            const int width = landing.Width();
            std::vector<std::uint32_t> copy(static_cast<std::size_t>(width) * landing.Height());
            for (int y = landing.top; y < landing.bottom; ++y) {
                CPoint from = ToSurface(landing.left - dx, y - dy);
                std::copy_n(&px.At(from.x, from.y), width,
                            &copy[static_cast<std::size_t>(y - landing.top) * width]);
            }
            ui::Region clip = EffectiveClip();
            CRect target = landing;
            target.OffsetRect(o);
            clip.Intersect(target);
            for (CRect part : clip.Rects()) {
                part = part & px.Bounds();
                for (int y = part.top; y < part.bottom; ++y) {
                    std::size_t k = static_cast<std::size_t>(y - o.y - landing.top) * width +
                                    (part.left - o.x - landing.left);
                    std::copy_n(&copy[k], part.Width(), &px.At(part.left, y));
                }
            }
        }
    }
    ui::Region uncovered(src & limit);
    uncovered.Subtract(moved);
    if (update)
        update->SetRegion(uncovered);
    if (updateRect)
        *updateRect = uncovered.Bounds();
    return TRUE;
}
