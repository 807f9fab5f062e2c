#include "Spikes.h"

#include "SpriteLookup.h"

Spikes::Spikes(ks::Position pos) : ks::Object() {
    setPosition(pos);
    setType("");
    setAltitude(1);
    setSolidness(ks::SOFT);
    setSprite(lookUpSprite("Spikes", "spikes"));
}
