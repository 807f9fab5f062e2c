#pragma once

#include <string>

#include "Box.h"
#include "Object.h"
#include "Position.h"

namespace ks {
class Event;
class EventCollision;
} // namespace ks

// Facing codes of the enemies; each is also the index of the sprite frame shown.
const int FACING_UP = 0;
const int FACING_DOWN = 1;
const int FACING_RIGHT = 2;
const int FACING_LEFT = 3;

const int ENEMY_ALTITUDE = 3;
const int ENEMY_HEALTH = 45;
const int ENEMY_HIT_SLOWDOWN = 15;
const int ENEMY_WANDER_SLOWDOWN = 30;
// A wandering enemy moves early with a chance of one in this many per step.
const int ENEMY_WANDER_CHANCE = 30;
const int ENEMY_CHASE_SLOWDOWN = 5;
const int ENEMY_KILL_SCORE = 10;
const int ENEMY_SIGHT_VERTICAL = 15;
const int ENEMY_SIGHT_HORIZONTAL = 30;
const int ENEMY_WALK_REACH = 6; // the walk box reaches this far to the left and above
const int ENEMY_WALK_SIZE = 15;
const int ENEMY_RUN_REACH = 11;
const int ENEMY_RUN_SIZE = 24;

// What zombies and skeletons share: wandering, noticing the player through the sight, walk and
// run boxes, chasing it once noticed, taking sword hits and reporting the kill. The subclass
// gives its name (type label and log prefix), its sprites and its reaction to the player.
class Enemy : public ks::Object {
public:
    int eventHandler(const ks::Event* p_event) override;
    // The behaviour of one game-loop step: hit cool-down, death, movement, detection.
    virtual void step();

    // A sword hit: the sword's damage, or all health when the player was never noticed.
    void collide(const ks::EventCollision* p_collision_event);
    // Whether the player, as last seen moving, is noticed now; logs which box saw it.
    bool detectPlayer();

    // Whether the enemy has been told where the player is since its room came into view.
    bool knowsPlayer() const;
    // The player's position as last told; far outside every room when not known.
    ks::Position getPlayerPosition() const { return player_position; }

    int getFacing() const { return facing; }
    int getHealth() const { return health; }
    bool isAlerted() const { return alerted; }
    bool isHurt() const { return hurt; }
    int getHitCountdown() const { return hit_countdown; }
    int getMoveCountdown() const { return move_countdown; }
    int getMoveSlowdown() const { return move_slowdown; }
    ks::Box getSightBox() const { return sight_box; }
    ks::Box getWalkBox() const { return walk_box; }
    ks::Box getRunBox() const { return run_box; }

protected:
    // name is the type label and the class name in log lines; sprite_label is the normal
    // sprite, whose "-hit" and "-aggro" variants show a hit and the chase.
    Enemy(ks::Position pos, int init_facing, const std::string& init_name,
          const std::string& init_sprite_label);

    // Called by detectPlayer when the player is in the line of sight, after its log line.
    virtual void onSighted() {}
    // Called by step on the first detection only.
    virtual void onFirstDetection() {}

private:
    // Switches to the labelled sprite; an unknown label is logged and the sprite is kept.
    void changeSprite(const std::string& label);
    // Back to knowing nothing of the player, as at construction.
    void forgetPlayer();
    void computeBoxes();
    void wander();
    void chase();
    void moveTo(ks::Position target, int new_facing);
    void writeDump() const;

    std::string name;
    std::string sprite_label;
    ks::Box sight_box;
    ks::Box walk_box;
    ks::Box run_box;
    int facing;
    ks::Position player_position;
    ks::Box player_box;
    int hit_countdown;
    int hit_slowdown;
    bool hurt;
    int health;
    int player_move_mode;
    bool alerted;
    int move_countdown;
    int wander_direction;
    int move_slowdown;
    ks::Position move_target;
    bool death_reported;
};
