#include "Dive.h"
#include "LogbookFixture.h"
#include "ModelEnvironment.h"
#include "SimulatedDive.h"
#include "SimulatorDisplays.h"
#include "TestEnvironment.h"
#include "frmSimulator.h"
#include "frmSimulatorSave.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {
// Records what the window asked of its displays, one line a call: "depth 1.25", "graph", "show 1"...
class RecordingDisplays : public SimulatorDisplays {
public:
    QWidget* graph() const override { return nullptr; }
    QWidget* face() const override { return nullptr; }
    QWidget* tissue() const override { return nullptr; }
    void addProfile(std::shared_ptr<Profile>) override { calls << QStringLiteral("profile"); }
    void resetFace() override { calls << QStringLiteral("reset"); }
    void updateGraph() override { calls << QStringLiteral("graph"); }
    void refreshGraph() override {}
    void moveDiver(qint16 step) override {
        if (!diverOn || step < 0 || step > samples())
            return;
        marker = step;
        calls << QStringLiteral("marker %1").arg(step);
        if (onDiverMovement)
            onDiverMovement(step);
    }
    void moveDiverNext() override { moveDiver(qint16(marker + 1)); }
    void moveDiverPrevious() override { moveDiver(qint16(marker - 1)); }
    qint16 diverPosition() const override { return marker; }
    void setDiverOn(bool on) override {
        diverOn = on;
        calls << QStringLiteral("diver %1").arg(on);
    }
    void setDepthChange(bool on) override { calls << QStringLiteral("editing %1").arg(on); }
    void updateDisplay(qint16 step) override { calls << QStringLiteral("show %1").arg(step); }
    void updateDepth(float metres) override { calls << QStringLiteral("depth %1").arg(metres); }
    void refreshTissue() override { calls << QStringLiteral("tissue"); }
    void floatFace(bool) override {}
    void floatTissue(bool) override {}
    bool canFloat() const override { return false; }
    void closeFloating() override { calls << QStringLiteral("close floating"); }

    std::function<int()> samples = [] { return 0; };
    QStringList calls;
    qint16 marker = 0;
    bool diverOn = true;
};

QStringList enabledRecorder(frmSimulator& w) {
    QStringList on;
    for (const char* key : {"play", "pause", "stop", "undo"}) {
        if (w.recorderButton(QLatin1String(key))->isEnabled())
            on << QLatin1String(key);
    }
    if (w.commandButton(QStringLiteral("SAVE"))->isEnabled())
        on << QStringLiteral("SAVE");
    return on;
}
} // namespace

class tst_frmSimulator : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = modelEnvironment(4); }
    void cleanup() {
        m_window.reset();
        m_logbooks.reset();
        m_env.reset();
    }

    void opening();
    void continuedDive();
    void liveDive();
    void sliders_data();
    void sliders();
    void undoToTheSurface();
    void replayAndDepthEditing();
    void limitPauses();
    void saveCommand();
    void closingClosesFloating();

private:
    frmSimulator& open(std::shared_ptr<Dive> dive = nullptr) {
        auto displays = std::make_unique<RecordingDisplays>();
        m_displays = displays.get();
        m_window = std::make_unique<frmSimulator>(std::move(dive), nullptr, std::move(displays));
        frmSimulator* w = m_window.get();
        m_displays->samples = [w] { return w->engine().samples(); };
        m_displays->calls.clear();
        return *w;
    }
    static void ticks(frmSimulator& w, int n) {
        for (int i = 0; i < n; ++i)
            w.Timer1_Timer();
    }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<LogbookFixture> m_logbooks;
    std::unique_ptr<frmSimulator> m_window;
    RecordingDisplays* m_displays = nullptr;
};

void tst_frmSimulator::opening() {
    frmSimulator& w = open();
    QCOMPARE(w.windowTitle(), QStringLiteral("Dive Simulator"));
    QCOMPARE(w.lblRealTime->text(), QStringLiteral("00:00"));
    QCOMPARE(w.lblTimer->text(), QStringLiteral("Speed: 15 m./min"));
    QCOMPARE(w.lblModTimer->text(), QStringLiteral("Timer: Normal"));
    QCOMPARE(w.Timer1->interval(), 1000);
    QVERIFY(w.Timer1->isActive());
    QCOMPARE(enabledRecorder(w), QStringList{"play"});
    QCOMPARE(w.recorderButton(QStringLiteral("play"))->toolTip(), QStringLiteral("Play"));
    QCOMPARE(w.btnStepDown->toolTip(), QStringLiteral("Descent"));
}

