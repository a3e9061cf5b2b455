#include <gtest/gtest.h>

#include <afxtempl.h>

namespace {
template <class A> std::vector<int> Items(const A& a) {
    std::vector<int> out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        out.push_back(a[i]);
    return out;
}
} // namespace

TEST(CArrayStorage, RoomGrowsByTheGrowStepAndIsGivenBack) {
    CArray<int, int> a;
    a.SetSize(0, 100);
    a.Add(1);
    EXPECT_EQ(a.Capacity(), 100u);
    for (int i = 2; i <= 101; ++i)
        a.Add(i);
    EXPECT_EQ(a.GetSize(), 101);
    EXPECT_EQ(a.Capacity(), 200u);
    a.FreeExtra();
    EXPECT_EQ(a.Capacity(), 101u);
    EXPECT_EQ(a[100], 101);
    a.RemoveAll();
    EXPECT_EQ(a.Capacity(), 0u);

    // Without a grow step: the first element gets exactly its room, then steps of at least 4.
    CArray<int, int> b;
    b.Add(1);
    EXPECT_EQ(b.Capacity(), 1u);
    b.Add(2);
    EXPECT_EQ(b.Capacity(), 5u);
    b.SetSize(3);
    EXPECT_EQ(Items(b), (std::vector<int>{1, 2, 0}));
    b.SetSize(1);
    EXPECT_EQ(Items(b), (std::vector<int>{1}));
}

// Adding a million elements with a step of 100 reallocates a few dozen times, not ten
// thousand: the step gives way to half the size once it is small against it.
TEST(CArrayStorage, ASmallGrowStepStillGrowsGeometrically) {
    CArray<int, int> a;
    a.SetSize(0, 100);
    int reallocations = 0;
    std::size_t room = a.Capacity();
    for (int i = 0; i < 1000000; ++i) {
        a.Add(i);
        if (a.Capacity() != room) {
            ++reallocations;
            room = a.Capacity();
        }
    }
    EXPECT_LT(reallocations, 40);
    EXPECT_EQ(a.GetSize(), 1000000);
    EXPECT_EQ(a.GetUpperBound(), 999999);
    EXPECT_EQ(a[999999], 999999);
    EXPECT_EQ(a[123456], 123456);
}

TEST(CArrayEdit, InsertAndRemoveKeepTheOrder) {
    CArray<int, int> a;
    for (int v : {1, 2, 3})
        a.Add(v);
    a.InsertAt(1, 9);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 9, 2, 3}));
    a.InsertAt(0, 7, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{7, 7, 1, 9, 2, 3}));
    a.InsertAt(8, 5); // past the end: the gap is filled with default values
    EXPECT_EQ(Items(a), (std::vector<int>{7, 7, 1, 9, 2, 3, 0, 0, 5}));
    a.RemoveAt(0);
    a.RemoveAt(2, 3);
    EXPECT_EQ(Items(a), (std::vector<int>{7, 1, 0, 0, 5}));
    a.SetAtGrow(6, 8);
    EXPECT_EQ(Items(a), (std::vector<int>{7, 1, 0, 0, 5, 0, 8}));
    EXPECT_EQ(a.GetUpperBound(), 6);

    EXPECT_THROW(a.RemoveAt(6, 2), std::out_of_range);
    EXPECT_THROW(a.RemoveAt(-1), std::out_of_range);
    EXPECT_THROW(a.InsertAt(-1, 0), std::out_of_range);
    EXPECT_THROW(a[7], std::out_of_range);
    EXPECT_THROW(a.GetAt(-1), std::out_of_range);
    EXPECT_EQ(a.GetSize(), 7);
}

TEST(CArrayEdit, ElementsOfTheArrayItselfCanBeAddedWhileItGrows) {
    CArray<CString, const CString&> a;
    a.Add(CString(L"a long enough text to live on the heap"));
    for (int i = 0; i < 40; ++i) {
        a.Add(a[0]);
        a.InsertAt(0, a[a.GetUpperBound()]);
        a.SetAtGrow(a.GetSize(), a[1]);
    }
    EXPECT_EQ(a.GetSize(), 121);
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        EXPECT_EQ(a[i], L"a long enough text to live on the heap");
    a.FreeExtra();
    EXPECT_EQ(a[120], L"a long enough text to live on the heap");
}
