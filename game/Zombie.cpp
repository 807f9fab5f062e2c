#include "Zombie.h"

#include <string>

#include "Random.h"
#include "ResourceManager.h"
#include "Sound.h"

namespace {

const char* const ROARS[] = {"zombie1", "zombie2", "zombie3"};
const int ROAR_COUNT = 3;

} // namespace

Zombie::Zombie(ks::Position pos, int facing) : Enemy(pos, facing, "Zombie", "zombie") {}

void Zombie::onFirstDetection() {
    ks::Sound* p_sound = ks::ResourceManager::getInstance().getSound(
        ROARS[ks::Random::getInstance().next() % ROAR_COUNT]);
    if (p_sound)
        p_sound->play(false);
}
