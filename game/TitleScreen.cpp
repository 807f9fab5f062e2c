#include "TitleScreen.h"

#include "EventStep.h"
#include "LogManager.h"
#include "Map.h"
#include "ResourceManager.h"
#include "WorldManager.h"

TitleScreen::TitleScreen() : countdown(0) {
    const char* label = "title";
    ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(label);
    if (p_sprite)
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog(
            "TitleScreen::TitleScreen(): Warning! Sprite '%s' not found", label);
    countdown = 120;
    setPosition(ks::Position(0, 0));
    ks::WorldManager::getInstance().adoptObject(this);
}

int TitleScreen::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() == ks::STEP_EVENT) {
        // The countdown runs one past zero, so the game starts on the 122nd step.
        bool expired = countdown < 0;
        countdown--;
        if (expired) {
            ks::WorldManager::getInstance().markForDelete(this);
            new Map();
        }
    }
    return 0;
}
