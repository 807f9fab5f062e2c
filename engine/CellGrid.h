#pragma once

#include <string>
#include <vector>

namespace ks {

// The character cells of one frame as the game drew them: for each view cell, the character and
// colour of the last character drawn there. It needs no window, so tests and headless runs read
// the screen from it. A cell nothing was drawn into reads as ' ' with colour -1.
class CellGrid {
public:
    CellGrid(int init_width, int init_height);

    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // Every cell back to ' ' with colour -1.
    void clear();
    // Cells outside the grid are ignored.
    void set(int x, int y, char ch, int color);
    // ' ' and -1 outside the grid.
    char getChar(int x, int y) const;
    int getColor(int x, int y) const;
    // One row as text, width characters (all spaces outside the grid).
    std::string rowText(int y) const;

    bool operator==(const CellGrid& other) const;
    bool operator!=(const CellGrid& other) const { return !(*this == other); }

private:
    bool contains(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }

    int width;
    int height;
    std::vector<char> chars;
    std::vector<int> colors;
};

} // namespace ks
