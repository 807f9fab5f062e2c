#pragma once

namespace ks {

/// Keeps watch over the X server on behalf of the window. SFML ends the process when it cannot
/// reach a display, and Xlib's own error handler ends it at the first error, such as one about a
/// window another program destroyed (xdotool windowclose, xkill). So the display is probed before
/// a window is made, and errors go to a handler that notes what happened to the watched window
/// instead.
class XErrorWatch {
public:
    /// Connects to the display named by DISPLAY and stays connected until release(): an X
    /// server with no clients left resets, and SFML's own connection would race that reset.
    /// false when there is no display.
    bool probe();
    /// Closes the probe's connection (once the window exists).
    void release();

    /// Watches the window (an X window id) from now on, with a handler that never ends the
    /// process; 0 stops watching.
    void watch(unsigned long window);
    /// Whether the server said the watched window no longer exists.
    bool isWindowDestroyed() const;

    /// Releases the probe.
    ~XErrorWatch();

private:
    /// The probe's connection (a Display*, kept opaque so Xlib's macros stay out of this header).
    void* p_probe = nullptr;
};

} // namespace ks
