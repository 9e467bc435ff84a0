// Filtering a large logbook: from the filter confirmed to the main window rebuilt on 10,000 dives
// (the rows read anew, the tree, the lists and the calendar), and switching the filter off again.

#include "Database.h"
#include "DiveFilter.h"
#include "DiveGenerator.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SqlScript.h"
#include "StartUp.h"
#include "Workspace.h"
#include "frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 5;
constexpr int MODEL = 1;

// Nothing may wait for a person here; a message would mean the filter went wrong.
class ReportingMessages : public MessageService {
public:
    int show(const QString& text, int, const QString&) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return Msg::Ok;
    }
};
class NoBusyPointer : public BusyPointer {
public:
    void setBusy(bool) override {}
};
class Events : public EventPump {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
};
class Clock : public ClockService {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

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
    auto* window = new frmMain;
    window->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        Settings::instance().setCurrentFilter(statement);
        window->refreshMainWindow();
        QCoreApplication::processEvents();
    }
    state.counters["dive nodes"] = double(window->tree().diveCount());
    unloadAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_FilterOn(benchmark::State& state) {
    applyFilter(state, noDecoBetween10And30());
}

void BM_FilterOff(benchmark::State& state) {
    applyFilter(state, Settings::instance().defaultFilter() + Settings::UNFILTERED_ORDER);
}

BENCHMARK(BM_FilterOn)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_FilterOff)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir home;
    SettingsStore::setLocation(home.path());
    SettingsStore::setValue(QStringLiteral("DiveComputer"), QString::number(MODEL));
    SettingsStore::setValue(QStringLiteral("Language"), QStringLiteral("0"));
    qputenv("SONA_HOME", home.path().toUtf8());
    Seams::install(std::make_unique<ReportingMessages>());
    Seams::install(std::make_unique<NoBusyPointer>());
    Seams::install(std::make_unique<Events>());
    Seams::install(std::make_unique<Clock>());
    {
        const QString path = Settings::instance().databaseName();
        SqlScript::createDatabase(path, SqlScript::currentSchema());
        Database db = Workspace::defaultWorkspace().openDatabase(path);
        DiveGenerator::Options options;
        options.dives = DIVES;
        options.models = {MODEL};
        options.logbooksPerModel = LOGBOOKS;
        QElapsedTimer timer;
        timer.start();
        DiveGenerator(1).fill(db, options);
        std::printf("Generated %d dives of model %d in %d logbooks in %lld ms\n", DIVES, MODEL, LOGBOOKS,
                    static_cast<long long>(timer.elapsed()));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Settings::release();
    return 0;
}
