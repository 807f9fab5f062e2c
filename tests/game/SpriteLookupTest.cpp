// Game objects whose sprites are not registered: each logs its own warning and goes on.
#include "GameHelpers.h"
#include "TitleScreen.h"

// No resources are loaded in this program: every lookup misses.
using SpriteLookupTest = EngineTest;

static std::string warning(const std::string& owner, const std::string& label) {
    return owner + "::" + owner + "(): Warning! Sprite '" + label + "' not found";
}

TEST_F(SpriteLookupTest, EachObjectLogsItsOwnWarningAndGoesOnWithoutASprite) {
    ASSERT_EQ(0, ks::ResourceManager::getInstance().getSpriteCount());
    Map::setNextSeed(3);
    Map* p_map = Map::spawn();
    std::vector<std::string> lines = logLines();
    lines.resize(6);
    EXPECT_EQ((std::vector<std::string>{"Map::Map(): seed 3", warning("Map", "room"),
                                        warning("Map", "door-north"), warning("Map", "door-south"),
                                        warning("Map", "door-east"), warning("Map", "door-west")}),
              lines);
    EXPECT_EQ(nullptr, p_map->getSprite());
    const ks::Position at(20, 10);
    Sword::spawn(15, at);
    TitleScreen::spawn();
    new ArrowTrap(at, EAST);
    new Skeleton(at, FACING_UP);
    new Heart(at);
    new Atkup(at);
    new Defup(at);
    new Moneybag(at);
    Gameover::spawn(0, 1);
    const std::pair<const char*, const char*> others[] = {
        {"Player", "player"},     {"Instructions", "instructions"},
        {"Ladder", "ladder"},     {"Spikes", "spikes"},
        {"Zombie", "zombie"},     {"Sword", "sword"},
        {"TitleScreen", "title"}, {"ArrowTrap", "arrow-trap"},
        {"Skeleton", "skeleton"}, {"Heart", "heart"},
        {"Atkup", "atkup"},       {"defup", "defup"},
        {"Moneybag", "moneybag"}, {"Gameover", "gameover"}};
    for (const auto& [owner, label] : others)
        EXPECT_TRUE(logHas(warning(owner, label))) << owner;
    EXPECT_EQ(nullptr, p_map->getPlayer()->getSprite());
}
