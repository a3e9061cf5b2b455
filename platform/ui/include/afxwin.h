#pragma once
// The windowing class library: drawing objects and device contexts, windows and their
// messages, dialogs and the standard controls, menus, message boxes and resources.

#include <memory>
#include <string>
#include <vector>

#include <afx.h>
#include <afxres.h>
#include <commctrl.h>

class CWnd;
class CDC;
class CScrollBar;
class CDataExchange;
struct TOOLINFO;
typedef struct _cairo_surface cairo_surface_t;
namespace ui {
struct WindowSystem;
class FontFace;
} // namespace ui

// ---------------------------------------------------------------- drawing objects

// How the library keeps a set of pixels (a CRgn, the part of a window to paint, a device
// context's clipping): disjoint rectangles.

namespace ui {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r) { Add(r); }

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<CRect>& Rects() const { return rects_; }
    CRect Bounds() const;
    bool Contains(POINT p) const;
    bool Intersects(const RECT& r) const;
    bool operator==(const Region& other) const; // same pixels

    void Clear() { rects_.clear(); }
    void Add(const RECT& r);      // union
    void Subtract(const RECT& r); // difference
    void Add(const Region& other);
    void Subtract(const Region& other);
    void Intersect(const RECT& r);
    void Intersect(const Region& other);
    void Xor(const Region& other);
    void Offset(int dx, int dy);

private:
    std::vector<CRect> rects_;
};

} // namespace ui

// Base of the drawing objects that a device context selects. The handle of an object is the
// object itself; an object that holds nothing has a null handle.

class CGdiObject {
public:
    enum class Kind { Pen, Brush, Font, Bitmap, Region };

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() = default;

    Kind GetKind() const { return kind_; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    BOOL DeleteObject() {
        if (!m_hObject || stock_)
            return FALSE;
        Release();
        m_hObject = nullptr;
        return TRUE;
    }
    bool IsStock() const { return stock_; }
    void MarkStock() { stock_ = true; }
    // Objects made by handle-returning calls (LoadImage) are freed by ::DeleteObject.
    bool IsHandleOwned() const { return handleOwned_; }
    void MarkHandleOwned() { handleOwned_ = true; }

    HGDIOBJ m_hObject = nullptr;

protected:
    explicit CGdiObject(Kind kind) : kind_(kind) {}
    void SetCreated() { m_hObject = this; }
    virtual void Release() {}

private:
    Kind kind_;
    bool stock_ = false;
    bool handleOwned_ = false;
};

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

// A bitmap is a 24-bit pixel surface; device contexts draw into it once it is selected.

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

// ---------------------------------------------------------------- device contexts

// A device context draws into a pixel surface: the surface of a top-level window (through a
// window's client or paint context) or a bitmap selected into a memory context. Lines are
// aliased, one pixel wide, and exclude their end point; rectangles exclude right and bottom.

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

// ---------------------------------------------------------------- windows

// The window: a node in a tree of windows with a rectangle, styles, text, font and state.
// Messages reach it through WindowProc, which calls the virtual OnXxx handler for the
// message; a handler that wants the default behaviour calls its base (which ends in
// Default(), the default window procedure for the message being handled).

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    static CWnd* FromHandle(HWND hwnd) { return hwnd; }
    static CWnd* FromHandlePermanent(HWND hwnd) { return hwnd; }

    // Creation and destruction. A child's rectangle is in its parent's client coordinates,
    // a top-level window's in screen coordinates (its parent is then its owner).
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, void* context = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();
    virtual void PostNcDestroy() {}
    // Takes over an existing window: this object becomes that window, in its place.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL deep = TRUE);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    LRESULT Default();
    static const MSG* GetCurrentMessage();

