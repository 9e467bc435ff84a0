// Statistics of every page over a generated logbook of 10,000 dives, the query included: what the
// user waits for between choosing Statistics and seeing the window (the window itself computes the
// pages one by one, so this is the most it ever waits for).

#include "BenchTime.h"
#include "MainWindowBench.h"
#include "SqlFloor.h"
#include "StatsPages.h"
#include "StatsQuery.h"
#include "StatsScope.h"

#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 10;

const int MODELS[] = {8, 1, 32};

QString caseName(int model) {
    return QStringLiteral("BM_AllStatistics/%1").arg(model);
}

// The dives of every logbook of the model, read and counted on every page.
size_t allStatistics() {
    const Settings& settings = Settings::instance();
    Database db = Workspace::defaultWorkspace().openDatabase(settings.databaseName());
    const auto rows = StatsQuery::read(db, StatsScope::ALL_LOGBOOKS, -1, settings.currentDiveComputer(),
                                       settings.isCurrentDiveComputerAir());
    const StatsPages::StatsFigures figures = StatsPages::computeAll(rows);
    benchmark::DoNotOptimize(figures.history.totDives.size());
    return rows.size();
}

// Each run covers the dives of one model: 8 (air-integrated, its profile texts read for the
// consumption figures), 1 and 32.
void BM_AllStatistics(benchmark::State& state) {
    const int model = int(state.range(0));
    Settings::instance().setCurrentDiveComputer(model);
    bench::RatioToFloor ratio(state, caseName(model));
    size_t dives = 0;
    for (auto _ : state)
        ratio.time([&] { dives = allStatistics(); });
    state.counters["dives"] = double(dives);
}

std::map<int, std::unique_ptr<bench::SqlFloor>>& floors() {
    static std::map<int, std::unique_ptr<bench::SqlFloor>> caught;
    return caught;
}

void registerCases() {
    const QString path = Settings::instance().databaseName();
    for (const int model : MODELS) {
        auto floor = std::make_unique<bench::SqlFloor>(caseName(model), path);
        Settings::instance().setCurrentDiveComputer(model);
        floor->catchStatements(Workspace::defaultWorkspace().openDatabase(path), [] { allStatistics(); });
        benchmark::RegisterBenchmark(qPrintable(QStringLiteral("Floor/") + caseName(model)), bench::runFloor,
                                     floor.get())
            ->Unit(benchmark::kMillisecond)
            ->MinTime(benchMinTime(2.0));
        benchmark::RegisterBenchmark("BM_AllStatistics", BM_AllStatistics)
            ->Arg(model)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(benchMinTime(2.0));
        floors()[model] = std::move(floor);
    }
}

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
    registerCases();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    floors().clear();
    return 0;
}
