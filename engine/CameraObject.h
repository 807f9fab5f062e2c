#pragma once

#include "Object.h"

namespace ks {

// An invisible object that moves one cell for each arrow-key press and announces each move with
// a view event tagged "Test Value".
class CameraObject : public Object {
public:
    CameraObject(Position position = Position());

    int eventHandler(const Event* p_event) override;
};

} // namespace ks
