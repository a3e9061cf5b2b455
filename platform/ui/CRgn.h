#pragma once

#include "platform/ui/CGdiObject.h"
#include "platform/ui/Region.h"

class CRgn : public CGdiObject {
public:
    CRgn() : CGdiObject(Kind::Region) {}
    BOOL CreateRectRgn(int l, int t, int r, int b) {
        region_ = ui::Region(CRect(l, t, r, b));
        SetCreated();
        return TRUE;
    }
    BOOL CreateRectRgnIndirect(LPCRECT r) {
        return CreateRectRgn(r->left, r->top, r->right, r->bottom);
    }
    void SetRectRgn(int l, int t, int r, int b) { region_ = ui::Region(CRect(l, t, r, b)); }
    void SetRectRgn(LPCRECT r) { SetRectRgn(r->left, r->top, r->right, r->bottom); }
    // Combines a and b into this region (which must exist) and answers the kind of result.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* src) { return CombineRgn(src, nullptr, RGN_COPY); }
    int OffsetRgn(int dx, int dy) {
        region_.Offset(dx, dy);
        return Complexity();
    }
    int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
    int GetRgnBox(LPRECT rect) const {
        *rect = region_.Bounds();
        return Complexity();
    }
    BOOL PtInRegion(int x, int y) const { return region_.Contains(POINT{x, y}); }
    BOOL PtInRegion(POINT p) const { return region_.Contains(p); }
    BOOL RectInRegion(LPCRECT r) const { return region_.Intersects(*r); }
    BOOL EqualRgn(const CRgn* other) const { return region_ == other->region_; }
    operator HRGN() const { return static_cast<HRGN>(const_cast<CRgn*>(this)); }

    const ui::Region& Region() const { return region_; }
    void SetRegion(const ui::Region& r) {
        region_ = r;
        SetCreated();
    }
    int Complexity() const {
        return region_.IsEmpty() ? NULLREGION
                                 : (region_.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION);
    }

private:
    ui::Region region_;
};
