#pragma once

#include <functional>
#include <vector>

namespace ks {

class Launcher;

/// Runs a game's loop in a web page, where nothing may block: the browser calls back at every
/// animation frame, and a cycle runs whenever one is due (FramePacer: the game's 30 cycles a
/// second, no burst after the page was hidden). A replay played fast runs as many cycles as fit
/// in part of each frame instead. main() starts it and returns; the page goes on running the
/// game.
///
/// The page can read what it shows through functions of its own (ks_web_shown_cells,
/// ks_web_step_count, ks_web_cycle_times), for tests and benchmarks.
class BrowserLoop {
public:
    /// Of each animation frame, what a fast replay may spend running cycles.
    static constexpr double FAST_BUDGET_MS = 12.0;
    /// How many of the last cycles' times are kept.
    static constexpr size_t TIMES_KEPT = 100000;

    /// Starts running the launcher's loop (beginRun() first); returns at once. on_end is called
    /// once, after the cycle that ends the game.
    static void start(Launcher& launcher, bool fast, std::function<void()> on_end);
    /// How long each cycle took, input, drawing and painting included (milliseconds, oldest
    /// first).
    static const std::vector<float>& getCycleTimes();
};

} // namespace ks
