#include "Sprite.h"

#include <utility>

#include "LogManager.h"

namespace ks {

Sprite::Sprite(int max_frames, int new_width, int new_height, int new_color)
    : width(new_width), height(new_height), max_frame_count(max_frames < 0 ? 0 : max_frames),
      frame_count(0), color(new_color), frames(), label() {}

Sprite::~Sprite() = default;

int Sprite::addFrame(Frame new_frame) {
    LogManager& log = LogManager::getInstance();
    if (frame_count >= max_frame_count) {
        log.writeLog("Sprite::addFrame(): Error: attempted to add frame past max frame count");
        return -1;
    }
    if (new_frame.getWidth() != width || new_frame.getHeight() != height) {
        log.writeLog("Sprite::addFrame(): Error: frame of %i x %i does not fit a sprite of %i x %i",
                     new_frame.getWidth(), new_frame.getHeight(), width, height);
        return -1;
    }
    frames.push_back(std::move(new_frame));
    frame_count++;
    return 0;
}

Frame Sprite::getFrame(int frame_number) const {
    if (frame_number < 0 || frame_number >= frame_count)
        return Frame();
    return frames[frame_number];
}

} // namespace ks
