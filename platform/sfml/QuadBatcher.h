#pragma once

#include <vector>

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

namespace ks {

/// The quads of a frame of cells in one vertex array, drawn in a single call textured from the
/// font's page: every cell's black background and its glyph, in drawing order.
///
/// A cell's background only matters where a glyph drawn earlier in the frame lit pixels:
/// everything else is still black from the clear. So each background is cut down to the parts
/// of it that earlier glyph quads cover, and left out where there are none (most cells of a room
/// are spaces on black). The pixels are those of drawing each background whole.
class QuadBatcher {
public:
    /// A rectangle in pixels, from (x0, y0) to (x1, y1).
    struct Rect {
        float x0; ///< left
        float y0; ///< top
        float x1; ///< right
        float y1; ///< bottom
    };

    /// A batcher for a window of the size in pixels, divided into regions of one cell's size
    /// (columns x rows of them) to find the glyphs under a background quickly.
    QuadBatcher(int window_width, int window_height, int columns, int rows);

    /// Starts a frame: no glyph drawn yet. Until setPixelsKnown, backgrounds are drawn whole (a
    /// new window's pixels are unknown until its first clear).
    void startFrame();
    /// Whether the window was cleared to black before this frame's quads.
    void setPixelsKnown(bool known) { pixels_known = known; }

    /// Queues the parts of a cell's background that glyphs queued earlier in the frame cover.
    void addBackground(const Rect& background);
    /// Queues a glyph quad in the colour, with its place in the page, and notes it for the
    /// backgrounds that follow. Quads wholly off the window are left out.
    void addGlyph(const Rect& quad, sf::Color color, sf::Vector2f uv1, sf::Vector2f uv2);

    /// Draws what is queued onto the target, textured from the page, and empties the queue.
    void flush(sf::RenderTarget& target, const sf::Texture& page);
    /// Forgets what is queued without drawing it.
    void discard() { vertices.clear(); }

private:
    /// The regions, inclusive, that a rectangle in pixels may touch.
    struct RegionRange {
        int left, right, top, bottom;
    };

    void emitQuad(const Rect& r, sf::Color color, sf::Vector2f uv1, sf::Vector2f uv2);
    bool isOffWindow(const Rect& r) const;
    RegionRange regionsUnder(const Rect& r) const;

    int window_width;
    int window_height;
    int columns;
    int rows;
    float region_width;
    float region_height;
    bool pixels_known;

    std::vector<sf::Vertex> vertices;
    /// The glyph quads of this frame, and per region, row by row, the ones that may touch it; a
    /// stamp per glyph so that each is cut out of a background once.
    std::vector<Rect> frame_glyphs;
    std::vector<std::vector<int>> region_glyphs;
    std::vector<unsigned> glyph_stamps;
    unsigned stamp;
};

} // namespace ks
