#pragma once

#include <ks/Event.h>
#include <ks/Object.h>
#include <ks/Position.h>

// A capsule a struck brick lets fall: caught with the paddle it gives a life; it is gone when it
// falls off the bottom of the screen.
class Capsule : public ks::Object {
public:
    explicit Capsule(ks::Position at);

    int eventHandler(const ks::Event* p_event) override;

private:
    // Leaves the world, to be destroyed by it.
    void retire();

    bool gone;
};
