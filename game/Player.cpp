#include "Player.h"

#include "Color.h"
#include "EventCollision.h"
#include "EventFloorSwap.h"
#include "EventKeyboard.h"
#include "EventPlayerMove.h"
#include "EventStep.h"
#include "EventView.h"
#include "Gameover.h"
#include "Item.h"
#include "LogManager.h"
#include "PopUp.h"
#include "SpriteLookup.h"
#include "Sword.h"
#include "ViewObject.h"
#include "WorldManager.h"

namespace {

const ks::Position PLAYER_START(39, 11);
// Steps from one move to the next in each movement mode, indexed by SNEAK, WALK and RUN.
const int MOVE_SLOWDOWNS[] = {3, 2, 1};
const int ATTACK_SLOWDOWN = 15;
const int START_HEALTH = 100;
const int START_ATTACK = 15;
const int INVULNERABLE_STEPS = 10;
const int ENEMY_BLOW = -10;
// The floor display's text starts here on the top row, after the health's.
const ks::Position FLOOR_VIEW_PLACE(14, 0);

// What stays on the bottom line once the player has left the world for good (Q).
const char* const LEAVE_MESSAGE = "You have left the world for good. Press Esc to quit.";

// The spikes are the only objects with an empty type label.
const std::string SPIKES_TYPE = "";

bool isPress(int action) {
    return action == ks::KEY_PRESSED || action == ks::KEY_DOWN;
}

} // namespace

Player::Player()
    : invulnerable(true), invulnerable_countdown(0), move_mode(WALK),
      move_slowdown(MOVE_SLOWDOWNS[WALK]), move_countdown(MOVE_SLOWDOWNS[WALK]),
      atk_slowdown(ATTACK_SLOWDOWN), atk_timer(-1), attacking(false), health(START_HEALTH),
      attack_damage(START_ATTACK), defense(0), health_view(nullptr), score_view(nullptr),
      floor_view(nullptr), dead(false), gone(false) {
    health_view = new ks::ViewObject();
    score_view = new ks::ViewObject();
    floor_view = new ks::ViewObject();

    ks::Sprite* p_sprite = lookUpSprite("Player", "player");
    if (p_sprite) {
        setSprite(p_sprite);
        setSpriteSlowdown(3);
    }

    setType("Player");
    setPosition(PLAYER_START);
    setAltitude(5);
    setSolidness(ks::HARD);

    health_view->setViewString("Health:");
    health_view->setValue(START_HEALTH);
    health_view->setBorder(false);
    health_view->setLocation(ks::TOP_LEFT);
    health_view->setColor(ks::YELLOW);

    score_view->setViewString("Score:");
    score_view->setValue(0);
    score_view->setBorder(false);
    score_view->setLocation(ks::TOP_RIGHT);
    score_view->setColor(ks::YELLOW);

    // A player is made with a game's first floor.
    floor_view->setViewString(FLOOR_VIEW_TAG);
    floor_view->setValue(1);
    floor_view->setBorder(false);
    floor_view->setLocation(ks::TOP_LEFT);
    floor_view->setPosition(FLOOR_VIEW_PLACE);
    floor_view->setColor(ks::YELLOW);

    ks::LogManager::getInstance().writeLog("created instance of player");
}

Player::~Player() {
    // The displays may still be on screen (a game-over screen shows over them); the world
    // destroys them once they are out of it.
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.adoptObject(health_view);
    world.adoptObject(score_view);
    world.adoptObject(floor_view);
}

int Player::eventHandler(const ks::Event* p_event) {
    const std::string type = p_event->getType();
    if (type == ks::KEYBOARD_EVENT) {
        keyboard(static_cast<const ks::EventKeyboard*>(p_event));
        return 1;
    }
    if (type == ks::STEP_EVENT) {
        step();
        return 0;
    }
    if (type == ks::COLLISION_EVENT) {
        collide(static_cast<const ks::EventCollision*>(p_event));
        return 1;
    }
    if (type == FLOOR_SWAP_EVENT) {
        setPosition(PLAYER_START);
        EventPlayerMove moved(this);
        ks::WorldManager::getInstance().onEvent(&moved);
        return 0;
    }
    return 0;
}

