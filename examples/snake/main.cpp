// Snake, a small game on the ks engine: steer with the arrow keys or W A S D, eat the blinking
// food, and keep clear of the walls and of your own body. P pauses, Escape ends the game.
//
//   snake [--seed N] [--record FILE] [--replay FILE [--headless]] [--mute] [--scale N]
//
// It reads sprites/, sounds/ and ks-font.ttf from the working directory and writes kestrel.log
// there. The options are the engine's (ks::Launcher, --help lists them): --record writes every
// input to FILE, --replay plays such a file again (--headless: without a window or sound, as
// fast as it goes). At the end it prints "score S length L cycles C".
#include <cstdio>
#include <iostream>
#include <string>

#include <ks/DefaultPlatform.h>
#include <ks/EventKeyboard.h>
#include <ks/GameManager.h>
#include <ks/GraphicsManager.h>
#include <ks/HeadlessPlatform.h>
#include <ks/InputManager.h>
#include <ks/Launcher.h>
#include <ks/ResourceManager.h>
#include <ks/ViewObject.h>

#include "Food.h"
#include "Snake.h"

namespace {

void loadResources() {
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    for (const char* name : {"head", "body", "food", "wall-h", "wall-v", "gameover"})
        resources.loadSprite(std::string("sprites/") + name + "-sprite.txt", name);
    resources.loadSound("sounds/eat.wav", "eat");
    resources.loadSound("sounds/crash.wav", "crash");
}

// A wall is a plain engine object: solid (HARD) from birth, it only needs a type and a sprite.
void addWall(int x, int y, const char* sprite) {
    ks::Object* p_wall = new ks::Object(ks::Position(x, y));
    p_wall->setType("Wall");
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(sprite))
        p_wall->setSprite(p_sprite);
}

} // namespace

int main(int argc, char* argv[]) {
    ks::DefaultPlatform desktop;
    ks::HeadlessPlatform headless;
    ks::Launcher launcher("snake");
    int code = launcher.parse(argc, argv, std::cout, std::cerr);
    if (code != ks::Launcher::RUN)
        return code;
    ks::GraphicsManager::getInstance().setTitle("Snake");
    ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);
    if ((code = launcher.start(desktop, headless)) != 0)
        return code;

    loadResources();
    addWall(0, 1, "wall-h");
    addWall(0, 23, "wall-h");
    addWall(0, 2, "wall-v");
    addWall(79, 2, "wall-v");
    Snake* p_snake = new Snake(ks::Position(20, 12));
    new Food(launcher.getSeed());
    ks::ViewObject* p_score = new ks::ViewObject;
    p_score->setViewString("Score:");
    p_score->setBorder(false);
    p_score->setLocation(ks::TOP_LEFT);
    p_score->setColor(ks::YELLOW);

    code = launcher.run();

    printf("score %d length %d cycles %d\n", p_score->getValue(), p_snake->getLength(),
           ks::GameManager::getInstance().getStepCount());
    return code;
}
