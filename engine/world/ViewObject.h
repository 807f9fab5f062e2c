#pragma once

#include <string>

#include "GraphicsManager.h"
#include "Object.h"

namespace ks {

/// Screen places of a display, as the cell its text is placed from (see
/// GraphicsManager::drawString) in a view of width x height cells. The left places start the
/// text in column 2 and the right ones end it in column width - 3, so that both sides keep two
/// columns clear (room for a border's ':' and a space); in an 80 x 24 view a right display ends
/// in column 77.
enum ViewObjectLocation {
    TOP_LEFT = 0,      ///< left-justified from (1, 1), or from (1, 0) without a border
    TOP_CENTER = 1,    ///< centred on (width / 2, 1)
    TOP_RIGHT = 2,     ///< right-justified at (width - 3, 0)
    BOTTOM_LEFT = 3,   ///< left-justified from (1, height - 2)
    BOTTOM_CENTER = 4, ///< centred on (width / 2, height - 2)
    BOTTOM_RIGHT = 5,  ///< right-justified at (width - 3, height - 2)
};

/// An on-screen display of a label and a number (health, score), at a fixed place on the screen.
/// Its value changes through EventView events whose tag equals its label.
///
/// It shows "label value" (the label, a space, the number), by default framed by a border: a row
/// of '=' above and below, from its position on, and a ':' at both ends of the text's row. Its
/// position is a screen cell, whatever part of the world the view shows; the world draws
/// displays after every other object.
class ViewObject : public Object {
public:
    /// A white, bordered display at TOP_CENTER with value 0: SPECTRAL, at MAX_ALTITUDE, of type
    /// "ViewObject".
    ViewObject();

    /// Takes an EventView whose tag is the label: adds its value (delta) or takes it. 1 for such
    /// an event, 0 for any other.
    int eventHandler(const Event* p_event) override;
    /// Draws the label and value, and the border when it has one.
    void draw() override;

    /// Sets the position (screen cell) and the justification from the location. Places are
    /// counted in the view's size at the time; an unknown location puts the display at (0,0).
    void setLocation(int new_location);
    /// The location last set (ViewObjectLocation).
    int getLocation() const { return location; }
    /// Stores the flag and places the display again (only TOP_LEFT depends on it).
    void setBorder(bool new_border);
    /// Whether the display is framed.
    bool getBorder() const { return border; }
    /// Sets the label, which is shown and which EventView tags are matched against.
    void setViewString(std::string new_view_string) { view_string = new_view_string; }
    /// The label.
    std::string getViewString() const { return view_string; }
    /// Sets the number shown.
    void setValue(int new_value) { value = new_value; }
    /// The number shown.
    int getValue() const { return value; }
    /// Sets the colour of the text and border (Color).
    void setColor(int new_color) { color = new_color; }
    /// The colour of the text and border.
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
