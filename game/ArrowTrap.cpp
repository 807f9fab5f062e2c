#include "ArrowTrap.h"

#include "Arrow.h"
#include "Color.h"
#include "Direction.h"
#include "EventPlayerMove.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "Player.h"
#include "SpriteLookup.h"

ArrowTrap::ArrowTrap(ks::Position pos, int init_direction)
    : ks::Object(), direction(init_direction), trigger_box(), cooldown(ARROW_TRAP_FIRST_COOLDOWN) {
    setPosition(pos);
    setType("ArrowTrap");
    setSolidness(ks::HARD);
    const int x = pos.getX();
    const int y = pos.getY();
    // The +y and +x lines start at the centre; the -y line ends at the centre row and the -x line
    // one column short of the centre.
    switch (direction) {
    case NORTH:
        trigger_box = ks::Box(ks::Position(x + 1, y + 1), 1, ARROW_TRAP_REACH_Y);
        break;
    case EAST:
        trigger_box = ks::Box(ks::Position(x + 1, y + 1), ARROW_TRAP_REACH_X, 1);
        break;
    case SOUTH:
        trigger_box =
            ks::Box(ks::Position(x + 1, y + 2 - ARROW_TRAP_REACH_Y), 1, ARROW_TRAP_REACH_Y);
        break;
    case WEST:
        trigger_box =
            ks::Box(ks::Position(x + 1 - ARROW_TRAP_REACH_X, y + 1), ARROW_TRAP_REACH_X, 1);
        break;
    default:
        break;
    }
    setSprite(lookUpSprite("ArrowTrap", "arrow-trap"));
}

ks::Position ArrowTrap::centre() const {
    return adjacentPosition(adjacentPosition(getPosition(), NORTH), EAST);
}

int ArrowTrap::eventHandler(const ks::Event* p_event) {
    const std::string type = p_event->getType();
    if (type == PLAYER_MOVE_EVENT) {
        const Player* p_player = static_cast<const EventPlayerMove*>(p_event)->getPlayer();
        // A trap with no valid direction has no trigger line.
        if (!p_player || direction < NORTH || direction > WEST)
            return 0;
        ks::Box player_box = p_player->getBox();
        player_box.setCorner(p_player->getPosition());
        if (!boxIntersectsBox(trigger_box, player_box) || cooldown != 0)
            return 0;
        Arrow::spawn(adjacentPosition(adjacentPosition(centre(), direction), direction), direction);
        cooldown = ARROW_TRAP_COOLDOWN;
        return 1;
    }
    if (type == ks::STEP_EVENT) {
        if (cooldown > 0)
            cooldown--;
        return 0;
    }
    return 0;
}

void ArrowTrap::draw() {
    ks::Object::draw();
    ks::GraphicsManager::getInstance().drawCh(adjacentPosition(centre(), direction), ' ',
                                              ks::YELLOW);
}
