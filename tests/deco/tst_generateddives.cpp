#include "Dive.h"
#include "DiveGenerator.h"
#include "Profile.h"
#include "TestEnvironment.h"

#include <QtTest>

// What the decompression models make of the generated demo dives: a deco dive has to put the faces
// on their stop screens, or a new user never sees them outside the simulator.
class tst_GeneratedDives : public QObject {
    Q_OBJECT
private slots:
    void decoDivesNeedStops_data();
    void decoDivesNeedStops();
};

void tst_GeneratedDives::decoDivesNeedStops_data() {
    QTest::addColumn<int>("model");
    for (int model : {1, 2, 4, 8, 16, 32})
        QTest::addRow("model %d", model) << model;
}

void tst_GeneratedDives::decoDivesNeedStops() {
    QFETCH(int, model);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    env.restart();
    DiveGenerator generator(2004);
    const QDateTime start(QDate(2021, 4, 3), QTime(9, 0));
    for (int n = 0; n < 5; ++n) {
        auto dive = generator.scubaDive(model, start.addDays(n), 40, DiveGenerator::ScubaKind::Deco).dive;
        Profile profile;
        profile.setCurrentDive(dive);
        profile.compute();
        int decoSteps = 0;
        for (qint16 step = 0; step <= dive->getSamplesCount(); ++step)
            decoSteps += profile.getDecoFlag(step) != 0;
        // Some minutes of obligation, and the diver surfaces clear of it.
        QVERIFY2(decoSteps >= 9, qPrintable(QStringLiteral("dive %1: %2 steps").arg(n).arg(decoSteps)));
        QCOMPARE(profile.getDecoFlag(dive->getSamplesCount()), qint16(0));
    }
}

QTEST_GUILESS_MAIN(tst_GeneratedDives)
#include "tst_generateddives.moc"
