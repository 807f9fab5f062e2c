// Stealth is read from the screen: an enemy that has noticed the player is drawn in a colour of
// its own, at every scale of the real window (Xvfb in the test run), zombies and skeletons alike.
#include <map>
#include <memory>
#include <vector>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "Enemy.h"
#include "EventPlayerMove.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "Player.h"
#include "Random.h"
#include "Setup.h"
#include "SfmlScreen.h"
#include "Skeleton.h"
#include "TestSupport.h"
#include "TestWindow.h"
#include "WorldManager.h"
#include "Zombie.h"

namespace {

using ks::Position;

// The palette colour a lit pixel shows, whatever its brightness (the glyphs' edges are
// antialiased): each channel counts when it is at least half the brightest.
int paletteColourOf(sf::Color pixel) {
    const int top = std::max({pixel.r, pixel.g, pixel.b});
    const bool r = 2 * pixel.r >= top, g = 2 * pixel.g >= top, b = 2 * pixel.b >= top;
    const int colours[2][2][2] = {{{ks::BLACK, ks::BLUE}, {ks::GREEN, ks::CYAN}},
                                  {{ks::RED, ks::MAGENTA}, {ks::YELLOW, ks::WHITE}}};
    return colours[r][g][b];
}

// The colour most of the lit pixels of a 3 x 3 sprite's cells show, and how many are lit.
std::pair<int, int> colourOfCells(const sf::Image& image, Position corner, int scale) {
    const ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    const Position first = graphics.spacesToPixels(corner);
    const Position last = graphics.spacesToPixels(Position(corner.getX() + 3, corner.getY() + 3));
    std::map<int, int> count;
    int lit = 0;
    for (int y = first.getY() * scale; y < last.getY() * scale; y++)
        for (int x = first.getX() * scale; x < last.getX() * scale; x++)
            if (image.getPixel(x, y) != sf::Color::Black) {
                lit++;
                count[paletteColourOf(image.getPixel(x, y))]++;
            }
    int most = ks::BLACK;
    for (const auto& c : count)
        if (c.second > count[most] || most == ks::BLACK)
            most = c.first;
    return {count[most] * 10 >= lit * 9 ? most : -1, lit}; // -1: no colour stands out
}

class AlertedEnemyColourTest : public EngineTest {};

TEST_F(AlertedEnemyColourTest, ANoticingEnemyShowsInItsOwnColourAtEveryScale) {
    if (!hasDisplay())
        GTEST_SKIP() << "no display";
    loadResources();
    startScripted();
    ks::Random::getInstance().seed(1); // a new enemy then stays put on its first step
    // Each kind twice, the second with the player in its line of sight.
    Player* p_player = new Player();
    std::vector<std::pair<Enemy*, bool>> enemies = {
        {new Zombie(Position(2, 2), FACING_RIGHT), false},
        {new Zombie(Position(8, 2), FACING_RIGHT), true},
        {new Skeleton(Position(14, 2), FACING_RIGHT), false},
        {new Skeleton(Position(20, 2), FACING_RIGHT), true},
    };
    for (auto& [p_enemy, alerted] : enemies) {
        p_player->setPosition(alerted ? Position(p_enemy->getPosition().getX() + 4, 2)
                                      : Position(60, 20));
        EventPlayerMove moved(p_player);
        p_enemy->eventHandler(&moved);
        ks::EventStep step;
        p_enemy->eventHandler(&step);
        ASSERT_EQ(p_enemy->isAlerted(), alerted);
    }
    ks::WorldManager::getInstance().markForDelete(p_player);
    ks::WorldManager::getInstance().update();
    ks::WorldManager::getInstance().draw();
    const std::vector<ks::CellDraw> cells = ks::GraphicsManager::getInstance().getFrameDraws();

    for (int scale = 1; scale <= 4; scale++) {
        std::unique_ptr<ks::SfmlScreen> window = openTestWindow(scale);
        ASSERT_NE(window, nullptr);
        window->clearFrame();
        window->drawFrame(cells);
        // Only the top-left corner is read: a large window may reach beyond the screen.
        sf::Texture texture;
        ASSERT_TRUE(
            texture.create(window->getWindow()->getSize().x, window->getWindow()->getSize().y));
        texture.update(*window->getWindow());
        const sf::Image image = texture.copyToImage();
        std::map<bool, std::vector<int>> colours; // by alerted
        for (const auto& enemy : enemies) {
            const std::pair<int, int> seen =
                colourOfCells(image, enemy.first->getPosition(), scale);
            EXPECT_GT(seen.second, 40 * scale * scale) << "scale " << scale;
            EXPECT_NE(seen.first, -1) << "scale " << scale;
            colours[enemy.second].push_back(seen.first);
        }
        // Zombie and skeleton alerted in one colour, which neither shows calm.
        EXPECT_EQ(colours[true][0], colours[true][1]) << "scale " << scale;
        for (int calm : colours[false])
            EXPECT_NE(calm, colours[true][0]) << "scale " << scale;
    }
}

} // namespace
