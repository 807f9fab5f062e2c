#pragma once

#include <chrono>
#include <vector>

#include "Screen.h"

namespace ks {

/// Decides which frames need showing. A frame drawn exactly like the one on screen is left out:
/// drawing and showing it again would change no pixel. The screen is still repainted at least
/// once a repaint interval (a second by default), and whenever something may have marked it
/// (requestRepaint: a new window, one that regains the focus).
class FrameSkipper {
public:
    /// The clock frames are timed by.
    using Clock = std::chrono::steady_clock;

    /// Whether the frame may be left out at the time now.
    bool canSkip(const std::vector<CellDraw>& frame, Clock::time_point now) const;
    /// Notes that the frame was shown at the time now.
    void shown(const std::vector<CellDraw>& frame, Clock::time_point now);
    /// Notes that a frame was left out.
    void skipped() { frames_skipped++; }
    /// The next frame is shown whatever it holds.
    void requestRepaint() { repaint = true; }

    /// The longest an unchanged frame stays up without being shown again.
    void setRepaintInterval(std::chrono::milliseconds interval) { repaint_interval = interval; }
    /// How many frames were shown.
    long getFramesShown() const { return frames_shown; }
    /// How many frames were left out as unchanged.
    long getFramesSkipped() const { return frames_skipped; }

private:
    std::vector<CellDraw> on_screen;
    bool repaint = true;
    std::chrono::milliseconds repaint_interval = std::chrono::seconds(1);
    Clock::time_point last_shown;
    long frames_shown = 0;
    long frames_skipped = 0;
};

} // namespace ks