void Player::keyboard(const ks::EventKeyboard* p_keyboard_event) {
    const int key = p_keyboard_event->getKey();
    const int action = p_keyboard_event->getKeyboardAction();
    ks::LogManager::getInstance().writeLog("player recognized keyboard event of key %d", key);
    // A dead player is still in the world until the next update, but a key now (a step into a
    // doorway or onto the ladder) would change rooms or floors under the game-over screen and
    // take that screen out of the world with the room: no new game would ever start.
    if (dead || gone)
        return;
    const bool press = isPress(action);
    const bool release = action == ks::KEY_RELEASED;

    switch (key) {
    case ks::Keyboard::W:
        if (press)
            move(0, -1);
        break;
    case ks::Keyboard::A:
        if (press)
            move(-1, 0);
        break;
    case ks::Keyboard::S:
        if (press)
            move(0, 1);
        break;
    case ks::Keyboard::D:
        if (press)
            move(1, 0);
        break;
    case ks::Keyboard::UPARROW:
        if (press)
            attack(0, -1);
        break;
    case ks::Keyboard::LEFTARROW:
        if (press)
            attack(-1, 0);
        break;
    case ks::Keyboard::DOWNARROW:
        if (press)
            attack(0, 1);
        break;
    case ks::Keyboard::RIGHTARROW:
        if (press)
            attack(1, 0);
        break;
    case ks::Keyboard::LEFTSHIFT:
        // Each mode key acts only from WALK and returns only to WALK, so the modes exclude
        // each other.
        if (press && move_mode == WALK)
            setMoveMode(RUN);
        else if (release && move_mode == RUN)
            setMoveMode(WALK);
        break;
    case ks::Keyboard::LEFTALT:
        if (action == ks::KEY_PRESSED && move_mode == WALK)
            setMoveMode(SNEAK);
        else if (release && move_mode == SNEAK)
            setMoveMode(WALK);
        break;
    case ks::Keyboard::Q:
        if (action == ks::KEY_PRESSED)
            leave();
        break;
    default:
        break;
    }
}

void Player::setMoveMode(int new_mode) {
    if (new_mode < SNEAK || new_mode > RUN)
        return;
    move_mode = new_mode;
    move_slowdown = MOVE_SLOWDOWNS[new_mode];
    move_countdown = 0;
}

void Player::move(int dx, int dy) {
    if (attacking || move_countdown > 0)
        return;
    ks::Position pos = getPosition();
    ks::LogManager::getInstance().writeLog("moving towards vector <%d, %d>, position is %d %d", dx,
                                           dy, pos.getX(), pos.getY());
    move_countdown = move_slowdown;
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.moveObject(this, ks::Position(pos.getX() + dx, pos.getY() + dy));
    // Also after a refused move: the door test and the enemies see the attempt.
    EventPlayerMove moved(this);
    world.onEvent(&moved);
}

void Player::attack(int dx, int dy) {
    if (attacking)
        return;
    ks::LogManager::getInstance().writeLog("creating hitboxes %d %d", dx, dy);
    if (atk_timer > 0)
        return;
    atk_timer = atk_slowdown;
    attacking = true;
    const int x = getPosition().getX();
    const int y = getPosition().getY();
    // Three cells in a line, running outwards from the player's centre row or column.
    for (int reach = 2; reach <= 4; reach++)
        Sword::spawn(attack_damage, ks::Position(x + reach * dx + 1, y + reach * dy + 1));
}

void Player::collide(const ks::EventCollision* p_collision_event) {
    ks::Object* p_other = p_collision_event->getOtherObject(this);
    if (!p_other)
        return;
    if (p_other->getType() == "Ladder")
        invulnerable = true;

    ks::Object* p_obj1 = p_collision_event->getObject1();
    ks::Object* p_obj2 = p_collision_event->getObject2();
    ks::LogManager::getInstance().writeLog("running collide %s %s",
                                           p_obj1 ? p_obj1->getType().c_str() : "",
                                           p_obj2 ? p_obj2->getType().c_str() : "");

    const std::string other_type = p_other->getType();
    if (other_type == "Zombie" || other_type == "Skeleton") {
        setHealth(ENEMY_BLOW, true);
    } else {
        Item* p_item = dynamic_cast<Item*>(p_other);
        if (p_item)
            p_item->pickup(this);
    }
    if (other_type == SPIKES_TYPE)
        setHealth(0, false);
}

void Player::step() {
    if (invulnerable_countdown > 0)
        invulnerable_countdown--;
    else
        invulnerable = false;

    if (health <= 0) {
        health = 0;
        die();
    }

    if (move_countdown > 0)
        move_countdown--;

    if (atk_timer > 0) {
        atk_timer--;
        if (atk_timer == 0) {
            attacking = false;
            atk_timer = -1;
        }
    }
}

void Player::leave() {
    gone = true;
    ks::WorldManager::getInstance().markForDelete(this);
    // No game follows: without a word the hero would just vanish, leaving a frozen game.
    PopUp::spawn(LEAVE_MESSAGE, true);
}

void Player::die() {
    // Gone for good by Q earlier in the cycle, it ends no game.
    if (dead || gone)
        return;
    dead = true;
    ks::WorldManager::getInstance().markForDelete(this);
    Gameover::spawn(score_view->getValue(), floor_view->getValue());
}

void Player::setHealth(int value, bool relative) {
    if (invulnerable)
        return;
    if (relative || value < 0) {
        invulnerable = true;
        invulnerable_countdown = INVULNERABLE_STEPS;
    }
    if (relative) {
        if (value <= 0) {
            value += defense;
            // A blow always costs at least 1.
            if (value >= 0)
                value = -1;
        }
        health += value;
    } else {
        health = value;
    }
    if (health <= 0)
        health = 0;
    ks::LogManager::getInstance().writeLog("collided with Zombie; health = %d", health);
    ks::EventView update("Health:", health, false);
    ks::WorldManager::getInstance().onEvent(&update);
}
