#pragma once

#include "Platform.h"

namespace ks {

/// The web platform: the page's canvas with its keyboard, mouse and focus (a WebScreen painting
/// on a BrowserCanvas), and Web Audio (BrowserAudio). In a web build it is the DefaultPlatform;
/// a page runs the game's loop with BrowserLoop.
class WebPlatform : public Platform {
public:
    /// "web".
    const char* getName() const override { return "web"; }
    /// The page's canvas, sized as the settings describe: NO_FONT when the font's file cannot be
    /// read (the screen is open all the same).
    std::unique_ptr<Screen> openScreen(const ScreenSettings& settings,
                                       ScreenStatus& status) override;
    /// Web Audio.
    std::unique_ptr<AudioDevice> openAudio() override;
};

} // namespace ks
