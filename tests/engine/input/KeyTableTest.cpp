// The keyboard table: the engine key code of each physical key from the event queue and from
// held-key sampling, the order held keys are tested in, and the names of replay files.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "KeyTable.h"

namespace {

using P = ks::PhysicalKey;

struct Row {
    P key;
    int from_queue;
    int from_held;
};

// Codes as the rules number them: SPACE 1 ... NUM9 69, letters from A 34.
const Row ROWS[] = {
    {P::A, 34, 34},     {P::W, 56, 56},        {P::Z, 59, 59},      {P::NUM0, 60, 60},
    {P::NUM9, 69, 69},  {P::SPACE, 1, 1},      {P::ENTER, 2, 2},    {P::ESCAPE, 0, 3},
    {P::TAB, 4, 4},     {P::LEFT, 5, 5},       {P::DOWN, 8, 8},     {P::PAUSE, 9, 9},
    {P::HYPHEN, 10, 0}, {P::SUBTRACT, 0, 10},  {P::ADD, 11, 11},    {P::TILDE, 12, 12},
    {P::SLASH, 15, 15}, {P::LCONTROL, 16, 16}, {P::RSHIFT, 19, 19}, {P::LALT, 20, 0},
    {P::RALT, 21, 0},   {P::F1, 22, 22},       {P::F12, 33, 33},    {P::F13, 0, 0},
    {P::NUMPAD5, 0, 0}, {P::LBRACKET, 0, 0},   {P::UNKNOWN, 0, 0},
};

TEST(KeyTableTest, EachPhysicalKeyGivesItsCodeFromTheQueueAndWhenHeld) {
    for (const Row& row : ROWS) {
        EXPECT_EQ(ks::KeyTable::fromQueue(row.key), row.from_queue) << static_cast<int>(row.key);
        EXPECT_EQ(ks::KeyTable::fromHeld(row.key), row.from_held) << static_cast<int>(row.key);
    }
}

// A to Z, then Space, Return, Escape, Tab, the arrows, Pause, keypad -, +, ~ . , /, the Control
// and Shift keys, F1 to F12, the digits: the first held in this order is the cycle's KEY_DOWN.
TEST(KeyTableTest, HeldKeysAreTestedInTheFixedOrder) {
    std::vector<int> expected;
    for (int code = 34; code <= 59; code++)
        expected.push_back(code);
    for (int code = 1; code <= 19; code++)
        expected.push_back(code);
    for (int code = 22; code <= 33; code++)
        expected.push_back(code);
    for (int code = 60; code <= 69; code++)
        expected.push_back(code);
    std::vector<int> order;
    for (size_t i = 0; i < ks::KeyTable::HELD_COUNT; i++)
        order.push_back(ks::KeyTable::ROWS[i].code);
    EXPECT_EQ(order, expected);
}

TEST(KeyTableTest, ReplayNamesAreTheEnumeratorsNamesExactly) {
    EXPECT_STREQ(ks::KeyTable::nameOf(0), "UNDEFINED_KEY");
    EXPECT_STREQ(ks::KeyTable::nameOf(18), "LEFTSHIFT");
    EXPECT_STREQ(ks::KeyTable::nameOf(56), "W");
    EXPECT_STREQ(ks::KeyTable::nameOf(69), "NUM9");
    EXPECT_STREQ(ks::KeyTable::nameOf(70), "UNDEFINED_KEY");
    EXPECT_STREQ(ks::KeyTable::nameOf(-1), "UNDEFINED_KEY");
    EXPECT_EQ(ks::KeyTable::codeOf("LEFTARROW"), 5);
    EXPECT_EQ(ks::KeyTable::codeOf("w"), -1); // names are case-sensitive
    EXPECT_EQ(ks::KeyTable::codeOf("ESCAPE "), -1);
    for (int code = 0; code < 70; code++)
        EXPECT_EQ(ks::KeyTable::codeOf(ks::KeyTable::nameOf(code)), code);
}

} // namespace
