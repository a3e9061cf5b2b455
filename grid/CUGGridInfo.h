#pragma once
// Everything one grid sheet knows besides its cell data: counts, the column table, row
// heights, the current cell and the visible window, heading sizes, switches, default cells
// and the built-in store (data source 0). The frame owns one per sheet and every child
// window reads it directly, hence the public fields.
//
// The operations here keep the state consistent and refuse out-of-range values (answering
// GRID_ERROR and changing nothing); relayout, scroll ranges and repainting stay with the frame.

#include <memory>
#include <vector>

#include <afxwin.h>

#include "grid/CUGCell.h"
#include "grid/CUGMem.h"
#include "grid/UGDefines.h"

#include <windef.h>

#include "grid/CUGMultiSelect.h"

class CUGDataSource;

// One grid column.
struct ColumnInfo {
    int width = 0;
    CUGDataSource* dataSource = nullptr;  // not owned
    std::unique_ptr<CUGCell> defaultCell; // laid under every cell of the column
    int dataColumn = 0; // store column shown here; the own index unless columns were moved
};

class CUGGridInfo {
public:
    // Use these by value: one bound to a reference (make_unique, resize) becomes a unique
    // symbol of the module, and such a symbol keeps the module from ever unloading.
    static constexpr int kDefaultColWidth = 75;
    static constexpr int kDefaultRowHeight = 20;
    static constexpr int kDefaultTopHdgHeight = 20;
    static constexpr int kDefaultSideHdgWidth = 40;
    static constexpr int kDefaultSideHdgColWidth = 25;
    static constexpr int kDefaultScrollBarSize = 17; // the system's scroll bar width
    static constexpr COLORREF kGridLineColor = RGB(220, 220, 220);

    CUGGridInfo();
    ~CUGGridInfo();
    CUGGridInfo(const CUGGridInfo&) = delete;
    CUGGridInfo& operator=(const CUGGridInfo&) = delete;

    // Counts. New columns take the default width, the default data source and a copy of the
    // grid default cell; above 64000 rows every row shares the default height.
    int SetColCount(int cols);
    int SetRowCount(long rows);
    // The column table follows the frame's InsertCol/DeleteCol (the count changes with it).
    int InsertColumnEntry(int col);
    int RemoveColumnEntry(int col);

    // Column widths: data columns answer 0; side heading columns (-1 .. -numberSideHdgCols)
    // are set as well but answer 1, and a single one carries the side heading width along.
    int SetColumnWidth(int col, int width);
    int GetColumnWidth(int col) const; // 1 when col is out of range
    int SetStandardColWidth(int width);

    // Row heights; in uniform mode every row is defRowHeight tall and there is no table.
    int SetStandardRowHeight(int height); // 1..1024
    int SetUniformRowHeight(int on);
    int SetRowHeight(long row, int height);
    int GetRowHeight(long row) const; // 0 when row is out of range

    // Heading sizes: the heading rows or columns are rescaled in proportion.
    int SetTopHdgHeight(int height);       // 0..1024
    int SetSideHdgWidth(int width);        // 0..1024
    int GetTopHdgRowHeight(int row) const; // row -1 .. -numberTopHdgRows, else 0
    int GetSideHdgColWidth(int col) const; // col -1 .. -numberSideHdgCols, else 0
    // The next column (row) the view shows after `col`: past the locked columns it jumps to
    // the first scrolling one. -1 gives the first shown.
    int NextShownCol(int col) const;
    long NextShownRow(long row) const;

    int SetVScrollWidth(int width);   // 0..1024
    int SetHScrollHeight(int height); // 0..1024
    int SetTabWidth(int width);       // 0 or more

    int FreezeCols(int count); // 0..numberCols; the first scrolling column follows
    int FreezeRows(long count);

    int SetCurrentCellMode(int mode);    // 0..3
    int SetThreeDBorderWidth(int width); // 1..16
    int SetMouseAccelMode(int mode);     // 0..3
    int SetMouseAccelDelay(int delay);   // 0..32000 ms
    int SetKeyAccelMode(int mode);       // 0..1000
    int SetKeyAccelDelay(int delay);     // 0 ms or more

