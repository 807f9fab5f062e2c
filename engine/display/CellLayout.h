#pragma once

#include "Platform.h"
#include "Position.h"

namespace ks {

/// A rectangle in pixels as a graphics card is given it, edges anywhere between pixels.
struct EdgeRect {
    float left;   ///< the left edge
    float top;    ///< the top edge
    float right;  ///< the right edge
    float bottom; ///< the bottom edge
};

/// A rectangle of whole pixels: the columns left to right - 1 and the rows top to bottom - 1.
struct PixelRect {
    int left;   ///< the first column
    int top;    ///< the first row
    int right;  ///< one past the last column
    int bottom; ///< one past the last row
};

/// Where a screen of character cells puts its cells, in pixels, the one geometry of the desktop's
/// window and the web page's canvas, so that both cover the same pixels: each cell's
/// corner at its unscaled position truncated, then scaled; its black background a cell wide and a
/// pixel less than a cell high, offset as the desktop offsets it; its glyph at twice the narrower
/// cell dimension, on a baseline a glyph size below the corner.
class CellLayout {
public:
    /// The layout of a screen as the settings describe it (the scale held to 1 or more).
    explicit CellLayout(const ScreenSettings& settings);

    /// The window's width in pixels, scaled.
    int getWidth() const { return width; }
    /// The window's height in pixels, scaled.
    int getHeight() const { return height; }
    /// How many times larger than its size the window is drawn.
    int getScale() const { return scale; }
    /// The glyphs' size in pixels (23 at scale 1).
    int getGlyphSize() const { return glyph_size; }
    /// A cell's width in pixels, scaled.
    float getCellWidth() const { return cell_width; }
    /// A cell's height in pixels, scaled.
    float getCellHeight() const { return cell_height; }

    /// The top-left pixel of a cell (column x, row y of the view).
    Position corner(int x, int y) const;
    /// The black background of the cell whose corner is given, a cell wide and a pixel (scaled)
    /// less than a cell high. Its position is computed in float and its size added, so that its
    /// edges fall on the same pixels whichever way it is drawn.
    EdgeRect backgroundEdges(Position cell_corner) const;
    /// The pixels a cell's black background covers: those whose centres lie in backgroundEdges,
    /// as a graphics card fills it.
    PixelRect background(int x, int y) const;

private:
    int scale;
    int width;
    int height;
    /// A cell's size at scale 1 and scaled.
    float unscaled_cell_width;
    float unscaled_cell_height;
    float cell_width;
    float cell_height;
    int glyph_size;
};

} // namespace ks
