#include "CameraObject.h"

#include "Event.h"
#include "EventKeyboard.h"
#include "EventView.h"
#include "WorldManager.h"

namespace ks {

CameraObject::CameraObject(Position position) : Object(position) {
    setAltitude(MAX_ALTITUDE);
    setSolidness(SPECTRAL);
    setType("camera");
}

int CameraObject::eventHandler(const Event* p_event) {
    if (p_event->getType() != KEYBOARD_EVENT)
        return 0;
    const EventKeyboard* p_keyboard = static_cast<const EventKeyboard*>(p_event);
    if (p_keyboard->getKeyboardAction() != KEY_PRESSED)
        return 0;

    Position where = getPosition();
    switch (p_keyboard->getKey()) {
    case Keyboard::LEFTARROW:
        where.moveX(-1);
        break;
    case Keyboard::RIGHTARROW:
        where.moveX(1);
        break;
    case Keyboard::UPARROW:
        where.moveY(-1);
        break;
    case Keyboard::DOWNARROW:
        where.moveY(1);
        break;
    default:
        return 0;
    }
    WorldManager::getInstance().moveObject(this, where);

    EventView moved("Test Value", 1, true);
    WorldManager::getInstance().onEvent(&moved);
    return 1;
}

} // namespace ks
