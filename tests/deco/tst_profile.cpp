#include "DecoTestDives.h"
#include "ErrorOf.h"
#include "Profile.h"
#include "ProfileZento.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <functional>
#include <memory>

using namespace decotest;

namespace {
// Runs `call` and answers the number of the run-time error it raised, 0 for none.

using Member = std::function<void(Profile&)>;

// Every member of the facade, called once.
QList<QPair<const char*, Member>> everyMember() {
    const qint16 step = 0;
    return {
        {"getCurrentDive", [](Profile& p) { p.getCurrentDive(); }},
        {"getTissue", [=](Profile& p) { p.getTissue(step); }},
        {"getTissueNumber", [](Profile& p) { p.getTissueNumber(); }},
        {"getMaxDepth", [=](Profile& p) { p.getMaxDepth(step); }},
        {"getSafetyTime", [=](Profile& p) { p.getSafetyTime(step); }},
        {"getCNS", [=](Profile& p) { p.getCNS(step); }},
        {"getDecoFlag", [=](Profile& p) { p.getDecoFlag(step); }},
        {"getNoDecTime", [=](Profile& p) { p.getNoDecTime(step); }},
        {"getDecoTime", [=](Profile& p) { p.getDecoTime(step); }},
        {"getAscentTime", [=](Profile& p) { p.getAscentTime(step); }},
        {"getTappa", [=](Profile& p) { p.getTappa(step); }},
        {"getMaxVelocity", [=](Profile& p) { p.getMaxVelocity(step); }},
        {"getDepth", [=](Profile& p) { p.getDepth(step); }},
        {"getVerticalDeep", [=](Profile& p) { p.getVerticalDeep(step); }},
        {"setSimulationMode", [](Profile& p) { p.setSimulationMode(true); }},
        {"isSimulationMode", [](Profile& p) { p.isSimulationMode(); }},
        {"getDeepStop1", [](Profile& p) { p.getDeepStop1(); }},
        {"getDeepStop2", [](Profile& p) { p.getDeepStop2(); }},
        {"getProgressiveTankPressure", [=](Profile& p) { p.getProgressiveTankPressure(step); }},
        {"getTankConsuption", [=](Profile& p) { p.getTankConsuption(step); }},
        {"compute", [](Profile& p) { p.compute(); }},
        {"wasElaborated", [](Profile& p) { p.wasElaborated(); }},
        {"setPreviousDives", [](Profile& p) { p.setPreviousDives({}); }},
    };
}

// Every per-step getter at `step`.
QList<QPair<const char*, std::function<double(const Profile&, qint16)>>> stepGetters(bool tank) {
    QList<QPair<const char*, std::function<double(const Profile&, qint16)>>> getters = {
        {"getTissue", [](const Profile& p, qint16 s) { return double(p.getTissue(s).value(0)); }},
        {"getMaxDepth", [](const Profile& p, qint16 s) { return double(p.getMaxDepth(s)); }},
        {"getSafetyTime", [](const Profile& p, qint16 s) { return double(p.getSafetyTime(s)); }},
        {"getCNS", [](const Profile& p, qint16 s) { return double(p.getCNS(s)); }},
        {"getDecoFlag", [](const Profile& p, qint16 s) { return double(p.getDecoFlag(s)); }},
        {"getNoDecTime", [](const Profile& p, qint16 s) { return double(p.getNoDecTime(s)); }},
        {"getDecoTime", [](const Profile& p, qint16 s) { return double(p.getDecoTime(s)); }},
        {"getAscentTime", [](const Profile& p, qint16 s) { return double(p.getAscentTime(s)); }},
        {"getTappa", [](const Profile& p, qint16 s) { return double(p.getTappa(s)); }},
        {"getMaxVelocity", [](const Profile& p, qint16 s) { return double(p.getMaxVelocity(s)); }},
        {"getDepth", [](const Profile& p, qint16 s) { return double(p.getDepth(s)); }},
        {"getVerticalDeep", [](const Profile& p, qint16 s) { return double(p.getVerticalDeep(s)); }},
    };
    if (tank) {
        getters.append({"getProgressiveTankPressure",
                        [](const Profile& p, qint16 s) { return double(p.getProgressiveTankPressure(s)); }});
        getters.append(
            {"getTankConsuption", [](const Profile& p, qint16 s) { return double(p.getTankConsuption(s)); }});
    }
    return getters;
}
} // namespace

