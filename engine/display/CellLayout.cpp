#include "CellLayout.h"

#include <cmath>

namespace ks {

namespace {

// The first pixel whose centre is at or past the edge.
int firstCentreFrom(float edge) {
    return static_cast<int>(std::ceil(edge - 0.5f));
}

} // namespace

CellLayout::CellLayout(const ScreenSettings& settings)
    : scale(settings.scale >= 1 ? settings.scale : 1), width(settings.horizontal_pixels * scale),
      height(settings.vertical_pixels * scale),
      unscaled_cell_width(static_cast<float>(settings.horizontal_pixels) /
                          static_cast<float>(settings.horizontal_chars)),
      unscaled_cell_height(static_cast<float>(settings.vertical_pixels) /
                           static_cast<float>(settings.vertical_chars)),
      cell_width(static_cast<float>(width) / static_cast<float>(settings.horizontal_chars)),
      cell_height(static_cast<float>(height) / static_cast<float>(settings.vertical_chars)),
      glyph_size(static_cast<int>(cell_height > cell_width ? 2 * cell_width : 2 * cell_height)) {}

Position CellLayout::corner(int x, int y) const {
    // The corner at scale 1, truncated toward zero, then scaled: the same pixels at every scale,
    // only larger.
    return Position(static_cast<int>(x * unscaled_cell_width) * scale,
                    static_cast<int>(y * unscaled_cell_height) * scale);
}

EdgeRect CellLayout::backgroundEdges(Position cell_corner) const {
    const float x0 = cell_corner.getX() + cell_width / 2 - 5 * scale;
    const float y0 = cell_corner.getY() + cell_height / 2 - 12 * scale;
    return EdgeRect{x0, y0, x0 + cell_width, y0 + (cell_height - scale)};
}

PixelRect CellLayout::background(int x, int y) const {
    const EdgeRect edges = backgroundEdges(corner(x, y));
    return PixelRect{firstCentreFrom(edges.left), firstCentreFrom(edges.top),
                     firstCentreFrom(edges.right), firstCentreFrom(edges.bottom)};
}

} // namespace ks
