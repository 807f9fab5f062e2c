#pragma once

#include "Event.h"

namespace ks {

/// The type label of EventOut.
const std::string OUT_EVENT = "ks::out";

/// Sent to an object that is moving out of the window.
///
/// The world sends it from WorldManager::moveObject, to the mover alone, when a move takes it
/// from inside the window's extent in world cells (x 0 to 80, y 0 to 24) to outside it. The move
/// then happens, unless the handler put the object somewhere itself (setPosition or moveObject):
/// that place wins, which is how an object wraps around the screen:
///
///     if (p_event->getType() == ks::OUT_EVENT) {   // in the object's eventHandler
///         ks::Position at = getPosition();
///         setPosition(ks::Position(at.getX() > 40 ? 0 : 79, at.getY()));
///         return 1;
///     }
class EventOut : public Event {
public:
    /// An event labelled OUT_EVENT.
    EventOut();
};

} // namespace ks