    // Tree.
    CWnd* GetParent() const { return parent_; }
    // Moves a child window under another parent, on top of its new siblings, keeping its
    // position numbers (now in the new parent's client coordinates); the old parent, or
    // null when refused (a top-level window, a missing parent or one inside this window).
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const { return owner_ ? owner_ : parent_; }
    void SetOwner(CWnd* owner) { owner_ = owner; }
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return static_cast<int>(id_); }
    int SetDlgCtrlID(int id);
    CWnd* GetWindow(UINT command) const;
    CWnd* GetNextWindow(UINT command = GW_HWNDNEXT) const { return GetWindow(command); }
    CWnd* GetTopWindow() const { return GetWindow(GW_CHILD); }
    BOOL IsChild(const CWnd* wnd) const;
    const std::vector<CWnd*>& Children() const { return children_; }
    CWnd* ChildWindowFromPoint(POINT clientPoint) const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;

    // State.
    DWORD GetStyle() const { return style_; }
    DWORD GetExStyle() const { return exStyle_; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const { return !(style_ & WS_DISABLED); }
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL ShowWindow(int command);
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const { text = text_; }
    CString GetWindowText() const { return text_; }
    int GetWindowTextLength() const { return text_.GetLength(); }
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }
    CString GetClassName() const { return className_; }

    // Geometry.
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    // insertAfter: a sibling, &wndTop, &wndBottom (or HWND_TOP, HWND_BOTTOM).
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;   // a top-level window stays above all others
    static const CWnd wndNoTopMost; // and no longer does
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // Painting.
    void Invalidate(BOOL erase = TRUE) { InvalidateRect(nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void ValidateRgn(CRgn* region);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
    int GetUpdateRgn(CRgn* region, BOOL erase = FALSE);
    CDC* BeginPaint(PAINTSTRUCT* paint);
    void EndPaint(PAINTSTRUCT* paint);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    // Scrolls the client pixels and invalidates what was uncovered.
    void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr);

    // Input.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    // Tool tips: with them enabled, the mouse resting over a tool that OnToolHitTest names
    // shows the tool's text in a tip window after a moment; a text given as
    // LPSTR_TEXTCALLBACK is asked of the tool's window with WM_NOTIFY TTN_NEEDTEXTW.
    BOOL EnableToolTips(BOOL enable = TRUE);
    BOOL ToolTipsEnabled() const { return toolTips_; }
    // The tool under a client point: fills `ti` and answers its id, or -1 for none. The
    // default names the child window under the point (TTF_IDISHWND, text by callback).
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* ti) const;
    static void CancelToolTips(BOOL keys = FALSE);

    // Dialog data exchange.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx);

protected:
    virtual int OnCreate(LPCREATESTRUCT cs);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnPaint();
    virtual void OnNcPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT key, UINT repeat, UINT flags);
    virtual void OnTimer(UINT_PTR id);
    virtual int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual UINT OnGetDlgCode();
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    virtual void OnClose();
    virtual void OnEnable(BOOL enable);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnCancelMode();
    virtual void OnCaptureChanged(CWnd* wnd);
    virtual void OnSysColorChange();
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    virtual void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    virtual LRESULT OnNcHitTest(CPoint point);
    // This object took over `old` (SubclassWindow): keep what the window knew.
    virtual void TakeStateFrom(CWnd& old) { (void)old; }
    // The focus moved to `focus`, a window inside this top-level window.
    virtual void OnFocusMovedWithin(CWnd* focus) { (void)focus; }

    // The brush that erases the background (none: the window paints everything itself).
    HBRUSH backgroundBrush_ = nullptr;
    // The cursor of the window's registered class (the arrow when none).
    HCURSOR classCursor_ = nullptr;

private:
    friend struct ui::WindowSystem;
    friend void AdoptChild(CWnd* parent, std::unique_ptr<CWnd> child);

    CWnd* parent_ = nullptr;
    CWnd* owner_ = nullptr;
    std::vector<CWnd*> children_;                      // z-order, topmost first
    std::vector<std::unique_ptr<CWnd>> ownedChildren_; // windows made by the library
    CRect rect_;                                       // parent client or screen coordinates
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    UINT id_ = 0;
    CString text_;
    CString className_;
    CFont* font_ = nullptr;
    ui::Region update_; // client coordinates
    bool erase_ = false;
    bool frameDirty_ = false;
    bool redraw_ = true;
    bool destroying_ = false;
    bool closePressed_ = false;
    bool toolTips_ = false;
    cairo_surface_t* surface_ = nullptr; // top-level windows only
    std::vector<std::unique_ptr<CDC>> dcs_;
};

// Windows that the class library makes for itself (dialog controls) belong to their parent.
void AdoptChild(CWnd* parent, std::unique_ptr<CWnd> child);

// The device contexts of a window: CPaintDC for a paint handler (clipped to what needs
// painting, validates it), CClientDC for drawing at once into the client area, CWindowDC for
// the whole window including its frame.

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    CWnd* wnd_;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);

protected:
    CWnd* wnd_;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);

protected:
    CWnd* wnd_;
};

// Window classes and resources.
// TRUE when the class is registered afterwards (also when it already was).
BOOL AfxRegisterClass(WNDCLASS* windowClass);
// Registers (once) a class with these attributes under a generated name and answers it.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

void AfxSetResourceHandle(HINSTANCE module);
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();

// ---------------------------------------------------------------- dialogs

// A dialog built from a template of the current resource module (or given in memory), with
// the desktop's keyboard interface: Tab and Shift+Tab through the tab stops, Enter to the
// default push button, Esc to cancel, mnemonics, and its own modal message loop.

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    BOOL Create(UINT templateId, CWnd* parent = nullptr); // modeless
    void EndDialog(int result);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;

    void MapDialogRect(LPRECT rect) const;
    CSize BaseUnits() const { return baseUnits_; }
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void NextDlgCtrl();
    void PrevDlgCtrl();
    void GotoDlgCtrl(CWnd* control);
    int RunModalLoop();
    bool IsModalRunning() const { return modalRunning_; }
    // Runs a template given in memory instead of one of the resource module.
    void SetTemplate(const ui::DialogTemplate& dialogTemplate);

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFocusMovedWithin(CWnd* focus) override;

    UINT templateId_;
    CWnd* parentWnd_;

