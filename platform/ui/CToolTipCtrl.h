#pragma once
// The tool-tip window: a small topmost pop-up (WS_EX_TOOLWINDOW) in the info colours with one
// line of text. Windows that call EnableToolTips share one of them; the message loops relay
// every mouse message to it before dispatching.

#include "platform/ui/CWnd.h"
#include "platform/ui/WinControls.h"

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

namespace ui {
// The message loops call this with every mouse message before dispatching it.
void RelayToolTipMouse(const MSG& msg);
// The shared tip window while it shows a tip, else null; its text is the tip.
CWnd* VisibleToolTip();
// How long the mouse rests before a tip shows.
constexpr UINT kToolTipDelay = 500;
} // namespace ui
