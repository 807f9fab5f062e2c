#include "Snake.h"

#include <ks/EventKeyboard.h>
#include <ks/EventStep.h>
#include <ks/EventView.h>
#include <ks/LogManager.h>
#include <ks/ResourceManager.h>
#include <ks/Sound.h>
#include <ks/WorldManager.h>

namespace {

// Frames of the head sprite, by direction.
const int FACING_UP = 0, FACING_RIGHT = 1, FACING_DOWN = 2, FACING_LEFT = 3;

int facing(ks::Position heading) {
    if (heading.getX() > 0)
        return FACING_RIGHT;
    if (heading.getX() < 0)
        return FACING_LEFT;
    return heading.getY() < 0 ? FACING_UP : FACING_DOWN;
}

void playSound(const char* label) {
    if (ks::Sound* p_sound = ks::ResourceManager::getInstance().getSound(label))
        p_sound->play(false);
}

} // namespace

Snake::Snake(ks::Position start)
    : ks::Object(start), heading(1, 0), next_heading(1, 0), growth(START_LENGTH - 1),
      move_countdown(MOVE_PERIOD), dead(false) {
    setType("Snake");
    setAltitude(4); // over the body it leaves behind
    ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("head");
    if (p_sprite)
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog("Snake::Snake(): Warning! Sprite 'head' not found");
    setSpriteIndex(facing(heading));
}

int Snake::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() == ks::KEYBOARD_EVENT) {
        const auto* p_key = static_cast<const ks::EventKeyboard*>(p_event);
        return p_key->getKeyboardAction() == ks::KEY_PRESSED ? steer(p_key->getKey()) : 0;
    }
    if (p_event->getType() == ks::STEP_EVENT) {
        step();
        return 1;
    }
    if (p_event->getType() == ks::COLLISION_EVENT)
        return collide(static_cast<const ks::EventCollision*>(p_event));
    return 0;
}

int Snake::steer(int key) {
    ks::Position wanted;
    switch (key) {
    case ks::Keyboard::UPARROW:
    case ks::Keyboard::W:
        wanted.setXY(0, -1);
        break;
    case ks::Keyboard::DOWNARROW:
    case ks::Keyboard::S:
        wanted.setXY(0, 1);
        break;
    case ks::Keyboard::LEFTARROW:
    case ks::Keyboard::A:
        wanted.setXY(-1, 0);
        break;
    case ks::Keyboard::RIGHTARROW:
    case ks::Keyboard::D:
        wanted.setXY(1, 0);
        break;
    default:
        return 0;
    }
    // Compared with the last move, not the last key: two quick keys cannot turn it around.
    if (dead || (wanted.getX() == -heading.getX() && wanted.getY() == -heading.getY()))
        return 0;
    next_heading = wanted;
    return 1;
}

void Snake::step() {
    if (dead || --move_countdown > 0)
        return;
    move_countdown = MOVE_PERIOD;
    ks::LogManager& log = ks::LogManager::getInstance();
    ks::Position from = getPosition();
    if (next_heading != heading)
        log.writeLog("Snake::step(): turned to (%d, %d) at (%d, %d)", next_heading.getX(),
                     next_heading.getY(), from.getX(), from.getY());
    heading = next_heading;
    setSpriteIndex(facing(heading));

    // The body first: a new cell where the head is, or the tail moved there, so that the head
    // may follow its tail into the cell the tail leaves.
    ks::Object* p_grown = nullptr;
    ks::Position tail_was;
    if (growth > 0) {
        p_grown = new ks::Object(from);
        p_grown->setType("Body");
        p_grown->setAltitude(3);
        if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("body"))
            p_grown->setSprite(p_sprite);
        body.push_front(p_grown);
    } else if (!body.empty()) {
        tail_was = body.back()->getPosition();
        body.push_front(body.back());
        body.pop_back();
        body.front()->setPosition(from);
    }
    ks::Position to(from.getX() + heading.getX(), from.getY() + heading.getY());
    if (ks::WorldManager::getInstance().moveObject(this, to) == 0) {
        growth -= p_grown ? 1 : 0;
        return;
    }
    // Blocked, and so dead: the body goes back to where it was, out from under the head. The
    // new cell is not among the objects this step is being sent to, so it may go at once.
    if (p_grown) {
        body.pop_front();
        delete p_grown;
    } else if (!body.empty()) {
        body.push_back(body.front());
        body.pop_front();
        body.back()->setPosition(tail_was);
    }
}

int Snake::collide(const ks::EventCollision* p_collision) {
    const ks::Object* p_other = p_collision->getOtherObject(this);
    if (!p_other || dead)
        return 0;
    if (p_other->getType() == "Food") {
        growth += GROWTH;
        ks::EventView score("Score:", POINTS, true);
        ks::WorldManager::getInstance().onEvent(&score);
        playSound("eat");
        return 1;
    }
    if (p_other->getType() == "Wall" || p_other->getType() == "Body") {
        die(p_other);
        return 1;
    }
    return 0;
}

void Snake::die(const ks::Object* p_obstacle) {
    dead = true;
    ks::LogManager::getInstance().writeLog("Snake::die(): ran into %s at (%d, %d), length %d",
                                           p_obstacle->getType().c_str(), getPosition().getX(),
                                           getPosition().getY(), getLength());
    playSound("crash");
    // The game-over sign, in the middle of the screen, over everything.
    ks::Object* p_sign = new ks::Object(ks::Position(27, 10));
    p_sign->setType("GameOver");
    p_sign->setSolidness(ks::SPECTRAL);
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("gameover"))
        p_sign->setSprite(p_sprite);
}
