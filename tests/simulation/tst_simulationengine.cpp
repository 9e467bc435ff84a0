#include "Dive.h"
#include "ModelEnvironment.h"
#include "Profile.h"
#include "SimulatedDive.h"
#include "SimulationEngine.h"
#include "TestEnvironment.h"
#include "diveFreeInfo.h"

#include <QtTest>
#include <memory>

using Button = SimulationEngine::Button;

namespace {
// The enabled recorder buttons as one text, in the toolbar's order: "play undo save".
QString enabledButtons(const SimulationEngine& engine) {
    const QList<QPair<Button, const char*>> names = {{Button::Play, "play"},
                                                     {Button::Pause, "pause"},
                                                     {Button::Stop, "stop"},
                                                     {Button::Undo, "undo"},
                                                     {Button::Save, "save"}};
    QStringList on;
    for (const auto& [button, name] : names) {
        if (engine.isEnabled(button))
            on.append(QLatin1String(name));
    }
    return on.join(u' ');
}

// Runs a script of blank-separated commands: play, pause, stop, undo (a trailing "!" expects the
// button to refuse), down, up, still (both toggles up), speed=N, tick or tick*N. Fails the test on
// a refusal that was not expected or an expected one that did not come.
void run(SimulationEngine& engine, const QString& script) {
    for (const QString& word : script.split(u' ', Qt::SkipEmptyParts)) {
        QString command = word;
        const bool refused = command.endsWith(u'!');
        if (refused)
            command.chop(1);
        if (command.startsWith(QLatin1String("tick"))) {
            const int times = command.contains(u'*') ? command.section(u'*', 1).toInt() : 1;
            for (int i = 0; i < times; ++i)
                engine.tick();
            continue;
        }
        if (command.startsWith(QLatin1String("speed="))) {
            engine.setSpeed(command.section(u'=', 1).toInt());
            continue;
        }
        if (command == QLatin1String("down")) {
            engine.setDescending(true);
            continue;
        }
        if (command == QLatin1String("up")) {
            engine.setAscending(true);
            continue;
        }
        if (command == QLatin1String("still")) {
            engine.setDescending(false);
            engine.setAscending(false);
            continue;
        }
        bool done = false;
        if (command == QLatin1String("play"))
            done = engine.play();
        else if (command == QLatin1String("pause"))
            done = engine.pause();
        else if (command == QLatin1String("stop"))
            done = engine.stop();
        else if (command == QLatin1String("undo"))
            done = engine.undo();
        else
            QFAIL(qPrintable(QStringLiteral("unknown command ") + command));
        QVERIFY2(done != refused, qPrintable(word));
    }
}

QString sampleDepths(const Dive& dive) {
    QStringList depths;
    for (int i = 1; i <= dive.getSamplesCount(); ++i)
        depths.append(QString::number(dive.getSampleDepth(i)));
    return depths.join(u' ');
}

std::shared_ptr<Dive> diveAtDepth(int samples, double decimetres) {
    auto dive = SimulatedDive::create();
    for (int i = 0; i < samples; ++i)
        dive->addSample(decimetres, 0, 0, 0);
    return dive;
}
} // namespace

