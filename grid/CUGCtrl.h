#pragma once
// The grid control as an application sees it: a window that owns and lays out the cell
// area, the headings, the corner button and the scroll bars, owns the grid state of each
// sheet, routes every cell read and write through the data sources, keeps the registries
// of cell types, fonts, bitmaps and data sources, and calls a fixed table of virtual hooks
// through which a subclass customises the grid. Every hook's default is harmless.
//
// Operations answer GRID_SUCCESS (0), GRID_ERROR (1) for a refused or out-of-range request
// and GRID_VETOED (2) when a hook or data source vetoed a move; registries answer an index
// or -1; hooks answer nonzero to allow.

#include <memory>
#include <vector>

#include <afxwin.h>

#include "grid/CUGArrowType.h"
#include "grid/CUGCell.h"
#include "grid/CUGCellType.h"
#include "grid/CUGCheckBoxType.h"
#include "grid/CUGDropListType.h"
#include "grid/CUGEdit.h"
#include "grid/CUGGridInfo.h"
#include "grid/CUGPtrList.h"
#include "grid/UGDefines.h"
#include "grid/UGSortCompare.h"

class CUGGrid;
class CUGTopHdg;
class CUGSideHdg;
class CUGCnrBtn;
class CUGHScroll;
class CUGVScroll;
class CUGHint;
class CUGDataSource;
class CFindReplaceDialog;
class COleDataObject;

// Control identifiers of the child windows.
constexpr UINT UG_GRID_ID = 1, UG_TOPHDG_ID = 2, UG_SIDEHDG_ID = 3, UG_CNRBTN_ID = 4, UG_TAB_ID = 5,
               UG_VSCROLL_ID = 6, UG_HSCROLL_ID = 7;
constexpr UINT UG_EDIT_ID = 123; // the default in-place editor
// Menu command ids from this one upward reach OnPopupCommand.
constexpr UINT UG_MENU_FIRST_ID = 1000;

// Codes of the relative moves (MoveCurrentRow/Col, MoveTopRow/MoveLeftCol).
constexpr int UG_LINEUP = 0, UG_LINEDOWN = 1, UG_PAGEUP = 2, UG_PAGEDOWN = 3, UG_TOP = 4,
              UG_BOTTOM = 5;

// What caused the action at hand (CUGGridInfo::lastInputKind).
constexpr int UG_INPUT_KEYBOARD = 0, UG_INPUT_LBUTTON = 1, UG_INPUT_RBUTTON = 2,
              UG_INPUT_MOUSEMOVE = 3, UG_INPUT_HEADING = 4;

// Columns sized to their contents take the top heading into account with this flag.
constexpr int UG_BESTFIT_TOPHEADINGS = 1;

class CUGCtrl : public CWnd {
public:
    CUGCtrl();
    ~CUGCtrl() override;

    // ---- creation ----
    // A new frame window; runs OnGridSetup and OnSheetPrepare(0) once its children exist.
    BOOL CreateGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Takes over a dialog's placeholder control; 0 when there is no such control.
    int AttachGrid(CWnd* parent, UINT id);

