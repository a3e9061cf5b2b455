#pragma once

#include <memory>

#include "platform/ui/CGdiObject.h"
#include "platform/ui/FontFace.h"

class CDC;

class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(Kind::Font) {}
    BOOL CreateFontIndirect(const LOGFONT* font);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    // Size in tenths of a point at the display's 96 pixels per inch.
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
    int GetLogFont(LOGFONT* font) const {
        *font = logFont_;
        return sizeof(LOGFONT);
    }
    operator HFONT() const { return static_cast<HFONT>(const_cast<CFont*>(this)); }
    static CFont* FromHandle(HFONT font) { return font; }

    const ui::FontFace& Face() const { return *face_; }

protected:
    void Release() override { face_.reset(); }

private:
    LOGFONT logFont_{};
    std::shared_ptr<ui::FontFace> face_;
};
