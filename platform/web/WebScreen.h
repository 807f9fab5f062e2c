#pragma once

#include <deque>
#include <memory>
#include <set>
#include <vector>

#include "CellCanvas.h"
#include "FrameSkipper.h"
#include "InputEvent.h"
#include "PhysicalKey.h"
#include "Screen.h"

namespace ks {

/// The screen of a web page: frames painted on a canvas of character cells, and the page's key,
/// mouse and focus events, which the browser hands over (keyChanged, mouseChanged, focusChanged)
/// between the game's cycles and which the input manager polls at the next one.
///
/// Keys are held from their keydown to their keyup while the page has the focus; losing it (the
/// page hidden, another window or element chosen) lets go of every key, as a desktop window's
/// does, so the input manager releases them. A frame that equals the one painted last is not
/// painted again: the canvas keeps its pixels.
class WebScreen : public Screen {
public:
    /// Events waiting beyond this many are dropped (a page whose game has ended is not polled).
    static constexpr size_t MAX_QUEUED = 4096;

    /// A screen painting on the canvas, with the focus.
    explicit WebScreen(std::unique_ptr<CellCanvas> new_canvas);

    bool isOpen() const override { return open; }
    /// Closes the canvas (it keeps the last frame); later frames and events are dropped.
    void close() override;
    int present(const std::vector<CellDraw>& cells) override;
    bool pollEvent(InputEvent& event) override;
    /// Takes the keys held now as the cycle's.
    void sampleKeyboard() override;
    bool isKeyHeld(PhysicalKey key) override;
    /// Off, a key held down gives one KEY_PRESSED, not one per repeat of the browser's.
    void setKeyRepeat(bool repeat) override { key_repeat = repeat; }

    /// A key went down (repeat: the browser repeating a key held down) or up on the page.
    void keyChanged(PhysicalKey key, bool down, bool repeat);
    /// A mouse button went down or up, or the pointer moved (InputEvent's MOUSE_ types), at (x, y)
    /// in pixels of the canvas as drawn: the game reads them at scale 1, as on the desktop.
    void mouseChanged(InputEvent::Type type, int button, int x, int y, int scale);
    /// The page got or lost the keyboard focus.
    void focusChanged(bool focused);

    /// Whether the page has the keyboard focus.
    bool hasFocus() const { return focused; }
    /// How many frames were painted.
    long getFramesPainted() const { return skipper.getFramesShown(); }
    /// How many frames were left out, equal to the one painted.
    long getFramesSkipped() const { return skipper.getFramesSkipped(); }

private:
    void queue(const InputEvent& event);

    std::unique_ptr<CellCanvas> canvas;
    bool open;
    bool focused;
    bool key_repeat;
    std::deque<InputEvent> events;
    /// Held now, and at the cycle's sample.
    std::set<PhysicalKey> held;
    std::set<PhysicalKey> sampled;
    FrameSkipper skipper;
};

} // namespace ks