private:
    BOOL CreateFromTemplate(const ui::DialogTemplate& t, CWnd* owner);
    CWnd* FirstTabStop() const;

    std::unique_ptr<ui::DialogTemplate> ownTemplate_;
    CFont font_;
    CSize baseUnits_{6, 13};
    UINT defId_ = IDOK;
    int result_ = -1;
    bool ended_ = false;
    bool modalRunning_ = false;
    bool focusOnInit_ = true;
    CWnd* lastFocus_ = nullptr;
};

// Moves data between a dialog's controls and its members (UpdateData).
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* PrepareCtrl(int id);
    void Fail() { failed_ = true; }
    bool Failed() const { return failed_; }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    bool failed_ = false;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);

// Alert-style message boxes through the active window.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);

// ---------------------------------------------------------------- controls

// Push buttons, default push buttons, check boxes and group boxes, drawn in the classic look.

class CButton : public CWnd {
public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const { return check_; }
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL pushed);
    UINT GetButtonStyle() const { return GetStyle() & 0xFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnEnable(BOOL enable) override;
    void OnCaptureChanged(CWnd* wnd) override;
    UINT OnGetDlgCode() override;
    LRESULT OnNcHitTest(CPoint point) override;
    void TakeStateFrom(CWnd& old) override;

private:
    UINT Kind() const { return GetStyle() & BS_TYPEMASK; }
    bool IsPush() const { return Kind() == BS_PUSHBUTTON || Kind() == BS_DEFPUSHBUTTON; }
    void Clicked();
    void CheckInGroup();
    void PaintPush(CDC& dc, const CRect& client);
    void PaintCheck(CDC& dc, const CRect& client);
    void PaintGroup(CDC& dc, const CRect& client);

    int check_ = BST_UNCHECKED;
    bool pushed_ = false;
    bool tracking_ = false;
};

// Static text; SS_SUNKEN gives it a static edge (a frame that stays when another window
// class takes the control over). Transparent to the mouse unless SS_NOTIFY.

class CStatic : public CWnd {
public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnEnable(BOOL enable) override;
    UINT OnGetDlgCode() override;
    LRESULT OnNcHitTest(CPoint point) override;
};

// The edit control: one line, or several with ES_MULTILINE (lines end in "\r\n"; no word
// wrapping). Caret and selection by mouse and keyboard, a text limit, clipboard commands,
// horizontal scrolling (ES_AUTOHSCROLL) and vertical scrolling of long text. Every change
// notifies the parent with EN_UPDATE before it is shown and EN_CHANGE after. A subclass sees
// WM_KEYDOWN and WM_CHAR first through its own OnKeyDown/OnChar and calls these to edit.

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE) {
        SetSel(LOWORD(selection), HIWORD(selection), noScroll);
    }
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    void LimitText(int chars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
    void SetLimitText(UINT chars) { LimitText(static_cast<int>(chars)); }
    UINT GetLimitText() const { return limit_; }
    int GetLineCount() const;
    int LineIndex(int line = -1) const;
    int LineLength(int line = -1) const;
    int LineFromChar(int index = -1) const;
    int GetFirstVisibleLine() const { return firstLine_; }
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL GetModify() const { return modified_; }
    void SetModify(BOOL modified = TRUE) { modified_ = modified != 0; }
    CPoint PosFromChar(UINT index) const;
    int CharFromPos(CPoint point) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    UINT OnGetDlgCode() override;
    void OnEnable(BOOL enable) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    bool Multi() const { return GetStyle() & ES_MULTILINE; }
    std::wstring Text() const;
    // Replaces [start, end) by `insert` (cut to the limit) and notifies; false when refused.
    bool Edit(int start, int end, std::wstring insert, bool userInput);
    void Notify(UINT code);
    void MoveCaret(int to, bool extend);
    int PrevPos(int pos) const;
    int NextPos(int pos) const;
    int LineEnd(int line) const;
    std::vector<int> LineStarts() const;
    int TextWidth(const std::wstring& text) const;
    int LineHeight() const;
    CRect FormatRect() const;
    void ScrollCaretIntoView();

    int anchor_ = 0;
    int caret_ = 0;
    UINT limit_ = 30000;
    int firstLine_ = 0;
    int xOffset_ = 0; // pixels scrolled horizontally
    int desiredX_ = -1;
    bool selecting_ = false;
    bool modified_ = false;
};

