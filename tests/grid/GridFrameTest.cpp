#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "grid/CUGCellFormat.h"
#include "grid/CUGSortArrowType.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/support/ScratchDir.h"

TEST(GridFrame, ANewGridHasNoCurrentCellAndTheDefaultSizes) {
    CUGCtrl grid;
    EXPECT_EQ(grid.GetCurrentCol(), -1);
    EXPECT_EQ(grid.GetCurrentRow(), -1);
    EXPECT_EQ(grid.GetTopHdgHeight(), 20);
    EXPECT_EQ(grid.gridInfo->GetTopHdgRowHeight(-1), 20);
    EXPECT_EQ(grid.GetSideHdgWidth(), 40);
    EXPECT_EQ(grid.gridInfo->GetSideHdgColWidth(-1), 25);
    grid.SetColCount(2);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.GetColumnWidth(1), 75);
    EXPECT_EQ(grid.GetRowHeight(1), 20);
    // Rows and columns make a current cell at the top left.
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
}

TEST(GridFrame, SizesOutOfRangeAreRefusedAndChangeNothing) {
    CUGCtrl grid;
    EXPECT_EQ(grid.SetColCount(32001), GRID_ERROR);
    EXPECT_EQ(grid.GetColCount(), 0);
    EXPECT_EQ(grid.SetColCount(-1), GRID_ERROR);
    EXPECT_EQ(grid.SetColCount(32000), GRID_SUCCESS);
    EXPECT_EQ(grid.GetColCount(), 32000);
    EXPECT_EQ(grid.SetRowCount(-1), GRID_ERROR);
    EXPECT_EQ(grid.SetStandardRowHeight(0), GRID_ERROR);
    EXPECT_EQ(grid.SetStandardRowHeight(1025), GRID_ERROR);
    EXPECT_EQ(grid.SetStandardRowHeight(1024), GRID_SUCCESS);
    EXPECT_EQ(grid.SetSideHdgWidth(1025), GRID_ERROR);
    EXPECT_EQ(grid.GetColumnWidth(32000), 1); // out of range
    // A side heading column is sized too, but answers 1; alone it carries the heading width.
    EXPECT_EQ(grid.SetColumnWidth(-1, 30), GRID_ERROR);
    EXPECT_EQ(grid.GetSideHdgWidth(), 30);
    EXPECT_EQ(grid.FreezeCols(32001), GRID_ERROR);
    EXPECT_EQ(grid.SetCurrentCellMode(4), GRID_ERROR);
}

TEST(GridFrame, SideHeadingColumnsScaleWithTheHeadingWidth) {
    CUGCtrl one;
    EXPECT_EQ(one.SetSideHdgWidth(80), GRID_SUCCESS);
    EXPECT_EQ(one.gridInfo->GetSideHdgColWidth(-1), 80);
    CUGCtrl two;
    two.SetSideHdgColCount(2); // 25 and a new 25
    two.gridInfo->sideHdgWidths = {25, 15};
    two.gridInfo->sideHdgWidth = 40;
    EXPECT_EQ(two.SetSideHdgWidth(80), GRID_SUCCESS);
    EXPECT_EQ(two.gridInfo->GetSideHdgColWidth(-1), 50);
    EXPECT_EQ(two.gridInfo->GetSideHdgColWidth(-2), 30);
}

TEST(GridFrame, ManyRowsShareOneHeightUntilSwitchedBack) {
    CUGCtrl grid;
    grid.SetRowCount(64001);
    EXPECT_EQ(grid.gridInfo->uniformRowHeight, 1);
    EXPECT_TRUE(grid.gridInfo->rowHeights.empty());
    grid.SetStandardRowHeight(17);
    grid.SetUniformRowHeight(FALSE);
    ASSERT_EQ(grid.gridInfo->rowHeights.size(), 64001u);
    EXPECT_EQ(grid.GetRowHeight(64000), 17);
}

