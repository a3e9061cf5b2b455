#include "grid/CUGVScroll.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGGridInfo.h"
#include "grid/CUGHint.h"

CUGVScroll::~CUGVScroll() {
    if (m_hWnd)
        DestroyWindow();
}

int CUGVScroll::OnCreate(LPCREATESTRUCT cs) {
    if (CScrollBar::OnCreate(cs) == -1)
        return -1;
    if (gridInfo_ && gridInfo_->vScrollHints)
        EnableToolTips(TRUE);
    return 0;
}

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

void CUGVScroll::HandleScroll(UINT code, UINT pos) {
    CUGGridInfo& gi = *gridInfo_;
    if (frame_->grid && frame_->grid->m_hWnd && GetFocus() != frame_->grid.get())
        frame_->grid->SetFocus();
    gi.lastInputKind = UG_INPUT_HEADING;
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
    gi.lastInputKind = UG_INPUT_KEYBOARD;
}

// Which row the thumb points at, just left of the bar at the pointer's height.
void CUGVScroll::ShowTrackHint() {
    CUGHint* hint = frame_->hint.get();
    if (!hint || !hint->m_hWnd)
        return;
    CString text;
    frame_->OnVScrollHintText(trackRow_, &text);
    CPoint pointer;
    GetCursorPos(&pointer);
    frame_->ScreenToClient(&pointer);
    hint->SetAlignment(UG_HINT_RIGHT | UG_HINT_VCENTER);
    hint->SetReservedAlignment(UG_HINT_CENTER);
    hint->SetText(text, FALSE);
    hint->MoveHintWindow(gridInfo_->vScrollRect.left - 1, pointer.y, 40);
}

void CUGVScroll::OnRButtonDown(UINT flags, CPoint point) {
    if (gridInfo_->popupMenuEnabled) {
        CPoint screen = point;
        ClientToScreen(&screen);
        frame_->StartMenu(0, 0, &screen, UG_VSCROLL);
    }
    CScrollBar::OnRButtonDown(flags, point);
}
