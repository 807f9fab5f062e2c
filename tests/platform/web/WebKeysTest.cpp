// The page's key codes as the engine's physical keys, and which keys the page leaves to the
// browser.
#include <gtest/gtest.h>

#include "WebKeys.h"

namespace {

using ks::PhysicalKey;
using ks::WebKeys;

TEST(WebKeysTest, LettersDigitsKeypadAndFunctionKeysAreFoundByTheirNumberOrLetter) {
    EXPECT_EQ(WebKeys::fromCode("KeyA"), PhysicalKey::A);
    EXPECT_EQ(WebKeys::fromCode("KeyW"), PhysicalKey::W);
    EXPECT_EQ(WebKeys::fromCode("KeyZ"), PhysicalKey::Z);
    EXPECT_EQ(WebKeys::fromCode("Digit0"), PhysicalKey::NUM0);
    EXPECT_EQ(WebKeys::fromCode("Digit9"), PhysicalKey::NUM9);
    EXPECT_EQ(WebKeys::fromCode("Numpad7"), PhysicalKey::NUMPAD7);
    EXPECT_EQ(WebKeys::fromCode("F1"), PhysicalKey::F1);
    EXPECT_EQ(WebKeys::fromCode("F12"), PhysicalKey::F12);
    EXPECT_EQ(WebKeys::fromCode("F15"), PhysicalKey::F15);
}

// The keys the game is played with, by where they are.
TEST(WebKeysTest, TheGamesModeArrowAndPauseKeysAreFound) {
    EXPECT_EQ(WebKeys::fromCode("ShiftLeft"), PhysicalKey::LSHIFT);
    EXPECT_EQ(WebKeys::fromCode("AltLeft"), PhysicalKey::LALT);
    EXPECT_EQ(WebKeys::fromCode("ArrowUp"), PhysicalKey::UP);
    EXPECT_EQ(WebKeys::fromCode("ArrowLeft"), PhysicalKey::LEFT);
    EXPECT_EQ(WebKeys::fromCode("Escape"), PhysicalKey::ESCAPE);
    EXPECT_EQ(WebKeys::fromCode("Minus"), PhysicalKey::HYPHEN);
    EXPECT_EQ(WebKeys::fromCode("NumpadSubtract"), PhysicalKey::SUBTRACT);
    EXPECT_EQ(WebKeys::fromCode("Backquote"), PhysicalKey::TILDE);
}

TEST(WebKeysTest, CodesOfNoKeyTheEngineKnowsAreUnknown) {
    for (const char* code : {"", "Key", "Keya", "KeyAB", "Digit", "Digit10", "Digit-1", "F0", "F01",
                             "F16", "F1x", "Numpad", "NumpadEqual", "Lang1", "Fn"})
        EXPECT_EQ(WebKeys::fromCode(code), PhysicalKey::UNKNOWN) << code;
}

TEST(WebKeysTest, OnlyFunctionKeysTabAndShortcutsKeepTheirMeaningToTheBrowser) {
    for (PhysicalKey key : {PhysicalKey::UP, PhysicalKey::SPACE, PhysicalKey::LALT, PhysicalKey::W,
                            PhysicalKey::ESCAPE, PhysicalKey::UNKNOWN})
        EXPECT_FALSE(WebKeys::leftToBrowser(key, false)) << static_cast<int>(key);
    EXPECT_TRUE(WebKeys::leftToBrowser(PhysicalKey::F5, false));
    EXPECT_TRUE(WebKeys::leftToBrowser(PhysicalKey::F12, false));
    EXPECT_TRUE(WebKeys::leftToBrowser(PhysicalKey::TAB, false));
    EXPECT_TRUE(WebKeys::leftToBrowser(PhysicalKey::R, true)); // Control+R reloads
}

} // namespace
