#include "grid/CUGSideHdg.h"

#include <algorithm>
#include <cstdlib>

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGGridInfo.h"

namespace {
constexpr int kEdgeSlack = 3;
} // namespace

CUGSideHdg::~CUGSideHdg() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CUGSideHdg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

// ---- geometry ----

int CUGSideHdg::ColLeft(int col) const {
    int x = 0;
    for (int c = -gridInfo_->numberSideHdgCols; c < col; ++c)
        x += gridInfo_->GetSideHdgColWidth(c);
    return x;
}

int CUGSideHdg::GetCellRect(int col, long row, RECT* rect) const {
    int startCol = col, endCol = col;
    long startRow = row, endRow = row;
    if (gridInfo_->enableJoins)
        frame_->GetJoinRange(&startCol, &startRow, &endCol, &endRow);
    rect->left = ColLeft(startCol);
    rect->right = ColLeft(endCol) + gridInfo_->GetSideHdgColWidth(endCol);
    rect->top = frame_->RowTop(startRow);
    rect->bottom = frame_->RowTop(endRow) + frame_->GetRowHeight(endRow);
    return GRID_SUCCESS;
}

int CUGSideHdg::GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect) const {
    *col = -1;
    *row = -1;
    const CUGGridInfo& gi = *gridInfo_;
    long found = -1;
    int top = 0;
    for (long r = 0; r < gi.numberRows && top <= gi.gridHeight; ++r) {
        if (r == gi.lockedRows && r < gi.topRow)
            r = gi.topRow;
        if (r >= gi.numberRows)
            break;
        int height = frame_->GetRowHeight(r);
        if (height > 0 && y >= top && y < top + height) {
            found = r;
            break;
        }
        top += height;
    }
    if (found < 0)
        return GRID_ERROR;
    int left = 0;
    for (int c = -gi.numberSideHdgCols; c <= -1; ++c) {
        int width = gi.GetSideHdgColWidth(c);
        if (width > 0 && x >= left && x < left + width) {
            *col = c;
            *row = found;
            if (gi.enableJoins) {
                int endCol;
                long endRow;
                frame_->GetJoinRange(col, row, &endCol, &endRow);
            }
            if (rect)
                GetCellRect(*col, *row, rect);
            return GRID_SUCCESS;
        }
        left += width;
    }
    return GRID_ERROR;
}

// ---- painting ----

void CUGSideHdg::FitHeadingCols() {
    CUGGridInfo& gi = *gridInfo_;
    if (gi.numberSideHdgCols < 1 || gi.sideHdgWidths.empty())
        return;
    int inner = 0;
    for (int i = 0; i < gi.numberSideHdgCols - 1; ++i)
        inner += gi.sideHdgWidths[static_cast<std::size_t>(i)];
    gi.sideHdgWidths[static_cast<std::size_t>(gi.numberSideHdgCols - 1)] =
        std::max(0, gi.sideHdgWidth - inner);
}

