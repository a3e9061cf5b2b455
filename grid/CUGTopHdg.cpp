#include "grid/CUGTopHdg.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGGridInfo.h"

namespace {
constexpr int kEdgeSlack = 3; // a pointer closer than this to an edge grabs it
} // namespace

CUGTopHdg::~CUGTopHdg() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CUGTopHdg::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= static_cast<LONG>(WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    return CWnd::PreCreateWindow(cs);
}

BOOL CUGTopHdg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

// ---- geometry ----

int CUGTopHdg::RowTop(long row) const {
    int y = 0;
    for (long r = -gridInfo_->numberTopHdgRows; r < row; ++r)
        y += gridInfo_->GetTopHdgRowHeight(static_cast<int>(r));
    return y;
}

int CUGTopHdg::GetCellRect(int col, long row, RECT* rect) const {
    int startCol = col, endCol = col;
    long startRow = row, endRow = row;
    if (gridInfo_->enableJoins)
        frame_->GetJoinRange(&startCol, &startRow, &endCol, &endRow);
    rect->left = frame_->ColumnLeft(startCol);
    rect->right = frame_->ColumnLeft(endCol) + frame_->GetColumnWidth(endCol);
    rect->top = RowTop(startRow);
    rect->bottom = RowTop(endRow) + gridInfo_->GetTopHdgRowHeight(static_cast<int>(endRow));
    return GRID_SUCCESS;
}

int CUGTopHdg::GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect) const {
    *col = -1;
    *row = -1;
    const CUGGridInfo& gi = *gridInfo_;
    int left = 0;
    int found = -1;
    for (int c = 0; c < gi.numberCols && left <= gi.gridWidth; ++c) {
        if (c == gi.lockedCols && c < gi.leftCol)
            c = gi.leftCol;
        if (c >= gi.numberCols)
            break;
        int width = frame_->GetColumnWidth(c);
        if (width > 0 && x >= left && x < left + width) {
            found = c;
            break;
        }
        left += width;
    }
    if (found < 0)
        return GRID_ERROR;
    int top = 0;
    for (long r = -gi.numberTopHdgRows; r <= -1; ++r) {
        int height = gi.GetTopHdgRowHeight(static_cast<int>(r));
        if (height > 0 && y >= top && y < top + height) {
            *col = found;
            *row = r;
            if (gi.enableJoins) {
                int endCol;
                long endRow;
                frame_->GetJoinRange(col, row, &endCol, &endRow);
            }
            if (rect)
                GetCellRect(*col, *row, rect);
            return GRID_SUCCESS;
        }
        top += height;
    }
    *col = -1;
    return GRID_ERROR;
}

// ---- painting ----

void CUGTopHdg::FitHeadingRows() {
    CUGGridInfo& gi = *gridInfo_;
    if (gi.numberTopHdgRows < 1 || gi.topHdgHeights.empty())
        return;
    int inner = 0;
    for (int i = 0; i < gi.numberTopHdgRows - 1; ++i)
        inner += gi.topHdgHeights[static_cast<std::size_t>(i)];
    gi.topHdgHeights[static_cast<std::size_t>(gi.numberTopHdgRows - 1)] =
        std::max(0, gi.topHdgHeight - inner);
}

