#pragma once

#include <string>

#include "Object.h"
#include "Position.h"

namespace ks {
class Event;
}
class Player;

// Base of the pick-ups lying in a room: low, SOFT (walked over, not bumped into). An item gives
// its effect once; when used it leaves the world at its next step, and if its room puts it back
// it gives nothing and leaves again.
class Item : public ks::Object {
public:
    Item();

    // Marks a used item for deletion on each step.
    int eventHandler(const ks::Event* p_event) override;
    void draw() override;
    // Applies the item's effect to the player once; later calls do nothing.
    virtual void pickup(Player* p_player) = 0;

    bool isUsed() const { return used; }

protected:
    // Places the item, labels it, and shows the sprite; a missing sprite is logged as
    // "<log_name>::<log_name>(): Warning! ..." and the provisional 2 x 1 box stays.
    void setUp(ks::Position pos, const std::string& type, const std::string& sprite_label,
               const std::string& log_name);
    // Marks the item used. On the first call rings the till and returns true: the caller then
    // applies the effect and shows its message. Later calls return false.
    bool claim();

private:
    bool used;
};
