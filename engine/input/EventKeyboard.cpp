#include "EventKeyboard.h"

namespace ks {

EventKeyboard::EventKeyboard(int init_action, int init_key)
    : keyboard_action(init_action), key(init_key) {
    setType(KEYBOARD_EVENT);
}

} // namespace ks
