#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pricelist/BlockNamesCont.h"
#include "tests/pricelist/PriceListTestSupport.h"

namespace {

// Integers in ascending order, counting every comparison.
class CountingSort : public RLsort<int, int> {
public:
    int Compare(const int* a, const int* b) const override {
        ++comparisons;
        return *a - *b;
    }
    mutable int comparisons = 0;
};

CArray<int, int> Ints(const std::vector<int>& values) {
    CArray<int, int> array;
    for (int v : values)
        array.Add(v);
    return array;
}

std::vector<std::wstring> Names(const BlockNamesCont& names) {
    std::vector<std::wstring> out;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        out.emplace_back(names.At(i).name.GetString());
    return out;
}

} // namespace

TEST(BlockNameSearch, TheExchangeSortComparesEveryPairOnceWhateverTheInput) {
    for (const std::vector<int>& input :
         {std::vector<int>{5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}, {3, 3, 1, 3, 2}}) {
        CountingSort sort;
        CArray<int, int> array = Ints(input);
        sort.Sort(array);
        EXPECT_EQ(sort.comparisons, 10);
        for (INT_PTR i = 1; i < array.GetSize(); ++i)
            EXPECT_LE(array[i - 1], array[i]);
    }
}

TEST(BlockNameSearch, HalvingFindsEveryElementAndRefusesKeysOutsideWithoutHalving) {
    for (int n = 0; n <= 9; ++n) { // n = 1: lo = hi = 0, the one element decides
        CArray<int, int> array;
        for (int i = 0; i < n; ++i)
            array.Add(10 * i);
        CountingSort sort;
        for (int i = 0; i < n; ++i) {
            int key = 10 * i, between = 10 * i + 5;
            EXPECT_EQ(sort.Find(&key, array), i) << "n=" << n;
            EXPECT_EQ(sort.Find(&between, array), -1) << "n=" << n;
        }
        // Keys outside the range: one comparison below the first, two above the last.
        int below = -1, above = 99;
        sort.comparisons = 0;
        EXPECT_EQ(sort.Find(&below, array), -1);
        EXPECT_EQ(sort.comparisons, n == 0 ? 0 : 1);
        sort.comparisons = 0;
        EXPECT_EQ(sort.Find(&above, array), -1);
        EXPECT_EQ(sort.comparisons, n == 0 ? 0 : 2);
    }
}

TEST(BlockNameSearch, NamesFoldToLowerCase) {
    // Folding to lower case puts "_" (95) before every letter; folding up would put it after.
    BlockNamesContSort sort;
    blname under{L"_x"}, door{L"Door"};
    blname *u = &under, *d = &door;
    EXPECT_LT(sort.Compare(&u, &d), 0);
}

TEST(BlockNames, ADrawingWithOnlyItsLayoutsGivesNoNames) {
    TestDrawing drawing;
    BlockNamesCont names;
    EXPECT_EQ(names.LoadFromDrawing(), 1);
    EXPECT_EQ(names.GetSize(), 0);
    CString choices = L"stale";
    names.BuildChoiceList(choices);
    EXPECT_EQ(choices, CString(L""));
}

TEST(BlockNames, BlockDefinitionsInTableOrderWithoutLayoutsAndAnonymousBlocks) {
    TestDrawing drawing;
    drawing.AddBlock(L"window");
    drawing.AddBlock(L"*U1");
    drawing.AddBlock(L"Chair");
    drawing.AddBlock(L"desk");
    BlockNamesCont names;
    names.Append(L"left over");
    names.LoadFromDrawing();
    EXPECT_EQ(Names(names), (std::vector<std::wstring>{L"window", L"Chair", L"desk"}));
    names.SortByName();
    EXPECT_EQ(Names(names), (std::vector<std::wstring>{L"Chair", L"desk", L"window"}));
    CString choices;
    names.BuildChoiceList(choices);
    EXPECT_EQ(choices, CString(L"Chair\ndesk\nwindow\n"));
    EXPECT_TRUE(drawing.drawing.OpenObjects().empty());
}

TEST(BlockNames, ARecordThatCannotBeOpenedIsLeftOut) {
    TestDrawing drawing;
    drawing.AddBlock(L"Door");
    drawing.AddBlock(L"Desk");
    AcDbBlockTableRecord* held = nullptr;
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(drawing.database.getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(blocks->getAt(L"Door", held, AcDb::kForWrite), Acad::eOk);
    blocks->close();
    BlockNamesCont names;
    names.LoadFromDrawing();
    held->close();
    EXPECT_EQ(Names(names), (std::vector<std::wstring>{L"Desk"}));
}

TEST(BlockNames, MarksDecideTheChoiceListAndDoorAndDOORAreOneName) {
    BlockNamesCont names;
    for (const wchar_t* name : {L"Door", L"Table", L"DOOR", L"chair"})
        names.Append(name);
    names.SortByName();
    names.MarkUsed(L"door", 1);
    CString choices;
    names.BuildChoiceList(choices);
    // One of the two spellings is marked; the other is still offered.
    EXPECT_TRUE(choices == L"chair\nDOOR\nTable\n" || choices == L"chair\nDoor\nTable\n")
        << choices.GetString();

    names.MarkUsed(L"TABLE", 1);
    names.MarkUsed(L"sofa", 1); // not in the drawing: nothing changes
    names.BuildChoiceList(choices);
    EXPECT_EQ(choices.Find(L"Table"), -1);
    EXPECT_EQ(choices.Left(6), CString(L"chair\n"));

    names.MarkUsed(L"table", 0);
    names.BuildChoiceList(choices);
    EXPECT_NE(choices.Find(L"Table\n"), -1);

    names.ClearMarks();
    names.BuildChoiceList(choices);
    EXPECT_EQ(choices.GetLength(), static_cast<int>(wcslen(L"chair\nDoor\nDOOR\nTable\n")));

    names.Clear();
    EXPECT_EQ(names.GetSize(), 0);
    names.BuildChoiceList(choices);
    EXPECT_EQ(choices, CString(L""));
}
