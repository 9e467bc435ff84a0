// Loading a large logbook through the dive queries: 10,000 dives with one-hour profiles.

#include "BenchTime.h"
#include "Database.h"
#include "Dive.h"
#include "DiveGenerator.h"
#include "DiveModule.h"
#include "HeapPolicy.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SqlScript.h"
#include "Workspace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 5;
// The air-integrated model: its 20-character records make the largest profile texts.
constexpr int MODEL = 8;

// Every dive, logbook by logbook, newest first: what printing a logbook or scrolling through it costs.
void BM_LoadLogbooks(benchmark::State& state) {
    const bool withInfo = state.range(0) != 0;
    qint64 dives = 0;
    for (auto _ : state) {
        for (qint32 logbook = 1; logbook <= LOGBOOKS; ++logbook)
            dives += DiveModule::loadLogbookDives(logbook, withInfo, Settings::instance().currentFilter()).size();
    }
    state.counters["dives"] = benchmark::Counter(double(dives) / double(state.iterations()));
}

// The same dives through a caller's own "SELECT *" statement: every column, the picture included.
void BM_LoadSelectStar(benchmark::State& state) {
    qint64 dives = 0;
    for (auto _ : state) {
        const DiveList loaded =
            DiveModule::loadDives(QStringLiteral("SELECT * FROM DIVE, FILE WHERE FILE.FILE_ID = DIVE.FILE_ID"), true);
        dives += loaded.size();
        benchmark::DoNotOptimize(loaded.data());
    }
    state.counters["dives"] = benchmark::Counter(double(dives) / double(state.iterations()));
}

BENCHMARK(BM_LoadLogbooks)
    ->ArgName("withInfo")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(benchMinTime(2.0));
BENCHMARK(BM_LoadSelectStar)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(2.0));

} // namespace

int main(int argc, char** argv) {
    // As the program runs: freed memory is kept for the next load (see HeapPolicy).
    HeapPolicy::keepFreedMemory();
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    SettingsStore::setLocation(home.path());
    SettingsStore::setValue(QStringLiteral("DiveComputer"), QString::number(MODEL));
    qputenv("SONA_HOME", home.path().toUtf8());
    {
        const QString path = Settings::instance().databaseName();
        SqlScript::createDatabase(path, SqlScript::currentSchema());
        Database db = Workspace::defaultWorkspace().openDatabase(path);
        DiveGenerator::Options options;
        options.dives = DIVES;
        options.models = {MODEL};
        options.logbooksPerModel = LOGBOOKS;
        options.minMinutes = options.maxMinutes = 60;
        QElapsedTimer timer;
        timer.start();
        DiveGenerator(1).fill(db, options);
        std::printf("Generated %d one-hour dives of model %d in %lld ms\n", DIVES, MODEL,
                    static_cast<long long>(timer.elapsed()));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Settings::release();
    return 0;
}
