#pragma once

#include "Enemy.h"
#include "Position.h"

// A wandering dead man that chases the player once it notices it, roaring the first time.
class Zombie : public Enemy {
public:
    Zombie(ks::Position pos, int facing);

protected:
    // Plays one of the three roars at random.
    void onFirstDetection() override;
};
