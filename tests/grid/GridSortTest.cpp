#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGMem.h"

#include <tchar.h>

namespace {

// Orders column texts without case and records the flags it was asked with.
class CaseBlindGrid : public CUGCtrl {
public:
    std::vector<int> flagsSeen;
    int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) override {
        flagsSeen.push_back(flags);
        if (flags & UG_SORT_DESCENDING)
            std::swap(cell1, cell2);
        if (!cell1 || !cell2)
            return cell1 ? 1 : (cell2 ? -1 : 0);
        return _wcsicmp(cell1->GetText(), cell2->GetText());
    }
};

void Fill(CUGCtrl& grid, const std::vector<std::vector<std::wstring>>& rows) {
    grid.SetColCount(static_cast<int>(rows.front().size()));
    grid.SetRowCount(static_cast<long>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].empty())
                grid.SetCellText(static_cast<int>(c), static_cast<long>(r), rows[r][c].c_str());
}

std::wstring Column(CUGCtrl& grid, int col) {
    std::wstring out;
    for (long r = 0; r < grid.GetRowCount(); ++r) {
        if (r)
            out += L',';
        out += grid.GetCellText(col, r).GetString();
    }
    return out;
}

} // namespace

TEST(GridSort, RowsMoveWholeInTheHooksOrderAndTiesKeepTheirPlaces) {
    CaseBlindGrid grid;
    Fill(grid, {{L"pear", L"1"}, {L"Apple", L"2"}, {L"apple", L"3"}, {L"fig", L"4"}});
    EXPECT_EQ(grid.SortRowsBy(0, UG_SORT_ASCENDING), GRID_SUCCESS);
    EXPECT_EQ(Column(grid, 0), L"Apple,apple,fig,pear");
    EXPECT_EQ(Column(grid, 1), L"2,3,4,1"); // the other column travelled with its row
    EXPECT_EQ(grid.SortRowsBy(0, UG_SORT_DESCENDING | 0x10), GRID_SUCCESS);
    EXPECT_EQ(Column(grid, 0), L"pear,fig,Apple,apple"); // equal names still 2 before 3
    ASSERT_FALSE(grid.flagsSeen.empty());
    EXPECT_EQ(grid.flagsSeen.back(), UG_SORT_DESCENDING | 0x10); // extra bits reach the hook
}

TEST(GridSort, LaterKeysDecideWhereEarlierOnesTie) {
    CaseBlindGrid grid;
    Fill(grid, {{L"b", L"y"}, {L"a", L"z"}, {L"b", L"x"}, {L"a", L"y"}});
    int keys[] = {0, 1};
    EXPECT_EQ(grid.SortRowsBy(keys, 2, UG_SORT_ASCENDING), GRID_SUCCESS);
    EXPECT_EQ(Column(grid, 0) + L"|" + Column(grid, 1), L"a,a,b,b|y,z,x,y");
}

TEST(GridSort, AMovedColumnSortsByTheTextItShows) {
    CaseBlindGrid grid;
    Fill(grid, {{L"1", L"c"}, {L"2", L"a"}, {L"3", L"b"}});
    ASSERT_EQ(grid.MoveColPosition(1, 0), GRID_SUCCESS); // the letters are now column 0
    ASSERT_EQ(Column(grid, 0), L"c,a,b");
    grid.SortRowsBy(0, UG_SORT_ASCENDING);
    EXPECT_EQ(Column(grid, 0), L"a,b,c");
    EXPECT_EQ(Column(grid, 1), L"2,3,1");
}

TEST(GridSort, TheDefaultOrderReadsNumbersAsNumbersAndPutsMissingCellsFirst) {
    CUGCtrl grid;
    Fill(grid, {{L"10"}, {L"9"}, {L""}, {L"100"}});
    grid.SortRowsBy(0, UG_SORT_ASCENDING);
    EXPECT_EQ(Column(grid, 0), L",10,100,9"); // texts compare character by character
    CUGCell cell;
    for (long r = 0; r < 4; ++r) {
        grid.FetchCellInto(0, r, &cell);
        if (cell.GetText() && *cell.GetText()) {
            cell.SetDataType(UGCELLDATA_NUMBER);
            grid.SetCell(0, r, &cell);
        }
    }
    grid.SortRowsBy(0, UG_SORT_ASCENDING);
    EXPECT_EQ(Column(grid, 0), L",9,10,100");
    grid.SortRowsBy(0, UG_SORT_DESCENDING);
    EXPECT_EQ(Column(grid, 0), L"100,10,9,");
}

TEST(GridSort, ASourceWithoutASortAnswersSoAndBadColumnsAreRefused) {
    CaseBlindGrid grid;
    Fill(grid, {{L"b"}, {L"a"}});
    EXPECT_EQ(grid.SortRowsBy(1, UG_SORT_ASCENDING), GRID_ERROR);
    EXPECT_EQ(grid.SortRowsBy(nullptr, 1, UG_SORT_ASCENDING), GRID_ERROR);
    EXPECT_EQ(Column(grid, 0), L"b,a");

    CUGDataSource readOnly;
    grid.SelectDataSource(grid.RegisterDataSource(&readOnly));
    EXPECT_EQ(grid.SortRowsBy(0, UG_SORT_ASCENDING), UG_NA);

    // A store the application registers sorts through the same hook.
    CUGMem store;
    grid.SelectDataSource(grid.RegisterDataSource(&store));
    CUGCell cell;
    cell.SetText(L"B");
    grid.SetCell(0, 0, &cell);
    cell.SetText(L"a");
    grid.SetCell(0, 1, &cell);
    grid.flagsSeen.clear();
    EXPECT_EQ(grid.SortRowsBy(0, UG_SORT_ASCENDING), GRID_SUCCESS);
    EXPECT_FALSE(grid.flagsSeen.empty());
    EXPECT_EQ(Column(grid, 0), L"a,B");
}