class tst_SimulationEngine : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = modelEnvironment(4); }
    void cleanup() { m_env.reset(); }

    void script_data();
    void script();
    void elapsedTime_data();
    void elapsedTime();
    void labels_data();
    void labels();
    void toggles();
    void continuedDive();
    void undoTakesTheSampleDepthAsItIs();
    void limits_data();
    void limits();
    void replaceSample();
    void newDiveTissues_data();
    void newDiveTissues();
    void freeDiveContinuesAsScuba();
    void prepareForSave();
    void totalsFollowTheSamples();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_SimulationEngine::script_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<double>("depth");
    QTest::addColumn<QString>("samples");
    QTest::addColumn<QString>("enabled");

    QTest::newRow("opens paused at the surface") << ""
                                                 << "00:00" << 0 << 0.0 << ""
                                                 << "play";
    QTest::newRow("nothing moves while paused") << "down tick*8"
                                                << "00:00" << 0 << 0.0 << ""
                                                << "play";
    QTest::newRow("speed 15 descends 1.25 m a tick") << "play down tick*4"
                                                     << "00:20" << 4 << 5.0 << "5"
                                                     << "pause";
    QTest::newRow("a sample every fourth tick") << "play down tick*9"
                                                << "00:45" << 9 << 11.25 << "5 10"
                                                << "pause";
    QTest::newRow("descent at 100 m/min stops at 150 m") << "speed=100 play down tick*20"
                                                         << "01:40" << 20 << 150.0 << "33.3333 66.6667 100 133.333 150"
                                                         << "pause";
    QTest::newRow("speed 0 moves 1 m a tick") << "speed=0 play down tick*4"
                                              << "00:20" << 4 << 4.0 << "4"
                                              << "pause";
    QTest::newRow("ascent never goes above the surface") << "play down tick*2 up tick*4"
                                                         << "00:30" << 6 << 0.0 << "0"
                                                         << "pause stop";
    QTest::newRow("both toggles up keep the depth") << "play down tick*2 still tick*6"
                                                    << "00:40" << 8 << 2.5 << "2.5 2.5"
                                                    << "pause";
    QTest::newRow("stop enabled after a tick at 0 m") << "play down tick up tick"
                                                      << "00:10" << 2 << 0.0 << ""
                                                      << "pause stop";
    QTest::newRow("stop disabled after a tick below") << "play tick down tick"
                                                      << "00:10" << 2 << 1.25 << ""
                                                      << "pause";
    QTest::newRow("pause keeps the clock") << "play down tick*5 pause"
                                           << "00:25" << 5 << 6.25 << "5"
                                           << "play undo save";
    QTest::newRow("pause at the surface offers stop") << "play tick*5 pause"
                                                      << "00:25" << 5 << 0.0 << "0"
                                                      << "play stop undo save";
    QTest::newRow("stop at once: clock shown until the next refresh") << "play tick*2 stop"
                                                                      << "00:10" << 0 << 0.0 << ""
                                                                      << "play undo save";
    QTest::newRow("stop rounds down to the last sample") << "play tick*6 stop"
                                                         << "00:30" << 4 << 0.0 << "0"
                                                         << "play undo save";
    QTest::newRow("undo after stop refreshes the clock") << "play tick*6 stop undo"
                                                         << "00:00" << 0 << 0.0 << ""
                                                         << "play undo";
    QTest::newRow("play after stop goes on") << "play tick*6 stop play tick*4"
                                             << "00:40" << 8 << 0.0 << "0 0"
                                             << "pause stop";
    QTest::newRow("undo at 3 ticks resets clock and depth") << "play down tick*3 pause undo"
                                                            << "00:00" << 0 << 0.0 << ""
                                                            << "play undo";
    QTest::newRow("undo at 0 ticks removes nothing") << "play pause undo"
                                                     << "00:00" << 0 << 0.0 << ""
                                                     << "play stop undo";
    QTest::newRow("undo after 9 ticks with samples at 5 and 10 m") << "play down tick*9 pause undo"
                                                                   << "00:25" << 5 << 10.0 << "5"
                                                                   << "play undo save";
    QTest::newRow("undo of the only sample disables save") << "play down tick*4 pause undo"
                                                           << "00:00" << 0 << 5.0 << ""
                                                           << "play undo";
    QTest::newRow("undo twice") << "play down tick*8 pause undo undo"
                                << "00:00" << 0 << 5.0 << ""
                                << "play undo";
    QTest::newRow("every button refused where disabled")
        << "pause! stop! undo! play play! undo! down tick stop! pause pause!"
        << "00:05" << 1 << 1.25 << ""
        << "play undo";
    QTest::newRow("undo refused while playing") << "play tick*4 undo!"
                                                << "00:20" << 4 << 0.0 << "0"
                                                << "pause stop";
}

void tst_SimulationEngine::script() {
    QFETCH(QString, script);
    QFETCH(double, depth);
    SimulationEngine engine(nullptr);
    run(engine, script);
    if (QTest::currentTestFailed())
        return;
    QTEST(engine.elapsedTimeText(), "clock");
    QTEST(engine.tickCount(), "ticks");
    QCOMPARE(double(engine.liveDepth()), depth);
    QTEST(sampleDepths(*engine.dive()), "samples");
    QTEST(enabledButtons(engine), "enabled");
    QCOMPARE(engine.samples(), engine.tickCount() / 4);
    QCOMPARE(engine.profile().wasElaborated(), true);
}

void tst_SimulationEngine::elapsedTime_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0 << "00:00";
    QTest::newRow("5 min 35 s") << 67 << "05:35";
    QTest::newRow("ten minutes") << 120 << "10:00";
    QTest::newRow("125 min 5 s") << 1501 << "125:05";
    QTest::newRow("last time of the clock") << 6553 << "546:05";
}

