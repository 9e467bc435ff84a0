// The live dive as the user waits for it at the fastest time scale (a tick every 100 ms): a whole
// 3-hour simulated dive tick by tick, each sample recomputing the profile; and the one tick that
// costs most, the sample tick of a dive at the model's last sample.
#include "BenchTime.h"
#include "Dive.h"
#include "Profile.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SimulatedDive.h"
#include "SimulationEngine.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class World {
public:
    explicit World(qint32 model) {
        SettingsStore::setLocation(m_dir.path());
        qputenv("SONA_HOME", m_dir.path().toUtf8());
        Settings::instance().setCurrentDiveComputer(model);
    }
    ~World() {
        Settings::release();
        SettingsStore::setLocation(QString());
    }

private:
    QTemporaryDir m_dir;
};

// 3 hours of 5-second ticks: down to 30 m, the bottom, up to a 5 m stop, the stop, up to the surface.
constexpr int THREE_HOURS = 3 * 3600 / SimulationEngine::SECONDS_PER_TICK;

void steer(SimulationEngine& engine, int tick) {
    const float depth = engine.liveDepth();
    bool down = false;
    bool up = false;
    if (tick < 1200)
        down = depth < 30;
    else if (tick < 2100)
        up = depth > 5;
    else
        up = true;
    engine.setDescending(down);
    engine.setAscending(up);
}

void threeHourDive(benchmark::State& state) {
    World world(qint32(state.range(0)));
    for (auto _ : state) {
        SimulationEngine engine(nullptr);
        engine.setTimeScale(SimulationEngine::SCALE_MAX);
        engine.play();
        for (int tick = 0; tick < THREE_HOURS; ++tick) {
            steer(engine, tick);
            engine.tick();
        }
        benchmark::DoNotOptimize(engine.samples());
    }
    state.counters["ticks"] = THREE_HOURS;
    state.counters["perTick"] =
        benchmark::Counter(THREE_HOURS, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The sample tick of a dive already holding `samples - 1` samples.
void sampleTickAt(benchmark::State& state) {
    World world(4);
    const int samples = int(state.range(0));
    auto dive = SimulatedDive::create();
    for (int i = 1; i < samples; ++i)
        dive->addSample(i < 60 ? i * 5.0 : 300.0, 0, 0, 0);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.setSimulationMode(true);
    profile.compute();
    for (auto _ : state) {
        dive->addSample(250, 0, 0, 0);
        profile.compute();
        benchmark::DoNotOptimize(profile.getNoDecTime(qint16(samples)));
        state.PauseTiming();
        dive->removeSample(samples);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(threeHourDive)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(2.0));
BENCHMARK(sampleTickAt)->Arg(540)->Arg(3000)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(1.0));
BENCHMARK_MAIN();
