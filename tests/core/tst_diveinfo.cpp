#include "Internationalization.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"
#include "dcSettings.h"
#include "diveFreeInfo.h"
#include "diveInfo.h"

#include <QtTest>

#include <functional>

namespace {

qint32 errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

QList<qint32> points(int count, qint32 decimetres = 10) {
    return QList<qint32>(count, decimetres);
}

} // namespace

// The plain records that travel with a dive: descriptive fields, a free-dive session and the
// settings of a dive computer.
class tst_DiveInfo : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void newDiveInfoIsEmpty();

    void newSession();
    void addFreeDive();
    void addFreeDiveOverflowAppendsNothing_data();
    void addFreeDiveOverflowAppendsNothing();
    void freeDivePositions_data();
    void freeDivePositions();
    void profileText();
    void profileTextRefusesWhatItCannotHold_data();
    void profileTextRefusesWhatItCannotHold();
    void damagedProfileTextKeepsTheProfile();
    void sessionLength_data();
    void sessionLength();

    void newSettingsRecordIsMetric();
    void measureUnitResetsDeviceUnits();

private:
    std::unique_ptr<TestEnvironment> env;
};

void tst_DiveInfo::newDiveInfoIsEmpty() {
    diveInfo info;
    QVERIFY(info.friends.isEmpty());
    QVERIFY(info.memo().isEmpty() && info.diver().isEmpty() && info.location().isEmpty());
    QCOMPARE(info.activity(), 0);
    QCOMPARE(info.weather(), 0);
    QCOMPARE(info.wetsuit(), 0);
    QVERIFY(info.dateTime().isNull());
}

void tst_DiveInfo::newSession() {
    diveFreeInfo session;
    QCOMPARE(session.getSamplesCount(), 0);
    QVERIFY(!session.hasProfileFree());
    QVERIFY(session.getProfileFreeDB().isEmpty());
    QCOMPARE(session.sessionTime(), 0);
}

void tst_DiveInfo::addFreeDive() {
    diveFreeInfo session;
    session.addFreeDive(215, 30, 1, 5, 2);
    QCOMPARE(session.getSamplesCount(), 1);
    QCOMPARE(session.getFreeDiveMaxDepth(1), 21.5f);
    QCOMPARE(session.getFreeDiveDiveTime(1), 90);
    QCOMPARE(session.getFreeDiveSurfTime(1), 125);
}

void tst_DiveInfo::addFreeDiveOverflowAppendsNothing_data() {
    QTest::addColumn<double>("diveMin");
    QTest::addColumn<double>("surfMin");
    QTest::newRow("dive time") << 546.0 << 0.0;
    QTest::newRow("surface time, the last converted") << 0.0 << 546.0;
    QTest::newRow("minutes beyond 16 bits") << 0.0 << 40000.0;
}

void tst_DiveInfo::addFreeDiveOverflowAppendsNothing() {
    QFETCH(double, diveMin);
    QFETCH(double, surfMin);
    diveFreeInfo session;
    session.addFreeDive(100, 10, 0, 20, 0);
    QCOMPARE(errorNumber([&] { session.addFreeDive(120, 30, diveMin, 30, surfMin); }), RuntimeError::Overflow);
    QCOMPARE(session.getSamplesCount(), 1);
    // The lists stayed in step: the next free dive lands at position 2 in all three.
    session.addFreeDive(80, 12, 0, 16, 0);
    QCOMPARE(session.getFreeDiveMaxDepth(2), 8.0f);
    QCOMPARE(session.getFreeDiveDiveTime(2), 12);
    QCOMPARE(session.getFreeDiveSurfTime(2), 16);
}

void tst_DiveInfo::freeDivePositions_data() {
    QTest::addColumn<int>("position");
    QTest::newRow("zero") << 0;
    QTest::newRow("above the count") << 2;
    QTest::newRow("negative") << -1;
}

void tst_DiveInfo::freeDivePositions() {
    QFETCH(int, position);
    diveFreeInfo session;
    session.addFreeDive(100, 10, 0, 20, 0);
    const qint16 i = qint16(position);
    QCOMPARE(errorNumber([&] { session.getFreeDiveDiveTime(i); }), RuntimeError::SubscriptOutOfRange);
    QCOMPARE(errorNumber([&] { session.getFreeDiveSurfTime(i); }), RuntimeError::SubscriptOutOfRange);
    QCOMPARE(errorNumber([&] { session.getFreeDiveMaxDepth(i); }), RuntimeError::SubscriptOutOfRange);
}

