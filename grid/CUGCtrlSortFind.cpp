// Sorting the rows through the OnSortCompare hook, and the find and replace dialog over the
// store's text search.

#include "grid/CUGCtrl.h"

#include <set>
#include <utility>
#include <vector>

#include <afxdlgs.h>

#include "grid/CUGDataSource.h"

// ---- sorting ----

int CUGCtrl::SortRowsBy(int col, int flags) {
    return SortRowsBy(&col, 1, flags);
}

// The store sorts by its own columns, so each grid column is replaced by the store column
// it shows (they differ once columns were moved). The caller repaints when it wants to.
int CUGCtrl::SortRowsBy(int* cols, int count, int flags) {
    if (!cols || count <= 0)
        return GRID_ERROR;
    std::vector<int> dataCols(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (cols[i] < 0 || cols[i] >= gridInfo->numberCols)
            return GRID_ERROR;
        dataCols[static_cast<std::size_t>(i)] = GetColumnDataColumn(cols[i]);
    }
    return gridInfo->defDataSource->SortRowsBy(dataCols.data(), count, flags);
}

// ---- the find and replace dialog ----

namespace {
UINT FindMessage() {
    static const UINT message = RegisterWindowMessage(FINDMSGSTRING);
    return message;
}
// The dialog's whole-word box means the whole cell text here.
constexpr wchar_t kWholeWordText[] = L"&whole word";
constexpr wchar_t kWholeCellText[] = L"Match &entire cell text";
} // namespace

int CUGCtrl::ShowFindDialog() {
    return OpenFindDialog(TRUE);
}

int CUGCtrl::ShowReplaceDialog() {
    return OpenFindDialog(FALSE);
}

int CUGCtrl::SetFindAllColumns(int on) {
    findAllColumns = on ? 1 : 0;
    return GRID_SUCCESS;
}

int CUGCtrl::OpenFindDialog(BOOL findOnly) {
    if (findDialogOpen)
        return GRID_SUCCESS;
    auto* dialog = new CFindReplaceDialog; // deletes itself when its window goes
    if (!dialog->Create(findOnly, L"", nullptr, FR_DOWN, this)) {
        delete dialog;
        return GRID_ERROR;
    }
    findDialog = dialog;
    findDialogOpen = 1;
    findFirstSearch = 1;
    for (CWnd* child : dialog->Children()) {
        if (child->GetWindowText().Find(kWholeWordText) >= 0) {
            child->SetWindowText(kWholeCellText);
            break;
        }
    }
    return GRID_SUCCESS;
}

LRESULT CUGCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FindMessage()) {
        if (CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam))
            OnFindMessage(dialog);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CUGCtrl::FindNext(const CString& text, long flags, int& col, long& row) {
    CString wanted = text;
    int dataCol = GetColumnDataColumn(col);
    if (gridInfo->defDataSource->SearchNext(&wanted, &dataCol, &row, flags) != 0)
        return false;
    col = GridColumnOfDataColumn(dataCol);
    return col >= 0;
}

// Every match in turn becomes the replacement. A replacement that would match again is
// refused up front; one that matches only without regard to case stops at the first cell
// it meets a second time.
void CUGCtrl::ReplaceAll(const CString& text, const CString& replacement, long flags) {
    if (replacement == text || ((flags & SEARCH_PARTIAL) && replacement.Find(text) >= 0))
        return;
    std::set<std::pair<int, long>> replaced;
    int col = gridInfo->currentCol;
    long row = gridInfo->currentRow;
    while (FindNext(text, flags, col, row) && replaced.insert({col, row}).second) {
        MoveToCell(col, row);
        SetCellText(col, row, replacement);
        RepaintCell(col, row);
    }
}

void CUGCtrl::OnFindMessage(CFindReplaceDialog* dialog) {
    if (dialog->IsTerminating()) {
        findDialogOpen = 0;
        findFirstSearch = 0;
        findDialog = nullptr;
        return;
    }
    long flags = 0;
    if (!dialog->MatchCase())
        flags |= SEARCH_NOCASE;
    if (!dialog->MatchWholeWord())
        flags |= SEARCH_PARTIAL;
    if (!dialog->SearchDown())
        flags |= SEARCH_UP;
    if (findAllColumns)
        flags |= SEARCH_ALLCOLS;
    const CString text = dialog->GetFindString();
    findFirstSearch = 0;
    if (dialog->ReplaceAll()) {
        ReplaceAll(text, dialog->GetReplaceString(), flags);
        return;
    }
    if (dialog->ReplaceCurrent() && gridInfo->currentCol >= 0 && gridInfo->currentRow >= 0) {
        SetCellText(gridInfo->currentCol, gridInfo->currentRow, dialog->GetReplaceString());
        RepaintCell(gridInfo->currentCol, gridInfo->currentRow);
    }
    int col = gridInfo->currentCol;
    long row = gridInfo->currentRow;
    if (!FindNext(text, flags, col, row)) {
        dialog->MessageBox(L"Item not found", L"Not Found", MB_OK);
        dialog->SetFocus();
        return;
    }
    MoveToCell(col, row);
}
