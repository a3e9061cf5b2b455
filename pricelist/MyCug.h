#pragma once
// The price grid of the "BOM Template" dialog: one row per block name with its price and a
// description. The Block name column offers the drawing's block names that no other row uses
// yet in a drop list, names must be unique among the rows, a row needs a name and a price
// before the list is saved, a heading click sorts by its column, and rows move up and down.
// The grid reads and writes price files ("name|price|description" per line).

#include "grid/CUGCtrl.h"
#include "grid/CUGMaskedEdit.h"
#include "grid/CUGSortArrowType.h"
#include "pricelist/BlockNamesCont.h"

constexpr int kPriceColumnCount = 3;
constexpr int kBlockNameColumn = 0;
constexpr int kPriceColumn = 1;
constexpr int kDescriptionColumn = 2;
// The frame's built-in cell types the grid uses.
constexpr int kNormalCellType = 0;
constexpr int kDropListCellType = 1;

class MyCug : public CUGCtrl {
public:
    int widths[kPriceColumnCount] = {-1, -1, -1}; // pixels; -1 not set
    BlockNamesCont names;                         // sorted by name once the grid is set up
    CString choiceList;                           // names not used yet, each ended by "\n"
    int sortEnabled = 1;                          // 0 after a refused duplicate name
    int columnCount = kPriceColumnCount;
    int modified = 0;     // 1 after any edit since the last load or save
    CUGMaskedEdit editor; // edits every cell
    CUGSortArrowType sortArrow;
    int sortArrowType = -1; // registry index of sortArrow
    int sortColumn = 0;
    int sortAscending = 1;

    // ---- rows ----
    // Empties the grid; the list counts as unmodified.
    void ClearRows();
    // A new row: the block-name drop list with the names still free, price "0", no description.
    void InitRow(long row);
    // A new row at the end, its block name being edited.
    void AppendNewRow();
    // A new row after `row` (at the end for -1 or the last row), its block name being edited.
    void InsertRowAfter(long row);
    // The choices for a new row: the drawing's block names that no row uses.
    void RefreshChoiceList();
    // A row read from a price file; its drop list offers no names.
    void AddRowFromFile(LPCTSTR name, LPCTSTR price, LPCTSTR description);
    // 0 when a row other than `row` has the name, ignoring case; else 1.
    int IsNameUnique(LPCTSTR name, long row);
    // 1 when every row has a name and a price or neither; otherwise the status line says what
    // is missing, the cell is selected and the answer is 0.
    int ValidateRows();
    void StoreColumnWidths();
    // Swaps the texts of two rows (their cell types and choice lists stay); 0 when either row
    // does not exist.
    int SwapRows(long rowA, long rowB);
    void MoveRowUp();
    void MoveRowDown();

    // ---- price files ----
    // 1 written; 0 when the file could not be written (the user was told why).
    int WritePriceFile(LPCTSTR path, LPCTSTR mode);
    // 1 read into the grid; 0 when the file could not be opened (the grid is unchanged).
    int ReadPriceFile(LPCTSTR path, LPCTSTR mode);

    // ---- hooks ----
    void OnGridSetup() override;
    void OnCurrentRowMoved(long oldRow, long newRow) override;
    void OnCurrentCellMoved(int oldCol, int newCol, long oldRow, long newRow) override;
    void OnCellLeftClick(int col, long row, int updn, RECT* rect, POINT* point,
                         int processed) override;
    void OnTopHdgLeftClick(int col, long row, int updn, RECT* rect, POINT* point,
                           int processed) override;
    void OnCellKeyDown(UINT* vcKey, int processed) override;
    void OnCellChar(UINT* vcKey, int processed) override;
    int OnEditBegin(int col, long row, CWnd** edit) override;
    // Every edit, accepted or cancelled, counts as a change. A block name that another row
    // already has is refused: the editor stays open on it.
    int OnEditEnd(int col, long row, CWnd* edit, LPCTSTR text, int cancelFlag) override;
    int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) override;

    static constexpr UINT kBlinkInterval = 200;             // ms, the status line's
    static constexpr DWORD kIncompleteBeepFrequency = 1000; // Hz
    static constexpr DWORD kIncompleteBeepDuration = 50;    // ms
    static constexpr int kDropButtonMargin = 20; // the right-most pixels of a cell are its type's
    static constexpr UINT kEditorId = 125;

    // Opens the in-place editor on a cell, `key` (when above 0) typed into it first.
    void StartEditing(int col, long row, UINT key = 0);

private:
    void ReportIncompleteCell(int col, long row, LPCTSTR message);
};
