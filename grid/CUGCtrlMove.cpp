// Moving the current cell and the view: validation, the vetoes of the data source and the
// hooks, scrolling the moving cell into view, the notifications in their fixed order, and
// the selection calls that ride on the moves.

#include "grid/CUGCtrl.h"

#include <algorithm>

#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"

namespace {
bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}
} // namespace

// ---- validation ----

int CUGCtrl::AskToMove(int oldCol, long oldRow, int newCol, long newRow) {
    if (gridInfo->defDataSource->OnQueryCellMove(oldCol, oldRow, newCol, newRow) != 1)
        return GRID_VETOED;
    if (!OnQueryCellMove(oldCol, oldRow, newCol, newRow))
        return GRID_VETOED;
    return GRID_SUCCESS;
}

int CUGCtrl::ValidateCol(int& col) {
    CUGGridInfo& gi = *gridInfo;
    if (gi.numberCols <= 0)
        return GRID_ERROR;
    if (col >= gi.numberCols) {
        if (gi.dragCol == gi.numberCols - 1)
            return GRID_ERROR;
        col = gi.numberCols - 1;
    }
    if (col < 0)
        col = 0;
    if (!gi.enableJoins || gi.dragRow < 0)
        return GRID_SUCCESS;
    int first = col, last;
    long row = gi.dragRow, lastRow;
    if (GetJoinRange(&first, &row, &last, &lastRow) != GRID_SUCCESS || first == last)
        return GRID_SUCCESS;
    if (gi.lastInputKind != UG_INPUT_KEYBOARD)
        col = first;
    else if (col < gi.dragCol)
        col = (last >= gi.dragCol && first > 0) ? first - 1 : first;
    else if (gi.dragCol < first)
        col = first;
    else if (last + 1 < gi.numberCols)
        col = last + 1;
    else
        col = first;
    return GRID_SUCCESS;
}

int CUGCtrl::ValidateRow(long& row) {
    CUGGridInfo& gi = *gridInfo;
    if (row >= gi.numberRows) {
        long rowsFound = 0;
        long rowsPast = row - gi.numberRows + 1;
        gi.defDataSource->OnPastLastRow(gi.numberRows, rowsPast, &rowsFound);
        OnPastLastRow(gi.numberRows, rowsPast, rowsFound);
        if (gi.numberRows <= 0 || gi.dragRow == gi.numberRows - 1)
            return GRID_ERROR;
        row = gi.numberRows - 1;
    }
    if (row < 0)
        row = 0;
    if (gi.numberRows <= 0)
        return GRID_ERROR;
    if (!gi.enableJoins || gi.dragCol < 0)
        return GRID_SUCCESS;
    int col = gi.dragCol, lastCol;
    long first = row, last;
    if (GetJoinRange(&col, &first, &lastCol, &last) != GRID_SUCCESS || first == last)
        return GRID_SUCCESS;
    if (gi.lastInputKind != UG_INPUT_KEYBOARD)
        row = first;
    else if (row < gi.dragRow)
        row = (last >= gi.dragRow && first > 0) ? first - 1 : first;
    else if (gi.dragRow < first)
        row = first;
    else if (last + 1 < gi.numberRows)
        row = last + 1;
    else
        row = first;
    return GRID_SUCCESS;
}

// ---- scrolling the moving cell into view ----

void CUGCtrl::ScrollColIntoView() {
    CUGGridInfo& gi = *gridInfo;
    if (gi.dragCol < gi.lockedCols || gi.gridWidth <= 0)
        return; // locked columns are always in view; without a layout there is no view
    if (gi.leftCol > gi.dragCol)
        gi.leftCol = std::max(gi.dragCol, gi.lockedCols);
    if (gi.leftCol != gi.dragCol) {
        int room = gi.gridWidth - gi.lockedColsWidth;
        int col = gi.dragCol;
        while (col >= gi.leftCol) {
            room -= GetColumnWidth(col);
            if (room < 0)
                break;
            --col;
        }
        if (col >= gi.leftCol)
            gi.leftCol = std::min(col + 1, gi.dragCol);
    }
    ComputeVisibleEdges();
}

