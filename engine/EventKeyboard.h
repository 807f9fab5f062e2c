#pragma once

#include "Event.h"

namespace ks {

const std::string KEYBOARD_EVENT = "ks::keyboard";

// Keyboard actions.
enum EventKeyboardAction {
    KEY_PRESSED = 1,  // a key went down (from the event queue, auto-repeat included)
    KEY_RELEASED = 2, // a key went up
    KEY_DOWN = 3,     // a key is held at the moment of sampling
};

namespace Keyboard {

// The engine's key codes.
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

// A key pressed, released or held.
class EventKeyboard : public Event {
public:
    EventKeyboard(int init_action = KEY_PRESSED, int init_key = Keyboard::UNDEFINED_KEY);

    int getKeyboardAction() const { return keyboard_action; }
    void setKeyboardAction(int new_action) { keyboard_action = new_action; }
    int getKey() const { return key; }
    void setKey(int new_key) { key = new_key; }

private:
    int keyboard_action;
    int key;
};

} // namespace ks
