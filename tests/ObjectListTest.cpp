// The fixed-capacity object list and its iterator.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ObjectList.h"
#include "ObjectListIterator.h"

using Objects = std::vector<ks::Object*>;

// Plain addresses are enough: the list never dereferences what it holds.
static ks::Object* fake(int n) {
    return reinterpret_cast<ks::Object*>(static_cast<uintptr_t>(0x1000 + 16 * n));
}

// Removing the first entry catches both "last match" and "move the last entry into the hole".
TEST(ObjectList, RemoveTakesTheFirstMatchAndKeepsTheOrderOfTheRest) {
    ks::ObjectList list;
    for (int n : {1, 2, 3, 1})
        list.insert(fake(n));
    EXPECT_EQ(list.remove(fake(1)), 0);
    Objects rest;
    for (ks::ObjectListIterator it(&list); !it.isDone(); it.next())
        rest.push_back(it.currentObject());
    EXPECT_EQ(rest, (Objects{fake(2), fake(3), fake(1)}));
}

TEST(ObjectList, RefusesInsertionPastMaxObjects) {
    ks::ObjectList list;
    for (int i = 0; i < ks::MAX_OBJECTS; i++)
        ASSERT_EQ(list.insert(fake(i)), 0) << i;
    EXPECT_EQ(list.insert(fake(1)), -1);
}

TEST(ObjectListIterator, SeesObjectsInsertedAfterItWasMade) {
    ks::ObjectList list;
    list.insert(fake(1));
    ks::ObjectListIterator it(&list);
    list.insert(fake(2));
    it.next();
    ASSERT_FALSE(it.isDone());
    EXPECT_EQ(it.currentObject(), fake(2));
}
