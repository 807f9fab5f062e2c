// Bricks, a small game on the ks engine: keep the ball in play with the paddle (the arrow keys or
// A and D), launch it with Space, and break every brick. A brick that drops a capsule gives a
// life to the paddle that catches it. P pauses, Escape ends the game.
//
//   bricks [--seed N] [--record FILE] [--replay FILE [--headless]] [--mute] [--scale N]
//
// It reads sprites/, sounds/ and ks-font.ttf from the working directory (its build folder holds
// copies), or, started in a folder without them, from where it was installed; it writes
// bricks.log in the working directory. The options are the engine's (ks::Launcher, --help lists
// them). At the end it prints "score S lives L bricks B cycles C".
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include <ks/DefaultPlatform.h>
#include <ks/EventKeyboard.h>
#include <ks/GameManager.h>
#include <ks/GraphicsManager.h>
#include <ks/HeadlessPlatform.h>
#include <ks/InputManager.h>
#include <ks/Launcher.h>
#include <ks/LogManager.h>
#include <ks/ResourceManager.h>
#include <ks/ViewObject.h>

#include "Ball.h"
#include "Brick.h"
#include "Paddle.h"

namespace {

const int BRICK_ROWS = 4, BRICKS_PER_ROW = 13, TOP_BRICK_ROW = 4;
const int CAPSULES = 4; // bricks, chosen by the seed, that hold one
const char* const ROW_COLORS[BRICK_ROWS] = {"red", "yellow", "green", "cyan"};

// An installed game is started anywhere: without sprites/ in the working directory, it reads its
// data (and the font) from the folder ks_game_data installed them in.
void findData() {
#ifdef KS_INSTALLED_DATA_FOLDER
    if (!std::filesystem::exists("sprites")) {
        const std::string folder = KS_INSTALLED_DATA_FOLDER;
        ks::ResourceManager::getInstance().setDataFolder(folder);
        ks::GraphicsManager::getInstance().setFontFile(folder + "/ks-font.ttf");
    }
#endif
}

void loadResources() {
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    for (const char* name : {"paddle", "ball", "capsule", "wall-h", "wall-v", "gameover", "cleared",
                             "brick-red", "brick-yellow", "brick-green", "brick-cyan"})
        resources.loadSprite(std::string("sprites/") + name + "-sprite.txt", name);
    for (const char* name : {"bounce", "brick", "capsule", "lose"})
        resources.loadSound(std::string("sounds/") + name + ".wav", name);
}

void addWall(int x, int y, const char* sprite) {
    ks::Object* p_wall = new ks::Object(ks::Position(x, y));
    p_wall->setType("Wall");
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(sprite))
        p_wall->setSprite(p_sprite);
}

void addBricks(unsigned long seed) {
    // The seed's own numbers, not a distribution: the same bricks with every C++ library.
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    bool capsule[BRICK_ROWS * BRICKS_PER_ROW] = {};
    for (int placed = 0; placed < CAPSULES;) {
        const unsigned index = random() % (BRICK_ROWS * BRICKS_PER_ROW);
        if (!capsule[index]) {
            capsule[index] = true;
            placed++;
        }
    }
    for (int row = 0; row < BRICK_ROWS; row++)
        for (int i = 0; i < BRICKS_PER_ROW; i++)
            new Brick(ks::Position(1 + i * Brick::WIDTH, TOP_BRICK_ROW + row), ROW_COLORS[row],
                      capsule[row * BRICKS_PER_ROW + i]);
}

ks::ViewObject* addDisplay(const char* label, int location, int value) {
    ks::ViewObject* p_view = new ks::ViewObject;
    p_view->setViewString(label);
    p_view->setBorder(false);
    p_view->setLocation(location);
    p_view->setColor(ks::YELLOW);
    p_view->setValue(value);
    return p_view;
}

} // namespace

int main(int argc, char* argv[]) {
    ks::DefaultPlatform desktop;
    ks::HeadlessPlatform headless;
    ks::Launcher launcher("bricks");
    int code = launcher.parse(argc, argv, std::cout, std::cerr);
    if (code != ks::Launcher::RUN)
        return code;
    // The game's own window title and log file; the engine's defaults name no game.
    ks::GraphicsManager::getInstance().setTitle("Bricks");
    ks::LogManager::getInstance().setFileName("bricks.log");
    findData();
    ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);
    if ((code = launcher.start(desktop, headless)) != 0)
        return code;

    loadResources();
    addWall(0, 1, "wall-h");
    addWall(0, 2, "wall-v");
    addWall(79, 2, "wall-v");
    addBricks(launcher.getSeed());
    Paddle* p_paddle = new Paddle(ks::Position(35, 22));
    Ball* p_ball = new Ball(p_paddle, launcher.getSeed());
    ks::ViewObject* p_score = addDisplay("Score:", ks::TOP_LEFT, 0);
    addDisplay("Lives:", ks::TOP_RIGHT, Ball::START_LIVES);

    // Not 0 when the recording is incomplete or a replay went astray (see the launcher).
    code = launcher.run();

    printf("score %d lives %d bricks %d cycles %d\n", p_score->getValue(), p_ball->getLives(),
           Brick::getLeft(), ks::GameManager::getInstance().getStepCount());
    return code;
}
