#include "SfmlPlatform.h"

#include <cerrno>
#include <cstdio>

#include <SFML/System/Err.hpp>
#include <SFML/Window/VideoMode.hpp>

#include "LogManager.h"

#include "SfmlAudio.h"
#include "SfmlScreen.h"
#include "XErrorWatch.h"

namespace ks {

SfmlPlatform::SfmlPlatform() {
    sf::err();
}

std::unique_ptr<Screen> SfmlPlatform::openScreen(const ScreenSettings& settings,
                                                 ScreenStatus& status) {
    // SFML aborts the process when it cannot reach a display: ask X first. The connection stays
    // until the window is open (see XErrorWatch::probe).
    XErrorWatch display;
    if (!display.probe()) {
        status = ScreenStatus::NO_DISPLAY;
        return nullptr;
    }
    // Part of a window beyond the screen's edge (the bottom rows, the messages) would never be
    // seen.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const int width = static_cast<int>(desktop.width);
    const int height = static_cast<int>(desktop.height);
    ScreenSettings fitted = settings;
    fitted.scale = SfmlScreen::fittingScale(settings, width, height);
    if (fitted.scale < settings.scale) {
        char text[200];
        snprintf(text, sizeof(text),
                 "scale %d does not fit the %d x %d screen: the window opens at scale %d "
                 "(%d x %d)",
                 settings.scale, width, height, fitted.scale,
                 settings.horizontal_pixels * fitted.scale,
                 settings.vertical_pixels * fitted.scale);
        fprintf(stderr, "%s: %s\n", program_invocation_short_name, text);
        LogManager::getInstance().writeVolatileLog("SfmlPlatform::openScreen(): %s", text);
    }
    auto screen = std::make_unique<SfmlScreen>(fitted);
    status = screen->open();
    if (status == ScreenStatus::NO_DISPLAY)
        return nullptr;
    return screen;
}

std::unique_ptr<AudioDevice> SfmlPlatform::openAudio() {
    return std::make_unique<SfmlAudio>();
}

} // namespace ks
