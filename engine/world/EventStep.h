#pragma once

#include "Event.h"

namespace ks {

/// The type label of EventStep.
const std::string STEP_EVENT = "ks::step";

/// Sent to every object once per game-loop cycle, carrying the cycle number.
class EventStep : public Event {
public:
    /// A step event of the given cycle.
    EventStep(int init_step_count = 0);

    /// The game-loop cycle the event was sent in, counted from 0 when the loop started.
    int getStepCount() const { return step_count; }
    /// Sets the cycle number carried.
    void setStepCount(int new_step_count) { step_count = new_step_count; }

private:
    int step_count;
};

} // namespace ks
