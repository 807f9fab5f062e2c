#pragma once

#include "Object.h"

// The opening picture. On its 122nd step it leaves the world and starts the game (a new Map).
// The world owns it and destroys it once it has left.
class TitleScreen : public ks::Object {
public:
    // A new title screen in the world, which owns it: the world destroys it once it has left.
    static TitleScreen* spawn();

    int eventHandler(const ks::Event* p_event) override;

    int getCountdown() const { return countdown; }

private:
    TitleScreen();

    int countdown;
};
