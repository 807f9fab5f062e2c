#pragma once

#include <string>

namespace ks {

/// One rectangular character picture: the rows top to bottom, joined without separators.
class Frame {
public:
    /// The empty frame: 0 by 0.
    Frame();
    /// Logs an error (and keeps the values) when the string's length is not width * height.
    Frame(int new_width, int new_height, std::string frame_str);

    /// Columns.
    int getWidth() const { return width; }
    /// Sets the columns; the string is not checked against it.
    void setWidth(int new_width) { width = new_width; }
    /// Rows.
    int getHeight() const { return height; }
    /// Sets the rows; the string is not checked against it.
    void setHeight(int new_height) { height = new_height; }
    /// The characters, row after row (the character of column x, row y at y * width + x).
    std::string getString() const { return frame_str; }
    /// Sets the characters, row after row; the length is not checked.
    void setString(std::string new_frame_str) { frame_str = new_frame_str; }

private:
    int width;
    int height;
    std::string frame_str;
};

} // namespace ks
