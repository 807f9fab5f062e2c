#pragma once

#include "Event.h"

namespace ks {

/// The type label of EventView.
const std::string VIEW_EVENT = "ks::view";

/// Changes the value of every display whose label equals the tag: adds the value when delta is
/// set, replaces it otherwise.
class EventView : public Event {
public:
    /// An event that sets (or, with delta, adds to) the displays tagged init_tag.
    EventView(std::string init_tag = "", int init_value = 0, bool init_delta = false);

    /// The label of the displays to change (ViewObject::getViewString).
    std::string getTag() const { return tag; }
    /// Sets the label of the displays to change.
    void setTag(std::string new_tag) { tag = new_tag; }
    /// The new value, or the amount to add with delta.
    int getValue() const { return value; }
    /// Sets the new value, or the amount to add with delta.
    void setValue(int new_value) { value = new_value; }
    /// Whether the value is added (true) or replaces the display's value (false).
    bool getDelta() const { return delta; }
    /// Adds the value (true) or replaces the display's value with it (false).
    void setDelta(bool new_delta) { delta = new_delta; }

private:
    std::string tag;
    int value;
    bool delta;
};

} // namespace ks
