#include "BrowserCanvas.h"

#include <emscripten/html5.h>

#include "WebKeys.h"
#include "WebScreen.h"

extern "C" {
// ks-web.js
int ks_web_canvas_open(int width, int height, int glyph_size, const char* title,
                       const char* font_file);
void ks_web_canvas_paint(const int32_t* p_numbers, int cell_count);
void ks_web_canvas_close();
}

namespace ks {

namespace {

const char* const CANVAS = "#canvas";

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* p_event, void* p_user) {
    WebScreen* p_screen = static_cast<BrowserCanvas*>(p_user)->getScreen();
    const PhysicalKey key = WebKeys::fromCode(p_event->code);
    if (p_screen)
        p_screen->keyChanged(key, type == EMSCRIPTEN_EVENT_KEYDOWN, p_event->repeat);
    // true keeps the browser from acting on the key as well.
    return !WebKeys::leftToBrowser(key, p_event->ctrlKey || p_event->metaKey);
}

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* p_event, void* p_user) {
    BrowserCanvas* p_canvas = static_cast<BrowserCanvas*>(p_user);
    WebScreen* p_screen = p_canvas->getScreen();
    if (!p_screen)
        return EM_FALSE;
    // The page numbers the buttons left, middle, right from 0.
    static const int BUTTONS[] = {Mouse::LEFT, Mouse::MIDDLE, Mouse::RIGHT};
    const int button =
        p_event->button < 3 ? BUTTONS[p_event->button] : Mouse::UNDEFINED_MOUSE_BUTTON;
    using Type = InputEvent::Type;
    const Type kind = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? Type::MOUSE_PRESSED
                      : type == EMSCRIPTEN_EVENT_MOUSEUP ? Type::MOUSE_RELEASED
                                                         : Type::MOUSE_MOVED;
    p_screen->mouseChanged(kind, kind == Type::MOUSE_MOVED ? Mouse::UNDEFINED_MOUSE_BUTTON : button,
                           static_cast<int>(p_event->targetX), static_cast<int>(p_event->targetY),
                           p_canvas->getScale());
    return EM_FALSE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void* p_user) {
    if (WebScreen* p_screen = static_cast<BrowserCanvas*>(p_user)->getScreen())
        p_screen->focusChanged(type == EMSCRIPTEN_EVENT_FOCUS);
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* p_event, void* p_user) {
    // A hidden page has no focus, whatever the canvas was told.
    if (WebScreen* p_screen = static_cast<BrowserCanvas*>(p_user)->getScreen())
        if (p_event->hidden)
            p_screen->focusChanged(false);
    return EM_FALSE;
}

} // namespace

BrowserCanvas::BrowserCanvas(const ScreenSettings& init_settings)
    : settings(init_settings), layout(init_settings), p_screen(nullptr), numbers() {}

BrowserCanvas::~BrowserCanvas() {
    listen(nullptr);
}

ScreenStatus BrowserCanvas::open() {
    const int font =
        ks_web_canvas_open(layout.getWidth(), layout.getHeight(), layout.getGlyphSize(),
                           settings.title.c_str(), settings.font_file.c_str());
    return font ? ScreenStatus::OPENED : ScreenStatus::NO_FONT;
}

void BrowserCanvas::listen(WebScreen* p_new_screen) {
    const bool was_listening = p_screen != nullptr;
    p_screen = p_new_screen;
    if (was_listening == (p_screen != nullptr))
        return;
    // Null callbacks take the listeners away again.
    void* p_user = p_screen ? this : nullptr;
    const bool on = p_screen != nullptr;
    emscripten_set_keydown_callback(CANVAS, p_user, true, on ? onKey : nullptr);
    emscripten_set_keyup_callback(CANVAS, p_user, true, on ? onKey : nullptr);
    emscripten_set_mousedown_callback(CANVAS, p_user, true, on ? onMouse : nullptr);
    emscripten_set_mouseup_callback(CANVAS, p_user, true, on ? onMouse : nullptr);
    emscripten_set_mousemove_callback(CANVAS, p_user, true, on ? onMouse : nullptr);
    emscripten_set_focus_callback(CANVAS, p_user, true, on ? onFocus : nullptr);
    emscripten_set_blur_callback(CANVAS, p_user, true, on ? onFocus : nullptr);
    // The whole page losing the focus (another window chosen) blurs the window first.
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, p_user, true,
                                 on ? onFocus : nullptr);
    emscripten_set_visibilitychange_callback(p_user, true, on ? onVisibility : nullptr);
}

void BrowserCanvas::paint(const std::vector<CellDraw>& cells) {
    numbers.resize(cells.size() * 8);
    int32_t* p = numbers.data();
    for (const CellDraw& cell : cells) {
        const PixelRect background = layout.background(cell.x, cell.y);
        const Position corner = layout.corner(cell.x, cell.y);
        p[0] = background.left;
        p[1] = background.top;
        p[2] = background.right;
        p[3] = background.bottom;
        p[4] = corner.getX();
        p[5] = corner.getY() + layout.getGlyphSize();
        p[6] = static_cast<unsigned char>(cell.ch);
        p[7] = cell.color;
        p += 8;
    }
    ks_web_canvas_paint(numbers.data(), static_cast<int>(cells.size()));
}

void BrowserCanvas::close() {
    ks_web_canvas_close();
}

} // namespace ks