TEST(GridFrame, CellTypeRegistryKeepsTheBuiltInsAndFallsBackToTheStandardType) {
    CUGCtrl grid;
    EXPECT_EQ(grid.GetCellType(0), &grid.standardType);
    EXPECT_EQ(grid.GetCellType(1), &grid.dropListType);
    EXPECT_EQ(grid.GetCellType(2), &grid.checkBoxType);
    EXPECT_EQ(grid.GetCellType(3), &grid.arrowType);
    EXPECT_EQ(grid.RegisterCellType(nullptr), -1);
    CUGSortArrowType arrow;
    EXPECT_EQ(grid.RegisterCellType(&arrow), 4);
    EXPECT_EQ(arrow.GetFrame(), &grid);
    EXPECT_EQ(arrow.GetTypeIndex(), 4);
    EXPECT_EQ(grid.GetCellType(4), &arrow);
    EXPECT_EQ(grid.GetCellType(-3), &grid.standardType);
    EXPECT_EQ(grid.GetCellType(9), &grid.standardType);
    grid.UnregisterCellType(4);
    EXPECT_EQ(grid.GetCellType(4), &grid.standardType);
}

TEST(GridFrame, FontsAreSharedByTheirParametersAndCounted) {
    CUGCtrl grid;
    auto reg = [&](int height, LPCTSTR face) {
        return grid.RegisterFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
    };
    int a = reg(-12, L"DejaVu Sans");
    int b = reg(-12, L"DejaVu Sans");
    int c = reg(-14, L"DejaVu Sans");
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    ASSERT_NE(grid.GetFont(a), nullptr);
    EXPECT_EQ(grid.UnregisterFont(a), GRID_SUCCESS);
    EXPECT_NE(grid.GetFont(a), nullptr); // still used once
    EXPECT_EQ(grid.UnregisterFont(a), GRID_SUCCESS);
    EXPECT_EQ(grid.GetFont(a), nullptr);
    // A face name too long for a font is taken as no name.
    int longName = reg(-12, L"A face name that is far too long for any font");
    EXPECT_EQ(reg(-12, L""), longName);
    EXPECT_EQ(grid.SetStandardFont(99), GRID_ERROR);
    EXPECT_EQ(grid.SetStandardFont(c), GRID_SUCCESS);
    EXPECT_EQ(grid.gridInfo->defFont, grid.GetFont(c));
}

