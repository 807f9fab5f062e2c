#include "PopUp.h"

#include "Color.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "WorldManager.h"

namespace {

const int POPUP_LIFETIME = 120;
// Centre of the second-to-last screen row.
const ks::Position POPUP_PLACE(40, 22);

} // namespace

PopUp* PopUp::spawn(std::string message) {
    PopUp* p_pop_up = new PopUp(message);
    ks::WorldManager::getInstance().adoptObject(p_pop_up);
    return p_pop_up;
}

PopUp::PopUp(std::string init_message)
    : ks::Object(), lifetime(POPUP_LIFETIME), message(init_message) {}

int PopUp::eventHandler(const ks::Event* p_event) {
    // Created during another object's handler, a pop-up gets its label with its first event.
    setType("PopUp");
    if (p_event->getType() != ks::STEP_EVENT)
        return 0;
    const int old_lifetime = lifetime;
    lifetime--;
    if (old_lifetime < 0)
        ks::WorldManager::getInstance().markForDelete(this);
    return 1;
}

void PopUp::draw() {
    ks::GraphicsManager::getInstance().drawString(POPUP_PLACE, message, ks::CENTER_JUSTIFIED,
                                                  ks::WHITE);
}
