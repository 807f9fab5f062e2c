#pragma once

#include <vector>

#include "Screen.h"

namespace ks {

/// What a WebScreen paints its frames on: the web page's canvas (BrowserCanvas), or a test's.
class CellCanvas {
public:
    /// Canvases are owned and destroyed through this base.
    virtual ~CellCanvas();
    /// Paints a frame: on black, each cell's background and then its glyph, in the cells' order.
    virtual void paint(const std::vector<CellDraw>& cells) = 0;
    /// Stops painting; the last frame stays as it was.
    virtual void close() = 0;
};

} // namespace ks
