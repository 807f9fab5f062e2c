#pragma once

#include <string>

#include "GraphicsManager.h"
#include "Object.h"

namespace ks {

// Screen places of a display.
enum ViewObjectLocation {
    TOP_LEFT = 0,
    TOP_CENTER = 1,
    TOP_RIGHT = 2,
    BOTTOM_LEFT = 3,
    BOTTOM_CENTER = 4,
    BOTTOM_RIGHT = 5,
};

// An on-screen display of a label and a number (health, score), at a fixed place on the screen.
// Its value changes through EventView events whose tag equals its label.
class ViewObject : public Object {
public:
    ViewObject();

    int eventHandler(const Event* p_event) override;
    void draw() override;

    // Sets the position (screen cell) and the justification from the location.
    void setLocation(int new_location);
    int getLocation() const { return location; }
    // Stores the flag and places the display again (only TOP_LEFT depends on it).
    void setBorder(bool new_border);
    bool getBorder() const { return border; }
    void setViewString(std::string new_view_string) { view_string = new_view_string; }
    std::string getViewString() const { return view_string; }
    void setValue(int new_value) { value = new_value; }
    int getValue() const { return value; }
    void setColor(int new_color) { color = new_color; }
    int getColor() const { return color; }

private:
    std::string view_string;
    int value;
    bool border;
    int color;
    int location;
    Justification justification;
};

} // namespace ks