    // ---- size and layout ----
    int SetColCount(int cols, int redraw = TRUE); // 0..32000
    int GetColCount() const { return gridInfo->numberCols; }
    int SetRowCount(long rows, int redraw = TRUE);
    long GetRowCount() const { return gridInfo->numberRows; }
    int SetColumnWidth(int col, int width);
    int GetColumnWidth(int col) const;
    int SetStandardColWidth(int width);
    int SetStandardRowHeight(int height); // 1..1024
    int GetStandardRowHeight() const { return gridInfo->defRowHeight; }
    int SetRowHeight(long row, int height);
    int GetRowHeight(long row) const;
    int SetUniformRowHeight(int on);
    int SetSideHdgWidth(int width); // 0..1024, the heading columns rescaled in proportion
    int GetSideHdgWidth() const { return gridInfo->sideHdgWidth; }
    int SetTopHdgHeight(int height); // 0..1024, the heading rows rescaled in proportion
    int GetTopHdgHeight() const { return gridInfo->topHdgHeight; }
    int SetTopHdgRowCount(int rows);             // 1..32, the new rows take the default height
    int SetSideHdgColCount(int cols);            // 1..32, the new columns take the default width
    int SetTopHdgRowHeight(int row, int height); // row -1 .. -numberTopHdgRows
    int SetVScrollWidth(int width);
    int SetHScrollHeight(int height);
    int FreezeCols(int count);
    int FreezeRows(long count);
    int EnablePainting(int on);
    int IsPaintingEnabled() const { return paintEnabled; }
    void LayoutChildren();
    // Widths of the columns fitted to their text (heading rows too with
    // UG_BESTFIT_TOPHEADINGS), looking at up to `rowsToSample` rows.
    int BestFit(int startCol, int endCol, int rowsToSample, int flags);

    // ---- switches ----
    int SetUserSizingMode(int mode); // 0 off, 1 with a tracking line, 2 live
    int SetColSwapping(int on);
    int SetHighlightRow(int on);
    int SetMultiSelectMode(int mode);
    int SetCurrentCellMode(int mode); // 0..3
    int SetThreeDBorderWidth(int width);
    int SetDoubleBufferMode(int on);
    int SetCellHints(int on);
    int SetVScrollHints(int on);
    int SetHScrollHints(int on);
    int SetVScrollMode(int mode);
    int SetHScrollMode(int mode);
    int SetKeyAccelMode(int mode);
    int SetKeyAccelDelay(int delay);
    int SetMouseAccelMode(int mode);
    int SetMouseAccelDelay(int delay);
    int EnableJoins(int on);
    int EnableCellOverflow(int on);
    int EnableMenu(int on);
    int SetGridLines(int on);

    // ---- current cell and view ----
    int GetCurrentCol() const { return gridInfo->currentCol; }
    long GetCurrentRow() const { return gridInfo->currentRow; }
    int GetLeftCol() const { return gridInfo->leftCol; }
    long GetTopRow() const { return gridInfo->topRow; }
    int GetRightCol() const { return gridInfo->rightCol; }
    long GetBottomRow() const { return gridInfo->bottomRow; }
    int MoveToCell(int col, long row);
    int MoveToCol(int col);
    int MoveToRow(long row);
    int MoveCurrentCol(int code);
    int MoveCurrentRow(int code);
    int SetTopRow(long row);
    int SetLeftCol(int col);
    // Scrolls the view alone (the scroll bars): codes as MoveCurrentRow/Col.
    int MoveTopRow(int code);
    int MoveLeftCol(int code);

    // ---- selection ----
    int ClearSelection();
    int SelectCell(int col, long row);
    int SelectRange(int startCol, long startRow, int endCol, long endRow);
    int IsSelected(int col, long row, int* blockIndex = nullptr) const;
    int EnumFirstSelected(int* col, long* row);
    int EnumNextSelected(int* col, long* row);
    int SetTrackingWindow(CWnd* wnd);
    int SetTrackingWindowMode(int mode);

