#include "grid/CUGTopHdg.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGGridInfo.h"
#include "grid/UGDragPump.h"

BOOL CUGTopHdg::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= static_cast<LONG>(WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    return CWnd::PreCreateWindow(cs);
}

void CUGTopHdg::RefreshAfterMove() {
    if (m_hWnd && gridInfo_->leftCol != paintedLeftCol_) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void CUGTopHdg::DrawHeading(CDC* dc) {
    const CUGGridInfo& gi = *gridInfo_;
    CFont* oldFont = BeginDrawing(dc);
    int paintedRight = 0;
    int top = 0;
    for (long row = -gi.numberTopHdgRows; row <= -1; ++row) {
        int height = gi.GetTopHdgRowHeight(static_cast<int>(row));
        int x = 0;
        for (int col = gi.NextShownCol(-1); col < gi.numberCols; col = gi.NextShownCol(col)) {
            int width = frame_->GetColumnWidth(col);
            int left = x;
            x += width;
            if (width > 0 && height > 0 && redrawList_.Contains(col, row)) {
                CRect rect(left, top, left + width, top + height);
                int cellCol = col;
                long cellRow = row;
                if (LoadTitle(&cellCol, &cellRow, &rect) && rect.Height() > 0) {
                    // The title being moved shows marked.
                    int mark = (cellCol == swapSourceCol_ && swapTargetCol_ >= 0) ? 1 : 0;
                    DrawTitle(dc, rect, cellCol, cellRow, mark);
                }
            }
            if (x > gi.gridWidth)
                break;
        }
        paintedRight = std::max(paintedRight, x);
        top += height;
    }
    if (paintedRight < gi.gridWidth)
        FillBlank(dc, CRect(paintedRight, 0, gi.gridWidth, gi.topHdgHeight));
    EndDrawing(dc, oldFont);
    paintedLeftCol_ = gi.leftCol;
}

// ---- moving a column by its title ----

void CUGTopHdg::TrackColumnMove(CPoint point) {
    CUGGridInfo& gi = *gridInfo_;
    if (point.x < 0 || point.x > gi.gridWidth) {
        ScrollWhileMovingColumn(point);
        return;
    }
    int col;
    long row;
    CRect rect;
    if (GetCellFromPoint(point.x, 1, &col, &row, &rect) != GRID_SUCCESS)
        return;
    if (col == swapSourceCol_ && swapTargetCol_ < 0)
        return;
    int insertX;
    int target;
    if (point.x > rect.left + rect.Width() / 2) {
        target = col + 1;
        insertX = rect.right;
    } else {
        target = col;
        insertX = rect.left;
    }
    target = std::min(target, gi.numberCols);
    bool first = swapTargetCol_ < 0;
    swapTargetCol_ = target;
    if (first)
        RepaintAll(); // shows the moving title marked
    EraseTrackingLine();
    DrawTrackingLine(CRect(insertX, 0, insertX + 2, gi.gridHeight));
}

void CUGTopHdg::ScrollWhileMovingColumn(CPoint point) {
    EraseTrackingLine();
    for (;;) {
        int before = gridInfo_->leftCol;
        frame_->SetLeftCol(gridInfo_->leftCol + (point.x < 0 ? -1 : 1));
        if (!PumpBetweenDragSteps(this, gridInfo_->leftCol != before))
            return;
    }
}

void CUGTopHdg::CompleteColumnMove() {
    EraseTrackingLine();
    if (swapTargetCol_ < 0) {
        RepaintAll(); // dropped where it was picked up: nothing moves
        return;
    }
    int to = swapTargetCol_ - (swapSourceCol_ < swapTargetCol_ ? 1 : 0);
    if (frame_->OnQueryColDrop(swapSourceCol_, to))
        frame_->MoveColPosition(swapSourceCol_, swapTargetCol_);
    swapSourceCol_ = swapTargetCol_ = -1;
    frame_->RepaintAll();
}

// ---- mouse ----

void CUGTopHdg::OnMouseMove(UINT flags, CPoint point) {
    if (!sizingActive_ && (flags & MK_LBUTTON) && gridInfo_->enableColSwapping &&
        swapSourceCol_ >= 0 && GetCapture() == this) {
        TrackColumnMove(point);
        return;
    }
    CUGHeading::OnMouseMove(flags, point);
}

void CUGTopHdg::OnTitlePressed(int col, long) {
    if (frame_->OnColDragBegin(col))
        swapSourceCol_ = col;
}

void CUGTopHdg::OnLeftReleased() {
    if (gridInfo_->enableColSwapping && swapSourceCol_ >= 0)
        CompleteColumnMove();
    swapSourceCol_ = swapTargetCol_ = -1;
}

void CUGTopHdg::OnLButtonDblClk(UINT flags, CPoint point) {
    if (sizingArmed_ && !sizingBand_ && gridInfo_->bestFitOnDblClick) {
        frame_->BestFit(sizingIndex_, sizingIndex_, 20, UG_BESTFIT_TOPHEADINGS);
        sizingArmed_ = false;
        TestSizingEdges(point);
        return;
    }
    CUGHeading::OnLButtonDblClk(flags, point);
}
