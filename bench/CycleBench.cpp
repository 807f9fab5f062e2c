// murkvault_cycle_bench FILE: replays a recording in the desktop's window (on the DISPLAY), paced
// at the game's frame time as the game is, and prints how long each cycle took, its work,
// drawing and showing the frame included, in microseconds, one a line. bench/web_speed.py runs it
// beside the web page playing the same recording (whose cycles the page times the same way) and
// compares the two. Run it where the game's data is; it plays without sound.
#include <chrono>
#include <cstdio>
#include <thread>

#include "DefaultPlatform.h"
#include "GameManager.h"
#include "HeadlessPlatform.h"
#include "Launcher.h"
#include "Setup.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        fprintf(stderr, "usage: murkvault_cycle_bench FILE\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    ks::DefaultPlatform desktop;
    ks::HeadlessPlatform headless;
    ks::Launcher launcher("murkvault_cycle_bench");
    ks::LaunchOptions options;
    options.replay_file = argv[1];
    options.mute = true;
    launcher.setOptions(options);
    const int code = startGame(launcher, desktop, headless);
    if (code != 0)
        return code;
    launcher.beginRun();
    Clock::time_point next = Clock::now();
    for (bool goes_on = true; goes_on;) {
        const Clock::time_point start = Clock::now();
        goes_on = launcher.runCycle();
        const Clock::time_point end = Clock::now();
        printf("%lld\n",
               static_cast<long long>(
                   std::chrono::duration_cast<std::chrono::microseconds>(end - start).count()));
        next += std::chrono::milliseconds(ks::FRAME_TIME);
        std::this_thread::sleep_until(next);
    }
    return 0;
}
