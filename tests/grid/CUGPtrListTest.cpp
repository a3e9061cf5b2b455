#include "grid/CUGPtrList.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int g_items[30];

TEST(CUGPtrList, IndexesStayStableAndHolesAreRefilled) {
    CUGPtrList list;
    EXPECT_EQ(list.Add(&g_items[0], 5), 0);
    EXPECT_EQ(list.Add(&g_items[1]), 1);
    EXPECT_EQ(list.GetCapacity(), 10);
    EXPECT_EQ(list.Delete(0), 0);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetPointer(0), nullptr);
    EXPECT_EQ(list.GetPointer(1), &g_items[1]); // the other entry keeps its index
    EXPECT_EQ(list.Add(&g_items[2]), 0);
    EXPECT_EQ(list.GetCount(), 2);

    EXPECT_EQ(list.Delete(1), 0);
    EXPECT_EQ(list.Delete(1), 0); // a free entry: the count does not drop twice
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.Delete(-1), 1);
    EXPECT_EQ(list.Delete(10), 1);
}

TEST(CUGPtrList, GrowsByTenAndAnswersOutOfRangeQuietly) {
    CUGPtrList list;
    for (int i = 0; i < 11; ++i)
        ASSERT_EQ(list.Add(&g_items[i], i * 10), i);
    EXPECT_EQ(list.GetCapacity(), 20);
    EXPECT_EQ(list.GetCount(), 11);
    EXPECT_EQ(list.Find(&g_items[7]), 7);
    EXPECT_EQ(list.Find(&g_items[20]), -1);
    EXPECT_EQ(list.GetParam(3), 30);
    EXPECT_EQ(list.GetParam(99), 0);
    EXPECT_EQ(list.GetPointer(-1), nullptr);
    EXPECT_EQ(list.UpdateParam(3, 31), 0);
    EXPECT_EQ(list.GetParam(3), 31);
    EXPECT_EQ(list.UpdateParam(15, 1), 2); // inside the table but free
    EXPECT_EQ(list.UpdateParam(20, 1), 1);
    list.Delete(7);
    EXPECT_EQ(list.Find(&g_items[7]), -1);

    const char block[16] = "sixteen bytes..";
    int at = list.Add(&g_items[25], 0, block);
    EXPECT_EQ(at, 7);
    ASSERT_NE(list.GetBlock(at), nullptr);
    EXPECT_EQ(std::memcmp(list.GetBlock(at), block, 16), 0);
    EXPECT_EQ(list.GetBlock(15), nullptr);

    list.Empty();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 0);
    EXPECT_EQ(list.GetPointer(0), nullptr);
    EXPECT_EQ(list.Add(&g_items[0]), 0);
}

} // namespace
