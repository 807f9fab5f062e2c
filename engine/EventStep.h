#pragma once

#include "Event.h"

namespace ks {

const std::string STEP_EVENT = "ks::step";

// Sent to every object once per game-loop cycle, carrying the cycle number.
class EventStep : public Event {
public:
    EventStep(int init_step_count = 0);

    int getStepCount() const { return step_count; }
    void setStepCount(int new_step_count) { step_count = new_step_count; }

private:
    int step_count;
};

} // namespace ks
