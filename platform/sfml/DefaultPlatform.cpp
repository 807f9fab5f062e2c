#include "DefaultPlatform.h"

#include "SfmlPlatform.h"

namespace ks {

// In a desktop build, the platform with a display is the desktop's.
DefaultPlatform::DefaultPlatform() : platform(std::make_unique<SfmlPlatform>()) {}

DefaultPlatform::~DefaultPlatform() = default;

const char* DefaultPlatform::getName() const {
    return platform->getName();
}

std::unique_ptr<Screen> DefaultPlatform::openScreen(const ScreenSettings& settings,
                                                    ScreenStatus& status) {
    return platform->openScreen(settings, status);
}

std::unique_ptr<AudioDevice> DefaultPlatform::openAudio() {
    return platform->openAudio();
}

} // namespace ks
