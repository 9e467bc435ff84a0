#include "Database.h"
#include "Dive.h"
#include "DiveGenerator.h"
#include "DiveModule.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "diveFreeInfo.h"

#include <QtTest>

class tst_DiveGenerator : public QObject {
    Q_OBJECT
private slots:
    void generatedLogbooksLoadUnderEveryModel();
    void scubaProfileShape();
    void sameSeedSameDives();
    void kindsAskedFor_data();
    void kindsAskedFor();
    void drawnDivesAreAMix();
};

void tst_DiveGenerator::generatedLogbooksLoadUnderEveryModel() {
    TestEnvironment env;
    SqlScript::createDatabase(Settings::instance().databaseName(), SqlScript::currentSchema());
    {
        Database db = Database::open(Settings::instance().databaseName());
        DiveGenerator::Options options;
        options.dives = 120;
        QCOMPARE(DiveGenerator(7).fill(db, options), 120);
    }
    int sessions = 0;
    for (const qint32 model : {1, 2, 4, 8, 16, 32}) {
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        env.restart();
        const DiveList dives = DiveModule::loadDives(
            QStringLiteral("SELECT * FROM DIVE, FILE WHERE FILE.FILE_ID = DIVE.FILE_ID AND FILE.DIVE_MODEL = ?"), true,
            {model});
        QCOMPARE(dives.size(), 20);
        for (const auto& dive : dives) {
            QVERIFY(dive->hasSamples());
            if (dive->isFreeDive()) {
                ++sessions;
                continue;
            }
            QCOMPARE(dive->getSamplesCount(), qint16(dive->getDiveTime() * 3));
            float deepest = 0;
            for (int i = 1; i <= dive->getSamplesCount(); ++i)
                deepest = std::max(deepest, dive->getSampleDepth(i));
            QCOMPARE(deepest, dive->getMaxDepth());
            QCOMPARE(dive->getSampleMisc(2) > 0, model == 8 || model == 16);
        }
    }
    QVERIFY(sessions > 0);
    QCOMPARE(env.fakes.message->shown.size(), 0);
}

void tst_DiveGenerator::scubaProfileShape() {
    TestEnvironment env;
    const DiveGenerator::Generated g = DiveGenerator(3).scubaDive(8, QDateTime(QDate(2021, 4, 3), QTime(9, 0)), 60);
    const Dive& dive = *g.dive;
    QCOMPARE(dive.getSamplesCount(), qint16(180));
    QCOMPARE(dive.getSamples().size(), 180 * 20);
    QVERIFY(dive.getSampleDepth(1) > 3 && dive.getSampleDepth(1) < 7); // descending
    QVERIFY(dive.getSampleDepth(180) < 1.5f);                          // surfacing
    QVERIFY(std::abs(dive.getSampleDepth(175) - 5.0f) < 0.5f);         // at the safety stop
    // Tank data as air-integrated devices record it: drops at samples 1, 4, 7..., breathing rates at 2, 5, 8...
    float pressure = dive.getStartTankPressure();
    for (int i = 1; i <= dive.getSamplesCount(); ++i) {
        if (i % 3 == 1)
            pressure -= dive.getSampleMisc(i);
        else if (i % 3 == 2)
            QVERIFY(dive.getSampleMisc(i) >= 10 && dive.getSampleMisc(i) <= 80);
        else
            QCOMPARE(dive.getSampleMisc(i), qint16(0));
    }
    QVERIFY(std::abs(pressure - dive.getStopTankPressure()) <= 1.0f);
    QVERIFY(dive.getStopTankPressure() < dive.getStartTankPressure() - 50); // the tank empties
}

void tst_DiveGenerator::sameSeedSameDives() {
    TestEnvironment env;
    const QDateTime start(QDate(2021, 4, 3), QTime(9, 0));
    QCOMPARE(DiveGenerator(11).scubaDive(1, start, 40).dive->getSamples(),
             DiveGenerator(11).scubaDive(1, start, 40).dive->getSamples());
    const auto session = DiveGenerator(11).freeDiveSession(start, 6, true);
    QCOMPARE(session.dive->diveFreeInfo()->getSamplesCount(), qint16(6));
    QVERIFY(session.dive->getSamples().startsWith(u'*'));
}

