#pragma once

#include "PhysicalKey.h"

namespace ks {

/// The engine's mouse button codes.
namespace Mouse {

/// The engine's mouse buttons; any other button arrives as UNDEFINED_MOUSE_BUTTON.
enum Button {
    UNDEFINED_MOUSE_BUTTON = 0, ///< no button (a move), or one the engine does not know
    LEFT = 1,                   ///< the left button
    RIGHT = 2,                  ///< the right button
    MIDDLE = 3,                 ///< the middle button (the wheel pressed)
};

} // namespace Mouse

/// Something that happened at a screen, as a platform reports it: the window closed, a key
/// pressed or released (auto-repeat included), a mouse button or the pointer, the focus.
struct InputEvent {
    /// What happened.
    enum class Type {
        CLOSED,         ///< the window was closed (or destroyed)
        KEY_PRESSED,    ///< key went down
        KEY_RELEASED,   ///< key went up
        MOUSE_PRESSED,  ///< button went down at (x, y)
        MOUSE_RELEASED, ///< button went up at (x, y)
        MOUSE_MOVED,    ///< the pointer moved to (x, y)
        FOCUS_GAINED,   ///< the window got the keyboard focus
        FOCUS_LOST,     ///< the window lost it
    };

    Type type = Type::CLOSED;                   ///< what happened
    PhysicalKey key = PhysicalKey::UNKNOWN;     ///< the key of a key event
    int button = Mouse::UNDEFINED_MOUSE_BUTTON; ///< the Mouse::Button of a button event
    int x = 0; ///< the pointer, in pixels of the window at scale 1, from its left edge
    int y = 0; ///< the pointer, in pixels of the window at scale 1, from its top edge
};

} // namespace ks
