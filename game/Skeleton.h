#pragma once

#include "Enemy.h"
#include "Position.h"

// Steps between two arrows of a skeleton that keeps the player in sight.
const int SKELETON_ARROW_RELOAD = 30;

// A zombie's twin that also shoots an arrow along its line of sight, at most once per reload.
class Skeleton : public Enemy {
public:
    Skeleton(ks::Position pos, int facing);

    // Counts the arrow reload down, then behaves as every enemy does.
    void step() override;

    int getArrowCountdown() const { return arrow_countdown; }

protected:
    // Shoots when reloaded: the arrow starts two cells beyond the sprite's centre.
    void onSighted() override;

private:
    int arrow_countdown;
};
