#include "Instructions.h"

#include "SpriteLookup.h"
#include "WorldManager.h"

Instructions::Instructions(ks::Position pos) {
    setPosition(pos);
    setAltitude(2);
    setType("Instructions");
    setSolidness(ks::SPECTRAL);
    setSprite(lookUpSprite("Instructions", "instructions"));
    ks::WorldManager::getInstance().adoptObject(this);
}
