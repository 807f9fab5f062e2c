#include "PopUp.h"

#include "Color.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "WorldManager.h"

namespace {

const int POPUP_LIFETIME = 120;
// Centre of the second-to-last screen row.
const ks::Position POPUP_PLACE(40, 22);

} // namespace

PopUp* PopUp::spawn(std::string message, bool lasting) {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    // Drawn at the same place, two messages would garble each other.
    const ks::ObjectList all = world.getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (PopUp* p_showing = dynamic_cast<PopUp*>(it.currentObject())) {
            p_showing->replaced = true;
            world.markForDelete(p_showing);
        }
    PopUp* p_pop_up = new PopUp(message, lasting);
    world.adoptObject(p_pop_up);
    return p_pop_up;
}

PopUp::PopUp(std::string init_message, bool init_lasting)
    : ks::Object(), lifetime(POPUP_LIFETIME), message(init_message), lasting(init_lasting),
      replaced(false) {}

int PopUp::eventHandler(const ks::Event* p_event) {
    // Created during another object's handler, a pop-up gets its label with its first event.
    setType("PopUp");
    if (p_event->getType() != ks::STEP_EVENT)
        return 0;
    if (lasting)
        return 1;
    const int old_lifetime = lifetime;
    lifetime--;
    if (old_lifetime < 0)
        ks::WorldManager::getInstance().markForDelete(this);
    return 1;
}

void PopUp::draw() {
    if (replaced)
        return;
    ks::GraphicsManager::getInstance().drawString(POPUP_PLACE, message, ks::CENTER_JUSTIFIED,
                                                  ks::WHITE);
}
