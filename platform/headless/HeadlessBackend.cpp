#include "HeadlessBackend.h"

namespace ks {

bool HeadlessBackend::isOpen() const {
    return open;
}

void HeadlessBackend::close() {
    open = false;
}

void HeadlessBackend::drawCell(Position /*pixel*/, char /*ch*/, int /*color*/) {}

int HeadlessBackend::present() {
    return 0;
}

bool HeadlessBackend::pollEvent(sf::Event& /*event*/) {
    return false;
}

bool HeadlessBackend::isKeyHeld(sf::Keyboard::Key /*key*/) {
    return false;
}

} // namespace ks
