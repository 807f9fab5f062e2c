#include "TitleScreen.h"

#include "EventStep.h"
#include "Map.h"
#include "SpriteLookup.h"
#include "WorldManager.h"

TitleScreen* TitleScreen::spawn() {
    TitleScreen* p_title_screen = new TitleScreen();
    ks::WorldManager::getInstance().adoptObject(p_title_screen);
    return p_title_screen;
}

TitleScreen::TitleScreen() : countdown(0) {
    setSprite(lookUpSprite("TitleScreen", "title"));
    countdown = 120;
    setPosition(ks::Position(0, 0));
}

int TitleScreen::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() == ks::STEP_EVENT) {
        // The countdown runs one past zero, so the game starts on the 122nd step.
        bool expired = countdown < 0;
        countdown--;
        if (expired) {
            ks::WorldManager::getInstance().markForDelete(this);
            Map::spawn();
        }
    }
    return 0;
}
