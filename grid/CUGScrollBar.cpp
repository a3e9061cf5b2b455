#include "grid/CUGScrollBar.h"

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGGridInfo.h"
#include "grid/CUGHint.h"

CUGScrollBar::~CUGScrollBar() {
    if (m_hWnd)
        DestroyWindow();
}

bool CUGScrollBar::HintsOn() const {
    return horizontal_ ? gridInfo_->hScrollHints : gridInfo_->vScrollHints;
}

int CUGScrollBar::OnCreate(LPCREATESTRUCT cs) {
    if (CScrollBar::OnCreate(cs) == -1)
        return -1;
    if (gridInfo_ && HintsOn())
        EnableToolTips(TRUE);
    return 0;
}

void CUGScrollBar::HandleScroll(UINT code, UINT pos) {
    if (frame_->grid && frame_->grid->m_hWnd && GetFocus() != frame_->grid.get())
        frame_->grid->SetFocus();
    gridInfo_->lastInputKind = UG_INPUT_HEADING;
    Scroll(code, pos);
    gridInfo_->lastInputKind = UG_INPUT_KEYBOARD;
}

void CUGScrollBar::ShowTrackHint() {
    CUGHint* hint = frame_->hint.get();
    if (!hint || !hint->m_hWnd)
        return;
    CString text = TrackHintText();
    CPoint pointer;
    GetCursorPos(&pointer);
    frame_->ScreenToClient(&pointer);
    hint->SetAlignment(horizontal_ ? UG_HINT_CENTER | UG_HINT_BOTTOM
                                   : UG_HINT_RIGHT | UG_HINT_VCENTER);
    hint->SetReservedAlignment(UG_HINT_CENTER);
    hint->SetText(text, FALSE);
    if (horizontal_)
        hint->MoveHintWindow(pointer.x, gridInfo_->hScrollRect.top - 1, 20);
    else
        hint->MoveHintWindow(gridInfo_->vScrollRect.left - 1, pointer.y, 40);
}

void CUGScrollBar::OnRButtonDown(UINT flags, CPoint point) {
    if (gridInfo_->popupMenuEnabled) {
        CPoint screen = point;
        ClientToScreen(&screen);
        frame_->StartMenu(0, 0, &screen, horizontal_ ? UG_HSCROLL : UG_VSCROLL);
    }
    CScrollBar::OnRButtonDown(flags, point);
}
