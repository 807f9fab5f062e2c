#pragma once

#include <string>
#include <vector>

namespace ks {

/// The character cells of one frame as the game drew them: for each view cell, the character and
/// colour of the last character drawn there. It needs no window, so tests and headless runs read
/// the screen from it. A cell nothing was drawn into reads as ' ' with colour -1.
class CellGrid {
public:
    /// A grid of width x height cells, all blank.
    CellGrid(int init_width, int init_height);

    /// Columns.
    int getWidth() const { return width; }
    /// Rows.
    int getHeight() const { return height; }

    /// Every cell back to ' ' with colour -1.
    void clear();
    /// Cells outside the grid are ignored.
    void set(int x, int y, char ch, int color);
    /// The character of a cell; ' ' outside the grid.
    char getChar(int x, int y) const;
    /// The colour of a cell; -1 outside the grid.
    int getColor(int x, int y) const;
    /// One row as text, width characters (all spaces outside the grid).
    std::string rowText(int y) const;
    /// The whole grid as text, to compare screens of two runs: its rows, then as many rows of
    /// its colours, one digit a cell ('.' where nothing was drawn), every row ending in '\n'.
    std::string toText() const;

    /// Whether both grids have the same size and the same character and colour in every cell.
    bool operator==(const CellGrid& other) const;
    /// The opposite of operator==.
    bool operator!=(const CellGrid& other) const { return !(*this == other); }

private:
    bool contains(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }

    int width;
    int height;
    std::vector<char> chars;
    std::vector<int> colors;
};

} // namespace ks
