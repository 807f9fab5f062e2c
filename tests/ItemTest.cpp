#include <functional>
#include <string>

#include "Atkup.h"
#include "Defup.h"
#include "GameplayHelpers.h"
#include "Heart.h"
#include "Moneybag.h"
#include "PopUp.h"
#include "ResourceManager.h"
#include "ViewObject.h"

namespace {

const ks::Position PLAYER_PLACE(40, 12);
const ks::Position ITEM_PLACE(41, 13); // under the player's 3 x 3 box

class ItemTest : public EngineTest {};

std::vector<std::string> popUpMessages() {
    std::vector<std::string> messages;
    for (PopUp* p_popup : objectsInWorld<PopUp>())
        messages.push_back(p_popup->getMessage());
    return messages;
}

} // namespace

TEST_F(ItemTest, EachItemGivesItsEffectOnceEvenWhenPutBackByItsRoom) {
    const struct {
        std::function<Item*()> make;
        std::function<int(Player*)> measure;
        int gain;
        const char* message;
    } kinds[] = {
        {[] { return new Heart(ITEM_PLACE); }, [](Player* p) { return p->getHealth(); }, 20,
         "health acquired"},
        {[] { return new Atkup(ITEM_PLACE); }, [](Player* p) { return p->getAttack(); }, 5,
         "attack increased"},
        {[] { return new Defup(ITEM_PLACE); }, [](Player* p) { return p->getDefense(); }, 1,
         "defense increased"},
        {[] { return new Moneybag(ITEM_PLACE); },
         [](Player* p) { return p->getScoreView()->getValue(); }, 50, "money bag acquired"},
    };
    ks::WorldManager& world = ks::WorldManager::getInstance();
    for (const auto& kind : kinds) {
        resetEngine();
        Player* player = newPlayerAt(PLAYER_PLACE);
        Item* item = kind.make();
        const int before = kind.measure(player);
        world.update(); // the player touches the item
        EXPECT_EQ(kind.measure(player), before + kind.gain) << kind.message;
        EXPECT_EQ(popUpMessages(), std::vector<std::string>{kind.message});

        player->setInvulnerable(false);
        world.update(); // touched again in the next frame
        sendSteps(item);
        world.update();
        EXPECT_FALSE(inWorld(item)) << kind.message;

        world.insertObject(item); // its room is entered again
        player->setInvulnerable(false);
        world.update();
        sendSteps(item);
        world.update();
        EXPECT_FALSE(inWorld(item)) << kind.message;
        EXPECT_EQ(kind.measure(player), before + kind.gain) << kind.message;
        EXPECT_EQ(popUpMessages().size(), 1u) << kind.message;
        delete item;
    }
}

TEST_F(ItemTest, MissingDefupSpriteWarnsInLowerCaseAndKeepsTwoByOneBox) {
    loadGameResources();
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    ASSERT_EQ(resources.unloadSprite("defup"), 0);
    Defup defup(ITEM_PLACE);
    resources.loadSprite("sprites/defup-sprite.txt", "defup");
    EXPECT_TRUE(logHas("defup::defup(): Warning! Sprite 'defup' not found"));
    EXPECT_EQ(defup.getBox().getHorizontal(), 2);
    EXPECT_EQ(defup.getBox().getVertical(), 1);
}
