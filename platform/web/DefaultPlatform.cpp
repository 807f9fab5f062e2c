#include "DefaultPlatform.h"

#include "WebPlatform.h"

namespace ks {

// In a web build, the platform with a display is the page's.
DefaultPlatform::DefaultPlatform() : platform(std::make_unique<WebPlatform>()) {}

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
