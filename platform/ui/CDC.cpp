#include "platform/ui/CDC.h"

#include <cairo.h>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/ui/CString.h"
#include "platform/ui/ClassicColors.h"

namespace {

std::uint32_t ToPixel(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

COLORREF FromPixel(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::uint32_t Mix(int rop2, std::uint32_t d, std::uint32_t p) {
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

std::uint32_t Rop3(DWORD rop, std::uint32_t d, std::uint32_t s, std::uint32_t p) {
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

} // namespace

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
    COLORREF old = state_.textColor;
    state_.textColor = color;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF color) {
    COLORREF old = state_.bkColor;
    state_.bkColor = color;
    return old;
}

int CDC::SetBkMode(int mode) {
    int old = state_.bkMode;
    state_.bkMode = mode;
    return old;
}

int CDC::SetROP2(int mode) {
    int old = state_.rop2;
    if (mode >= R2_BLACK && mode <= R2_WHITE)
        state_.rop2 = mode;
    return old;
}

UINT CDC::SetTextAlign(UINT flags) {
    UINT old = state_.textAlign;
    state_.textAlign = flags;
    return old;
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

// ---- lines and shapes ----

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
    using namespace ui::palette;
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
            side(Shadow, Shadow);
        if (edge & 0xC)
            side(ui::palette::Face, ui::palette::Face);
    } else {
        if (edge & BDR_RAISEDOUTER)
            side(soft ? Highlight : Light, DarkShadow);
        else if (edge & BDR_SUNKENOUTER)
            side(soft ? DarkShadow : Shadow, Highlight);
        if (edge & BDR_RAISEDINNER)
            side(soft ? Light : Highlight, Shadow);
        else if (edge & BDR_SUNKENINNER)
            side(soft ? Shadow : DarkShadow, Light);
    }
    if (flags & BF_MIDDLE)
        FillSurfaceRect(r, ui::palette::Face, R2_COPYPEN);
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
    using namespace ui::palette;
    CRect r(rect);
    bool pushed = state & DFCS_PUSHED, inactive = state & DFCS_INACTIVE;
    auto buttonFace = [&](CRect face) {
        FillSurfaceRect(face, ui::palette::Face, R2_COPYPEN);
        if (state & DFCS_FLAT)
            Draw3dRect(&face, Shadow, Shadow);
        else if (pushed)
            Draw3dRect(&face, Shadow, Shadow);
        else
            DrawEdge(&face, EDGE_RAISED, BF_RECT | BF_SOFT);
    };
    // A glyph drawn black, or embossed grey when inactive.
    auto glyph = [&](auto&& paint) {
        int shift = pushed ? 1 : 0;
        if (inactive) {
            paint(shift + 1, Highlight);
            paint(shift, Shadow);
        } else
            paint(shift, RGB(0, 0, 0));
    };
    if (type == DFC_BUTTON && (state & DFCS_BUTTONPUSH)) {
        buttonFace(r);
        return TRUE;
    }
    if (type == DFC_BUTTON) {
        CRect box(r.left, r.top + (r.Height() - 13) / 2, r.left + 13,
                  r.top + (r.Height() - 13) / 2 + 13);
        CRect inner = box;
        if (state & DFCS_FLAT)
            Draw3dRect(&inner, Shadow, Shadow), inner.DeflateRect(1, 1);
        else
            DrawEdge(&inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillSurfaceRect(inner, (pushed || inactive) ? ui::palette::Face : Window, R2_COPYPEN);
        if (state & DFCS_CHECKED) {
            static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
            COLORREF mark = inactive ? GrayText : WindowText;
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

// ---- text ----

const ui::FontFace& CDC::Face() const {
    CFont* font = state_.font;
    if (!font || !font->GetSafeHandle())
        font = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    return font->Face();
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const {
    *metrics = Face().Metrics();
    return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
    std::wstring s = text ? std::wstring(text, count < 0 ? std::wcslen(text) : count) : L"";
    return {Face().Width(s), Face().Metrics().tmHeight};
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text.GetString(), text.GetLength());
}

// Draws one line with its cell's top-left at device (x, y); underlineIndex marks a mnemonic.
void CDC::TextRun(int x, int y, const std::wstring& text, const CRect* clipRect, bool opaque,
                  int underlineIndex) {
    if (!surface_)
        return;
    const ui::FontFace& face = Face();
    const TEXTMETRIC& tm = face.Metrics();
    int width = face.Width(text);
    if (opaque) {
        CRect box(x, y, x + width, y + tm.tmHeight);
        if (clipRect)
            box = box & *clipRect;
        FillSurfaceRect(box, state_.bkColor, R2_COPYPEN);
    }
    ui::Region clip = EffectiveClip();
    if (clipRect) {
        CRect c = *clipRect;
        c.OffsetRect(ToSurface(0, 0));
        clip.Intersect(c);
    }
    if (clip.IsEmpty() || text.empty())
        return;
    CPoint s = ToSurface(x, y);
    std::vector<ui::PlacedGlyph> glyphs;
    face.Layout(text, s.x, s.y + tm.tmAscent, glyphs);
    cairo_surface_flush(surface_);
    cairo_t* cr = cairo_create(surface_);
    for (const CRect& r : clip.Rects())
        cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
    COLORREF c = state_.textColor;
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
    face.Draw(cr, glyphs);
    cairo_destroy(cr);
    cairo_surface_mark_dirty(surface_);
    int underlineY = y + tm.tmAscent + 1;
    auto underline = [&](int from, int to) {
        CRect u(from, underlineY, to, underlineY + 1);
        if (clipRect)
            u = u & *clipRect;
        FillSurfaceRect(u, c, R2_COPYPEN);
    };
    if (face.Underline())
        underline(x, x + width);
    else if (underlineIndex >= 0 && underlineIndex < static_cast<int>(text.size())) {
        int from = face.Width(text.substr(0, static_cast<std::size_t>(underlineIndex)));
        int to = face.Width(text.substr(0, static_cast<std::size_t>(underlineIndex) + 1));
        underline(x + from, x + to);
    }
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, LPINT) {
    if (rect && (options & ETO_OPAQUE)) {
        FillSurfaceRect(CRect(rect), state_.bkColor, R2_COPYPEN);
    }
    std::wstring s = text ? std::wstring(text, count) : L"";
    const ui::FontFace& face = Face();
    const TEXTMETRIC& tm = face.Metrics();
    int width = face.Width(s);
    UINT align = state_.textAlign;
    if (align & TA_UPDATECP) {
        x = state_.position.x;
        y = state_.position.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if (align & TA_RIGHT)
        left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = y - tm.tmAscent;
    else if (align & TA_BOTTOM)
        top = y - tm.tmHeight;
    CRect clipRect = rect ? CRect(rect) : CRect();
    TextRun(left, top, s, (rect && (options & ETO_CLIPPED)) ? &clipRect : nullptr,
            state_.bkMode == OPAQUE && !(rect && (options & ETO_OPAQUE)), -1);
    if (align & TA_UPDATECP)
        state_.position.x = (align & TA_RIGHT) ? left : left + width;
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT dx) {
    return ExtTextOut(x, y, options, rect, text.GetString(), static_cast<UINT>(text.GetLength()),
                      dx);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) {
    return ExtTextOut(x, y, 0, nullptr, text, static_cast<UINT>(count));
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    return TextOut(x, y, text.GetString(), text.GetLength());
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
    if (!rect)
        return 0;
    std::wstring source = text ? std::wstring(text, count < 0 ? std::wcslen(text) : count) : L"";
    const ui::FontFace& face = Face();
    int lineHeight = face.Metrics().tmHeight;
    CRect box(rect);

    struct Line {
        std::wstring text;
        int underline = -1;
    };
    // Mnemonic prefixes: "&x" underlines x, "&&" is a plain ampersand.
    auto strip = [&](const std::wstring& in, int& underline) {
        underline = -1;
        if (format & DT_NOPREFIX)
            return in;
        std::wstring out;
        for (std::size_t i = 0; i < in.size(); ++i) {
            if (in[i] == L'&') {
                if (i + 1 < in.size() && in[i + 1] == L'&') {
                    out += L'&';
                    ++i;
                } else if (i + 1 < in.size() && underline < 0 && !(format & DT_HIDEPREFIX))
                    underline = static_cast<int>(out.size());
                continue;
            }
            out += in[i];
        }
        return out;
    };

    std::vector<std::wstring> paragraphs;
    if (format & DT_SINGLELINE)
        paragraphs.push_back(source);
    else {
        std::wstring cur;
        for (wchar_t c : source) {
            if (c == L'\r')
                continue;
            if (c == L'\n') {
                paragraphs.push_back(cur);
                cur.clear();
            } else
                cur += c;
        }
        paragraphs.push_back(cur);
    }

    std::vector<Line> lines;
    for (const std::wstring& p : paragraphs) {
        Line whole;
        whole.text = strip(p, whole.underline);
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) ||
            face.Width(whole.text) <= box.Width()) {
            lines.push_back(whole);
            continue;
        }
        // Greedy word wrap; a word wider than the box stays whole on its own line.
        std::size_t start = 0;
        const std::wstring& t = whole.text;
        while (start < t.size()) {
            std::size_t end = start, lastFit = std::wstring::npos;
            while (end <= t.size()) {
                std::size_t space = t.find(L' ', end);
                std::size_t candidate = space == std::wstring::npos ? t.size() : space;
                if (face.Width(t.substr(start, candidate - start)) > box.Width() &&
                    lastFit != std::wstring::npos)
                    break;
                lastFit = candidate;
                if (candidate >= t.size())
                    break;
                end = candidate + 1;
            }
            Line line;
            line.text = t.substr(start, lastFit - start);
            if (whole.underline >= static_cast<int>(start) &&
                whole.underline < static_cast<int>(lastFit))
                line.underline = whole.underline - static_cast<int>(start);
            lines.push_back(line);
            start = lastFit;
            while (start < t.size() && t[start] == L' ')
                ++start;
        }
    }

    int total = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, face.Width(l.text));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }

    int y = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = box.top + (box.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = box.bottom - lineHeight;
    }
    for (Line& line : lines) {
        int width = face.Width(line.text);
        if ((format & DT_END_ELLIPSIS) && width > box.Width()) {
            while (!line.text.empty() && face.Width(line.text + L"...") > box.Width())
                line.text.pop_back();
            line.text += L"...";
            width = face.Width(line.text);
        }
        int x = box.left;
        if (format & DT_CENTER)
            x = box.left + (box.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = box.right - width;
        TextRun(x, y, line.text, (format & DT_NOCLIP) ? nullptr : &box, state_.bkMode == OPAQUE,
                line.underline);
        y += lineHeight;
    }
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? y - box.top : total;
}

// ---- block transfers ----

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
        // Copy through a buffer, then write only where the clip allows.
        std::vector<std::uint32_t> copy(static_cast<std::size_t>(moved.Width()) * moved.Height());
        std::vector<bool> have(copy.size());
        Pixels px(surface_);
        for (int y = moved.top; y < moved.bottom; ++y)
            for (int x = moved.left; x < moved.right; ++x) {
                CPoint s = ToSurface(x - dx, y - dy);
                std::size_t k =
                    static_cast<std::size_t>(y - moved.top) * moved.Width() + (x - moved.left);
                if (src.PtInRect(CPoint(x - dx, y - dy)) && px.Inside(s.x, s.y)) {
                    copy[k] = px.At(s.x, s.y);
                    have[k] = true;
                }
            }
        ui::Region clip = EffectiveClip();
        CRect sm = moved;
        sm.OffsetRect(ToSurface(0, 0));
        clip.Intersect(sm);
        CPoint o = ToSurface(0, 0);
        for (CRect part : clip.Rects()) {
            part = part & px.Bounds();
            for (int y = part.top; y < part.bottom; ++y)
                for (int x = part.left; x < part.right; ++x) {
                    std::size_t k = static_cast<std::size_t>(y - o.y - moved.top) * moved.Width() +
                                    (x - o.x - moved.left);
                    if (have[k])
                        px.At(x, y) = copy[k];
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
