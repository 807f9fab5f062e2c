#pragma once

#include "Event.h"
#include "InputEvent.h" // Mouse::Button
#include "Position.h"

namespace ks {

/// The type label of EventMouse.
const std::string MOUSE_EVENT = "ks::mouse";

/// Mouse actions.
enum EventMouseAction {
    MOUSE_PRESSED = 1,  ///< a button went down
    MOUSE_RELEASED = 2, ///< a button went up
    MOUSE_MOVED = 3,    ///< the pointer moved (no button)
};

/// A mouse button pressed or released, or the pointer moved; the position is in window pixels.
class EventMouse : public Event {
public:
    /// An event of the action (EventMouseAction) with the button (Mouse::Button) at a pixel
    /// position.
    EventMouse(int init_action = MOUSE_MOVED, int init_button = Mouse::UNDEFINED_MOUSE_BUTTON,
               Position init_position = Position());

    /// MOUSE_PRESSED, MOUSE_RELEASED or MOUSE_MOVED.
    int getMouseAction() const { return mouse_action; }
    /// Sets the action (EventMouseAction).
    void setMouseAction(int new_action) { mouse_action = new_action; }
    /// The button, a Mouse::Button; UNDEFINED_MOUSE_BUTTON for a move.
    int getMouseButton() const { return mouse_button; }
    /// Sets the button (Mouse::Button).
    void setMouseButton(int new_button) { mouse_button = new_button; }
    /// The pointer in pixels from the window's top-left corner, counted as at scale 1 (921 x 691)
    /// whatever the window's scale; GraphicsManager::pixelsToSpaces gives the cell.
    Position getMousePosition() const { return mouse_position; }
    /// Sets the pointer's position in window pixels.
    void setMousePosition(Position new_position) { mouse_position = new_position; }

private:
    int mouse_action;
    int mouse_button;
    Position mouse_position;
};

} // namespace ks
