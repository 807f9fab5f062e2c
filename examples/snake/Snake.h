#pragma once

#include <deque>

#include <ks/Event.h>
#include <ks/EventCollision.h>
#include <ks/Object.h>
#include <ks/Position.h>

// The snake's head, which steers the whole snake. The arrow keys or W A S D choose where it
// turns next; every MOVE_PERIOD steps it moves one cell and the body follows it. Running into
// food grows the body and scores; running into a wall or the body kills it, and the game-over
// sign comes up.
class Snake : public ks::Object {
public:
    static const int MOVE_PERIOD = 3;  // steps per cell
    static const int GROWTH = 3;       // body cells added per food eaten
    static const int POINTS = 10;      // score per food eaten
    static const int START_LENGTH = 3; // cells, the head included

    // A head at start, heading right, with a body of START_LENGTH - 1 cells still to grow.
    explicit Snake(ks::Position start);

    int eventHandler(const ks::Event* p_event) override;

    // Head and body, in cells.
    int getLength() const { return 1 + static_cast<int>(body.size()); }

private:
    // Takes a direction from a key; 0 if the key steers nowhere or back into the body.
    int steer(int key);
    // Moves the snake one cell when its countdown runs out.
    void step();
    int collide(const ks::EventCollision* p_collision);
    void die(const ks::Object* p_obstacle);

    ks::Position heading;      // the direction of the last move
    ks::Position next_heading; // the direction of the next move
    std::deque<ks::Object*> body;
    int growth;
    int move_countdown;
    bool dead;
};
