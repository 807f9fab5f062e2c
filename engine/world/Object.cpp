#include "Object.h"

#include <cmath>

#include "Frame.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Sprite.h"
#include "WorldManager.h"

namespace ks {

int Object::next_id = 0;
int Object::live_count = 0;
unsigned long long Object::next_serial = 0;

Object::Object(Position init_position)
    : id(next_id++), type(), position(init_position), altitude(0), x_velocity(0),
      x_velocity_countdown(0), y_velocity(0), y_velocity_countdown(0), solidness(HARD),
      p_sprite(nullptr), sprite_center(false), sprite_index(0), sprite_slowdown(0),
      sprite_slowdown_count(0), box(), serial(next_serial++), world_order(0), placements(0),
      in_world(false), marked(false), adopted(false), grid_place() {
    live_count++;
    setAltitude(MAX_ALTITUDE);
    WorldManager::getInstance().insertObject(this);
}

Object::~Object() {
    live_count--;
    WorldManager& world = WorldManager::getInstance();
    world.removeObject(this);
    world.forgetObject(this);
}

void Object::worldPlaceChanged() {
    WorldManager::getInstance().placeChanged(this);
}

int Object::eventHandler(const Event*) {
    return 0;
}

void Object::setAltitude(int new_altitude) {
    if (new_altitude >= 0 && new_altitude <= MAX_ALTITUDE)
        altitude = new_altitude;
}

int Object::checkVelocity(const char* setter, float& velocity) {
    if (!std::isfinite(velocity)) {
        LogManager::getInstance().writeLog("Object::%s(): Error: velocity %f refused", setter,
                                           velocity);
        return -1;
    }
    if (std::fabs(velocity) > MAX_SPEED) {
        LogManager::getInstance().writeLog("Object::%s(): Warning! velocity %f held to %g", setter,
                                           velocity, MAX_SPEED);
        velocity = std::copysign(MAX_SPEED, velocity);
    }
    return 0;
}

int Object::setXVelocity(float new_x_velocity) {
    if (checkVelocity("setXVelocity", new_x_velocity) != 0)
        return -1;
    x_velocity = new_x_velocity;
    x_velocity_countdown = 1;
    return 0;
}

int Object::setYVelocity(float new_y_velocity) {
    if (checkVelocity("setYVelocity", new_y_velocity) != 0)
        return -1;
    y_velocity = new_y_velocity;
    y_velocity_countdown = 1;
    return 0;
}

int Object::stepOf(float velocity, float& countdown) {
    if (velocity == 0)
        return 0;
    countdown -= std::fabs(velocity);
    if (countdown > 0)
        return 0;
    int cells = static_cast<int>(std::floor(1 - countdown));
    countdown = std::fmod(countdown, 1.0f) + 1;
    return velocity < 0 ? -cells : cells;
}

int Object::getXVelocityStep() {
    return stepOf(x_velocity, x_velocity_countdown);
}

int Object::getYVelocityStep() {
    return stepOf(y_velocity, y_velocity_countdown);
}

void Object::setSprite(Sprite* p_new_sprite) {
    // Sprites are looked up by label; a missing one must leave the object as it was.
    if (!p_new_sprite)
        return;
    p_sprite = p_new_sprite;
    setBox(Box(Position(0, 0), p_sprite->getWidth(), p_sprite->getHeight()));
}

void Object::draw() {
    if (!p_sprite)
        return;
    GraphicsManager::getInstance().drawFrame(position, p_sprite->getFrame(sprite_index),
                                             sprite_center, p_sprite->getColor());
    if (sprite_slowdown == 0)
        return;
    int count = sprite_slowdown_count + 1;
    if (count >= sprite_slowdown) {
        count = 0;
        int index = sprite_index + 1;
        if (index >= p_sprite->getFrameCount())
            index = 0;
        sprite_index = index;
    }
    sprite_slowdown_count = count;
}

} // namespace ks
