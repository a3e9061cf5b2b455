#include <afxwin.h>

#include <cstdint>
#include <utility>

#include "Pixels.h"

using namespace ui::pixels;

CDC::CDC() {
    defaultBitmap_.CreateCompatibleBitmap(nullptr, 1, 1);
    ResetState();
}

CDC::~CDC() {
    DetachSurface();
}

void CDC::ResetState() {
    state_ = State{};
    state_.pen = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    state_.brush = static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    state_.font = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    saved_.clear();
}

void CDC::AttachSurface(cairo_surface_t* surface, POINT origin, const ui::Region& visible,
                        CWnd* window) {
    DetachSurface();
    if (surface)
        surface_ = cairo_surface_reference(surface);
    origin_ = origin;
    visible_ = visible;
    window_ = window;
    m_hDC = m_hAttribDC = this;
}

void CDC::DetachSurface() {
    if (surface_)
        cairo_surface_destroy(surface_);
    surface_ = nullptr;
}

BOOL CDC::CreateCompatibleDC(CDC*) {
    ResetState();
    bitmap_ = &defaultBitmap_;
    AttachSurface(defaultBitmap_.Surface(), POINT{0, 0}, ui::Region(CRect(0, 0, 1, 1)), nullptr);
    return TRUE;
}

BOOL CDC::DeleteDC() {
    DetachSurface();
    bitmap_ = nullptr;
    m_hDC = m_hAttribDC = nullptr;
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const {
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case BITSPIXEL:
        return 24;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case HORZRES:
        return surface_ ? cairo_image_surface_get_width(surface_) : 0;
    case VERTRES:
        return surface_ ? cairo_image_surface_get_height(surface_) : 0;
    default:
        return 0;
    }
}

// ---- objects ----

CPen* CDC::SelectObject(CPen* pen) {
    CPen* old = state_.pen;
    if (pen)
        state_.pen = pen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    CBrush* old = state_.brush;
    if (brush)
        state_.brush = brush;
    return old;
}

CFont* CDC::SelectObject(CFont* font) {
    CFont* old = state_.font;
    if (font && font->GetSafeHandle())
        state_.font = font;
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (!bitmap || !bitmap->Surface() || window_)
        return nullptr;
    CBitmap* old = bitmap_;
    bitmap_ = bitmap;
    AttachSurface(bitmap->Surface(), POINT{0, 0},
                  ui::Region(CRect(0, 0, bitmap->Width(), bitmap->Height())), nullptr);
    return old;
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object)
        return nullptr;
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
        return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush:
        return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font:
        return SelectObject(static_cast<CFont*>(object));
    case CGdiObject::Kind::Bitmap:
        return SelectObject(static_cast<CBitmap*>(object));
    case CGdiObject::Kind::Region:
        SelectClipRgn(static_cast<CRgn*>(object));
        return nullptr;
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    return SelectObject(GetStockObject(index));
}

int CDC::SaveDC() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

BOOL CDC::RestoreDC(int saved) {
    if (saved < 0)
        saved = static_cast<int>(saved_.size()) + 1 + saved;
    if (saved < 1 || saved > static_cast<int>(saved_.size()))
        return FALSE;
    state_ = saved_[static_cast<std::size_t>(saved - 1)];
    saved_.resize(static_cast<std::size_t>(saved - 1));
    return TRUE;
}

// ---- attributes ----

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(state_.textColor, color);
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(state_.bkColor, color);
}

int CDC::SetBkMode(int mode) {
    return std::exchange(state_.bkMode, mode);
}

int CDC::SetROP2(int mode) {
    int old = state_.rop2;
    if (mode >= R2_BLACK && mode <= R2_WHITE)
        state_.rop2 = mode;
    return old;
}

UINT CDC::SetTextAlign(UINT flags) {
    return std::exchange(state_.textAlign, flags);
}

int CDC::SetStretchBltMode(int) {
    return COLORONCOLOR;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    CPoint old = state_.viewportOrg;
    state_.viewportOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    CPoint old = state_.viewportOrg;
    state_.viewportOrg.Offset(dx, dy);
    return old;
}

// ---- clipping ----

ui::Region CDC::EffectiveClip() const {
    ui::Region r = visible_;
    if (state_.hasClip) {
        ui::Region c = state_.clip;
        c.Offset(origin_.x, origin_.y);
        r.Intersect(c);
    }
    return r;
}

CPoint CDC::ToSurface(int x, int y) const {
    return {x + state_.viewportOrg.x + origin_.x, y + state_.viewportOrg.y + origin_.y};
}

