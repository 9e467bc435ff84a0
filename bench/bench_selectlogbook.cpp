// Selecting a large logbook in the main window: from the click on a logbook of 10,000 dives to its
// dive list filled and the window painted, and back to the dive computer node with its logbook list.

#include "BenchTime.h"
#include "MainWindowBench.h"
#include "frmMain.h"

#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 1;
constexpr int MODEL = 1;

// The main window with its root applied, as it loads, and its first logbook.
struct Window {
    frmMain* window = bench::openMainWindow();
    QTreeWidgetItem* root = window->tvTreeView->topLevelItem(0);
    QTreeWidgetItem* logbook = root && root->childCount() > 0 ? root->child(0) : nullptr;

    void select(QTreeWidgetItem* item) {
        window->tvTreeView->setCurrentItem(item);
        QCoreApplication::processEvents(); // the list painted
    }
};

void BM_SelectLogbook(benchmark::State& state) {
    Window w;
    if (!w.logbook) {
        state.SkipWithError("no logbook in the tree");
        return;
    }
    for (auto _ : state) {
        w.select(w.logbook);
        state.PauseTiming();
        w.select(w.root);
        state.ResumeTiming();
    }
    state.counters["dives listed"] = double(w.window->tree().logbooks.value(0).dives.size());
    bench::closeEverything();
}

void BM_SelectRoot(benchmark::State& state) {
    Window w;
    if (!w.logbook) {
        state.SkipWithError("no logbook in the tree");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.select(w.logbook);
        state.ResumeTiming();
        w.select(w.root);
    }
    bench::closeEverything();
}

BENCHMARK(BM_SelectLogbook)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));
BENCHMARK(BM_SelectRoot)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(1.0));

} // namespace

int main(int argc, char** argv) {
    return bench::runOnGeneratedLogbook(argc, argv, DIVES, MODEL, LOGBOOKS);
}
