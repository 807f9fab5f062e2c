#include "Enemy.h"

#include <cstdlib>

#include "EventCollision.h"
#include "EventPlayerMove.h"
#include "EventRoomSwap.h"
#include "EventStep.h"
#include "EventView.h"
#include "LogManager.h"
#include "Player.h"
#include "PopUp.h"
#include "Random.h"
#include "Sprite.h"
#include "SpriteLookup.h"
#include "Sword.h"
#include "WorldManager.h"

namespace {

// Where the player stands until it first moves: far outside every room.
const ks::Position PLAYER_UNSEEN(-100, -100);
const int PLAYER_SIZE = 3;

// The line of sight of an enemy at pos facing the given way.
ks::Box sightBoxFor(ks::Position pos, int facing) {
    const int x = pos.getX();
    const int y = pos.getY();
    switch (facing) {
    case FACING_UP:
        return ks::Box(ks::Position(x, y - ENEMY_SIGHT_VERTICAL), 1, ENEMY_SIGHT_VERTICAL);
    case FACING_DOWN:
        return ks::Box(ks::Position(x, y), 1, ENEMY_SIGHT_VERTICAL);
    case FACING_RIGHT:
        return ks::Box(ks::Position(x, y), ENEMY_SIGHT_HORIZONTAL, 1);
    case FACING_LEFT:
        return ks::Box(ks::Position(x - ENEMY_SIGHT_HORIZONTAL, y), ENEMY_SIGHT_HORIZONTAL, 1);
    default:
        return ks::Box();
    }
}

// One line of the per-step dump: the label (padded to the column), the corner and the far edge.
void logBox(const char* label, const ks::Box& box) {
    const ks::Position corner = box.getCorner();
    ks::LogManager::getInstance().writeLog("%s(%d %d) (%d %d)", label, corner.getX(), corner.getY(),
                                           corner.getX() + box.getHorizontal(),
                                           corner.getY() + box.getVertical());
}

} // namespace

Enemy::Enemy(ks::Position pos, int init_facing, const std::string& init_name,
             const std::string& init_sprite_label)
    : ks::Object(), name(init_name), sprite_label(init_sprite_label), sight_box(), walk_box(),
      run_box(), facing(0), player_position(PLAYER_UNSEEN),
      player_box(PLAYER_UNSEEN, PLAYER_SIZE, PLAYER_SIZE), hit_countdown(-1),
      hit_slowdown(ENEMY_HIT_SLOWDOWN), hurt(false), health(ENEMY_HEALTH), player_move_mode(RUN),
      alerted(false), move_countdown(ENEMY_WANDER_SLOWDOWN), wander_direction(0),
      move_slowdown(ENEMY_WANDER_SLOWDOWN), move_target(), death_reported(false) {
    setAltitude(ENEMY_ALTITUDE);
    changeSprite(sprite_label);
    setType(name);
    facing = init_facing;
    setPosition(pos);
    computeBoxes();
    setSolidness(ks::HARD);
    ks::LogManager::getInstance().writeLog("%s with id %d is facing %d", name.c_str(), getId(),
                                           facing);
}

int Enemy::eventHandler(const ks::Event* p_event) {
    const std::string type = p_event->getType();
    if (type == ks::COLLISION_EVENT) {
        collide(static_cast<const ks::EventCollision*>(p_event));
        return 1;
    }
    if (type == ks::STEP_EVENT) {
        step();
        return 0;
    }
    if (type == PLAYER_MOVE_EVENT) {
        const Player* p_player = static_cast<const EventPlayerMove*>(p_event)->getPlayer();
        if (!p_player)
            return 0;
        player_position = p_player->getPosition();
        player_box = p_player->getBox();
        player_box.setCorner(player_position);
        player_move_mode = p_player->getMoveMode();
        return 0;
    }
    if (type == ROOM_SWAP_EVENT) {
        // The room comes into view (or leaves it): what the enemy was last told of the player
        // happened elsewhere, on another floor or in another room. It learns where the player is
        // from the player's next move.
        forgetPlayer();
        return 0;
    }
    return 0;
}

void Enemy::forgetPlayer() {
    player_position = PLAYER_UNSEEN;
    player_box = ks::Box(PLAYER_UNSEEN, PLAYER_SIZE, PLAYER_SIZE);
    player_move_mode = RUN;
}

bool Enemy::knowsPlayer() const {
    return !(player_position == PLAYER_UNSEEN);
}

void Enemy::collide(const ks::EventCollision* p_collision_event) {
    const ks::Object* p_o1 = p_collision_event->getObject1();
    const ks::Object* p_o2 = p_collision_event->getObject2();
    const bool sword_involved =
        (p_o1 && p_o1->getType() == "Sword") || (p_o2 && p_o2->getType() == "Sword");
    if (!sword_involved || hurt)
        return;
    const Sword* p_sword = dynamic_cast<const Sword*>(p_collision_event->getOtherObject(this));
    if (!p_sword)
        return;

    ks::LogManager::getInstance().writeLog("%s health = %d", name.c_str(), health);
    if (alerted) {
        health -= p_sword->getDamage();
    } else {
        // Never noticed the player: any blow kills.
        health = 0;
        PopUp::spawn("stealth kill");
    }
    hurt = true;
    hit_countdown = hit_slowdown;
    changeSprite(sprite_label + "-hit");
}

