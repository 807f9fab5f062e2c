#pragma once

namespace ks {

/// Paces the game's cycles on a host that calls back at a rate of its own: a browser's animation
/// frames, 60 a second on most screens, more on some, fewer on a busy machine, none at all while
/// the page is hidden. At each callback it says whether a cycle is due, so that the game runs at
/// its rate (one cycle a frame time, exactly on average) whatever the callbacks' rate, and at
/// most one cycle a callback. A game that falls behind by more than a cycle (a page back from
/// the background, a machine too slow) is not made to catch up with a burst of cycles: it goes
/// on from where it is, as the desktop's loop does after a cycle that overran.
class FramePacer {
public:
    /// A callback this much early still runs its cycle: the callbacks' own jitter, so that a 60 Hz
    /// host runs a cycle every other frame rather than slipping to every third.
    static constexpr double TOLERANCE_MS = 4.0;

    /// A pacer for cycles of the given length.
    explicit FramePacer(double init_cycle_ms);

    /// Whether a cycle is due at the time now (milliseconds, on a clock that never goes back).
    /// The first call always runs one.
    bool due(double now_ms);
    /// How many times the game fell behind and went on without catching up.
    int getResyncs() const { return resyncs; }

private:
    double cycle_ms;
    double next_due_ms;
    bool started;
    int resyncs;
};

} // namespace ks
