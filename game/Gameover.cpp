#include "Gameover.h"

#include <cstdio>

#include "Color.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Map.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "SpriteLookup.h"
#include "WorldManager.h"

Gameover* Gameover::spawn(int final_score, int final_floor) {
    Gameover* p_gameover = new Gameover(final_score, final_floor);
    ks::WorldManager::getInstance().adoptObject(p_gameover);
    return p_gameover;
}

Gameover::Gameover(int final_score, int final_floor) : countdown(0), score(0), floor(final_floor) {
    ks::Sprite* p_sprite = lookUpSprite("Gameover", "gameover");
    if (p_sprite) {
        setSprite(p_sprite);
        setSpriteSlowdown(3);
    }
    ks::LogManager::getInstance().writeLog("created game over object");
    countdown = 120;
    setAltitude(5);
    setPosition(ks::Position(0, 0));
    score = final_score;

    ks::WorldManager& world = ks::WorldManager::getInstance();
    ks::ObjectList all = world.getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (it.currentObject() != this)
            world.markForDelete(it.currentObject());
}

int Gameover::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() == ks::STEP_EVENT) {
        countdown--;
        if (countdown <= 0)
            Map::spawn();
    }
    return 0;
}

void Gameover::draw() {
    ks::Object::draw();
    char text[64];
    snprintf(text, sizeof(text), "Final score: %d", score);
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    graphics.drawString(ks::Position(40, 16), text, ks::CENTER_JUSTIFIED, ks::RED);
    snprintf(text, sizeof(text), "Floor reached: %d", floor);
    graphics.drawString(ks::Position(40, 17), text, ks::CENTER_JUSTIFIED, ks::RED);
}
