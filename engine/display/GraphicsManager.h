#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CellGrid.h"
#include "Color.h"
#include "Frame.h"
#include "Manager.h"
#include "Position.h"
#include "Screen.h"

namespace ks {

class Platform;

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
/// The window's title unless setTitle gives another. (This and the font's name are literals, not
/// std::strings, so that they hold their text before any static initializer runs.)
const char* const WINDOW_TITLE_DEFAULT = "ks";
/// The name of the TrueType font the window draws with unless setFontFile names another: looked
/// for in the working directory first, then where the engine was installed (findFontFile).
const char* const FONT_FILE_DEFAULT = "ks-font.ttf";

/// Draws the world as a grid of 80 x 24 character cells. It keeps the cells of the frame being
/// drawn (character and colour of the last drawCh in each view cell) in a CellGrid, which tests
/// and headless runs read, and the cells in drawing order, which swapBuffers hands to the screen
/// the platform opened: a window, or a screen that shows nothing, so that the whole game runs
/// without a display.
class GraphicsManager : public Manager {
public:
    /// The one graphics manager, created on first use.
    static GraphicsManager& getInstance();

    /// Closes the window, if one is open.
    ~GraphicsManager() override;

    /// Opens the platform's screen (setPlatform) with the title, scale and font set here. -1 when
    /// there is no platform, when it has no display (no screen is opened) or when the font
    /// cannot be loaded (the screen stays open). A second call while a screen is open returns 0
    /// and does nothing.
    int startUp() override;
    /// Starts with the given screen instead of opening one (a scripted one in tests); a screen
    /// already open is closed first. 0, -1 for null.
    int startUp(std::unique_ptr<Screen> new_screen);
    /// Closes and destroys the screen (so nothing leaks) and marks the manager stopped: every
    /// drawing call then returns -1 until a new startUp opens a new screen.
    void shutDown() override;

    /// The platform the next startUp opens its screen on; it must outlive that call.
    void setPlatform(Platform* p_new_platform) { p_platform = p_new_platform; }
    /// The platform startUp opens its screen on; null when none was given.
    Platform* getPlatform() const { return p_platform; }
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
    /// The TrueType font the next window draws with, relative to the working directory unless
    /// absolute. Empty (the default) looks it up: see findFontFile.
    void setFontFile(const std::string& new_font_file) { font_file = new_font_file; }
    /// The font file set with setFontFile; empty when it is looked up.
    const std::string& getFontFile() const { return font_file; }
    /// The font the next startUp loads: the one set with setFontFile; otherwise the first of
    /// these that exists: FONT_FILE_DEFAULT in the working directory; the font installed with
    /// the engine (share/ks/ks-font.ttf under the prefix it was configured for); ks/ks-font.ttf
    /// in $XDG_DATA_HOME (~/.local/share) and in each folder of $XDG_DATA_DIRS
    /// (/usr/local/share:/usr/share), where other installs of the engine put it. When none
    /// exists, FONT_FILE_DEFAULT, which then fails to load.
    std::string findFontFile() const;
    /// The font installed with the engine: share/ks/ks-font.ttf under the prefix the engine was
    /// configured to be installed in.
    static std::string getInstalledFontFile();

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
    /// Shows the frame (the screen gets its cells in drawing order) and clears the next one (and
    /// the cell model) to black. -1 without a screen.
    int swapBuffers();
    /// Draws again, cell by cell in the same order, the last frame shown that was drawn anew (for
    /// a paused game, which shows the same scene without drawing its objects). A frame that began
    /// with a redraw is never itself redrawn: what is drawn over the scene (a pause text) does not
    /// pile up from frame to frame, and every such frame draws the same. 0, -1 when not started.
    int redrawLastFrame();

    /// The screen's width in character cells (80).
    int getHorizontal() const { return window_horizontal_chars; }
    /// The screen's height in character cells (24).
    int getVertical() const { return window_vertical_chars; }
    /// The window's width in pixels at scale 1 (921).
    int getHorizontalPixels() const { return window_horizontal_pixels; }
    /// The window's height in pixels at scale 1 (691).
    int getVerticalPixels() const { return window_vertical_pixels; }
    /// The screen in use; null when not started (or when the platform had no display).
    Screen* getScreen() const { return screen.get(); }

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
    /// The cells drawn since the last swapBuffers, in drawing order, in view cells.
    const std::vector<CellDraw>& getFrameDraws() const { return frame_draws; }

    /// The corner of the world's view: the world position drawn in the screen's top-left cell.
    /// The world manager keeps it in step with its view.
    Position getViewCorner() const { return view_corner; }
    /// Sets the corner of the view (WorldManager::setView and setViewPosition do).
    void setViewCorner(Position new_corner) { view_corner = new_corner; }
    /// A world position made relative to the view's corner (worldToView).
    Position toView(Position world_pos) const;

    GraphicsManager(const GraphicsManager&) = delete;
    GraphicsManager& operator=(const GraphicsManager&) = delete;

private:
    GraphicsManager();

    /// Draws a cell at a view position: the cell model and the frame's list.
    void drawViewCh(Position view_pos, char ch, int color);

    int window_horizontal_pixels;
    int window_vertical_pixels;
    int window_horizontal_chars;
    int window_vertical_chars;
    Platform* p_platform;
    int scale;
    std::string title;
    std::string font_file;
    Position view_corner;
    std::unique_ptr<Screen> screen;
    CellGrid cells;
    CellGrid shown_cells;
    /// The cells drawn in this frame and in the last one shown, in drawing order.
    std::vector<CellDraw> frame_draws;
    std::vector<CellDraw> last_frame_draws;
    /// Whether the frame being drawn began with redrawLastFrame.
    bool redrawing;
};

/// A world position made relative to the corner of the view: the screen cell it is drawn in.
/// Held to the range of int.
Position worldToView(Position world_pos);

} // namespace ks