void CUGSideHdg::RepaintAll() {
    FitHeadingCols();
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

void CUGSideHdg::RefreshAfterMove() {
    const CUGGridInfo& gi = *gridInfo_;
    if (!m_hWnd || (gi.topRow == paintedTopRow_ && gi.currentRow == paintedCurRow_))
        return;
    if (GetUpdateRect(nullptr) || paintedTopRow_ < 0) {
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    CRect client;
    GetClientRect(&client);
    CDC* dc = GetDC();
    if (gi.topRow != paintedTopRow_) {
        long long dy = 0;
        if (gi.uniformRowHeight) {
            dy = static_cast<long long>(gi.topRow - paintedTopRow_) * gi.defRowHeight;
        } else {
            long step = gi.topRow > paintedTopRow_ ? 1 : -1;
            for (long r = paintedTopRow_; r != gi.topRow && std::llabs(dy) <= gi.gridHeight;
                 r += step)
                dy += step * frame_->GetRowHeight(step > 0 ? r : r - 1);
        }
        if (std::llabs(dy) > gi.gridHeight) {
            redrawList_.AddRange(-gi.numberSideHdgCols, 0, -1, gi.numberRows);
        } else {
            CRect area = client;
            area.top += gi.lockedRowsHeight;
            dc->ScrollDC(0, static_cast<int>(-dy), &area, &area, nullptr, nullptr);
            if (dy > 0)
                redrawList_.AddRange(-gi.numberSideHdgCols, paintedBottomRow_, -1, gi.numberRows);
            else
                redrawList_.AddRange(-gi.numberSideHdgCols, 0, -1, paintedTopRow_);
        }
    }
    redrawList_.AddRange(-gi.numberSideHdgCols, paintedCurRow_, -1, paintedCurRow_);
    redrawList_.AddRange(-gi.numberSideHdgCols, gi.currentRow, -1, gi.currentRow);
    DrawHeading(dc);
    redrawList_.Clear();
    ReleaseDC(dc);
}

void CUGSideHdg::OnPaint() {
    CPaintDC dc(this);
    redrawList_.AddRange(-gridInfo_->numberSideHdgCols, 0, 0, gridInfo_->numberRows);
    DrawHeading(&dc);
    redrawList_.Clear();
}

void CUGSideHdg::DrawHeading(CDC* dc) {
    const CUGGridInfo& gi = *gridInfo_;
    frame_->OnSectionPaintSetup(dc, nullptr, UG_SIDEHEADING);
    CFont* oldFont = gi.defFont ? dc->SelectObject(gi.defFont) : nullptr;
    int y = 0;
    long bottomRow = gi.numberRows;
    for (long row = 0; row < gi.numberRows; ++row) {
        if (row == gi.lockedRows && row < gi.topRow)
            row = gi.topRow;
        if (row >= gi.numberRows)
            break;
        int height = frame_->GetRowHeight(row);
        if (height <= 0)
            continue;
        int x = 0;
        for (int col = -gi.numberSideHdgCols; col <= -1; ++col) {
            int width = gi.GetSideHdgColWidth(col);
            int left = x;
            x += width;
            if (width <= 0 || !redrawList_.Contains(col, row))
                continue;
            frame_->GetCell(col, row, &scratchCell_);
            CRect rect(left, y, left + width, y + height);
            int cellCol = col;
            long cellRow = row;
            if (gi.enableJoins && scratchCell_.HasProperty(CELLPROP_SPAN)) {
                int endCol;
                long endRow;
                frame_->GetJoinRange(&cellCol, &cellRow, &endCol, &endRow);
                if (redrawList_.WasDrawn(cellCol, cellRow))
                    continue;
                redrawList_.MarkDrawn(cellCol, cellRow);
                GetCellRect(cellCol, cellRow, &rect);
                if (cellCol != col || cellRow != row)
                    frame_->GetCell(cellCol, cellRow, &scratchCell_);
            }
            int saved = dc->SaveDC();
            frame_->CellTypeOf(scratchCell_)
                ->DrawCell(dc, &rect, cellCol, cellRow, &scratchCell_, 0, 0);
            dc->RestoreDC(saved);
        }
        y += height;
        if (y > gi.gridHeight) {
            bottomRow = row;
            break;
        }
    }
    if (y < gi.gridHeight) {
        CRect strip(0, y, gi.sideHdgWidth, gi.gridHeight);
        dc->SetBkColor(gi.headingDefault->GetBackColor());
        dc->ExtTextOut(strip.left, strip.top, ETO_OPAQUE, &strip, L"", 0);
    }
    if (oldFont)
        dc->SelectObject(oldFont);
    paintedTopRow_ = gi.topRow;
    paintedCurRow_ = gi.currentRow;
    paintedBottomRow_ = bottomRow;
}

// ---- sizing ----

BOOL CUGSideHdg::OnSetCursor(CWnd*, UINT, UINT) {
    if (sizingArmed_ || sizingActive_)
        ::SetCursor(sizingHeight_ ? gridInfo_->sizeNSCursor : gridInfo_->sizeWECursor);
    else
        ::SetCursor(gridInfo_->arrowCursor);
    return TRUE;
}

void CUGSideHdg::TestSizingEdges(CPoint point) {
    const CUGGridInfo& gi = *gridInfo_;
    if (gi.userSizing <= 0)
        return;
    int edge = gi.sideHdgWidth;
    for (int index = 0; index < gi.numberSideHdgCols; ++index) {
        if (point.x > edge - kEdgeSlack && point.x < edge + kEdgeSlack) {
            if (!frame_->OnQuerySideHdgResize())
                return;
            sizingArmed_ = true;
            sizingHeight_ = false;
            sizingIndex_ = index;
            sizingStartSize_ = gi.sideHdgWidths[static_cast<std::size_t>(index)];
            sizingStartPos_ = point.x;
            sizingStartHdgWidth_ = gi.sideHdgWidth;
            ::SetCursor(gi.sizeWECursor);
            return;
        }
        edge -= gi.sideHdgWidths[static_cast<std::size_t>(index)];
    }
    int y = 0;
    for (long row = 0; row < gi.numberRows; ++row) {
        if (row == gi.lockedRows && row < gi.topRow)
            row = gi.topRow;
        if (row >= gi.numberRows)
            break;
        y += frame_->GetRowHeight(row);
        if (point.y > y - kEdgeSlack && point.y < y + kEdgeSlack) {
            long candidate = row;
            if (row + 1 < gi.numberRows && frame_->GetRowHeight(row + 1) == 0)
                candidate = row + 1;
            if (!frame_->OnQueryRowResize(candidate))
                return;
            sizingArmed_ = true;
            sizingHeight_ = true;
            sizingIndex_ = static_cast<int>(candidate);
            sizingStartSize_ = frame_->GetRowHeight(candidate);
            sizingStartPos_ = point.y;
            ::SetCursor(gi.sizeNSCursor);
            return;
        }
        if (y > gi.gridHeight)
            break;
    }
    if (sizingArmed_) {
        sizingArmed_ = false;
        ::SetCursor(gi.arrowCursor);
    }
}

void CUGSideHdg::DrawTrackingLine(const CRect& line) {
    CUGGrid* grid = frame_->grid.get();
    if (!grid || !grid->m_hWnd)
        return;
    CDC* dc = grid->GetDC();
    dc->DrawFocusRect(&line);
    grid->ReleaseDC(dc);
    trackingLine_ = line;
}

void CUGSideHdg::EraseTrackingLine() {
    if (trackingLine_.left == -1 && trackingLine_.right == -1)
        return;
    CRect line = trackingLine_;
    DrawTrackingLine(line);
    trackingLine_ = CRect(-1, -1, -1, -1);
}

void CUGSideHdg::SizeWhileDragging(CPoint point) {
    CUGGridInfo& gi = *gridInfo_;
    if (!sizingHeight_) {
        int colWidth = std::max(0, point.x - sizingStartPos_ + sizingStartSize_);
        gi.sideHdgWidths[static_cast<std::size_t>(sizingIndex_)] = colWidth;
        int total = std::max(0, point.x - sizingStartPos_ + sizingStartHdgWidth_);
        frame_->OnSideHdgResizing(&total);
        gi.sideHdgWidth = total;
        frame_->LayoutChildren();
        return;
    }
    int height;
    if (gi.uniformRowHeight) {
        // One height for all rows: the pointer's depth shared by the rows above it.
        int rowsAbove = sizingStartPos_ / std::max(1, gi.defRowHeight);
        int y = std::max<int>(1, point.y);
        height = rowsAbove > 0 ? y / rowsAbove : y;
    } else {
        height = std::max(0, point.y - sizingStartPos_ + sizingStartSize_);
    }
    frame_->OnRowResizing(sizingIndex_, &height);
    frame_->SetRowHeight(sizingIndex_, height);
    if (gi.userSizing == 1) {
        RepaintAll();
        EraseTrackingLine();
        int y = std::max<int>(point.y, sizingStartPos_ - sizingStartSize_);
        DrawTrackingLine(CRect(0, y - 1, gi.gridWidth, y + 1));
    } else {
        frame_->RecalcVisibleRange();
        frame_->RepaintAll();
    }
}

void CUGSideHdg::EndSizing() {
    CUGGridInfo& gi = *gridInfo_;
    EraseTrackingLine();
    if (!sizingHeight_) {
        frame_->OnSideHdgResized(&gi.sideHdgWidth);
    } else {
        int height = frame_->GetRowHeight(sizingIndex_);
        int hooked = height;
        frame_->OnRowResized(sizingIndex_, &hooked);
        if (hooked != height)
            frame_->SetRowHeight(sizingIndex_, hooked);
    }
    sizingActive_ = false;
    sizingArmed_ = false;
    if (frame_->grid && frame_->grid->m_hWnd)
        frame_->grid->Invalidate(FALSE);
    frame_->LayoutChildren();
}

// ---- mouse ----

void CUGSideHdg::GiveGridFocus() {
    if (frame_->grid && frame_->grid->m_hWnd && GetFocus() != frame_->grid.get())
        frame_->grid->SetFocus();
}

void CUGSideHdg::OnMouseMove(UINT flags, CPoint point) {
    if (sizingActive_) {
        SizeWhileDragging(point);
        return;
    }
    if (!(flags & MK_LBUTTON))
        TestSizingEdges(point);
}

void CUGSideHdg::OnLButtonDown(UINT, CPoint point) {
    GiveGridFocus();
    SetCapture();
    if (sizingArmed_) {
        sizingActive_ = true;
        return;
    }
    gridInfo_->lastInputKind = UG_INPUT_HEADING;
    int col;
    long row;
    CRect rect;
    int processed = 0;
    if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleLeftButton(col, row, 1, &rect, &point);
    }
    frame_->OnSideHdgLeftClick(col, row, 1, &rect, &point, processed);
    gridInfo_->lastInputKind = UG_INPUT_KEYBOARD;
}

void CUGSideHdg::OnLButtonUp(UINT, CPoint point) {
    if (sizingActive_) {
        EndSizing();
    } else {
        int col;
        long row;
        CRect rect;
        int processed = 0;
        if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
            frame_->GetCell(col, row, &scratchCell_);
            processed =
                frame_->CellTypeOf(scratchCell_)->HandleLeftButton(col, row, 0, &rect, &point);
        }
        frame_->OnSideHdgLeftClick(col, row, 0, &rect, &point, processed);
    }
    if (GetCapture() == this)
        ReleaseCapture();
}

void CUGSideHdg::OnLButtonDblClk(UINT, CPoint point) {
    int col;
    long row;
    CRect rect;
    int processed = 0;
    if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleDoubleClick(col, row, &rect, &point);
    }
    frame_->OnSideHdgDoubleClick(col, row, &rect, &point, processed);
}

void CUGSideHdg::OnRButtonDown(UINT, CPoint point) {
    GiveGridFocus();
    int col;
    long row;
    CRect rect;
    int processed = 0;
    if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleRightButton(col, row, 1, &rect, &point);
    }
    frame_->OnSideHdgRightClick(col, row, 1, &rect, &point, processed);
    if (gridInfo_->popupMenuEnabled) {
        CPoint screen = point;
        ClientToScreen(&screen);
        frame_->StartMenu(col, row, &screen, UG_SIDEHEADING);
    }
}

void CUGSideHdg::OnRButtonUp(UINT, CPoint point) {
    int col;
    long row;
    CRect rect;
    int processed = 0;
    if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleRightButton(col, row, 0, &rect, &point);
    }
    frame_->OnSideHdgRightClick(col, row, 0, &rect, &point, processed);
}
