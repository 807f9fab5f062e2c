#pragma once

#include <random>

#include <ks/Event.h>
#include <ks/EventCollision.h>
#include <ks/Object.h>
#include <ks/Position.h>

class Paddle;

// The ball, and the keeper of the game's lives. It waits on the paddle until Space launches it,
// then runs diagonally, bouncing off walls, bricks and the paddle (where on the paddle it lands
// sets which way it goes on). Falling off the bottom costs a life and puts it back on the paddle.
// When the lives or the bricks run out it puts up a sign and, a little later, ends the game.
class Ball : public ks::Object {
public:
    static const int START_LIVES = 3;

    // A ball waiting on the paddle; the seed chooses which way each launch goes.
    Ball(Paddle* p_paddle, unsigned long seed);

    int eventHandler(const ks::Event* p_event) override;

    int getLives() const { return lives; }

private:
    void step();
    void launch();
    int bounce(const ks::EventCollision* p_collision);
    void lose();
    // Puts the ball on the paddle, at rest.
    void hold();
    // Sets both velocities at once, so that the ball keeps moving diagonally.
    void head(int dx, int dy);

    Paddle* p_paddle;
    std::mt19937 random;
    bool held;
    int lives;
    int end_countdown; // cycles until game over once the sign is up; 0 before
};
