// The page's key codes as the engine's physical keys, and which keys the page leaves to the
// browser.
#include <utility>

#include <gtest/gtest.h>

#include "WebKeys.h"

namespace {

using P = ks::PhysicalKey;
using ks::WebKeys;

// Letters, digits, keypad and function keys by their number or letter; the keys the game is
// played with by where they are.
TEST(WebKeysTest, EachCodeIsThePhysicalKeyAtItsPlace) {
    const std::pair<const char*, P> cases[] = {
        {"KeyA", P::A},         {"KeyW", P::W},
        {"KeyZ", P::Z},         {"Digit0", P::NUM0},
        {"Digit9", P::NUM9},    {"Numpad7", P::NUMPAD7},
        {"F1", P::F1},          {"F12", P::F12},
        {"F15", P::F15},        {"ShiftLeft", P::LSHIFT},
        {"AltLeft", P::LALT},   {"ArrowUp", P::UP},
        {"ArrowLeft", P::LEFT}, {"Escape", P::ESCAPE},
        {"Minus", P::HYPHEN},   {"NumpadSubtract", P::SUBTRACT},
        {"Backquote", P::TILDE}};
    for (const auto& [code, key] : cases)
        EXPECT_EQ(WebKeys::fromCode(code), key) << code;
}

TEST(WebKeysTest, CodesOfNoKeyTheEngineKnowsAreUnknown) {
    for (const char* code : {"", "Key", "Keya", "KeyAB", "Digit", "Digit10", "Digit-1", "F0", "F01",
                             "F16", "F1x", "Numpad", "NumpadEqual", "Lang1", "Fn"})
        EXPECT_EQ(WebKeys::fromCode(code), P::UNKNOWN) << code;
}

TEST(WebKeysTest, OnlyFunctionKeysTabAndShortcutsKeepTheirMeaningToTheBrowser) {
    for (P key : {P::UP, P::SPACE, P::LALT, P::W, P::ESCAPE, P::UNKNOWN})
        EXPECT_FALSE(WebKeys::leftToBrowser(key, false)) << static_cast<int>(key);
    for (P key : {P::F5, P::F12, P::TAB})
        EXPECT_TRUE(WebKeys::leftToBrowser(key, false)) << static_cast<int>(key);
    EXPECT_TRUE(WebKeys::leftToBrowser(P::R, true)); // Control+R reloads
}

} // namespace
