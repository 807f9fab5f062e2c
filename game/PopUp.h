#pragma once

#include <string>

#include "Object.h"

// A short-lived line of text centred on the second-to-last row; it leaves the world by itself.
// The world owns it and destroys it once it has left the world.
class PopUp : public ks::Object {
public:
    // A new pop-up in the world, which owns it: the world destroys it once it has left.
    static PopUp* spawn(std::string message);

    int eventHandler(const ks::Event* p_event) override;
    void draw() override;

    std::string getMessage() const { return message; }

private:
    PopUp(std::string message);

    int lifetime;
    std::string message;
};
