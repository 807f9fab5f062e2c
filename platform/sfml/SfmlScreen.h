#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include "CellLayout.h"
#include "FrameSkipper.h"
#include "GlyphAtlas.h"
#include "KeyboardSampler.h"
#include "Platform.h"
#include "Position.h"
#include "QuadBatcher.h"
#include "Screen.h"
#include "XErrorWatch.h"

namespace ks {

/// The desktop's screen: an SFML window showing character cells in a TrueType font, its event
/// queue and the keyboard (read from the X server).
///
/// A frame is drawn batched by default: every cell's quads in one vertex array (QuadBatcher),
/// drawn in a single call textured from the font's page (GlyphAtlas). The pixels are the same as
/// drawing a rectangle and a text per cell (the unbatched path, kept for comparison), at a
/// fraction of the cost. A frame drawn exactly like the one on screen is not drawn and shown
/// again (FrameSkipper).
class SfmlScreen : public Screen {
public:
    /// A window as the settings describe, not open yet: cells are given at the unscaled size and
    /// drawn scale times larger (1 to 4), with glyphs rendered at scale times the size (crisp,
    /// not stretched).
    explicit SfmlScreen(const ScreenSettings& settings);
    /// Closes the window.
    ~SfmlScreen() override;

    /// Opens the window with its title and loads its font: OPENED, NO_DISPLAY (no window was
    /// made) or NO_FONT (the window is open, its glyphs empty).
    ScreenStatus open();

    /// The largest scale, at most the one the settings ask for and at least 1, at which the
    /// window fits a screen of the given size in pixels.
    static int fittingScale(const ScreenSettings& settings, int screen_width, int screen_height);

    bool isOpen() const override;
    void close() override;
    int present(const std::vector<CellDraw>& cells) override;
    /// Also notes the focus changes it passes on. A window destroyed by another program comes
    /// out as one CLOSED event (and a log line), as if it had been closed.
    bool pollEvent(InputEvent& event) override;
    void sampleKeyboard() override;
    bool isKeyHeld(PhysicalKey key) override;
    void setKeyRepeat(bool repeat) override;

    /// Draws a frame into the window's back buffer without showing it (to read its pixels). 0,
    /// -1 without a window.
    int drawFrame(const std::vector<CellDraw>& cells);
    /// Clears the back buffer to black, throwing away what drawFrame drew.
    void clearFrame();
    /// Chooses between one draw call a frame (true, the default) and drawing each cell's
    /// rectangle and text at once.
    void setBatching(bool new_batching) { batching = new_batching; }
    /// Whether a frame is drawn in one call.
    bool getBatching() const { return batching; }
    /// Whether the window has the keyboard focus.
    bool hasFocus() const { return focused; }
    /// The SFML window; null before open().
    sf::RenderWindow* getWindow() const { return window.get(); }
    /// Which frames are shown and which are left out.
    FrameSkipper& getFrameSkipper() { return skipper; }

    SfmlScreen(const SfmlScreen&) = delete;
    SfmlScreen& operator=(const SfmlScreen&) = delete;

private:
    /// Puts the window in the middle of the screen, its top-left corner on it.
    void place();
    void queueCell(Position pixel, char ch, int color);
    void drawCellImmediately(Position pixel, char ch, int color);

    ScreenSettings settings;
    CellLayout layout;

    XErrorWatch x_watch;
    GlyphAtlas atlas;
    QuadBatcher batcher;
    FrameSkipper skipper;
    std::unique_ptr<sf::RenderWindow> window;
    std::unique_ptr<KeyboardSampler> keyboard;
    bool focused;
    /// Whether the window's destruction by another program was passed on as a close request.
    bool lost_reported;
    bool batching;
    /// A new window's pixels are unknown until its first clear.
    bool pixels_known;
    /// The unbatched path's shared background rectangle and text, made on first use.
    std::unique_ptr<sf::RectangleShape> cell_background;
    std::unique_ptr<sf::Text> cell_text;
};

} // namespace ks
