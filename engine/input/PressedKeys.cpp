#include "PressedKeys.h"

namespace ks {

void PressedKeys::pressed(PhysicalKey key) {
    if (key == PhysicalKey::UNKNOWN)
        return;
    down.insert(key);
    released_early.erase(key);
}

bool PressedKeys::released(PhysicalKey key) {
    down.erase(key);
    return released_early.erase(key) == 0;
}

std::set<PhysicalKey> PressedKeys::lost(const HeldTest& is_held) {
    std::set<PhysicalKey> gone;
    for (auto it = down.begin(); it != down.end();) {
        if (is_held(*it)) {
            ++it;
            continue;
        }
        gone.insert(*it);
        released_early.insert(*it);
        it = down.erase(it);
    }
    return gone;
}

void PressedKeys::clear() {
    down.clear();
    released_early.clear();
}

} // namespace ks
