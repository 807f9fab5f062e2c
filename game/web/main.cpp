// The game in a web page. The page's address gives the options (?seed=, ?scale=, ?replay=,
// ?fast=, ?mute=, see ks::PageOptions) in place of a command line, and the browser's animation
// frames run the loop (ks::BrowserLoop), so main() returns as soon as the game has started. Every
// game played in the page is recorded, so that the page can offer it as a download; a game that
// ends prints its summary line, as the desktop does after a recording or a replay.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <emscripten/emscripten.h>

#include "BrowserLoop.h"
#include "DefaultPlatform.h"
#include "GameManager.h"
#include "HeadlessPlatform.h"
#include "InputManager.h"
#include "Launcher.h"
#include "LogManager.h"
#include "PageOptions.h"
#include "Replay.h"
#include "Setup.h"
#include "Summary.h"

#ifndef MURKVAULT_VERSION
#define MURKVAULT_VERSION "unknown"
#endif

namespace {

// Where the game being played is recorded, in the page's memory.
const char* const RECORDING_FILE = "recording.rpl";

} // namespace

extern "C" {

// The recording of the game so far, as a replay file ending at the last cycle played: it replays
// (murkvault --replay FILE --headless) to the line murkvault_summary() gives now. Empty before the
// first cycle, and when nothing is recorded (a replay playing).
EMSCRIPTEN_KEEPALIVE const char* murkvault_recording() {
    static std::string text;
    text.clear();
    const int played = ks::GameManager::getInstance().getStepCount();
    std::ifstream in(RECORDING_FILE, std::ios::binary);
    if (!in || played == 0)
        return text.c_str();
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    // A game still going has no end line yet: it ends, for now, with the last cycle played and
    // the log's checksum after it, which a replay of the file checks.
    if (ks::InputManager::getInstance().isRecording())
        text += ks::Replay::endLine(played - 1, ks::LogManager::getInstance().getChecksum()) + "\n";
    return text.c_str();
}

// The summary line of the game as it stands.
EMSCRIPTEN_KEEPALIVE const char* murkvault_summary() {
    static std::string line;
    line = summaryLine();
    return line.c_str();
}

} // extern "C"

int main(int argc, char* argv[]) {
    // Static: the page runs the game on them after main() has returned.
    static ks::DefaultPlatform page;
    static ks::HeadlessPlatform headless;
    static ks::Launcher launcher("murkvault", MURKVAULT_VERSION);
    ks::PageOptions options;
    std::string error;
    if (options.parse(argc > 1 ? argv[1] : "", error) != 0) {
        fprintf(stderr, "murkvault: %s\n", error.c_str());
        return 2;
    }
    if (options.launch.replay_file.empty())
        options.launch.record_file = RECORDING_FILE;
    launcher.setOptions(options.launch);
    // A missing data package: the desktop's note about missing data, shown on the page.
    const int code = startGame(launcher, page, headless);
    if (code != 0)
        return code;
    ks::BrowserLoop::start(launcher, options.fast, [] { printf("%s\n", summaryLine().c_str()); });
    return 0;
}
