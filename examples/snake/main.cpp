// Snake, a small game on the ks engine: steer with the arrow keys or W A S D, eat the blinking
// food, and keep clear of the walls and of your own body. P pauses, Escape ends the game.
//
//   snake [--seed N] [--record FILE] [--replay FILE [--headless]]
//
// It reads sprites/, sounds/ and ks-font.ttf from the working directory and writes kestrel.log
// there. --record writes every input to FILE, --replay plays such a file again (--headless:
// without a window, as fast as it goes). At the end it prints "score S length L cycles C".
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <SFML/Audio/Listener.hpp>

#include <ks/EventKeyboard.h>
#include <ks/GameManager.h>
#include <ks/GraphicsManager.h>
#include <ks/InputManager.h>
#include <ks/LogManager.h>
#include <ks/Replay.h>
#include <ks/ResourceManager.h>
#include <ks/ViewObject.h>

#include "Food.h"
#include "Snake.h"

namespace {

struct Options {
    bool has_seed = false;
    unsigned long seed = 0;
    std::string record_file;
    std::string replay_file;
    bool headless = false;
};

// 0, or -1 after a usage message.
int parseOptions(int argc, char* argv[], Options& options) {
    bool ok = true;
    for (int i = 1; i < argc && ok; i++) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--headless") {
            options.headless = true;
            continue;
        }
        if (!value || (arg != "--seed" && arg != "--record" && arg != "--replay")) {
            ok = false;
            break;
        }
        i++;
        if (arg == "--record") {
            options.record_file = value;
        } else if (arg == "--replay") {
            options.replay_file = value;
        } else {
            char* end = nullptr;
            options.seed = std::strtoul(value, &end, 10);
            options.has_seed = true;
            ok = *value >= '0' && *value <= '9' && *end == '\0';
        }
    }
    ok = ok && (!options.headless || !options.replay_file.empty());
    if (!ok)
        fprintf(stderr, "usage: snake [--seed N] [--record FILE] [--replay FILE [--headless]]\n");
    return ok ? 0 : -1;
}

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
    Options options;
    if (parseOptions(argc, argv, options) != 0)
        return 2;
    ks::Replay replay;
    const bool replaying = !options.replay_file.empty();
    if (replaying && replay.load(options.replay_file) != 0) {
        fprintf(stderr, "snake: %s\n", replay.getError().c_str());
        return 2;
    }
    unsigned long seed =
        options.has_seed ? options.seed : static_cast<unsigned long>(time(nullptr));
    if (replaying)
        seed = replay.getSeed();

    ks::GraphicsManager::getInstance().setHeadless(options.headless);
    ks::GraphicsManager::getInstance().setTitle("Snake");
    ks::LogManager::getInstance().startUp();
    ks::GameManager& game = ks::GameManager::getInstance();
    game.startUp();
    if (!ks::GraphicsManager::getInstance().getBackend()) {
        fprintf(stderr, "snake: cannot open a window (is DISPLAY set?)\n");
        return 1;
    }
    ks::InputManager& input = ks::InputManager::getInstance();
    input.setPauseKey(ks::Keyboard::P);
    if (!options.record_file.empty() && input.startRecording(options.record_file, seed) != 0) {
        fprintf(stderr, "snake: cannot write %s\n", options.record_file.c_str());
        return 1;
    }
    if (replaying) {
        input.startReplay(&replay);
        if (options.headless) {
            game.setPaced(false);
            sf::Listener::setGlobalVolume(0.f);
        }
    }

    loadResources();
    addWall(0, 1, "wall-h");
    addWall(0, 23, "wall-h");
    addWall(0, 2, "wall-v");
    addWall(79, 2, "wall-v");
    Snake* p_snake = new Snake(ks::Position(20, 12));
    new Food(seed);
    ks::ViewObject* p_score = new ks::ViewObject;
    p_score->setViewString("Score:");
    p_score->setBorder(false);
    p_score->setLocation(ks::TOP_LEFT);
    p_score->setColor(ks::YELLOW);

    game.run();

    if (!options.record_file.empty())
        input.stopRecording(game.getStepCount() - 1);
    printf("score %d length %d cycles %d\n", p_score->getValue(), p_snake->getLength(),
           game.getStepCount());
    return 0;
}