    // Columns and rows.
    int numberCols = 0;
    int currentCol = -1;
    int lastCol = -1;
    int leftCol = 0;
    int lastLeftCol = 0;
    int maxLeftCol = 0;
    int defColWidth = kDefaultColWidth;
    int rightCol = 0;
    int dragCol = -1;
    std::vector<ColumnInfo> colInfo;

    long numberRows = 0;
    long currentRow = -1;
    long lastRow = -1;
    long topRow = 0;
    long lastTopRow = 0;
    long maxTopRow = 0;
    std::vector<int> rowHeights; // empty while uniformRowHeight is on
    int defRowHeight = kDefaultRowHeight;
    int uniformRowHeight = 0;
    long bottomRow = 0;
    long dragRow = -1;

    // Headings: index 0 is the row (column) next to the cells, i.e. heading row (column) -1.
    int numberTopHdgRows = 1;
    std::vector<int> topHdgHeights{kDefaultTopHdgHeight};
    int numberSideHdgCols = 1;
    std::vector<int> sideHdgWidths{kDefaultSideHdgColWidth};

    std::unique_ptr<CUGCell> gridDefault;    // copied into each column created
    std::unique_ptr<CUGCell> headingDefault; // base of every heading cell
    CUGCell scratchCell;

    int topHdgHeight = kDefaultTopHdgHeight;
    int sideHdgWidth = kDefaultSideHdgWidth;
    int vScrollWidth = kDefaultScrollBarSize;
    int hScrollHeight = kDefaultScrollBarSize;
    int tabWidth = 0;
    int gridWidth = 0;
    int gridHeight = 0;
    // Rectangles of the last layout, in the frame's client coordinates.
    RECT gridRect{}, topHdgRect{}, sideHdgRect{}, cornerRect{}, tabRect{}, vScrollRect{},
        hScrollRect{};

    // Switches.
    int highlightRow = 0;
    int multiSelectMode = 0;
    int currentCellMode = 1;
    int threeDBorderWidth = 1;
    int popupMenuEnabled = 0;
    int cellHints = 0;
    int vScrollHints = 0;
    int hScrollHints = 0;
    int userSizing = 1;
    int enableJoins = 1;
    int enableColSwapping = 0;
    int enableCellOverflow = 1;
    int vScrollMode = 0;
    int hScrollMode = 0;
    int mouseAccelMode = 0;
    int mouseAccelDelay = 200;
    int keyAccelMode = 0;
    int keyAccelDelay = 0;
    int doubleBufferMode = 0;
    int gridLines = 1;         // the cells draw their right and bottom grid lines
    int textMargin = 4;        // pixels between a cell's edge and its text
    int bestFitOnDblClick = 1; // a double click on a column edge fits the column

    int lockedCols = 0;
    long lockedRows = 0;
    int lockedColsWidth = 0;
    int lockedRowsHeight = 0;

    CFont* defFont = nullptr; // not owned
    int defDataSourceIndex = 0;
    CUGDataSource* defDataSource = nullptr; // the built-in store until the frame selects another
    std::unique_ptr<CUGMem> builtinStore;   // data source 0 of this sheet
    int lastInputKind = 0; // 0 keyboard, 1 left button, 2 right button, 3 mouse move, 4 heading
    UINT mouseFlags = 0;   // key flags (MK_SHIFT, MK_CONTROL) of the last button message

    std::unique_ptr<CUGMultiSelect> multiSelect; // the selected ranges
    CWnd* standardEditor = nullptr;              // editor offered first; not owned
    HCURSOR arrowCursor = nullptr;
    HCURSOR sizeWECursor = nullptr;
    HCURSOR sizeNSCursor = nullptr;
    std::unique_ptr<CPen> gridLinePen; // solid, 1 pixel, kGridLineColor

    int trackingWndMode = 0;
    int editFocusCheck = 1;

    // The locked area's pixel size after its columns' widths or rows' heights changed.
    void RecomputeLockedColsWidth();
    void RecomputeLockedRowsHeight();

private:
    std::unique_ptr<CUGCell> NewColumnDefaultCell() const;
    static void Rescale(std::vector<int>& sizes, int newTotal);
};
