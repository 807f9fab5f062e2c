// Pacing the game's cycles on the browser's animation frames: the game's rate whatever the
// frames' rate, at most a cycle a frame, and no burst of cycles after the page was hidden.
#include <gtest/gtest.h>

#include "FramePacer.h"

namespace {

const double CYCLE_MS = 1000.0 / 30;

// How many cycles the frames from `from` on, `every` milliseconds apart, run in `span`.
int cyclesIn(ks::FramePacer& pacer, double from, double every, double span) {
    int cycles = 0;
    for (double t = from; t < from + span - 1e-9; t += every)
        cycles += pacer.due(t) ? 1 : 0;
    return cycles;
}

TEST(FramePacerTest, AtSixtyFramesASecondACycleRunsEveryOtherFrame) {
    ks::FramePacer pacer(CYCLE_MS);
    int cycles = 0;
    for (int frame = 0; frame < 600; frame++) {
        const bool due = pacer.due(frame * 1000.0 / 60);
        EXPECT_EQ(due, frame % 2 == 0) << "frame " << frame;
        cycles += due ? 1 : 0;
    }
    EXPECT_EQ(cycles, 300);
}

// Frames faster than the game's cycles, or a little early or late (a busy machine), still run
// the game at its rate; frames slower than its cycles run a cycle each: the game slows down, as
// the desktop's loop does on a machine too slow for it.
TEST(FramePacerTest, FastOrJitteryFramesRunThirtyCyclesASecondSlowFramesOneEach) {
    ks::FramePacer fast(CYCLE_MS), jittery(CYCLE_MS), slow(CYCLE_MS);
    EXPECT_EQ(cyclesIn(fast, 0, 1000.0 / 144, 10000), 300);
    int cycles = 0;
    for (int frame = 0; frame < 600; frame++)
        cycles += jittery.due(frame * 1000.0 / 60 + (frame % 3 == 0 ? 2.5 : -1.5)) ? 1 : 0;
    EXPECT_EQ(cycles, 300);
    EXPECT_EQ(fast.getResyncs() + jittery.getResyncs(), 0);
    EXPECT_EQ(cyclesIn(slow, 0, 50, 1000), 20);
}

TEST(FramePacerTest, APageBackFromTheBackgroundRunsOneCycleNotTheOnesItMissed) {
    ks::FramePacer pacer(CYCLE_MS);
    EXPECT_EQ(cyclesIn(pacer, 0, 1000.0 / 60, 1000), 30);
    // Hidden for five seconds: no frames, then one cycle, and the game's pace from there on.
    EXPECT_TRUE(pacer.due(6000));
    EXPECT_FALSE(pacer.due(6000 + 1000.0 / 60));
    EXPECT_EQ(cyclesIn(pacer, 6000 + 2000.0 / 60, 1000.0 / 60, 1000), 30);
    EXPECT_EQ(pacer.getResyncs(), 1);
}

} // namespace
