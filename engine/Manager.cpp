#include "Manager.h"

#include "Object.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "WorldManager.h"

namespace ks {

Manager::Manager() : type(), is_started(false) {}

Manager::~Manager() = default;

int Manager::startUp() {
    is_started = true;
    return 0;
}

void Manager::shutDown() {
    is_started = false;
}

int Manager::onEvent(const Event* p_event) const {
    // A copy, so that objects created or marked by a handler do not disturb this dispatch.
    ObjectList all = WorldManager::getInstance().getAllObjects();
    int handled = 0;
    for (ObjectListIterator it(&all); !it.isDone(); it.next())
        handled += it.currentObject()->eventHandler(p_event);
    return handled;
}

} // namespace ks