    // ---- cells ----
    int GetCell(int col, long row, CUGCell* cell);
    int FetchCellInto(int col, long row, CUGCell* cell);
    int SetCell(int col, long row, CUGCell* cell);
    int SetCellRange(int startCol, long startRow, int endCol, long endRow, CUGCell* cell);
    int GetCellText(int col, long row, CString* text);
    CString GetCellText(int col, long row);
    int SetCellText(int col, long row, LPCTSTR text);
    int SetCellNumber(int col, long row, double number);
    int SetCellMask(int col, long row, LPCTSTR mask);
    int SetCellLabel(int col, long row, LPCTSTR label);
    int SetCellTextColor(int col, long row, COLORREF color);
    int SetCellHighlightTextColor(int col, long row, COLORREF color);
    int SetCellBackColor(int col, long row, COLORREF color);
    int SetCellHighlightBackColor(int col, long row, COLORREF color);
    int SetCellBitmap(int col, long row, CBitmap* bitmap);
    int SetCellBitmap(int col, long row, int index);
    int SetCellFont(int col, long row, CFont* font);
    int SetCellFont(int col, long row, int index);
    int SetCellAlignment(int col, long row, short alignment);
    int SetCellBorder(int col, long row, short border);
    int SetCellBorderPen(int col, long row, CPen* pen);
    int SetCellCellType(int col, long row, int index);
    int SetCellCellTypeStyle(int col, long row, int style);
    int SetGridDefaultCell(CUGCell* cell);
    int GetGridDefaultCell(CUGCell* cell);
    int SetColumnDefaultCell(int col, CUGCell* cell);
    int GetColumnDefaultCell(int col, CUGCell* cell);
    int SetHeadingDefaultCell(CUGCell* cell);
    int GetHeadingDefaultCell(CUGCell* cell);
    int SpanCells(int startCol, long startRow, int endCol, long endRow);
    // The joined block a cell belongs to (the cell itself when it is not joined); 1 when
    // joins are off or the cell is not part of a block.
    int GetJoinRange(int* startCol, long* startRow, int* endCol, long* endRow);
    // The cell under a point of the cell area and its rectangle (a joined block's start
    // cell and whole rectangle); 1 outside the cells.
    int GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect = nullptr);
    // A cell's rectangle in the cell area (locked ones at their place, others relative to
    // the first scrolling column and row); for a joined cell the block's rectangle.
    int GetCellRect(int col, long row, RECT* rect);
    int GetRangeRect(int startCol, long startRow, int endCol, long endRow, RECT* rect);

    // ---- rows and columns ----
    int InsertRow(long row);
    int AppendRow();
    int DeleteRow(long row);
    int InsertCol(int col);
    int AppendCol();
    int DeleteCol(int col);
    // Moves a column (its width, data source, default cell and data) so that it stands
    // before the column now at `toPos` (numberCols: at the end).
    int MoveColPosition(int fromCol, int toPos);

    // ---- repainting ----
    void RepaintAll();
    void RepaintCell(int col, long row);
    void RepaintRow(long row);
    void RepaintCol(int col);
    void RepaintRange(int startCol, long startRow, int endCol, long endRow);

    // ---- registries ----
    int RegisterCellType(CUGCellType* type);
    int UnregisterCellType(int index);
    CUGCellType* GetCellType(int index);
    int RegisterFont(int height, int width, int escapement, int orientation, int weight,
                     BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                     BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    int UnregisterFont(int index);
    CFont* GetFont(int index) const;
    int SetStandardFont(CFont* font);
    int SetStandardFont(int index);
    int RegisterBitmap(UINT resourceId);
    int RegisterBitmap(LPCTSTR fileName);
    int UnregisterBitmap(int index);
    CBitmap* GetBitmap(int index) const;
    int RegisterDataSource(CUGDataSource* source);
    CUGDataSource* GetDataSource(int index) const;
    int SelectDataSource(int index);

    // ---- sorting, finding ----
    // Rows ordered by the columns' cells through OnSortCompare (stable: rows that compare
    // equal keep their order); flags: UG_SORT_DESCENDING, other bits reach the hook as they
    // are. The data source's answer (UG_NA when it cannot sort); nothing is repainted.
    int SortRowsBy(int col, int flags);
    int SortRowsBy(int* cols, int count, int flags);
    // The modeless find (or find and replace) dialog over the grid; nothing while one is open.
    int ShowFindDialog();
    int ShowReplaceDialog();
    // Search every column, row by row, instead of the current column alone.
    int SetFindAllColumns(int on);

    // ---- clipboard and popup menu ----
    // The selected cells (the current cell without a selection) as text, row by row: a tab
    // between cells of a row, a line feed between rows. Cutting empties the cells wholly.
    int CopySelected();
    int CutSelected();
    // Clipboard text from the current cell on, tabs stepping right and line breaks (CR, LF
    // or CR LF) down; cells outside the grid are skipped and the grid never grows. The
    // cells reached are selected; 1 when the clipboard holds no text.
    int Paste();
    // Application items of the popup menu: ids from UG_MENU_FIRST_ID reach OnPopupCommand;
    // an empty text or the id -1 adds a separator.
    int AddMenuItem(int id, LPCTSTR text);
    int RemoveMenuItem(int id);
    int EmptyMenu();

    // ---- in-place editing ----
    // Opens the sheet's editor over a cell (the current one without col and row); a key
    // above 0 is typed into it first. 0 opened, 1 refused (read-only cell, a type without an
    // editor, a hook or the data source said no), 2 the current cell could not move there.
    int BeginEdit();
    int BeginEdit(int key);
    int BeginEdit(int col, long row, int key);
    // The editor's text comes back: stored unless cancelled, then editing goes on at the
    // next cell when asked to (wrapping at the edges, stepping over joined cells). 1 when
    // the edit ended, 0 when OnEditEnd keeps it open.
    int EditFinish(LPCTSTR text, int cancelFlag, int continueFlag, int nextCol, long nextRow);
    int CancelEdit();
    int SetEditCtrl(CWnd* edit);
    CWnd* GetEditCtrl() const { return gridInfo->standardEditor; }

    // ---- hooks, in slot order ----
    virtual void OnSectionSetFocus(int section);
    virtual void OnGridSetup();
    virtual void OnSheetPrepare(int sheet);
    virtual int OnQueryCellMove(int oldCol, long oldRow, int newCol, long newRow);
    virtual int OnQueryViewScroll(int oldLeftCol, int newLeftCol, long oldTopRow, long newTopRow);
    virtual void OnPastLastRow(long numRows, long rowsPast, long rowsFound);
    virtual int OnQueryColResize(int col);
    virtual void OnColResizing(int col, int* width);
    virtual void OnColResized(int col, int* width);
    virtual int OnQueryRowResize(long row);
    virtual void OnRowResizing(long row, int* height);
    virtual void OnRowResized(long row, int* height);
    virtual int OnQueryTopHdgResize();
    virtual int OnQuerySideHdgResize();
    virtual int OnTopHdgResizing(int* height);
    virtual int OnSideHdgResizing(int* width);
    virtual int OnTopHdgResized(int* height);
    virtual int OnSideHdgResized(int* width);
    virtual void OnCurrentColMoved(int oldCol, int newCol);
    virtual void OnCurrentRowMoved(long oldRow, long newRow);
    virtual void OnCurrentCellMoved(int oldCol, int newCol, long oldRow, long newRow);
    virtual void OnLeftColMoved(int oldCol, int newCol);
    virtual void OnTopRowMoved(long oldRow, long newRow);
    virtual void OnCellLeftClick(int col, long row, int updn, RECT* rect, POINT* point,
                                 int processed);
    virtual void OnCellRightClick(int col, long row, int updn, RECT* rect, POINT* point,
                                  int processed);
    virtual void OnCellDoubleClick(int col, long row, RECT* rect, POINT* point, int processed);
    virtual void OnCellMouseMove(int col, long row, POINT* point, UINT flags, int processed);
    virtual void OnTopHdgLeftClick(int col, long row, int updn, RECT* rect, POINT* point,
                                   int processed);
    virtual void OnTopHdgRightClick(int col, long row, int updn, RECT* rect, POINT* point,
                                    int processed);
    virtual void OnTopHdgDoubleClick(int col, long row, RECT* rect, POINT* point, int processed);
    virtual void OnSideHdgLeftClick(int col, long row, int updn, RECT* rect, POINT* point,
                                    int processed);
    virtual void OnSideHdgRightClick(int col, long row, int updn, RECT* rect, POINT* point,
                                     int processed);
    virtual void OnSideHdgDoubleClick(int col, long row, RECT* rect, POINT* point, int processed);
    virtual void OnCornerLeftClick(int updn, RECT* rect, POINT* point, int processed);
    virtual void OnCornerRightClick(int updn, RECT* rect, POINT* point, int processed);
    virtual void OnCornerDoubleClick(RECT* rect, POINT* point, int processed);
    virtual void OnCellKeyDown(UINT* vcKey, int processed);
    virtual void OnCellChar(UINT* vcKey, int processed);
    virtual void OnCellFetched(int col, long row, CUGCell* cell);
    virtual void OnCellStoring(int col, long row, CUGCell* cell);
    virtual int OnCellTypeEvent(long typeId, int col, long row, long msg, LONG_PTR param);
    virtual int OnEditBegin(int col, long row, CWnd** edit);
    virtual int OnEditKeyCheck(int col, long row, CWnd* edit, UINT* vcKey);
    virtual int OnEditEnd(int col, long row, CWnd* edit, LPCTSTR text, int cancelFlag);
    virtual int OnEditChain(int oldCol, long oldRow, int* newCol, long* newRow);
    virtual void OnPopupCommand(int col, long row, int section, int item);
    virtual int OnPopupQuery(int col, long row, int section);
    virtual int OnCellHintText(int col, long row, int section, CString* text);
    virtual int OnVScrollHintText(long row, CString* text);
    virtual int OnHScrollHintText(int col, CString* text);
    virtual int OnOleDragEnter(COleDataObject* data);
    virtual int OnOleDragOver(COleDataObject* data, int col, long row);
    virtual int OnOleDrop(COleDataObject* data, int col, long row);
    virtual int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags);
    virtual void OnSectionPaintSetup(CDC* dc, CDC* altDc, int section);
    virtual void OnLayoutAdjust(RECT* grid, RECT* topHdg, RECT* sideHdg, RECT* corner,
                                RECT* vScroll, RECT* hScroll, RECT* tabs);
    virtual void OnSheetTabChosen(int tabId);
    virtual COLORREF OnSectionBackColor(int section);
    virtual void OnPaintFocusFrame(CDC* dc, RECT* rect);
    virtual void OnSectionKillFocus(int section);
    virtual int OnColDragBegin(int col);
    virtual int OnQueryColDrop(int fromCol, int toCol);
    virtual void OnTrackWindowReposition(RECT* oldRect, RECT* newRect);

    // ---- for the child windows ----
    // Asks the data source and OnPastLastRow about `row` when it lies past the last row;
    // answers whether rows were appended (the painting goes on with them).
    bool CheckRowsPastEnd(long row);
    // The visible window after a change of counts, sizes or the first column and row:
    // the last scrolling column and row, the greatest first ones and the bars' ranges.
    void RecalcVisibleRange();
    // Whether the last layout's bar visibility no longer fits the rows and columns.
    bool ScrollBarsNeedLayout() const;
    void RefreshAfterMove();
    // The cell type handling a cell (the standard type when the cell names none).
    CUGCellType* CellTypeOf(const CUGCell& cell);
    // Where a column's cells are stored: its data source and the store column.
    CUGDataSource* GetColumnDataSource(int col) const;
    int GetColumnDataColumn(int col) const;
    int GridColumnOfDataColumn(int dataCol) const; // -1 when no column shows it
    // Positions in the cell area: locked columns and rows at their place, the others
    // relative to the first scrolling column and row (negative when scrolled out).
    int ColumnLeft(int col) const;
    int RowTop(long row) const;
    int StartMenu(int col, long row, POINT* screenPoint, int section);

    // ---- what the frame holds ----
    std::unique_ptr<CUGPtrList> fonts;
    std::unique_ptr<CUGPtrList> bitmaps;
    std::unique_ptr<CUGPtrList> cellTypes;
    CUGCellType standardType;
    CUGDropListType dropListType;
    CUGCheckBoxType checkBoxType;
    CUGArrowType arrowType;
    std::unique_ptr<CMenu> popupMenu;
    int menuCol = -1;
    long menuRow = -1;
    int menuSection = 0;
    CUGCell scratchCell;
    std::vector<CUGDataSource*> dataSources; // slot 0 stands for the sheet's built-in store
    int paintEnabled = 1;
    std::vector<std::unique_ptr<CUGGridInfo>> sheets;
    int currentSheet = 0;
    CUGGridInfo* gridInfo = nullptr;
    std::unique_ptr<CUGGrid> grid;
    std::unique_ptr<CUGTopHdg> topHdg;
    std::unique_ptr<CUGSideHdg> sideHdg;
    std::unique_ptr<CUGCnrBtn> cornerBtn;
    std::unique_ptr<CUGVScroll> vScroll;
    std::unique_ptr<CUGHScroll> hScroll;
    std::unique_ptr<CUGHint> hint;
    CWnd* trackingWnd = nullptr;
    CUGEdit defaultEdit;
    CWnd* editCtrl = nullptr; // the editor in use while editing
    int editing = 0;
    int editCol = -1;
    long editRow = -1;
    CWnd* editParent = nullptr; // the window the editor lies in
    CUGCell editCell;           // the cell being edited, as shown
    CUGCell scratchCell2;
    CPen highlightPen;
    CPen shadowPen;
    CFindReplaceDialog* findDialog = nullptr;
    int findDialogOpen = 0;
    int findFirstSearch = 0;
    int findAllColumns = 0;

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnSysColorChange() override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    UINT OnGetDlgCode() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class SortHook : public CUGSortComparer {
    public:
        explicit SortHook(CUGCtrl* ctrl) : ctrl_(ctrl) {}
        int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) override {
            return ctrl_->OnSortCompare(cell1, cell2, flags);
        }

    private:
        CUGCtrl* ctrl_;
    };

    void CreateChildWindows();
    void RecreatePens();
    void RenumberDataColumns();
    // rightCol and bottomRow for the present first column and row and the cell area size.
    void ComputeVisibleEdges();
    // Stored cell → one property → stored again, so no default reaches the store.
    template <class Change> int ChangeStoredCell(int col, long row, Change change);
    // The layout's decision which bars are hidden, for a client area of width x height.
    void DecideScrollBars(int width, int height, bool& vHidden, bool& hHidden) const;

    // Moves (navigation): validation, scrolling into view and the notifications.
    int ValidateCol(int& col);
    int ValidateRow(long& row);
    int StartKeyboardMoveFromAnchor();
    void ScrollColIntoView();
    void ScrollRowIntoView();
    void NotifyAfterMove();
    void TellSelectionAboutMove();
    void MoveTrackingWindow();
    int AskToMove(int oldCol, long oldRow, int newCol, long newRow);
    int PageRow(int direction) const;
    int PageCol(int direction) const;
    void ClampView();

    // Editing, finding and the clipboard.
    bool SelectionCoversMoreThanCurrentCell() const;
    // Where the editor goes for a cell: its rectangle and window; false for no place.
    bool EditPlace(int col, long row, CWnd** parent, CRect* rect);
    void NextCellAfterEdit(int& nextCol, long& nextRow);
    int OpenFindDialog(BOOL findOnly);
    void OnFindMessage(CFindReplaceDialog* dialog);
    // The next cell whose text matches, from (col, row); false when there is none.
    bool FindNext(const CString& text, long flags, int& col, long& row);
    void ReplaceAll(const CString& text, const CString& replacement, long flags);
    int CopyOrCut(bool cut);

    SortHook sortHook_{this};
    bool inLayout_ = false;
    bool laidOut_ = false;
    bool vScrollHidden_ = false; // the last layout's decision
    bool hScrollHidden_ = false;
};
