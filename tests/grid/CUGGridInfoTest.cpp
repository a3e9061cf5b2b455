#include "grid/CUGGridInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(CUGGridInfo, NewSheetStartsWithTheDesktopDefaults) {
    CUGGridInfo info;
    EXPECT_EQ(info.currentCol, -1);
    EXPECT_EQ(info.currentRow, -1);
    EXPECT_EQ(info.numberTopHdgRows, 1);
    EXPECT_EQ(info.topHdgHeights, std::vector<int>{20});
    EXPECT_EQ(info.topHdgHeight, 20);
    EXPECT_EQ(info.numberSideHdgCols, 1);
    EXPECT_EQ(info.sideHdgWidths, std::vector<int>{25});
    EXPECT_EQ(info.sideHdgWidth, 40);
    EXPECT_EQ(info.defColWidth, 75);
    EXPECT_EQ(info.defRowHeight, 20);
    ASSERT_TRUE(info.builtinStore);
    EXPECT_EQ(info.defDataSource, info.builtinStore.get());
    EXPECT_EQ(info.defDataSourceIndex, 0);
    EXPECT_EQ(info.builtinStore->GetSourceId(), 0);
    EXPECT_EQ(info.builtinStore->GetGridInfo(), &info);

    EXPECT_EQ(info.gridDefault->GetPropertyMask(), 0u);
    EXPECT_EQ(info.headingDefault->GetBackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(info.headingDefault->GetBorder(), 0x2000);
    EXPECT_EQ(info.headingDefault->GetAlignment(), 0x24);
    EXPECT_EQ(info.headingDefault->GetText(), nullptr);
}

