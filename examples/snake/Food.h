#pragma once

#include <random>

#include <ks/Event.h>
#include <ks/Object.h>

// A morsel for the snake, blinking at a random free cell inside the walls. When the snake runs
// into it, it moves to another free cell. Its cells follow from the seed alone, so a game played
// again from its recorded input puts every morsel where it was.
class Food : public ks::Object {
public:
    // The cells it may take: columns 1 to 78, rows 2 to 22 (inside the walls).
    static const int LEFT = 1, RIGHT = 78, TOP = 2, BOTTOM = 22;

    explicit Food(unsigned long seed);

    int eventHandler(const ks::Event* p_event) override;

    // Moves to a random cell other than its own where no solid object stands. 0, or -1 when
    // none was found (the snake fills the field): the food then leaves the world.
    int place();

private:
    std::mt19937 random;
};
