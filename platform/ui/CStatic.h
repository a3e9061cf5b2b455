#pragma once
// Static text; SS_SUNKEN gives it a static edge (a frame that stays when another window
// class takes the control over). Transparent to the mouse unless SS_NOTIFY.

#include "platform/ui/CWnd.h"

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
