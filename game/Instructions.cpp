#include "Instructions.h"

#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

Instructions::Instructions(ks::Position pos) {
    setPosition(pos);
    setAltitude(2);
    setType("Instructions");
    setSolidness(ks::SPECTRAL);
    const char* label = "instructions";
    ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(label);
    if (p_sprite)
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog(
            "Instructions::Instructions(): Warning! Sprite '%s' not found", label);
    ks::WorldManager::getInstance().adoptObject(this);
}
