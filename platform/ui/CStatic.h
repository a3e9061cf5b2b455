#pragma once
// Static text, optionally with a sunken edge; transparent to the mouse unless SS_NOTIFY.

#include "platform/ui/CWnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnEnable(BOOL enable) override;
    UINT OnGetDlgCode() override;
    LRESULT OnNcHitTest(CPoint point) override;
};
