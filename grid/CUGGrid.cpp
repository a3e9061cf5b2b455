// The cell area's painting: the paint pass over the redraw list, view moves that scroll the
// pixels still valid, and the off-screen buffer.

#include "grid/CUGGrid.h"

#include <algorithm>
#include <cstdlib>

#include "grid/CUGCtrl.h"
#include "grid/CUGGridInfo.h"

CUGGrid::~CUGGrid() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CUGGrid::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= static_cast<LONG>(WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    return CWnd::PreCreateWindow(cs);
}

int CUGGrid::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (gridInfo_ && gridInfo_->cellHints)
        EnableToolTips(TRUE);
    return 0;
}

void CUGGrid::OnDestroy() {
    bufferBitmap_.reset();
    CWnd::OnDestroy();
}

BOOL CUGGrid::OnEraseBkgnd(CDC*) {
    return TRUE; // every pixel is painted by the paint pass
}

void CUGGrid::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    GetClientRect(&clientRect_);
    if (doubleBufferMode_ >= 1)
        SetOffscreenPainting(doubleBufferMode_);
}

int CUGGrid::SetOffscreenPainting(int mode) {
    bufferBitmap_.reset();
    doubleBufferMode_ = mode;
    if (mode == 0)
        return 0;
    CClientDC dc(this);
    auto bitmap = std::make_unique<CBitmap>();
    int width = std::max<int>(1, clientRect_.Width());
    int height = std::max<int>(1, clientRect_.Height());
    if (!bitmap->CreateCompatibleBitmap(&dc, width, height)) {
        doubleBufferMode_ = 0;
        return 1;
    }
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(bitmap.get());
    memory.FillSolidRect(0, 0, width, height, frame_->OnSectionBackColor(UG_GRID));
    memory.SelectObject(old);
    bufferBitmap_ = std::move(bitmap);
    return 0;
}

// ---- repaint requests ----

void CUGGrid::RepaintAll() {
    Invalidate(FALSE);
    UpdateWindow();
}

void CUGGrid::RepaintCell(int col, long row) {
    redrawList.AddCell(col, row);
    RefreshAfterMove();
}

void CUGGrid::RepaintRow(long row) {
    redrawList.AddRange(0, row, gridInfo_->numberCols - 1, row);
    RefreshAfterMove();
}

void CUGGrid::RepaintCol(int col) {
    redrawList.AddRange(col, 0, col, gridInfo_->numberRows - 1);
    RefreshAfterMove();
}

void CUGGrid::RepaintRange(int startCol, long startRow, int endCol, long endRow) {
    redrawList.AddRange(startCol, startRow, endCol, endRow);
    RefreshAfterMove();
}

void CUGGrid::OnPaint() {
    // Pixels that show another view than the present one are all stale.
    if (gridInfo_->leftCol != paintedLeftCol_ || gridInfo_->topRow != paintedTopRow_)
        Invalidate(FALSE);
    CPaintDC dc(this);
    redrawList.AddRange(0, 0, gridInfo_->numberCols, gridInfo_->numberRows);
    CDC memory;
    CBitmap* old = nullptr;
    if (doubleBufferMode_ && bufferBitmap_) {
        memory.CreateCompatibleDC(&dc);
        old = memory.SelectObject(bufferBitmap_.get());
    }
    DrawCells(&dc, old ? &memory : nullptr);
    if (old)
        memory.SelectObject(old);
}

namespace {

// The pixels between two first columns (rows) of the view: positive when the view moved
// right (down). Gives up (answers a value beyond `limit`) once the sum passes it.
template <class Size> long long Distance(long from, long to, long long limit, Size size) {
    long long sum = 0;
    long step = to > from ? 1 : -1;
    for (long i = from; i != to; i += step) {
        sum += size(step > 0 ? i : i - 1);
        if (sum > limit)
            break;
    }
    return step > 0 ? sum : -sum;
}

} // namespace

