#pragma once

// What the main-window benchmarks share: a program folder of their own holding a generated logbook
// database of one model, and services that never wait for a person.

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
#include <benchmark/benchmark.h>
#include <cstdio>

namespace bench {

// A message would mean the benchmark went wrong: say so instead of waiting.
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

// Lives for the whole benchmark program; the QApplication must exist first.
class GeneratedLogbook {
public:
    GeneratedLogbook(int dives, int model, int logbooks) {
        QApplication::setQuitOnLastWindowClosed(false);
        SettingsStore::setLocation(m_home.path());
        SettingsStore::setValue(QStringLiteral("DiveComputer"), QString::number(model));
        SettingsStore::setValue(QStringLiteral("Language"), QStringLiteral("0"));
        qputenv("SONA_HOME", m_home.path().toUtf8());
        Seams::install(std::make_unique<ReportingMessages>());
        Seams::install(std::make_unique<NoBusyPointer>());
        Seams::install(std::make_unique<Events>());
        Seams::install(std::make_unique<Clock>());

        const QString path = Settings::instance().databaseName();
        SqlScript::createDatabase(path, SqlScript::currentSchema());
        Database db = Workspace::defaultWorkspace().openDatabase(path);
        DiveGenerator::Options options;
        options.dives = dives;
        options.models = {model};
        options.logbooksPerModel = logbooks;
        QElapsedTimer timer;
        timer.start();
        DiveGenerator(1).fill(db, options);
        std::printf("Generated %d dives of model %d in %d logbooks in %lld ms\n", dives, model, logbooks,
                    static_cast<long long>(timer.elapsed()));
    }
    ~GeneratedLogbook() { Settings::release(); }

private:
    QTemporaryDir m_home;
};

inline void useOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline void closeEverything() {
    unloadAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A main window on the generated logbook, shown and painted.
inline frmMain* openMainWindow() {
    auto* window = new frmMain;
    window->show();
    QCoreApplication::processEvents();
    return window;
}

// Times Main() to the main window shown and painted; `seen` looks at the window, untimed, before it
// closes.
template <typename F> void timeStartUp(benchmark::State& state, F&& seen) {
    for (auto _ : state) {
        if (!Main())
            state.SkipWithError("start-up ended without a main window");
        QCoreApplication::processEvents(); // the first paint
        state.PauseTiming();
        if (auto* window = qobject_cast<frmMain*>(mainWindow()))
            seen(*window);
        closeEverything();
        state.ResumeTiming();
    }
}

// The body of a benchmark program's main: its benchmarks run on a generated logbook. With
// `startUp`, Main() makes the program's main window as the program does.
inline int runOnGeneratedLogbook(int argc, char** argv, int dives, int model, int logbooks, bool startUp = false) {
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    GeneratedLogbook logbook(dives, model, logbooks);
    if (startUp) {
        setMainWindowFactory([] { return new frmMain; });
        Settings::release(); // start-up creates its own, as the program does
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
