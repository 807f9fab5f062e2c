#pragma once

#include <string>

namespace ks {

/// The type label of an event whose type was never set.
const std::string UNDEFINED_EVENT = "ks::undefined";

/// Base of every event. Handlers tell events apart by their type label.
///
/// The engine's labels start with "ks::"; a game's own events take labels of their own and are
/// delivered with WorldManager::broadcast like the engine's.
class Event {
public:
    /// An event labelled UNDEFINED_EVENT.
    Event();
    /// Events are handed around by base pointer; nothing to release.
    virtual ~Event();

    /// The type label (STEP_EVENT, KEYBOARD_EVENT, ...), which tells a handler what to cast to.
    std::string getType() const { return event_type; }
    /// Sets the type label; each event class sets its own when made.
    void setType(std::string new_type) { event_type = new_type; }

private:
    std::string event_type;
};

} // namespace ks
