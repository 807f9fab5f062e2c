#pragma once

#include "Event.h"

namespace ks {

const std::string VIEW_EVENT = "ks::view";

// Changes the value of every display whose label equals the tag: adds the value when delta is
// set, replaces it otherwise.
class EventView : public Event {
public:
    EventView(std::string init_tag = "", int init_value = 0, bool init_delta = false);

    std::string getTag() const { return tag; }
    void setTag(std::string new_tag) { tag = new_tag; }
    int getValue() const { return value; }
    void setValue(int new_value) { value = new_value; }
    bool getDelta() const { return delta; }
    void setDelta(bool new_delta) { delta = new_delta; }

private:
    std::string tag;
    int value;
    bool delta;
};

} // namespace ks
