#include "ViewObject.h"

#include "Box.h"
#include "Event.h"
#include "EventView.h"
#include "WorldManager.h"

namespace ks {

ViewObject::ViewObject()
    : Object(Position(0, 0)), view_string(), value(0), border(true), color(WHITE),
      location(TOP_CENTER), justification(CENTER_JUSTIFIED) {
    setSolidness(SPECTRAL);
    setAltitude(MAX_ALTITUDE);
    setType("ViewObject");
    setLocation(TOP_CENTER);
}

void ViewObject::setLocation(int new_location) {
    location = new_location;
    Box view = WorldManager::getInstance().getView();
    int w = view.getHorizontal();
    int h = view.getVertical();
    switch (location) {
    case TOP_LEFT:
        setPosition(Position(1, border ? 1 : 0));
        justification = LEFT_JUSTIFIED;
        break;
    case TOP_CENTER:
        setPosition(Position(w / 2, 1));
        justification = CENTER_JUSTIFIED;
        break;
    case TOP_RIGHT:
        setPosition(Position(w - 3, 0));
        justification = RIGHT_JUSTIFIED;
        break;
    case BOTTOM_LEFT:
        setPosition(Position(1, h - 2));
        justification = LEFT_JUSTIFIED;
        break;
    case BOTTOM_CENTER:
        setPosition(Position(w / 2, h - 2));
        justification = CENTER_JUSTIFIED;
        break;
    case BOTTOM_RIGHT:
        setPosition(Position(w - 3, h - 2));
        justification = RIGHT_JUSTIFIED;
        break;
    default:
        setPosition(Position(0, 0));
        break;
    }
}

void ViewObject::setBorder(bool new_border) {
    border = new_border;
    setLocation(location);
}

int ViewObject::eventHandler(const Event* p_event) {
    if (p_event->getType() != VIEW_EVENT)
        return 0;
    const EventView* p_view_event = static_cast<const EventView*>(p_event);
    if (p_view_event->getTag() != view_string)
        return 0;
    if (p_view_event->getDelta())
        value += p_view_event->getValue();
    else
        value = p_view_event->getValue();
    return 1;
}

void ViewObject::draw() {
    GraphicsManager& graphics = GraphicsManager::getInstance();

    // The position is a screen cell: shift it by the view corner so that drawing, which subtracts
    // that corner again, puts it back on the same cell whatever the view shows.
    Position pos = getPosition();
    Position corner = WorldManager::getInstance().getView().getCorner();
    pos.moveXY(corner.getX(), corner.getY());

    std::string text = view_string + " " + toString(value);
    graphics.drawString(pos, text, justification, color);

    if (!border)
        return;
    // The border: length + 2 cells of '=' above and below, from pos on, and a ':' at both ends
    // of the text's row.
    Position above = pos;
    above.moveXY(-1, -1);
    Position below = pos;
    below.moveXY(-1, 1);
    int length = static_cast<int>(text.size());
    for (int i = 0; i < length + 2; i++) {
        above.moveX(1);
        below.moveX(1);
        graphics.drawCh(above, '=', color);
        graphics.drawCh(below, '=', color);
    }
    graphics.drawCh(pos, ':', color);
    graphics.drawCh(Position(pos.getX() + length + 1, pos.getY()), ':', color);
}

} // namespace ks
