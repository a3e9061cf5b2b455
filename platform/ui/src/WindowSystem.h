#pragma once
// The windowing layer's own bookkeeping: the top-level windows, focus, capture, activation,
// window geometry on the surfaces, painting and hit testing. Not for the module's code.

#include <unordered_set>
#include <vector>

#include <afxwin.h>

namespace ui {

struct WindowSystem {
    // Shared state of the (single) user-interface thread.
    static std::vector<CWnd*>& TopLevels(); // creation order
    static CWnd*& Focus();
    static CWnd*& Capture();
    static CWnd*& Active();
    static std::vector<CWnd*>& Modal(); // windows whose modal loop runs, innermost last
    static std::vector<MSG>& CurrentMessages();
    // Every window that exists, so that a handle can be checked without touching it.
    static std::unordered_set<const CWnd*>& Live();

    // Geometry.
    static bool IsTopLevel(const CWnd* w) { return !w->parent_; }
    static CRect Insets(const CWnd* w); // non-client thickness on each side
    static CRect ClientRect(const CWnd* w);
    static CPoint ClientOriginOnScreen(const CWnd* w);
    static CPoint WindowOriginInSurface(const CWnd* w);
    static CPoint ClientOriginInSurface(const CWnd* w);
    static bool IsShown(const CWnd* w);
    static Region VisibleRegion(const CWnd* w, bool clientOnly); // surface coordinates
    static cairo_surface_t* Surface(const CWnd* w);
    static void ResizeSurface(CWnd* top);
    static void DropSurface(CWnd* top);
    static CRect& RectOf(CWnd* w) { return w->rect_; }

    // Painting.
    static void Invalidate(CWnd* w, const Region& clientRegion, bool erase, bool allChildren);
    static bool NeedsPaint(const CWnd* w);
    static CWnd* FindWindowToPaint(HWND filter);
    static void DeliverPaint(CWnd* w);
    static void PaintAll(); // every pending paint, now
    static void PrepareDC(CWnd* w, CDC& dc, bool wholeWindow);
    static void BeginPaintInto(CWnd* w, CDC& dc, PAINTSTRUCT* ps);
    static void DrawFrame(CWnd* w, CDC& dc);
    static int FrameHitTest(const CWnd* w, POINT screen);
    static CRect CloseBoxRect(const CWnd* w); // window coordinates

    // Input.
    static CWnd* WindowFromScreenPoint(POINT screen);
    static void FocusMovedWithin(CWnd* top, CWnd* focus) { top->OnFocusMovedWithin(focus); }
    static void ForgetWindow(CWnd* w); // drops queue entries and timers of a dying window
    static void Retarget(CWnd* from, CWnd* to);
};

// A window's text without its mnemonic markers: "&Save As" reads "Save As".
CString StripMnemonic(const CString& text);
// The mnemonic character of a text (lower case), or 0.
wchar_t MnemonicOf(const CString& text);

} // namespace ui
