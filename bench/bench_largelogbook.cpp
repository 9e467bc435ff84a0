// Start-up on a very large logbook database: 100,000 dives of the model in use in two logbooks,
// from Main() to the main window shown and painted, with the resident memory it then holds; and
// opening one of those logbooks of 50,000 dives in the tree.

#include "BenchTime.h"
#include "MainWindowBench.h"
#include "frmMain.h"

#include <QFile>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int DIVES = 100000;
constexpr int LOGBOOKS = 2;
constexpr int MODEL = 1;

// A line of /proc/self/status in megabytes ("VmRSS", "VmHWM"); 0 where there is none.
double statusMegabytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            return parts.size() >= 2 ? parts[1].toDouble() / 1024.0 : 0;
        }
    }
    return 0;
}

void BM_StartUpLarge(benchmark::State& state) {
    qint64 nodes = 0;
    double resident = 0;
    bench::timeStartUp(state, [&](frmMain& window) {
        resident = statusMegabytes("VmRSS:");
        nodes = window.tree().diveCount();
    });
    state.counters["dives in tree"] = double(nodes);
    state.counters["resident MB"] = resident;
    state.counters["peak MB"] = statusMegabytes("VmHWM:");
}

void BM_OpenLargeLogbook(benchmark::State& state) {
    frmMain* window = bench::openMainWindow();
    QTreeWidgetItem* logbook = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        window->reloadTreeView(QString());
        QCoreApplication::processEvents();
        logbook = window->tvTreeView()->topLevelItem(0)->child(0);
        state.ResumeTiming();
        logbook->setExpanded(true);
        QCoreApplication::processEvents(); // its dives painted
    }
    state.counters["dives opened"] = double(logbook ? logbook->childCount() : 0);
    state.counters["resident MB"] = statusMegabytes("VmRSS:");
    bench::closeEverything();
}

BENCHMARK(BM_StartUpLarge)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));
BENCHMARK(BM_OpenLargeLogbook)->Unit(benchmark::kMillisecond)->MinTime(benchMinTime(3.0));

} // namespace

int main(int argc, char** argv) {
    return bench::runOnGeneratedLogbook(argc, argv, DIVES, MODEL, LOGBOOKS, true);
}
