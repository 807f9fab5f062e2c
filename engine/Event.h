#pragma once

#include <string>

namespace ks {

const std::string UNDEFINED_EVENT = "ks::undefined";

// Base of every event. Handlers tell events apart by their type label.
class Event {
public:
    Event();
    virtual ~Event();

    std::string getType() const { return event_type; }
    void setType(std::string new_type) { event_type = new_type; }

private:
    std::string event_type;
};

} // namespace ks