void CUGCtrl::ScrollRowIntoView() {
    CUGGridInfo& gi = *gridInfo;
    if (gi.dragRow < gi.lockedRows || gi.gridHeight <= 0)
        return;
    if (gi.topRow > gi.dragRow)
        gi.topRow = std::max(gi.dragRow, gi.lockedRows);
    if (gi.topRow != gi.dragRow) {
        int room = gi.gridHeight - gi.lockedRowsHeight;
        if (gi.uniformRowHeight && gi.defRowHeight > 0) {
            long top = gi.dragRow - room / gi.defRowHeight + 1;
            if (top > gi.topRow)
                gi.topRow = std::min(top, gi.dragRow);
        } else {
            long row = gi.dragRow;
            while (row >= gi.topRow) {
                room -= GetRowHeight(row);
                if (room < 0)
                    break;
                --row;
            }
            if (row >= gi.topRow)
                gi.topRow = std::min(row + 1, gi.dragRow);
        }
    }
    ComputeVisibleEdges();
}

// ---- after every move ----

void CUGCtrl::TellSelectionAboutMove() {
    CUGGridInfo& gi = *gridInfo;
    CUGMultiSelect& selection = *gi.multiSelect;
    if (!selection.IsOn() || editing) {
        gi.currentCol = gi.dragCol;
        gi.currentRow = gi.dragRow;
        return;
    }
    CellRedrawList* repaint = &grid->redrawList;
    switch (gi.lastInputKind) {
    case UG_INPUT_KEYBOARD:
        selection.OnKey(gi.dragCol, gi.dragRow, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), repaint);
        break;
    case UG_INPUT_LBUTTON:
        selection.OnLeftButton(gi.dragCol, gi.dragRow, gi.mouseFlags, repaint);
        break;
    case UG_INPUT_RBUTTON:
        selection.OnRightButton(gi.dragCol, gi.dragRow, repaint);
        break;
    default:
        selection.OnMouseDrag(gi.dragCol, gi.dragRow, repaint);
        break;
    }
    if (!selection.GetCurrentAnchor(&gi.currentCol, &gi.currentRow)) {
        gi.currentCol = gi.dragCol;
        gi.currentRow = gi.dragRow;
    }
}

