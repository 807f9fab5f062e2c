#include "FrameSkipper.h"

namespace ks {

bool FrameSkipper::canSkip(const std::vector<CellDraw>& frame, Clock::time_point now) const {
    return !repaint && frame == on_screen && now - last_shown < repaint_interval;
}

void FrameSkipper::shown(const std::vector<CellDraw>& frame, Clock::time_point now) {
    on_screen = frame;
    repaint = false;
    last_shown = now;
    frames_shown++;
}

} // namespace ks
