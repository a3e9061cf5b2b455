#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "grid/CUGCell.h"
#include "grid/CUGGridInfo.h"
#include "grid/CUGMem.h"
#include "grid/UGSortCompare.h"

#include <tchar.h>

namespace {

constexpr int kKeyColumns = 3;
constexpr int kIdColumn = 3;

// Stands in for the frame's OnSortCompare: the default order, or a case-blind text order
// that produces many ties; counts the calls.
class CountingComparer : public CUGSortComparer {
public:
    explicit CountingComparer(bool caseBlind = false) : caseBlind_(caseBlind) {}
    int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) override {
        ++calls;
        if (!caseBlind_)
            return UGDefaultSortCompare(cell1, cell2, flags);
        if (flags & UG_SORT_DESCENDING)
            std::swap(cell1, cell2);
        if (!cell1 || !cell2)
            return cell1 ? 1 : (cell2 ? -1 : 0);
        return _wcsicmp(cell1->GetText(), cell2->GetText());
    }
    long calls = 0;

private:
    bool caseBlind_;
};

// One generated row: the key cells (null where nothing is stored) and an identity.
struct ModelRow {
    std::array<std::unique_ptr<CUGCell>, kKeyColumns> keys;
    CString id;
};

// The order the grid has always produced: exchange adjacent rows while the comparison of
// the upper with the lower is positive, keys in the given order, until a pass is quiet.
void AdjacentExchangeSort(std::vector<ModelRow*>& rows, const std::vector<int>& keys, int flags,
                          CUGSortComparer& comparer) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
            for (int key : keys) {
                int order = comparer.OnSortCompare(rows[i]->keys[key].get(),
                                                   rows[i + 1]->keys[key].get(), flags);
                if (order > 0) {
                    std::swap(rows[i], rows[i + 1]);
                    swapped = true;
                }
                if (order != 0)
                    break;
            }
        }
    }
}

// Fills the store and the model with the same random rows: small value sets (many ties),
// missing cells, rows without any column node, and column 1 holding numbers.
std::vector<std::unique_ptr<ModelRow>> FillRandom(CUGMem& store, std::mt19937& random,
                                                  int rowCount) {
    static const wchar_t* const kTexts[] = {L"a", L"b", L"B", L"c", L"ab"};
    static const wchar_t* const kNumbers[] = {L"1", L"2", L"10", L"2.0", L"0.5"};
    std::vector<std::unique_ptr<ModelRow>> model;
    for (int r = 0; r < rowCount; ++r) {
        auto row = std::make_unique<ModelRow>();
        // Rows past the last one written do not exist in the store, so the last row has cells.
        if (r == rowCount - 1 || random() % 8 != 0) { // else no column nodes
            for (int k = 0; k < kKeyColumns; ++k) {
                if (random() % 4 == 0)
                    continue; // missing key cell
                auto cell = std::make_unique<CUGCell>();
                if (k == 1) {
                    cell->SetText(kNumbers[random() % 5]);
                    cell->SetDataType(UGCELLDATA_NUMBER);
                } else {
                    cell->SetText(kTexts[random() % 5]);
                }
                store.SetCell(k, r, cell.get());
                row->keys[k] = std::move(cell);
            }
            row->id.Format(L"row %d", r);
            CUGCell id;
            id.SetText(row->id);
            store.SetCell(kIdColumn, r, &id);
        }
        model.push_back(std::move(row));
    }
    return model;
}

std::vector<CString> StoredIds(CUGMem& store, int rowCount) {
    std::vector<CString> ids;
    for (int r = 0; r < rowCount; ++r) {
        CUGCell cell;
        ids.push_back(store.GetCell(kIdColumn, r, &cell) == 0 ? CString(cell.GetText())
                                                              : CString());
    }
    return ids;
}