int CDC::SelectClipRgn(CRgn* region) {
    if (!region) {
        state_.hasClip = false;
        state_.clip.Clear();
    } else {
        state_.hasClip = true;
        state_.clip = region->Region();
    }
    ui::Region eff = EffectiveClip();
    return eff.IsEmpty() ? NULLREGION : (eff.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

int CDC::IntersectClipRect(int l, int t, int r, int b) {
    CRect rect(l + state_.viewportOrg.x, t + state_.viewportOrg.y, r + state_.viewportOrg.x,
               b + state_.viewportOrg.y);
    if (!state_.hasClip) {
        state_.hasClip = true;
        state_.clip = visible_;
        state_.clip.Offset(-origin_.x, -origin_.y);
    }
    state_.clip.Intersect(rect);
    return state_.clip.IsEmpty() ? NULLREGION : COMPLEXREGION;
}

int CDC::ExcludeClipRect(int l, int t, int r, int b) {
    CRect rect(l + state_.viewportOrg.x, t + state_.viewportOrg.y, r + state_.viewportOrg.x,
               b + state_.viewportOrg.y);
    if (!state_.hasClip) {
        state_.hasClip = true;
        state_.clip = visible_;
        state_.clip.Offset(-origin_.x, -origin_.y);
    }
    state_.clip.Subtract(rect);
    return state_.clip.IsEmpty() ? NULLREGION : COMPLEXREGION;
}

int CDC::GetClipBox(LPRECT rect) const {
    ui::Region eff = EffectiveClip();
    CRect box = eff.Bounds();
    box.OffsetRect(-origin_.x - state_.viewportOrg.x, -origin_.y - state_.viewportOrg.y);
    *rect = box;
    return eff.IsEmpty() ? NULLREGION : (eff.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL CDC::PtVisible(int x, int y) const {
    return EffectiveClip().Contains(ToSurface(x, y));
}

BOOL CDC::RectVisible(LPCRECT rect) const {
    CRect r(rect);
    r.OffsetRect(ToSurface(0, 0));
    return EffectiveClip().Intersects(r);
}

// ---- pixels ----

void CDC::PlotPixel(int sx, int sy, std::uint32_t color, int rop2, const ui::Region& clip) {
    if (!clip.Contains(POINT{sx, sy}))
        return;
    Pixels px(surface_);
    if (px.Inside(sx, sy))
        px.At(sx, sy) = Mix(rop2, px.At(sx, sy), color);
}

void CDC::FillSurfaceRect(const CRect& deviceRect, COLORREF color, int rop2) {
    if (!surface_)
        return;
    CRect r = deviceRect;
    r.NormalizeRect();
    r.OffsetRect(ToSurface(0, 0));
    ui::Region clip = EffectiveClip();
    clip.Intersect(r);
    Pixels px(surface_);
    std::uint32_t c = ToPixel(color);
    for (CRect part : clip.Rects()) {
        part = part & px.Bounds();
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x)
                px.At(x, y) = Mix(rop2, px.At(x, y), c);
    }
}

void CDC::FillWithBrush(const CRect& deviceRect, CBrush* brush, int rop2) {
    if (!brush || !brush->GetSafeHandle() || brush->Style() == BS_NULL)
        return;
    if (brush->Style() != BS_PATTERN || !brush->Pattern() || !brush->Pattern()->Surface()) {
        FillSurfaceRect(deviceRect, brush->Color(), rop2);
        return;
    }
    CBitmap* pattern = brush->Pattern();
    Pixels src(pattern->Surface());
    CRect r = deviceRect;
    r.NormalizeRect();
    r.OffsetRect(ToSurface(0, 0));
    ui::Region clip = EffectiveClip();
    clip.Intersect(r);
    Pixels px(surface_);
    for (CRect part : clip.Rects()) {
        part = part & px.Bounds();
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x)
                px.At(x, y) =
                    Mix(rop2, px.At(x, y), src.At(x % pattern->Width(), y % pattern->Height()));
    }
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    CPoint s = ToSurface(x, y);
    PlotPixel(s.x, s.y, ToPixel(color), R2_COPYPEN, EffectiveClip());
    return color;
}

COLORREF CDC::GetPixel(int x, int y) const {
    CPoint s = ToSurface(x, y);
    Pixels px(surface_);
    if (!px.Inside(s.x, s.y))
        return static_cast<COLORREF>(-1);
    return FromPixel(px.At(s.x, s.y));
}
