#pragma once
// The common controls: the tool-tip window.

#include <afxwin.h>

// The tool-tip window: a small topmost pop-up (WS_EX_TOOLWINDOW) in the info colours with one
// line of text. Windows that call EnableToolTips share one of them; the message loops relay
// every mouse message to it before dispatching.

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    // Shows `text` with its top-left corner at a screen point.
    void ShowTip(const CString& text, CPoint screen);
    void Pop(); // hides the tip
    BOOL Activate(BOOL activate);

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnNcHitTest(CPoint point) override;
    int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) override;

private:
    bool active_ = true;
};
