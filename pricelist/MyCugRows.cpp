// The price grid's rows: new, inserted and read rows, the choice list, the row checks, moving
// rows, and price files.

#include "pricelist/MyCug.h"

#include <memory>
#include <vector>

#include <aced.h>

#include "pricelist/BlockPriceDialog.h"
#include "pricelist/PriceFile.h"

void MyCug::ClearRows() {
    modified = 0;
    if (currentDialog)
        currentDialog->EnableSave(FALSE);
    // Painting waits until the rows are gone rather than following each one.
    const int painting = paintEnabled;
    EnablePainting(FALSE);
    for (long row = GetRowCount() - 1; row >= 0; --row)
        DeleteRow(row);
    EnablePainting(painting);
    RepaintAll();
}

void MyCug::InitRow(long row) {
    SetCellCellType(kBlockNameColumn, row, kDropListCellType);
    SetCellText(kBlockNameColumn, row, L"");
    RefreshChoiceList();
    SetCellLabel(kBlockNameColumn, row, choiceList);
    SetCellText(kPriceColumn, row, L"0");
    SetCellText(kDescriptionColumn, row, L"");
    EnablePainting(TRUE);
    RepaintRow(row);
}

void MyCug::AppendNewRow() {
    AppendRow();
    const long row = GetRowCount() - 1;
    InitRow(row);
    StartEditing(kBlockNameColumn, row);
}

void MyCug::InsertRowAfter(long row) {
    if (row == -1 || row == GetRowCount() - 1) {
        AppendNewRow();
    } else {
        InsertRow(row + 1);
        InitRow(row + 1);
        StartEditing(kBlockNameColumn, row + 1);
    }
    RepaintAll();
}

void MyCug::RefreshChoiceList() {
    names.ClearMarks();
    for (long row = 0; row < GetRowCount(); ++row)
        names.MarkUsed(GetCellText(kBlockNameColumn, row), 1);
    names.BuildChoiceList(choiceList);
}

void MyCug::AddRowFromFile(LPCTSTR name, LPCTSTR price, LPCTSTR description) {
    AppendRow();
    const long row = GetRowCount() - 1;
    CUGCell cell;
    cell.SetCellType(kDropListCellType);
    cell.SetText(name);
    SetCell(kBlockNameColumn, row, &cell);
    cell.Reset();
    cell.SetText(price);
    SetCell(kPriceColumn, row, &cell);
    cell.Reset();
    cell.SetText(description);
    SetCell(kDescriptionColumn, row, &cell);
    RepaintRow(row);
}

int MyCug::IsNameUnique(LPCTSTR name, long row) {
    for (long other = 0; other < GetRowCount(); ++other)
        if (other != row && _wcsicmp(GetCellText(kBlockNameColumn, other), name) == 0)
            return 0;
    return 1;
}

int MyCug::ValidateRows() {
    CUGCell cell;
    auto isEmpty = [&](int col, long row) {
        FetchCellInto(col, row, &cell);
        return cell.GetTextLength() == 0;
    };
    for (long row = 0; row < GetRowCount(); ++row) {
        const bool noName = isEmpty(kBlockNameColumn, row);
        const bool noPrice = isEmpty(kPriceColumn, row);
        if (noName && noPrice)
            continue; // a blank row is not saved
        if (noName) {
            ReportIncompleteCell(kBlockNameColumn, row, L"Block name is absent");
            return 0;
        }
        if (noPrice) {
            ReportIncompleteCell(kPriceColumn, row, L"Price is absent");
            return 0;
        }
    }
    return 1;
}

void MyCug::StoreColumnWidths() {
    for (int col = 0; col < kPriceColumnCount; ++col)
        widths[col] = GetColumnWidth(col);
}

int MyCug::SwapRows(long rowA, long rowB) {
    const long rows = GetRowCount();
    if (rowA < 0 || rowB < 0 || rowA >= rows || rowB >= rows)
        return 0;
    for (int col = 0; col < GetColCount(); ++col) {
        CString textA = GetCellText(col, rowA);
        SetCellText(col, rowA, GetCellText(col, rowB));
        SetCellText(col, rowB, textA);
    }
    RepaintAll();
    return 1;
}

void MyCug::MoveRowUp() {
    const long row = GetCurrentRow();
    if (!SwapRows(row, row - 1))
        return;
    MoveToRow(row - 1);
    StartEditing(GetCurrentCol(), GetCurrentRow());
    RepaintAll();
}

void MyCug::MoveRowDown() {
    const long row = GetCurrentRow();
    if (!SwapRows(row, row + 1))
        return;
    MoveToRow(row + 1);
    StartEditing(GetCurrentCol(), GetCurrentRow());
    RepaintAll();
}

int MyCug::WritePriceFile(LPCTSTR path, LPCTSTR) {
    std::vector<PriceRecord> rows;
    rows.reserve(static_cast<std::size_t>(GetRowCount()));
    for (long row = 0; row < GetRowCount(); ++row)
        rows.push_back(PriceRecord{GetCellText(kBlockNameColumn, row),
                                   GetCellText(kPriceColumn, row),
                                   GetCellText(kDescriptionColumn, row)});
    PriceSaveError error;
    if (!WritePriceList(path, rows, &error)) {
        acedAlert(error.message);
        return 0;
    }
    return 1;
}

int MyCug::ReadPriceFile(LPCTSTR path, LPCTSTR mode) {
    FILE* file = _wfopen(path, mode);
    if (!file) {
        acedAlert(FileOpenFailedMessage(path));
        return 0;
    }
    ClearRows();
    // One repaint for the whole list rather than one per row.
    EnablePainting(FALSE);
    PriceLineReader reader(file);
    auto fields = std::make_unique<PriceFields>();
    while (reader.Next(*fields))
        AddRowFromFile(fields->name, fields->price, fields->description);
    fclose(file);
    EnablePainting(TRUE);
    RepaintAll();
    return 1;
}
