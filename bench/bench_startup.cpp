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
    bench::timeStartUp(state, [&nodes](frmMain& window) { nodes = window.tree().diveCount(); });
    state.counters["dive nodes"] = double(nodes);
}

void BM_RebuildTree(benchmark::State& state) {
    frmMain* window = bench::openMainWindow();
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
    return bench::runOnGeneratedLogbook(argc, argv, DIVES, MODEL, LOGBOOKS, true);
}
