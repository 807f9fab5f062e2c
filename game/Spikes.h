#pragma once

#include "Object.h"
#include "Position.h"

// A floor tile of spikes: SOFT, so the player walks onto it, and the player dies of the contact.
// Its type label is empty; the player recognises spikes by that.
class Spikes : public ks::Object {
public:
    Spikes(ks::Position pos);
};
