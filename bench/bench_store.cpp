// The store step of a download: 1,000 decoded dives with 45-minute profiles appended to a new
// logbook in one transaction, as the download dialog has its driver do.

#include "BenchTime.h"
#include "Database.h"
#include "Dive.h"
#include "DiveGenerator.h"
#include "DownloadDriver.h"
#include "DownloadProgress.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SqlScript.h"
#include "Workspace.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int DIVES = 1000;
constexpr int MINUTES = 45;

class NoEvents : public EventPump {
public:
    void processEvents() override {}
};

class Bar : public DownloadProgress {
public:
    void setMax(int m) override { m_max = m; }
    int max() const override { return m_max; }
    void setMin(int m) override { m_min = m; }
    int min() const override { return m_min; }
    void setValue(int v) override { m_value = v; }
    int value() const override { return m_value; }

private:
    int m_max = 0;
    int m_min = 0;
    int m_value = 0;
};

QTemporaryDir* home = nullptr;
int databases = 0; // each run of the benchmark writes new files

// What a device of the model would deliver, decoded: the Kobi's every fourth dive a free-dive session.
std::vector<Dive> downloadedDives(qint32 model) {
    Settings::instance().setCurrentDiveComputer(model);
    DiveGenerator generator(2004);
    std::vector<Dive> dives;
    dives.reserve(DIVES);
    QDateTime start(QDate(2020, 1, 1), QTime(9, 0));
    for (int n = 0; n < DIVES; ++n) {
        start = start.addSecs(7 * 3600);
        if (ModelCodes::model(model) == ModelCode::dcKOBI && n % 4 == 3) {
            dives.push_back(*generator.freeDiveSession(start, 6, n == 3).dive);
            continue;
        }
        const DiveGenerator::Generated generated = generator.scubaDive(model, start, MINUTES);
        QVariantList tissues;
        const bool eleven = ModelCodes::hasElevenTissues(model);
        for (int t = 0; t < (eleven ? 11 : 10); ++t)
            tissues << double(generated.tissueColumns[size_t(t)]) / (eleven ? 1 : 100);
        generated.dive->setStartTissue(tissues);
        dives.push_back(*generated.dive);
    }
    return dives;
}

void BM_StoreDownload(benchmark::State& state) {
    const qint32 model = qint32(state.range(0));
    const std::vector<Dive> dives = downloadedDives(model);
    const std::unique_ptr<DownloadDriver> driver = DownloadDriver::create(model);
    Bar bar;
    qint64 logged = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = home->path() + QStringLiteral("/store%1.mdb").arg(++databases);
        SqlScript::createDatabase(path, SqlScript::currentSchema());
        state.ResumeTiming();

        Workspace& workspace = Workspace::defaultWorkspace();
        workspace.beginTrans();
        Database db = workspace.openDatabase(path);
        const qint32 logbook = DiveGenerator::addLogbook(db, QStringLiteral("Download"), model, QDateTime());
        logged += driver->appendDives(db, logbook, dives, bar).logged;
        db.close();
        workspace.commitTrans();
    }
    state.counters["dives"] = benchmark::Counter(double(logged) / double(state.iterations()));
}

BENCHMARK(BM_StoreDownload)->Arg(4)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(2.0));

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    home = &dir;
    SettingsStore::setLocation(dir.path());
    qputenv("SONA_HOME", dir.path().toUtf8());
    Seams::install(std::make_unique<NoEvents>());

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Settings::release();
    return 0;
}
