#include "Manager.h"

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
    return WorldManager::getInstance().broadcast(p_event);
}

} // namespace ks
