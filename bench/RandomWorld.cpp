#include "RandomWorld.h"

#include <cmath>
#include <string>

#include "EventCollision.h"
#include "EventOut.h"
#include "WorldManager.h"

namespace {

// What a mote does when it collides, beyond recording it.
enum Habit { STAYS, JUMPS, PUSHES, RESHAPES };

const int AREA_PER_OBJECT = 25;

} // namespace

class RandomWorld::Mote : public ks::Object {
public:
    Mote(int init_index, Habit init_habit, std::vector<Told>* p_init_trace)
        : ks::Object(), index(init_index), habit(init_habit), p_trace(p_init_trace),
          random(init_index + 1) {
        setId(index);
        setType("m" + std::to_string(index));
    }

    int eventHandler(const ks::Event* p_event) override {
        const bool collision = p_event->getType() == ks::COLLISION_EVENT;
        const bool out = p_event->getType() == ks::OUT_EVENT;
        if (p_trace) {
            Told told{index,
                      collision ? 1
                      : out     ? 2
                                : 0,
                      -1, getPosition().getX(), getPosition().getY()};
            if (collision)
                told.other =
                    static_cast<const ks::EventCollision*>(p_event)->getOtherObject(this)->getId();
            p_trace->push_back(told);
        }
        if (out) {
            setXVelocity(-getXVelocity());
            setYVelocity(-getYVelocity());
        }
        if (collision && !busy)
            react();
        return 1;
    }

private:
    void react() {
        ks::Position where = getPosition();
        switch (habit) {
        case JUMPS: // straight to a cell nearby, past the world's collision test
            where.moveXY(static_cast<int>(random() % 7) - 3, static_cast<int>(random() % 7) - 3);
            setPosition(where);
            break;
        case PUSHES: // a step of its own through the world, with its collisions (not nested)
            busy = true;
            where.moveXY(static_cast<int>(random() % 3) - 1, static_cast<int>(random() % 3) - 1);
            ks::WorldManager::getInstance().moveObject(this, where);
            busy = false;
            break;
        case RESHAPES: // a new box, sometimes of zero extent
            setBox(ks::Box(ks::Position(0, 0), static_cast<int>(random() % 4),
                           static_cast<int>(random() % 4)));
            break;
        case STAYS:
            break;
        }
    }

    int index;
    Habit habit;
    std::vector<Told>* p_trace;
    std::minstd_rand random;
    bool busy = false;
};

RandomWorld::RandomWorld(int count, unsigned seed, std::vector<Told>* p_trace) {
    std::mt19937 random(seed);
    auto below = [&random](int n) { return static_cast<int>(random() % n); };
    // A square of count * AREA_PER_OBJECT cells centred on the window's centre (40, 12).
    const int side = static_cast<int>(std::sqrt(static_cast<double>(count) * AREA_PER_OBJECT));
    const float speeds[] = {0, 0, 0, 0.25f, 0.5f, 1, 1.5f, 2};
    for (int i = 0; i < count; i++) {
        const int kind = below(20);
        Start start;
        start.position = ks::Position(40 - side / 2 + below(side), 12 - side / 2 + below(side));
        start.solidness = kind < 9 ? ks::HARD : kind < 16 ? ks::SOFT : ks::SPECTRAL;
        const int shape = below(100);
        if (i < 2) // two far larger than a cell of the grid
            start.box = ks::Box(ks::Position(0, 0), 100 + below(50), 80);
        else if (shape < 10) // zero extent
            start.box = ks::Box(ks::Position(0, 0), 0, 0);
        else if (shape < 15) // offset from the position, as a wall's
            start.box = ks::Box(ks::Position(below(3) - 1, below(3) - 1), 1 + below(3), 1);
        else
            start.box = ks::Box(ks::Position(0, 0), 1 + below(3), 1 + below(3));
        const bool moving = below(2) == 0;
        start.x_velocity = moving ? speeds[below(8)] * (below(2) ? 1 : -1) : 0;
        start.y_velocity = moving ? speeds[below(8)] * (below(2) ? 1 : -1) : 0;
        const int habit = below(20);
        motes.push_back(new Mote(i,
                                 habit < 2   ? JUMPS
                                 : habit < 3 ? PUSHES
                                 : habit < 4 ? RESHAPES
                                             : STAYS,
                                 p_trace));
        starts.push_back(start);
    }
    reset();
}

RandomWorld::~RandomWorld() {
    for (Mote* p_mote : motes)
        delete p_mote;
}

void RandomWorld::reset() {
    for (size_t i = 0; i < motes.size(); i++) {
        motes[i]->setPosition(starts[i].position);
        motes[i]->setBox(starts[i].box);
        motes[i]->setSolidness(starts[i].solidness);
        motes[i]->setXVelocity(starts[i].x_velocity);
        motes[i]->setYVelocity(starts[i].y_velocity);
    }
}
