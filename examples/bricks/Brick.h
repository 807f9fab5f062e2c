#pragma once

#include <string>

#include <ks/Event.h>
#include <ks/Object.h>
#include <ks/Position.h>

// A brick of the wall the ball breaks: struck once, it scores, may let a capsule fall, and leaves
// the world for good.
class Brick : public ks::Object {
public:
    static const int WIDTH = 6;   // cells, as its sprites
    static const int POINTS = 10; // score per brick

    // A brick of the colour's sprite ("red" shows "brick-red"); one with a capsule drops it when
    // struck.
    Brick(ks::Position at, const std::string& color, bool with_capsule);

    int eventHandler(const ks::Event* p_event) override;

    // Bricks not yet struck.
    static int getLeft() { return left; }

private:
    void strike();

    static int left;
    bool with_capsule;
    bool struck;
};
