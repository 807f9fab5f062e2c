#pragma once

#include <cstddef>
#include <string>

#include "EventKeyboard.h"
#include "PhysicalKey.h"

namespace ks {

/// One engine key code: its name in replay files, the physical key that gives it when it comes
/// from the screen's event queue, and the one that gives it when it is found held.
struct KeyRow {
    int code;               ///< a Keyboard::Key
    const char* name;       ///< its name in replay files
    PhysicalKey from_queue; ///< UNKNOWN: never from the event queue
    PhysicalKey from_held;  ///< UNKNOWN: never found held
};

/// The keyboard as the engine sees it: every engine key code with its name and the physical
/// keys behind it, one row each. Keys come to the engine two ways, and the two columns differ in
/// three places: Escape from the queue is UNDEFINED_KEY (only held is it ESCAPE), MINUS is the
/// main block's - key in the queue but the keypad's when held, and the Alt keys are never
/// reported held.
///
/// The rows stand in the fixed order in which held keys are tested: each cycle the first row whose
/// held key is down gives the cycle's one KEY_DOWN (so while A is held, W is not reported). The
/// rows that are never found held come last.
struct KeyTable {
    /// The rows, in the order held keys are tested.
    static constexpr KeyRow ROWS[] = {
        {Keyboard::A, "A", PhysicalKey::A, PhysicalKey::A},
        {Keyboard::B, "B", PhysicalKey::B, PhysicalKey::B},
        {Keyboard::C, "C", PhysicalKey::C, PhysicalKey::C},
        {Keyboard::D, "D", PhysicalKey::D, PhysicalKey::D},
        {Keyboard::E, "E", PhysicalKey::E, PhysicalKey::E},
        {Keyboard::F, "F", PhysicalKey::F, PhysicalKey::F},
        {Keyboard::G, "G", PhysicalKey::G, PhysicalKey::G},
        {Keyboard::H, "H", PhysicalKey::H, PhysicalKey::H},
        {Keyboard::I, "I", PhysicalKey::I, PhysicalKey::I},
        {Keyboard::J, "J", PhysicalKey::J, PhysicalKey::J},
        {Keyboard::K, "K", PhysicalKey::K, PhysicalKey::K},
        {Keyboard::L, "L", PhysicalKey::L, PhysicalKey::L},
        {Keyboard::M, "M", PhysicalKey::M, PhysicalKey::M},
        {Keyboard::N, "N", PhysicalKey::N, PhysicalKey::N},
        {Keyboard::O, "O", PhysicalKey::O, PhysicalKey::O},
        {Keyboard::P, "P", PhysicalKey::P, PhysicalKey::P},
        {Keyboard::Q, "Q", PhysicalKey::Q, PhysicalKey::Q},
        {Keyboard::R, "R", PhysicalKey::R, PhysicalKey::R},
        {Keyboard::S, "S", PhysicalKey::S, PhysicalKey::S},
        {Keyboard::T, "T", PhysicalKey::T, PhysicalKey::T},
        {Keyboard::U, "U", PhysicalKey::U, PhysicalKey::U},
        {Keyboard::V, "V", PhysicalKey::V, PhysicalKey::V},
        {Keyboard::W, "W", PhysicalKey::W, PhysicalKey::W},
        {Keyboard::X, "X", PhysicalKey::X, PhysicalKey::X},
        {Keyboard::Y, "Y", PhysicalKey::Y, PhysicalKey::Y},
        {Keyboard::Z, "Z", PhysicalKey::Z, PhysicalKey::Z},
        {Keyboard::SPACE, "SPACE", PhysicalKey::SPACE, PhysicalKey::SPACE},
        {Keyboard::RETURN, "RETURN", PhysicalKey::ENTER, PhysicalKey::ENTER},
        {Keyboard::ESCAPE, "ESCAPE", PhysicalKey::UNKNOWN, PhysicalKey::ESCAPE},
        {Keyboard::TAB, "TAB", PhysicalKey::TAB, PhysicalKey::TAB},
        {Keyboard::LEFTARROW, "LEFTARROW", PhysicalKey::LEFT, PhysicalKey::LEFT},
        {Keyboard::RIGHTARROW, "RIGHTARROW", PhysicalKey::RIGHT, PhysicalKey::RIGHT},
        {Keyboard::UPARROW, "UPARROW", PhysicalKey::UP, PhysicalKey::UP},
        {Keyboard::DOWNARROW, "DOWNARROW", PhysicalKey::DOWN, PhysicalKey::DOWN},
        {Keyboard::PAUSE, "PAUSE", PhysicalKey::PAUSE, PhysicalKey::PAUSE},
        {Keyboard::MINUS, "MINUS", PhysicalKey::HYPHEN, PhysicalKey::SUBTRACT},
        {Keyboard::PLUS, "PLUS", PhysicalKey::ADD, PhysicalKey::ADD},
        {Keyboard::TILDE, "TILDE", PhysicalKey::TILDE, PhysicalKey::TILDE},
        {Keyboard::PERIOD, "PERIOD", PhysicalKey::PERIOD, PhysicalKey::PERIOD},
        {Keyboard::COMMA, "COMMA", PhysicalKey::COMMA, PhysicalKey::COMMA},
        {Keyboard::SLASH, "SLASH", PhysicalKey::SLASH, PhysicalKey::SLASH},
        {Keyboard::LEFTCONTROL, "LEFTCONTROL", PhysicalKey::LCONTROL, PhysicalKey::LCONTROL},
        {Keyboard::RIGHTCONTROL, "RIGHTCONTROL", PhysicalKey::RCONTROL, PhysicalKey::RCONTROL},
        {Keyboard::LEFTSHIFT, "LEFTSHIFT", PhysicalKey::LSHIFT, PhysicalKey::LSHIFT},
        {Keyboard::RIGHTSHIFT, "RIGHTSHIFT", PhysicalKey::RSHIFT, PhysicalKey::RSHIFT},
        {Keyboard::F1, "F1", PhysicalKey::F1, PhysicalKey::F1},
        {Keyboard::F2, "F2", PhysicalKey::F2, PhysicalKey::F2},
        {Keyboard::F3, "F3", PhysicalKey::F3, PhysicalKey::F3},
        {Keyboard::F4, "F4", PhysicalKey::F4, PhysicalKey::F4},
        {Keyboard::F5, "F5", PhysicalKey::F5, PhysicalKey::F5},
        {Keyboard::F6, "F6", PhysicalKey::F6, PhysicalKey::F6},
        {Keyboard::F7, "F7", PhysicalKey::F7, PhysicalKey::F7},
        {Keyboard::F8, "F8", PhysicalKey::F8, PhysicalKey::F8},
        {Keyboard::F9, "F9", PhysicalKey::F9, PhysicalKey::F9},
        {Keyboard::F10, "F10", PhysicalKey::F10, PhysicalKey::F10},
        {Keyboard::F11, "F11", PhysicalKey::F11, PhysicalKey::F11},
        {Keyboard::F12, "F12", PhysicalKey::F12, PhysicalKey::F12},
        {Keyboard::NUM0, "NUM0", PhysicalKey::NUM0, PhysicalKey::NUM0},
        {Keyboard::NUM1, "NUM1", PhysicalKey::NUM1, PhysicalKey::NUM1},
        {Keyboard::NUM2, "NUM2", PhysicalKey::NUM2, PhysicalKey::NUM2},
        {Keyboard::NUM3, "NUM3", PhysicalKey::NUM3, PhysicalKey::NUM3},
        {Keyboard::NUM4, "NUM4", PhysicalKey::NUM4, PhysicalKey::NUM4},
        {Keyboard::NUM5, "NUM5", PhysicalKey::NUM5, PhysicalKey::NUM5},
        {Keyboard::NUM6, "NUM6", PhysicalKey::NUM6, PhysicalKey::NUM6},
        {Keyboard::NUM7, "NUM7", PhysicalKey::NUM7, PhysicalKey::NUM7},
        {Keyboard::NUM8, "NUM8", PhysicalKey::NUM8, PhysicalKey::NUM8},
        {Keyboard::NUM9, "NUM9", PhysicalKey::NUM9, PhysicalKey::NUM9},
        // Never found held.
        {Keyboard::LEFTALT, "LEFTALT", PhysicalKey::LALT, PhysicalKey::UNKNOWN},
        {Keyboard::RIGHTALT, "RIGHTALT", PhysicalKey::RALT, PhysicalKey::UNKNOWN},
        {Keyboard::UNDEFINED_KEY, "UNDEFINED_KEY", PhysicalKey::UNKNOWN, PhysicalKey::UNKNOWN},
    };
    /// How many rows: one per engine key code.
    static constexpr size_t ROW_COUNT = sizeof(ROWS) / sizeof(ROWS[0]);
    /// How many rows, from the first, are tested for a held key.
    static constexpr size_t HELD_COUNT = 67;

