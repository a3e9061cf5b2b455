#include "grid/CUGMem.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "grid/CUGCell.h"
#include "grid/CUGGridInfo.h"

namespace {

// A sheet with its built-in store, sized like a grid would size it.
struct Sheet {
    explicit Sheet(int cols = 4, long rows = 6) {
        info.SetColCount(cols);
        info.SetRowCount(rows);
    }
    CUGMem& store() { return *info.builtinStore; }
    void Put(int col, long row, const wchar_t* text) {
        CUGCell cell;
        cell.SetText(text);
        ASSERT_EQ(store().SetCell(col, row, &cell), 0);
    }
    CString Text(int col, long row) {
        CUGCell cell;
        if (store().GetCell(col, row, &cell) != 0)
            return L"<none>";
        return cell.GetText() ? CString(cell.GetText()) : CString(L"<no text>");
    }
    CUGGridInfo info;
};

TEST(CUGMem, EmptyStoreHoldsNothingAndChangesNothing) {
    Sheet sheet;
    CUGMem& store = sheet.store();
    CUGCell cell;
    cell.SetText(L"caller's");
    EXPECT_EQ(store.GetCell(0, 0, &cell), 1);
    EXPECT_STREQ(cell.GetText(), L"caller's");
    EXPECT_EQ(store.DeleteCell(0, 0), 1);
    EXPECT_EQ(store.InsertRow(0), 0);
    EXPECT_EQ(store.DeleteRow(0), 0);
    EXPECT_EQ(store.InsertCol(0), 1);
    EXPECT_EQ(store.DeleteCol(0), 1);
    EXPECT_EQ(store.SeekRow(0), 1);
    int col = 0;
    long row = 0;
    CString text(L"x");
    EXPECT_EQ(store.SearchFirst(&text, &col, &row, SEARCH_ALLCOLS), 1);
    EXPECT_EQ(store.FindPrevNonEmptyCol(&col, 0), 1);
    EXPECT_EQ(store.SortRowsBy(0, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(store.SetCell(0, 0, nullptr), 1);
    EXPECT_EQ(store.SeekRow(0), 1); // reading and refused writes created no nodes
}

TEST(CUGMem, SetCellCreatesRowsAndColumnsUpToTheIndexWritten) {
    Sheet sheet;
    CUGMem& store = sheet.store();
    sheet.Put(5, 3, L"far");
    for (long r = 0; r <= 3; ++r)
        EXPECT_EQ(store.SeekRow(r), 0) << r;
    EXPECT_EQ(store.SeekRow(4), 1);
    ASSERT_EQ(store.SeekRow(3), 0);
    EXPECT_EQ(store.SeekCol(5), 0);
    EXPECT_EQ(store.SeekCol(0), 0);
    EXPECT_EQ(store.SeekCol(6), 1);
    ASSERT_EQ(store.SeekRow(2), 0);
    EXPECT_EQ(store.SeekCol(0), 1); // rows on the way have no columns
    CUGCell probe;
    EXPECT_EQ(store.GetCell(2, 3, &probe), 1); // column node without a cell
    EXPECT_EQ(probe.GetPropertyMask(), 0u);
    EXPECT_EQ(sheet.Text(5, 3), L"far");
    EXPECT_EQ(sheet.Text(5, 2), L"<none>");
}

TEST(CUGMem, ReadMergesAndWriteReplaces) {
    Sheet sheet;
    CUGMem& store = sheet.store();
    CUGCell stored;
    stored.SetText(L"t");
    stored.SetBackColor(RGB(1, 2, 3));
    store.SetCell(1, 1, &stored);

    CUGCell shown;
    shown.SetTextColor(RGB(9, 9, 9));
    shown.SetBackColor(RGB(8, 8, 8));
    ASSERT_EQ(store.GetCell(1, 1, &shown), 0);
    EXPECT_EQ(shown.GetTextColor(), RGB(9, 9, 9)); // kept: the store does not set it
    EXPECT_EQ(shown.GetBackColor(), RGB(1, 2, 3)); // the stored value wins
    EXPECT_STREQ(shown.GetText(), L"t");

    CUGCell colourOnly;
    colourOnly.SetAlignment(UG_ALIGNRIGHT);
    store.SetCell(1, 1, &colourOnly);
    EXPECT_EQ(sheet.Text(1, 1), L"<no text>");

    EXPECT_EQ(store.DeleteCell(1, 1), 0);
    EXPECT_EQ(sheet.Text(1, 1), L"<none>");
    EXPECT_EQ(store.DeleteCell(1, 1), 0); // the node is still there
    EXPECT_EQ(store.DeleteCell(9, 1), 1);
    EXPECT_EQ(store.DeleteCell(1, 9), 1);
}

TEST(CUGMem, HeadingCellsLiveAtNegativeIndexesBesideTheData) {
    Sheet sheet;
    sheet.Put(1, 1, L"data");
    sheet.Put(-1, -1, L"corner");
    sheet.Put(0, -1, L"title 0");
    sheet.Put(1, -1, L"title 1");
    sheet.Put(-1, 0, L"side 0");
    sheet.Put(-2, 1, L"outer side 1");
    EXPECT_EQ(sheet.Text(-1, -1), L"corner");
    EXPECT_EQ(sheet.Text(0, -1), L"title 0");
    EXPECT_EQ(sheet.Text(1, -1), L"title 1");
    EXPECT_EQ(sheet.Text(-1, 0), L"side 0");
    EXPECT_EQ(sheet.Text(-2, 1), L"outer side 1");
    EXPECT_EQ(sheet.Text(-1, 1), L"<none>");
    EXPECT_EQ(sheet.Text(1, 1), L"data");
    EXPECT_EQ(sheet.Text(0, 0), L"<none>");
}

TEST(CUGMem, RowInsertionAndDeletionShiftTheRowsBelow) {
    Sheet sheet;
    CUGMem& store = sheet.store();
    for (long r = 0; r < 4; ++r)
        sheet.Put(0, r, CString(L"r") + static_cast<wchar_t>(L'0' + r));
    EXPECT_EQ(store.InsertRow(10), 0); // past the stored rows: nothing to do
    EXPECT_EQ(store.SeekRow(4), 1);

    EXPECT_EQ(store.InsertRow(1), 0);
    EXPECT_EQ(sheet.Text(0, 0), L"r0");
    EXPECT_EQ(sheet.Text(0, 1), L"<none>");
    EXPECT_EQ(sheet.Text(0, 2), L"r1");
    EXPECT_EQ(sheet.Text(0, 4), L"r3");

    EXPECT_EQ(store.DeleteRow(0), 0);
    EXPECT_EQ(sheet.Text(0, 0), L"<none>");
    EXPECT_EQ(sheet.Text(0, 1), L"r1");
    EXPECT_EQ(store.DeleteRow(3), 0); // the last row: the cache falls back a row
    EXPECT_EQ(store.SeekRow(3), 1);
    EXPECT_EQ(sheet.Text(0, 2), L"r2");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(store.DeleteRow(0), 0);
    EXPECT_EQ(store.SeekRow(0), 1); // empty again
    sheet.Put(2, 1, L"again");
    EXPECT_EQ(sheet.Text(2, 1), L"again");
}

TEST(CUGMem, ColumnInsertionAndDeletionKeepTheDataColumnsInStep) {
    Sheet sheet(3, 3);
    CUGMem& store = sheet.store();
    for (long r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            sheet.Put(c, r, CString(L"c") + static_cast<wchar_t>(L'0' + c));
    sheet.Put(0, 2, L"short row");

    EXPECT_EQ(store.InsertCol(1), 0);
    EXPECT_EQ(sheet.Text(0, 0), L"c0");
    EXPECT_EQ(sheet.Text(1, 0), L"<none>");
    EXPECT_EQ(sheet.Text(2, 1), L"c1");
    EXPECT_EQ(sheet.Text(3, 1), L"c2");
    EXPECT_EQ(sheet.Text(0, 2), L"short row");
    EXPECT_EQ(sheet.info.colInfo[0].dataColumn, 0);
    EXPECT_EQ(sheet.info.colInfo[1].dataColumn, 2);
    EXPECT_EQ(sheet.info.colInfo[2].dataColumn, 3);

    EXPECT_EQ(store.InsertCol(0), 0); // before the first node of every row
    EXPECT_EQ(sheet.Text(1, 0), L"c0");
    EXPECT_EQ(sheet.Text(1, 2), L"short row");
    EXPECT_EQ(store.DeleteCol(0), 0); // the first node goes, its successor takes index 0
    EXPECT_EQ(sheet.Text(0, 0), L"c0");
    EXPECT_EQ(sheet.Text(0, 2), L"short row");

    // The last node of a row stays, empty; the earlier ones are unlinked.
    EXPECT_EQ(store.DeleteCol(3), 0);
    EXPECT_EQ(sheet.Text(3, 0), L"<none>");
    ASSERT_EQ(store.SeekRow(0), 0);
    EXPECT_EQ(store.SeekCol(3), 0);
    EXPECT_EQ(store.DeleteCol(1), 0);
    EXPECT_EQ(sheet.Text(1, 0), L"c1");
    EXPECT_EQ(sheet.Text(2, 0), L"<none>");
    ASSERT_EQ(store.SeekRow(1), 0);
    EXPECT_EQ(store.SeekCol(3), 1);
}

TEST(CUGMem, InsertColStartsFromTheGridColumnShowingThatDataColumn) {
    Sheet sheet(3, 1);
    for (int c = 0; c < 3; ++c)
        sheet.Put(c, 0, CString(L"c") + static_cast<wchar_t>(L'0' + c));
    // Columns shown in reverse: grid column 2 shows data column 0.
    sheet.info.colInfo[0].dataColumn = 2;
    sheet.info.colInfo[2].dataColumn = 0;
    EXPECT_EQ(sheet.store().InsertCol(0), 0);
    EXPECT_EQ(sheet.Text(0, 0), L"c0");
    EXPECT_EQ(sheet.Text(2, 0), L"<none>");
    EXPECT_EQ(sheet.Text(3, 0), L"c2");
    EXPECT_EQ(sheet.info.colInfo[0].dataColumn, 3);
    EXPECT_EQ(sheet.info.colInfo[1].dataColumn, 1);
    EXPECT_EQ(sheet.info.colInfo[2].dataColumn, 0);
}

TEST(CUGMem, OneColumnSearchWrapsAroundAndVisitsEveryRow) {
    Sheet sheet(3, 6);
    CUGMem& store = sheet.store();
    sheet.Put(1, 0, L"needle");
    sheet.Put(1, 2, L"hay");
    sheet.Put(0, 3, L"needle"); // another column: not looked at
    CString text(L"needle");
    int col = 1;
    long row = 4;
    ASSERT_EQ(store.SearchFirst(&text, &col, &row, 0), 0);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 0);
    ASSERT_EQ(store.SearchNext(&text, &col, &row, 0), 0); // round the grid, rows 4..5 unheld
    EXPECT_EQ(row, 0);
    ASSERT_EQ(store.SearchNext(&text, &col, &row, SEARCH_UP), 0);
    EXPECT_EQ(row, 0);

    CString missing(L"pin");
    col = 1;
    row = 2;
    EXPECT_EQ(store.SearchNext(&missing, &col, &row, 0), 1);
    EXPECT_EQ(row, 2); // unchanged when nothing is found
    CString hay(L"HAY");
    EXPECT_EQ(store.SearchFirst(&hay, &col, &row, 0), 1);
    ASSERT_EQ(store.SearchFirst(&hay, &col, &row, SEARCH_NOCASE), 0);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(hay, L"HAY");
}

TEST(CUGMem, PartialCaseAndDirectionFlags) {
    Sheet sheet(2, 5);
    CUGMem& store = sheet.store();
    sheet.Put(0, 0, L"Pineapple");
    sheet.Put(0, 1, L"apple");
    sheet.Put(0, 3, L"APPLE pie");
    CString app(L"app");
    int col = 0;
    long row = 0;
    ASSERT_EQ(store.SearchFirst(&app, &col, &row, SEARCH_PARTIAL), 0);
    EXPECT_EQ(row, 0);
    ASSERT_EQ(store.SearchNext(&app, &col, &row, SEARCH_PARTIAL), 0);
    EXPECT_EQ(row, 1);
    ASSERT_EQ(store.SearchNext(&app, &col, &row, SEARCH_PARTIAL), 0);
    EXPECT_EQ(row, 0); // "APPLE pie" needs SEARCH_NOCASE
    ASSERT_EQ(store.SearchNext(&app, &col, &row, SEARCH_PARTIAL | SEARCH_NOCASE), 0);
    EXPECT_EQ(row, 1);
    ASSERT_EQ(store.SearchNext(&app, &col, &row, SEARCH_PARTIAL | SEARCH_NOCASE), 0);
    EXPECT_EQ(row, 3);

    // Backwards from the start goes to the bottom first.
    ASSERT_EQ(store.SearchFirst(&app, &col, &row, SEARCH_PARTIAL | SEARCH_NOCASE | SEARCH_UP), 0);
    EXPECT_EQ(row, 3);
    ASSERT_EQ(store.SearchNext(&app, &col, &row, SEARCH_PARTIAL | SEARCH_NOCASE | SEARCH_UP), 0);
    EXPECT_EQ(row, 1);

    // Whole text: equal, ignoring case only on request.
    CString whole(L"APPLE");
    ASSERT_EQ(store.SearchFirst(&whole, &col, &row, SEARCH_NOCASE), 0);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(store.SearchFirst(&whole, &col, &row, 0), 1);

    // A stored cell without text compares as the empty text.
    CUGCell formatted;
    formatted.SetBackColor(RGB(1, 1, 1));
    store.SetCell(0, 2, &formatted);
    CString empty;
    ASSERT_EQ(store.SearchFirst(&empty, &col, &row, 0), 0);
    EXPECT_EQ(row, 2);
}

TEST(CUGMem, AllColumnSearchGoesRowByRowAndWraps) {
    Sheet sheet(3, 4);
    CUGMem& store = sheet.store();
    sheet.Put(2, 0, L"x");
    sheet.Put(0, 2, L"x");
    sheet.Put(1, 2, L"x");
    sheet.Put(5, 2, L"x"); // beyond the grid's columns: never visited
    CString x(L"x");
    int col = 1;
    long row = 3;
    const long flags = SEARCH_ALLCOLS;
    ASSERT_EQ(store.SearchFirst(&x, &col, &row, flags), 0);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 0);
    ASSERT_EQ(store.SearchNext(&x, &col, &row, flags), 0);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 2);
    ASSERT_EQ(store.SearchNext(&x, &col, &row, flags), 0);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
    ASSERT_EQ(store.SearchNext(&x, &col, &row, flags), 0); // wraps past unheld row 3
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 0);

