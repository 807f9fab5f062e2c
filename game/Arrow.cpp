#include "Arrow.h"

#include "Color.h"
#include "Direction.h"
#include "EventCollision.h"
#include "EventOut.h"
#include "GraphicsManager.h"
#include "Player.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "WorldManager.h"

Arrow* Arrow::spawn(ks::Position pos, int direction) {
    Arrow* p_arrow = new Arrow(pos, direction);
    ks::WorldManager::getInstance().adoptObject(p_arrow);
    return p_arrow;
}

Arrow::Arrow(ks::Position pos, int init_direction)
    : ks::Object(), direction(init_direction), x_speed(ARROW_X_SPEED), y_speed(ARROW_Y_SPEED) {
    setType("Arrow");
    setPosition(pos);
    switch (direction) {
    case NORTH:
        setYVelocity(y_speed);
        break;
    case EAST:
        setXVelocity(x_speed);
        break;
    case SOUTH:
        setYVelocity(-y_speed);
        break;
    case WEST:
        setXVelocity(-x_speed);
        break;
    default:
        break;
    }
    ks::Sound* p_sound = ks::ResourceManager::getInstance().getSound("arrow");
    if (p_sound)
        p_sound->play(false);
}

int Arrow::eventHandler(const ks::Event* p_event) {
    const std::string type = p_event->getType();
    if (type == ks::COLLISION_EVENT) {
        ks::Object* p_other = static_cast<const ks::EventCollision*>(p_event)->getOtherObject(this);
        if (!p_other)
            return 0;
        if (p_other->getSolidness() == ks::HARD)
            ks::WorldManager::getInstance().markForDelete(this);
        if (p_other->getType() == "Player") {
            Player* p_player = dynamic_cast<Player*>(p_other);
            if (p_player)
                p_player->setHealth(-ARROW_DAMAGE, true);
        }
        return 1;
    }
    if (type == ks::OUT_EVENT) {
        // Nothing outside the window could ever stop it.
        ks::WorldManager::getInstance().markForDelete(this);
        return 1;
    }
    return 0;
}

void Arrow::draw() {
    static const char HEADS[] = {'v', '>', '^', '<'};
    if (direction < NORTH || direction > WEST)
        return;
    ks::GraphicsManager::getInstance().drawCh(getPosition(), HEADS[direction], ks::YELLOW);
}
