#pragma once

#include <string>

#include "PhysicalKey.h"

namespace ks {

/// The keys of a web page's keyboard events as the engine's physical keys. A page reads
/// KeyboardEvent.code, which names where a key is on a US layout whatever the layout in use, so
/// W A S D are where they are on any keyboard, as on the desktop.
class WebKeys {
public:
    /// The physical key of a KeyboardEvent.code ("KeyW", "ShiftLeft", "ArrowUp", "Numpad5");
    /// UNKNOWN for a code the engine has no key for.
    static PhysicalKey fromCode(const std::string& code);

    /// Whether a key press keeps its meaning to the browser: the function keys (help, reload,
    /// full screen, developer tools), Tab (to leave the game), and any key pressed with Control
    /// or Meta (the browser's shortcuts). Every other key is the game's alone while it has the
    /// focus: no scrolling on the arrows or Space, no menu on Alt. The game gets every key
    /// either way.
    static bool leftToBrowser(PhysicalKey key, bool control_or_meta);
};

} // namespace ks
