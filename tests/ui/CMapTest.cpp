#include <gtest/gtest.h>

#include <afxtempl.h>

TEST(CMapLookup, SetAtOverwritesLookupFindsAndRemoveAllEmpties) {
    CMap<CString, LPCTSTR, int, int> index(20);
    EXPECT_EQ(index.GetBlockSize(), 20);
    index.InitHashTable(500);
    EXPECT_EQ(index.GetHashTableSize(), 500u);

    index.SetAt(L"door", 0);
    index.SetAt(L"window", 1);
    index.SetAt(L"door", 3);
    EXPECT_EQ(index.GetCount(), 2);
    int value = -1;
    EXPECT_TRUE(index.Lookup(L"door", value));
    EXPECT_EQ(value, 3);
    // Keys are compared exactly; a miss leaves the output alone.
    value = -1;
    EXPECT_FALSE(index.Lookup(L"Door", value));
    EXPECT_EQ(value, -1);

    index[L"frame"] += 2;
    EXPECT_TRUE(index.Lookup(L"frame", value));
    EXPECT_EQ(value, 2);

    index.RemoveAll();
    EXPECT_TRUE(index.IsEmpty());
    EXPECT_FALSE(index.Lookup(L"door", value));
    EXPECT_EQ(index.GetHashTableSize(), 500u);

    index.SetAt(L"door", 1);
    EXPECT_TRUE(index.RemoveKey(L"door"));
    EXPECT_FALSE(index.RemoveKey(L"door"));
}

TEST(CMapLookup, PointerKeysHashByAddress) {
    int a = 0, b = 0;
    CMap<void*, void*, int, int> byAddress;
    byAddress.SetAt(&a, 1);
    byAddress.SetAt(&b, 2);
    int value = 0;
    EXPECT_TRUE(byAddress.Lookup(&b, value));
    EXPECT_EQ(value, 2);
}
