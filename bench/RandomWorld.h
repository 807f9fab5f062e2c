#pragma once

#include <random>
#include <vector>

#include "Box.h"
#include "Object.h"

// A world of randomly placed motes for checking and timing the world manager's update: HARD,
// SOFT and SPECTRAL objects with boxes of 1 to 3 cells a side or of zero extent, a few far
// larger, still or moving, spread around the window at a density of one object to 25 cells.
// Some motes move themselves from their collision handlers (setPosition, setBox, moveObject),
// and every mote turns back when it leaves the window. The same size and seed give the same
// world, and the same events give the same reactions.
class RandomWorld {
public:
    // One event a mote was told of.
    struct Told {
        int mote, event, other, x, y;
        bool operator==(const Told& o) const {
            return mote == o.mote && event == o.event && other == o.other && x == o.x && y == o.y;
        }
    };

    // Creates the motes (in the world). With p_trace, every event a mote gets is added to it.
    RandomWorld(int count, unsigned seed, std::vector<Told>* p_trace = nullptr);
    // Destroys the motes.
    ~RandomWorld();
    // Puts every mote back as it was created.
    void reset();

    RandomWorld(const RandomWorld&) = delete;
    RandomWorld& operator=(const RandomWorld&) = delete;

private:
    class Mote;
    struct Start {
        ks::Position position;
        ks::Box box;
        int solidness;
        float x_velocity, y_velocity;
    };
    std::vector<Mote*> motes;
    std::vector<Start> starts;
};