class tst_Profile : public QObject {
    Q_OBJECT
private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void modelFollowsCurrentCode_data();
    void modelFollowsCurrentCode();
    void dropsFormerModelAndResults();
    void codeOutsideTheModelsKeepsTheModelHeld();
    void noModelRaises91_data();
    void noModelRaises91();
    void stepsOutsideTheTablesRaise9_data();
    void stepsOutsideTheTablesRaise9();
    void tankGettersOnTheElevenCompartmentModel();
    void diveWithoutSamples_data();
    void diveWithoutSamples();
    void deepStopsWithoutCompute();
    void closingStepAndRecordedValues_data();
    void closingStepAndRecordedValues();
    void cnsShownBelow100();
    void tooManySamples_data();
    void tooManySamples();
    void recomputingAGrowingDive_data();
    void recomputingAGrowingDive();
    void modelWithoutDive();

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

void tst_Profile::modelFollowsCurrentCode_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("tissues");
    QTest::newRow("Zento") << 1 << 11;
    QTest::newRow("Lumo") << 2 << 11;
    QTest::newRow("Zento RGBM") << 4 << 10;
    QTest::newRow("Tavex") << 8 << 10;
    QTest::newRow("Lumo Air") << 16 << 10;
    QTest::newRow("Kobi") << 32 << 10;
}

void tst_Profile::modelFollowsCurrentCode() {
    QFETCH(int, code);
    QFETCH(int, tissues);
    Settings::instance().setCurrentDiveComputer(code);
    auto dive = diveOf(constant(20, 3));
    // A dive recorded by another model is computed by the model of the current setting.
    dive->setDiveComputer(code == 1 ? 4 : 1);
    Profile profile;
    profile.setCurrentDive(dive);
    QCOMPARE(profile.getTissueNumber(), qint16(tissues));
    QCOMPARE(profile.getCurrentDive(), dive);
    profile.compute();
    QCOMPARE(profile.getTissue(1).size(), tissues);
    QCOMPARE(profile.getDepth(2), 20.0f);
}

void tst_Profile::dropsFormerModelAndResults() {
    Settings::instance().setCurrentDiveComputer(4);
    Profile profile;
    profile.setCurrentDive(diveOf(constant(20, 3)));
    profile.setSimulationMode(true);
    profile.compute();
    QVERIFY(profile.wasElaborated());

    auto second = diveOf(constant(30, 2));
    profile.setCurrentDive(second);
    QVERIFY(!profile.wasElaborated());
    QVERIFY(!profile.isSimulationMode());
    QCOMPARE(profile.getDepth(1), 0.0f);
    QCOMPARE(profile.getCurrentDive(), second);
}

void tst_Profile::codeOutsideTheModelsKeepsTheModelHeld() {
    Settings::instance().setCurrentDiveComputer(1);
    Profile profile;
    profile.setCurrentDive(diveOf(constant(20, 3)));
    profile.compute();

    Settings::instance().setCurrentDiveComputer(3);
    auto other = std::make_shared<Dive>();
    profile.setCurrentDive(other);
    QCOMPARE(profile.getTissueNumber(), qint16(11));
    QCOMPARE(profile.getCurrentDive(), other);
    QVERIFY(profile.wasElaborated());
    QCOMPARE(profile.getDepth(3), 20.0f);
}

void tst_Profile::noModelRaises91_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("member");
    for (int code : {0, 3, 64}) {
        const auto members = everyMember();
        for (int k = 0; k < members.size(); ++k)
            QTest::addRow("code %d, %s", code, members[k].first) << code << k;
    }
}

void tst_Profile::noModelRaises91() {
    QFETCH(int, code);
    QFETCH(int, member);
    Settings::instance().setCurrentDiveComputer(code);
    Profile profile;
    QCOMPARE(errorOf([&] { profile.setCurrentDive(std::make_shared<Dive>()); }), 91);
    QCOMPARE(errorOf([&] { everyMember()[member].second(profile); }), 91);
}

