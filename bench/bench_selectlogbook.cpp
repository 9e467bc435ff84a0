// Selecting a large logbook in the main window: from the click on a logbook of 10,000 dives to its
// dive list filled and the window painted, and back to the dive computer node with its logbook list.

#include "BenchTime.h"
#include "MainWindowBench.h"
#include "TreeNodeKey.h"
#include "frmMain.h"

#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 1;
constexpr int MODEL = 1;

// The first logbook of the tree, the root of which is applied when the window loads.
QTreeWidgetItem* firstLogbook(frmMain* window) {
    QTreeWidgetItem* root = window->tvTreeView->topLevelItem(0);
    return root && root->childCount() > 0 ? root->child(0) : nullptr;
}

void BM_SelectLogbook(benchmark::State& state) {
    auto* window = new frmMain;
    window->show();
    QCoreApplication::processEvents();
    QTreeWidgetItem* root = window->tvTreeView->topLevelItem(0);
    QTreeWidgetItem* logbook = firstLogbook(window);
    if (!logbook) {
        state.SkipWithError("no logbook in the tree");
        return;
    }
    for (auto _ : state) {
        window->tvTreeView->setCurrentItem(logbook);
        QCoreApplication::processEvents(); // the list painted
        state.PauseTiming();
        window->tvTreeView->setCurrentItem(root);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    window->tvTreeView->setCurrentItem(logbook);
    state.counters["dives listed"] = double(window->tree().logbooks.value(0).dives.size());
    bench::closeEverything();
}

void BM_SelectRoot(benchmark::State& state) {
    auto* window = new frmMain;
    window->show();
    QCoreApplication::processEvents();
    QTreeWidgetItem* root = window->tvTreeView->topLevelItem(0);
    QTreeWidgetItem* logbook = firstLogbook(window);
    if (!logbook) {
        state.SkipWithError("no logbook in the tree");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        window->tvTreeView->setCurrentItem(logbook);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->tvTreeView->setCurrentItem(root);
        QCoreApplication::processEvents();
    }
    bench::closeEverything();
}

BENCHMARK(BM_SelectLogbook)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));
BENCHMARK(BM_SelectRoot)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(1.0));

} // namespace

int main(int argc, char** argv) {
    bench::useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    bench::GeneratedLogbook logbook(DIVES, MODEL, LOGBOOKS);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
