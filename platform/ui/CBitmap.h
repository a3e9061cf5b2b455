#pragma once
// A bitmap is a 24-bit pixel surface; device contexts draw into it once it is selected.

#include "platform/ui/CGdiObject.h"

typedef struct _cairo_surface cairo_surface_t;
class CDC;

class CBitmap : public CGdiObject {
public:
    CBitmap() : CGdiObject(Kind::Bitmap) {}
    ~CBitmap() override { Release(); }

    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // bits: rows of `bitsPerPixel` (1, 24 or 32) pixels, each row padded to 16 bits as the
    // desktop expects of this call.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL LoadBitmap(UINT resourceId);
    BOOL LoadBitmapFile(LPCTSTR path); // a BMP file
    BOOL Attach(HGDIOBJ other);        // takes over another bitmap's pixels
    int GetBitmap(BITMAP* info) const;
    CSize GetBitmapDimension() const;
    operator HBITMAP() const { return static_cast<HBITMAP>(const_cast<CBitmap*>(this)); }
    static CBitmap* FromHandle(HBITMAP bitmap) { return bitmap; }

    cairo_surface_t* Surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    void Release() override;

private:
    BOOL Adopt(cairo_surface_t* surface);
    cairo_surface_t* surface_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Loads a BMP file as a new bitmap (LR_LOADFROMFILE); the caller deletes it.
HGDIOBJ LoadImage(HINSTANCE instance, LPCTSTR name, UINT type, int cx, int cy, UINT flags);
