// The smallest game on the ks engine: a display that counts 30 cycles, then ends the game.
// Run it with --headless to play it without a window.
#include <cstdio>
#include <string>

#include <ks/DefaultPlatform.h>
#include <ks/EventStep.h>
#include <ks/GameManager.h>
#include <ks/GraphicsManager.h>
#include <ks/HeadlessPlatform.h>
#include <ks/LogManager.h>
#include <ks/ViewObject.h>

// A value display that adds one on every step and ends the game at 30.
class Counter : public ks::ViewObject {
public:
    int eventHandler(const ks::Event* p_event) override {
        if (p_event->getType() != ks::STEP_EVENT)
            return ks::ViewObject::eventHandler(p_event);
        setValue(getValue() + 1);
        if (getValue() == 30)
            ks::GameManager::getInstance().setGameOver();
        return 1;
    }
};

int main(int argc, char* argv[]) {
    // The program chooses what it runs on: a window, or nothing at all.
    ks::DefaultPlatform desktop;
    ks::HeadlessPlatform headless;
    const bool without_window = argc > 1 && std::string(argv[1]) == "--headless";
    ks::LogManager::getInstance().startUp();
    ks::GameManager& game = ks::GameManager::getInstance();
    game.setPlatform(without_window ? static_cast<ks::Platform&>(headless) : desktop);
    game.startUp();
    if (!ks::GraphicsManager::getInstance().getScreen())
        return 1; // no display for the window
    Counter* p_counter = new Counter;
    p_counter->setViewString("Cycles:");
    p_counter->setLocation(ks::TOP_LEFT); // framed, from the top-left corner
    game.run();
    // The screen's second row, as the last frame showed it.
    printf("%s\n", ks::GraphicsManager::getInstance().getShownCells().rowText(1).c_str());
    return 0;
}
