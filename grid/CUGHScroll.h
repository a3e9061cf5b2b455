#pragma once
// The horizontal scroll bar: its range covers the scrolling columns, its position is the
// first scrolling column; what the user does with it scrolls the view.

#include <afxwin.h>

class CUGCtrl;
class CUGGridInfo;

class CUGHScroll : public CScrollBar {
public:
    CUGHScroll() = default;
    ~CUGHScroll() override;

    void Attach(CUGCtrl* frame, CUGGridInfo* gridInfo) {
        frame_ = frame;
        gridInfo_ = gridInfo;
    }
    // Range and position anew from the grid state (both frame refreshes come here).
    void Update();
    void HandleScroll(UINT code, UINT pos);
    int GetTrackCol() const { return trackCol_; }

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnRButtonDown(UINT flags, CPoint point) override;

private:
    void ShowTrackHint();

    CUGCtrl* frame_ = nullptr;
    CUGGridInfo* gridInfo_ = nullptr;
    int lastMaxLeftCol_ = -1;
    int lastLockedCols_ = -1;
    int lastPage_ = -1;
    int trackCol_ = 0;
};