    /// The engine key code of a key from the event queue (UNDEFINED_KEY for any other key).
    static int fromQueue(PhysicalKey key);
    /// The engine key code of a key found held (UNDEFINED_KEY for one never sampled).
    static int fromHeld(PhysicalKey key);
    /// The name of an engine key code in replay files ("W", "LEFTSHIFT"); "UNDEFINED_KEY" for a
    /// number that is no code.
    static const char* nameOf(int code);
    /// The engine key code of a name; -1 when no code has it.
    static int codeOf(const std::string& name);

    /// Whether every engine key code has exactly one row, the held rows come first, and no two
    /// rows share a name or a physical key of one column (checked when compiling).
    static constexpr bool isWellFormed();

private:
    static constexpr bool sameName(const char* a, const char* b) {
        while (*a && *a == *b) {
            a++;
            b++;
        }
        return *a == *b;
    }
};

constexpr bool KeyTable::isWellFormed() {
    for (size_t i = 0; i < ROW_COUNT; i++) {
        if (ROWS[i].code < 0 || ROWS[i].code >= static_cast<int>(ROW_COUNT))
            return false;
        if ((i < HELD_COUNT) != (ROWS[i].from_held != PhysicalKey::UNKNOWN))
            return false;
        for (size_t j = i + 1; j < ROW_COUNT; j++) {
            const bool same_queue = ROWS[i].from_queue == ROWS[j].from_queue &&
                                    ROWS[i].from_queue != PhysicalKey::UNKNOWN;
            const bool same_held =
                ROWS[i].from_held == ROWS[j].from_held && ROWS[i].from_held != PhysicalKey::UNKNOWN;
            if (ROWS[i].code == ROWS[j].code || sameName(ROWS[i].name, ROWS[j].name) ||
                same_queue || same_held)
                return false;
        }
    }
    return true;
}

static_assert(KeyTable::ROW_COUNT == Keyboard::NUM9 + 1, "one row for every engine key code");
static_assert(KeyTable::isWellFormed(), "every key code once, held rows first, nothing twice");

} // namespace ks
