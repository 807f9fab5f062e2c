#include "SfmlPlatform.h"

#include <SFML/System/Err.hpp>

#include "SfmlAudio.h"
#include "SfmlScreen.h"

namespace ks {

SfmlPlatform::SfmlPlatform() {
    sf::err();
}

std::unique_ptr<Screen> SfmlPlatform::openScreen(const ScreenSettings& settings,
                                                 ScreenStatus& status) {
    auto screen = std::make_unique<SfmlScreen>(settings);
    status = screen->open();
    if (status == ScreenStatus::NO_DISPLAY)
        return nullptr;
    return screen;
}

std::unique_ptr<AudioDevice> SfmlPlatform::openAudio() {
    return std::make_unique<SfmlAudio>();
}

} // namespace ks
