#pragma once

#include <string>

namespace ks {

// One rectangular character picture: the rows top to bottom, joined without separators.
class Frame {
public:
    // The empty frame: 0 by 0.
    Frame();
    // Logs an error (and keeps the values) when the string's length is not width * height.
    Frame(int new_width, int new_height, std::string frame_str);

    int getWidth() const { return width; }
    void setWidth(int new_width) { width = new_width; }
    int getHeight() const { return height; }
    void setHeight(int new_height) { height = new_height; }
    std::string getString() const { return frame_str; }
    void setString(std::string new_frame_str) { frame_str = new_frame_str; }

private:
    int width;
    int height;
    std::string frame_str;
};

} // namespace ks
