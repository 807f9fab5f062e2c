#pragma once

#include <cstdint>

namespace ks {

/// The engine's pseudo-random numbers: the same seed gives the same numbers on every machine and
/// C library, so that a seed (or a recorded game) builds the same world everywhere.
///
/// The sequence is exactly that of the GNU C library's rand() after srand() (random()'s default
/// additive feedback generator), which the game's seeds were first drawn with. For a seed s:
///
///     r[0]  = s as a signed 32-bit word w, or 1 when s is 0 (s >= 2^31 gives a negative w)
///     r[i]  = 16807 * r[i-1] mod 2147483647, for i = 1 .. 30, in signed 32-bit words by
///             Schrage's method: hi = w / 127773, lo = w % 127773 (both rounded toward zero),
///             w = 16807 * lo - 2836 * hi, plus 2147483647 when negative
///     r[i]  = r[i-31], for i = 31 .. 33
///     r[i]  = (r[i-3] + r[i-31]) mod 2^32, for i >= 34
///     the k-th number (k = 0, 1, ...) is r[k + 344] >> 1, in 0 .. 2147483647
///
/// (r[34] .. r[343] are the 310 numbers thrown away after seeding.) Not thread-safe.
class Random {
public:
    /// The engine's one shared generator, which the game draws from; as seeded with 1 until
    /// seeded otherwise.
    static Random& getInstance();

    /// A generator of its own, as seeded with 1 (as rand() before any srand()).
    Random();

    /// Restarts the sequence from the seed; 0 gives the same sequence as 1.
    void seed(uint32_t value);

    /// The next number of the sequence, 0 .. 2147483647.
    int next();

private:
    static constexpr int DEGREE = 31;     // words of state
    static constexpr int SEPARATION = 3;  // r[i] takes r[i-3]
    static constexpr int DISCARDED = 310; // numbers thrown away after seeding

    // The last DEGREE words of r as a ring, r[j] at j mod DEGREE: before r[i] is made, front is
    // where r[i-31] is (which r[i] replaces) and rear where r[i-3] is.
    uint32_t state[DEGREE];
    int front;
    int rear;
};

} // namespace ks
