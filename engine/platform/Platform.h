#pragma once

#include <memory>
#include <string>

#include "AudioDevice.h"
#include "Screen.h"

namespace ks {

/// The screen a game asks a platform for.
struct ScreenSettings {
    int horizontal_pixels = 921; ///< the window's width at scale 1
    int vertical_pixels = 691;   ///< the window's height at scale 1
    int horizontal_chars = 80;   ///< columns of cells
    int vertical_chars = 24;     ///< rows of cells
    int scale = 1;               ///< how many times larger the window opens (1 to 4)
    std::string title;           ///< the window's title
    std::string font_file;       ///< the TrueType font its glyphs are drawn in
};

/// How opening a screen went.
enum class ScreenStatus {
    OPENED,     ///< the screen is open
    NO_DISPLAY, ///< there is nothing to open a screen on (no screen was made)
    NO_FONT,    ///< the screen is open, but its font could not be loaded
};

/// What a game runs on: a screen with its input, and a sound device. A program chooses one at
/// start-up (the SFML desktop, headless, ...) and hands it to the engine
/// (GameManager::setPlatform); the engine never picks one itself. A platform is a factory: what
/// it opens is owned by the engine's managers and does not refer back to it.
class Platform {
public:
    /// Platforms are destroyed through this base.
    virtual ~Platform();
    /// A short name for the log and messages ("sfml", "headless").
    virtual const char* getName() const = 0;
    /// Opens a screen as the settings describe. Null with NO_DISPLAY when there is nothing to
    /// open one on; with NO_FONT the screen is open all the same.
    virtual std::unique_ptr<Screen> openScreen(const ScreenSettings& settings,
                                               ScreenStatus& status) = 0;
    /// Opens the sound device; never null (a platform without sound gives a silent one).
    virtual std::unique_ptr<AudioDevice> openAudio() = 0;
};

} // namespace ks
