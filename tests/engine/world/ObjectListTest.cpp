// The fixed-capacity object list and its iterator.
#include <gtest/gtest.h>

#include <cstdint>

#include "ObjectList.h"
#include "ObjectListIterator.h"

// Plain addresses are enough: the list never dereferences what it holds.
static ks::Object* fake(int n) {
    return reinterpret_cast<ks::Object*>(static_cast<uintptr_t>(0x1000 + 16 * n));
}

// Reading past the end used to return stale entries (or read past the array).
TEST(ObjectList, AnIteratorPastTheEndReadsNothing) {
    ks::ObjectList list;
    list.insert(fake(1));
    list.insert(fake(2));
    list.remove(fake(2)); // the stale entry lies just past the end
    ks::ObjectListIterator it(&list);
    for (int i = 0; i < ks::MAX_OBJECTS + 10; i++)
        it.next();
    EXPECT_TRUE(it.isDone());
    EXPECT_EQ(it.currentObject(), nullptr);
    it.first();
    it.next();
    EXPECT_EQ(it.currentObject(), nullptr);
    ks::ObjectListIterator none(nullptr);
    EXPECT_TRUE(none.isDone());
    EXPECT_EQ(none.currentObject(), nullptr);
}