    ASSERT_EQ(store.SearchFirst(&x, &col, &row, flags | SEARCH_UP), 0);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
    ASSERT_EQ(store.SearchNext(&x, &col, &row, flags | SEARCH_UP), 0);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 2);
    ASSERT_EQ(store.SearchNext(&x, &col, &row, flags | SEARCH_UP), 0);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 0);

    // A store used without a grid state has no extent to search.
    CUGMem loose;
    CUGCell cell;
    cell.SetText(L"x");
    loose.SetCell(0, 0, &cell);
    EXPECT_EQ(loose.SearchFirst(&x, &col, &row, flags), 1);
}

TEST(CUGMem, AllColumnSearchKeepsItsColumnAcrossRowsTheStoreDoesNotHold) {
    Sheet sheet(3, 6); // the store holds row 0 alone
    CUGMem& store = sheet.store();
    sheet.Put(0, 0, L"x");
    sheet.Put(2, 0, L"x");
    CString x(L"x");
    // From column 0 of an empty row the search looks on at column 1 and keeps it while it
    // passes the empty rows, so row 0 is entered at column 1 and its first match is column 2.
    int col = 0;
    long row = 3;
    ASSERT_EQ(store.SearchNext(&x, &col, &row, SEARCH_ALLCOLS), 0);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 0);
    col = 2;
    row = 3;
    ASSERT_EQ(store.SearchNext(&x, &col, &row, SEARCH_ALLCOLS | SEARCH_UP), 0);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
}

