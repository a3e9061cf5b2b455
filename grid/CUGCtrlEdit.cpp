// In-place editing: opening the sheet's editor over a cell and taking its text back, with
// the hooks of the data source and the frame asked at each step, and editing carried on to
// the next cell after Tab, Enter or a vertical arrow.

#include "grid/CUGCtrl.h"

#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"

int CUGCtrl::BeginEdit() {
    return BeginEdit(gridInfo->currentCol, gridInfo->currentRow, 0);
}

int CUGCtrl::BeginEdit(int key) {
    return BeginEdit(gridInfo->currentCol, gridInfo->currentRow, key);
}

bool CUGCtrl::SelectionCoversMoreThanCurrentCell() const {
    const CUGMultiSelect& selection = *gridInfo->multiSelect;
    if (!selection.IsOn() || selection.GetBlockCount() == 0)
        return false;
    if (selection.GetBlockCount() > 1)
        return true;
    const CUGMultiSelect::Block* b = selection.GetBlock(0);
    return b->firstCol != b->lastCol || b->firstRow != b->lastRow ||
           b->firstCol != gridInfo->currentCol || b->firstRow != gridInfo->currentRow;
}

bool CUGCtrl::EditPlace(int col, long row, CWnd** parent, CRect* rect) {
    if (col >= 0 && row >= 0) {
        *parent = grid.get();
        GetCellRect(col, row, rect);
    } else if (col < 0 && row >= 0) {
        *parent = sideHdg.get();
        sideHdg->GetCellRect(col, row, rect);
    } else if (col >= 0 && row < 0) {
        *parent = topHdg.get();
        topHdg->GetCellRect(col, row, rect);
    } else {
        return false;
    }
    return (*parent)->m_hWnd != nullptr;
}

int CUGCtrl::BeginEdit(int col, long row, int key) {
    CUGGridInfo& gi = *gridInfo;
    if (editing && editCtrl && GetFocus() == editCtrl)
        SetFocus(); // an edit still open ends as a click beside it would end it
    editing = 1;
    if (SelectionCoversMoreThanCurrentCell())
        ClearSelection();
    if (col != gi.currentCol || row != gi.currentRow) {
        if (MoveToCell(col, row) != GRID_SUCCESS) {
            editing = 0;
            return GRID_VETOED;
        }
    }
    if (col >= 0 && row >= 0 && gi.enableJoins) {
        int endCol;
        long endRow;
        GetJoinRange(&col, &row, &endCol, &endRow); // a joined block is edited at its start
    }
    editCol = col;
    editRow = row;
    editCell.Reset();
    GetCell(col, row, &editCell);
    CWnd* parent = nullptr;
    CRect rect;
    if (!CellTypeOf(editCell)->UsesEditor() || !EditPlace(col, row, &parent, &rect)) {
        editing = 0;
        return GRID_ERROR;
    }
    rect.right -= 1;
    rect.bottom -= 1;
    CellTypeOf(editCell)->AdjustEditRect(&rect);
    if (editCell.GetReadOnly()) {
        editing = 0;
        return GRID_ERROR;
    }
    const CString text = editCell.GetText() ? editCell.GetText() : L"";
    CWnd* editor = gi.standardEditor;
    if (editor)
        editor->SetWindowText(text);
    if (!gi.defDataSource->OnEditBegin(col, row, &editor) || !OnEditBegin(col, row, &editor) ||
        !editor || !editor->m_hWnd) {
        editing = 0;
        return GRID_ERROR;
    }
    editCtrl = editor;
    editParent = parent;
    editing = 1;
    editor->SetWindowText(text);
    if (CFont* font = editCell.HasProperty(CELLPROP_FONT) ? editCell.GetFont() : gi.defFont)
        editor->SetFont(font);
    else if (!editor->GetFont()) // the font the cells are drawn in, as the desktop's edit
        editor->SetFont(static_cast<CFont*>(GetStockObject(SYSTEM_FONT)));
    editor->SetParent(parent);
    editor->SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), rect.Height(),
                         SWP_SHOWWINDOW);
    editor->SetFocus();
    if (key > 0)
        editor->SendMessage(WM_CHAR, static_cast<WPARAM>(key));
    return GRID_SUCCESS;
}

// Joined cells are left as a whole, and the next position wraps at the grid's edges.
void CUGCtrl::NextCellAfterEdit(int& nextCol, long& nextRow) {
    const CUGGridInfo& gi = *gridInfo;
    int startCol = editCol, endCol;
    long startRow = editRow, endRow;
    bool joined = gi.enableJoins &&
                  GetJoinRange(&startCol, &startRow, &endCol, &endRow) == GRID_SUCCESS &&
                  (startCol != endCol || startRow != endRow);
    bool inside =
        nextCol >= 0 && nextCol < gi.numberCols && nextRow >= 0 && nextRow < gi.numberRows;
    if (joined && inside) {
        if (nextCol > startCol && nextCol <= endCol)
            nextCol += endCol - startCol;
        if (nextRow > startRow && nextRow <= endRow)
            nextRow += endRow - startRow;
    }
    if (nextCol < 0)
        nextCol = gi.numberCols - 1;
    else if (nextCol >= gi.numberCols)
        nextCol = 0;
    if (nextRow < 0)
        nextRow = gi.numberRows - 1;
    else if (nextRow >= gi.numberRows)
        nextRow = 0;
}

int CUGCtrl::EditFinish(LPCTSTR text, int cancelFlag, int continueFlag, int nextCol, long nextRow) {
    const int wasEditing = editing;
    if (!editing)
        cancelFlag = 1;
    if (gridInfo->defDataSource->OnEditEnd(editCol, editRow, editCtrl, text, cancelFlag) != 1 ||
        !OnEditEnd(editCol, editRow, editCtrl, text, cancelFlag))
        return wasEditing ? 0 : 1;
    if (editCtrl && editCtrl->m_hWnd)
        editCtrl->ShowWindow(SW_HIDE);
    if (!cancelFlag) {
        SetCellText(editCol, editRow, text ? text : L"");
        RepaintCell(editCol, editRow);
    }
    if (!continueFlag || editCol < 0 || editRow < 0) {
        editing = 0;
        return 1;
    }
    NextCellAfterEdit(nextCol, nextRow);
    if (gridInfo->defDataSource->OnEditChain(editCol, editRow, &nextCol, &nextRow) != 1 ||
        !OnEditChain(editCol, editRow, &nextCol, &nextRow)) {
        editing = 0;
        return 1;
    }
    BeginEdit(nextCol, nextRow, 0);
    return 1;
}

int CUGCtrl::CancelEdit() {
    if (!editing)
        return GRID_SUCCESS;
    editing = 0;
    if (editCtrl && editCtrl->m_hWnd) {
        bool hadFocus = GetFocus() == editCtrl;
        editCtrl->ShowWindow(SW_HIDE);
        if (hadFocus && grid->m_hWnd)
            grid->SetFocus();
    }
    return GRID_SUCCESS;
}

int CUGCtrl::SetEditCtrl(CWnd* edit) {
    if (!edit)
        return GRID_ERROR;
    gridInfo->standardEditor = edit;
    return GRID_SUCCESS;
}
