#include "GameManager.h"

#include "AudioManager.h"
#include "Box.h"
#include "Clock.h"
#include "Color.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Object.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "ResourceManager.h"
#include "WorldManager.h"

namespace ks {

GameManager::GameManager()
    : game_over(false), frame_time(FRAME_TIME), step_count(0), paced(true), paused(false),
      pause_text("PAUSED"),
      pause_place(WINDOW_HORIZONTAL_CHARS_DEFAULT / 2, WINDOW_VERTICAL_CHARS_DEFAULT / 2 - 1) {
    setType("GameManager");
    InputManager::getInstance().setLoop(this);
    LogManager::getInstance().writeLog("GameManager::GameManager(): frame time set to %i ms",
                                       frame_time);
}

GameManager& GameManager::getInstance() {
    static GameManager instance;
    return instance;
}

int GameManager::startUp() {
    LogManager::getInstance().startUp();
    WorldManager::getInstance().startUp();
    GraphicsManager::getInstance().startUp();
    AudioManager::getInstance().startUp();
    ResourceManager::getInstance().startUp();
    return Manager::startUp();
}

void GameManager::setPlatform(Platform& platform) {
    GraphicsManager::getInstance().setPlatform(&platform);
    AudioManager::getInstance().setPlatform(&platform);
}

void GameManager::shutDown() {
    setGameOver(true);
    Manager::shutDown();
}

void GameManager::cycle() {
    WorldManager& world = WorldManager::getInstance();
    GraphicsManager& graphics = GraphicsManager::getInstance();
    InputManager::getInstance().getInput();
    if (paused) {
        // The scene as it was, without drawing (and so animating) a single object.
        graphics.redrawLastFrame();
        const Position corner = world.getView().getCorner();
        const Position place(corner.getX() + pause_place.getX(),
                             corner.getY() + pause_place.getY());
        graphics.drawString(place, " " + pause_text + " ", CENTER_JUSTIFIED, WHITE);
        graphics.swapBuffers();
        return;
    }
    world.update();

    // To every object of the world as the cycle found it; one destroyed by an earlier handler is
    // skipped.
    EventStep step(step_count);
    world.broadcast(&step);

    world.draw();
    graphics.swapBuffers();
}

void GameManager::beginRun() {
    game_over = false;
    step_count = 0;
}

bool GameManager::runCycle() {
    if (game_over)
        return false;
    cycle();
    endCycle();
    return !game_over;
}

void GameManager::endCycle() {
    if (step_count % 30 == 0)
        LogManager::getInstance().writeLog("GameManager::run(): %i cycles (%i seconds) executed",
                                           step_count, step_count / 30);
    step_count++;
}

void GameManager::run() {
    LogManager& log = LogManager::getInstance();
    Clock clock;
    beginRun();
    while (!game_over) {
        clock.delta();
        cycle();

        // Unpaced, the next cycle starts at once: there is no deadline to miss.
        long sleep_time = frame_time - clock.split();
        if (paced && sleep_time < 0)
            log.writeVolatileLog("GameManager::run(): cycle %i missed deadline by %lu ms, consider "
                                 "lowering frame rate",
                                 step_count, static_cast<unsigned long>(-sleep_time));
        else if (paced)
            Clock::sleep(sleep_time);
        endCycle();
    }
}

} // namespace ks
