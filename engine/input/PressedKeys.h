#pragma once

#include <functional>
#include <set>

#include "PhysicalKey.h"

namespace ks {

/// The keys pressed at the screen and not yet released there. A key let go while another window
/// had the focus (Alt+Tab) sends no release to the game's window: found no longer held, it is
/// released for the game then, once, and its late release from the window, should one come, is
/// not passed on again.
class PressedKeys {
public:
    /// Whether a key is held right now.
    using HeldTest = std::function<bool(PhysicalKey)>;

    /// A key went down at the screen (a new press, even of a key released early).
    void pressed(PhysicalKey key);
    /// A key went up at the screen: true when its release is news to the game, false when it
    /// was already released (by lost()).
    bool released(PhysicalKey key);
    /// Takes out the keys pressed and no longer held, in key order, and returns them: each is to
    /// be released for the game now.
    std::set<PhysicalKey> lost(const HeldTest& is_held);
    /// Forgets every key (a new screen starts with none down).
    void clear();

private:
    std::set<PhysicalKey> down;
    std::set<PhysicalKey> released_early;
};

} // namespace ks
