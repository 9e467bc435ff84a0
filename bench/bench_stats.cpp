// Statistics of every page over a generated logbook of 10,000 dives, the query included: what the
// user waits for between choosing Statistics and seeing the window (the window itself computes the
// pages one by one, so this is the most it ever waits for).

#include "BenchTime.h"
#include "MainWindowBench.h"
#include "StatsPages.h"
#include "StatsQuery.h"
#include "StatsScope.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 10;

// Each run covers the dives of one model: 8 (air-integrated, its profile texts read for the
// consumption figures), 1 and 32.
void BM_AllStatistics(benchmark::State& state) {
    Settings& settings = Settings::instance();
    settings.setCurrentDiveComputer(qint32(state.range(0)));
    size_t dives = 0;
    for (auto _ : state) {
        Database db = Workspace::defaultWorkspace().openDatabase(settings.databaseName());
        const auto rows = StatsQuery::read(db, StatsScope::ALL_LOGBOOKS, -1, settings.currentDiveComputer(),
                                           settings.isCurrentDiveComputerAir());
        const StatsPages::StatsFigures figures = StatsPages::computeAll(rows);
        benchmark::DoNotOptimize(figures.history.totDives.size());
        dives = rows.size();
    }
    state.counters["dives"] = double(dives);
}

BENCHMARK(BM_AllStatistics)->Arg(8)->Arg(1)->Arg(32)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(2.0));

} // namespace

int main(int argc, char** argv) {
    bench::useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    bench::GeneratedLogbook logbook(DIVES, 8, LOGBOOKS);
    // The same logbook file holds as many dives of the other two models.
    Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
    DiveGenerator::Options options;
    options.dives = DIVES;
    options.logbooksPerModel = LOGBOOKS;
    options.models = {1};
    DiveGenerator(2).fill(db, options);
    options.models = {32};
    DiveGenerator(3).fill(db, options);
    db.close();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
