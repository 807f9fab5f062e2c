#include "Random.h"

namespace ks {

Random& Random::getInstance() {
    static Random instance;
    return instance;
}

Random::Random() : state(), front(0), rear(0) {
    seed(1);
}

void Random::seed(uint32_t value) {
    // The C library keeps the seed in a signed 32-bit word, so a seed of 2^31 or more starts the
    // chain negative; doing the same is what keeps those seeds' dungeons as they were.
    int32_t word = value == 0 ? 1 : static_cast<int32_t>(value);
    state[0] = static_cast<uint32_t>(word);
    for (int i = 1; i < DEGREE; i++) {
        // 16807 * word mod (2^31 - 1) without overflow; C++ division truncates toward zero, as
        // the C library's does.
        const int64_t hi = word / 127773;
        const int64_t lo = word % 127773;
        word = static_cast<int32_t>(16807 * lo - 2836 * hi);
        if (word < 0)
            word += 2147483647;
        state[i] = static_cast<uint32_t>(word);
    }
    front = SEPARATION;
    rear = 0;
    for (int i = 0; i < DISCARDED; i++)
        next();
}

int Random::next() {
    // r[i] = r[i-31] + r[i-3] in place of r[i-31]; the lowest bit is the weakest and is dropped.
    state[front] += state[rear];
    const uint32_t result = state[front] >> 1;
    front = front + 1 == DEGREE ? 0 : front + 1;
    rear = rear + 1 == DEGREE ? 0 : rear + 1;
    return static_cast<int>(result);
}

} // namespace ks
