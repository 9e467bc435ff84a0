// Selecting a large logbook in the main window: from the click on a logbook of 10,000 dives to its
// dive list filled and the window painted, and back to the dive computer node with its logbook list.

#include "BenchTime.h"
#include "MainWindowBench.h"
#include "SqlFloor.h"
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
    QTreeWidgetItem* root = window->tvTreeView()->topLevelItem(0);
    QTreeWidgetItem* logbook = root && root->childCount() > 0 ? root->child(0) : nullptr;

    void select(QTreeWidgetItem* item) {
        window->tvTreeView()->setCurrentItem(item);
        QCoreApplication::processEvents(); // the list painted
    }
};

const QString SELECT_LOGBOOK = QStringLiteral("BM_SelectLogbook");

void BM_SelectLogbook(benchmark::State& state) {
    Window w;
    if (!w.logbook) {
        state.SkipWithError("no logbook in the tree");
        return;
    }
    bench::RatioToFloor ratio(state, SELECT_LOGBOOK);
    for (auto _ : state) {
        ratio.time([&] { w.select(w.logbook); });
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

// The statements of one selection of the logbook, caught on the window's own connection.
std::unique_ptr<bench::SqlFloor> catchFloor() {
    const QString path = Settings::instance().databaseName();
    auto floor = std::make_unique<bench::SqlFloor>(SELECT_LOGBOOK, path);
    {
        Window w;
        if (w.logbook)
            floor->catchStatements(Workspace::defaultWorkspace().openDatabase(path), [&] { w.select(w.logbook); });
    }
    bench::closeEverything();
    return floor;
}

} // namespace

int main(int argc, char** argv) {
    bench::useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    bench::GeneratedLogbook logbook(DIVES, MODEL, LOGBOOKS);
    const std::unique_ptr<bench::SqlFloor> floor = catchFloor();
    benchmark::RegisterBenchmark("Floor/BM_SelectLogbook", bench::runFloor, floor.get())
        ->Unit(benchmark::kMillisecond)
        ->MinTime(benchMinTime(2.0));
    benchmark::RegisterBenchmark("BM_SelectLogbook", BM_SelectLogbook)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(benchMinTime(3.0));
    benchmark::RegisterBenchmark("BM_SelectRoot", BM_SelectRoot)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(benchMinTime(1.0));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
