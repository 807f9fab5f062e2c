#include "Clock.h"

#include <chrono>
#include <thread>

namespace ks {

namespace {

long steadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<long>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Clock::TimeSource time_source = steadyMilliseconds;

} // namespace

Clock::Clock() : previous_time(now()) {}

Clock::~Clock() = default;

long Clock::delta() {
    long current = now();
    long elapsed = current - previous_time;
    previous_time = current;
    return elapsed;
}

long Clock::split() const {
    return now() - previous_time;
}

void Clock::setTimeSource(TimeSource source) {
    time_source = source ? source : steadyMilliseconds;
}

long Clock::now() {
    return time_source();
}

void Clock::sleep(long milliseconds) {
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace ks
