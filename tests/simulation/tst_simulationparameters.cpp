#include "Dive.h"
#include "ModelEnvironment.h"
#include "SimulationParameters.h"
#include "TestEnvironment.h"

#include <QtTest>
#include <memory>

class tst_SimulationParameters : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = modelEnvironment(4); }
    void cleanup() { m_env.reset(); }

    void fromDive_data();
    void fromDive();
    void applyTo_data();
    void applyTo();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void tst_SimulationParameters::fromDive_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("mixture");
    QTest::addColumn<float>("ppo2");
    QTest::addColumn<int>("altitude");
    QTest::addColumn<bool>("nitrox");
    QTest::addColumn<int>("shownMixture");
    QTest::addColumn<int>("ppo2Index");
    QTest::addColumn<int>("shownAltitude");

    QTest::newRow("new air dive") << 0 << 32 << 0.0f << 0 << false << 21 << 2 << 0;
    QTest::newRow("nitrox 1.3 bar") << 1 << 32 << 1.3f << 2 << true << 32 << 1 << 2;
    QTest::newRow("PPO2 kept in tenths") << 1 << 36 << 15.0f << 3 << true << 36 << 3 << 3;
    QTest::newRow("1.2 and 1.6 are the ends") << 1 << 40 << 1.6f << 1 << true << 40 << 4 << 1;
    QTest::newRow("PPO2 above the list") << 1 << 32 << 1.9f << 0 << true << 32 << 4 << 0;
    QTest::newRow("PPO2 below the list") << 1 << 32 << 0.0f << 0 << true << 32 << 0 << 0;
    QTest::newRow("mixture above 50") << 1 << 80 << 1.4f << 0 << true << 50 << 2 << 0;
    QTest::newRow("mixture below 21") << 1 << 18 << 1.4f << 0 << true << 21 << 2 << 0;
    QTest::newRow("unknown altitude leaves P0") << 0 << 21 << 0.0f << 7 << false << 21 << 2 << 0;
}

void tst_SimulationParameters::fromDive() {
    QFETCH(int, mode);
    QFETCH(int, mixture);
    QFETCH(float, ppo2);
    QFETCH(int, altitude);
    Dive dive;
    dive.setDiveMode(mode);
    dive.setNitroxMixture(mixture);
    dive.setPPO2(ppo2);
    dive.setAltitude(altitude);
    const Dive before = dive;

    const SimulationParameters shown = SimulationParameters::fromDive(dive);
    QTEST(shown.nitrox, "nitrox");
    QTEST(shown.mixture, "shownMixture");
    QTEST(shown.ppo2Index, "ppo2Index");
    QTEST(shown.altitude, "shownAltitude");
    // Showing changes nothing.
    QCOMPARE(dive.getNitroxMixture(), before.getNitroxMixture());
    QCOMPARE(dive.getPPO2(), before.getPPO2());
    QCOMPARE(dive.getAltitude(), before.getAltitude());
}

void tst_SimulationParameters::applyTo_data() {
    QTest::addColumn<bool>("nitrox");
    QTest::addColumn<int>("mixture");
    QTest::addColumn<int>("ppo2Index");
    QTest::addColumn<int>("altitude");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("storedMixture");
    QTest::addColumn<float>("storedPPO2");
    QTest::addColumn<int>("storedAltitude");
    QTest::newRow("nitrox 32 at 1.6") << true << 32 << 4 << 0 << 1 << 32 << 1.6f << 0;
    QTest::newRow("air keeps the PPO2") << false << 40 << 0 << 3 << 0 << 21 << 1.3f << 3;
    QTest::newRow("nitrox 50 at 1.2, P2") << true << 50 << 0 << 2 << 1 << 50 << 1.2f << 2;
}

void tst_SimulationParameters::applyTo() {
    QFETCH(bool, nitrox);
    QFETCH(int, mixture);
    QFETCH(int, ppo2Index);
    QFETCH(int, altitude);
    Dive dive;
    dive.setPPO2(1.3f);
    SimulationParameters chosen;
    chosen.nitrox = nitrox;
    chosen.mixture = mixture;
    chosen.ppo2Index = ppo2Index;
    chosen.altitude = altitude;
    chosen.applyTo(dive);
    QTEST(int(dive.getDiveMode()), "mode");
    QTEST(int(dive.getNitroxMixture()), "storedMixture");
    QTEST(dive.getPPO2(), "storedPPO2");
    QTEST(int(dive.getAltitude()), "storedAltitude");
}

QTEST_GUILESS_MAIN(tst_SimulationParameters)
#include "tst_simulationparameters.moc"
