#pragma once

#include <string>
#include <vector>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include "Color.h"
#include "Frame.h"
#include "Manager.h"
#include "Position.h"

namespace sf {
class RenderWindow;
}

namespace ks {

// How drawString places a string relative to its position.
enum Justification {
    LEFT_JUSTIFIED = 0,
    CENTER_JUSTIFIED = 1,
    RIGHT_JUSTIFIED = 2,
};

const int WINDOW_HORIZONTAL_PIXELS_DEFAULT = 921;
const int WINDOW_VERTICAL_PIXELS_DEFAULT = 691;
const int WINDOW_HORIZONTAL_CHARS_DEFAULT = 80;
const int WINDOW_VERTICAL_CHARS_DEFAULT = 24;
const std::string WINDOW_TITLE_DEFAULT = "Murkvault";
const std::string FONT_FILE_DEFAULT = "ks-font.ttf";

// Owns the game's window and draws the world into it as a grid of 80 x 24 character cells.
// Besides drawing, it keeps a model of the current frame's cells (character and colour of the
// last drawCh in each view cell) that tests and debugging can read.
//
// Batching (the default): drawCh does not draw; it appends the cell's background quad and glyph
// quad to one vertex array, in call order, and swapBuffers draws the whole frame in a single draw
// call textured from the font's page. The pixels are the same as drawing a rectangle and a text
// per cell (the unbatched path, kept for comparison), at a fraction of the cost. Every character
// value is supported: printable ASCII is loaded into the font page at start-up; any other
// character is loaded the first time it is drawn. A background that would paint black over
// pixels still black since the frame was cleared is left out (it changes nothing): most cells of
// a room are spaces on black.
class GraphicsManager : public Manager {
public:
    static GraphicsManager& getInstance();

    ~GraphicsManager() override;

    // Opens the window and loads the font. -1 when no display can be opened (no window is
    // created) or when the font cannot be loaded (the window stays open). A second call while
    // the window exists returns 0 and does nothing.
    int startUp() override;
    // Closes and destroys the window (so nothing leaks) and marks the manager stopped: every
    // drawing call then returns -1 until a new startUp opens a new window.
    void shutDown() override;

    int drawCh(Position world_pos, char ch, int color);
    // -1 for the empty frame.
    int drawFrame(Position world_pos, Frame frame, bool centered, int color);
    int drawString(Position world_pos, std::string str, Justification just, int color);
    // Shows the frame and clears the next one (and the cell model) to black.
    int swapBuffers();

    // Draws the cells queued since the last flush into the window's back buffer now, so that it
    // holds everything drawn so far (to read it back before swapBuffers). 0, -1 without a window.
    int flush();
    // Chooses between queuing cells for one draw call per frame (true, the default) and drawing
    // each cell's rectangle and text at once. Switching flushes what is queued, keeping order.
    void setBatching(bool new_batching);
    bool getBatching() const { return batching; }

    int getHorizontal() const { return window_horizontal_chars; }
    int getVertical() const { return window_vertical_chars; }
    int getHorizontalPixels() const { return window_horizontal_pixels; }
    int getVerticalPixels() const { return window_vertical_pixels; }
    sf::RenderWindow* getWindow() const { return p_window; }

    float charWidth() const;
    float charHeight() const;
    Position spacesToPixels(Position spaces) const;
    Position pixelsToSpaces(Position pixels) const;

    // The cell model of the frame being drawn. A cell nothing was drawn into since the last
    // swapBuffers reads as ' ' with colour -1; cells outside the view read the same.
    char getCellChar(int view_x, int view_y) const;
    int getCellColor(int view_x, int view_y) const;
    // One view row of the cell model as text, 80 characters.
    std::string getRowText(int view_y) const;

    GraphicsManager(const GraphicsManager&) = delete;
    GraphicsManager& operator=(const GraphicsManager&) = delete;

private:
    GraphicsManager();

    void clearCells();

    // The character size of the glyphs: twice the narrower cell dimension, truncated (23).
    unsigned int characterSize() const;
    void drawChImmediately(Position pixel, char ch, int color);
    void queueCh(Position pixel, char ch, int color);
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

    sf::Font font;
    sf::RenderWindow* p_window;
    int window_horizontal_pixels;
    int window_vertical_pixels;
    int window_horizontal_chars;
    int window_vertical_chars;

    sf::RectangleShape* p_rectangle;
    sf::Text* p_text;

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
    // Per window region of one cell's size: whether anything but black may have been drawn there
    // since the window was last cleared.
    bool region_drawn[WINDOW_VERTICAL_CHARS_DEFAULT][WINDOW_HORIZONTAL_CHARS_DEFAULT];

    char cell_char[WINDOW_VERTICAL_CHARS_DEFAULT][WINDOW_HORIZONTAL_CHARS_DEFAULT];
    int cell_color[WINDOW_VERTICAL_CHARS_DEFAULT][WINDOW_HORIZONTAL_CHARS_DEFAULT];
};

} // namespace ks
