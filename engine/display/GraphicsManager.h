#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CellGrid.h"
#include "Color.h"
#include "DisplayBackend.h"
#include "Frame.h"
#include "Manager.h"
#include "Position.h"

namespace sf {
class RenderWindow;
}

namespace ks {

/// How drawString places a string relative to its position.
enum Justification {
    LEFT_JUSTIFIED = 0,   ///< starts just right of the position
    CENTER_JUSTIFIED = 1, ///< centred on the position
    RIGHT_JUSTIFIED = 2,  ///< ends at the position
};

/// The window's width in pixels at scale 1.
const int WINDOW_HORIZONTAL_PIXELS_DEFAULT = 921;
/// The window's height in pixels at scale 1.
const int WINDOW_VERTICAL_PIXELS_DEFAULT = 691;
/// The screen's width in character cells.
const int WINDOW_HORIZONTAL_CHARS_DEFAULT = 80;
/// The screen's height in character cells.
const int WINDOW_VERTICAL_CHARS_DEFAULT = 24;
/// The window's title unless setTitle gives another.
const std::string WINDOW_TITLE_DEFAULT = "Murkvault";
/// The TrueType font the window draws with, read from the working directory.
const std::string FONT_FILE_DEFAULT = "ks-font.ttf";

/// Draws the world as a grid of 80 x 24 character cells. It keeps the cells of the frame being
/// drawn (character and colour of the last drawCh in each view cell) in a window-free CellGrid,
/// which tests and headless runs read, and hands every cell to a display backend: the SFML window
/// (the default) or, after setHeadless(true), a backend that draws nothing, so that the whole game
/// runs without a display.
class GraphicsManager : public Manager {
public:
    /// The one graphics manager, created on first use.
    static GraphicsManager& getInstance();

    /// Closes the window, if one is open.
    ~GraphicsManager() override;

    /// Opens the window and loads the font, or, when headless, starts the headless backend (which
    /// cannot fail). -1 when no display can be opened (no window is created) or when the font
    /// cannot be loaded (the window stays open). A second call while a backend exists returns 0
    /// and does nothing.
    int startUp() override;
    /// Starts with the given backend instead of opening one (another platform's screen, or a
    /// scripted one in tests); a backend already open is closed first. 0, -1 for null.
    int startUp(std::unique_ptr<DisplayBackend> new_backend);
    /// Closes and destroys the window (so nothing leaks) and marks the manager stopped: every
    /// drawing call then returns -1 until a new startUp opens a new backend.
    void shutDown() override;

    /// Which backend the next startUp opens: none drawing (true) or the window (false, default).
    void setHeadless(bool new_headless) { headless = new_headless; }
    /// Whether the next startUp opens the headless backend.
    bool isHeadless() const { return headless; }
    /// How many times larger than its size in pixels the next window opens (1 to 4; others are
    /// kept in range). The cells, and every position and size this manager reports, stay as
    /// they are: only the window and its glyphs grow.
    void setScale(int new_scale) { scale = new_scale < 1 ? 1 : new_scale > 4 ? 4 : new_scale; }
    /// How many times larger the next window opens.
    int getScale() const { return scale; }
    /// The title of the next window opened (WINDOW_TITLE_DEFAULT unless set): a game on the
    /// engine names its own window.
    void setTitle(const std::string& new_title) { title = new_title; }
    /// The title the next window opens with.
    const std::string& getTitle() const { return title; }

    /// Draws one character in its colour (Color; other numbers are white) on a black background,
    /// in the cell of a world position (the view's corner is the screen's top-left cell). 0, -1
    /// when not started.
    int drawCh(Position world_pos, char ch, int color);
    /// Draws a frame with its top-left cell at the world position (moved by half the frame's
    /// size when centered), spaces included, so that it blanks its whole rectangle. -1 for the
    /// empty frame.
    int drawFrame(Position world_pos, Frame frame, bool centered, int color);
    /// Draws a string on one row: left-justified it fills the columns x + 1 to x + length,
    /// right-justified it ends at column x, centred it starts at x - length / 2 + 1. 0, -1 when
    /// not started.
    int drawString(Position world_pos, std::string str, Justification just, int color);
    /// Shows the frame and clears the next one (and the cell model) to black.
    int swapBuffers();
    /// Draws again, cell by cell in the same order, what the last frame shown was made of (for a
    /// paused game, which shows the same scene without drawing its objects). 0, -1 when not
    /// started.
    int redrawLastFrame();

    /// Draws the cells queued since the last flush into the window's back buffer now, so that it
    /// holds everything drawn so far (to read it back before swapBuffers). 0, -1 without a window.
    int flush();
    /// Chooses between queuing cells for one draw call per frame (true, the default) and drawing
    /// each cell's rectangle and text at once. Switching flushes what is queued, keeping order.
    void setBatching(bool new_batching);
    /// Whether cells are queued for one draw call per frame.
    bool getBatching() const;

    /// The screen's width in character cells (80).
    int getHorizontal() const { return window_horizontal_chars; }
    /// The screen's height in character cells (24).
    int getVertical() const { return window_vertical_chars; }
    /// The window's width in pixels at scale 1 (921).
    int getHorizontalPixels() const { return window_horizontal_pixels; }
    /// The window's height in pixels at scale 1 (691).
    int getVerticalPixels() const { return window_vertical_pixels; }
    /// The SFML window; null when headless or not started.
    sf::RenderWindow* getWindow() const;
    /// The backend in use (window or headless); null when not started.
    DisplayBackend* getBackend() const { return backend.get(); }

    /// A cell's width in pixels at scale 1 (921 / 80).
    float charWidth() const;
    /// A cell's height in pixels at scale 1 (691 / 24).
    float charHeight() const;
    /// The pixel position of a cell's top-left corner, truncated toward zero.
    Position spacesToPixels(Position spaces) const;
    /// The cell a pixel position lies in, truncated toward zero.
    Position pixelsToSpaces(Position pixels) const;

    /// The cell model of the frame being drawn. A cell nothing was drawn into since the last
    /// swapBuffers reads as ' ' with colour -1; cells outside the view read the same.
    const CellGrid& getCells() const { return cells; }
    /// The character drawn last in a view cell of the frame being drawn.
    char getCellChar(int view_x, int view_y) const { return cells.getChar(view_x, view_y); }
    /// The colour drawn last in a view cell of the frame being drawn.
    int getCellColor(int view_x, int view_y) const { return cells.getColor(view_x, view_y); }
    /// One view row of the cell model as text, 80 characters.
    std::string getRowText(int view_y) const { return cells.rowText(view_y); }
    /// The cells of the last frame shown (swapBuffers): what the screen says now.
    const CellGrid& getShownCells() const { return shown_cells; }

    GraphicsManager(const GraphicsManager&) = delete;
    GraphicsManager& operator=(const GraphicsManager&) = delete;

private:
    GraphicsManager();

    /// Draws a cell at a view position: the cell model and the backend.
    void drawViewCh(Position view_pos, char ch, int color);

    /// One drawCh, as drawn in the view.
    struct CellDraw {
        Position view_pos;
        char ch;
        int color;
    };

    int window_horizontal_pixels;
    int window_vertical_pixels;
    int window_horizontal_chars;
    int window_vertical_chars;
    bool headless;
    int scale;
    std::string title;
    std::unique_ptr<DisplayBackend> backend;
    CellGrid cells;
    CellGrid shown_cells;
    /// The cells drawn in this frame and in the last one shown, in drawing order.
    std::vector<CellDraw> frame_draws;
    std::vector<CellDraw> last_frame_draws;
};

} // namespace ks
