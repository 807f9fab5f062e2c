#include "Sprite.h"

#include "LogManager.h"

namespace ks {

Sprite::Sprite(int max_frames, int new_width, int new_height, int new_color)
    : width(new_width), height(new_height), max_frame_count(max_frames < 0 ? 0 : max_frames),
      frame_count(0), color(new_color), frames(nullptr), label() {
    if (max_frame_count > 0)
        frames = new Frame[max_frame_count];
}

Sprite::~Sprite() {
    delete[] frames;
}

int Sprite::addFrame(Frame new_frame) {
    if (frame_count >= max_frame_count) {
        LogManager::getInstance().writeLog(
            "Sprite::addFrame(): Error: attempted to add frame past max frame count");
        return -1;
    }
    frames[frame_count] = new_frame;
    frame_count++;
    return 0;
}

Frame Sprite::getFrame(int frame_number) const {
    if (frame_number < 0 || frame_number >= frame_count)
        return Frame();
    return frames[frame_number];
}

} // namespace ks
