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

QTEST_GUILESS_MAIN(tst_DiveGenerator)
#include "tst_divegenerator.moc"
