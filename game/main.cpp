#include <cstdio>
#include <ctime>
#include <iostream>

#include <SFML/Audio/Listener.hpp>

#include "CommandLine.h"
#include "EventKeyboard.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Map.h"
#include "Replay.h"
#include "Setup.h"
#include "Summary.h"

int main(int argc, char* argv[]) {
    CommandLine options;
    int code = options.parse(argc, argv, std::cout, std::cerr);
    if (code != CommandLine::RUN)
        return code;

    // A replay file is read whole before anything opens: a bad one ends the program here.
    ks::Replay replay;
    const bool replaying = !options.getReplayFile().empty();
    if (replaying && replay.load(options.getReplayFile()) != 0) {
        fprintf(stderr, "murkvault: %s\n", replay.getError().c_str());
        return 2;
    }
    unsigned long seed = static_cast<unsigned long>(time(nullptr)) & Map::SEED_MASK;
    if (options.hasSeed())
        seed = options.getSeed();
    if (replaying)
        seed = replay.getSeed();
    Map::setNextSeed(seed);

    ks::GraphicsManager::getInstance().setHeadless(options.isHeadless());
    ks::GraphicsManager::getInstance().setScale(options.getScale());
    // The log first, so that every manager built afterwards can write to it.
    ks::LogManager::getInstance().startUp();
    // Said before the window opens, so that it comes before SFML's own complaints.
    checkDataFiles(); // a note on stderr when not started where sprites/ and the rest are
    ks::GameManager& game_manager = ks::GameManager::getInstance();
    game_manager.startUp();
    if (!ks::GraphicsManager::getInstance().getBackend()) {
        fprintf(stderr, "murkvault: cannot open a window: no display (is DISPLAY set?)\n");
        return 1;
    }

    ks::InputManager& input = ks::InputManager::getInstance();
    input.setPauseKey(ks::Keyboard::P);
    const bool recording = !options.getRecordFile().empty();
    if (recording && input.startRecording(options.getRecordFile(), seed) != 0) {
        fprintf(stderr, "murkvault: cannot write the replay file %s\n",
                options.getRecordFile().c_str());
        return 1;
    }
    if (replaying) {
        input.startReplay(&replay);
        if (options.isHeadless()) {
            // As fast as it goes, and silent: a game played at hundreds of times its speed.
            game_manager.setPaced(false);
            sf::Listener::setGlobalVolume(0.f);
        }
    }

    loadResources();
    populateWorld();
    game_manager.run();

    if (recording)
        input.stopRecording(game_manager.getStepCount() - 1);
    if (recording || replaying)
        printf("%s\n", summaryLine().c_str());
    return 0;
}
