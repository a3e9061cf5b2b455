#pragma once
// The scroll bar control, vertical (SBS_VERT) or horizontal: arrows, page areas and a thumb
// sized by the page. It keeps range, page and position and tells its parent what the user
// did with WM_VSCROLL or WM_HSCROLL (SB_LINE*, SB_PAGE*, SB_THUMBTRACK, SB_THUMBPOSITION,
// SB_TOP/SB_BOTTOM from the keyboard, SB_ENDSCROLL); the parent moves the position.

#include "platform/ui/CWnd.h"
#include "platform/ui/WinControls.h"

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
