#include "BrowserLoop.h"

#include <string>
#include <utility>

#include <emscripten/emscripten.h>

#include "FramePacer.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "Launcher.h"

namespace ks {

namespace {

struct Run {
    Launcher* p_launcher = nullptr;
    bool fast = false;
    std::function<void()> on_end;
    FramePacer pacer{static_cast<double>(FRAME_TIME)};
    std::vector<float> times;
    bool over = false;
};

Run& theRun() {
    static Run run;
    return run;
}

// One cycle, timed; false once the game has ended.
bool timedCycle(Run& run) {
    const double start = emscripten_get_now();
    const bool goes_on = run.p_launcher->runCycle();
    if (run.times.size() < BrowserLoop::TIMES_KEPT)
        run.times.push_back(static_cast<float>(emscripten_get_now() - start));
    return goes_on;
}

void onAnimationFrame() {
    Run& run = theRun();
    if (run.over)
        return;
    const double now = emscripten_get_now();
    bool goes_on = true;
    if (run.fast) {
        do
            goes_on = timedCycle(run);
        while (goes_on && emscripten_get_now() - now < BrowserLoop::FAST_BUDGET_MS);
    } else if (run.pacer.due(now)) {
        goes_on = timedCycle(run);
    }
    if (goes_on)
        return;
    run.over = true;
    emscripten_cancel_main_loop();
    if (run.on_end)
        run.on_end();
}

} // namespace

void BrowserLoop::start(Launcher& launcher, bool fast, std::function<void()> on_end) {
    Run& run = theRun();
    run.p_launcher = &launcher;
    run.fast = fast;
    run.on_end = std::move(on_end);
    launcher.beginRun();
    // 0 frames a second: at the browser's animation frames. Returns at once (no simulated
    // infinite loop), so main() can return and its caller's stack is left alone.
    emscripten_set_main_loop(onAnimationFrame, 0, 0);
}

const std::vector<float>& BrowserLoop::getCycleTimes() {
    return theRun().times;
}

} // namespace ks

// For the page, its tests and benchmarks.
extern "C" {

// The cells of the last frame shown, as CellGrid::toText gives them.
EMSCRIPTEN_KEEPALIVE const char* ks_web_shown_cells() {
    static std::string text;
    text = ks::GraphicsManager::getInstance().getShownCells().toText();
    return text.c_str();
}

// Whether the loop has been started (main() started the game).
EMSCRIPTEN_KEEPALIVE int ks_web_loop_started() {
    return ks::theRun().p_launcher ? 1 : 0;
}

// The cycles played so far.
EMSCRIPTEN_KEEPALIVE int ks_web_step_count() {
    return ks::GameManager::getInstance().getStepCount();
}

// Whether the game has ended.
EMSCRIPTEN_KEEPALIVE int ks_web_game_over() {
    return ks::GameManager::getInstance().getGameOver() ? 1 : 0;
}

// The times of the cycles played (ks::BrowserLoop::getCycleTimes), in microseconds, separated by
// commas.
EMSCRIPTEN_KEEPALIVE const char* ks_web_cycle_times() {
    static std::string text;
    text.clear();
    for (float ms : ks::BrowserLoop::getCycleTimes()) {
        if (!text.empty())
            text += ',';
        text += std::to_string(static_cast<long>(ms * 1000));
    }
    return text.c_str();
}

} // extern "C"
