#include "EventMouse.h"

namespace ks {

EventMouse::EventMouse(int init_action, int init_button, Position init_position)
    : mouse_action(init_action), mouse_button(init_button), mouse_position(init_position) {
    setType(MOUSE_EVENT);
}

} // namespace ks
