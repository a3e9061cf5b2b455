#pragma once
// The corner where the two headings meet: it paints the corner cell (-1, -1) and sizes both
// headings from its right and bottom edges.

#include <afxwin.h>

#include "grid/CUGCell.h"

class CUGCtrl;
class CUGGridInfo;

class CUGCnrBtn : public CWnd {
public:
    CUGCnrBtn() = default;
    ~CUGCnrBtn() override;

    void Attach(CUGCtrl* frame, CUGGridInfo* gridInfo) {
        frame_ = frame;
        gridInfo_ = gridInfo;
    }
    void RepaintAll();

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;

private:
    CUGCtrl* frame_ = nullptr;
    CUGGridInfo* gridInfo_ = nullptr;
    CUGCell scratchCell_;
    bool sizingActive_ = false;
    bool sizingTopHdg_ = false;  // armed on the bottom edge
    bool sizingSideHdg_ = false; // armed on the right edge
};