void tst_frmSimulator::continuedDive() {
    auto dive = SimulatedDive::create();
    for (int i = 0; i < 30; ++i)
        dive->addSample(100, 0, 0, 0);
    frmSimulator& w = open(dive);
    QCOMPARE(w.lblRealTime->text(), QStringLiteral("10:00"));
    QCOMPARE(enabledRecorder(w), (QStringList{"play", "undo", "SAVE"}));
    QCOMPARE(w.engine().liveDepth(), 0.0f);
}

void tst_frmSimulator::liveDive() {
    frmSimulator& w = open();
    ticks(w, 3);
    QVERIFY(m_displays->calls.isEmpty()); // paused: the timer does nothing

    w.Toolbar1_ButtonClick(QStringLiteral("play"));
    QCOMPARE(enabledRecorder(w), (QStringList{"pause", "stop"}));
    w.btnStepDown->click();
    ticks(w, 4);
    QCOMPARE(m_displays->calls,
             (QStringList{"depth 1.25", "depth 2.5", "depth 3.75", "graph", "show 1", "marker 1", "show 1"}));
    QCOMPARE(w.lblRealTime->text(), QStringLiteral("00:20"));
    QCOMPARE(enabledRecorder(w), QStringList{"pause"});

    // Ascent releases descent; both toggles never stay down together.
    w.btnStepUp->click();
    QVERIFY(!w.btnStepDown->isChecked());
    QVERIFY(w.engine().isAscending());
    ticks(w, 4);
    QCOMPARE(w.engine().liveDepth(), 0.0f);
    QCOMPARE(enabledRecorder(w), (QStringList{"pause", "stop"}));

    // SAVE does nothing while playing, whatever reaches the handler.
    w.toolbarLeft_ButtonClick(QStringLiteral("SAVE"));
    w.Toolbar1_ButtonClick(QStringLiteral("stop"));
    QCOMPARE(enabledRecorder(w), (QStringList{"play", "undo", "SAVE"}));
    QCOMPARE(w.engine().dive()->getSamplesCount(), qint16(2));
}

void tst_frmSimulator::sliders_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("speedLabel");
    QTest::addColumn<QString>("scaleLabel");
    QTest::addColumn<int>("interval");
    QTest::newRow("slowest ends") << 1 << 100 << "Speed: 1 m./min"
                                  << "Timer: Normal" << 1000;
    QTest::newRow("fastest ends") << 100 << 1000 << "Speed: 100 m./min"
                                  << "Timer: 10x" << 100;
    QTest::newRow("below the range") << -5 << 0 << "Speed: 1 m./min"
                                     << "Timer: Normal" << 1000;
    QTest::newRow("above the range") << 500 << 5000 << "Speed: 100 m./min"
                                     << "Timer: 10x" << 100;
    QTest::newRow("in between") << 60 << 700 << "Speed: 60 m./min"
                                << "Timer: 7x" << 400;
}

void tst_frmSimulator::sliders() {
    QFETCH(int, speed);
    QFETCH(int, scale);
    frmSimulator& w = open();
    w.sliderVelocity->setValue(speed);
    w.sliderModTimer->setValue(scale);
    QTEST(w.lblTimer->text(), "speedLabel");
    QTEST(w.lblModTimer->text(), "scaleLabel");
    QTEST(w.Timer1->interval(), "interval");
}

void tst_frmSimulator::undoToTheSurface() {
    frmSimulator& w = open();
    w.Toolbar1_ButtonClick(QStringLiteral("play"));
    w.btnStepDown->click();
    ticks(w, 9);
    w.Toolbar1_ButtonClick(QStringLiteral("pause"));
    m_displays->calls.clear();

    w.Toolbar1_ButtonClick(QStringLiteral("undo"));
    QCOMPARE(w.lblRealTime->text(), QStringLiteral("00:25"));
    QCOMPARE(w.engine().liveDepth(), 10.0f);
    QCOMPARE(m_displays->calls.mid(0, 2), (QStringList{"graph", "show 1"}));

    m_displays->calls.clear();
    w.Toolbar1_ButtonClick(QStringLiteral("undo"));
    QCOMPARE(m_displays->calls, (QStringList{"graph", "diver 0", "reset", "tissue"}));
    QCOMPARE(enabledRecorder(w), (QStringList{"play", "undo"}));
    w.Toolbar1_ButtonClick(QStringLiteral("undo"));
    QCOMPARE(w.lblRealTime->text(), QStringLiteral("00:00"));
    QCOMPARE(w.engine().liveDepth(), 0.0f);
}

