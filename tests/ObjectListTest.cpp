#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Object.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"

using ks::Object;
using ks::ObjectList;
using ks::ObjectListIterator;

namespace {

// Plain addresses are enough: the list never dereferences what it holds.
Object* fake(int n) {
    return reinterpret_cast<Object*>(static_cast<uintptr_t>(0x1000 + 16 * n));
}

std::vector<Object*> contents(const ObjectList& list) {
    std::vector<Object*> out;
    for (ObjectListIterator it(&list); !it.isDone(); it.next())
        out.push_back(it.currentObject());
    return out;
}

} // namespace

TEST(ObjectList, RemoveKeepsTheOrderOfTheRest) {
    ObjectList list;
    list.insert(fake(1));
    list.insert(fake(2));
    list.insert(fake(3));
    EXPECT_EQ(list.remove(fake(2)), 0);
    EXPECT_EQ(contents(list), (std::vector<Object*>{fake(1), fake(3)}));
    EXPECT_EQ(list.remove(fake(9)), -1);
    EXPECT_EQ(contents(list), (std::vector<Object*>{fake(1), fake(3)}));
}

TEST(ObjectList, DuplicatesAreRemovedOneAtATimeFirstFirst) {
    ObjectList list;
    list.insert(fake(1));
    list.insert(fake(2));
    list.insert(fake(1));
    list.remove(fake(1));
    EXPECT_EQ(contents(list), (std::vector<Object*>{fake(2), fake(1)}));
    list.remove(fake(1));
    EXPECT_EQ(contents(list), (std::vector<Object*>{fake(2)}));
}

TEST(ObjectList, RefusesInsertionWhenFull) {
    ObjectList list;
    for (int i = 0; i < ks::MAX_OBJECTS - 1; i++)
        ASSERT_EQ(list.insert(fake(i)), 0);
    EXPECT_FALSE(list.isFull());
    EXPECT_EQ(list.insert(fake(0)), 0);
    EXPECT_TRUE(list.isFull());
    EXPECT_EQ(list.insert(fake(1)), -1);
    EXPECT_EQ(list.getCount(), ks::MAX_OBJECTS);
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(ObjectListIterator(&list).isDone());
}

TEST(ObjectList, CopiesAreIndependent) {
    ObjectList list;
    list.insert(fake(1));
    ObjectList copy = list;
    copy.insert(fake(2));
    list.remove(fake(1));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(contents(copy), (std::vector<Object*>{fake(1), fake(2)}));
    list = copy;
    EXPECT_EQ(contents(list), contents(copy));
}

TEST(ObjectListIterator, WalksTheLiveList) {
    ObjectList list;
    list.insert(fake(1));
    list.insert(fake(2));
    ObjectListIterator it(&list);
    list.insert(fake(3)); // seen by the walk
    std::vector<Object*> seen;
    for (; !it.isDone(); it.next())
        seen.push_back(it.currentObject());
    EXPECT_EQ(seen, (std::vector<Object*>{fake(1), fake(2), fake(3)}));
    it.first();
    EXPECT_EQ(it.currentObject(), fake(1));
}
