#include "grid/CUGVScroll.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGGridInfo.h"
#include "grid/CUGHint.h"

void CUGVScroll::Update() {
    if (!m_hWnd)
        return;
    const CUGGridInfo& gi = *gridInfo_;
    int page = std::max(0, gi.gridHeight / std::max(1, gi.defRowHeight));
    if (gi.maxTopRow != lastMaxTopRow_ || gi.vScrollMode != lastScrollMode_ ||
        gi.lockedRows != lastLockedRows_ || page != lastPage_) {
        lastMaxTopRow_ = gi.maxTopRow;
        lastScrollMode_ = gi.vScrollMode;
        lastLockedRows_ = gi.lockedRows;
        lastPage_ = page;
        const int lockedRows = static_cast<int>(gi.lockedRows);
        if (gi.maxTopRow > UG_VSCROLL_SCALE_ABOVE) {
            barPerRow_ = static_cast<double>(UG_VSCROLL_SCALE_ABOVE) / gi.maxTopRow;
            rowsPerBar_ = static_cast<double>(gi.maxTopRow) / UG_VSCROLL_SCALE_ABOVE;
            if (gi.vScrollMode == 2) {
                SetScrollRange(0, 2, FALSE);
                barPerRow_ = rowsPerBar_ = 1.0;
            } else {
                SCROLLINFO info{sizeof(SCROLLINFO),
                                SIF_RANGE | SIF_PAGE,
                                lockedRows,
                                static_cast<int>(UG_VSCROLL_SCALE_ABOVE),
                                1,
                                0,
                                0};
                SetScrollInfo(&info, FALSE);
            }
        } else {
            if (gi.vScrollMode == 2) {
                SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 2, 0, 1, 0};
                SetScrollInfo(&info, FALSE);
            } else {
                SCROLLINFO info{sizeof(SCROLLINFO),
                                SIF_RANGE | SIF_PAGE,
                                lockedRows,
                                static_cast<int>(gi.maxTopRow) + page - 1,
                                static_cast<UINT>(page),
                                0,
                                0};
                SetScrollInfo(&info, FALSE);
            }
            Invalidate();
            barPerRow_ = rowsPerBar_ = 1.0;
        }
    }
    int pos = gi.vScrollMode == 2 ? 1 : static_cast<int>(gi.topRow * barPerRow_);
    if (GetScrollPos() != pos)
        SetScrollPos(pos, TRUE);
    Invalidate();
    if (frame_->ScrollBarsNeedLayout())
        frame_->LayoutChildren();
}

void CUGVScroll::Scroll(UINT code, UINT pos) {
    CUGGridInfo& gi = *gridInfo_;
    switch (code) {
    case SB_LINEUP:
        frame_->MoveTopRow(UG_LINEUP);
        break;
    case SB_LINEDOWN:
        frame_->MoveTopRow(UG_LINEDOWN);
        break;
    case SB_PAGEUP:
        frame_->MoveTopRow(UG_PAGEUP);
        break;
    case SB_PAGEDOWN:
        frame_->MoveTopRow(UG_PAGEDOWN);
        break;
    case SB_TOP:
        frame_->MoveTopRow(UG_TOP);
        break;
    case SB_BOTTOM:
        frame_->MoveTopRow(UG_BOTTOM);
        break;
    case SB_THUMBPOSITION:
        if (gi.vScrollHints && frame_->hint)
            frame_->hint->Hide();
        frame_->SetTopRow(static_cast<long>(pos * rowsPerBar_));
        break;
    case SB_THUMBTRACK:
        trackRow_ = static_cast<long>(pos * rowsPerBar_);
        if (gi.vScrollMode == 1)
            frame_->SetTopRow(trackRow_);
        if (gi.vScrollHints)
            ShowTrackHint();
        break;
    default:
        break;
    }
}

CString CUGVScroll::TrackHintText() {
    CString text;
    frame_->OnVScrollHintText(trackRow_, &text);
    return text;
}