TEST(CUGGridInfo, HeadingSizesRescaleTheirRowsAndColumnsInProportion) {
    CUGGridInfo info;
    EXPECT_EQ(info.SetSideHdgWidth(80), 0);
    EXPECT_EQ(info.sideHdgWidths, std::vector<int>{80});
    EXPECT_EQ(info.sideHdgWidth, 80);

    info.numberSideHdgCols = 2;
    info.sideHdgWidths = {25, 15};
    EXPECT_EQ(info.SetSideHdgWidth(80), 0);
    EXPECT_EQ(info.sideHdgWidths, (std::vector<int>{50, 30}));

    info.numberTopHdgRows = 3;
    info.topHdgHeights = {10, 10, 10};
    EXPECT_EQ(info.SetTopHdgHeight(20), 0);
    EXPECT_EQ(info.topHdgHeights, (std::vector<int>{7, 7, 7})); // 6.67 rounds to 7
    EXPECT_EQ(info.GetTopHdgRowHeight(-1), 7);
    EXPECT_EQ(info.GetTopHdgRowHeight(-4), 0);
    EXPECT_EQ(info.GetTopHdgRowHeight(0), 0);

    EXPECT_EQ(info.SetTopHdgHeight(1025), 1);
    EXPECT_EQ(info.SetTopHdgHeight(-1), 1);
    EXPECT_EQ(info.SetSideHdgWidth(1025), 1);
    EXPECT_EQ(info.topHdgHeight, 20);
    EXPECT_EQ(info.SetTopHdgHeight(0), 0);
    EXPECT_EQ(info.topHdgHeights, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(info.SetTopHdgHeight(30), 0); // from nothing: the outermost row takes it all
    EXPECT_EQ(info.topHdgHeights, (std::vector<int>{0, 0, 30}));

    // A side heading column's width is set but answers 1; with one column the heading
    // width follows it.
    CUGGridInfo single;
    EXPECT_EQ(single.SetColumnWidth(-1, 60), 1);
    EXPECT_EQ(single.sideHdgWidths, std::vector<int>{60});
    EXPECT_EQ(single.sideHdgWidth, 60);
    EXPECT_EQ(single.SetColumnWidth(-2, 10), 1);
    EXPECT_EQ(single.SetColumnWidth(-1, 1025), 1);
    EXPECT_EQ(single.sideHdgWidth, 60);
    EXPECT_EQ(single.GetSideHdgColWidth(-1), 60);
}

TEST(CUGGridInfo, RowCountsHeightsAndTheUniformSwitch) {
    CUGGridInfo info;
    EXPECT_EQ(info.SetRowCount(-1), 1);
    ASSERT_EQ(info.SetRowCount(10), 0);
    EXPECT_EQ(info.rowHeights.size(), 10u);
    EXPECT_EQ(info.SetRowHeight(3, 35), 0);
    EXPECT_EQ(info.GetRowHeight(3), 35);
    EXPECT_EQ(info.GetRowHeight(4), 20);
    EXPECT_EQ(info.GetRowHeight(10), 0);
    EXPECT_EQ(info.SetRowHeight(10, 5), 1);
    EXPECT_EQ(info.SetRowHeight(2, 0), 0); // a hidden row

    EXPECT_EQ(info.SetStandardRowHeight(0), 1);
    EXPECT_EQ(info.SetStandardRowHeight(1025), 1);
    EXPECT_EQ(info.defRowHeight, 20);
    EXPECT_EQ(info.SetStandardRowHeight(1024), 0);
    EXPECT_EQ(info.SetStandardRowHeight(1), 0);
    EXPECT_EQ(info.SetStandardRowHeight(22), 0);
    EXPECT_EQ(info.SetRowCount(12), 0);
    EXPECT_EQ(info.GetRowHeight(11), 22); // new rows take the default height
    EXPECT_EQ(info.GetRowHeight(3), 35);

    EXPECT_EQ(info.SetRowCount(64000), 0);
    EXPECT_EQ(info.uniformRowHeight, 0);
    EXPECT_EQ(info.SetRowCount(64001), 0);
    EXPECT_EQ(info.uniformRowHeight, 1);
    EXPECT_TRUE(info.rowHeights.empty());
    EXPECT_EQ(info.GetRowHeight(64000), 22);
    EXPECT_EQ(info.GetRowHeight(3), 22);
    EXPECT_EQ(info.SetRowHeight(5, 30), 0); // one height for all
    EXPECT_EQ(info.GetRowHeight(0), 30);
    EXPECT_EQ(info.SetUniformRowHeight(0), 0);
    EXPECT_EQ(info.rowHeights.size(), 64001u);
    EXPECT_EQ(info.GetRowHeight(64000), 30);

    // The current row and the locked rows follow a shrinking count.
    info.currentRow = info.lastRow = info.dragRow = 8;
    EXPECT_EQ(info.FreezeRows(3), 0);
    EXPECT_EQ(info.topRow, 3);
    EXPECT_EQ(info.lockedRowsHeight, 90);
    EXPECT_EQ(info.SetRowCount(5), 0);
    EXPECT_EQ(info.currentRow, 4);
    EXPECT_EQ(info.dragRow, 4);
    EXPECT_EQ(info.SetRowCount(2), 0);
    EXPECT_EQ(info.lockedRows, 1);
    EXPECT_EQ(info.lockedRowsHeight, 30);
    EXPECT_EQ(info.FreezeRows(3), 1);
}

TEST(CUGGridInfo, ColumnTableTakesTheDefaultsOfItsTime) {
    CUGGridInfo info;
    EXPECT_EQ(info.SetColCount(32001), 1);
    EXPECT_EQ(info.SetColCount(-1), 1);
    EXPECT_EQ(info.numberCols, 0);
    info.gridDefault->SetText(L"first default");
    ASSERT_EQ(info.SetColCount(3), 0);
    info.gridDefault->SetText(L"second default");
    ASSERT_EQ(info.SetColCount(4), 0);
    EXPECT_STREQ(info.colInfo[0].defaultCell->GetText(), L"first default");
    EXPECT_STREQ(info.colInfo[3].defaultCell->GetText(), L"second default");
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(info.colInfo[c].width, 75);
        EXPECT_EQ(info.colInfo[c].dataSource, info.builtinStore.get());
        EXPECT_EQ(info.colInfo[c].dataColumn, c);
    }
    EXPECT_EQ(info.GetColumnWidth(4), 1);
    EXPECT_EQ(info.GetColumnWidth(-1), 1);

    EXPECT_EQ(info.FreezeCols(2), 0);
    EXPECT_EQ(info.leftCol, 2);
    EXPECT_EQ(info.SetColumnWidth(1, 100), 0);
    EXPECT_EQ(info.lockedColsWidth, 175);
    EXPECT_EQ(info.SetColumnWidth(1, -1), 1);
    EXPECT_EQ(info.SetStandardColWidth(-1), 1);
    EXPECT_EQ(info.SetStandardColWidth(50), 0);

    EXPECT_EQ(info.InsertColumnEntry(1), 0);
    EXPECT_EQ(info.numberCols, 5);
    EXPECT_EQ(info.colInfo[1].width, 50);
    EXPECT_EQ(info.colInfo[1].dataColumn, 1);
    EXPECT_EQ(info.colInfo[2].width, 100);
    EXPECT_EQ(info.lockedColsWidth, 125);
    EXPECT_EQ(info.InsertColumnEntry(6), 1);
    EXPECT_EQ(info.RemoveColumnEntry(0), 0);
    EXPECT_EQ(info.colInfo[0].width, 50);
    EXPECT_EQ(info.RemoveColumnEntry(4), 1);

    info.currentCol = info.dragCol = 3;
    EXPECT_EQ(info.SetColCount(2), 0); // locked columns shrink below the count
    EXPECT_EQ(info.lockedCols, 1);
    EXPECT_EQ(info.currentCol, 1);
    EXPECT_EQ(info.dragCol, 1);
    EXPECT_EQ(info.SetColCount(32000), 0);
    EXPECT_EQ(info.numberCols, 32000);
    EXPECT_EQ(info.InsertColumnEntry(0), 1); // no room past the limit
}