bool Enemy::detectPlayer() {
    ks::LogManager& log = ks::LogManager::getInstance();
    const char* n = name.c_str();
    if (boxIntersectsBox(sight_box, player_box)) {
        log.writeLog("%s::player detected by line of sight", n);
        onSighted();
        return true;
    }
    if (boxIntersectsBox(walk_box, player_box)) {
        log.writeLog("%s::player being watched for walking", n);
        if (player_move_mode >= WALK) {
            log.writeLog("%s::player detected for walking", n);
            return true;
        }
        return false;
    }
    if (boxIntersectsBox(run_box, player_box)) {
        log.writeLog("%s::player watched for running", n);
        if (player_move_mode == RUN) {
            log.writeLog("%s::player detected for running", n);
            return true;
        }
    }
    return false;
}

void Enemy::step() {
    if (hit_countdown > 0)
        hit_countdown--;
    if (hit_countdown == 0) {
        hurt = false;
        hit_countdown = hit_slowdown;
        changeSprite(alerted ? sprite_label + "-aggro" : sprite_label);
    }

    if (health <= 0) {
        // A dead enemy put back into the world by its room must not score twice.
        if (!death_reported) {
            ks::EventView score("Score:", ENEMY_KILL_SCORE, true);
            ks::WorldManager::getInstance().onEvent(&score);
            death_reported = true;
        }
        ks::WorldManager::getInstance().markForDelete(this);
    }

    if (alerted)
        chase();
    else
        wander();

    computeBoxes();
    writeDump();

    if (detectPlayer()) {
        if (!alerted)
            onFirstDetection();
        alerted = true;
        move_slowdown = ENEMY_CHASE_SLOWDOWN;
    }

    if (alerted && !hurt)
        changeSprite(sprite_label + "-aggro");
    setSpriteIndex(facing);
}

void Enemy::changeSprite(const std::string& label) {
    setSprite(lookUpSprite(name, label));
}

void Enemy::computeBoxes() {
    const ks::Position pos = getPosition();
    walk_box = ks::Box(ks::Position(pos.getX() - ENEMY_WALK_REACH, pos.getY() - ENEMY_WALK_REACH),
                       ENEMY_WALK_SIZE, ENEMY_WALK_SIZE);
    run_box = ks::Box(ks::Position(pos.getX() - ENEMY_RUN_REACH, pos.getY() - ENEMY_RUN_REACH),
                      ENEMY_RUN_SIZE, ENEMY_RUN_SIZE);
    sight_box = sightBoxFor(pos, facing);
}

void Enemy::wander() {
    move_countdown--;
    if (ks::Random::getInstance().next() % ENEMY_WANDER_CHANCE == 1)
        move_countdown = 0;
    if (move_countdown > 0)
        return;
    const ks::Position pos = getPosition();
    wander_direction = ks::Random::getInstance().next() % 4;
    switch (wander_direction) {
    case 0:
        moveTo(ks::Position(pos.getX() + 1, pos.getY()), FACING_RIGHT);
        break;
    case 1:
        moveTo(ks::Position(pos.getX() - 1, pos.getY()), FACING_LEFT);
        break;
    case 2:
        moveTo(ks::Position(pos.getX(), pos.getY() + 1), FACING_DOWN);
        break;
    default:
        moveTo(ks::Position(pos.getX(), pos.getY() - 1), FACING_UP);
        break;
    }
}

void Enemy::chase() {
    move_countdown--;
    // Not knowing where the player is, it waits for the next move to tell it.
    if (move_countdown > 0 || !knowsPlayer())
        return;
    const ks::Position pos = getPosition();
    const int dx = pos.getX() - player_position.getX();
    const int dy = pos.getY() - player_position.getY();
    ks::LogManager& log = ks::LogManager::getInstance();
    // Ties go to the vertical axis; on the player's own cell the enemy steps up.
    if (abs(dx) > abs(dy)) {
        log.writeLog("found dx > dy for alert move dx = %d", dx);
        if (dx < 0)
            moveTo(ks::Position(pos.getX() + 1, pos.getY()), FACING_RIGHT);
        else
            moveTo(ks::Position(pos.getX() - 1, pos.getY()), FACING_LEFT);
    } else {
        log.writeLog("found dx < dy for alert move dy = %d", dy);
        if (dy < 0)
            moveTo(ks::Position(pos.getX(), pos.getY() + 1), FACING_DOWN);
        else
            moveTo(ks::Position(pos.getX(), pos.getY() - 1), FACING_UP);
    }
}

void Enemy::moveTo(ks::Position target, int new_facing) {
    move_target = target;
    facing = new_facing;
    // A blocked move still turns the enemy.
    ks::WorldManager::getInstance().moveObject(this, move_target);
    move_countdown = move_slowdown;
}

void Enemy::writeDump() const {
    ks::LogManager& log = ks::LogManager::getInstance();
    log.writeLog("-------------------------");
    logBox("sightbox ", sight_box);
    logBox("walkbox  ", walk_box);
    logBox("run box  ", run_box);
    logBox("player   ", player_box);
    const ks::Position pos = getPosition();
    const ks::Sprite* p_sprite = getSprite();
    const int width = p_sprite ? p_sprite->getWidth() : 0;
    const int height = p_sprite ? p_sprite->getHeight() : 0;
    log.writeLog("%s    (%d %d) (%d %d)", name.c_str(), pos.getX(), pos.getY(), pos.getX() + width,
                 pos.getY() + height);
    log.writeLog("-------------------------");
}
