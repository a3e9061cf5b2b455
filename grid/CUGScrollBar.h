#pragma once
// What the two scroll bars share: the frame they serve, their tool tips switched on with the
// grid's scroll hints, focus handed back to the cell area while they scroll, the hint that
// names where the dragged thumb points, and the frame's popup menu.

#include <afxwin.h>

class CUGCtrl;
class CUGGridInfo;

class CUGScrollBar : public CScrollBar {
public:
    ~CUGScrollBar() override;

    void Attach(CUGCtrl* frame, CUGGridInfo* gridInfo) {
        frame_ = frame;
        gridInfo_ = gridInfo;
    }
    void HandleScroll(UINT code, UINT pos);

protected:
    enum class Direction { Horizontal, Vertical };
    explicit CUGScrollBar(Direction direction) : horizontal_(direction == Direction::Horizontal) {}

    int OnCreate(LPCREATESTRUCT cs) override;
    void OnRButtonDown(UINT flags, CPoint point) override;

    // One scroll bar code (SB_LINEUP ..) applied to the view.
    virtual void Scroll(UINT code, UINT pos) = 0;
    // The hint's text for where the thumb points now.
    virtual CString TrackHintText() = 0;
    bool HintsOn() const;
    // Shows the hint beside the bar at the pointer: above a horizontal bar, left of a
    // vertical one.
    void ShowTrackHint();

    CUGCtrl* frame_ = nullptr;
    CUGGridInfo* gridInfo_ = nullptr;

private:
    const bool horizontal_;
};
