// The price grid's set-up and the hooks through which it answers the user.

#include "pricelist/MyCug.h"

#include <utility>

#include "pricelist/BlockPriceDialog.h"

namespace {
const wchar_t* const kTitles[kPriceColumnCount] = {L"Block name", L"Price", L"Description"};
} // namespace

void MyCug::OnGridSetup() {
    sortEnabled = 1;
    modified = 0;
    if (currentDialog)
        currentDialog->EnableSave(FALSE);
    SetSideHdgWidth(0);
    {
        CClientDC dc(this);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        SetStandardRowHeight(tm.tmHeight + 3);
    }
    if (widths[0] == -1) {
        // Without remembered widths the columns share the width 3 : 1 : 4.
        CRect client;
        GetClientRect(&client);
        int unit = (client.Width() - GetSideHdgWidth()) / 8;
        widths[0] = 3 * unit;
        widths[1] = unit;
        widths[2] = 4 * unit;
    }
    editor.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kEditorId);
    EnablePainting(TRUE);
    SetColCount(kPriceColumnCount);
    for (int col = 0; col < kPriceColumnCount; ++col) {
        SetColumnWidth(col, widths[col]);
        SetCellText(col, -1, kTitles[col]);
    }
    sortArrowType = RegisterCellType(&sortArrow);
    SetCellCellType(0, -1, sortArrowType);
    SetCellCellTypeStyle(0, -1, UGCT_SORTARROWDOWN);
    names.LoadFromDrawing();
    names.SortByName();
    names.BuildChoiceList(choiceList);
}

void MyCug::OnCurrentRowMoved(long, long newRow) {
    if (!currentDialog)
        return;
    currentDialog->moveUpButton.EnableWindow(newRow > 0);
    currentDialog->moveDownButton.EnableWindow(newRow != GetRowCount() - 1);
}

void MyCug::OnCurrentCellMoved(int, int, long, long) {
    RepaintAll();
}

void MyCug::OnCellLeftClick(int col, long row, int updn, RECT* rect, POINT* point, int) {
    if (currentDialog)
        currentDialog->statusLine.ClearMessage();
    if (col == -1 || row == -1)
        return;
    if (updn == 1) {
        // The drop list's button keeps the cell's right-most pixels for itself.
        CRect text(*rect);
        text.right -= kDropButtonMargin;
        if (text.PtInRect(*point))
            StartEditing(col, row);
    }
    RepaintAll();
}

void MyCug::OnCellChar(UINT* vcKey, int) {
    // A typed character starts editing the block name; the other columns open with a click.
    // Without rows there is no cell to edit (the heading is not one).
    if (GetCurrentCol() == kBlockNameColumn && GetCurrentRow() >= 0)
        StartEditing(GetCurrentCol(), GetCurrentRow(), *vcKey);
}

void MyCug::OnCellKeyDown(UINT* vcKey, int) {
    if (*vcKey == VK_ESCAPE && currentDialog)
        currentDialog->CloseAction();
}

void MyCug::OnTopHdgLeftClick(int col, long, int updn, RECT*, POINT*, int) {
    if (sortEnabled != 1 || updn != 1)
        return;
    SetCellCellType(sortColumn, -1, kNormalCellType);
    if (col != sortColumn) {
        sortColumn = col;
        sortAscending = 1;
    } else {
        sortAscending = !sortAscending;
    }
    if (sortAscending) {
        SortRowsBy(col, UG_SORT_ASCENDING);
        SetCellCellType(sortColumn, -1, sortArrowType);
        SetCellCellTypeStyle(sortColumn, -1, UGCT_SORTARROWDOWN);
    } else {
        SortRowsBy(col, UG_SORT_DESCENDING);
        SetCellCellType(sortColumn, -1, sortArrowType);
        SetCellCellTypeStyle(sortColumn, -1, UGCT_SORTARROWUP);
    }
    RepaintAll();
}

int MyCug::OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) {
    const bool ascending = (flags & UG_SORT_DESCENDING) == 0;
    if (!ascending)
        std::swap(cell1, cell2);
    if (!cell1 && !cell2)
        return 0;
    if (!cell1)
        return -1;
    if (!cell2)
        return 1;
    const wchar_t* text1 = cell1->GetText();
    const wchar_t* text2 = cell2->GetText() ? cell2->GetText() : L"";
    if (!text1)
        return cell2->GetText() ? -1 : 0;
    if (_wcsicmp(text1, text2) == 0)
        return 0;
    // Empty cells go last whichever the direction.
    if (text1[0] == L'\0')
        return ascending ? 1 : -1;
    if (text2[0] == L'\0')
        return ascending ? -1 : 1;
    const int type = cell1->GetDataType();
    if (sortColumn == kPriceColumn || type == UGCELLDATA_NUMBER || type == UGCELLDATA_BOOL) {
        const double a = _wtof(text1);
        const double b = _wtof(text2);
        return b > a ? -1 : (a > b ? 1 : 0);
    }
    return _wcsicmp(text1, text2);
}

int MyCug::OnEditBegin(int, long, CWnd** edit) {
    *edit = &editor;
    return 1;
}

int MyCug::OnEditEnd(int col, long row, CWnd*, LPCTSTR text, int) {
    sortEnabled = 1;
    modified = 1;
    if (currentDialog)
        currentDialog->EnableSave(TRUE);
    if (col == kBlockNameColumn && text && text[0] != L'\0' && !IsNameUnique(text, row)) {
        CString message;
        message.Format(L"Block name %s is not unique", text);
        AfxMessageBox(message, MB_OK);
        StartEditing(col, row);
        editor.SetWindowText(text); // the name stays in the editor to be put right
        editor.SetSel(0, -1);
        // No sorting until the name is put right: the rows must not move under the editor.
        sortEnabled = 0;
        return 0;
    }
    return 1;
}

void MyCug::StartEditing(int col, long row, UINT key) {
    BeginEdit(col, row, static_cast<int>(key));
}

void MyCug::ReportIncompleteCell(int col, long row, LPCTSTR message) {
    if (currentDialog)
        currentDialog->statusLine.ShowMessage(kBlinkInterval, message);
    Beep(kIncompleteBeepFrequency, kIncompleteBeepDuration);
    SelectCell(col, row);
    RepaintCell(col, row);
}
