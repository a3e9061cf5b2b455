#pragma once
// The row titles left of the cell area: heading cells painted through their cell types,
// row edges and heading-column edges that resize when dragged.

#include "grid/CUGHeading.h"

class CUGSideHdg : public CUGHeading {
public:
    CUGSideHdg() : CUGHeading(Titles::Rows) {}

    // Scrolls and paints the rows as the cell area does when the first row or the current
    // row changed.
    void RefreshAfterMove();
    int ColLeft(int col) const { return BandStart(col); }

private:
    void DrawHeading(CDC* dc) override;

    long paintedTopRow_ = -1;
    long paintedCurRow_ = -1;
    long paintedBottomRow_ = 0;
};
