#pragma once

#include "Platform.h"

namespace ks {

/// The desktop platform: a window drawn with SFML on an X display (SfmlScreen), the keyboard read
/// from the X server, and sound through SFML (SfmlAudio). A program that wants no sound opens
/// its audio from the HeadlessPlatform instead (Launcher's --mute).
class SfmlPlatform : public Platform {
public:
    /// Makes SFML's error stream first, so that it outlives the managers that use SFML.
    SfmlPlatform();
    /// "sfml".
    const char* getName() const override { return "sfml"; }
    /// A window as the settings describe: null with NO_DISPLAY when there is no X display. A
    /// window larger than the screen opens at the largest scale that fits, which is said in one
    /// line on stderr and one in the log.
    std::unique_ptr<Screen> openScreen(const ScreenSettings& settings,
                                       ScreenStatus& status) override;
    /// The SFML sound device.
    std::unique_ptr<AudioDevice> openAudio() override;
};

} // namespace ks
