// Start-up on a large logbook: from Main() to the main window shown with its tree of 10,000 dives
// built, and a rebuild of that tree (what a download or a saved simulation costs).

#include "BenchTime.h"
#include "MainWindowBench.h"
#include "frmMain.h"

#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 5;
// Every dive in the model in use, so that every one of them becomes a node.
constexpr int MODEL = 1;

void BM_StartUp(benchmark::State& state) {
    qint64 nodes = 0;
    for (auto _ : state) {
        if (!Main())
            state.SkipWithError("start-up ended without a main window");
        QCoreApplication::processEvents(); // the first paint
        state.PauseTiming();
        if (auto* window = qobject_cast<frmMain*>(mainWindow()))
            nodes = window->tree().diveCount();
        bench::closeEverything();
        state.ResumeTiming();
    }
    state.counters["dive nodes"] = double(nodes);
}

void BM_RebuildTree(benchmark::State& state) {
    auto* window = new frmMain;
    window->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window->reloadTreeView(QString());
        QCoreApplication::processEvents();
    }
    state.counters["dive nodes"] = double(window->tree().diveCount());
    bench::closeEverything();
}

BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));
BENCHMARK(BM_RebuildTree)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));

} // namespace

int main(int argc, char** argv) {
    bench::useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    bench::GeneratedLogbook logbook(DIVES, MODEL, LOGBOOKS);
    setMainWindowFactory([] { return new frmMain; });
    Settings::release(); // start-up creates its own, as the program does
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
