#include "KeyboardSampler.h"

#include <cstring>

// Last: its macros (None, Status, ...) would break other headers.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace ks {

namespace {

// The X key symbol of a key: the symbol it carries on a US layout (NoSymbol when it has none).
KeySym keysymOf(PhysicalKey key) {
    using K = PhysicalKey;
    const int k = static_cast<int>(key);
    if (key >= K::A && key <= K::Z)
        return XK_a + (k - static_cast<int>(K::A));
    if (key >= K::NUM0 && key <= K::NUM9)
        return XK_0 + (k - static_cast<int>(K::NUM0));
    if (key >= K::NUMPAD0 && key <= K::NUMPAD9)
        return XK_KP_0 + (k - static_cast<int>(K::NUMPAD0));
    if (key >= K::F1 && key <= K::F15)
        return XK_F1 + (k - static_cast<int>(K::F1));
    switch (key) {
    case K::ESCAPE:
        return XK_Escape;
    case K::LCONTROL:
        return XK_Control_L;
    case K::LSHIFT:
        return XK_Shift_L;
    case K::LALT:
        return XK_Alt_L;
    case K::LSYSTEM:
        return XK_Super_L;
    case K::RCONTROL:
        return XK_Control_R;
    case K::RSHIFT:
        return XK_Shift_R;
    case K::RALT:
        return XK_Alt_R;
    case K::RSYSTEM:
        return XK_Super_R;
    case K::MENU:
        return XK_Menu;
    case K::LBRACKET:
        return XK_bracketleft;
    case K::RBRACKET:
        return XK_bracketright;
    case K::SEMICOLON:
        return XK_semicolon;
    case K::COMMA:
        return XK_comma;
    case K::PERIOD:
        return XK_period;
    case K::QUOTE:
        return XK_apostrophe;
    case K::SLASH:
        return XK_slash;
    case K::BACKSLASH:
        return XK_backslash;
    case K::TILDE:
        return XK_grave;
    case K::EQUAL:
        return XK_equal;
    case K::HYPHEN:
        return XK_minus;
    case K::SPACE:
        return XK_space;
    case K::ENTER:
        return XK_Return;
    case K::BACKSPACE:
        return XK_BackSpace;
    case K::TAB:
        return XK_Tab;
    case K::PAGEUP:
        return XK_Prior;
    case K::PAGEDOWN:
        return XK_Next;
    case K::END:
        return XK_End;
    case K::HOME:
        return XK_Home;
    case K::INSERT:
        return XK_Insert;
    case K::DELETE:
        return XK_Delete;
    case K::ADD:
        return XK_KP_Add;
    case K::SUBTRACT:
        return XK_KP_Subtract;
    case K::MULTIPLY:
        return XK_KP_Multiply;
    case K::DIVIDE:
        return XK_KP_Divide;
    case K::LEFT:
        return XK_Left;
    case K::RIGHT:
        return XK_Right;
    case K::UP:
        return XK_Up;
    case K::DOWN:
        return XK_Down;
    case K::PAUSE:
        return XK_Pause;
    default:
        return NoSymbol;
    }
}

} // namespace

KeyboardSampler::KeyboardSampler() : keycodes(), keymap(), p_display(XOpenDisplay(nullptr)) {
    Display* p_x = static_cast<Display*>(p_display);
    if (!p_x)
        return;
    for (int key = 0; key < static_cast<int>(PhysicalKey::COUNT); key++) {
        KeySym symbol = keysymOf(static_cast<PhysicalKey>(key));
        keycodes[key] = symbol == NoSymbol ? 0 : XKeysymToKeycode(p_x, symbol);
    }
}

KeyboardSampler::~KeyboardSampler() {
    if (p_display)
        XCloseDisplay(static_cast<Display*>(p_display));
}

bool KeyboardSampler::sample() {
    if (!p_display) {
        memset(keymap, 0, sizeof(keymap));
        return false;
    }
    XQueryKeymap(static_cast<Display*>(p_display), keymap);
    return true;
}

bool KeyboardSampler::isDown(PhysicalKey key) const {
    const int index = static_cast<int>(key);
    if (index < 0 || index >= static_cast<int>(PhysicalKey::COUNT))
        return false;
    unsigned char code = keycodes[index];
    return code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0;
}

} // namespace ks
