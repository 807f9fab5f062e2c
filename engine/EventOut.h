#pragma once

#include "Event.h"

namespace ks {

const std::string OUT_EVENT = "ks::out";

// Sent to an object that has just moved out of the window.
class EventOut : public Event {
public:
    EventOut();
};

} // namespace ks
