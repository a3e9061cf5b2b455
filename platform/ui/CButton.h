#pragma once
// Push buttons, default push buttons, check boxes and group boxes, drawn in the classic look.

#include "platform/ui/CWnd.h"

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
