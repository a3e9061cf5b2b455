#pragma once

#include "platform/ui/CGdiObject.h"

class CBitmap;

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(Kind::Brush) {}
    explicit CBrush(COLORREF color) : CBrush() { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color) {
        style_ = BS_SOLID;
        color_ = color;
        SetCreated();
        return TRUE;
    }
    BOOL CreateStockNull() {
        style_ = BS_NULL;
        SetCreated();
        return TRUE;
    }
    // A pattern brush paints its bitmap tiled from the device origin.
    BOOL CreatePatternBrush(CBitmap* bitmap) {
        style_ = BS_PATTERN;
        pattern_ = bitmap;
        SetCreated();
        return bitmap != nullptr;
    }
    int GetLogBrush(LOGBRUSH* brush) const {
        *brush = LOGBRUSH{style_, color_, 0};
        return sizeof(LOGBRUSH);
    }
    operator HBRUSH() const { return static_cast<HBRUSH>(const_cast<CBrush*>(this)); }
    static CBrush* FromHandle(HBRUSH brush) { return brush; }

    UINT Style() const { return style_; }
    COLORREF Color() const { return color_; }
    CBitmap* Pattern() const { return pattern_; }

private:
    UINT style_ = BS_SOLID;
    COLORREF color_ = 0;
    CBitmap* pattern_ = nullptr;
};