void tst_Profile::stepsOutsideTheTablesRaise9_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("lastStep");
    QTest::addColumn<int>("getter");
    for (int code : {1, 4}) {
        const auto getters = stepGetters(code == 4);
        for (int k = 0; k < getters.size(); ++k)
            QTest::addRow("code %d, %s", code, getters[k].first) << code << (code == 1 ? 901 : 3001) << k;
    }
}

void tst_Profile::stepsOutsideTheTablesRaise9() {
    QFETCH(int, code);
    QFETCH(int, lastStep);
    QFETCH(int, getter);
    Settings::instance().setCurrentDiveComputer(code);
    Profile profile;
    profile.setCurrentDive(diveOf(constant(20, 3)));
    profile.compute();
    const auto read = stepGetters(code == 4)[getter].second;
    QCOMPARE(errorOf([&] { read(profile, 0); }), 0);
    QCOMPARE(errorOf([&] { read(profile, qint16(lastStep)); }), 0);
    QCOMPARE(errorOf([&] { read(profile, qint16(lastStep + 1)); }), 9);
    QCOMPARE(errorOf([&] { read(profile, -1); }), 9);
}

void tst_Profile::tankGettersOnTheElevenCompartmentModel() {
    Settings::instance().setCurrentDiveComputer(2);
    Profile profile;
    profile.setCurrentDive(diveOf(constant(20, 3)));
    profile.compute();
    QCOMPARE(errorOf([&] { profile.getProgressiveTankPressure(1); }), 438);
    QCOMPARE(errorOf([&] { profile.getTankConsuption(1); }), 438);
}

void tst_Profile::diveWithoutSamples_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("11 compartments") << 1;
    QTest::newRow("RGBM") << 16;
}

void tst_Profile::diveWithoutSamples() {
    QFETCH(int, code);
    Settings::instance().setCurrentDiveComputer(code);
    Profile profile;
    auto dive = diveOf({});
    dive->setStartTankPressure(200);
    profile.setCurrentDive(dive);
    QVERIFY(!profile.wasElaborated());
    profile.compute();
    QVERIFY(profile.wasElaborated());
    const qint16 lastStep = code == 1 ? 901 : 3001;
    for (const auto& [name, read] : stepGetters(code != 1)) {
        for (qint16 step : {qint16(1), lastStep}) {
            if (QByteArray(name) == "getVerticalDeep" && code == 1)
                QCOMPARE(read(profile, step), 1.0); // always 1 on the 11-compartment model
            else
                QVERIFY2(read(profile, step) == 0, name);
        }
    }
    QCOMPARE(profile.getVerticalDeep(0), qint16(1));
}

void tst_Profile::deepStopsWithoutCompute() {
    for (int code : {1, 4}) {
        Settings::instance().setCurrentDiveComputer(code);
        Profile profile;
        auto dive = diveOf(constant(20, 3));
        dive->setDeepStop1(18);
        profile.setCurrentDive(dive);
        QCOMPARE(profile.getDeepStop1(), qint16(-1));
        QCOMPARE(profile.getDeepStop2(), qint16(-1));
    }
}

void tst_Profile::closingStepAndRecordedValues_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("11 compartments") << 2;
    QTest::newRow("RGBM") << 32;
}

void tst_Profile::closingStepAndRecordedValues() {
    QFETCH(int, code);
    Settings::instance().setCurrentDiveComputer(code);
    auto dive = diveOf({});
    const QList<QPair<double, int>> samples = {{12.3, 1}, {25.6, 5}, {18.0, 3}};
    for (const auto& [metres, vRis] : samples)
        dive->addSample(metres * 10, vRis, 1, 1);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();

    QCOMPARE(profile.getDepth(0), 0.0f);
    QCOMPARE(profile.getMaxDepth(0), 0.0f);
    QCOMPARE(profile.getDepth(1), 12.3f);
    QCOMPARE(profile.getMaxDepth(1), 12.3f);
    QCOMPARE(profile.getDepth(3), 18.0f);
    QCOMPARE(profile.getMaxDepth(3), 25.6f);
    // The ascent-rate value is the recorded one, unchanged.
    QCOMPARE(profile.getMaxVelocity(1), qint16(1));
    QCOMPARE(profile.getMaxVelocity(2), qint16(5));
    QCOMPARE(profile.getMaxVelocity(3), qint16(3));
    // The closing step lies at the surface and carries no result.
    QCOMPARE(profile.getDepth(4), 0.0f);
    QCOMPARE(profile.getMaxDepth(4), 0.0f);
    QCOMPARE(profile.getNoDecTime(4), qint16(0));
    QCOMPARE(profile.getTissue(4), QList<qint16>(profile.getTissueNumber(), 0));
    QCOMPARE(profile.getVerticalDeep(4), qint16(1));
    QCOMPARE(profile.getTissue(0), QList<qint16>(profile.getTissueNumber(), 0));
}

