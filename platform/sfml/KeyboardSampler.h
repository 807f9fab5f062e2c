#pragma once

#include "PhysicalKey.h"

namespace ks {

/// The keyboard's state read from the X server in one query per sample: sample() asks which keys
/// are down, isDown() then tests a key against that answer. (Asking the server once per key, as
/// sf::Keyboard::isKeyPressed does, costs a round trip per key.)
class KeyboardSampler {
public:
    /// Connects to the display named by DISPLAY; without one every key reads as up.
    KeyboardSampler();
    /// Closes the connection to the display.
    ~KeyboardSampler();

    /// Reads the state of every key at once. false (and every key up) without a display.
    bool sample();
    /// Whether the key was down at the last sample. Keys the keyboard has no key for are up.
    bool isDown(PhysicalKey key) const;

    KeyboardSampler(const KeyboardSampler&) = delete;
    KeyboardSampler& operator=(const KeyboardSampler&) = delete;

private:
    /// The X keycode of each key (0: none), found once at connection.
    unsigned char keycodes[static_cast<int>(PhysicalKey::COUNT)];
    /// The bit map of keys down, by keycode, as the server gives it.
    char keymap[32];
    /// The X connection (a Display*, kept opaque so Xlib's macros stay out of this header).
    void* p_display;
};

} // namespace ks
