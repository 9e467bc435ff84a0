// Loading large logbooks through the dive queries: 10,000 and 100,000 dives with one-hour profiles,
// each beside its floor, the same statements read bare.

#include "BenchTime.h"
#include "Database.h"
#include "Dive.h"
#include "DiveGenerator.h"
#include "DiveModule.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SqlFloor.h"
#include "SqlScript.h"
#include "Workspace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int LOGBOOKS = 5;
// The air-integrated model: its 20-character records make the largest profile texts.
constexpr int MODEL = 8;
const QString SELECT_STAR = QStringLiteral("SELECT * FROM DIVE, FILE WHERE FILE.FILE_ID = DIVE.FILE_ID");

// A program folder holding a generated logbook file of `dives` one-hour dives.
class Logbook {
public:
    explicit Logbook(int dives) {
        use();
        const QString path = Settings::instance().databaseName();
        SqlScript::createDatabase(path, SqlScript::currentSchema());
        Database db = Workspace::defaultWorkspace().openDatabase(path);
        DiveGenerator::Options options;
        options.dives = dives;
        options.models = {MODEL};
        options.logbooksPerModel = LOGBOOKS;
        options.minMinutes = options.maxMinutes = 60;
        QElapsedTimer timer;
        timer.start();
        DiveGenerator(1).fill(db, options);
        std::printf("Generated %d one-hour dives of model %d in %lld ms\n", dives, MODEL,
                    static_cast<long long>(timer.elapsed()));
    }

    // Makes this folder the program's.
    void use() {
        if (Settings::exists() && qEnvironmentVariable("SONA_HOME") == m_home.path())
            return;
        Settings::release();
        SettingsStore::setLocation(m_home.path());
        SettingsStore::setValue(QStringLiteral("DiveComputer"), QString::number(MODEL));
        qputenv("SONA_HOME", m_home.path().toUtf8());
    }

private:
    QTemporaryDir m_home;
};

std::map<int, std::unique_ptr<Logbook>>& logbooks() {
    static std::map<int, std::unique_ptr<Logbook>> made;
    return made;
}

// Every dive, logbook by logbook, newest first: what printing a logbook or scrolling through it costs.
qint64 loadLogbooks(bool withInfo) {
    qint64 dives = 0;
    for (qint32 logbook = 1; logbook <= LOGBOOKS; ++logbook)
        dives += DiveModule::loadLogbookDives(logbook, withInfo, Settings::instance().currentFilter()).size();
    return dives;
}

// The resident memory of the process, in MiB.
double residentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// The resident memory while the dives of the last load are held.
double& heldMiB() {
    static double held = 0;
    return held;
}

// The same dives through a caller's own "SELECT *" statement: every column, the picture included.
qint64 loadSelectStar() {
    const DiveList loaded = DiveModule::loadDives(SELECT_STAR, true);
    benchmark::DoNotOptimize(loaded.data());
    heldMiB() = residentMiB();
    return loaded.size();
}

QString caseName(const char* load, int dives, int withInfo = -1) {
    QString name = QStringLiteral("%1/dives:%2").arg(QLatin1String(load)).arg(dives);
    if (withInfo >= 0)
        name += QStringLiteral("/withInfo:%1").arg(withInfo);
    return name;
}

void BM_LoadLogbooks(benchmark::State& state) {
    const int size = int(state.range(0));
    const bool withInfo = state.range(1) != 0;
    logbooks().at(size)->use();
    bench::RatioToFloor ratio(state, caseName("BM_LoadLogbooks", size, int(withInfo)));
    qint64 dives = 0;
    for (auto _ : state)
        ratio.time([&] { dives = loadLogbooks(withInfo); });
    state.counters["dives"] = double(dives);
}

void BM_LoadSelectStar(benchmark::State& state) {
    const int size = int(state.range(0));
    logbooks().at(size)->use();
    bench::RatioToFloor ratio(state, caseName("BM_LoadSelectStar", size));
    qint64 dives = 0;
    for (auto _ : state)
        ratio.time([&] { dives = loadSelectStar(); });
    state.counters["dives"] = double(dives);
    state.counters["held_rss_mib"] = heldMiB();
}

// The floors. Their statements are caught on a small logbook of the same keys, so that every case
// meets its first repetition in a process that has not loaded dives yet.
std::map<QString, std::unique_ptr<bench::SqlFloor>>& floors() {
    static std::map<QString, std::unique_ptr<bench::SqlFloor>> caught;
    return caught;
}

template <typename Work> void addFloor(Logbook& small, const QString& name, const QString& path, Work&& work) {
    auto floor = std::make_unique<bench::SqlFloor>(name, path);
    small.use();
    Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
    floor->catchStatements(db, work);
    benchmark::RegisterBenchmark(qPrintable(QStringLiteral("Floor/") + name), bench::runFloor, floor.get())
        ->Unit(benchmark::kMillisecond)
        ->MinTime(benchMinTime(2.0));
    floors()[name] = std::move(floor);
}

void registerCases(int size, Logbook& small) {
    logbooks().at(size)->use();
    const QString path = Settings::instance().databaseName();
    for (int withInfo = 0; withInfo <= 1; ++withInfo) {
        addFloor(small, caseName("BM_LoadLogbooks", size, withInfo), path, [withInfo] { loadLogbooks(withInfo != 0); });
        benchmark::RegisterBenchmark("BM_LoadLogbooks", BM_LoadLogbooks)
            ->ArgNames({"dives", "withInfo"})
            ->Args({size, withInfo})
            ->Unit(benchmark::kMillisecond)
            ->MinTime(benchMinTime(2.0));
    }
    addFloor(small, caseName("BM_LoadSelectStar", size), path, [] { loadSelectStar(); });
    benchmark::RegisterBenchmark("BM_LoadSelectStar", BM_LoadSelectStar)
        ->ArgName("dives")
        ->Arg(size)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(benchMinTime(2.0));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // SONA_BENCH_DIVES=10000 runs one size only.
    QList<int> sizes = {10000, 100000};
    if (const int only = qEnvironmentVariableIntValue("SONA_BENCH_DIVES"); only > 0)
        sizes = {only};
    for (const int size : sizes)
        logbooks()[size] = std::make_unique<Logbook>(size);
    Logbook small(2 * LOGBOOKS);
    for (const int size : sizes)
        registerCases(size, small);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Settings::release();
    floors().clear();
    logbooks().clear();
    return 0;
}
