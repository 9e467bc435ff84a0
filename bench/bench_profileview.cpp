// What a diver waits for when a dive is shown and replayed: loading a dive of 3,000 samples (the most
// the RGBM model holds), computing it and drawing graph and tissue display once; then one replay
// step, the marker moved and the tissue bars redrawn, as holding the Next key repeats it.
#include "BenchTime.h"
#include "MainWindowBench.h"

#include "DisplayTissue.h"
#include "Dive.h"
#include "DiveGraph.h"
#include "DiveModule.h"
#include "ProfileReplay.h"
#include "ProfileText.h"
#include "PropertyBag.h"
#include "Recordset.h"
#include "SqlDates.h"

#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int MODEL = 4;
constexpr int SAMPLES = 3000;

// The dive's key, stored once.
qint32 g_diveID = 0;

qint32 storeLongDive() {
    Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
    const QDateTime start(QDate(2024, 6, 1), QTime(8, 0));
    const qint32 logbook = DiveGenerator::addLogbook(db, QStringLiteral("Long dives"), MODEL, start);
    DiveGenerator::Generated generated = DiveGenerator(7).scubaDive(MODEL, start, SAMPLES / 3);
    Dive& dive = *generated.dive;
    while (dive.getSamplesCount() > SAMPLES)
        dive.removeSample(dive.getSamplesCount());
    while (dive.getSamplesCount() < SAMPLES)
        dive.addSample(30, 0, 0, 0);
    db.execute(
        QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME, DIVE_TIME, MAX_DEPTH, SAMPLE) VALUES (?, ?, ?, ?, ?)"),
        {logbook, SqlDates::toStored(start), SAMPLES / 3, dive.getMaxDepth(),
         ProfileText::write(dive, ProfileText::writeLayout())});
    Recordset last(db, QStringLiteral("SELECT MAX(DIVE_ID) FROM DIVE"));
    return last.value(0).toInt();
}

// The profile window's displays at its designed proportions.
struct Displays {
    Displays() {
        PropertyBag surface;
        surface.write(QStringLiteral("ScaleMode"), DiveGraph::SCALE_TWIPS, {});
        graph.readProperties(surface);
        graph.resize(540, 520);
        tissue.resize(260, 160);
    }
    QWidget host;
    DiveGraph graph{&host};
    DisplayTissue tissue{&host};
    ProfileReplay replay{&graph, &tissue};
};

void BM_ShowDive(benchmark::State& state) {
    Displays d;
    for (auto _ : state) {
        std::shared_ptr<Dive> dive = DiveModule::loadDive(g_diveID, false);
        d.replay.showDive(std::move(dive), nullptr, true);
        benchmark::DoNotOptimize(d.graph.pointCount());
    }
    if (d.graph.pointCount() != SAMPLES + 1)
        state.SkipWithError("the dive was not drawn whole");
}
BENCHMARK(BM_ShowDive)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(2.0));

void BM_ReplayStep(benchmark::State& state) {
    Displays d;
    d.replay.showDive(DiveModule::loadDive(g_diveID, false), nullptr, true);
    for (auto _ : state) {
        d.graph.moveDiverNext();
        if (d.graph.getCurrentDiverPosition() >= SAMPLES)
            d.graph.moveDiver(0);
    }
    if (d.tissue.lastStep() != d.graph.getCurrentDiverPosition())
        state.SkipWithError("the tissue display did not follow");
}
BENCHMARK(BM_ReplayStep)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(1.0));

} // namespace

int main(int argc, char** argv) {
    bench::useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    bench::GeneratedLogbook logbook(0, MODEL, 1);
    g_diveID = storeLongDive();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
