#pragma once

#include <memory>

#include "SfmlScreen.h"

// A window of the game's size in its font, for the tests of the SFML platform; null when it
// cannot be opened with its font.
inline std::unique_ptr<ks::SfmlScreen> openTestWindow(int scale = 1) {
    ks::ScreenSettings settings;
    settings.title = "Murkvault test";
    settings.font_file = "ks-font.ttf";
    settings.scale = scale;
    auto window = std::make_unique<ks::SfmlScreen>(settings);
    if (window->open() != ks::ScreenStatus::OPENED)
        return nullptr;
    return window;
}
