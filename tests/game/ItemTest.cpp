#include "GameHelpers.h"

class ItemTest : public GameTest {};

TEST_F(ItemTest, EachItemGivesItsEffectOnceEvenWhenPutBackByItsRoom) {
    Player* player = newPlayerAt(ks::Position(40, 12));
    const ks::Position under(41, 13);
    Item* items[] = {new Heart(under), new Atkup(under), new Defup(under), new Moneybag(under)};
    std::multiset<std::string> messages;
    std::set<int> shown;                      // by id
    for (int visit = 0; visit < 2; visit++) { // the second time their room is entered again
        updateWorld(); // the player touches the items, and again in the next frame
        // Each pop-up replaced the one before (those leave at the next update); put back, the
        // items show no new one.
        for (PopUp* p_popup : objectsInWorld<PopUp>())
            if (shown.insert(p_popup->getId()).second)
                messages.insert(p_popup->getMessage());
        player->setInvulnerable(false);
        updateWorld();
        for (Item* p_item : items)
            sendSteps(p_item);
        updateWorld();
        for (Item* p_item : items) // taken out at its step; put back by its room
            ks::WorldManager::getInstance().insertObject(p_item);
    }
    EXPECT_EQ(player->getHealth(), 120);
    EXPECT_EQ(player->getAttack(), 20);
    EXPECT_EQ(player->getDefense(), 1);
    EXPECT_EQ(player->getScoreView()->getValue(), 50);
    EXPECT_EQ(messages, (std::multiset<std::string>{"health acquired", "attack increased",
                                                    "defense increased", "money bag acquired"}));
    for (Item* p_item : items)
        delete p_item;
}
