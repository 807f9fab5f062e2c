#pragma once

#include <memory>

#include "Platform.h"

namespace ks {

/// The platform with a display that this build of the engine has: the desktop's (SfmlPlatform)
/// in a desktop build, the web page's (WebPlatform) in a web build. A game that names this one
/// rather than a particular platform runs wherever the engine is built; the headless platform is
/// always there besides.
///
/// The engine's core only declares it: the platform library of the build defines it
/// (platform/sfml/DefaultPlatform.cpp, platform/web/DefaultPlatform.cpp), so a program linking the
/// core and the headless platform alone cannot name it.
class DefaultPlatform : public Platform {
public:
    /// The build's platform (the one constructor each platform library defines).
    DefaultPlatform();

    /// The name of the build's platform ("sfml", "web").
    const char* getName() const override { return platform->getName(); }
    /// A screen of the build's platform.
    std::unique_ptr<Screen> openScreen(const ScreenSettings& settings,
                                       ScreenStatus& status) override {
        return platform->openScreen(settings, status);
    }
    /// The sound device of the build's platform.
    std::unique_ptr<AudioDevice> openAudio() override { return platform->openAudio(); }

private:
    std::unique_ptr<Platform> platform;
};

} // namespace ks