TEST(GridFrame, BitmapsAndDataSourcesTakeFreeSlots) {
    CUGCtrl grid;
    EXPECT_EQ(grid.RegisterBitmap(L"/nonexistent/picture.bmp"), -1);
    ScratchDir dir;
    // A 2 x 1 24-bit BMP: blue, red (the row padded to 4 bytes).
    std::string bmp;
    auto put = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bmp += "BM";
    put(62, 4), put(0, 4), put(54, 4);                       // file header
    put(40, 4), put(2, 4), put(1, 4), put(1, 2), put(24, 2); // info header
    put(0, 4), put(8, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    put(0xFF0000, 3), put(0x0000FF, 3), put(0, 2); // blue, red (stored B G R)
    dir.Write("two.bmp", bmp);
    int index = grid.RegisterBitmap(dir.Wide("two.bmp").c_str());
    ASSERT_GE(index, 0);
    EXPECT_EQ(grid.GetBitmap(index)->Width(), 2);
    EXPECT_EQ(grid.UnregisterBitmap(index), GRID_SUCCESS);
    EXPECT_EQ(grid.GetBitmap(index), nullptr);

    EXPECT_EQ(grid.GetDataSource(0), grid.gridInfo->builtinStore.get());
    EXPECT_EQ(grid.RegisterDataSource(nullptr), -1);
    std::vector<std::unique_ptr<CUGMem>> stores;
    for (int i = 1; i <= 17; ++i) {
        stores.push_back(std::make_unique<CUGMem>());
        EXPECT_EQ(grid.RegisterDataSource(stores.back().get()), i); // grows past 16 slots
        EXPECT_EQ(stores.back()->GetSourceId(), i);
        EXPECT_EQ(stores.back()->GetGrid(), &grid);
    }
    EXPECT_EQ(grid.GetDataSource(99), nullptr);
    EXPECT_EQ(grid.SelectDataSource(99), GRID_ERROR);
    grid.SetColCount(2);
    ASSERT_EQ(grid.SelectDataSource(3), GRID_SUCCESS);
    grid.SetRowCount(1);
    grid.SetCellText(1, 0, L"kept elsewhere");
    CUGCell stored;
    EXPECT_EQ(stores[2]->GetCell(1, 0, &stored), 0);
    EXPECT_EQ(grid.gridInfo->builtinStore->GetCell(1, 0, &stored), 1);
}

namespace {
class Upper : public CUGCellFormat {
public:
    void ApplyFormat(CUGCell* cell) override { cell->SetText(CString(cell->GetText()) + L"!"); }
};
class FetchingGrid : public CUGCtrl {
public:
    void OnCellFetched(int col, long, CUGCell* cell) override {
        if (col == 1)
            cell->SetTextColor(RGB(1, 2, 3));
    }
};
} // namespace

TEST(GridFrame, CellsAreReadInLayersButWrittenWithoutTheirDefaults) {
    FetchingGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(3);
    CUGCell columnDefault;
    columnDefault.SetBackColor(RGB(200, 200, 255));
    grid.SetColumnDefaultCell(1, &columnDefault);
    EXPECT_EQ(grid.SetColumnDefaultCell(2, &columnDefault), GRID_ERROR);
    ASSERT_EQ(grid.SetCellText(1, 2, L"price"), GRID_SUCCESS);
    EXPECT_EQ(grid.GetCellText(1, 2), CString(L"price"));
    CUGCell stored;
    grid.FetchCellInto(1, 2, &stored);
    EXPECT_EQ(stored.GetPropertyMask(), CELLPROP_TEXT | CELLPROP_DATATYPE); // no default
    CUGCell shown;
    grid.GetCell(1, 2, &shown);
    EXPECT_EQ(shown.GetBackColor(), RGB(200, 200, 255)); // the column default underneath
    EXPECT_EQ(shown.GetTextColor(), RGB(1, 2, 3));       // the hook on top
    // Formatter and style cell come last.
    Upper upper;
    CUGCell style;
    style.SetAlignment(UG_ALIGNRIGHT);
    CUGCell extras;
    grid.FetchCellInto(1, 2, &extras);
    extras.SetFormatter(&upper);
    extras.SetStyleCell(&style);
    grid.SetCell(1, 2, &extras);
    grid.GetCell(1, 2, &shown);
    EXPECT_STREQ(shown.GetText(), L"price!");
    EXPECT_EQ(shown.GetAlignment(), UG_ALIGNRIGHT);
    // Headings and cells past the last column read the heading default.
    grid.GetCell(0, -1, &shown);
    EXPECT_EQ(shown.GetBorder(), UG_BDR_RAISED);
    grid.GetCell(5, 0, &shown);
    EXPECT_EQ(shown.GetBackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(grid.FetchCellInto(5, 0, &shown), GRID_ERROR);
}

TEST(GridFrame, TheGridDefaultCellReachesOnlyColumnsMadeAfterIt) {
    CUGCtrl grid;
    grid.SetColCount(1);
    CUGCell def;
    def.SetTextColor(RGB(9, 9, 9));
    grid.SetGridDefaultCell(&def);
    grid.SetColCount(2);
    CUGCell cell;
    grid.GetColumnDefaultCell(0, &cell);
    EXPECT_FALSE(cell.HasProperty(CELLPROP_TEXTCOLOR));
    grid.GetColumnDefaultCell(1, &cell);
    EXPECT_EQ(cell.GetTextColor(), RGB(9, 9, 9));
}

TEST(GridFrame, RowsAndColumnsInsertAndDeleteWithTheirData) {
    CUGCtrl grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    for (long r = 0; r < 3; ++r)
        grid.SetCellText(0, r, CString(static_cast<wchar_t>(L'a' + r)));
    EXPECT_EQ(grid.DeleteRow(grid.GetRowCount()), GRID_ERROR);
    EXPECT_EQ(grid.InsertRow(4), GRID_ERROR);
    EXPECT_EQ(grid.InsertRow(1), GRID_SUCCESS);
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetCellText(0, 2), CString(L"b"));
    EXPECT_EQ(grid.DeleteRow(0), GRID_SUCCESS);
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L""));
    EXPECT_EQ(grid.GetCellText(0, 1), CString(L"b"));
    EXPECT_EQ(grid.AppendRow(), GRID_SUCCESS);
    EXPECT_EQ(grid.GetRowCount(), 4);

    grid.SetCellText(1, 0, L"middle");
    grid.SetColumnWidth(1, 40);
    EXPECT_EQ(grid.InsertCol(1), GRID_SUCCESS);
    EXPECT_EQ(grid.GetColCount(), 4);
    EXPECT_EQ(grid.GetColumnWidth(1), 75);
    EXPECT_EQ(grid.GetColumnWidth(2), 40);
    EXPECT_EQ(grid.GetCellText(2, 0), CString(L"middle"));
    EXPECT_EQ(grid.DeleteCol(1), GRID_SUCCESS);
    EXPECT_EQ(grid.GetCellText(1, 0), CString(L"middle"));
    EXPECT_EQ(grid.DeleteCol(9), GRID_ERROR);
    // A moved column takes its data and width along.
    EXPECT_EQ(grid.MoveColPosition(1, 3), GRID_SUCCESS);
    EXPECT_EQ(grid.GetCellText(2, 0), CString(L"middle"));
    EXPECT_EQ(grid.GetColumnWidth(2), 40);
}

