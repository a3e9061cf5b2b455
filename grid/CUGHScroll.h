#pragma once
// The horizontal scroll bar: its range covers the scrolling columns, its position is the
// first scrolling column; what the user does with it scrolls the view.

#include "grid/CUGScrollBar.h"

class CUGHScroll : public CUGScrollBar {
public:
    CUGHScroll() : CUGScrollBar(Direction::Horizontal) {}

    // Range and position anew from the grid state (both frame refreshes come here).
    void Update();
    int GetTrackCol() const { return trackCol_; }

private:
    void Scroll(UINT code, UINT pos) override;
    CString TrackHintText() override;

    int lastMaxLeftCol_ = -1;
    int lastLockedCols_ = -1;
    int lastPage_ = -1;
    int trackCol_ = 0;
};
