#include <gtest/gtest.h>

#include "grid/CUGGridInfo.h"
#include "grid/CUGMultiSelect.h"
#include "grid/CellRedrawList.h"

TEST(CellRedrawList, RangesAreInclusiveAndTheBoundsCoverThemAll) {
    CellRedrawList list;
    int startCol, endCol;
    long startRow, endRow;
    EXPECT_FALSE(list.GetBounds(&startCol, &startRow, &endCol, &endRow));
    EXPECT_EQ(startCol + endCol + startRow + endRow, 0);
    EXPECT_FALSE(list.Contains(0, 0));
    list.AddRange(2, 3, 4, 5);
    list.AddCell(9, 0);
    EXPECT_TRUE(list.Contains(2, 3));
    EXPECT_TRUE(list.Contains(4, 5));
    EXPECT_TRUE(list.Contains(9, 0));
    EXPECT_FALSE(list.Contains(5, 5));
    EXPECT_FALSE(list.Contains(6, 2)); // inside the bounds, in no range
    ASSERT_TRUE(list.GetBounds(&startCol, &startRow, &endCol, &endRow));
    EXPECT_EQ(startCol, 2);
    EXPECT_EQ(startRow, 0);
    EXPECT_EQ(endCol, 9);
    EXPECT_EQ(endRow, 5);
    list.ExtendFirstRange(1, 3, 1, 3);
    EXPECT_TRUE(list.Contains(1, 4));
    list.MarkDrawn(3, 4);
    EXPECT_TRUE(list.WasDrawn(3, 4));
    list.Clear();
    EXPECT_FALSE(list.Contains(2, 3));
    EXPECT_FALSE(list.WasDrawn(3, 4));
    list.ExtendFirstRange(0, 0, 1, 1); // on an empty list it adds the range
    EXPECT_TRUE(list.Contains(1, 1));
}

namespace {
class Selection : public ::testing::Test {
protected:
    void SetUp() override {
        info.SetColCount(6);
        info.SetRowCount(10);
        info.currentCol = 1;
        info.currentRow = 1;
        selection.SetMode(UG_MULTISELECT_CELL);
    }
    std::vector<std::pair<int, long>> Enumerated() {
        std::vector<std::pair<int, long>> cells;
        int col;
        long row;
        for (int r = selection.EnumFirstSelected(&col, &row); r == 0;
             r = selection.EnumNextSelected(&col, &row))
            cells.push_back({col, row});
        return cells;
    }
    CUGGridInfo info;
    CUGMultiSelect& selection = *info.multiSelect;
    CellRedrawList repaint;
};
} // namespace

TEST_F(Selection, ShiftExtendsCtrlAddsAndAPlainClickStartsAfresh) {
    selection.OnLeftButton(1, 1, 0, &repaint);
    selection.OnLeftButton(3, 2, MK_SHIFT, &repaint);
    EXPECT_EQ(selection.GetBlockCount(), 1);
    EXPECT_TRUE(selection.IsSelected(2, 2));
    EXPECT_FALSE(selection.IsSelected(4, 2));
    selection.OnLeftButton(5, 8, MK_CONTROL, &repaint);
    EXPECT_EQ(selection.GetBlockCount(), 2);
    int block = -1;
    EXPECT_TRUE(selection.IsSelected(5, 8, &block));
    EXPECT_EQ(block, 1);
    int col;
    long row;
    ASSERT_TRUE(selection.GetCurrentAnchor(&col, &row));
    EXPECT_EQ(col, 5);
    EXPECT_EQ(row, 8);
    repaint.Clear();
    selection.OnLeftButton(0, 0, 0, &repaint);
    EXPECT_EQ(selection.GetBlockCount(), 1);
    EXPECT_FALSE(selection.IsSelected(2, 2));
    EXPECT_TRUE(repaint.Contains(3, 2)); // the blocks cleared are painted again
    EXPECT_TRUE(repaint.Contains(5, 8));
    // A right click inside the selection keeps it; outside it starts afresh.
    selection.OnLeftButton(2, 2, MK_SHIFT, &repaint);
    selection.OnRightButton(1, 1, &repaint);
    EXPECT_TRUE(selection.IsSelected(2, 2));
    selection.OnRightButton(4, 4, &repaint);
    EXPECT_FALSE(selection.IsSelected(2, 2));
    EXPECT_TRUE(selection.IsSelected(4, 4));
}

TEST_F(Selection, StretchingRepaintsOnlyTheStripThatChanged) {
    selection.StartBlock(1, 1, nullptr);
    selection.ExtendBlock(2, 3, nullptr);
    selection.ExtendBlock(2, 5, &repaint);
    int startCol, endCol;
    long startRow, endRow;
    ASSERT_TRUE(repaint.GetBounds(&startCol, &startRow, &endCol, &endRow));
    EXPECT_EQ(startRow, 4);
    EXPECT_EQ(endRow, 5);
    EXPECT_EQ(startCol, 1);
    EXPECT_EQ(endCol, 2);
    repaint.Clear();
    selection.ExtendBlock(1, 5, &repaint); // the column 2 strip leaves
    ASSERT_TRUE(repaint.GetBounds(&startCol, &startRow, &endCol, &endRow));
    EXPECT_EQ(startCol, 2);
    EXPECT_EQ(endCol, 2);
    EXPECT_EQ(startRow, 1);
    EXPECT_EQ(endRow, 5);
    EXPECT_FALSE(selection.IsSelected(2, 3));
}

TEST_F(Selection, SelectedCellsAreEnumeratedRowByRowWithTheCurrentCellAloneWithoutBlocks) {
    EXPECT_EQ(Enumerated(), (std::vector<std::pair<int, long>>{{1, 1}}));
    selection.StartBlock(2, 2, nullptr);
    selection.ExtendBlock(3, 3, nullptr);
    selection.StartBlock(0, 3, nullptr);
    EXPECT_EQ(Enumerated(),
              (std::vector<std::pair<int, long>>{{2, 2}, {3, 2}, {0, 3}, {2, 3}, {3, 3}}));
    // Whole rows in row mode.
    selection.SetMode(UG_MULTISELECT_ROW);
    selection.StartBlock(4, 6, nullptr);
    EXPECT_TRUE(selection.IsSelected(0, 6));
    EXPECT_TRUE(selection.IsSelected(5, 6));
    EXPECT_FALSE(selection.IsSelected(0, 5));
    selection.SetMode(UG_MULTISELECT_OFF);
    EXPECT_FALSE(selection.IsSelected(0, 6));
}

TEST_F(Selection, KeysExtendWithShiftAndStartAfreshWithout) {
    selection.OnKey(1, 2, true, false, &repaint); // Shift+Down from (1, 1)
    selection.OnKey(1, 3, true, false, &repaint);
    EXPECT_EQ(selection.GetBlockCount(), 1);
    EXPECT_TRUE(selection.IsSelected(1, 1));
    EXPECT_TRUE(selection.IsSelected(1, 3));
    selection.OnKey(1, 4, false, false, &repaint);
    EXPECT_EQ(selection.GetBlockCount(), 1);
    EXPECT_FALSE(selection.IsSelected(1, 3));
    EXPECT_TRUE(selection.IsSelected(1, 4));
    selection.OnKey(1, 4, true, false, &repaint); // the same cell again: nothing
    EXPECT_EQ(selection.GetBlockCount(), 1);
}
