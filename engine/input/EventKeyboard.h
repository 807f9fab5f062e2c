#pragma once

#include "Event.h"

namespace ks {

/// The type label of EventKeyboard.
const std::string KEYBOARD_EVENT = "ks::keyboard";

/// Keyboard actions.
enum EventKeyboardAction {
    /// A key went down; while it is held, again at the keyboard's repeat rate with no release
    /// between (unless InputManager::startUp turned key repeat off).
    KEY_PRESSED = 1,
    KEY_RELEASED = 2, ///< a key went up
    KEY_DOWN = 3,     ///< a key is held at the moment of sampling: one key a cycle, at most
};

/// The engine's key codes, the same on every platform (KeyTable: where they come from).
namespace Keyboard {

/// The engine's key codes: letters A to Z, digits NUM0 to NUM9 (the row above the letters), F1
/// to F12 and the keys named below. A key the engine does not know arrives as UNDEFINED_KEY, and
/// so does a pressed Escape: Escape ends the game at once (the input manager closes the window
/// and sets game over), and its KEY_PRESSED and KEY_RELEASED carry UNDEFINED_KEY; only a held
/// Escape's KEY_DOWN, if a cycle still samples it, says ESCAPE. Do not wait for an Escape press.
enum Key {
    UNDEFINED_KEY = 0,
    SPACE,
    RETURN,
    ESCAPE,
    TAB,
    LEFTARROW,
    RIGHTARROW,
    UPARROW,
    DOWNARROW,
    PAUSE,
    MINUS,
    PLUS,
    TILDE,
    PERIOD,
    COMMA,
    SLASH,
    LEFTCONTROL,
    RIGHTCONTROL,
    LEFTSHIFT,
    RIGHTSHIFT,
    LEFTALT,
    RIGHTALT,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    NUM0,
    NUM1,
    NUM2,
    NUM3,
    NUM4,
    NUM5,
    NUM6,
    NUM7,
    NUM8,
    NUM9,
};

} // namespace Keyboard

/// A key pressed, released or held.
///
/// Each cycle the input manager sends the window's presses and releases in the order they came,
/// then at most one KEY_DOWN, for the first held key in the fixed order of KeyTable::ROWS: A to Z,
/// Space, Return, Escape, Tab, the arrows, Pause, keypad -, +, ~, '.', ',', '/', the Control and
/// Shift keys, F1 to F12, the digits. So while A is held, neither W nor an arrow is reported held;
/// the Alt keys never are.
class EventKeyboard : public Event {
public:
    /// An event of the action (EventKeyboardAction) on the key (Keyboard::Key).
    EventKeyboard(int init_action = KEY_PRESSED, int init_key = Keyboard::UNDEFINED_KEY);

    /// KEY_PRESSED, KEY_RELEASED or KEY_DOWN.
    int getKeyboardAction() const { return keyboard_action; }
    /// Sets the action (EventKeyboardAction).
    void setKeyboardAction(int new_action) { keyboard_action = new_action; }
    /// The key, a Keyboard::Key.
    int getKey() const { return key; }
    /// Sets the key (Keyboard::Key).
    void setKey(int new_key) { key = new_key; }

private:
    int keyboard_action;
    int key;
};

} // namespace ks