void tst_SimulationEngine::elapsedTime() {
    QFETCH(int, ticks);
    QTEST(SimulationEngine::elapsedTimeText(ticks), "text");
}

void tst_SimulationEngine::labels_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("interval");
    QTest::newRow("slowest") << 100 << "Timer: Normal" << 1000;
    QTest::newRow("700 reads 7x") << 700 << "Timer: 7x" << 400;
    QTest::newRow("799 reads 7x") << 799 << "Timer: 7x" << 301;
    QTest::newRow("fastest") << 1000 << "Timer: 10x" << 100;
}

void tst_SimulationEngine::labels() {
    QFETCH(int, scale);
    SimulationEngine engine(nullptr);
    engine.setTimeScale(scale);
    QTEST(engine.timeScaleLabel(), "label");
    QTEST(engine.timerInterval(), "interval");
    QCOMPARE(engine.speedLabel(), QStringLiteral("Speed: 15 m./min"));
}

void tst_SimulationEngine::toggles() {
    SimulationEngine engine(nullptr);
    engine.setAscending(true);
    engine.setDescending(true);
    QVERIFY(engine.isDescending());
    QVERIFY(!engine.isAscending());
    engine.setDescending(false);
    QVERIFY(!engine.isDescending());
    QVERIFY(!engine.isAscending());
    engine.setAscending(true);
    QVERIFY(engine.isAscending());
    QVERIFY(!engine.isDescending());
}

void tst_SimulationEngine::continuedDive() {
    auto given = diveAtDepth(30, 200);
    SimulationEngine engine(given);
    QCOMPARE(engine.dive(), given);
    QCOMPARE(engine.elapsedTimeText(), QStringLiteral("10:00"));
    QCOMPARE(engine.tickCount(), 120);
    QCOMPARE(engine.liveDepth(), 0.0f);
    QCOMPARE(enabledButtons(engine), QStringLiteral("play undo save"));

    // The handed-in dive itself takes the new samples, from the surface on.
    run(engine, QStringLiteral("play down tick*4"));
    QCOMPARE(given->getSamplesCount(), qint16(31));
    QCOMPARE(given->getSampleDepth(31), 5.0f);
}

void tst_SimulationEngine::undoTakesTheSampleDepthAsItIs() {
    // A downloaded dive deeper than the simulator itself goes.
    SimulationEngine engine(diveAtDepth(2, 1800));
    QVERIFY(engine.undo());
    QCOMPARE(engine.liveDepth(), 180.0f);
    QCOMPARE(engine.dive()->getSamplesCount(), qint16(1));
}

void tst_SimulationEngine::limits_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("samples");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("limitTick"); // the tick of the script that pauses, 0 for none

    QTest::newRow("11-compartment model holds 900 samples") << 1 << 900 << "tick*4" << 3603 << 4;
    QTest::newRow("one sample short of the model's capacity") << 2 << 899 << "tick*4" << 3600 << 0;
    QTest::newRow("the clock ends at 546:05") << 4 << 1638 << "tick*3" << 6553 << 2;
    QTest::newRow("a continued dive longer than the clock") << 32 << 2000 << "tick" << 8000 << 1;
}

void tst_SimulationEngine::limits() {
    QFETCH(int, model);
    QFETCH(int, samples);
    QFETCH(QString, script);
    QFETCH(int, limitTick);
    m_env->storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    m_env->restart();

    SimulationEngine engine(diveAtDepth(samples, 50));
    QVERIFY(engine.play());
    const int times = script.contains(u'*') ? script.section(u'*', 1).toInt() : 1;
    int pausedAt = 0;
    for (int i = 1; i <= times; ++i) {
        const SimulationEngine::TickResult result = engine.tick();
        if (result == SimulationEngine::TickResult::LimitReached && pausedAt == 0)
            pausedAt = i;
    }
    QCOMPARE(pausedAt, limitTick);
    QTEST(engine.tickCount(), "ticks");
    QCOMPARE(engine.isPlaying(), limitTick == 0);
    QVERIFY(engine.samples() <= std::max(samples, engine.sampleCapacity()));
    // Paused at the limit, the diver can still take steps back and save.
    if (limitTick != 0) {
        QVERIFY(engine.undo());
        QVERIFY(engine.isEnabled(Button::Save));
    }
}

