// murkvault_world_bench: the time of one world update (WorldManager::update) of a random world
// of N objects (RandomWorld: a third moving, one object to 25 cells), with the grid and with the
// brute-force reference, on Google Benchmark. bench/world_update.sh runs it and draws the plot.
//
// The log is closed while it runs: lines are dropped unwritten, so this times the world and not
// the disk. Every 50 updates the world is put back as it started (untimed), so that the moving
// objects do not drift apart and thin the world out.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "LogManager.h"
#include "RandomWorld.h"
#include "WorldManager.h"

namespace {

const unsigned SEED = 2024;
const int UPDATES_BETWEEN_RESETS = 50;

void worldUpdate(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.startUp();
    ks::LogManager::getInstance().shutDown();
    world.setBruteForce(state.range(1) != 0);
    {
        RandomWorld motes(count, SEED);
        int updates = 0;
        for (auto _ : state) {
            world.update();
            if (++updates % UPDATES_BETWEEN_RESETS == 0) {
                state.PauseTiming();
                motes.reset();
                state.ResumeTiming();
            }
        }
    }
    state.SetLabel(state.range(1) ? "brute force" : "grid");
    world.setBruteForce(false);
}

} // namespace

BENCHMARK(worldUpdate)
    ->ArgNames({"N", "brute"})
    ->ArgsProduct({{100, 300, 1000, 3000, 5000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The engine's managers write nowhere but the bench's own folder.
    if (chdir(MURKVAULT_BENCH_DIR) != 0)
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
