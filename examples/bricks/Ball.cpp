#include "Ball.h"

#include <ks/Box.h>
#include <ks/EventKeyboard.h>
#include <ks/EventOut.h>
#include <ks/EventStep.h>
#include <ks/EventView.h>
#include <ks/GameManager.h>
#include <ks/LogManager.h>
#include <ks/ResourceManager.h>
#include <ks/Sound.h>
#include <ks/WorldManager.h>

#include "Brick.h"
#include "Paddle.h"

namespace {

const float SPEED = 0.5f;  // cells per cycle along each axis: a diagonal cell every two cycles
const int END_CYCLES = 60; // the sign shows this long before the game ends
const int SIGN_X = 33, SIGN_Y = 11;

void playSound(const char* label) {
    if (ks::Sound* p_sound = ks::ResourceManager::getInstance().getSound(label))
        p_sound->play(false);
}

int sign(int n) {
    return (n > 0) - (n < 0);
}

// Whether the cell lies in the object's box, where it stands.
bool covers(const ks::Object* p_object, ks::Position cell) {
    return ks::boxIntersectsBox(ks::getWorldBox(p_object), ks::Box(cell, 1, 1));
}

} // namespace

Ball::Ball(Paddle* p_new_paddle, unsigned long seed)
    : p_paddle(p_new_paddle), random(static_cast<std::mt19937::result_type>(seed)), held(true),
      lives(START_LIVES), end_countdown(0) {
    setType("Ball");
    setAltitude(3); // over the bricks, under capsules and signs
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("ball"))
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog("Ball::Ball(): Warning! Sprite 'ball' not found");
    hold();
}

int Ball::eventHandler(const ks::Event* p_event) {
    const std::string type = p_event->getType();
    if (type == ks::STEP_EVENT) {
        step();
        return 1;
    }
    if (type == ks::KEYBOARD_EVENT) {
        const auto* p_key = static_cast<const ks::EventKeyboard*>(p_event);
        if (p_key->getKeyboardAction() != ks::KEY_PRESSED || p_key->getKey() != ks::Keyboard::SPACE)
            return 0;
        launch();
        return 1;
    }
    if (type == ks::COLLISION_EVENT)
        return bounce(static_cast<const ks::EventCollision*>(p_event));
    if (type == ks::OUT_EVENT) {
        lose();
        return 1;
    }
    if (type == ks::VIEW_EVENT) {
        // Lives change by the same events the lives display shows: a caught capsule's, a lost
        // ball's.
        const auto* p_view = static_cast<const ks::EventView*>(p_event);
        if (p_view->getTag() != "Lives:")
            return 0;
        lives = p_view->getDelta() ? lives + p_view->getValue() : p_view->getValue();
        return 1;
    }
    return 0;
}

void Ball::step() {
    if (end_countdown > 0) {
        if (--end_countdown == 0)
            ks::GameManager::getInstance().setGameOver();
        return;
    }
    if (lives > 0 && Brick::getLeft() > 0) {
        if (held)
            hold(); // the paddle may have moved
        return;
    }
    // The end: lives or bricks ran out. The ball stops where it is, out of sight or not.
    head(0, 0);
    const char* sign_label = lives > 0 ? "cleared" : "gameover";
    ks::LogManager::getInstance().writeLog("Ball::step(): %s, %d lives", sign_label, lives);
    ks::Object* p_sign = new ks::Object(ks::Position(SIGN_X, SIGN_Y));
    p_sign->setType("Sign");
    p_sign->setSolidness(ks::SPECTRAL);
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(sign_label))
        p_sign->setSprite(p_sprite);
    end_countdown = END_CYCLES;
}

void Ball::hold() {
    held = true;
    ks::Position on = p_paddle->getPosition();
    setPosition(ks::Position(on.getX() + Paddle::WIDTH / 2, on.getY() - 1));
}

void Ball::head(int dx, int dy) {
    setXVelocity(dx * SPEED);
    setYVelocity(dy * SPEED);
}

void Ball::launch() {
    if (!held || end_countdown > 0 || lives <= 0)
        return;
    held = false;
    const int dx = random() % 2 == 0 ? -1 : 1;
    head(dx, -1);
    ks::LogManager::getInstance().writeLog("Ball::launch(): from (%d, %d), heading (%d, -1)",
                                           getPosition().getX(), getPosition().getY(), dx);
}

int Ball::bounce(const ks::EventCollision* p_collision) {
    // Only its own moves: the paddle running into the ball is the paddle's business.
    const ks::Object* p_other = p_collision->getObject2();
    if (p_collision->getObject1() != this || p_other->getSolidness() != ks::HARD)
        return 0;
    const ks::Position from = getPosition();
    const ks::Position to = p_collision->getPosition();
    int dx = sign(to.getX() - from.getX());
    int dy = sign(to.getY() - from.getY());
    // Which side it struck: the cell beside it, the cell above or below it, or (neither) a corner.
    const bool side = dx != 0 && covers(p_other, ks::Position(from.getX() + dx, from.getY()));
    const bool end = dy != 0 && covers(p_other, ks::Position(from.getX(), from.getY() + dy));
    if (side || !end)
        dx = -dx;
    if (end || !side)
        dy = -dy;
    if (p_other->getType() == "Paddle" && end) {
        // The paddle's outer thirds send the ball back the way it came from; its middle lets it
        // run on.
        const int along = to.getX() - p_other->getPosition().getX();
        if (along < Paddle::WIDTH / 3)
            dx = -1;
        else if (along >= Paddle::WIDTH - Paddle::WIDTH / 3)
            dx = 1;
    }
    head(dx, dy);
    ks::LogManager::getInstance().writeLog("Ball::bounce(): off %s at (%d, %d), heading (%d, %d)",
                                           p_other->getType().c_str(), from.getX(), from.getY(), dx,
                                           dy);
    if (p_other->getType() != "Brick") // a brick plays its own
        playSound("bounce");
    return 1;
}

void Ball::lose() {
    playSound("lose");
    ks::EventView lost("Lives:", -1, true);
    ks::WorldManager::getInstance().onEvent(&lost); // this ball counts it too
    ks::LogManager::getInstance().writeLog("Ball::lose(): %d lives left", lives);
    if (lives > 0) {
        // Placed here, in the out handler, the ball stays on the paddle: the move that took it
        // out does not happen.
        head(0, 0);
        hold();
    }
}
