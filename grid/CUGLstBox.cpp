#include "grid/CUGLstBox.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"

void CUGLstBox::OnSetFocus(CWnd* oldWnd) {
    CListBox::OnSetFocus(oldWnd);
    SetCapture();
    isOpen_ = 1;
    choiceMade_ = 0;
}

void CUGLstBox::OnKillFocus(CWnd* newWnd) {
    CListBox::OnKillFocus(newWnd);
    if (GetCapture() == this)
        ReleaseCapture();
    isOpen_ = 0;
    if (!choiceMade_) {
        *listCol_ = -2;
        *listRow_ = -2;
    }
    DestroyWindow();
    if (frame_->grid && frame_->grid->m_hWnd)
        frame_->grid->Invalidate();
}

bool CUGLstBox::OnItems(CPoint point) const {
    CRect client;
    GetClientRect(&client);
    if (CScrollBar* bar = GetVScrollBar(); bar && bar->IsWindowVisible()) {
        CRect barRect;
        bar->GetWindowRect(&barRect);
        ScreenToClient(&barRect);
        client.right = barRect.left;
    }
    return client.PtInRect(point) && ItemFromPoint(point) != LB_ERR;
}

void CUGLstBox::OnLButtonDown(UINT flags, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        CListBox::OnLButtonDown(flags, point);
        return;
    }
    // A press elsewhere closes the list and then goes where it was aimed: into the cell
    // area it reaches the cell (and its type, which sees the list just closed).
    CPoint at = point;
    MapWindowPoints(frame_->grid.get(), &at, 1);
    CRect area;
    frame_->grid->GetClientRect(&area);
    Close();
    if (area.PtInRect(at))
        frame_->grid->PostMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(at.x, at.y));
}

void CUGLstBox::OnLButtonUp(UINT flags, CPoint point) {
    CListBox::OnLButtonUp(flags, point);
    if (isOpen_ && OnItems(point) && GetCurSel() != LB_ERR)
        Choose();
}

void CUGLstBox::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_RETURN) {
        if (GetCurSel() != LB_ERR)
            Choose();
        else
            Close();
        return;
    }
    if (key == VK_ESCAPE) {
        Close();
        return;
    }
    CListBox::OnKeyDown(key, repeat, flags);
}

UINT CUGLstBox::OnGetDlgCode() {
    return CListBox::OnGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void CUGLstBox::Choose() {
    choiceMade_ = 1;
    CString item;
    GetText(GetCurSel(), item);
    int col = *listCol_;
    long row = *listRow_;
    if (frame_->OnCellTypeEvent(typeIndex_, col, row, UGCT_LISTSELECTED,
                                reinterpret_cast<LONG_PTR>(&item))) {
        CUGCell cell;
        frame_->FetchCellInto(col, row, &cell);
        cell.SetText(item);
        frame_->SetCell(col, row, &cell);
        frame_->RepaintCell(col, row);
    }
    isOpen_ = 0;
    *listCol_ = -1;
    *listRow_ = -1;
    Close();
}

void CUGLstBox::Close() {
    if (frame_->grid && frame_->grid->m_hWnd)
        frame_->grid->SetFocus(); // the list closes when it loses the focus
}