void CUGCtrl::MoveTrackingWindow() {
    if (!trackingWnd || !trackingWnd->m_hWnd || !grid->m_hWnd)
        return;
    const CUGGridInfo& gi = *gridInfo;
    if (gi.currentCol < 0 || gi.currentRow < 0)
        return;
    CRect cell;
    GetCellRect(gi.currentCol, gi.currentRow, &cell);
    grid->ClientToScreen(&cell);
    CRect oldRect;
    trackingWnd->GetWindowRect(&oldRect);
    CRect newRect = oldRect;
    const int gap = gi.trackingWndMode == 1 ? 30 : 5;
    if (gi.trackingWndMode == 1)
        newRect.OffsetRect(cell.right + gap - newRect.left, cell.top - newRect.top);
    CRect overlap;
    if (gi.trackingWndMode == 1 || overlap.IntersectRect(&newRect, &cell)) {
        // Beside the cell, on the right when the screen has room there, else on the left.
        int width = newRect.Width();
        if (cell.right + gap + width <= GetSystemMetrics(SM_CXSCREEN))
            newRect.OffsetRect(cell.right + gap - newRect.left, 0);
        else
            newRect.OffsetRect(cell.left - gap - width - newRect.left, 0);
    }
    if (newRect == oldRect)
        return;
    OnTrackWindowReposition(&oldRect, &newRect);
    trackingWnd->SetWindowPos(nullptr, newRect.left, newRect.top, newRect.Width(), newRect.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    trackingWnd->Invalidate();
}

void CUGCtrl::NotifyAfterMove() {
    CUGGridInfo& gi = *gridInfo;
    TellSelectionAboutMove();
    bool colMoved = gi.currentCol != gi.lastCol, rowMoved = gi.currentRow != gi.lastRow;
    if (colMoved) {
        gi.defDataSource->OnCurrentColMoved(gi.lastCol, gi.currentCol);
        OnCurrentColMoved(gi.lastCol, gi.currentCol);
    }
    if (rowMoved) {
        gi.defDataSource->OnCurrentRowMoved(gi.lastRow, gi.currentRow);
        OnCurrentRowMoved(gi.lastRow, gi.currentRow);
    }
    if (colMoved || rowMoved)
        OnCurrentCellMoved(gi.lastCol, gi.currentCol, gi.lastRow, gi.currentRow);
    if (gi.leftCol != gi.lastLeftCol)
        OnLeftColMoved(gi.lastLeftCol, gi.leftCol);
    if (gi.topRow != gi.lastTopRow)
        OnTopRowMoved(gi.lastTopRow, gi.topRow);
    MoveTrackingWindow();
    if (colMoved || rowMoved) {
        CUGCell cell;
        if (gi.lastCol >= 0 && gi.lastRow >= 0 && gi.lastCol < gi.numberCols &&
            gi.lastRow < gi.numberRows) {
            GetCell(gi.lastCol, gi.lastRow, &cell);
            CellTypeOf(cell)->HandleCellLeave(gi.lastCol, gi.lastRow, &cell);
        }
        if (gi.currentCol >= 0 && gi.currentRow >= 0) {
            GetCell(gi.currentCol, gi.currentRow, &cell);
            CellTypeOf(cell)->HandleCellEnter(gi.currentCol, gi.currentRow, &cell);
        }
    }
    RefreshAfterMove();
    gi.lastCol = gi.currentCol;
    gi.lastRow = gi.currentRow;
    gi.lastLeftCol = gi.leftCol;
    gi.lastTopRow = gi.topRow;
}

// ---- the moves ----

int CUGCtrl::StartKeyboardMoveFromAnchor() {
    CUGGridInfo& gi = *gridInfo;
    if (gi.lastInputKind != UG_INPUT_KEYBOARD || KeyHeld(VK_SHIFT) || KeyHeld(VK_CONTROL))
        return GRID_SUCCESS;
    int col;
    long row;
    if (gi.multiSelect->IsOn() && gi.multiSelect->GetCurrentAnchor(&col, &row)) {
        gi.currentCol = col;
        gi.currentRow = row;
    }
    return GRID_SUCCESS;
}

int CUGCtrl::MoveToCol(int col) {
    CUGGridInfo& gi = *gridInfo;
    StartKeyboardMoveFromAnchor();
    if (col == gi.dragCol)
        return GRID_SUCCESS;
    if (ValidateCol(col) != GRID_SUCCESS)
        return GRID_ERROR;
    if (col == gi.dragCol)
        return GRID_SUCCESS;
    if (AskToMove(gi.dragCol, gi.dragRow, col, gi.dragRow) != GRID_SUCCESS)
        return GRID_VETOED;
    bool visible = col < gi.lockedCols || (gi.leftCol <= col && col < gi.rightCol);
    if (!visible && !OnQueryViewScroll(gi.leftCol, col, gi.topRow, gi.topRow))
        return GRID_VETOED;
    gi.dragCol = col;
    if (!visible)
        ScrollColIntoView();
    NotifyAfterMove();
    return GRID_SUCCESS;
}

int CUGCtrl::MoveToRow(long row) {
    CUGGridInfo& gi = *gridInfo;
    StartKeyboardMoveFromAnchor();
    if (row == gi.dragRow)
        return GRID_SUCCESS;
    if (ValidateRow(row) != GRID_SUCCESS)
        return GRID_ERROR;
    if (row == gi.dragRow)
        return GRID_SUCCESS;
    if (AskToMove(gi.dragCol, gi.dragRow, gi.dragCol, row) != GRID_SUCCESS)
        return GRID_VETOED;
    bool visible = row < gi.lockedRows || (gi.topRow <= row && row < gi.bottomRow);
    if (!visible && !OnQueryViewScroll(gi.leftCol, gi.leftCol, gi.topRow, row))
        return GRID_VETOED;
    gi.dragRow = row;
    if (!visible)
        ScrollRowIntoView();
    NotifyAfterMove();
    return GRID_SUCCESS;
}

int CUGCtrl::MoveToCell(int col, long row) {
    CUGGridInfo& gi = *gridInfo;
    if (col == gi.dragCol && row == gi.dragRow)
        return GRID_SUCCESS;
    if (ValidateRow(row) != GRID_SUCCESS)
        return GRID_ERROR;
    if (gi.numberCols <= 0)
        return GRID_ERROR;
    col = std::clamp(col, 0, gi.numberCols - 1);
    if (gi.enableJoins) {
        int endCol;
        long endRow;
        GetJoinRange(&col, &row, &endCol, &endRow);
    }
    if (col == gi.dragCol && row == gi.dragRow)
        return GRID_SUCCESS;
    if (AskToMove(gi.currentCol, gi.currentRow, col, row) != GRID_SUCCESS)
        return GRID_VETOED;
    bool colVisible = col < gi.lockedCols || (gi.leftCol <= col && col < gi.rightCol);
    bool rowVisible = row < gi.lockedRows || (gi.topRow <= row && row < gi.bottomRow);
    if ((!colVisible || !rowVisible) && !OnQueryViewScroll(gi.leftCol, col, gi.topRow, row))
        return GRID_VETOED;
    gi.dragCol = col;
    gi.dragRow = row;
    ScrollColIntoView();
    ScrollRowIntoView();
    NotifyAfterMove();
    return GRID_SUCCESS;
}

int CUGCtrl::PageRow(int direction) const {
    const CUGGridInfo& gi = *gridInfo;
    int room = gi.gridHeight - gi.lockedRowsHeight;
    if (gi.uniformRowHeight && gi.defRowHeight > 0)
        return static_cast<int>(gi.dragRow + direction * (room / gi.defRowHeight));
    long row = gi.dragRow;
    for (;;) {
        int height = (row < 0 || row >= gi.numberRows) ? gi.defRowHeight : GetRowHeight(row);
        if (height > room)
            break;
        room -= height;
        row += direction;
        if (row < -1 || row > gi.numberRows)
            break;
    }
    return static_cast<int>(row);
}

int CUGCtrl::PageCol(int direction) const {
    const CUGGridInfo& gi = *gridInfo;
    int room = gi.gridWidth - gi.lockedColsWidth;
    int col = gi.dragCol;
    while (room >= 0 && col >= 0 && col < gi.numberCols) {
        room -= GetColumnWidth(col);
        col += direction;
    }
    return col;
}

int CUGCtrl::MoveCurrentRow(int code) {
    const CUGGridInfo& gi = *gridInfo;
    switch (code) {
    case UG_LINEUP:
        return MoveToRow(gi.dragRow - 1);
    case UG_LINEDOWN:
        return MoveToRow(gi.dragRow + 1);
    case UG_PAGEUP:
        return MoveToRow(PageRow(-1));
    case UG_PAGEDOWN:
        return MoveToRow(PageRow(1));
    case UG_TOP:
        return MoveToRow(0);
    case UG_BOTTOM:
        return MoveToRow(gi.numberRows - 1);
    default:
        return GRID_ERROR;
    }
}

int CUGCtrl::MoveCurrentCol(int code) {
    const CUGGridInfo& gi = *gridInfo;
    switch (code) {
    case UG_LINEUP:
        return MoveToCol(gi.dragCol - 1);
    case UG_LINEDOWN:
        return MoveToCol(gi.dragCol + 1);
    case UG_PAGEUP:
        return MoveToCol(PageCol(-1));
    case UG_PAGEDOWN:
        return MoveToCol(PageCol(1));
    case UG_TOP:
        return MoveToCol(0);
    case UG_BOTTOM:
        return MoveToCol(gi.numberCols - 1);
    default:
        return GRID_ERROR;
    }
}

// ---- the view alone ----

int CUGCtrl::SetTopRow(long row) {
    CUGGridInfo& gi = *gridInfo;
    row = std::clamp(row, gi.lockedRows, std::max(gi.lockedRows, gi.maxTopRow));
    if (row == gi.topRow)
        return GRID_SUCCESS;
    if (!OnQueryViewScroll(gi.leftCol, gi.leftCol, gi.topRow, row))
        return GRID_VETOED;
    gi.topRow = row;
    ComputeVisibleEdges();
    OnTopRowMoved(gi.lastTopRow, gi.topRow);
    RefreshAfterMove();
    gi.lastTopRow = gi.topRow;
    return GRID_SUCCESS;
}

int CUGCtrl::SetLeftCol(int col) {
    CUGGridInfo& gi = *gridInfo;
    col = std::clamp(col, gi.lockedCols, std::max(gi.lockedCols, gi.maxLeftCol));
    if (col == gi.leftCol)
        return GRID_SUCCESS;
    if (!OnQueryViewScroll(gi.leftCol, col, gi.topRow, gi.topRow))
        return GRID_VETOED;
    gi.leftCol = col;
    ComputeVisibleEdges();
    OnLeftColMoved(gi.lastLeftCol, gi.leftCol);
    RefreshAfterMove();
    gi.lastLeftCol = gi.leftCol;
    return GRID_SUCCESS;
}

int CUGCtrl::MoveTopRow(int code) {
    const CUGGridInfo& gi = *gridInfo;
    switch (code) {
    case UG_LINEUP:
        return SetTopRow(gi.topRow - 1);
    case UG_LINEDOWN:
        return SetTopRow(gi.topRow + 1);
    case UG_PAGEUP: {
        int room = gi.gridHeight - gi.lockedRowsHeight;
        long row = gi.topRow;
        while (row - 1 >= gi.lockedRows && room - GetRowHeight(row - 1) >= 0)
            room -= GetRowHeight(--row);
        return SetTopRow(row == gi.topRow ? row - 1 : row);
    }
    case UG_PAGEDOWN:
        return SetTopRow(std::max(gi.bottomRow, gi.topRow + 1));
    case UG_TOP:
        return SetTopRow(gi.lockedRows);
    case UG_BOTTOM:
        return SetTopRow(gi.maxTopRow);
    default:
        return GRID_ERROR;
    }
}

int CUGCtrl::MoveLeftCol(int code) {
    const CUGGridInfo& gi = *gridInfo;
    switch (code) {
    case UG_LINEUP:
        return SetLeftCol(gi.leftCol - 1);
    case UG_LINEDOWN:
        return SetLeftCol(gi.leftCol + 1);
    case UG_PAGEUP: {
        int room = gi.gridWidth - gi.lockedColsWidth;
        int col = gi.leftCol;
        while (col - 1 >= gi.lockedCols && room - GetColumnWidth(col - 1) >= 0)
            room -= GetColumnWidth(--col);
        return SetLeftCol(col == gi.leftCol ? col - 1 : col);
    }
    case UG_PAGEDOWN:
        return SetLeftCol(std::max(gi.rightCol, gi.leftCol + 1));
    case UG_TOP:
        return SetLeftCol(gi.lockedCols);
    case UG_BOTTOM:
        return SetLeftCol(gi.maxLeftCol);
    default:
        return GRID_ERROR;
    }
}

// ---- selection ----

int CUGCtrl::ClearSelection() {
    CUGGridInfo& gi = *gridInfo;
    gi.multiSelect->ClearAll(&grid->redrawList);
    gi.dragCol = gi.currentCol;
    gi.dragRow = gi.currentRow;
    if (paintEnabled && grid->m_hWnd)
        grid->RefreshAfterMove();
    else
        grid->redrawList.Clear();
    return GRID_SUCCESS;
}

int CUGCtrl::SelectCell(int col, long row) {
    CUGGridInfo& gi = *gridInfo;
    if (gi.multiSelect->IsOn()) {
        gi.multiSelect->StartBlock(col, row, nullptr);
        gi.multiSelect->ExtendBlock(col, row, nullptr);
    }
    RepaintCell(col, row);
    return GRID_SUCCESS;
}

int CUGCtrl::SelectRange(int startCol, long startRow, int endCol, long endRow) {
    CUGGridInfo& gi = *gridInfo;
    if (gi.multiSelect->IsOn()) {
        gi.multiSelect->StartBlock(startCol, startRow, nullptr);
        gi.multiSelect->ExtendBlock(endCol, endRow, nullptr);
    }
    gi.dragCol = endCol;
    gi.dragRow = endRow;
    RepaintRange(std::min(startCol, endCol), std::min(startRow, endRow), std::max(startCol, endCol),
                 std::max(startRow, endRow));
    return GRID_SUCCESS;
}

int CUGCtrl::IsSelected(int col, long row, int* blockIndex) const {
    return gridInfo->multiSelect->IsSelected(col, row, blockIndex);
}

int CUGCtrl::EnumFirstSelected(int* col, long* row) {
    return gridInfo->multiSelect->EnumFirstSelected(col, row);
}

int CUGCtrl::EnumNextSelected(int* col, long* row) {
    return gridInfo->multiSelect->EnumNextSelected(col, row);
}

int CUGCtrl::SetTrackingWindow(CWnd* wnd) {
    if (!wnd)
        return GRID_ERROR;
    trackingWnd = wnd;
    if (wnd->m_hWnd)
        wnd->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return GRID_SUCCESS;
}

int CUGCtrl::SetTrackingWindowMode(int mode) {
    gridInfo->trackingWndMode = mode;
    return GRID_SUCCESS;
}