TEST(CUGMem, FarJumpsFindTheRightRowWhateverWasInsertedOrDeletedBetween) {
    // The store against a plain model: rows far apart read in turn while rows are inserted,
    // deleted, added past the end and put before the first (a heading row).
    Sheet sheet(1, 5000);
    CUGMem& store = sheet.store();
    std::vector<std::wstring> model; // row r of the store holds model[r]; "" means nothing
    auto put = [&](long row, const std::wstring& text) {
        sheet.Put(0, row, text.c_str());
        if (static_cast<std::size_t>(row) >= model.size())
            model.resize(static_cast<std::size_t>(row) + 1);
        model[static_cast<std::size_t>(row)] = text;
    };
    for (long r = 0; r < 3000; r += 1)
        put(r, L"row " + std::to_wstring(r));
    std::mt19937 random(5);
    auto check = [&](int probes) {
        for (int i = 0; i < probes; ++i) {
            long row = static_cast<long>(random() % (model.size() + 50));
            CString expected = row < static_cast<long>(model.size()) &&
                                       !model[static_cast<std::size_t>(row)].empty()
                                   ? CString(model[static_cast<std::size_t>(row)].c_str())
                                   : CString(L"<none>");
            ASSERT_EQ(sheet.Text(0, row), expected) << "row " << row;
        }
    };
    check(200);
    for (int round = 0; round < 30; ++round) {
        long at = static_cast<long>(random() % model.size());
        if (round % 3 == 0) {
            store.InsertRow(at);
            model.insert(model.begin() + at, L"");
        } else if (round % 3 == 1) {
            store.DeleteRow(at);
            model.erase(model.begin() + at);
        } else {
            put(static_cast<long>(model.size()) + 3, L"appended " + std::to_wstring(round));
        }
        check(50);
    }
    sheet.Put(0, -1, L"heading"); // a row before the first
    EXPECT_EQ(sheet.Text(0, -1), CString(L"heading"));
    check(200);
}

