// Computing a dive's profile, as the views and the simulator wait for it, beside the floor: a bare
// loop that only advances the compartments once per sample with ready-made factors. A third figure
// shows how much of a computation no model can save: reading each sample's values from the dive.
#include "Dive.h"
#include "Profile.h"
#include "Settings.h"
#include "SettingsStore.h"

#include <QTemporaryDir>
#include <QVariantList>
#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Depths in metres every 20 seconds through (depth, minutes) legs, repeated until `samples` are made:
// descents at 18 m/min, ascents at 9 m/min.
std::vector<double> profileOf(const std::vector<std::pair<double, double>>& plan, int samples) {
    std::vector<double> depths;
    double depth = 0;
    while (int(depths.size()) < samples) {
        for (const auto& [target, minutes] : plan) {
            while (std::abs(depth - target) > 1e-9 && int(depths.size()) < samples) {
                depth = depth < target ? std::min(target, depth + 6) : std::max(target, depth - 3);
                depths.push_back(std::max(depth, 1.0));
            }
            for (int k = 0; k < int(minutes * Dive::SAMPLES_PER_MINUTE) && int(depths.size()) < samples; ++k)
                depths.push_back(std::max(depth, 1.0));
        }
    }
    return depths;
}

// A long deep dive with its stops for the 11-compartment model: no-stop samples, a ceiling and a
// schedule at every deco sample.
std::vector<double> zentoDive() {
    return profileOf({{45, 40}, {15, 10}, {9, 25}, {6, 45}, {3, 100}, {12, 60}, {4, 10}}, 900);
}

// A long repetitive session for the RGBM model: deep and shallow legs, the limits reduced by the
// dive history, deep stops worked out as in the simulator.
std::vector<double> rgbmDive() {
    return profileOf({{30, 25}, {15, 40}, {6, 20}, {3, 20}, {20, 30}, {9, 60}, {4, 20}}, 3000);
}

class World {
public:
    World() {
        SettingsStore::setLocation(m_dir.path());
        qputenv("SONA_HOME", m_dir.path().toUtf8());
    }
    ~World() {
        Settings::release();
        SettingsStore::setLocation(QString());
    }

private:
    QTemporaryDir m_dir;
};

std::shared_ptr<Dive> makeDive(qint32 model, const std::vector<double>& depths) {
    Settings::instance().setCurrentDiveComputer(model);
    auto dive = std::make_shared<Dive>();
    const bool rgbm = Settings::instance().isCurrentDiveComputerRGBM();
    dive->setStartTissue(QVariantList(rgbm ? 10 : 11, rgbm ? 0.79 : 26.07));
    dive->setWater(0);
    if (rgbm) {
        dive->setTSR(50);
        dive->setDiveDays(2);
        dive->setDepthMeanPrec(15);
    }
    int i = 0;
    for (double depth : depths) {
        ++i;
        dive->addSample(std::round(depth * 10), 2, 0, 0, i % 3 == 1 ? 1 : 20);
    }
    return dive;
}

void computeProfile(benchmark::State& state, qint32 model, const std::vector<double>& depths, bool simulation) {
    World world;
    auto dive = makeDive(model, depths);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.setSimulationMode(simulation);
    for (auto _ : state) {
        profile.compute();
        benchmark::DoNotOptimize(profile.getNoDecTime(qint16(depths.size())));
    }
    state.SetItemsProcessed(state.iterations() * qint64(depths.size()));
    // How much of the dive runs a stop schedule, and how many stops deep: the bulk of the work.
    double decoSamples = 0, levels = 0;
    for (qint16 step = 1; step <= qint16(depths.size()); ++step) {
        decoSamples += profile.getDecoFlag(step) > 0;
        levels += profile.getDecoFlag(step);
    }
    state.counters["decoShare"] = decoSamples / double(depths.size());
    state.counters["meanLevel"] = decoSamples > 0 ? levels / decoSamples : 0;
}

// The floor: each sample's inspired nitrogen and one decay step per compartment.
template <size_t N>
void updateOnly(benchmark::State& state, const std::array<double, N>& halfTimes, const std::vector<double>& depths,
                double surfaceLoad, double perMetre, double surface) {
    std::array<float, N> factor{};
    for (size_t j = 0; j < N; ++j)
        factor[j] = float(1 - std::exp(-0.693 / 3 / halfTimes[j]));
    std::vector<float> metres(depths.begin(), depths.end());
    for (auto _ : state) {
        std::array<float, N> load;
        load.fill(float(surfaceLoad));
        for (float d : metres) {
            const float inspired = float((surface + d * perMetre) * 0.79);
            for (size_t j = 0; j < N; ++j)
                load[j] += (inspired - load[j]) * factor[j];
        }
        benchmark::DoNotOptimize(load);
    }
    state.SetItemsProcessed(state.iterations() * qint64(depths.size()));
}

// Each sample's values as a computation reads them from the dive: depth and recorded ascent rate,
// and the misc value on the RGBM model.
void readSamples(benchmark::State& state, qint32 model, const std::vector<double>& depths) {
    World world;
    auto dive = makeDive(model, depths);
    const bool misc = Settings::instance().isCurrentDiveComputerRGBM();
    const int samples = dive->getSamplesCount();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 1; i <= samples; ++i) {
            sum += dive->getSampleDepth(i) + dive->getSampleVRis(i);
            if (misc)
                sum += dive->getSampleMisc(i);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * qint64(depths.size()));
}

constexpr std::array<double, 11> zentoHalfTimes = {2.5, 5, 10, 20, 30, 40, 60, 80, 120, 240, 480};
constexpr std::array<double, 10> rgbmHalfTimes = {2.5, 5, 10, 20, 30, 40, 60, 80, 120, 240};

void BM_ZentoCompute900(benchmark::State& state) {
    computeProfile(state, 1, zentoDive(), false);
}
void BM_ZentoFloor900(benchmark::State& state) {
    updateOnly(state, zentoHalfTimes, zentoDive(), 26.07, 3.3, 33);
}
void BM_ZentoReadSamples900(benchmark::State& state) {
    readSamples(state, 1, zentoDive());
}
void BM_RGBMCompute3000(benchmark::State& state) {
    computeProfile(state, 4, rgbmDive(), false);
}
void BM_RGBMSimulationCompute3000(benchmark::State& state) {
    computeProfile(state, 4, rgbmDive(), true);
}
void BM_RGBMFloor3000(benchmark::State& state) {
    updateOnly(state, rgbmHalfTimes, rgbmDive(), 0.79, 0.1, 1);
}

void BM_RGBMReadSamples3000(benchmark::State& state) {
    readSamples(state, 4, rgbmDive());
}

} // namespace

BENCHMARK(BM_ZentoCompute900);
BENCHMARK(BM_ZentoFloor900);
BENCHMARK(BM_ZentoReadSamples900);
BENCHMARK(BM_RGBMCompute3000);
BENCHMARK(BM_RGBMSimulationCompute3000);
BENCHMARK(BM_RGBMFloor3000);
BENCHMARK(BM_RGBMReadSamples3000);

BENCHMARK_MAIN();
