// Moving the current cell with the keys and the mouse while cells are selected: vetoes that
// leave everything as it was, the order of the notifications when the view follows, clicks
// inside and outside a selection, and the tracking window kept beside the current cell.

#include <gtest/gtest.h>

#include "tests/grid/GridTestSupport.h"

namespace {

class Navigating : public QueueDrivenGrid {
protected:
    void Prepare() override { grid.SetMultiSelectMode(TRUE); }
    void ShiftKey(UINT key) {
        PostKey(VK_SHIFT);
        PostKey(key);
        PostKey(VK_SHIFT, WM_KEYUP);
        Settle();
    }
    CPoint Centre(int col, long row) {
        CRect r;
        grid.GetCellRect(col, row, &r);
        return r.CenterPoint();
    }
    void Press(UINT down, UINT up, int col, long row, UINT keys = 0) {
        PostMouse(grid.grid.get(), down, Centre(col, row), keys);
        PostMouse(grid.grid.get(), up, Centre(col, row), keys & ~(MK_LBUTTON | MK_RBUTTON));
        Settle();
    }
    const CUGMultiSelect::Block* Block(int i) { return grid.gridInfo->multiSelect->GetBlock(i); }
};

} // namespace

TEST_F(Navigating, AVetoedMoveLeavesTheCellTheDragCellAndTheSelectionAsTheyWere) {
    ShiftKey(VK_DOWN);
    ASSERT_EQ(Block(0)->lastRow, 1);
    grid.vetoMoves = 1;
    ShiftKey(VK_DOWN);
    Key(VK_RIGHT); // a plain key would have cleared the selection, had the move happened
    EXPECT_EQ(grid.gridInfo->multiSelect->GetBlockCount(), 1);
    EXPECT_EQ(Block(0)->firstRow, 0);
    EXPECT_EQ(Block(0)->lastRow, 1);
    EXPECT_EQ(Block(0)->lastCol, 0);
    EXPECT_EQ(grid.gridInfo->dragRow, 1);
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_EQ(grid.MoveToCol(3), GRID_VETOED);
    EXPECT_EQ(grid.CountCalls("cellmoved"), 0);
    EXPECT_TRUE(grid.IsSelected(0, 1));
}

TEST_F(Navigating, AMoveThatScrollsTellsTheCellOnceAndThenTheNewTopRow) {
    grid.SetMultiSelectMode(FALSE);
    ASSERT_EQ(grid.MoveToRow(150), GRID_SUCCESS);
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"querymove", "rowmoved 0 150",
                                                    "cellmoved 0 0 0 150", "toprow 0 140"}));
    EXPECT_EQ(grid.GetBottomRow(), 151);
    grid.calls.clear();
    Key(VK_HOME); // already in the first column: nothing at all
    EXPECT_TRUE(grid.calls.empty());
}

TEST_F(Navigating, ARightClickInsideTheSelectionKeepsItAndOutsideStartsAfresh) {
    Press(WM_LBUTTONDOWN, WM_LBUTTONUP, 1, 1, MK_LBUTTON);
    Press(WM_LBUTTONDOWN, WM_LBUTTONUP, 3, 4, MK_LBUTTON | MK_SHIFT);
    ASSERT_TRUE(grid.IsSelected(2, 3));
    Press(WM_RBUTTONDOWN, WM_RBUTTONUP, 2, 2, MK_RBUTTON);
    EXPECT_EQ(grid.gridInfo->multiSelect->GetBlockCount(), 1);
    EXPECT_TRUE(grid.IsSelected(3, 4));
    EXPECT_EQ(grid.GetCurrentCol(), 1); // the block's anchor stays the current cell
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    Press(WM_RBUTTONDOWN, WM_RBUTTONUP, 3, 6, MK_RBUTTON);
    EXPECT_EQ(grid.gridInfo->multiSelect->GetBlockCount(), 1);
    EXPECT_FALSE(grid.IsSelected(2, 3));
    EXPECT_EQ(grid.GetCurrentCol(), 3);
    EXPECT_EQ(grid.GetCurrentRow(), 6);
    // Ctrl adds a block; a drag from it stretches the new block only.
    Press(WM_LBUTTONDOWN, WM_LBUTTONUP, 0, 0, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(grid.gridInfo->multiSelect->GetBlockCount(), 2);
    EXPECT_TRUE(grid.IsSelected(3, 6));
    EXPECT_TRUE(grid.IsSelected(0, 0));
}

TEST_F(Navigating, TheTrackingWindowIsMovedBesideTheCurrentCellWhenItCoversIt) {
    class Tracked : public CWnd {};
    Tracked tracking;
    ASSERT_TRUE(tracking.CreateEx(0, L"Tracked", L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 60, 30),
                                  &window, 0));
    EXPECT_EQ(grid.SetTrackingWindow(nullptr), GRID_ERROR);
    ASSERT_EQ(grid.SetTrackingWindow(&tracking), GRID_SUCCESS);
    EXPECT_TRUE(tracking.GetExStyle() & WS_EX_TOPMOST);
    CRect cell;
    grid.GetCellRect(2, 3, &cell);
    grid.grid->ClientToScreen(&cell);
    tracking.SetWindowPos(nullptr, cell.left, cell.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    grid.MoveToCell(2, 3);
    CRect moved;
    tracking.GetWindowRect(&moved);
    EXPECT_EQ(moved.left, cell.right + 5);
    EXPECT_EQ(moved.Size(), CSize(60, 30));
    // Away from the cell it stays where it is.
    grid.MoveToCell(2, 6);
    CRect still;
    tracking.GetWindowRect(&still);
    EXPECT_EQ(still, moved);
    // In mode 1 it follows the cell at a fixed distance.
    grid.SetTrackingWindowMode(1);
    grid.MoveToCell(4, 6);
    grid.GetCellRect(4, 6, &cell);
    grid.grid->ClientToScreen(&cell);
    tracking.GetWindowRect(&moved);
    EXPECT_EQ(moved.TopLeft(), CPoint(cell.right + 30, cell.top));
}
