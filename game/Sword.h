#pragma once

#include "Object.h"

// One cell of the player's sword swing: a short-lived hitbox carrying the player's attack value.
// The world owns it and destroys it once it has left the world.
class Sword : public ks::Object {
public:
    Sword(int damage, ks::Position pos);
    ~Sword() override;

    int eventHandler(const ks::Event* p_event) override;

    int getDamage() const { return damage; }
    void setDamage(int new_damage) { damage = new_damage; }

private:
    int atk_timer;
    int damage;
};
