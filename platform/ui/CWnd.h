#pragma once
// The window: a node in a tree of windows with a rectangle, styles, text, font and state.
// Messages reach it through WindowProc, which calls the virtual OnXxx handler for the
// message; a handler that wants the default behaviour calls its base (which ends in
// Default(), the default window procedure for the message being handled).

#include <memory>
#include <vector>

#include "platform/ui/CDC.h"
#include "platform/ui/CString.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Region.h"
#include "platform/ui/WinUser.h"

class CScrollBar;
class CDataExchange;
struct TOOLINFO;
typedef struct _cairo_surface cairo_surface_t;
namespace ui {
struct WindowSystem;
}

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
