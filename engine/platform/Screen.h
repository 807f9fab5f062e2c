#pragma once

#include <vector>

#include "InputEvent.h"
#include "PhysicalKey.h"

namespace ks {

/// One character drawn in one cell of a frame: the cell (column x, row y of the view; the ring of
/// cells just outside it, -1 and the size, may be drawn too), the character and its colour
/// (Color; other numbers draw white).
struct CellDraw {
    int x;     ///< column
    int y;     ///< row
    char ch;   ///< character
    int color; ///< colour number
    /// Whether both draw the same character in the same colour in the same cell.
    bool operator==(const CellDraw& other) const {
        return x == other.x && y == other.y && ch == other.ch && color == other.color;
    }
};

/// What the engine needs from a screen: to show frames of character cells, and the input that
/// happens at it. A platform provides one (a window, a web page's canvas, nothing at all); the
/// graphics manager draws through it and the input manager reads from it.
///
/// A frame is shown as the ordered list of its cells: each cell paints its black background and
/// then its glyph, and a glyph may reach a pixel or two into its neighbours, so what a cell drawn
/// later covers depends on the order.
class Screen {
public:
    /// Screens are owned and destroyed through this base.
    virtual ~Screen();

    /// Whether the screen can still show frames (a window not closed).
    virtual bool isOpen() const = 0;
    /// Closes the screen; later frames and polls do nothing.
    virtual void close() = 0;
    /// Whether frames are shown to anyone (false for a screen that only keeps them).
    virtual bool hasWindow() const { return true; }

    /// Shows a frame made of the cells, in drawing order, on black. 0, or -1 when there is
    /// nothing to show on.
    virtual int present(const std::vector<CellDraw>& cells) = 0;

    /// The next input that happened, if any (false when there is none).
    virtual bool pollEvent(InputEvent& event) = 0;
    /// Reads which keys are held, once a cycle, before isKeyHeld is asked.
    virtual void sampleKeyboard() {}
    /// Whether the key was held at the last sample. Keys count only while the screen has the
    /// focus: what is typed into another window is not the game's.
    virtual bool isKeyHeld(PhysicalKey key) = 0;
    /// Whether a key held down repeats its KEY_PRESSED events (the platform's default: on).
    virtual void setKeyRepeat(bool /*repeat*/) {}
};

} // namespace ks
