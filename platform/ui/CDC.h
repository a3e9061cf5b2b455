#pragma once
// A device context draws into a pixel surface: the surface of a top-level window (through a
// window's client or paint context) or a bitmap selected into a memory context. Lines are
// aliased, one pixel wide, and exclude their end point; rectangles exclude right and bottom.

#include <vector>

#include "platform/ui/CBitmap.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CFont.h"
#include "platform/ui/CPen.h"
#include "platform/ui/CRgn.h"
#include "platform/ui/Region.h"

class CString;
class CWnd;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    static CDC* FromHandle(HDC dc) { return dc; }
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    CWnd* GetWindow() const { return window_; }
    int GetDeviceCaps(int index) const;

    // Objects.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const { return state_.pen; }
    CBrush* GetCurrentBrush() const { return state_.brush; }
    CFont* GetCurrentFont() const { return state_.font; }
    CBitmap* GetCurrentBitmap() const { return bitmap_; }
    int SaveDC();
    BOOL RestoreDC(int saved); // a saved level, or -1 for the last one

    // Attributes.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return state_.textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return state_.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return state_.bkMode; }
    int SetROP2(int mode);
    int GetROP2() const { return state_.rop2; }
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const { return state_.textAlign; }
    int SetStretchBltMode(int mode);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const { return state_.viewportOrg; }
    CPoint SetWindowOrg(int x, int y) { return SetViewportOrg(-x, -y); }
    CPoint GetWindowOrg() const { return {-state_.viewportOrg.x, -state_.viewportOrg.y}; }

    // Clipping (regions are in device units of this context).
    int SelectClipRgn(CRgn* region);
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(LPCRECT r) {
        return IntersectClipRect(r->left, r->top, r->right, r->bottom);
    }
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT rect) const;

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return state_.position; }
    BOOL Polyline(const POINT* points, int count);
    BOOL Polygon(const POINT* points, int count);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(int l, int t, int r, int b);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    void DrawFocusRect(LPCRECT rect);
    // Push buttons, check boxes, scroll arrows and the caption's close box, classic look.
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    // Text.
    BOOL TextOut(int x, int y, const CString& text);
    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                    LPINT dx = nullptr);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count,
                    LPINT dx = nullptr);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    CSize GetTextExtent(const CString& text) const;
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;

    // Block transfers.
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    // Moves the pixels of `scroll` by (dx, dy) inside `clip`; reports what was uncovered.
    BOOL ScrollDC(int dx, int dy, LPCRECT scroll, LPCRECT clip, CRgn* update, LPRECT updateRect);

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    // Binds this context to a surface: `origin` is where device (0,0) lies on it and `visible`
    // (surface coordinates) what it may touch. Used by windows and memory contexts.
    void AttachSurface(cairo_surface_t* surface, POINT origin, const ui::Region& visible,
                       CWnd* window);
    void DetachSurface();

private:
    struct State {
        CPen* pen = nullptr;
        CBrush* brush = nullptr;
        CFont* font = nullptr;
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF bkColor = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        UINT textAlign = TA_LEFT | TA_TOP;
        CPoint position;
        CPoint viewportOrg;
        bool hasClip = false;
        ui::Region clip; // device coordinates
    };

    ui::Region EffectiveClip() const; // surface coordinates
    CPoint ToSurface(int x, int y) const;
    void FillSurfaceRect(const CRect& deviceRect, COLORREF color, int rop2);
    void FillWithBrush(const CRect& deviceRect, CBrush* brush, int rop2);
    void PlotLine(int x0, int y0, int x1, int y1);
    void PlotPixel(int sx, int sy, std::uint32_t color, int rop2, const ui::Region& clip);
    void TextRun(int x, int y, const std::wstring& text, const CRect* clipRect, bool opaque,
                 int underlineIndex);
    const ui::FontFace& Face() const;
    void ResetState();

    cairo_surface_t* surface_ = nullptr;
    CPoint origin_;
    ui::Region visible_;
    CWnd* window_ = nullptr;
    CBitmap* bitmap_ = nullptr;
    CBitmap defaultBitmap_;
    State state_;
    std::vector<State> saved_;
};
