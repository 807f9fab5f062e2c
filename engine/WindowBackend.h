#pragma once

#include <memory>
#include <string>
#include <vector>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include "DisplayBackend.h"

namespace ks {

// The real screen: an SFML window showing character cells in a TrueType font, its event queue
// and the keyboard.
//
// Batching (the default): drawCell does not draw; it appends the cell's background quad and
// glyph quad to one vertex array, in call order, and present() draws the whole frame in a single
// draw call textured from the font's page. The pixels are the same as drawing a rectangle and a
// text per cell (the unbatched path, kept for comparison), at a fraction of the cost. Every
// character value is supported: printable ASCII is loaded into the font page when the font is
// loaded; any other character is loaded the first time it is drawn. A background that would paint
// black over pixels still black since the frame was cleared is left out (it changes nothing):
// most cells of a room are spaces on black.
class WindowBackend : public DisplayBackend {
public:
    // What open() achieved.
    enum OpenResult {
        OPENED = 0,
        NO_DISPLAY = 1, // no window was created
        NO_FONT = 2,    // the window is open, but the font could not be loaded
    };

    // A window of the given size in pixels showing the given number of character cells.
    WindowBackend(int horizontal_pixels, int vertical_pixels, int horizontal_chars,
                  int vertical_chars);
    ~WindowBackend() override;

    // Opens the window with the title and loads the font file.
    OpenResult open(const std::string& title, const std::string& font_file);

    bool isOpen() const override;
    void close() override;
    void drawCell(Position pixel, char ch, int color) override;
    int present() override;
    bool pollEvent(sf::Event& event) override;
    bool isKeyHeld(sf::Keyboard::Key key) override;
    sf::RenderWindow* getWindow() const override { return window.get(); }
    int flush() override;
    void setBatching(bool new_batching) override;
    bool getBatching() const override { return batching; }

    WindowBackend(const WindowBackend&) = delete;
    WindowBackend& operator=(const WindowBackend&) = delete;

private:
    float charWidth() const;
    float charHeight() const;
    // The character size of the glyphs: twice the narrower cell dimension, truncated (23).
    unsigned int characterSize() const;

    void drawCellImmediately(Position pixel, char ch, int color);
    void queueCell(Position pixel, char ch, int color);
    // The glyph quad of ch, loading it into the font's page if it is not there yet.
    struct GlyphQuad;
    const GlyphQuad& glyphQuad(char ch);
    // The black-so-far bookkeeping, kept per window region of one cell's size: marks the regions
    // a glyph quad from (x0, y0) to (x1, y1) in pixels may touch, and tells whether every
    // region such a rectangle touches is still untouched since the last clear.
    void markDrawn(float x0, float y0, float x1, float y1);
    bool isBlack(float x0, float y0, float x1, float y1) const;
    // Whether a quad from (x0, y0) to (x1, y1) in pixels lies wholly outside the window.
    bool isOffWindow(float x0, float y0, float x1, float y1) const;
    // The regions, inclusive, that a quad from (x0, y0) to (x1, y1) in pixels may touch.
    struct RegionRange {
        int left, right, top, bottom;
    };
    RegionRange regionsUnder(float x0, float y0, float x1, float y1) const;
    void setAllDrawn(bool drawn);
    // Forgets every cached glyph and loads printable ASCII into the font's page.
    void resetGlyphCache();
    // Loads the glyph of ch into the page (flushing first, as adding a glyph may rearrange the
    // page) and takes the texture coordinates of every cached glyph again.
    void cacheGlyph(unsigned char ch);
    void refreshGlyph(unsigned char ch);

    int window_horizontal_pixels;
    int window_vertical_pixels;
    int window_horizontal_chars;
    int window_vertical_chars;

    sf::Font font;
    std::unique_ptr<sf::RenderWindow> window;
    // The unbatched path's shared background rectangle and text, made on first use.
    std::unique_ptr<sf::RectangleShape> cell_background;
    std::unique_ptr<sf::Text> cell_text;

    // Where a character's glyph quad goes relative to the cell's pixel corner, and where it lies
    // in the font's page, both padded by a pixel on each side as sf::Text pads them.
    struct GlyphQuad {
        bool cached;
        bool has_quad; // whitespace has none
        float left, top, right, bottom;
        float u1, v1, u2, v2;
    };

    bool batching;
    std::vector<sf::Vertex> vertices;
    GlyphQuad glyphs[256];
    // Per window region of one cell's size, row by row: whether anything but black may have been
    // drawn there since the window was last cleared.
    std::vector<bool> region_drawn;
};

} // namespace ks
