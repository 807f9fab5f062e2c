#pragma once

#include <string>
#include <vector>

#include "Frame.h"

namespace ks {

/// A labelled sequence of frames of one size and one colour, shown by objects as an animation.
/// Owned by the resource manager; never copied.
class Sprite {
public:
    /// Holds up to max_frames frames (none when negative) of width x height cells in the colour
    /// (Color); room for them is taken as they are added.
    Sprite(int max_frames, int width, int height, int color);
    /// Destroys the frames.
    virtual ~Sprite();

    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    /// Appends the frame; -1 (logged) when the sprite is full or the frame is not of the
    /// sprite's width and height.
    int addFrame(Frame new_frame);
    /// The frame at index, or the empty frame when index is out of range.
    Frame getFrame(int frame_number) const;

    /// How many frames were added.
    int getFrameCount() const { return frame_count; }
    /// The width of every frame, in cells.
    int getWidth() const { return width; }
    /// Sets the width that frames added from now on must have; the frames held are unchanged.
    void setWidth(int new_width) { width = new_width; }
    /// The height of every frame, in cells.
    int getHeight() const { return height; }
    /// Sets the height that frames added from now on must have; the frames held are unchanged.
    void setHeight(int new_height) { height = new_height; }
    /// The colour every frame is drawn in (Color).
    int getColor() const { return color; }
    /// Sets the colour every frame is drawn in.
    void setColor(int new_color) { color = new_color; }
    /// The label the resource manager finds it by.
    std::string getLabel() const { return label; }
    /// Sets the label the resource manager finds it by.
    void setLabel(std::string new_label) { label = new_label; }

private:
    int width;
    int height;
    int max_frame_count;
    int frame_count;
    int color;
    std::vector<Frame> frames;
    std::string label;
};

} // namespace ks