void CUGTopHdg::RepaintAll() {
    FitHeadingRows();
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

void CUGTopHdg::RefreshAfterMove() {
    if (m_hWnd && gridInfo_->leftCol != paintedLeftCol_) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void CUGTopHdg::OnPaint() {
    CPaintDC dc(this);
    redrawList_.AddRange(0, -gridInfo_->numberTopHdgRows, gridInfo_->numberCols, 0);
    DrawHeading(&dc);
    redrawList_.Clear();
}

void CUGTopHdg::DrawHeading(CDC* dc) {
    const CUGGridInfo& gi = *gridInfo_;
    frame_->OnSectionPaintSetup(dc, nullptr, UG_TOPHEADING);
    CFont* oldFont = gi.defFont ? dc->SelectObject(gi.defFont) : nullptr;
    int paintedRight = 0;
    int top = 0;
    for (long row = -gi.numberTopHdgRows; row <= -1; ++row) {
        int height = gi.GetTopHdgRowHeight(static_cast<int>(row));
        int x = 0;
        for (int col = 0; col < gi.numberCols; ++col) {
            if (col == gi.lockedCols && col < gi.leftCol)
                col = gi.leftCol;
            if (col >= gi.numberCols)
                break;
            int width = frame_->GetColumnWidth(col);
            int left = x;
            x += width;
            if (width > 0 && height > 0 && redrawList_.Contains(col, row)) {
                frame_->GetCell(col, row, &scratchCell_);
                CRect rect(left, top, left + width, top + height);
                int cellCol = col;
                long cellRow = row;
                bool paint = true;
                if (gi.enableJoins && scratchCell_.HasProperty(CELLPROP_SPAN)) {
                    int endCol;
                    long endRow;
                    frame_->GetJoinRange(&cellCol, &cellRow, &endCol, &endRow);
                    paint = !redrawList_.WasDrawn(cellCol, cellRow);
                    redrawList_.MarkDrawn(cellCol, cellRow);
                    GetCellRect(cellCol, cellRow, &rect);
                    if (paint && (cellCol != col || cellRow != row))
                        frame_->GetCell(cellCol, cellRow, &scratchCell_);
                }
                if (paint && rect.Height() > 0) {
                    int mark = (cellCol == swapSourceCol_ && swapTargetCol_ >= 0) ? 1 : 0;
                    int saved = dc->SaveDC();
                    frame_->CellTypeOf(scratchCell_)
                        ->DrawCell(dc, &rect, cellCol, cellRow, &scratchCell_, mark, 0);
                    dc->RestoreDC(saved);
                }
            }
            if (x > gi.gridWidth)
                break;
        }
        paintedRight = std::max(paintedRight, x);
        top += height;
    }
    if (paintedRight < gi.gridWidth) {
        CRect strip(paintedRight, 0, gi.gridWidth, gi.topHdgHeight);
        dc->SetBkColor(gi.headingDefault->GetBackColor());
        dc->ExtTextOut(strip.left, strip.top, ETO_OPAQUE, &strip, L"", 0);
    }
    if (oldFont)
        dc->SelectObject(oldFont);
    paintedLeftCol_ = gi.leftCol;
}

// ---- sizing ----

BOOL CUGTopHdg::OnSetCursor(CWnd*, UINT, UINT) {
    if (sizingArmed_ || sizingActive_)
        ::SetCursor(sizingHeight_ ? gridInfo_->sizeNSCursor : gridInfo_->sizeWECursor);
    else
        ::SetCursor(gridInfo_->arrowCursor);
    return TRUE;
}

void CUGTopHdg::TestSizingEdges(CPoint point) {
    const CUGGridInfo& gi = *gridInfo_;
    if (gi.userSizing <= 0)
        return;
    int x = 0;
    for (int col = 0; col < gi.numberCols; ++col) {
        if (col == gi.lockedCols && col < gi.leftCol)
            col = gi.leftCol;
        if (col >= gi.numberCols)
            break;
        x += frame_->GetColumnWidth(col);
        if (point.x > x - kEdgeSlack && point.x < x + kEdgeSlack) {
            // A hidden column right of the edge is the one pulled open.
            int candidate = col;
            if (col + 1 < gi.numberCols && frame_->GetColumnWidth(col + 1) == 0)
                candidate = col + 1;
            if (!frame_->OnQueryColResize(candidate))
                return;
            sizingArmed_ = true;
            sizingHeight_ = false;
            sizingIndex_ = candidate;
            sizingStartSize_ = frame_->GetColumnWidth(candidate);
            sizingStartPos_ = point.x;
            ::SetCursor(gi.sizeWECursor);
            return;
        }
        if (x > gi.gridWidth)
            break;
    }
    int edge = gi.topHdgHeight;
    for (int index = 0; index < gi.numberTopHdgRows; ++index) {
        if (point.y > edge - kEdgeSlack && point.y < edge + kEdgeSlack) {
            if (!frame_->OnQueryTopHdgResize())
                return;
            sizingArmed_ = true;
            sizingHeight_ = true;
            sizingIndex_ = index;
            sizingStartSize_ = gi.topHdgHeights[static_cast<std::size_t>(index)];
            sizingStartPos_ = point.y;
            sizingStartHdgHeight_ = gi.topHdgHeight;
            ::SetCursor(gi.sizeNSCursor);
            return;
        }
        edge -= gi.topHdgHeights[static_cast<std::size_t>(index)];
    }
    if (sizingArmed_) {
        sizingArmed_ = false;
        ::SetCursor(gi.arrowCursor);
    }
}

void CUGTopHdg::DrawTrackingLine(const CRect& line) {
    CUGGrid* grid = frame_->grid.get();
    if (!grid || !grid->m_hWnd)
        return;
    CDC* dc = grid->GetDC();
    dc->DrawFocusRect(&line);
    grid->ReleaseDC(dc);
    swapIndicator_ = line;
}

void CUGTopHdg::EraseTrackingLine() {
    if (swapIndicator_.left == -1 && swapIndicator_.right == -1)
        return;
    CRect line = swapIndicator_;
    DrawTrackingLine(line); // drawn by inversion: a second time takes it away
    swapIndicator_ = CRect(-1, -1, -1, -1);
}

void CUGTopHdg::SizeWhileDragging(CPoint point) {
    CUGGridInfo& gi = *gridInfo_;
    if (sizingHeight_) {
        int rowHeight = std::max(0, point.y - sizingStartPos_ + sizingStartSize_);
        gi.topHdgHeights[static_cast<std::size_t>(sizingIndex_)] = rowHeight;
        int total = std::max(0, point.y - sizingStartPos_ + sizingStartHdgHeight_);
        frame_->OnTopHdgResizing(&total);
        gi.topHdgHeight = total;
        frame_->LayoutChildren();
        return;
    }
    int x = std::max<int>(point.x, sizingStartPos_ - sizingStartSize_);
    int width = x - sizingStartPos_ + sizingStartSize_;
    frame_->OnColResizing(sizingIndex_, &width);
    frame_->SetColumnWidth(sizingIndex_, width);
    if (gi.userSizing == 1) {
        RepaintAll();
        EraseTrackingLine();
        DrawTrackingLine(CRect(x - 1, 0, x + 1, gi.gridHeight));
    } else {
        frame_->RecalcVisibleRange();
        frame_->RepaintAll();
    }
}

void CUGTopHdg::EndSizing() {
    CUGGridInfo& gi = *gridInfo_;
    EraseTrackingLine();
    if (sizingHeight_) {
        frame_->OnTopHdgResized(&gi.topHdgHeight);
    } else {
        int width = frame_->GetColumnWidth(sizingIndex_);
        int hooked = width;
        frame_->OnColResized(sizingIndex_, &hooked);
        if (hooked != width)
            frame_->SetColumnWidth(sizingIndex_, hooked);
    }
    sizingActive_ = false;
    sizingArmed_ = false;
    if (frame_->grid && frame_->grid->m_hWnd)
        frame_->grid->Invalidate(FALSE);
    frame_->LayoutChildren();
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
        bool scrolled = gridInfo_->leftCol != before;
        for (;;) {
            if (GetCapture() != this)
                return;
            MSG msg;
            if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)
                    return;
                PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
                TranslateMessage(&msg);
                DispatchMessage(&msg);
                continue;
            }
            if (!scrolled && !WaitMessage())
                return;
            break;
        }
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

void CUGTopHdg::GiveGridFocus() {
    if (frame_->grid && frame_->grid->m_hWnd && GetFocus() != frame_->grid.get())
        frame_->grid->SetFocus();
}

void CUGTopHdg::OnMouseMove(UINT flags, CPoint point) {
    if (sizingActive_) {
        SizeWhileDragging(point);
        return;
    }
    if ((flags & MK_LBUTTON) && gridInfo_->enableColSwapping && swapSourceCol_ >= 0 &&
        GetCapture() == this) {
        TrackColumnMove(point);
        return;
    }
    if (!(flags & MK_LBUTTON))
        TestSizingEdges(point);
}

void CUGTopHdg::OnLButtonDown(UINT, CPoint point) {
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
        if (frame_->OnColDragBegin(col))
            swapSourceCol_ = col;
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleLeftButton(col, row, 1, &rect, &point);
    }
    frame_->OnTopHdgLeftClick(col, row, 1, &rect, &point, processed);
    gridInfo_->lastInputKind = UG_INPUT_KEYBOARD;
}

