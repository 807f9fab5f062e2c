// murkvault_cells FILE: replays a recording as `murkvault --replay FILE --headless` does, and
// prints the cells of the last frame shown (ks::CellGrid::toText) instead of the summary line.
// The web page gives the same text for the same recording (ks_web_shown_cells), and the browser
// tests compare the two. Run it where the game's data is.
#include <cstdio>

#include "GraphicsManager.h"
#include "HeadlessPlatform.h"
#include "Launcher.h"
#include "Setup.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        fprintf(stderr, "usage: murkvault_cells FILE\n");
        return 2;
    }
    ks::HeadlessPlatform headless;
    ks::Launcher launcher("murkvault_cells");
    ks::LaunchOptions options;
    options.replay_file = argv[1];
    options.headless = true;
    launcher.setOptions(options);
    const int code = startGame(launcher, headless, headless);
    if (code != 0)
        return code;
    launcher.run();
    fputs(ks::GraphicsManager::getInstance().getShownCells().toText().c_str(), stdout);
    return 0;
}