TEST(CUGMem, FindPrevNonEmptyColSkipsEmptyTextAndItself) {
    Sheet sheet(6, 3);
    CUGMem& store = sheet.store();
    sheet.Put(0, 0, L"a");
    sheet.Put(2, 0, L"b");
    sheet.Put(3, 0, L"");
    CUGCell noText;
    noText.SetBackColor(RGB(1, 1, 1));
    store.SetCell(4, 0, &noText);
    int col = 4;
    ASSERT_EQ(store.FindPrevNonEmptyCol(&col, 0), 0);
    EXPECT_EQ(col, 2);
    ASSERT_EQ(store.FindPrevNonEmptyCol(&col, 0), 0);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(store.FindPrevNonEmptyCol(&col, 0), 1);
    EXPECT_EQ(col, 0);

    col = 9; // row shorter than the column: start from its last node, which holds a cell
    ASSERT_EQ(store.FindPrevNonEmptyCol(&col, 0), 0);
    EXPECT_EQ(col, 2);
    store.DeleteCell(4, 0);
    col = 9; // ... but not when the last node is empty
    EXPECT_EQ(store.FindPrevNonEmptyCol(&col, 0), 1);

    col = 2;
    EXPECT_EQ(store.FindPrevNonEmptyCol(&col, 1), 1); // row not stored
    sheet.Put(1, 2, L"z");
    col = 1;
    EXPECT_EQ(store.FindPrevNonEmptyCol(&col, 2), 1); // only itself has text
}

TEST(CUGMem, EmptyReleasesEverythingAndTheStoreCanBeFilledAgain) {
    Sheet sheet;
    CUGMem& store = sheet.store();
    for (long r = -1; r < 50; ++r)
        for (int c = -1; c < 10; ++c)
            sheet.Put(c, r, L"v");
    EXPECT_EQ(store.Empty(), 0);
    EXPECT_EQ(store.SeekRow(0), 1);
    EXPECT_EQ(sheet.Text(3, 3), L"<none>");
    sheet.Put(3, 3, L"w");
    EXPECT_EQ(sheet.Text(3, 3), L"w");
}

} // namespace
