#include <gtest/gtest.h>

#include "grid/CUGVScroll.h"
#include "tests/grid/GridTestSupport.h"

namespace {

// The cell area's pixels, row by row.
std::vector<COLORREF> CellAreaPixels(CUGCtrl& grid) {
    CClientDC dc(grid.grid.get());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < grid.gridInfo->gridHeight; ++y)
        for (int x = 0; x < grid.gridInfo->gridWidth; ++x)
            pixels.push_back(dc.GetPixel(x, y));
    return pixels;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

class LaidOutGrid : public ::testing::Test {
protected:
    // A frame of 400 x 250: 360 x 230 for the cells when no bar shows.
    void Make(int cols, long rows, int height = 250) {
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, height), &window, 1));
        grid.SetColCount(cols);
        grid.SetRowCount(rows);
        for (int c = 0; c < cols; ++c)
            for (long r = 0; r < std::min(rows, 200L); ++r)
                grid.SetCellText(c, r,
                                 (L"r" + std::to_wstring(r) + L" c" + std::to_wstring(c)).c_str());
        grid.RepaintAll();
        Settle();
    }
    bool VShown() { return Width(grid.gridInfo->vScrollRect) > 0; }
    bool HShown() { return Height(grid.gridInfo->hScrollRect) > 0; }

    GridWindow window{CRect(40, 40, 440, 300)};
    CUGCtrl grid;
};

} // namespace

TEST_F(LaidOutGrid, ScrollBarsShowOnlyWhileTheCellsDoNotFit) {
    Make(4, 5);
    EXPECT_FALSE(VShown());
    EXPECT_FALSE(HShown());
    EXPECT_EQ(grid.gridInfo->gridWidth, 360);
    EXPECT_EQ(grid.gridInfo->gridHeight, 230);
    SaveShot(window, "scroll-bars-hidden");
    // Twelve rows no longer fit: the vertical bar comes; the columns still fit beside it.
    grid.SetRowCount(12);
    EXPECT_TRUE(VShown());
    EXPECT_FALSE(HShown());
    EXPECT_EQ(Width(grid.gridInfo->vScrollRect), 17);
    EXPECT_EQ(grid.gridInfo->gridWidth, 343);
    // Columns of 348 pixels fit the cell area but not beside the bar: both bars.
    for (int c = 0; c < 4; ++c)
        grid.SetColumnWidth(c, 87);
    EXPECT_TRUE(VShown());
    EXPECT_TRUE(HShown());
    Settle();
    SaveShot(window, "scroll-bars-shown");
    // With the rows fitting again both go, since the columns fit without the bar.
    grid.SetRowCount(5);
    EXPECT_FALSE(VShown());
    EXPECT_FALSE(HShown());
}

TEST_F(LaidOutGrid, TheVerticalBarCountsInThousandthsBeyondAThousandFirstRows) {
    Make(4, 5010, 220); // 10 rows of 20 fit the 200 pixels of cells: the last first row is 5000
    EXPECT_EQ(grid.gridInfo->maxTopRow, 5000);
    int low = -1, high = -1;
    grid.vScroll->GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1000);
    grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 500),
                     reinterpret_cast<LPARAM>(grid.vScroll.get()));
    EXPECT_EQ(grid.GetTopRow(), 2500);
    EXPECT_EQ(grid.vScroll->GetScrollPos(), 500);
    // Up to a thousand first rows one bar unit is one row.
    grid.SetRowCount(1010);
    EXPECT_EQ(grid.gridInfo->maxTopRow, 1000);
    grid.vScroll->GetScrollRange(&low, &high);
    EXPECT_EQ(high, 1000 + 10 - 1);
    grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 500),
                     reinterpret_cast<LPARAM>(grid.vScroll.get()));
    EXPECT_EQ(grid.GetTopRow(), 500);
    // Locked rows start the range.
    grid.FreezeRows(2);
    grid.vScroll->GetScrollRange(&low, &high);
    EXPECT_EQ(low, 2);
    // The arrows scroll the view alone.
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(grid.vScroll.get()));
    EXPECT_EQ(grid.GetTopRow(), 3);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
}

TEST_F(LaidOutGrid, EachWheelNotchScrollsThreeRows) {
    Make(4, 100);
    grid.grid->SetFocus();
    auto wheel = [&](int delta) {
        ui::PostInput(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), POINT{100, 100}, 0);
        Settle();
        return grid.GetTopRow();
    };
    EXPECT_EQ(wheel(-120), 3);
    EXPECT_EQ(wheel(-240), 9);
    EXPECT_EQ(wheel(120), 6);
    EXPECT_EQ(wheel(-100), 6); // less than a notch scrolls nothing
}

TEST_F(LaidOutGrid, ScrolledPixelsEqualAFullRepaint) {
    for (int buffered : {0, 1}) {
        SCOPED_TRACE(buffered ? "double buffered" : "direct");
        CUGCtrl fresh;
        ASSERT_TRUE(fresh.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 250), &window, 2));
        fresh.SetDoubleBufferMode(buffered);
        fresh.SetColCount(12);
        fresh.SetRowCount(300);
        fresh.FreezeCols(1);
        for (int c = 0; c < 12; ++c)
            for (long r = 0; r < 300; ++r)
                fresh.SetCellText(c, r, (std::to_wstring(r) + L"/" + std::to_wstring(c)).c_str());
        fresh.RepaintAll();
        fresh.grid->SetFocus();
        Settle();
        for (auto move : {+1L, +2L, -1L, +40L}) {
            fresh.SetTopRow(fresh.GetTopRow() + move);
            auto scrolled = CellAreaPixels(fresh);
            int painted = fresh.grid->LastPaintStats().pixelRowsPainted;
            fresh.RepaintAll();
            EXPECT_EQ(scrolled, CellAreaPixels(fresh)) << "rows moved by " << move;
            if (move == 1) { // the uncovered band and the current cell, not the whole area
                EXPECT_LE(painted, 3 * 20);
            }
            if (move == 40) { // farther than a screen: everything again
                EXPECT_GE(painted, fresh.gridInfo->gridHeight - 20);
            }
        }
        for (int move : {+1, +3, -2}) {
            fresh.SetLeftCol(fresh.GetLeftCol() + move);
            auto scrolled = CellAreaPixels(fresh);
            fresh.RepaintAll();
            EXPECT_EQ(scrolled, CellAreaPixels(fresh)) << "columns moved by " << move;
        }
        fresh.DestroyWindow();
    }
}
