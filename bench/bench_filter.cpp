// Filtering a large logbook: from the filter confirmed to the main window rebuilt on 10,000 dives
// (the rows read anew, the tree, the lists and the calendar), and switching the filter off again.

#include "BenchTime.h"
#include "DiveFilter.h"
#include "MainWindowBench.h"
#include "frmMain.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 5;
constexpr int MODEL = 1;

// What the filter dialog stores for no-decompression dives between 10 and 30 metres: about seven in
// ten of the generated dives pass.
QString noDecoBetween10And30() {
    DiveFilterCriteria criteria;
    criteria.diveType = DiveFilterCriteria::NoDecoDives;
    criteria.byDepth = true;
    criteria.startDepth = QStringLiteral("10");
    criteria.stopDepth = QStringLiteral("30");
    return buildDiveFilter(criteria, Settings::instance().defaultFilter()).statement;
}

void applyFilter(benchmark::State& state, const QString& statement) {
    frmMain* window = bench::openMainWindow();
    for (auto _ : state) {
        Settings::instance().setCurrentFilter(statement);
        window->refreshMainWindow();
        QCoreApplication::processEvents();
    }
    state.counters["dive nodes"] = double(window->tree().diveCount());
    bench::closeEverything();
}

void BM_FilterOn(benchmark::State& state) {
    applyFilter(state, noDecoBetween10And30());
}

void BM_FilterOff(benchmark::State& state) {
    applyFilter(state, Settings::instance().defaultFilter() + Settings::UNFILTERED_ORDER);
}

BENCHMARK(BM_FilterOn)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));
BENCHMARK(BM_FilterOff)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));

} // namespace

int main(int argc, char** argv) {
    return bench::runOnGeneratedLogbook(argc, argv, DIVES, MODEL, LOGBOOKS);
}