void tst_DiveGenerator::kindsAskedFor_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("stopFlag");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("deco");
    using Kind = DiveGenerator::ScubaKind;
    QTest::newRow("air") << int(Kind::Air) << 1 << false << int(Dive::AIR_MODE) << false;
    QTest::newRow("nitrox") << int(Kind::Nitrox) << 8 << false << int(Dive::NITROX_MODE) << false;
    QTest::newRow("deco") << int(Kind::Deco) << 2 << false << int(Dive::AIR_MODE) << true;
    QTest::newRow("bottom time") << int(Kind::BottomTime) << 4 << false << int(Dive::BOTTOM_TIME_MODE) << false;
    QTest::newRow("Kobi bottom time") << int(Kind::BottomTime) << 32 << false << int(Dive::KOBI_BOTTOM_TIME_MODE)
                                      << false;
    QTest::newRow("stop flag") << int(Kind::StopFlag) << 16 << true << int(Dive::AIR_MODE) << false;
}

void tst_DiveGenerator::kindsAskedFor() {
    QFETCH(int, kind);
    QFETCH(int, model);
    QFETCH(bool, stopFlag);
    QFETCH(int, mode);
    QFETCH(bool, deco);
    TestEnvironment env;
    const QDateTime start(QDate(2021, 4, 3), QTime(9, 0));
    DiveGenerator generator(5);
    for (int n = 0; n < 10; ++n) {
        const auto g = generator.scubaDive(model, start.addDays(n), 30, DiveGenerator::ScubaKind(kind));
        const Dive& dive = *g.dive;
        QCOMPARE(dive.getStop() == 1, stopFlag);
        QCOMPARE(dive.getDiveMode(), mode);
        QCOMPARE(dive.isDeco(), deco);
        if (deco) {
            // Long enough for its stops, deep enough to need them.
            QCOMPARE(dive.getDiveTime(), qint16(DiveGenerator::DECO_MINUTES));
            QVERIFY(dive.getMaxDepth() >= 36);
        } else {
            QCOMPARE(dive.getDiveTime(), qint16(30));
        }
        if (mode == Dive::NITROX_MODE) {
            // Above the mix's depth limit at 1.4 bar.
            const int mix = dive.getNitroxMixture();
            QVERIFY(mix == 32 || mix == 36);
            QVERIFY(dive.getMaxDepth() <= 14.0f / mix * 100 - 10);
        }
    }
}

void tst_DiveGenerator::drawnDivesAreAMix() {
    TestEnvironment env;
    const QDateTime start(QDate(2021, 4, 3), QTime(9, 0));
    DiveGenerator generator(2004);
    int stopFlag = 0, nitrox = 0, deco = 0, bottomTime = 0;
    const int count = 400;
    for (int n = 0; n < count; ++n) {
        const auto g = generator.scubaDive(4, start.addDays(n), 40);
        stopFlag += g.dive->getStop() == 1;
        nitrox += g.dive->isNitrox();
        deco += g.dive->isDeco();
        bottomTime += g.dive->getDiveMode() == Dive::BOTTOM_TIME_MODE;
    }
    // Most dives show their figures on the faces; a few carry the stop flag.
    QVERIFY2(stopFlag > 0 && stopFlag < count / 10, qPrintable(QString::number(stopFlag)));
    QVERIFY2(nitrox >= count / 10, qPrintable(QString::number(nitrox)));
    QVERIFY2(deco >= count / 10, qPrintable(QString::number(deco)));
    QVERIFY2(bottomTime > 0 && bottomTime < count / 10, qPrintable(QString::number(bottomTime)));
}

QTEST_GUILESS_MAIN(tst_DiveGenerator)
#include "tst_divegenerator.moc"
