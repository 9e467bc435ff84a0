// The live dive as the user waits for it at the fastest time scale (a tick every 100 ms): a whole
// 3-hour simulated dive tick by tick, each sample recomputing the profile; the same dive in the
// simulator window with graph, face and tissue bars drawn after every tick; and the tick that costs
// most, the sample tick of a dive already holding thousands of samples, computed and drawn.
#include "BenchTime.h"
#include "MainWindowBench.h"

#include "Dive.h"
#include "DiveComputerDisplayFactory.h"
#include "Profile.h"
#include "Settings.h"
#include "SimulatedDive.h"
#include "SimulationEngine.h"
#include "SimulatorDisplays.h"
#include "frmSimulator.h"

#include <QImage>
#include <QSlider>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int MODEL = 4;

// The model code of one benchmark, the program's own again afterwards.
class Model {
public:
    explicit Model(qint32 model) { Settings::instance().setCurrentDiveComputer(model); }
    ~Model() { Settings::instance().setCurrentDiveComputer(MODEL); }
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

void perTick(benchmark::State& state, int ticks) {
    state.counters["ticks"] = ticks;
    state.counters["perTick"] =
        benchmark::Counter(ticks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void threeHourDive(benchmark::State& state) {
    Model model(qint32(state.range(0)));
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
    perTick(state, THREE_HOURS);
}

// The window as the screen shows it after a tick: every display painted into one picture.
void draw(frmSimulator& window, QImage& picture) {
    window.render(&picture);
}

// The simulator window at its design size, with the face of the model.
std::unique_ptr<frmSimulator> openWindow(std::shared_ptr<Dive> dive) {
    auto window = std::make_unique<frmSimulator>(std::move(dive));
    window->sliderModTimer->setValue(SimulationEngine::SCALE_MAX);
    window->Timer1->stop(); // the benchmark ticks it
    window->show();
    return window;
}

void threeHourDiveDrawn(benchmark::State& state) {
    Model model(qint32(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<frmSimulator> window = openWindow(nullptr);
        QImage picture(window->size(), QImage::Format_ARGB32_Premultiplied);
        window->Toolbar1_ButtonClick(QStringLiteral("play"));
        state.ResumeTiming();
        for (int tick = 0; tick < THREE_HOURS; ++tick) {
            steer(window->engine(), tick);
            window->Timer1_Timer();
            draw(*window, picture);
        }
        benchmark::DoNotOptimize(picture.constBits());
        if (window->engine().samples() != THREE_HOURS / SimulationEngine::TICKS_PER_SAMPLE)
            state.SkipWithError("the dive did not take every sample");
        state.PauseTiming();
        window.reset();
        bench::closeEverything();
        state.ResumeTiming();
    }
    perTick(state, THREE_HOURS);
}

// The sample tick of a dive already holding `samples - 1` samples, engine only.
void sampleTickAt(benchmark::State& state) {
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

// The same sample tick in the window: the sample added and computed, the graph redrawn, face and
// tissue bars at the new step, the marker moved, and the window painted. The clock stops a live
// dive at 1,638 samples; a continued dive may hold up to the model's 3,000, so the window's own
// steps are taken here without the clock.
void sampleTickDrawnAt(benchmark::State& state) {
    const int samples = int(state.range(0));
    auto dive = SimulatedDive::create();
    for (int i = 1; i < samples; ++i)
        dive->addSample(i < 60 ? i * 5.0 : 300.0, 0, 0, 0);
    std::unique_ptr<frmSimulator> window = openWindow(dive);
    QImage picture(window->size(), QImage::Format_ARGB32_Premultiplied);
    SimulatorDisplays& displays = window->displays();
    for (auto _ : state) {
        dive->addSample(250, 0, 0, 0);
        window->engine().profile().compute();
        displays.updateGraph();
        displays.updateDisplay(qint16(samples));
        displays.moveDiver(qint16(samples));
        draw(*window, picture);
        benchmark::DoNotOptimize(picture.constBits());
        state.PauseTiming();
        dive->removeSample(samples);
        state.ResumeTiming();
    }
    if (displays.diverPosition() != samples)
        state.SkipWithError("the marker did not reach the new sample");
    window.reset();
    bench::closeEverything();
}

} // namespace

BENCHMARK(threeHourDive)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(2.0));
BENCHMARK(threeHourDiveDrawn)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(2.0));
BENCHMARK(sampleTickAt)->Arg(540)->Arg(3000)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(1.0));
BENCHMARK(sampleTickDrawnAt)->Arg(540)->Arg(1638)->Arg(3000)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(1.0));

int main(int argc, char** argv) {
    bench::useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    bench::GeneratedLogbook logbook(0, MODEL, 1);
    installDiveComputerDisplays();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
