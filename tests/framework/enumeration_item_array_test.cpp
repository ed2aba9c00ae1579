// CItemArray: growth, removal, lookup, by value and by reference.
#include <gtest/gtest.h>

#include "framework/item_array_win.h"

namespace {

struct Entry {
    int a;
    int b;
};

TEST(ItemArray, ByValueCopiesEntriesAndGrowsPastItsFirstCapacity) {
    CItemArray array(ItemArrayKind::ByValue, sizeof(Entry));
    for (int i = 0; i < 40; ++i) {
        Entry entry = {i, -i};
        ASSERT_EQ(array.Add(&entry), S_OK);
        entry.a = 999;   // the array keeps its own copy
    }
    ASSERT_EQ(array.Count(), 40u);
    for (UINT i = 0; i < 40; ++i) {
        const Entry* entry = static_cast<Entry*>(array.Item(i));
        EXPECT_EQ(entry->a, int(i));
        EXPECT_EQ(entry->b, -int(i));
    }
    // By-value entries lie side by side.
    EXPECT_EQ(static_cast<Entry*>(array.Item(39)) - static_cast<Entry*>(array.Item(0)), 39);
}

TEST(ItemArray, ByReferenceStoresPointersAndNeverOwnsThem) {
    Entry entries[3] = {{1, 1}, {2, 2}, {3, 3}};
    CItemArray array(ItemArrayKind::ByReference, 0);
    for (Entry& entry : entries)
        ASSERT_EQ(array.Add(&entry), S_OK);
    EXPECT_EQ(array.Item(1), &entries[1]);
    EXPECT_TRUE(array.Contains(&entries[2]));
    Entry same = entries[2];
    EXPECT_FALSE(array.Contains(&same));   // a pointer, not the bytes, is compared
}

TEST(ItemArray, ByValueContainsComparesBytes) {
    CItemArray array(ItemArrayKind::ByValue, sizeof(Entry));
    Entry entry = {7, 8};
    ASSERT_EQ(array.Add(&entry), S_OK);
    Entry copy = {7, 8}, other = {7, 9};
    EXPECT_TRUE(array.Contains(&copy));
    EXPECT_FALSE(array.Contains(&other));
}

TEST(ItemArray, RemoveMovesLaterEntriesDown) {
    CItemArray array(ItemArrayKind::ByValue, sizeof(int));
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(array.Add(&i), S_OK);
    array.Remove(1);
    array.Remove(3);   // the last one
    ASSERT_EQ(array.Count(), 3u);
    EXPECT_EQ(*static_cast<int*>(array.Item(0)), 0);
    EXPECT_EQ(*static_cast<int*>(array.Item(1)), 2);
    EXPECT_EQ(*static_cast<int*>(array.Item(2)), 3);
}

TEST(ItemArray, ClearKeepsTheBufferForReuse) {
    CItemArray array(ItemArrayKind::ByValue, sizeof(int));
    for (int i = 0; i < 16; ++i)
        ASSERT_EQ(array.Add(&i), S_OK);
    void* buffer = array.Item(0);
    array.Clear();
    EXPECT_EQ(array.Count(), 0u);
    int value = 42;
    ASSERT_EQ(array.Add(&value), S_OK);
    EXPECT_EQ(array.Item(0), buffer);
    EXPECT_EQ(*static_cast<int*>(array.Item(0)), 42);
}

TEST(ItemArray, EntriesOfNoSizeCannotBeAdded) {
    CItemArray array(ItemArrayKind::ByValue, 0);
    int value = 1;
    EXPECT_EQ(array.Add(&value), E_FAIL);
    EXPECT_EQ(array.Count(), 0u);
}

}  // namespace
