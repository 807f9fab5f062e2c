#pragma once

#include "Object.h"

// The game-over screen: it takes everything else out of the world, shows the final score and
// the floor reached and, 120 steps later, starts a new game. The new game's first room change
// takes it out of the world; the world owns it and destroys it then.
class Gameover : public ks::Object {
public:
    // A new game-over screen in the world, which owns it: the world destroys it once it has left.
    static Gameover* spawn(int final_score, int final_floor);

    int eventHandler(const ks::Event* p_event) override;
    // The picture, then "Final score: <score>" centred on row 16 and "Floor reached: <floor>"
    // on row 17.
    void draw() override;

    int getScore() const { return score; }
    int getFloor() const { return floor; }
    int getCountdown() const { return countdown; }

private:
    Gameover(int final_score, int final_floor);

    int countdown;
    int score;
    int floor;
};