TEST(CUGGridInfo, SwitchesRefuseValuesOutsideTheirRange) {
    CUGGridInfo info;
    struct Range {
        int (CUGGridInfo::*set)(int);
        int CUGGridInfo::*field;
        int low, high;
    };
    const Range ranges[] = {
        {&CUGGridInfo::SetCurrentCellMode, &CUGGridInfo::currentCellMode, 0, 3},
        {&CUGGridInfo::SetThreeDBorderWidth, &CUGGridInfo::threeDBorderWidth, 1, 16},
        {&CUGGridInfo::SetMouseAccelMode, &CUGGridInfo::mouseAccelMode, 0, 3},
        {&CUGGridInfo::SetMouseAccelDelay, &CUGGridInfo::mouseAccelDelay, 0, 32000},
        {&CUGGridInfo::SetKeyAccelMode, &CUGGridInfo::keyAccelMode, 0, 1000},
        {&CUGGridInfo::SetVScrollWidth, &CUGGridInfo::vScrollWidth, 0, 1024},
        {&CUGGridInfo::SetHScrollHeight, &CUGGridInfo::hScrollHeight, 0, 1024},
    };
    for (const Range& r : ranges) {
        EXPECT_EQ((info.*r.set)(r.low - 1), 1);
        EXPECT_EQ((info.*r.set)(r.high + 1), 1);
        EXPECT_EQ((info.*r.set)(r.high), 0);
        EXPECT_EQ(info.*r.field, r.high);
        EXPECT_EQ((info.*r.set)(r.low), 0);
        EXPECT_EQ(info.*r.field, r.low);
    }
    EXPECT_EQ(info.SetKeyAccelDelay(-1), 1);
    EXPECT_EQ(info.SetTabWidth(-5), 1);
}

} // namespace
