#pragma once

#include <string>

#include "Object.h"

// A short-lived line of text centred on the second-to-last row; it leaves the world by itself.
// One message shows at a time: a new pop-up replaces the one showing. The world owns it and
// destroys it once it has left the world.
class PopUp : public ks::Object {
public:
    // A new pop-up in the world, which owns it: the world destroys it once it has left. Pop-ups
    // still showing are hidden at once and leave the world at the next update. A lasting one
    // stays until it is replaced or the world is cleared.
    static PopUp* spawn(std::string message, bool lasting = false);

    int eventHandler(const ks::Event* p_event) override;
    // The message, unless replaced.
    void draw() override;

    std::string getMessage() const { return message; }
    bool isReplaced() const { return replaced; }

private:
    PopUp(std::string message, bool lasting);

    int lifetime;
    std::string message;
    bool lasting;
    // Replaced by a newer pop-up: no longer drawn, and out of the world at the next update.
    bool replaced;
};
