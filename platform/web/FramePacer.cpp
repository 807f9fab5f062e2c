#include "FramePacer.h"

namespace ks {

FramePacer::FramePacer(double init_cycle_ms)
    : cycle_ms(init_cycle_ms), next_due_ms(0), started(false), resyncs(0) {}

bool FramePacer::due(double now_ms) {
    if (!started) {
        started = true;
        next_due_ms = now_ms + cycle_ms;
        return true;
    }
    if (now_ms < next_due_ms - TOLERANCE_MS)
        return false;
    if (now_ms - next_due_ms >= cycle_ms) {
        // More than a whole cycle late: this cycle runs now, and the rest are not made up for.
        resyncs++;
        next_due_ms = now_ms + cycle_ms;
    } else {
        next_due_ms += cycle_ms;
    }
    return true;
}

} // namespace ks