void tst_SimulationEngine::replaceSample() {
    SimulationEngine engine(diveAtDepth(3, 100));
    QVERIFY(engine.replaceSample(2, 155));
    QCOMPARE(engine.dive()->getSampleDepth(2), 15.5f);
    QCOMPARE(engine.profile().getDepth(2), 15.5f);
    QCOMPARE(engine.tickCount(), 12);
    QCOMPARE(engine.liveDepth(), 0.0f);

    QVERIFY(!engine.replaceSample(0, 100));
    QVERIFY(!engine.replaceSample(4, 100));
    QVERIFY(!engine.replaceSample(1, -1));
    QVERIFY(!engine.replaceSample(1, 1501));
    QCOMPARE(sampleDepths(*engine.dive()), QStringLiteral("10 15.5 10"));
}

void tst_SimulationEngine::newDiveTissues_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("tissues");
    QTest::addColumn<float>("load");
    QTest::newRow("zento") << 1 << 11 << 26.0f;
    QTest::newRow("lumo") << 2 << 11 << 26.0f;
    QTest::newRow("zento RGBM") << 4 << 10 << 0.79f;
    QTest::newRow("tavex as RGBM") << 8 << 10 << 0.79f;
    QTest::newRow("lumo air as RGBM") << 16 << 10 << 0.79f;
    QTest::newRow("kobi as RGBM") << 32 << 10 << 0.79f;
}

void tst_SimulationEngine::newDiveTissues() {
    QFETCH(int, model);
    QFETCH(int, tissues);
    QFETCH(float, load);
    m_env->storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    m_env->restart();
    SimulationEngine engine(nullptr);
    const Dive& dive = *engine.dive();
    QCOMPARE(dive.diveComputer(), model);
    QCOMPARE(dive.getDiveMode(), 0);
    QCOMPARE(dive.getNitroxMixture(), qint16(21));
    QCOMPARE(dive.getSamplesCount(), qint16(0));
    for (qint16 i = 1; i <= tissues; ++i)
        QCOMPARE(dive.getStartTissue(i), load);
    QCOMPARE(engine.profile().getTissueNumber(), qint16(tissues));
}

void tst_SimulationEngine::freeDiveContinuesAsScuba() {
    m_env->storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("32"));
    m_env->restart();
    auto series = std::make_shared<Dive>();
    series->setDiveComputer(32);
    series->setDiveMode(2);
    series->addSample(85, 1, 3, 120);
    series->addSample(120, 1, 4, 120);
    series->setDiveFreeInfo(std::make_shared<diveFreeInfo>());
    QVERIFY(series->isFreeDive());

    SimulationEngine engine(series);
    QVERIFY(!series->isFreeDive());
    QCOMPARE(series->getDiveMode(), 0);
    QVERIFY(!series->diveFreeInfo());
    QCOMPARE(sampleDepths(*series), QStringLiteral("8.5 12"));
    QCOMPARE(series->getSampleVRis(1) + series->getSampleDecoStop(2) + series->getSampleDeco(2), 0);
}

void tst_SimulationEngine::prepareForSave() {
    SimulationEngine engine(nullptr);
    run(engine, QStringLiteral("play down tick*8 up tick*4 still tick*3"));
    SimulatedDive::prepareForSave(*engine.dive(), engine.profile());
    QCOMPARE(engine.dive()->getSamplesCount(), qint16(3));
    QCOMPARE(engine.dive()->getDiveTime(), qint16(1));
    QCOMPARE(engine.dive()->getMaxDepth(), 10.0f);
    QCOMPARE(engine.dive()->getDeepStop1(), float(engine.profile().getDeepStop1()));
}

// The graph spaces its time grid by the dive time: a simulated dive keeps it, and its greatest
// depth, with every sample added, taken back or moved.
void tst_SimulationEngine::totalsFollowTheSamples() {
    SimulationEngine engine(nullptr);
    run(engine, QStringLiteral("play down tick*12"));
    QCOMPARE(engine.dive()->getDiveTime(), qint16(1));
    QCOMPARE(engine.dive()->getMaxDepth(), 15.0f);
    run(engine, QStringLiteral("pause undo"));
    QCOMPARE(engine.dive()->getMaxDepth(), 10.0f);
    QVERIFY(engine.replaceSample(1, 250));
    QCOMPARE(engine.dive()->getMaxDepth(), 25.0f);

    auto handedIn = SimulatedDive::create();
    for (int i = 0; i < 540; ++i)
        handedIn->addSample(100, 0, 0, 0);
    SimulationEngine continued(handedIn);
    QCOMPARE(handedIn->getDiveTime(), qint16(180));
}

QTEST_GUILESS_MAIN(tst_SimulationEngine)
#include "tst_simulationengine.moc"
