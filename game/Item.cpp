#include "Item.h"

#include "Box.h"
#include "EventStep.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "SpriteLookup.h"
#include "WorldManager.h"

namespace {

const int ITEM_ALTITUDE = 1;
const int ITEM_WIDTH = 2;
const int ITEM_HEIGHT = 1;

} // namespace

Item::Item() : ks::Object(), used(false) {
    setAltitude(ITEM_ALTITUDE);
    setSolidness(ks::SOFT);
}

int Item::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() == ks::STEP_EVENT && used)
        ks::WorldManager::getInstance().markForDelete(this);
    return 0;
}

void Item::draw() {
    ks::Object::draw();
}

void Item::setUp(ks::Position pos, const std::string& type, const std::string& sprite_label,
                 const std::string& log_name) {
    used = false;
    setPosition(pos);
    setType(type);
    setBox(ks::Box(ks::Position(0, 0), ITEM_WIDTH, ITEM_HEIGHT));
    setSprite(lookUpSprite(log_name, sprite_label));
}

bool Item::claim() {
    const bool first = !used;
    used = true;
    if (first) {
        ks::Sound* p_sound = ks::ResourceManager::getInstance().getSound("cash-register");
        if (p_sound)
            p_sound->play(false);
    }
    return first;
}
