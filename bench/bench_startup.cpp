// Start-up on a large logbook: from Main() to the main window shown with its tree of 10,000 dives
// built, and a rebuild of that tree (what a download or a saved simulation costs).

#include "Database.h"
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
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int DIVES = 10000;
constexpr int LOGBOOKS = 5;
// Every dive in the model in use, so that every one of them becomes a node.
constexpr int MODEL = 1;

// Nothing may wait for a person here; a message would mean the start went wrong.
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

void closeEverything() {
    unloadAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_StartUp(benchmark::State& state) {
    qint64 nodes = 0;
    for (auto _ : state) {
        if (!Main())
            state.SkipWithError("start-up ended without a main window");
        QCoreApplication::processEvents(); // the first paint
        state.PauseTiming();
        if (auto* window = qobject_cast<frmMain*>(mainWindow()))
            nodes = window->tree().diveCount();
        closeEverything();
        state.ResumeTiming();
    }
    state.counters["dive nodes"] = double(nodes);
}

void BM_RebuildTree(benchmark::State& state) {
    auto* window = new frmMain;
    window->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window->reloadTreeView(QString());
        QCoreApplication::processEvents();
    }
    state.counters["dive nodes"] = double(window->tree().diveCount());
    closeEverything();
}

BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_RebuildTree)->Unit(benchmark::kMillisecond)->MinTime(3.0);

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
    setMainWindowFactory([] { return new frmMain; });
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
    Settings::release();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Settings::release();
    return 0;
}