void CUGTopHdg::OnLButtonUp(UINT, CPoint point) {
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
        frame_->OnTopHdgLeftClick(col, row, 0, &rect, &point, processed);
    }
    if (gridInfo_->enableColSwapping && swapSourceCol_ >= 0)
        CompleteColumnMove();
    swapSourceCol_ = swapTargetCol_ = -1;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CUGTopHdg::OnLButtonDblClk(UINT, CPoint point) {
    if (sizingArmed_ && !sizingHeight_ && gridInfo_->bestFitOnDblClick) {
        frame_->BestFit(sizingIndex_, sizingIndex_, 20, UG_BESTFIT_TOPHEADINGS);
        sizingArmed_ = false;
        TestSizingEdges(point);
        return;
    }
    int col;
    long row;
    CRect rect;
    int processed = 0;
    if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleDoubleClick(col, row, &rect, &point);
    }
    frame_->OnTopHdgDoubleClick(col, row, &rect, &point, processed);
}

void CUGTopHdg::OnRButtonDown(UINT, CPoint point) {
    GiveGridFocus();
    int col;
    long row;
    CRect rect;
    int processed = 0;
    if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleRightButton(col, row, 1, &rect, &point);
    }
    frame_->OnTopHdgRightClick(col, row, 1, &rect, &point, processed);
    if (gridInfo_->popupMenuEnabled) {
        CPoint screen = point;
        ClientToScreen(&screen);
        frame_->StartMenu(col, row, &screen, UG_TOPHEADING);
    }
}

void CUGTopHdg::OnRButtonUp(UINT, CPoint point) {
    int col;
    long row;
    CRect rect;
    int processed = 0;
    if (GetCellFromPoint(point.x, point.y, &col, &row, &rect) == GRID_SUCCESS) {
        frame_->GetCell(col, row, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleRightButton(col, row, 0, &rect, &point);
    }
    frame_->OnTopHdgRightClick(col, row, 0, &rect, &point, processed);
}
