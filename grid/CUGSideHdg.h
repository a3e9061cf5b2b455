#pragma once
// The row titles left of the cell area: heading cells painted through their cell types,
// row edges and heading-column edges that resize when dragged.

#include <afxwin.h>

#include "grid/CUGCell.h"
#include "grid/CellRedrawList.h"

class CUGCtrl;
class CUGGridInfo;

class CUGSideHdg : public CWnd {
public:
    CUGSideHdg() = default;
    ~CUGSideHdg() override;

    void Attach(CUGCtrl* frame, CUGGridInfo* gridInfo) {
        frame_ = frame;
        gridInfo_ = gridInfo;
    }
    // Fits the outermost heading column to the heading width, then paints everything.
    void RepaintAll();
    // Scrolls and paints the rows as the cell area does when the first row or the current
    // row changed.
    void RefreshAfterMove();
    int GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect) const;
    int GetCellRect(int col, long row, RECT* rect) const;
    int ColLeft(int col) const;

    bool IsSizing() const { return sizingActive_; }
    bool IsSizingArmed() const { return sizingArmed_; }

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
    void DrawHeading(CDC* dc);
    void FitHeadingCols();
    void TestSizingEdges(CPoint point);
    void SizeWhileDragging(CPoint point);
    void EndSizing();
    void DrawTrackingLine(const CRect& line);
    void EraseTrackingLine();
    void GiveGridFocus();

    CUGCtrl* frame_ = nullptr;
    CUGGridInfo* gridInfo_ = nullptr;
    CUGCell scratchCell_;
    bool sizingActive_ = false;
    bool sizingArmed_ = false;
    bool sizingHeight_ = false; // a data row's bottom edge; else a heading column's right
    int sizingIndex_ = 0;
    int sizingStartSize_ = 0;
    int sizingStartPos_ = 0;
    int sizingStartHdgWidth_ = 0;
    CRect trackingLine_{-1, -1, -1, -1};
    CellRedrawList redrawList_;
    long paintedTopRow_ = -1;
    long paintedCurRow_ = -1;
    long paintedBottomRow_ = 0;
};
