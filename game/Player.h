#pragma once

#include <string>

#include "Object.h"

namespace ks {
class EventCollision;
class EventKeyboard;
class ViewObject;
} // namespace ks

// The tag of the floor display's updates (ks::EventView), sent by the map for each new floor.
const std::string FLOOR_VIEW_TAG = "Floor:";

// Movement modes of the player.
const int SNEAK = 0;
const int WALK = 1;
const int RUN = 2;

// The hero, steered by the keyboard. It owns the displays on the top row: health, the floor
// (which the map keeps up to date) and the score.
class Player : public ks::Object {
public:
    Player();
    // Hands its displays to the world, which destroys them once they are out of it.
    ~Player() override;

    int eventHandler(const ks::Event* p_event) override;

    // The only way health changes: ignored while invulnerable; a relative change of 0 or less
    // is reduced by the defense but always costs at least 1.
    void setHealth(int value, bool relative);
    int getHealth() const { return health; }

    bool isAttacking() const { return attacking; }
    void setAttacking(bool new_attacking) { attacking = new_attacking; }
    int getAttack() const { return attack_damage; }
    void setAttack(int new_attack) { attack_damage = new_attack; }
    int getDefense() const { return defense; }
    void setDefense(int new_defense) { defense = new_defense; }
    int getMoveMode() const { return move_mode; }
    // Switches to SNEAK, WALK or RUN (other values are ignored): the mode's pace, and the next
    // move allowed at once.
    void setMoveMode(int new_mode);
    bool isInvulnerable() const { return invulnerable; }
    void setInvulnerable(bool new_invulnerable) { invulnerable = new_invulnerable; }
    int getMoveCountdown() const { return move_countdown; }
    int getAttackTimer() const { return atk_timer; }
    ks::ViewObject* getHealthView() const { return health_view; }
    ks::ViewObject* getScoreView() const { return score_view; }
    ks::ViewObject* getFloorView() const { return floor_view; }

    void keyboard(const ks::EventKeyboard* p_keyboard_event);
    void move(int dx, int dy);
    void attack(int dx, int dy);
    void collide(const ks::EventCollision* p_collision_event);
    void step();
    // Q: leaves the world for good (no game-over screen, no new game), saying so on the bottom
    // line with the way out, which stays.
    void leave();
    bool hasLeft() const { return gone; }
    // Leaves the world and shows the game-over screen with the score and floor; once only, and
    // not after leave().
    void die();
    bool isDead() const { return dead; }

private:
    bool invulnerable;
    int invulnerable_countdown;
    int move_mode;
    int move_slowdown;
    int move_countdown;
    int atk_slowdown;
    int atk_timer;
    bool attacking;
    int health;
    int attack_damage; // the damage each sword hitbox of a swing carries
    int defense;
    ks::ViewObject* health_view;
    ks::ViewObject* score_view;
    ks::ViewObject* floor_view;
    // Set by die(): the player waits for the world to take it out and obeys no more keys.
    bool dead;
    // Set by leave(): the same, without a game-over screen.
    bool gone;
};
