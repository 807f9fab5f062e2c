#pragma once

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include "Position.h"

namespace sf {
class RenderWindow;
}

namespace ks {

/// What the graphics and input managers need from a screen: somewhere to draw character cells,
/// a way to show a finished frame, and the window's events and keyboard. The graphics manager
/// keeps the cell model itself, so a backend that draws nothing (HeadlessBackend) runs the whole
/// game without a display; WindowBackend is the real SFML window.
class DisplayBackend {
public:
    /// Backends are owned and destroyed through this base.
    virtual ~DisplayBackend();

    /// Whether there is a window and it has not been closed.
    virtual bool isOpen() const = 0;
    /// Closes the window; later draws and polls do nothing.
    virtual void close() = 0;

    /// Draws one character cell (its black background, then the glyph in the colour) with the
    /// cell's top-left corner at the pixel position. Cells drawn later cover earlier ones.
    virtual void drawCell(Position pixel, char ch, int color) = 0;
    /// Shows what was drawn since the last call and starts the next frame black. 0, or -1 when
    /// there is nothing to show on.
    virtual int present() = 0;

    /// The next pending window event, if any (false when there is none).
    virtual bool pollEvent(sf::Event& event) = 0;
    /// Reads which keys are held, once a cycle, before isKeyHeld is asked.
    virtual void sampleKeyboard() {}
    /// Whether the key was held at the last sample. Keys count only while the window has the
    /// focus: what is typed into another window is not the game's.
    virtual bool isKeyHeld(sf::Keyboard::Key key) = 0;

    /// The SFML window, or null for a backend without one.
    virtual sf::RenderWindow* getWindow() const { return nullptr; }
    /// Draws what is queued into the window's back buffer now (0), -1 without a window.
    virtual int flush() { return -1; }
    /// Chooses between one draw call a frame (true) and drawing each cell at once; only a window
    /// backend has the two paths.
    virtual void setBatching(bool /*new_batching*/) {}
    /// Whether cells are queued for one draw call a frame (always true without a window).
    virtual bool getBatching() const { return true; }
};

} // namespace ks