void tst_Profile::cnsShownBelow100() {
    // Pure oxygen at 10 m: 2 bar, 22 % a minute.
    Settings::instance().setCurrentDiveComputer(1);
    auto dive = diveOf(constant(10, 30));
    setNitrox(*dive, 100);
    Profile profile;
    profile.setCurrentDive(dive);
    profile.compute();
    QCOMPARE(profile.getCNS(13), qint16(99)); // 95.33 % shows 100
    QCOMPARE(profile.getCNS(30), qint16(99)); // 220 % shows 120
    QCOMPARE(profile.getCNS(12), qint16(90)); // 88 %
}

void tst_Profile::tooManySamples_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("capacity");
    QTest::newRow("11 compartments") << 1 << 900;
    QTest::newRow("RGBM") << 8 << 3000;
}

void tst_Profile::tooManySamples() {
    QFETCH(int, code);
    QFETCH(int, capacity);
    Settings::instance().setCurrentDiveComputer(code);
    Profile full;
    full.setCurrentDive(diveOf(constant(15, capacity)));
    full.compute();
    QVERIFY(full.wasElaborated());
    QCOMPARE(full.getDepth(qint16(capacity)), 15.0f);

    Profile over;
    over.setCurrentDive(diveOf(constant(15, capacity + 1)));
    QCOMPARE(errorOf([&] { over.compute(); }), 9);
    QVERIFY(!over.wasElaborated());
    // What the pass wrote before the failure stays.
    QCOMPARE(over.getDepth(qint16(capacity + 1)), 15.0f);
    QCOMPARE(over.getMaxDepth(1), 15.0f);
}

void tst_Profile::recomputingAGrowingDive_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("11 compartments") << 1;
    QTest::newRow("RGBM") << 4;
}

void tst_Profile::recomputingAGrowingDive() {
    // The simulator computes again after every sample it adds: the steps already there come out as
    // a fresh computation gives them.
    QFETCH(int, code);
    Settings::instance().setCurrentDiveComputer(code);
    const QList<double> depths = legs({{40, 20}, {9, 2}, {6, 3}, {0, 0}});
    auto growing = diveOf({});
    Profile live;
    live.setCurrentDive(growing);
    live.setSimulationMode(true);
    for (double depth : depths) {
        growing->addSample(std::round(depth * 10), 0, 0, 0);
        live.compute();
    }
    Profile fresh;
    fresh.setCurrentDive(diveOf(depths));
    fresh.setSimulationMode(true);
    fresh.compute();
    for (qint16 step = 0; step <= qint16(depths.size() + 1); ++step) {
        QCOMPARE(live.getTissue(step), fresh.getTissue(step));
        QCOMPARE(live.getDecoFlag(step), fresh.getDecoFlag(step));
        QCOMPARE(live.getNoDecTime(step), fresh.getNoDecTime(step));
        QCOMPARE(live.getDecoTime(step), fresh.getDecoTime(step));
        QCOMPARE(live.getCNS(step), fresh.getCNS(step));
        QCOMPARE(live.getVerticalDeep(step), fresh.getVerticalDeep(step));
    }
    QCOMPARE(live.getDeepStop1(), fresh.getDeepStop1());
}

void tst_Profile::modelWithoutDive() {
    ProfileZento model;
    QVERIFY(model.getCurrentDive() != nullptr);
    QCOMPARE(model.getCurrentDive()->getSamplesCount(), qint16(0));
    QCOMPARE(errorOf([&] { model.compute(); }), 91);
}

QTEST_GUILESS_MAIN(tst_Profile)
#include "tst_profile.moc"