TEST(CUGMemSort, MatchesTheAdjacentExchangeOrderOnRandomRows) {
    std::mt19937 random(20261205);
    const std::vector<std::vector<int>> keySets = {{0}, {1}, {2, 0}, {0, 1, 2}, {1, 2, 0}};
    int trials = 0;
    for (bool caseBlind : {false, true}) {
        for (int rowCount : {2, 3, 5, 8, 17, 40, 101}) {
            for (const auto& keys : keySets) {
                for (int flags : {UG_SORT_ASCENDING, UG_SORT_DESCENDING}) {
                    CUGMem store;
                    CountingComparer comparer(caseBlind);
                    store.SetSortComparer(&comparer);
                    auto model = FillRandom(store, random, rowCount);
                    std::vector<ModelRow*> expected;
                    for (auto& row : model)
                        expected.push_back(row.get());
                    AdjacentExchangeSort(expected, keys, flags, comparer);

                    std::vector<int> cols = keys;
                    ASSERT_EQ(store.SortRowsBy(cols.data(), static_cast<int>(cols.size()), flags),
                              0);
                    std::vector<CString> ids = StoredIds(store, rowCount);
                    for (int r = 0; r < rowCount; ++r)
                        ASSERT_EQ(ids[r].str(), expected[r]->id.str())
                            << "row " << r << " of " << rowCount << ", case-blind " << caseBlind
                            << ", flags " << flags;
                    ++trials;
                }
            }
        }
    }
    EXPECT_EQ(trials, 140);
}

TEST(CUGMemSort, AsksTheHookOnlyNLogNTimesAndKeepsEqualRowsInOrder) {
    const int rowCount = 4096;
    CUGGridInfo info;
    CUGMem& store = *info.builtinStore;
    for (int r = 0; r < rowCount; ++r) {
        CUGCell cell;
        cell.SetText((r % 2) ? L"same" : L"SAME"); // equal for a case-blind order
        store.SetCell(0, r, &cell);
        cell.SetNumber(r);
        store.SetCell(1, r, &cell);
    }
    CountingComparer comparer(true);
    store.SetSortComparer(&comparer);
    ASSERT_EQ(store.SortRowsBy(0, UG_SORT_ASCENDING), 0);
    EXPECT_LE(comparer.calls, static_cast<long>(rowCount * std::log2(rowCount)));
    CUGCell cell;
    for (int r = 0; r < rowCount; ++r) {
        cell.Reset();
        ASSERT_EQ(store.GetCell(1, r, &cell), 0);
        ASSERT_EQ(cell.GetNumber(), r) << "an equal row moved";
    }
}

TEST(CUGMemSort, MissingKeyCellsHeadingRowsAndShortRows) {
    CUGGridInfo info;
    info.SetColCount(3);
    info.SetRowCount(5);
    CUGMem& store = *info.builtinStore;
    CUGCell cell;
    cell.SetText(L"title");
    store.SetCell(1, -1, &cell); // heading row: stays where it is
    cell.SetText(L"b");
    store.SetCell(1, 1, &cell);
    cell.SetText(L"row 0");
    store.SetCell(0, 0, &cell); // row 0 has no key cell at column 1

    // Default order: a missing cell answers -1 against a present one, so nothing moves.
    ASSERT_EQ(store.SortRowsBy(1, UG_SORT_ASCENDING), 0);
    CString text;
    cell.Reset();
    ASSERT_EQ(store.GetCell(0, 0, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"row 0");

    // Descending puts the present cell first; the heading row and its cell stay.
    ASSERT_EQ(store.SortRowsBy(1, UG_SORT_DESCENDING), 0);
    cell.Reset();
    ASSERT_EQ(store.GetCell(1, 0, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"b");
    cell.Reset();
    ASSERT_EQ(store.GetCell(0, 1, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"row 0");
    cell.Reset();
    ASSERT_EQ(store.GetCell(1, -1, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"title");

    // One stored row, or keys past every row: nothing to do, and the store still works.
    CUGMem single;
    single.SetCell(0, 0, &cell);
    EXPECT_EQ(single.SortRowsBy(0, UG_SORT_ASCENDING), 0);
    int far[] = {40, -7};
    EXPECT_EQ(store.SortRowsBy(far, 2, UG_SORT_ASCENDING), 0);
    cell.SetText(L"after");
    EXPECT_EQ(store.SetCell(2, 4, &cell), 0);
    cell.Reset();
    ASSERT_EQ(store.GetCell(2, 4, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"after");
}

} // namespace
