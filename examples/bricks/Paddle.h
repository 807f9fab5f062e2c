#pragma once

#include <ks/Event.h>
#include <ks/Object.h>
#include <ks/Position.h>

// The player's paddle along the bottom row, moved one cell a cycle while an arrow key (or A, D)
// is held. The walls stop it.
class Paddle : public ks::Object {
public:
    static const int WIDTH = 9; // cells, as its sprite

    explicit Paddle(ks::Position start);

    int eventHandler(const ks::Event* p_event) override;

private:
    // Moves one cell left (-1) or right (1), unless a wall is in the way.
    int move(int dx);
};
