#include <cstdio>

#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Setup.h"

int main() {
    // The log first, so that every manager built afterwards can write to it.
    ks::LogManager::getInstance().startUp();
    checkDataFiles(); // a note on stderr when not started where sprites/ and the rest are
    ks::GameManager& game_manager = ks::GameManager::getInstance();
    game_manager.startUp();
    if (!ks::GraphicsManager::getInstance().getWindow()) {
        fprintf(stderr, "murkvault: cannot open a window: no display (is DISPLAY set?)\n");
        return 1;
    }
    loadResources();
    populateWorld();
    game_manager.run();
    return 0;
}