void tst_frmSimulator::replayAndDepthEditing() {
    auto dive = SimulatedDive::create();
    for (int i = 0; i < 12; ++i)
        dive->addSample(100 + i, 0, 0, 0);
    frmSimulator& w = open(dive);
    w.Toolbar1_ButtonClick(QStringLiteral("LAST"));
    QCOMPARE(m_displays->marker, qint16(12));
    w.Toolbar1_ButtonClick(QStringLiteral("PREVIOUS"));
    QCOMPARE(m_displays->marker, qint16(11));
    w.Toolbar1_ButtonClick(QStringLiteral("FIRST"));
    QCOMPARE(m_displays->marker, qint16(0));
    QCOMPARE(m_displays->calls.last(), QStringLiteral("show 0"));

    w.commandButton(QStringLiteral("DEPTH_CHANGE"))->setChecked(true);
    w.toolbarLeft_ButtonClick(QStringLiteral("DEPTH_CHANGE"));
    for (const char* key : {"FIRST", "PREVIOUS", "NEXT", "LAST"})
        QVERIFY(!w.recorderButton(QLatin1String(key))->isEnabled());
    m_displays->calls.clear();
    m_displays->onDepthChange(250, 3);
    QCOMPARE(dive->getSampleDepth(3), 25.0f);
    QCOMPARE(m_displays->calls, (QStringList{"graph", "show 3"}));
    QCOMPARE(w.lblRealTime->text(), QStringLiteral("04:00"));
    m_displays->onDepthChange(250, 13); // no such sample: nothing changes
    QCOMPARE(dive->getSamplesCount(), qint16(12));

    w.commandButton(QStringLiteral("DEPTH_CHANGE"))->setChecked(false);
    w.toolbarLeft_ButtonClick(QStringLiteral("DEPTH_CHANGE"));
    for (const char* key : {"FIRST", "PREVIOUS", "NEXT", "LAST"})
        QVERIFY(w.recorderButton(QLatin1String(key))->isEnabled());
}

void tst_frmSimulator::limitPauses() {
    m_env->storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("1"));
    m_env->restart();
    auto dive = SimulatedDive::create();
    for (int i = 0; i < 900; ++i)
        dive->addSample(100, 0, 0, 0);
    frmSimulator& w = open(dive);
    w.Toolbar1_ButtonClick(QStringLiteral("play"));
    m_env->fakes.message->answers.append(Msg::Ok);
    ticks(w, 4);
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    QVERIFY(m_env->fakes.message->shown.at(0).text.contains(QLatin1String("longest possible duration")));
    QCOMPARE(enabledRecorder(w), (QStringList{"play", "stop", "undo", "SAVE"}));
    QCOMPARE(dive->getSamplesCount(), qint16(900));
    ticks(w, 4); // paused: no second message
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
}

void tst_frmSimulator::saveCommand() {
    m_logbooks = std::make_unique<LogbookFixture>();
    const qint32 logbook = m_logbooks->logbook(QStringLiteral("Sim"), 4);
    frmSimulator& w = open();
    QSignalSpy saved(&w, &frmSimulator::simulationSaved);
    w.Toolbar1_ButtonClick(QStringLiteral("play"));
    w.btnStepDown->click();
    ticks(w, 8);
    w.Toolbar1_ButtonClick(QStringLiteral("pause"));

    // Cancelled first: nothing saved, the main window is told all the same.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<frmSimulatorSave*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->btnCancel_Click();
    });
    w.toolbarLeft_ButtonClick(QStringLiteral("SAVE"));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.at(0).at(0).toString(), QString());
    QVERIFY(!w.bSimulationSaved);

    QTimer::singleShot(0, [logbook] {
        auto* dialog = qobject_cast<frmSimulatorSave*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QTreeWidgetItem* node = dialog->node(QStringLiteral("LB%1").arg(logbook));
        dialog->tvTreeView->setCurrentItem(node);
        dialog->btnOk_Click();
    });
    m_env->fakes.message->answers.append(Msg::Yes);
    w.toolbarLeft_ButtonClick(QStringLiteral("SAVE"));
    QCOMPARE(saved.size(), 2);
    QVERIFY(!w.diveID.isEmpty());
    QCOMPARE(saved.at(1).at(0).toString(), w.diveID);
    QCOMPARE(w.logbookID, QString::number(logbook));
    QCOMPARE(m_logbooks->column(w.diveID.toInt(), QStringLiteral("DIVE_TIME")).toInt(), 1);
    QCOMPARE(m_logbooks->column(w.diveID.toInt(), QStringLiteral("MAX_DEPTH")).toDouble(), 10.0);
}

void tst_frmSimulator::closingClosesFloating() {
    frmSimulator& w = open();
    w.show();
    w.close();
    QVERIFY(m_displays->calls.contains(QStringLiteral("close floating")));
    QVERIFY(!w.Timer1->isActive());
}

QTEST_MAIN(tst_frmSimulator)
#include "tst_frmsimulator.moc"
