#include "HeadlessScreen.h"

namespace ks {

bool HeadlessScreen::isOpen() const {
    return open;
}

void HeadlessScreen::close() {
    open = false;
}

int HeadlessScreen::present(const std::vector<CellDraw>& /*cells*/) {
    return 0;
}

bool HeadlessScreen::pollEvent(InputEvent& /*event*/) {
    return false;
}

bool HeadlessScreen::isKeyHeld(PhysicalKey /*key*/) {
    return false;
}

} // namespace ks
