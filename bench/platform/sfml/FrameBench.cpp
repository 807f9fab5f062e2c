// murkvault_bench: the cost of a busy game frame drawn in one batched draw call against drawing
// each cell's rectangle and text one by one, and whether the two give the same pixels.
//
// Usage (needs a display; Xvfb will do):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/<dir>/bench/murkvault_bench [FRAMES]
// It runs in build/<dir>/bench/work (links to the game's data; the log is written there).
// FRAMES (default 200) frames are drawn each way, in interleaved rounds so that a change in the
// machine's load hits both ways alike. Vertical sync is turned off: this measures drawing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <unistd.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "ArrowTrap.h"
#include "Atkup.h"
#include "Defup.h"
#include "Direction.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "Heart.h"
#include "Ladder.h"
#include "LogManager.h"
#include "Map.h"
#include "Moneybag.h"
#include "PopUp.h"
#include "Setup.h"
#include "SfmlScreen.h"
#include "Skeleton.h"
#include "Spikes.h"
#include "WorldManager.h"
#include "Zombie.h"

namespace {

const int ROUNDS = 4;
// The window, whose two ways of drawing are compared.
ks::SfmlScreen* p_screen = nullptr;
const int WARM_UP_FRAMES = 10;

double cpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The centre room of a floor with its four doors, the player with both displays, a dozen room
// objects and a pop-up.
void buildScene() {
    Map::setNextSeed(7);
    Map::spawn();
    new Zombie(ks::Position(12, 5), 0);
    new Zombie(ks::Position(60, 15), 1);
    new Zombie(ks::Position(30, 4), 2);
    new Skeleton(ks::Position(25, 12), 2);
    new Skeleton(ks::Position(50, 6), 3);
    new ArrowTrap(ks::Position(3, 10), EAST);
    new ArrowTrap(ks::Position(70, 3), SOUTH);
    new Spikes(ks::Position(33, 16));
    new Spikes(ks::Position(40, 8));
    new Heart(ks::Position(20, 18));
    new Atkup(ks::Position(45, 18));
    new Defup(ks::Position(55, 10));
    new Moneybag(ks::Position(65, 19));
    Ladder* p_ladder = new Ladder(1);
    p_ladder->setPosition(ks::Position(8, 17));
    PopUp::spawn("Attack up!");
    // The other rooms' objects leave the world at the first update, as in the game.
    ks::WorldManager::getInstance().update();
}

// The worst case for batching: every cell a glyph, so no background can be left out.
void drawEveryCell() {
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    for (int y = 0; y < graphics.getVertical(); y++)
        for (int x = 0; x < graphics.getHorizontal(); x++)
            graphics.drawCh(ks::Position(x, y), static_cast<char>(33 + (x + 80 * y) % 94),
                            1 + (x + y) % 7);
}

void drawRoom() {
    ks::WorldManager::getInstance().draw();
}

void drawNothing() {}

struct Cost {
    double wall_ms = 0;
    double cpu_ms = 0;
    // Of the wall time, the part spent in the drawCh calls, before swapBuffers.
    double draw_ch_ms = 0;
};

// Draws `frames` frames of the scene and adds their cost.
void drawFrames(void (*scene)(), bool batched, int frames, Cost& cost) {
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    p_screen->setBatching(batched);
    auto start = std::chrono::steady_clock::now();
    double cpu_start = cpuSeconds();
    for (int i = 0; i < frames; i++) {
        auto scene_start = std::chrono::steady_clock::now();
        scene();
        cost.draw_ch_ms += std::chrono::duration<double, std::milli>(
                               std::chrono::steady_clock::now() - scene_start)
                               .count();
        graphics.swapBuffers();
    }
    cost.wall_ms +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    cost.cpu_ms += (cpuSeconds() - cpu_start) * 1000;
}

sf::Image drawOnce(void (*scene)(), bool batched) {
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    p_screen->setBatching(batched);
    scene();
    p_screen->drawFrame(graphics.getFrameDraws());
    sf::RenderWindow* p_window = p_screen->getWindow();
    sf::Texture texture;
    texture.create(p_window->getSize().x, p_window->getSize().y);
    texture.update(*p_window);
    p_screen->clearFrame();
    graphics.swapBuffers();
    return texture.copyToImage();
}

int differingPixels(const sf::Image& a, const sf::Image& b) {
    int count = 0;
    for (unsigned y = 0; y < a.getSize().y; y++)
        for (unsigned x = 0; x < a.getSize().x; x++)
            count += a.getPixel(x, y) != b.getPixel(x, y);
    return count;
}

int litPixels(const sf::Image& img) {
    int count = 0;
    for (unsigned y = 0; y < img.getSize().y; y++)
        for (unsigned x = 0; x < img.getSize().x; x++)
            count += img.getPixel(x, y) != sf::Color::Black;
    return count;
}

} // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    if (frames < ROUNDS)
        frames = ROUNDS;
    if (chdir(MURKVAULT_BENCH_DIR) != 0) {
        fprintf(stderr, "murkvault_bench: cannot enter %s\n", MURKVAULT_BENCH_DIR);
        return 1;
    }
    ks::LogManager::getInstance().startUp();
    ks::ScreenSettings settings;
    settings.title = "murkvault_bench";
    settings.font_file = "ks-font.ttf";
    auto window = std::make_unique<ks::SfmlScreen>(settings);
    if (window->open() != ks::ScreenStatus::OPENED) {
        fprintf(stderr, "murkvault_bench: cannot open a window: no display (is DISPLAY set?)\n");
        return 1;
    }
    p_screen = window.get();
    // Every frame drawn and shown, none left out as unchanged: this measures drawing.
    p_screen->getFrameSkipper().setRepaintInterval(std::chrono::milliseconds(0));
    p_screen->getWindow()->setVerticalSyncEnabled(false);
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    graphics.startUp(std::move(window));
    ks::GameManager::getInstance().startUp();
    loadResources();
    buildScene();

    struct Scene {
        const char* name;
        void (*draw)();
        Cost direct, batched;
    };
    Scene scenes[] = {{"the centre room, 14 objects, a pop-up", drawRoom, {}, {}},
                      {"every cell a glyph (worst case)", drawEveryCell, {}, {}}};
    Cost empty;
    for (Scene& scene : scenes) {
        drawFrames(scene.draw, false, WARM_UP_FRAMES, scene.direct);
        drawFrames(scene.draw, true, WARM_UP_FRAMES, scene.batched);
        scene.direct = scene.batched = Cost();
    }
    drawFrames(drawNothing, true, WARM_UP_FRAMES, empty);
    empty = Cost();
    int per_round = frames / ROUNDS;
    for (int round = 0; round < ROUNDS; round++) {
        for (Scene& scene : scenes) {
            drawFrames(scene.draw, false, per_round, scene.direct);
            drawFrames(scene.draw, true, per_round, scene.batched);
        }
        drawFrames(drawNothing, true, per_round, empty);
    }
    int n = per_round * ROUNDS;

    printf("921 x 691 pixels, %d frames each way, vertical sync off\n", n);
    const char* row = "  %-24s %10.2f %10.2f %12.2f\n";
    for (Scene& scene : scenes) {
        sf::Image one_by_one = drawOnce(scene.draw, false);
        sf::Image in_one_call = drawOnce(scene.draw, true);
        printf("%s:\n", scene.name);
        printf("  %-24s %10s %10s %12s\n", "per frame", "wall ms", "cpu ms", "in drawCh");
        printf(row, "cell by cell", scene.direct.wall_ms / n, scene.direct.cpu_ms / n,
               scene.direct.draw_ch_ms / n);
        printf(row, "batched", scene.batched.wall_ms / n, scene.batched.cpu_ms / n,
               scene.batched.draw_ch_ms / n);
        printf("  speed-up (cell by cell / batched): %.2f x wall, %.2f x cpu\n",
               scene.direct.wall_ms / scene.batched.wall_ms,
               scene.direct.cpu_ms / scene.batched.cpu_ms);
        printf("  lit pixels: %d; differing pixels between the two ways: %d\n",
               litPixels(in_one_call), differingPixels(one_by_one, in_one_call));
    }
    printf("empty frame (swapBuffers only): %.2f ms wall, %.2f ms cpu\n", empty.wall_ms / n,
           empty.cpu_ms / n);
    p_screen->setBatching(true);
    return 0;
}