TEST(GridFrame, SpanCellsJoinsABlockAroundItsFirstCell) {
    CUGCtrl grid;
    grid.SetColCount(4);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.SpanCells(2, 1, 1, 2), GRID_ERROR); // start after end
    EXPECT_EQ(grid.SpanCells(1, 1, 4, 2), GRID_ERROR); // past the last column
    ASSERT_EQ(grid.SpanCells(1, 1, 2, 3), GRID_SUCCESS);
    int origin, colOffset, rowOffset;
    CUGCell cell;
    grid.FetchCellInto(2, 3, &cell);
    ASSERT_EQ(cell.GetSpan(&origin, &colOffset, &rowOffset), 0);
    EXPECT_EQ(origin, 0);
    EXPECT_EQ(colOffset, -1);
    EXPECT_EQ(rowOffset, -2);
    int col = 2, endCol;
    long row = 3, endRow;
    ASSERT_EQ(grid.GetJoinRange(&col, &row, &endCol, &endRow), GRID_SUCCESS);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(endCol, 2);
    EXPECT_EQ(endRow, 3);
}

TEST(GridFrame, TheDefaultEditKeyCheckKeepsPricesNumericAndFieldsFreeOfBars) {
    CUGCtrl grid;
    CWnd editor; // holds no text
    auto key = [&](int col, UINT k) { return grid.OnEditKeyCheck(col, 0, &editor, &k); };
    EXPECT_EQ(key(1, L'a'), 0);
    EXPECT_EQ(key(1, L'1'), 1);
    EXPECT_EQ(key(1, L'.'), 1);
    EXPECT_EQ(key(1, VK_BACK), 1);
    EXPECT_EQ(key(1, L'|'), 0);
    EXPECT_EQ(key(2, L'|'), 0);
    EXPECT_EQ(key(2, L'a'), 1);
    EXPECT_EQ(key(0, L'|'), 1);
    CString hint;
    grid.OnCellHintText(3, 12, UG_GRID, &hint);
    EXPECT_EQ(hint, CString(L"Col:3 Row:12"));
}
