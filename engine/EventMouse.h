#pragma once

#include "Event.h"
#include "Position.h"

namespace ks {

const std::string MOUSE_EVENT = "ks::mouse";

// Mouse actions.
enum EventMouseAction {
    MOUSE_PRESSED = 1,
    MOUSE_RELEASED = 2,
    MOUSE_MOVED = 3,
};

namespace Mouse {

enum Button {
    UNDEFINED_MOUSE_BUTTON = 0,
    LEFT = 1,
    RIGHT = 2,
    MIDDLE = 3,
};

} // namespace Mouse

// A mouse button pressed or released, or the pointer moved; the position is in window pixels.
class EventMouse : public Event {
public:
    EventMouse(int init_action = MOUSE_MOVED, int init_button = Mouse::UNDEFINED_MOUSE_BUTTON,
               Position init_position = Position());

    int getMouseAction() const { return mouse_action; }
    void setMouseAction(int new_action) { mouse_action = new_action; }
    int getMouseButton() const { return mouse_button; }
    void setMouseButton(int new_button) { mouse_button = new_button; }
    Position getMousePosition() const { return mouse_position; }
    void setMousePosition(Position new_position) { mouse_position = new_position; }

private:
    int mouse_action;
    int mouse_button;
    Position mouse_position;
};

} // namespace ks
