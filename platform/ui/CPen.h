#pragma once

#include "platform/ui/CGdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int style, int width, COLORREF color) : CPen() { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color) {
        style_ = style;
        width_ = width < 1 ? 1 : width;
        color_ = color;
        SetCreated();
        return TRUE;
    }
    BOOL CreatePenIndirect(const LOGPEN* pen) {
        return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
    }
    int GetLogPen(LOGPEN* pen) const {
        *pen = LOGPEN{static_cast<UINT>(style_), POINT{width_, 0}, color_};
        return sizeof(LOGPEN);
    }
    operator HPEN() const { return static_cast<HPEN>(const_cast<CPen*>(this)); }

    int Style() const { return style_; }
    int Width() const { return width_; }
    COLORREF Color() const { return color_; }

private:
    int style_ = PS_SOLID;
    int width_ = 1;
    COLORREF color_ = 0;
};
