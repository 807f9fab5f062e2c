#include "Instructions.h"

#include "SpriteLookup.h"
#include "WorldManager.h"

Instructions* Instructions::spawn(ks::Position pos) {
    Instructions* p_instructions = new Instructions(pos);
    ks::WorldManager::getInstance().adoptObject(p_instructions);
    return p_instructions;
}

Instructions::Instructions(ks::Position pos) {
    setPosition(pos);
    setAltitude(2);
    setType("Instructions");
    setSolidness(ks::SPECTRAL);
    setSprite(lookUpSprite("Instructions", "instructions"));
}
