#pragma once

#include "Object.h"

// One cell of the player's sword swing: a short-lived hitbox carrying the player's attack value.
// The world owns it and destroys it once it has left the world.
class Sword : public ks::Object {
public:
    // A new hitbox in the world, which owns it: the world destroys it once it has left.
    static Sword* spawn(int damage, ks::Position pos);
    ~Sword() override;

    int eventHandler(const ks::Event* p_event) override;

    int getDamage() const { return damage; }
    void setDamage(int new_damage) { damage = new_damage; }

private:
    Sword(int damage, ks::Position pos);

    int atk_timer;
    int damage;
};