// The scroll bar control, vertical (SBS_VERT) or horizontal: arrows, page areas and a thumb
// sized by the page. It keeps range, page and position and tells its parent what the user
// did with WM_VSCROLL or WM_HSCROLL (SB_LINE*, SB_PAGE*, SB_THUMBTRACK, SB_THUMBPOSITION,
// SB_TOP/SB_BOTTOM from the keyboard, SB_ENDSCROLL); the parent moves the position.

class CScrollBar : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const { return pos_; }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(LPINT minPos, LPINT maxPos) const;
    int GetScrollLimit() const { return MaxPos(); }
    // The thumb's position while it is dragged (the position otherwise).
    int GetTrackPos() const { return dragging_ ? trackPos_ : pos_; }

    // Parts of the bar, in client coordinates, for hit tests and tests.
    enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };
    Part PartAt(CPoint point) const;
    CRect PartRect(Part part) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnTimer(UINT_PTR id) override;
    void OnCaptureChanged(CWnd* wnd) override;
    void OnEnable(BOOL enable) override;
    UINT OnGetDlgCode() override;

private:
    bool Vertical() const { return GetStyle() & SBS_VERT; }
    int MaxPos() const;
    bool Scrollable() const { return MaxPos() > min_ && IsWindowEnabled(); }
    void Send(UINT code, int pos = 0);
    int Length() const;    // along the bar
    int Thickness() const; // across it
    int ArrowSize() const;
    void ThumbSpan(int& start, int& size) const; // along the bar
    int PosFromThumb(int thumbStart) const;
    void Repeat();

    int min_ = 0;
    int max_ = 100;
    UINT page_ = 0;
    int pos_ = 0;
    int trackPos_ = 0;
    Part pressed_ = Part::None;
    bool pressedInside_ = false;
    bool dragging_ = false;
    int dragOffset_ = 0; // pointer offset inside the thumb when the drag began
    CPoint lastPoint_;
};

// The list box: a column of text items with one selected item, keyboard and mouse
// selection, type-ahead by first letter and, with WS_VSCROLL, a vertical scroll bar of its
// own (a child CScrollBar at the right edge, shown while the items overflow). The item
// height is the height of the list's font. With LBS_NOTIFY the parent hears LBN_SELCHANGE
// and LBN_DBLCLK.

class CListBox : public CWnd {
public:
    CListBox();
    ~CListBox() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const { return static_cast<int>(items_.size()); }
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int GetCurSel() const { return selected_; }
    int SetCurSel(int index);
    int FindString(int startAfter, LPCTSTR prefix) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR prefix);
    int GetTopIndex() const { return top_; }
    int SetTopIndex(int index);
    int GetItemHeight(int index = 0) const;
    int SetItemHeight(int index, UINT height);
    int GetItemRect(int index, LPRECT rect) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    // The item at a client point, or LB_ERR outside the items.
    int ItemFromPoint(CPoint point) const;
    CScrollBar* GetVScrollBar() const { return bar_.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    UINT OnGetDlgCode() override;

private:
    struct Item {
        CString text;
        DWORD_PTR data = 0;
    };
    int VisibleCount() const; // whole items that fit
    int ItemAreaWidth() const;
    void UpdateScrollBar();
    void EnsureVisible(int index);
    void Select(int index, bool notify);
    void Notify(UINT code);
    bool ForwardToBar(UINT message, UINT flags, CPoint point);

    std::vector<Item> items_;
    int selected_ = LB_ERR;
    int top_ = 0;
    int itemHeight_ = 0; // 0: from the font
    bool tracking_ = false;
    bool tookCapture_ = false;
    bool barTracking_ = false;
    std::unique_ptr<CScrollBar> bar_;
};

// ---------------------------------------------------------------- menus

// Pop-up menus: items with command ids, texts (with "&" mnemonics), separators, grey and
// check marks. TrackPopupMenu shows the menu as a topmost pop-up window and runs its own
// loop: the mouse (either button with TPM_RIGHTBUTTON) or Up/Down/Enter/Esc and mnemonics
// pick an item; the choice reaches the window given as WM_COMMAND (posted), or is the
// answer with TPM_RETURNCMD.

class CMenu {
public:
    CMenu() = default;
    ~CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    BOOL CreatePopupMenu();
    BOOL CreateMenu() { return CreatePopupMenu(); }
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags) { return DeleteMenu(position, flags); }
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const; // 0 for a separator, -1 outside
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    UINT EnableMenuItem(UINT item, UINT enable);
    DWORD CheckMenuItem(UINT item, UINT check);
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect = nullptr);

    struct Item {
        UINT flags = 0;
        UINT id = 0;
        CString text;
    };
    const std::vector<Item>& Items() const { return items_; }

private:
    int Find(UINT item, UINT flags) const; // position or -1

    std::vector<Item> items_;
};
