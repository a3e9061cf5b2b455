#pragma once
// The selected ranges of a grid sheet: blocks of cells (or of whole rows), each started at
// an anchor cell and stretched to a moving corner, appended in the order they were started.
// A cell is selected when some block covers it. Changes tell the caller what to repaint by
// adding ranges to a redraw list.

#include <vector>

#include <afxwin.h>

class CUGGridInfo;
class CellRedrawList;

// Selection modes (bits): cells, whole rows.
constexpr int UG_MULTISELECT_OFF = 0, UG_MULTISELECT_CELL = 1, UG_MULTISELECT_ROW = 2;

class CUGMultiSelect {
public:
    struct Block {
        int anchorCol;
        int movingCol;
        long anchorRow;
        long movingRow;
        int firstCol, lastCol; // normalised
        long firstRow, lastRow;
        int selected = 1;
    };

    explicit CUGMultiSelect(CUGGridInfo* gridInfo) : gridInfo_(gridInfo) {}

    void SetMode(int mode);
    int GetMode() const { return mode_; }
    bool IsOn() const { return (mode_ & (UG_MULTISELECT_CELL | UG_MULTISELECT_ROW)) != 0; }

    // Drops every block, queueing each for repainting.
    void ClearAll(CellRedrawList* repaint);
    void StartBlock(int col, long row, CellRedrawList* repaint);
    // Moves the current block's moving corner (a block from the current cell when there is
    // none); queues the strips that entered or left it.
    void ExtendBlock(int col, long row, CellRedrawList* repaint);

    // What a move of the drag cell means to the selection, by what caused it.
    void OnLeftButton(int col, long row, UINT keyFlags, CellRedrawList* repaint);
    void OnRightButton(int col, long row, CellRedrawList* repaint);
    void OnKey(int col, long row, bool shift, bool ctrl, CellRedrawList* repaint);
    void OnMouseDrag(int col, long row, CellRedrawList* repaint);

    // The selected flag of the last block covering the cell (its index through blockIndex).
    int IsSelected(int col, long row, int* blockIndex = nullptr) const;
    int GetBlockCount() const { return static_cast<int>(blocks_.size()); }
    const Block* GetBlock(int index) const;
    // Where the current block was started; false when there is none.
    bool GetCurrentAnchor(int* col, long* row) const;
    // Selected cells row by row, left to right; without blocks the current cell alone.
    int EnumFirstSelected(int* col, long* row);
    int EnumNextSelected(int* col, long* row);

private:
    void Normalise(Block& b) const;
    static void QueueBlock(const Block& b, CellRedrawList* repaint);
    bool IsRepeat(int col, long row);

    CUGGridInfo* gridInfo_;
    std::vector<Block> blocks_;
    int current_ = -1;
    int mode_ = UG_MULTISELECT_OFF;
    int lastCol_ = -1;
    long lastRow_ = -1;
    // Enumeration state: the bounding rectangle and the cell reached.
    int enumFirstCol_ = 0, enumLastCol_ = -1, enumCol_ = 0;
    long enumLastRow_ = -1, enumRow_ = 0;
    bool enumSingle_ = false;
};