void tst_DiveInfo::profileText() {
    diveFreeInfo session;
    session.addProfileFree({0, 12, 150});
    QVERIFY(session.hasProfileFree());
    const QString text = session.getProfileFreeDB();
    QCOMPARE(text, QStringLiteral("*000000120150*"));

    diveFreeInfo restored;
    restored.setProfileFreeDB(text);
    QVERIFY(restored.hasProfileFree());
    QCOMPARE(restored.getProfileFreeDB(), text);
}

void tst_DiveInfo::profileTextRefusesWhatItCannotHold_data() {
    QTest::addColumn<qint32>("decimetres");
    QTest::addColumn<QString>("text"); // "" when refused
    QTest::newRow("largest") << 9999 << "*9999*";
    QTest::newRow("1000 m") << 10000 << "";
    // A negative point written as 0 would end a free dive's run early; a sign does not fit.
    QTest::newRow("negative") << -5 << "";
}

void tst_DiveInfo::profileTextRefusesWhatItCannotHold() {
    QFETCH(qint32, decimetres);
    QFETCH(QString, text);
    diveFreeInfo session;
    session.addProfileFree({decimetres});
    if (!text.isEmpty()) {
        QCOMPARE(session.getProfileFreeDB(), text);
        return;
    }
    QCOMPARE(errorNumber([&] { session.getProfileFreeDB(); }), RuntimeError::InvalidArgument);
}

void tst_DiveInfo::damagedProfileTextKeepsTheProfile() {
    diveFreeInfo session;
    session.addProfileFree({50});
    QCOMPARE(errorNumber([&] { session.setProfileFreeDB(QStringLiteral("*00x0*")); }), RuntimeError::TypeMismatch);
    QCOMPARE(session.getProfileFreeDB(), QStringLiteral("*0050*"));
}

void tst_DiveInfo::sessionLength_data() {
    QTest::addColumn<QList<qint32>>("profile");
    QTest::addColumn<int>("minutes");
    QTest::newRow("151 points, ten minutes") << points(151) << 10;
    QTest::newRow("8 points") << points(8) << 0;
    QTest::newRow("just over half a minute") << points(24) << 2;
    QTest::newRow("no profile: dives and surface times") << QList<qint32>() << 3;
}

void tst_DiveInfo::sessionLength() {
    QFETCH(QList<qint32>, profile);
    QFETCH(int, minutes);
    diveFreeInfo session;
    // 100 s of diving and 90 s at the surface: three minutes without a profile.
    session.addFreeDive(100, 40, 0, 30, 0);
    session.addFreeDive(100, 0, 1, 0, 1);
    if (!profile.isEmpty())
        session.addProfileFree(profile);
    QCOMPARE(session.getDiveTime(), minutes);
}

void tst_DiveInfo::newSettingsRecordIsMetric() {
    Internationalization::instance().setMeasureUnit(Internationalization::instance().IMPERIAL);
    dcSettings record;
    QCOMPARE(record.measureUnit(), 1);
    QCOMPARE(record.UnitDepth(), 0);
    QCOMPARE(record.UnitTemperature(), 0);
    QCOMPARE(record.UnitTank(), 1);
    QCOMPARE(record.PPO2Max(), 1.2f);
    QCOMPARE(record.Altitude(), QStringLiteral("1"));
    QCOMPARE(record.PercO2(), 21);
    QCOMPARE(record.Reserve100(), 80);
    QCOMPARE(record.Reserve50(), 50);
    QCOMPARE(record.diveType(), 0);
    QCOMPARE(record.dateDC(), env->fakes.clock->current);
    QCOMPARE(record.dateUser(), env->fakes.clock->current);
}

void tst_DiveInfo::measureUnitResetsDeviceUnits() {
    dcSettings record;
    record.setUnitTank(0);
    record.setUnitDepth(1);
    record.setUnitTemperature(1);
    record.setMeasureUnit(0);
    QCOMPARE(record.UnitTank(), 1);
    QCOMPARE(record.UnitDepth(), 0);
    QCOMPARE(record.UnitTemperature(), 0);
}

QTEST_GUILESS_MAIN(tst_DiveInfo)
#include "tst_diveinfo.moc"
