#include "Manager.h"

namespace ks {

namespace {

Manager::Broadcast broadcast = nullptr;

} // namespace

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
    return broadcast ? broadcast(p_event) : 0;
}

void Manager::setBroadcast(Broadcast new_broadcast) {
    broadcast = new_broadcast;
}

} // namespace ks
