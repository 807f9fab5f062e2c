#pragma once

#include "Object.h"

namespace ks {

/// An invisible object that moves one cell for each arrow-key press and announces each move with
/// a view event tagged "Test Value": a tool for trying out the world's view by hand. Internal to
/// the engine: it is not installed with the engine's headers, and games make their own cameras
/// (WorldManager::setViewFollowing follows any object).
class CameraObject : public Object {
public:
    /// A camera at the position: altitude 5, SPECTRAL, type "camera".
    CameraObject(Position position = Position());

    /// On a KEY_PRESSED arrow key, moves one cell that way (through the world manager) and
    /// broadcasts EventView("Test Value", 1, true); 1 then, 0 for any other event.
    int eventHandler(const Event* p_event) override;
};

} // namespace ks
