#pragma once
// The vertical scroll bar: its range covers the scrolling rows, its position is the first
// scrolling row. With more than 1000 possible first rows the bar works in thousandths of
// the range, so its positions stay small; barPerRow and rowsPerBar convert.

#include "grid/CUGScrollBar.h"

// More possible first rows than this scale the bar.
constexpr long UG_VSCROLL_SCALE_ABOVE = 1000;

class CUGVScroll : public CUGScrollBar {
public:
    CUGVScroll() : CUGScrollBar(Direction::Vertical) {}

    void Update();
    long GetTrackRow() const { return trackRow_; }
    double BarPerRow() const { return barPerRow_; }
    double RowsPerBar() const { return rowsPerBar_; }

private:
    void Scroll(UINT code, UINT pos) override;
    CString TrackHintText() override;

    double barPerRow_ = 1.0;
    double rowsPerBar_ = 1.0;
    long lastMaxTopRow_ = -2;
    int lastScrollMode_ = -2;
    long lastLockedRows_ = -2;
    int lastPage_ = -2;
    long trackRow_ = 0;
};
