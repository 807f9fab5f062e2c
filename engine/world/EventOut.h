#pragma once

#include "Event.h"

namespace ks {

/// The type label of EventOut.
const std::string OUT_EVENT = "ks::out";

/// Sent to an object that has just moved out of the window.
///
/// The world sends it from WorldManager::moveObject, to the mover alone, when a move takes it
/// from inside the window's extent in world cells to outside it; the move still happens.
class EventOut : public Event {
public:
    /// An event labelled OUT_EVENT.
    EventOut();
};

} // namespace ks
