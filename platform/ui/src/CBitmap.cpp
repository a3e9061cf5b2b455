#include <afxwin.h>

#include <cairo.h>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "Utf8.h"

namespace {

cairo_surface_t* NewSurface(int width, int height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width < 1 ? 1 : width,
                                                    height < 1 ? 1 : height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

std::uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

// Decodes an uncompressed BMP (1, 4, 8, 24 or 32 bits per pixel); null when it is not one.
cairo_surface_t* DecodeBmp(const std::vector<unsigned char>& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return nullptr;
    std::uint32_t dataAt = Le(b, 10, 4);
    std::uint32_t headerSize = Le(b, 14, 4);
    if (headerSize < 40)
        return nullptr;
    int width = static_cast<std::int32_t>(Le(b, 18, 4));
    int height = static_cast<std::int32_t>(Le(b, 22, 4));
    int bpp = static_cast<int>(Le(b, 28, 2));
    std::uint32_t compression = Le(b, 30, 4);
    std::uint32_t colorsUsed = Le(b, 46, 4);
    bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384 ||
        (compression != 0 && !(compression == 3 && bpp == 32)))
        return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return nullptr;
    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        std::size_t count = colorsUsed ? colorsUsed : (1u << bpp);
        std::size_t at = 14 + headerSize;
        for (std::size_t i = 0; i < count && at + 4 <= b.size(); ++i, at += 4)
            palette.push_back((b[at + 2] << 16) | (b[at + 1] << 8) | b[at]);
    }
    std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    if (dataAt + stride * static_cast<std::size_t>(height) > b.size())
        return nullptr;
    cairo_surface_t* s = NewSurface(width, height);
    if (!s)
        return nullptr;
    cairo_surface_flush(s);
    unsigned char* out = cairo_image_surface_get_data(s);
    int outStride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < height; ++y) {
        int srcRow = topDown ? y : height - 1 - y;
        const unsigned char* row = &b[dataAt + stride * static_cast<std::size_t>(srcRow)];
        auto* px = reinterpret_cast<std::uint32_t*>(out + y * outStride);
        for (int x = 0; x < width; ++x) {
            std::uint32_t v = 0;
            if (bpp == 24 || bpp == 32) {
                const unsigned char* p = row + x * (bpp / 8);
                v = (p[2] << 16) | (p[1] << 8) | p[0];
            } else {
                int bit = x * bpp;
                int idx = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
                v = static_cast<std::size_t>(idx) < palette.size() ? palette[idx] : 0;
            }
            px[x] = v;
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

} // namespace

void CBitmap::Release() {
    if (surface_)
        cairo_surface_destroy(surface_);
    surface_ = nullptr;
    width_ = height_ = 0;
}

BOOL CBitmap::Adopt(cairo_surface_t* surface) {
    if (!surface)
        return FALSE;
    Release();
    surface_ = surface;
    width_ = cairo_image_surface_get_width(surface);
    height_ = cairo_image_surface_get_height(surface);
    SetCreated();
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height) {
    if (width < 0 || height < 0)
        return FALSE;
    if (!Adopt(NewSurface(width, height)))
        return FALSE;
    width_ = width;
    height_ = height;
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
    if (!CreateCompatibleBitmap(nullptr, width, height))
        return FALSE;
    if (!bits)
        return TRUE;
    const auto* src = static_cast<const unsigned char*>(bits);
    std::size_t stride = bitsPerPixel == 1 ? ((static_cast<std::size_t>(width) + 15) / 16) * 2
                                           : static_cast<std::size_t>(width) * (bitsPerPixel / 8);
    cairo_surface_flush(surface_);
    unsigned char* out = cairo_image_surface_get_data(surface_);
    int outStride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height; ++y) {
        auto* px = reinterpret_cast<std::uint32_t*>(out + y * outStride);
        const unsigned char* row = src + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x) {
            if (bitsPerPixel == 1)
                px[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0;
            else {
                const unsigned char* p = row + x * (bitsPerPixel / 8);
                px[x] = (p[2] << 16) | (p[1] << 8) | p[0];
            }
        }
    }
    cairo_surface_mark_dirty(surface_);
    return TRUE;
}

BOOL CBitmap::LoadBitmapFile(LPCTSTR path) {
    if (!path)
        return FALSE;
    std::ifstream in(crt::ToUtf8(path), std::ios::binary);
    if (!in)
        return FALSE;
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    return Adopt(DecodeBmp(bytes));
}

BOOL CBitmap::LoadBitmap(UINT) {
    return FALSE; // the module carries no bitmap resources
}

BOOL CBitmap::Attach(HGDIOBJ other) {
    auto* bitmap = dynamic_cast<CBitmap*>(other);
    if (!bitmap || !bitmap->surface_)
        return FALSE;
    Adopt(cairo_surface_reference(bitmap->surface_));
    delete bitmap;
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* info) const {
    if (!surface_)
        return 0;
    *info = BITMAP{0,
                   width_,
                   height_,
                   cairo_image_surface_get_stride(surface_),
                   1,
                   32,
                   cairo_image_surface_get_data(surface_)};
    return sizeof(BITMAP);
}

CSize CBitmap::GetBitmapDimension() const {
    return {width_, height_};
}

HGDIOBJ LoadImage(HINSTANCE, LPCTSTR name, UINT type, int, int, UINT flags) {
    if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || IS_INTRESOURCE(name))
        return nullptr;
    auto* bitmap = new CBitmap;
    bitmap->MarkHandleOwned();
    if (!bitmap->LoadBitmapFile(name)) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}
