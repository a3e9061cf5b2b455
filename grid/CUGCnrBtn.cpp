#include "grid/CUGCnrBtn.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGGridInfo.h"

namespace {
constexpr int kEdge = 4; // the band along the right and bottom edges that sizes a heading
} // namespace

CUGCnrBtn::~CUGCnrBtn() {
    if (m_hWnd)
        DestroyWindow();
}

void CUGCnrBtn::RepaintAll() {
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

BOOL CUGCnrBtn::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CUGCnrBtn::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    frame_->OnSectionPaintSetup(&dc, nullptr, UG_TOPHEADING);
    frame_->GetCell(-1, -1, &scratchCell_);
    CUGCellType* type = scratchCell_.HasProperty(CELLPROP_CELLTYPE)
                            ? frame_->GetCellType(scratchCell_.GetCellType())
                            : &frame_->standardType;
    CFont* oldFont = gridInfo_->defFont ? dc.SelectObject(gridInfo_->defFont) : nullptr;
    int saved = dc.SaveDC();
    type->DrawCell(&dc, &client, -1, -1, &scratchCell_, 0, 0);
    dc.RestoreDC(saved);
    if (oldFont)
        dc.SelectObject(oldFont);
}

BOOL CUGCnrBtn::OnSetCursor(CWnd*, UINT, UINT) {
    if (sizingTopHdg_ && sizingSideHdg_)
        ::SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
    else if (sizingSideHdg_)
        ::SetCursor(gridInfo_->sizeWECursor);
    else if (sizingTopHdg_)
        ::SetCursor(gridInfo_->sizeNSCursor);
    else
        ::SetCursor(gridInfo_->arrowCursor);
    return TRUE;
}

void CUGCnrBtn::OnMouseMove(UINT flags, CPoint point) {
    if (sizingActive_) {
        if (sizingTopHdg_) {
            int height = std::max<int>(0, point.y);
            frame_->OnTopHdgResizing(&height);
            frame_->SetTopHdgHeight(height);
        } else if (sizingSideHdg_) {
            int width = std::max<int>(0, point.x);
            frame_->OnSideHdgResizing(&width);
            frame_->SetSideHdgWidth(width);
        }
        frame_->LayoutChildren();
        return;
    }
    if ((flags & MK_LBUTTON) || gridInfo_->userSizing < 1)
        return;
    CRect client;
    GetClientRect(&client);
    sizingTopHdg_ = sizingSideHdg_ = false;
    if (point.x > client.right - kEdge && frame_->OnQuerySideHdgResize())
        sizingSideHdg_ = true;
    else if (point.y > client.bottom - kEdge && frame_->OnQueryTopHdgResize())
        sizingTopHdg_ = true;
    OnSetCursor(this, HTCLIENT, WM_MOUSEMOVE);
}

void CUGCnrBtn::OnLButtonDown(UINT, CPoint point) {
    if (sizingTopHdg_ || sizingSideHdg_) {
        sizingActive_ = true;
        SetCapture();
        return;
    }
    frame_->OnCornerLeftClick(1, &gridInfo_->cornerRect, &point, 0);
}

void CUGCnrBtn::OnLButtonUp(UINT, CPoint point) {
    if (sizingActive_) {
        sizingActive_ = false;
        if (sizingTopHdg_)
            frame_->OnTopHdgResized(&gridInfo_->topHdgHeight);
        else if (sizingSideHdg_)
            frame_->OnSideHdgResized(&gridInfo_->sideHdgWidth);
        if (GetCapture() == this)
            ReleaseCapture();
    }
    frame_->OnCornerLeftClick(0, &gridInfo_->cornerRect, &point, 0);
}

void CUGCnrBtn::OnLButtonDblClk(UINT, CPoint point) {
    frame_->OnCornerDoubleClick(&gridInfo_->cornerRect, &point, 0);
}

void CUGCnrBtn::OnRButtonDown(UINT, CPoint point) {
    frame_->OnCornerRightClick(1, &gridInfo_->cornerRect, &point, 0);
    if (gridInfo_->popupMenuEnabled) {
        CPoint screen = point;
        ClientToScreen(&screen);
        frame_->StartMenu(-1, -1, &screen, UG_CORNERBUTTON);
    }
}

void CUGCnrBtn::OnRButtonUp(UINT, CPoint point) {
    frame_->OnCornerRightClick(0, &gridInfo_->cornerRect, &point, 0);
}
