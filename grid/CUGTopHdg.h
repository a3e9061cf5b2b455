#pragma once
// The column titles above the cell area: heading cells painted through their cell types,
// column edges and heading-row edges that resize when dragged, and titles that move their
// column when dragged (with column moving on).

#include "grid/CUGHeading.h"

class CUGTopHdg : public CUGHeading {
public:
    CUGTopHdg() : CUGHeading(Titles::Columns) {}

    // Paints again when the view's first column changed.
    void RefreshAfterMove();
    // The heading row's y position and height (row -1 next to the cells).
    int RowTop(long row) const { return BandStart(static_cast<int>(row)); }

    int SwapTargetCol() const { return swapTargetCol_; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnTitlePressed(int col, long row) override;
    void OnLeftReleased() override;

private:
    void DrawHeading(CDC* dc) override;
    void TrackColumnMove(CPoint point);
    void ScrollWhileMovingColumn(CPoint point);
    void CompleteColumnMove();

    int swapSourceCol_ = -1;
    int swapTargetCol_ = -1;
    int paintedLeftCol_ = -1;
};
