#pragma once

#include "Object.h"

// The "how to play" sign of a game's first room. The world owns it and destroys it once the
// first room change has taken it out.
class Instructions : public ks::Object {
public:
    // A new sign in the world, which owns it: the world destroys it once it has left.
    static Instructions* spawn(ks::Position pos);

private:
    Instructions(ks::Position pos);
};
