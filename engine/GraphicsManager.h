#pragma once

#include <string>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

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

    sf::Font font;
    sf::RenderWindow* p_window;
    int window_horizontal_pixels;
    int window_vertical_pixels;
    int window_horizontal_chars;
    int window_vertical_chars;

    sf::RectangleShape* p_rectangle;
    sf::Text* p_text;

    char cell_char[WINDOW_VERTICAL_CHARS_DEFAULT][WINDOW_HORIZONTAL_CHARS_DEFAULT];
    int cell_color[WINDOW_VERTICAL_CHARS_DEFAULT][WINDOW_HORIZONTAL_CHARS_DEFAULT];
};

} // namespace ks
