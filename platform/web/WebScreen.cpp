#include "WebScreen.h"

#include <chrono>
#include <utility>

namespace ks {

WebScreen::WebScreen(std::unique_ptr<CellCanvas> new_canvas)
    : canvas(std::move(new_canvas)), open(true), focused(true), key_repeat(true), events(), held(),
      sampled(), skipper() {
    // Unlike a window's, the canvas keeps its pixels: an unchanged frame needs no painting, and a
    // day between repaints is never in practice.
    skipper.setRepaintInterval(std::chrono::hours(24));
}

void WebScreen::close() {
    if (open && canvas)
        canvas->close();
    open = false;
    events.clear();
}

int WebScreen::present(const std::vector<CellDraw>& cells) {
    if (!open || !canvas)
        return -1;
    const FrameSkipper::Clock::time_point now = FrameSkipper::Clock::now();
    if (skipper.canSkip(cells, now)) {
        skipper.skipped();
        return 0;
    }
    canvas->paint(cells);
    skipper.shown(cells, now);
    return 0;
}

bool WebScreen::pollEvent(InputEvent& event) {
    if (events.empty())
        return false;
    event = events.front();
    events.pop_front();
    return true;
}

void WebScreen::sampleKeyboard() {
    sampled = held;
}

bool WebScreen::isKeyHeld(PhysicalKey key) {
    return focused && sampled.count(key) > 0;
}

void WebScreen::queue(const InputEvent& event) {
    if (open && events.size() < MAX_QUEUED)
        events.push_back(event);
}

void WebScreen::keyChanged(PhysicalKey key, bool down, bool repeat) {
    InputEvent event;
    event.type = down ? InputEvent::Type::KEY_PRESSED : InputEvent::Type::KEY_RELEASED;
    event.key = key;
    if (down) {
        // Only the page with the focus hears a key go down, whatever was heard of the focus.
        focused = true;
        held.insert(key);
        if (repeat && !key_repeat)
            return;
    } else {
        held.erase(key);
    }
    queue(event);
}

void WebScreen::mouseChanged(InputEvent::Type type, int button, int x, int y, int scale) {
    InputEvent event;
    event.type = type;
    event.button = button;
    event.x = scale > 1 ? x / scale : x;
    event.y = scale > 1 ? y / scale : y;
    queue(event);
}

void WebScreen::focusChanged(bool now_focused) {
    if (now_focused == focused)
        return;
    focused = now_focused;
    if (!focused) {
        // Their keyups go elsewhere now: every key counts as let go.
        held.clear();
        sampled.clear();
    }
    InputEvent event;
    event.type = focused ? InputEvent::Type::FOCUS_GAINED : InputEvent::Type::FOCUS_LOST;
    queue(event);
}

} // namespace ks
