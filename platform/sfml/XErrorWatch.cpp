#include "XErrorWatch.h"

// Last: its macros (None, Status, ...) would break other headers.
#include <X11/Xlib.h>

namespace ks {

namespace {

// The window the handler watches, and whether the server said another program destroyed it.
// Xlib has one handler per process, so these are too.
unsigned long watched_window = 0;
bool window_destroyed = false;

int onXError(Display* /*p_display*/, XErrorEvent* p_error) {
    // Once the window is gone every request on it fails (BadWindow, BadDrawable, GLX's own):
    // note it, so that the game ends as if it had been closed. Errors about other resources
    // are dropped: the display is shared with SFML, which tests what it needs.
    if (watched_window != 0 && p_error->resourceid == watched_window)
        window_destroyed = true;
    return 0;
}

} // namespace

bool XErrorWatch::probe() {
    release();
    p_probe = XOpenDisplay(nullptr);
    return p_probe != nullptr;
}

void XErrorWatch::release() {
    if (p_probe)
        XCloseDisplay(static_cast<Display*>(p_probe));
    p_probe = nullptr;
}

void XErrorWatch::watch(unsigned long window) {
    watched_window = window;
    window_destroyed = false;
    if (window != 0)
        XSetErrorHandler(onXError);
}

bool XErrorWatch::isWindowDestroyed() const {
    return window_destroyed;
}

XErrorWatch::~XErrorWatch() {
    release();
}

} // namespace ks
