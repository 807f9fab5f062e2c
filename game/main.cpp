#include <cstdio>
#include <iostream>

#include "DefaultPlatform.h"
#include "HeadlessPlatform.h"
#include "Launcher.h"
#include "Setup.h"
#include "Summary.h"

#ifndef MURKVAULT_VERSION
#define MURKVAULT_VERSION "unknown"
#endif

int main(int argc, char* argv[]) {
    // First, so that what they set up outlives the managers.
    ks::DefaultPlatform desktop;
    ks::HeadlessPlatform headless;
    ks::Launcher launcher("murkvault", MURKVAULT_VERSION);
    launcher.setDescription("Murkvault: a dungeon of coloured text characters.\n"
                            "Without options, plays the game in its window. Keys: W A S D move, "
                            "the arrow keys swing the sword, left Shift runs, left Alt sneaks, P "
                            "pauses, Q leaves the world for good, Esc quits.");
    launcher.setOptionHelp("--seed", "Build the dungeon from seed N (0 to 4294967295): the same "
                                     "N, the same floors. Without it the seed comes from the "
                                     "clock; kestrel.log names it.");
    launcher.setOptionHelp("--headless",
                           "With --replay: play it without a window or sound, as fast as it goes.");
    launcher.setOptionHelp("--scale", "Open the window N times larger (1 to 4), for large "
                                      "screens; the glyphs are drawn at that size, crisp. A "
                                      "window too large for the screen opens at the largest "
                                      "scale that fits.");
    int code = launcher.parse(argc, argv, std::cout, std::cerr);
    if (code != ks::Launcher::RUN)
        return code;
    if ((code = startGame(launcher, desktop, headless)) != 0)
        return code;
    code = launcher.run();

    if (launcher.isRecording() || launcher.isReplaying())
        printf("%s\n", summaryLine().c_str());
    return code; // 0, or what went wrong with the recording or the replay
}
