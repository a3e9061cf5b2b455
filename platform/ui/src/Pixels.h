#pragma once
// Pixel access and raster operations shared by the device context's drawing files.

#include <cairo.h>
#include <cstdint>

#include <atltypes.h>
#include <windows.h>

namespace ui::pixels {

inline std::uint32_t ToPixel(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

inline COLORREF FromPixel(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

inline std::uint32_t Mix(int rop2, std::uint32_t d, std::uint32_t p) {
    std::uint32_t r = 0;
    switch (rop2) {
    case R2_BLACK:
        r = 0;
        break;
    case R2_NOTMERGEPEN:
        r = ~(p | d);
        break;
    case R2_MASKNOTPEN:
        r = ~p & d;
        break;
    case R2_NOTCOPYPEN:
        r = ~p;
        break;
    case R2_MASKPENNOT:
        r = p & ~d;
        break;
    case R2_NOT:
        r = ~d;
        break;
    case R2_XORPEN:
        r = p ^ d;
        break;
    case R2_NOTMASKPEN:
        r = ~(p & d);
        break;
    case R2_MASKPEN:
        r = p & d;
        break;
    case R2_NOTXORPEN:
        r = ~(p ^ d);
        break;
    case R2_NOP:
        r = d;
        break;
    case R2_MERGENOTPEN:
        r = ~p | d;
        break;
    case R2_MERGEPENNOT:
        r = p | ~d;
        break;
    case R2_MERGEPEN:
        r = p | d;
        break;
    case R2_WHITE:
        r = 0xFFFFFF;
        break;
    default:
        r = p;
        break;
    }
    return r & 0xFFFFFF;
}

inline std::uint32_t Rop3(DWORD rop, std::uint32_t d, std::uint32_t s, std::uint32_t p) {
    std::uint32_t r;
    switch (rop) {
    case SRCPAINT:
        r = s | d;
        break;
    case SRCAND:
        r = s & d;
        break;
    case SRCINVERT:
        r = s ^ d;
        break;
    case NOTSRCCOPY:
        r = ~s;
        break;
    case DSTINVERT:
        r = ~d;
        break;
    case PATCOPY:
        r = p;
        break;
    case PATINVERT:
        r = p ^ d;
        break;
    case BLACKNESS:
        r = 0;
        break;
    case WHITENESS:
        r = 0xFFFFFF;
        break;
    default:
        r = s;
        break;
    }
    return r & 0xFFFFFF;
}

// Direct access to a surface's pixels for the duration of one drawing call.
class Pixels {
public:
    explicit Pixels(cairo_surface_t* s) : s_(s) {
        if (!s_)
            return;
        cairo_surface_flush(s_);
        data_ = cairo_image_surface_get_data(s_);
        stride_ = cairo_image_surface_get_stride(s_);
        width_ = cairo_image_surface_get_width(s_);
        height_ = cairo_image_surface_get_height(s_);
    }
    ~Pixels() {
        if (s_)
            cairo_surface_mark_dirty(s_);
    }
    bool Inside(int x, int y) const {
        return data_ && x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    std::uint32_t& At(int x, int y) {
        return reinterpret_cast<std::uint32_t*>(data_ + y * stride_)[x];
    }
    CRect Bounds() const { return {0, 0, width_, height_}; }

private:
    cairo_surface_t* s_;
    unsigned char* data_ = nullptr;
    int stride_ = 0, width_ = 0, height_ = 0;
};

} // namespace ui::pixels
