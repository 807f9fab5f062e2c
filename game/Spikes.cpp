#include "Spikes.h"

#include "LogManager.h"
#include "ResourceManager.h"

Spikes::Spikes(ks::Position pos) : ks::Object() {
    setPosition(pos);
    setType("");
    setAltitude(1);
    setSolidness(ks::SOFT);
    ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("spikes");
    if (p_sprite)
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog("Spikes::Spikes(): Warning! Sprite '%s' not found",
                                               "spikes");
}
