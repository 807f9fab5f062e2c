#pragma once

namespace ks {

/// A millisecond stopwatch for timing one game-loop cycle. It reads a monotonic clock, so an
/// interval never comes out negative or wraps at the top of an hour.
class Clock {
public:
    /// Source of the current time in milliseconds; tests install a fake one.
    using TimeSource = long (*)();

    /// A clock whose interval starts now.
    Clock();
    /// Nothing to release.
    virtual ~Clock();

    /// Milliseconds since the previous delta() (or construction); restarts the interval.
    long delta();

    /// Milliseconds since the previous delta() (or construction), without restarting it.
    long split() const;

    /// Replaces the time source for every clock; nullptr restores the monotonic clock.
    static void setTimeSource(TimeSource source);

    /// The current time of the active time source.
    static long now();

    /// Blocks the calling thread for the given number of milliseconds (0 or less returns at once).
    static void sleep(long milliseconds);

private:
    long previous_time;
};

} // namespace ks
