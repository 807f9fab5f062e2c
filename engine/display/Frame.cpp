#include "Frame.h"

#include <utility>

#include "LogManager.h"

namespace ks {

Frame::Frame() : width(0), height(0), frame_str() {}

Frame::Frame(int new_width, int new_height, std::string new_frame_str)
    : width(new_width), height(new_height), frame_str(std::move(new_frame_str)) {
    // Compared in 64 bits so that absurd sizes cannot overflow into a false match.
    long long expected = static_cast<long long>(width) * static_cast<long long>(height);
    if (static_cast<long long>(frame_str.size()) != expected)
        LogManager::getInstance().writeLog(
            "Frame::Frame(): Error: created frame with string of incorrect length");
}

} // namespace ks
