#include "Setup.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "EventKeyboard.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "Launcher.h"
#include "LogManager.h"
#include "Map.h"
#include "Position.h"
#include "ResourceManager.h"
#include "TitleScreen.h"

namespace {

struct SpriteFile {
    const char* label;
    const char* file;
};

struct SoundFile {
    const char* label;
    const char* file;
};

// Loaded in this order; "room" is the picture of a room's walls.
const SpriteFile SPRITES[] = {
    {"room", "sprites/wall-sprite.txt"},
    {"door-north", "sprites/door-north-sprite.txt"},
    {"door-south", "sprites/door-south-sprite.txt"},
    {"door-west", "sprites/door-west-sprite.txt"},
    {"door-east", "sprites/door-east-sprite.txt"},
    {"player", "sprites/player-sprite.txt"},
    {"ladder", "sprites/ladder-sprite.txt"},
    {"sword", "sprites/sword-sprite.txt"},
    {"zombie", "sprites/zombie-sprite.txt"},
    {"heart", "sprites/heart-sprite.txt"},
    {"zombie-hit", "sprites/zombie-hit-sprite.txt"},
    {"zombie-aggro", "sprites/zombie-aggro-sprite.txt"},
    {"spikes", "sprites/spikes-sprite.txt"},
    {"arrow-trap", "sprites/arrow-trap-sprite.txt"},
    {"moneybag", "sprites/moneybag-sprite.txt"},
    {"atkup", "sprites/atkup-sprite.txt"},
    {"defup", "sprites/defup-sprite.txt"},
    {"instructions", "sprites/instructions-sprite.txt"},
    {"skeleton", "sprites/skeleton-sprite.txt"},
    {"skeleton-hit", "sprites/skeleton-hit-sprite.txt"},
    {"skeleton-aggro", "sprites/skeleton-aggro-sprite.txt"},
    {"gameover", "sprites/gameover-sprite.txt"},
    {"title", "sprites/title-sprite.txt"},
};

// The "death" sound is registered but nothing plays it.
const SoundFile SOUNDS[] = {
    {"arrow", "sounds/arrow.wav"},
    {"zombie1", "sounds/zombie1.wav"},
    {"zombie2", "sounds/zombie2.wav"},
    {"zombie3", "sounds/zombie3.wav"},
    {"cash-register", "sounds/cash_register.wav"},
    {"death", "sounds/death_sound.wav"},
};

} // namespace

void loadResources() {
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    resources.startUp();
    // Failures are logged by the resource manager; objects that miss a sprite log their own.
    for (const SpriteFile& sprite : SPRITES)
        resources.loadSprite(sprite.file, sprite.label);
    for (const SoundFile& sound : SOUNDS)
        resources.loadSound(sound.file, sound.label);
}

void populateWorld() {
    TitleScreen::spawn();
}

int checkDataFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path base(folder);
    std::error_code error; // the queries report through it instead of throwing
    std::string missing;
    const std::pair<const char*, bool> wanted[] = {
        {"sprites/", fs::is_directory(base / "sprites", error)},
        {"sounds/", fs::is_directory(base / "sounds", error)},
        {"ks-font.ttf", fs::is_regular_file(base / "ks-font.ttf", error)},
    };
    for (const auto& item : wanted)
        if (!item.second)
            missing += std::string(missing.empty() ? "" : ", ") + item.first;
    if (missing.empty())
        return 0;

    fs::path where = fs::canonical(base, error);
    if (error)
        where = fs::absolute(base, error);
    const std::string shown = error ? folder : where.string();
    fprintf(stderr,
            "murkvault: %s not found in %s, the folder the game reads its data from; start it "
            "with ./play.sh in its source folder, or with the installed murkvault command\n",
            missing.c_str(), shown.c_str());
    ks::LogManager::getInstance().writeLog("checkDataFiles(): Warning! %s not found in %s",
                                           missing.c_str(), shown.c_str());
    return -1;
}

int startGame(ks::Launcher& launcher, ks::Platform& platform, ks::Platform& headless) {
    // The game's own window, log and font (in the working directory), whatever the engine's
    // defaults.
    ks::GraphicsManager::getInstance().setTitle("Murkvault");
    ks::LogManager::getInstance().setFileName("kestrel.log");
    ks::GraphicsManager::getInstance().setFontFile("ks-font.ttf");
    int code = launcher.prepare();
    if (code != 0)
        return code;
    Map::setNextSeed(launcher.getSeed());
    // Said before the window opens, so that it comes before the window system's own complaints.
    checkDataFiles(); // a note on stderr when not started where sprites/ and the rest are
    ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);
    // On the top row, between the floor and the score: over the wall, not the room.
    ks::GameManager::getInstance().setPauseText("PAUSED: P resumes, Esc quits");
    ks::GameManager::getInstance().setPausePlace(ks::Position(40, 0));
    if ((code = launcher.start(platform, headless)) != 0)
        return code;
    loadResources();
    populateWorld();
    return 0;
}
