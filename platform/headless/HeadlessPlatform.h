#pragma once

#include "Platform.h"

namespace ks {

/// The platform of a run without a display or sound: a screen that shows nothing
/// (HeadlessScreen) and a sound device that plays nothing (NullAudio). It needs neither a window
/// system nor sound hardware, and a replay runs on it unpaced, as fast as the machine goes.
class HeadlessPlatform : public Platform {
public:
    /// "headless".
    const char* getName() const override { return "headless"; }
    /// A HeadlessScreen, always OPENED.
    std::unique_ptr<Screen> openScreen(const ScreenSettings& settings,
                                       ScreenStatus& status) override;
    /// A NullAudio.
    std::unique_ptr<AudioDevice> openAudio() override;
};

} // namespace ks
