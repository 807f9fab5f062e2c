#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include "DisplayBackend.h"
#include "KeyboardSampler.h"

namespace ks {

/// The real screen: an SFML window showing character cells in a TrueType font, its event queue
/// and the keyboard.
///
/// Batching (the default): drawCell does not draw; it appends the cell's background quad and
/// glyph quad to one vertex array, in call order, and present() draws the whole frame in a single
/// draw call textured from the font's page. The pixels are the same as drawing a rectangle and a
/// text per cell (the unbatched path, kept for comparison), at a fraction of the cost. Every
/// character value is supported: printable ASCII is loaded into the font page when the font is
/// loaded; any other character is loaded the first time it is drawn.
///
/// A cell's black background only matters where a glyph drawn earlier in the frame lit pixels:
/// everything else is still black from the clear. So each background is cut down to the parts
/// of it that earlier glyph quads cover, and left out where there are none (most cells of a room
/// are spaces on black). A frame drawn exactly like the one on screen is not drawn and shown
/// again, but the window is still repainted at least once a second and when it regains focus.
class WindowBackend : public DisplayBackend {
public:
    /// What open() achieved.
    enum OpenResult {
        OPENED = 0,
        NO_DISPLAY = 1, ///< no window was created
        NO_FONT = 2,    ///< the window is open, but the font could not be loaded
    };

    /// A window of the given size in pixels showing the given number of character cells, scale
    /// times as large (1 to 4): cells are given at the unscaled size and drawn scale times larger,
    /// with glyphs rendered at scale times the size (crisp, not stretched).
    WindowBackend(int horizontal_pixels, int vertical_pixels, int horizontal_chars,
                  int vertical_chars, int init_scale = 1);
    /// Closes the window.
    ~WindowBackend() override;

    /// Opens the window with the title and loads the font file.
    OpenResult open(const std::string& title, const std::string& font_file);

    bool isOpen() const override;
    void close() override;
    void drawCell(Position pixel, char ch, int color) override;
    int present() override;
    /// Also notes the focus changes it passes on. A window destroyed by another program comes
    /// out as one Closed event (and a log line), as if it had been closed.
    bool pollEvent(sf::Event& event) override;
    void sampleKeyboard() override;
    bool isKeyHeld(sf::Keyboard::Key key) override;
    /// Whether the window has the keyboard focus.
    bool hasFocus() const { return focused; }
    sf::RenderWindow* getWindow() const override { return window.get(); }
    int flush() override;
    void setBatching(bool new_batching) override;
    /// Whether cells are queued for one draw call a frame (the default).
    bool getBatching() const override { return batching; }

    /// The longest an unchanged frame stays up without being shown again (a second by default).
    void setRepaintInterval(std::chrono::milliseconds interval) { repaint_interval = interval; }
    /// How many frames present() has shown.
    long getFramesShown() const { return frames_shown; }
    /// How many frames present() left out as unchanged.
    long getFramesSkipped() const { return frames_skipped; }

    WindowBackend(const WindowBackend&) = delete;
    WindowBackend& operator=(const WindowBackend&) = delete;

private:
    /// Puts the window in the middle of the screen, its top-left corner on it.
    void place();
    /// The cell size in window pixels.
    float charWidth() const;
    float charHeight() const;
    /// The character size of the glyphs: twice the narrower cell dimension, truncated (23).
    unsigned int characterSize() const;

    void drawCellImmediately(Position pixel, char ch, int color);
    void queueCell(Position pixel, char ch, int color);
    /// The glyph quad of ch, loading it into the font's page if it is not there yet.
    struct GlyphQuad;
    const GlyphQuad& glyphQuad(char ch);
    /// A rectangle in pixels, from (x0, y0) to (x1, y1).
    struct Rect {
        float x0, y0, x1, y1;
    };
    void emitQuad(const Rect& r, sf::Color color, sf::Vector2f uv1, sf::Vector2f uv2);
    /// Notes a glyph quad drawn in this frame, under every region of one cell's size it may touch.
    void addFrameGlyph(const Rect& glyph);
    /// Queues the parts of a cell's background that glyphs drawn earlier in the frame cover.
    void queueBackground(const Rect& background);
    /// Whether a rectangle lies wholly outside the window.
    bool isOffWindow(const Rect& r) const;
    /// The regions, inclusive, that a rectangle in pixels may touch.
    struct RegionRange {
        int left, right, top, bottom;
    };
    RegionRange regionsUnder(const Rect& r) const;
    /// Starts the bookkeeping of a new frame.
    void startFrame();
    /// Forgets every cached glyph and loads printable ASCII into the font's page.
    void resetGlyphCache();
    /// Loads the glyph of ch into the page (flushing first, as adding a glyph may rearrange the
    /// page) and takes the texture coordinates of every cached glyph again.
    void cacheGlyph(unsigned char ch);
    void refreshGlyph(unsigned char ch);

    int scale;
    /// The window's size, scaled.
    int window_horizontal_pixels;
    int window_vertical_pixels;
    int window_horizontal_chars;
    int window_vertical_chars;

    sf::Font font;
    std::unique_ptr<sf::RenderWindow> window;
    std::unique_ptr<KeyboardSampler> keyboard;
    bool focused;
    /// Whether the window's destruction by another program was passed on as a close request.
    bool lost_reported;
    /// The unbatched path's shared background rectangle and text, made on first use.
    std::unique_ptr<sf::RectangleShape> cell_background;
    std::unique_ptr<sf::Text> cell_text;

    /// Where a character's glyph quad goes relative to the cell's pixel corner, and where it lies
    /// in the font's page, both padded by a pixel on each side as sf::Text pads them.
    struct GlyphQuad {
        bool cached;
        bool has_quad; ///< whitespace has none
        float left, top, right, bottom;
        float u1, v1, u2, v2;
    };

    bool batching;
    std::vector<sf::Vertex> vertices;
    GlyphQuad glyphs[256];

    /// The glyph quads drawn in this frame, and per window region of one cell's size, row by row,
    /// the ones that may touch it; a stamp per glyph so that each is cut out of a background once.
    std::vector<Rect> frame_glyphs;
    std::vector<std::vector<int>> region_glyphs;
    std::vector<unsigned> glyph_stamps;
    unsigned stamp;
    /// A new window's pixels are unknown until it is first cleared: backgrounds are drawn whole.
    bool pixels_unknown;

    /// One drawCell call, to tell a frame drawn like the one on screen.
    struct CellDraw {
        int x, y;
        char ch;
        int color;
        bool operator==(const CellDraw& o) const {
            return x == o.x && y == o.y && ch == o.ch && color == o.color;
        }
    };
    std::vector<CellDraw> frame_draws;
    std::vector<CellDraw> shown_draws;
    /// Whether this frame already reached the back buffer in part (a flush, an unbatched cell):
    /// it must then be shown.
    bool drawn_early;
    bool repaint;
    std::chrono::milliseconds repaint_interval;
    std::chrono::steady_clock::time_point last_shown;
    long frames_shown;
    long frames_skipped;
};

} // namespace ks