void CUGGrid::RefreshAfterMove() {
    if (!m_hWnd)
        return;
    if (GetUpdateRect(nullptr) || frame_->findDialogOpen) {
        // Something is pending anyway: one whole paint.
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    CUGGridInfo& gi = *gridInfo_;
    long long dx = 0, dy = 0;
    if (gi.leftCol != paintedLeftCol_) {
        dx = Distance(paintedLeftCol_, gi.leftCol, gi.gridWidth,
                      [&](long c) { return frame_->GetColumnWidth(static_cast<int>(c)); });
        if (std::llabs(dx) > gi.gridWidth) {
            dx = 0;
            redrawList.AddRange(0, 0, gi.numberCols, gi.numberRows);
        }
    }
    if (gi.topRow != paintedTopRow_) {
        if (gi.uniformRowHeight)
            dy = static_cast<long long>(gi.topRow - paintedTopRow_) * gi.defRowHeight;
        else
            dy = Distance(paintedTopRow_, gi.topRow, gi.gridHeight,
                          [&](long r) { return frame_->GetRowHeight(r); });
        if (std::llabs(dy) > gi.gridHeight) {
            dy = 0;
            redrawList.AddRange(0, 0, gi.numberCols, gi.numberRows);
        }
    }

    CDC* dc = GetDC();
    CDC memory;
    CBitmap* old = nullptr;
    if (doubleBufferMode_ && bufferBitmap_) {
        memory.CreateCompatibleDC(dc);
        old = memory.SelectObject(bufferBitmap_.get());
    }
    CDC* target = old ? &memory : dc;
    if (dx != 0 || dy != 0) {
        CRect area = clientRect_;
        if (dx == 0)
            area.top += gi.lockedRowsHeight;
        if (dy == 0)
            area.left += gi.lockedColsWidth;
        target->ScrollDC(static_cast<int>(-dx), static_cast<int>(-dy), &area, &area, nullptr,
                         nullptr);
        if (dx > 0)
            redrawList.AddRange(paintedRightCol_, 0, gi.numberCols, gi.numberRows);
        else if (dx < 0)
            redrawList.AddRange(0, 0, paintedLeftCol_, gi.numberRows);
        if (dy > 0)
            redrawList.AddRange(0, paintedBottomRow_, gi.numberCols, gi.numberRows);
        else if (dy < 0)
            redrawList.AddRange(0, 0, gi.numberCols, paintedTopRow_);
    }
    // The cell that carried the focus frame and the one that carries it now.
    for (auto [col, row] : {std::pair<int, long>{paintedCurCol_, paintedCurRow_},
                            std::pair<int, long>{gi.currentCol, gi.currentRow}}) {
        if (gi.highlightRow)
            redrawList.AddRange(0, row, gi.numberCols - 1, row);
        else
            redrawList.AddCell(col, row);
    }
    DrawCells(dc, old ? &memory : nullptr);
    if (old)
        memory.SelectObject(old);
    ReleaseDC(dc);
}

// ---- the paint pass ----

void CUGGrid::CountPaintedRows(const CRect& rect) {
    ++stats_.cellsPainted;
    int top = std::max<int>(0, rect.top);
    int bottom = std::min<int>(static_cast<int>(paintedRows_.size()), rect.bottom);
    for (int y = top; y < bottom; ++y)
        if (!paintedRows_[static_cast<std::size_t>(y)]) {
            paintedRows_[static_cast<std::size_t>(y)] = true;
            ++stats_.pixelRowsPainted;
        }
}

void CUGGrid::DrawLockedSeparators(CDC* target, int col, long row, const CRect& r) {
    const CUGGridInfo& gi = *gridInfo_;
    if (gi.lockedCols <= 0 && gi.lockedRows <= 0)
        return;
    target->SelectObject(static_cast<CPen*>(GetStockObject(BLACK_PEN)));
    if (gi.lockedCols > 0) {
        if (col == gi.leftCol) {
            target->MoveTo(r.left - 1, r.top);
            target->LineTo(r.left - 1, r.bottom + 1);
        }
        if (col == gi.lockedCols - 1) {
            target->MoveTo(r.right - 1, r.top);
            target->LineTo(r.right - 1, r.bottom + 1);
        }
    }
    if (gi.lockedRows > 0) {
        if (row == gi.topRow) {
            target->MoveTo(r.left, r.top - 1);
            target->LineTo(r.right + 1, r.top - 1);
        }
        if (row == gi.lockedRows - 1) {
            target->MoveTo(r.left, r.bottom - 1);
            target->LineTo(r.right + 1, r.bottom - 1);
        }
    }
}

void CUGGrid::PaintCell(CDC* target, int col, long row, const CRect& rect) {
    const CUGGridInfo& gi = *gridInfo_;
    frame_->GetCell(col, row, &scratchCell_);
    CRect drawRect = rect;
    int cellCol = col;
    long cellRow = row;
    if (gi.enableJoins && scratchCell_.HasProperty(CELLPROP_SPAN)) {
        int endCol;
        long endRow;
        if (frame_->GetJoinRange(&cellCol, &cellRow, &endCol, &endRow) == GRID_SUCCESS) {
            if (redrawList.WasDrawn(cellCol, cellRow))
                return;
            redrawList.MarkDrawn(cellCol, cellRow);
            frame_->GetRangeRect(cellCol, cellRow, endCol, endRow, &drawRect);
            if (cellCol != col || cellRow != row)
                frame_->GetCell(cellCol, cellRow, &scratchCell_);
        }
    }
    CUGCellType* type = frame_->CellTypeOf(scratchCell_);
    int saved = target->SaveDC();
    int block = 0;
    if (cellRow == gi.currentRow && (cellCol == gi.currentCol || gi.highlightRow))
        type->DrawCell(target, &drawRect, cellCol, cellRow, &scratchCell_, 0, 1);
    else if (gi.multiSelect->IsSelected(cellCol, cellRow, &block))
        type->DrawCell(target, &drawRect, cellCol, cellRow, &scratchCell_, block + 1, 0);
    else
        type->DrawCell(target, &drawRect, cellCol, cellRow, &scratchCell_, 0, 0);
    DrawLockedSeparators(target, col, row, drawRect);
    target->RestoreDC(saved);
    CountPaintedRows(drawRect);
}

void CUGGrid::FillBlankArea(CDC* target, int blankRight, int blankBottom) {
    if (blankRight < 0 && blankBottom < 0)
        return;
    CBrush brush(frame_->OnSectionBackColor(UG_GRID));
    if (blankRight >= 0) {
        CRect r(blankRight, clientRect_.top, clientRect_.right, clientRect_.bottom);
        target->FillRect(&r, &brush);
    }
    if (blankBottom >= 0) {
        CRect r(clientRect_.left, blankBottom, clientRect_.right, clientRect_.bottom);
        target->FillRect(&r, &brush);
    }
}

void CUGGrid::DrawCells(CDC* screenDc, CDC* memoryDc) {
    CUGGridInfo& gi = *gridInfo_;
    CDC* target = memoryDc ? memoryDc : screenDc;
    stats_ = PaintStats{};
    paintedRows_.assign(static_cast<std::size_t>(std::max(0, gi.gridHeight)), false);

    CFont* oldScreenFont = nullptr;
    CFont* oldMemoryFont = nullptr;
    if (gi.defFont) {
        oldScreenFont = screenDc->SelectObject(gi.defFont);
        if (memoryDc)
            oldMemoryFont = memoryDc->SelectObject(gi.defFont);
    }
    frame_->OnSectionPaintSetup(screenDc, memoryDc, UG_GRID);

    gi.rightCol = gi.numberCols;
    gi.bottomRow = gi.numberRows;
    CRect focus(-1, -1, -1, -1);
    int blankRight = -1, blankBottom = -1;
    int lastRight = 0;
    int y = 0;
    for (long row = gi.NextShownRow(-1); row < gi.numberRows; row = gi.NextShownRow(row)) {
        int height = frame_->GetRowHeight(row);
        if (height > 0) {
            int x = 0;
            for (int col = gi.NextShownCol(-1); col < gi.numberCols; col = gi.NextShownCol(col)) {
                int width = frame_->GetColumnWidth(col);
                if (width <= 0)
                    continue;
                CRect rect(x, y, x + width, y + height);
                if (redrawList.Contains(col, row))
                    PaintCell(target, col, row, rect);
                if (row == gi.currentRow && (col == gi.currentCol || gi.highlightRow)) {
                    focus = rect;
                    if (!gi.highlightRow && gi.enableJoins)
                        frame_->GetCellRect(col, row, &focus);
                }
                x += width;
                if (x > gi.gridWidth) {
                    gi.rightCol = col;
                    break;
                }
            }
            lastRight = x;
            if (x < gi.gridWidth && gi.rightCol == gi.numberCols)
                blankRight = x;
            y += height;
            if (y > gi.gridHeight) {
                gi.bottomRow = row;
                break;
            }
        }
        // Reaching the last row lets the data source and the hook add rows; they are
        // painted in this same pass.
        if (row >= gi.numberRows - 1) {
            long before = gi.numberRows;
            if (frame_->CheckRowsPastEnd(row + 1) && gi.numberRows > before)
                redrawList.AddRange(0, row + 1, gi.numberCols - 1, row + 1);
        }
    }
    redrawList.Clear();
    if (y < gi.gridHeight && gi.bottomRow == gi.numberRows)
        blankBottom = y;
    FillBlankArea(target, blankRight, blankBottom);
    if (memoryDc)
        screenDc->BitBlt(0, 0, gi.gridWidth, gi.gridHeight, memoryDc, 0, 0, SRCCOPY);

    paintedLeftCol_ = gi.leftCol;
    paintedTopRow_ = gi.topRow;
    paintedRightCol_ = gi.rightCol;
    paintedBottomRow_ = gi.bottomRow;
    paintedCurCol_ = gi.currentCol;
    paintedCurRow_ = gi.currentRow;

    bool focusShown = (hasFocus_ || frame_->findDialogOpen) && (gi.currentCellMode & 1);
    if (focusShown && focus.left >= 0) {
        if (gi.highlightRow) {
            focus.left = 0;
            focus.right = std::min(lastRight, gi.gridWidth);
        }
        frame_->OnPaintFocusFrame(screenDc, &focus);
    }
    if (oldScreenFont)
        screenDc->SelectObject(oldScreenFont);
    if (oldMemoryFont)
        memoryDc->SelectObject(oldMemoryFont);
}
