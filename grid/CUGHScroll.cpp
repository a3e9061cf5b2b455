#include "grid/CUGHScroll.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGGridInfo.h"
#include "grid/CUGHint.h"

void CUGHScroll::Update() {
    if (!m_hWnd)
        return;
    const CUGGridInfo& gi = *gridInfo_;
    int page = std::max(0, (gi.gridWidth - gi.lockedColsWidth) / std::max(1, gi.defColWidth));
    if (gi.maxLeftCol != lastMaxLeftCol_ || gi.lockedCols != lastLockedCols_ || page != lastPage_) {
        lastMaxLeftCol_ = gi.maxLeftCol;
        lastLockedCols_ = gi.lockedCols;
        lastPage_ = page;
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_RANGE | SIF_PAGE,
                        0,
                        gi.maxLeftCol - gi.lockedCols + page - 1,
                        static_cast<UINT>(page),
                        0,
                        0};
        SetScrollInfo(&info, FALSE);
    }
    if (GetScrollPos() != gi.leftCol - gi.lockedCols)
        SetScrollPos(gi.leftCol - gi.lockedCols, TRUE);
    Invalidate();
    if (frame_->ScrollBarsNeedLayout())
        frame_->LayoutChildren();
}

void CUGHScroll::Scroll(UINT code, UINT pos) {
    CUGGridInfo& gi = *gridInfo_;
    switch (code) {
    case SB_LINELEFT:
        frame_->MoveLeftCol(UG_LINEUP);
        break;
    case SB_LINERIGHT:
        frame_->MoveLeftCol(UG_LINEDOWN);
        break;
    case SB_PAGELEFT:
        frame_->MoveLeftCol(UG_PAGEUP);
        break;
    case SB_PAGERIGHT:
        frame_->MoveLeftCol(UG_PAGEDOWN);
        break;
    case SB_LEFT:
        frame_->MoveLeftCol(UG_TOP);
        break;
    case SB_RIGHT:
        frame_->MoveLeftCol(UG_BOTTOM);
        break;
    case SB_THUMBPOSITION:
        if (gi.hScrollHints && frame_->hint)
            frame_->hint->Hide();
        frame_->SetLeftCol(static_cast<int>(pos) + gi.lockedCols);
        break;
    case SB_THUMBTRACK:
        trackCol_ = static_cast<int>(pos) + gi.lockedCols;
        if (gi.hScrollMode == 1)
            frame_->SetLeftCol(trackCol_);
        if (gi.hScrollHints)
            ShowTrackHint();
        break;
    default:
        break;
    }
}

CString CUGHScroll::TrackHintText() {
    CString text;
    frame_->OnHScrollHintText(trackCol_, &text);
    return text;
}
