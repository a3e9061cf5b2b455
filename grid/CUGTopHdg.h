#pragma once
// The column titles above the cell area: heading cells painted through their cell types,
// column edges and heading-row edges that resize when dragged, and titles that move their
// column when dragged (with column moving on).

#include <afxwin.h>

#include "grid/CUGCell.h"
#include "grid/CellRedrawList.h"

class CUGCtrl;
class CUGGridInfo;

class CUGTopHdg : public CWnd {
public:
    CUGTopHdg() = default;
    ~CUGTopHdg() override;

    void Attach(CUGCtrl* frame, CUGGridInfo* gridInfo) {
        frame_ = frame;
        gridInfo_ = gridInfo;
    }
    // Fits the outermost heading row to the heading height, then paints everything.
    void RepaintAll();
    // Paints again when the view's first column changed.
    void RefreshAfterMove();
    // The heading cell under a point; 1 outside the cells.
    int GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect) const;
    int GetCellRect(int col, long row, RECT* rect) const;
    // The heading row's y position and height (row -1 next to the cells).
    int RowTop(long row) const;

    bool IsSizing() const { return sizingActive_; }
    bool IsSizingArmed() const { return sizingArmed_; }
    int SwapTargetCol() const { return swapTargetCol_; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
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
    void FitHeadingRows();
    // Arms sizing when the pointer is on a column edge or a heading-row edge.
    void TestSizingEdges(CPoint point);
    void SizeWhileDragging(CPoint point);
    void EndSizing();
    void TrackColumnMove(CPoint point);
    void ScrollWhileMovingColumn(CPoint point);
    void CompleteColumnMove();
    // The XOR lines drawn over the cell area while sizing or moving a column.
    void DrawTrackingLine(const CRect& line);
    void EraseTrackingLine();
    void GiveGridFocus();

    CUGCtrl* frame_ = nullptr;
    CUGGridInfo* gridInfo_ = nullptr;
    CUGCell scratchCell_;
    bool sizingActive_ = false;
    bool sizingArmed_ = false;
    bool sizingHeight_ = false;
    int sizingIndex_ = 0;
    int sizingStartSize_ = 0;
    int sizingStartPos_ = 0;
    int sizingStartHdgHeight_ = 0;
    CRect swapIndicator_{-1, -1, -1, -1};
    CellRedrawList redrawList_;
    int swapSourceCol_ = -1;
    int swapTargetCol_ = -1;
    int paintedLeftCol_ = -1;
};
