#pragma once

#include "Box.h"
#include "Object.h"

// An invisible HARD block along a room edge (the room picture shows it). Walls belong to no
// room: the world owns them and destroys them once a room change has taken them out.
class Wall : public ks::Object {
public:
    // A new wall in the world, which owns it: the world destroys it once it has left.
    // The box is relative to the wall's position, (0,0), so it is the wall's place on screen.
    static Wall* spawn(ks::Box box);

private:
    Wall(ks::Box box);
};
