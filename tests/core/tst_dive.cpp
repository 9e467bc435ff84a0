#include "Dive.h"
#include "ErrorOf.h"
#include "Internationalization.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "diveFreeInfo.h"
#include "diveInfo.h"

#include <QtTest>

#include <functional>

namespace {
// The error a call raises; number 0 when it raises none.

QVariantList tissues(int count) {
    QVariantList values;
    for (int k = 0; k < count; ++k)
        values << 10.0 + k;
    return values;
}

// Every sample of the dive as one line, so that lists out of step show at once.
QStringList samplesOf(const Dive& dive) {
    QStringList lines;
    for (int i = 1; i <= dive.getSamplesCount(); ++i)
        lines << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(num::singleToText(dive.getSampleDepth(i)))
                     .arg(dive.getSampleVRis(i))
                     .arg(dive.getSampleDecoStop(i))
                     .arg(dive.getSampleDeco(i))
                     .arg(dive.getSampleMisc(i));
    return lines;
}

Dive threeSamples() {
    Dive dive;
    dive.addSample(100, 1, 0, 0, 200);
    dive.addSample(200, 2, 3, 0, 190);
    dive.addSample(50, 3, 0, 1, 180);
    return dive;
}

} // namespace

class tst_Dive : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void newDive();
    void addSampleKeepsDecimetres();
    void refusedSampleLeavesListsInStep_data();
    void refusedSampleLeavesListsInStep();
    void sampleLimit();
    void setSampleReplacesInPlace();
    void setAndRemoveSampleRefuseBadPositions_data();
    void setAndRemoveSampleRefuseBadPositions();
    void sampleGettersOutsideTheList();
    void startTissueCount_data();
    void startTissueCount();
    void getStartTissue_data();
    void getStartTissue();
    void failedStartTissueKeepsOldLoads();
    void diveComputer_data();
    void diveComputer();
    void narrowHeldTypes_data();
    void narrowHeldTypes();
    void integerPropertiesRoundAndOverflow();
    void predicatesFollowCurrentModel_data();
    void predicatesFollowCurrentModel();
    void predicatesOfTheDive();
    void maxAscentRate_data();
    void maxAscentRate();
    void companionsAreShared();

private:
    std::unique_ptr<TestEnvironment> env;
};

void tst_Dive::newDive() {
    Dive dive;
    QCOMPARE(dive.getSamplesCount(), 0);
    QVERIFY(!dive.hasSamples());
    QCOMPARE(dive.getSampleVRis(1), 0);
    QCOMPARE(raisedBy([&] { dive.getSampleDepth(1); }).number(), RuntimeError::SubscriptOutOfRange);
    QVERIFY(dive.getSamples().isEmpty());
    QVERIFY(!dive.diveInfo());
    QVERIFY(!dive.diveFreeInfo());
    QVERIFY(dive.getDateTime().isNull());
    QCOMPARE(dive.diveComputer(), 0);
    QCOMPARE(dive.getStartTissue(1), 0.0f);
}

void tst_Dive::addSampleKeepsDecimetres() {
    Dive dive;
    dive.addSample(123, 2, 0, 0);
    QCOMPARE(dive.getSamplesCount(), 1);
    QCOMPARE(dive.getSampleDepth(1), 12.3f);
    QCOMPARE(dive.getSampleVRis(1), 2);
    QCOMPARE(dive.getSampleMisc(1), 0);
    // 16-bit entries round halves to even.
    dive.addSample(10, 2.5, 3.5, -0.5, 7.5);
    QCOMPARE(samplesOf(dive).last(), QStringLiteral("1 2 4 0 8"));
}

void tst_Dive::refusedSampleLeavesListsInStep_data() {
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("vRis");
    QTest::addColumn<double>("decoStop");
    QTest::addColumn<double>("deco");
    QTest::newRow("depth beyond a single") << 1e40 << 1.0 << 0.0 << 0.0;
    QTest::newRow("vRis above 16 bits") << 100.0 << 32767.5 << 0.0 << 0.0;
    QTest::newRow("decoStop below 16 bits") << 100.0 << 1.0 << -40000.0 << 0.0;
    QTest::newRow("deco, the last converted") << 100.0 << 1.0 << 0.0 << 1e9;
    QTest::newRow("not a number") << 100.0 << 1.0 << 0.0 << std::nan("");
}

void tst_Dive::refusedSampleLeavesListsInStep() {
    QFETCH(double, depth);
    QFETCH(double, vRis);
    QFETCH(double, decoStop);
    QFETCH(double, deco);
    Dive dive = threeSamples();
    const QStringList before = samplesOf(dive);

    QCOMPARE(raisedBy([&] { dive.addSample(depth, vRis, decoStop, deco, 5); }).number(), RuntimeError::Overflow);
    QCOMPARE(samplesOf(dive), before);
    QCOMPARE(raisedBy([&] { dive.setSample(2, depth, vRis, decoStop, deco, 5); }).number(), RuntimeError::Overflow);
    QCOMPARE(samplesOf(dive), before);

    dive.addSample(70, 4, 5, 6, 7);
    QCOMPARE(samplesOf(dive).last(), QStringLiteral("7 4 5 6 7"));
}

void tst_Dive::sampleLimit() {
    Dive dive;
    for (int i = 0; i < Dive::MAX_SAMPLES; ++i)
        dive.addSample(i % 100, 0, 0, 0);
    QCOMPARE(dive.getSamplesCount(), 32767);
    QCOMPARE(raisedBy([&] { dive.addSample(1, 0, 0, 0); }).number(), RuntimeError::Overflow);
    QCOMPARE(dive.getSamplesCount(), 32767);
    QCOMPARE(raisedBy([&] { dive.getSampleVRis(40000); }).number(), RuntimeError::Overflow);
}

void tst_Dive::setSampleReplacesInPlace() {
    Dive dive = threeSamples();
    dive.setSample(2, 250, 5, 6, 7);
    QCOMPARE(samplesOf(dive), QStringList({"10 1 0 0 200", "25 5 6 7 0", "5 3 0 1 180"}));
    dive.removeSample(2);
    QCOMPARE(samplesOf(dive), QStringList({"10 1 0 0 200", "5 3 0 1 180"}));
}

void tst_Dive::setAndRemoveSampleRefuseBadPositions_data() {
    QTest::addColumn<int>("position");
    QTest::newRow("zero") << 0;
    QTest::newRow("above the count") << 4;
    QTest::newRow("negative") << -1;
}

void tst_Dive::setAndRemoveSampleRefuseBadPositions() {
    QFETCH(int, position);
    Dive dive = threeSamples();
    const QStringList before = samplesOf(dive);
    QCOMPARE(raisedBy([&] { dive.setSample(position, 1, 1, 1, 1); }).number(), RuntimeError::SubscriptOutOfRange);
    QCOMPARE(raisedBy([&] { dive.removeSample(position); }).number(), RuntimeError::SubscriptOutOfRange);
    QCOMPARE(raisedBy([&] { dive.getSampleDepth(position); }).number(), RuntimeError::SubscriptOutOfRange);
    QCOMPARE(samplesOf(dive), before);
}

void tst_Dive::sampleGettersOutsideTheList() {
    Dive dive = threeSamples();
    QCOMPARE(dive.getSampleVRis(0), 0);
    QCOMPARE(dive.getSampleDecoStop(4), 0);
    QCOMPARE(dive.getSampleDeco(4), 0);
    QCOMPARE(dive.getSampleMisc(0), 0);
    QCOMPARE(raisedBy([&] { dive.getSampleMisc(-1); }).number(), RuntimeError::SubscriptOutOfRange);
    // A misc value beyond 16 bits is kept and refused only when read as one.
    dive.addSample(10, 0, 0, 0, 70000);
    QCOMPARE(raisedBy([&] { dive.getSampleMisc(4); }).number(), RuntimeError::Overflow);
}

void tst_Dive::startTissueCount_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("description");
    const QString eleven = QStringLiteral("Value not allowed. You must pass 11 values for tissues");
    const QString ten = QStringLiteral("Value not allowed. You must pass 10 values for tissues");
    QTest::newRow("Zento, eleven") << 1 << 11 << 0 << QString();
    QTest::newRow("Zento, ten") << 1 << 10 << RuntimeError::InvalidArgument << eleven;
    QTest::newRow("Lumo, twelve") << 2 << 12 << RuntimeError::InvalidArgument << eleven;
    QTest::newRow("Zento RGBM, ten") << 4 << 10 << 0 << QString();
    QTest::newRow("Tavex, eleven") << 8 << 11 << RuntimeError::InvalidArgument << ten;
    QTest::newRow("Lumo Air, nine") << 16 << 9 << RuntimeError::InvalidArgument << ten;
    QTest::newRow("Kobi, ten") << 32 << 10 << 0 << QString();
    QTest::newRow("combined bits, twelve") << 3 << 12 << 0 << QString();
    QTest::newRow("combined bits, nine") << 3 << 9 << RuntimeError::SubscriptOutOfRange << "Subscript out of range";
}

void tst_Dive::startTissueCount() {
    QFETCH(int, model);
    QFETCH(int, count);
    QFETCH(int, error);
    QFETCH(QString, description);
    Settings::instance().setCurrentDiveComputer(model);
    Dive dive;
    const RuntimeError e = raisedBy([&] { dive.setStartTissue(tissues(count)); });
    QCOMPARE(e.number(), error);
    if (error == 0) {
        QCOMPARE(dive.getStartTissue(1), 10.0f);
        QCOMPARE(dive.getStartTissue(10), 19.0f);
        return;
    }
    QCOMPARE(e.source(), QStringLiteral("Dive.setStartTissue()"));
    QCOMPARE(e.description(), description);
    QCOMPARE(dive.getStartTissue(1), 0.0f);
}

void tst_Dive::getStartTissue_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("tissue");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("description");
    const QString upTo10 = QStringLiteral("Value not allowed. You must pass values between 1 and 10");
    const QString upTo11 = QStringLiteral("Value not allowed. You must pass values between 1 and 11");
    QTest::newRow("Zento, eleventh") << 1 << 11 << 20.0f << QString();
    QTest::newRow("Tavex, tenth") << 8 << 10 << 19.0f << QString();
    QTest::newRow("Tavex, eleventh") << 8 << 11 << 0.0f << upTo10;
    QTest::newRow("Kobi, eleventh") << 32 << 11 << 0.0f << upTo10;
    QTest::newRow("Tavex, zero") << 8 << 0 << 0.0f << upTo11;
    QTest::newRow("Zento, twelfth") << 1 << 12 << 0.0f << upTo11;
    QTest::newRow("combined bits, eleventh") << 3 << 11 << 0.0f << QString();
}

void tst_Dive::getStartTissue() {
    QFETCH(int, model);
    QFETCH(int, tissue);
    QFETCH(float, value);
    QFETCH(QString, description);
    Settings::instance().setCurrentDiveComputer(model);
    Dive dive;
    const bool eleven = model == 1 || model == 2;
    dive.setStartTissue(tissues(eleven ? 11 : 10));
    const RuntimeError e = raisedBy([&] { QCOMPARE(dive.getStartTissue(qint16(tissue)), value); });
    if (description.isEmpty()) {
        QCOMPARE(e.number(), 0);
        return;
    }
    QCOMPARE(e.number(), RuntimeError::InvalidArgument);
    QCOMPARE(e.source(), QStringLiteral("Dive.getStartTissue()"));
    QCOMPARE(e.description(), description);
}

void tst_Dive::failedStartTissueKeepsOldLoads() {
    Settings::instance().setCurrentDiveComputer(1);
    Dive dive;
    dive.setStartTissue(tissues(11));
    // Texts that read as numbers are numbers; one that does not refuses the whole set.
    QVariantList values = tissues(11);
    values[0] = QStringLiteral("26.5");
    values[5] = QStringLiteral("x");
    QCOMPARE(raisedBy([&] { dive.setStartTissue(values); }).number(), RuntimeError::TypeMismatch);
    QCOMPARE(dive.getStartTissue(1), 10.0f);
    values[5] = 3;
    dive.setStartTissue(values);
    QCOMPARE(dive.getStartTissue(1), 26.5f);
    QCOMPARE(dive.getStartTissue(6), 3.0f);

    // Under an RGBM code the eleventh load is left as it was.
    Settings::instance().setCurrentDiveComputer(8);
    dive.setStartTissue(tissues(10));
    Settings::instance().setCurrentDiveComputer(1);
    QCOMPARE(dive.getStartTissue(11), 20.0f);
}

void tst_Dive::diveComputer_data() {
    QTest::addColumn<double>("code");
    QTest::addColumn<bool>("allowed");
    for (int code : {1, 2, 4, 8, 16, 32})
        QTest::addRow("%d", code) << double(code) << true;
    QTest::newRow("combined bits") << 3.0 << false;
    QTest::newRow("zero") << 0.0 << false;
    QTest::newRow("next bit") << 64.0 << false;
}

void tst_Dive::diveComputer() {
    QFETCH(double, code);
    QFETCH(bool, allowed);
    Dive dive;
    dive.setDiveComputer(2);
    const RuntimeError e = raisedBy([&] { dive.setDiveComputer(code); });
    if (allowed) {
        QCOMPARE(e.number(), 0);
        QCOMPARE(dive.diveComputer(), qint32(code));
        return;
    }
    QCOMPARE(e.number(), RuntimeError::InvalidArgument);
    QCOMPARE(e.source(), QStringLiteral("Dive.diveComputer"));
    QCOMPARE(
        e.description(),
        QStringLiteral("Value not allowed. Use dcZento or dcLUMO or dcZentoRGBM or dcTAVEX or dcLumoAir or dcKOBI"));
    QCOMPARE(dive.diveComputer(), 2);
}

void tst_Dive::narrowHeldTypes_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("expected"); // NaN: refused with overflow, the old value (1) kept
    const float refused = std::nanf("");
    QTest::newRow("CNS half down") << "startCNS" << 12.5f << 12.0f;
    QTest::newRow("CNS half up") << "startCNS" << 13.5f << 14.0f;
    QTest::newRow("max CNS rounds") << "maxCNS" << 99.6f << 100.0f;
    QTest::newRow("CNS above 16 bits") << "maxCNS" << 40000.0f << refused;
    QTest::newRow("tank volume half to even") << "tankVolume" << 254.5f << 254.0f;
    QTest::newRow("tank volume largest") << "tankVolume" << 255.4f << 255.0f;
    QTest::newRow("tank volume too big") << "tankVolume" << 300.0f << refused;
    QTest::newRow("tank volume negative") << "tankVolume" << -1.0f << refused;
}

void tst_Dive::narrowHeldTypes() {
    QFETCH(QString, property);
    QFETCH(float, value);
    QFETCH(float, expected);
    Dive dive;
    const QHash<QString, std::pair<void (Dive::*)(float), float (Dive::*)() const>> members{
        {"startCNS", {&Dive::setStartCNS, &Dive::getStartCNS}},
        {"maxCNS", {&Dive::setMaxCNS, &Dive::getMaxCNS}},
        {"tankVolume", {&Dive::setTankVolume, &Dive::getTankVolume}},
    };
    const auto [set, get] = members.value(property);
    (dive.*set)(1);
    const RuntimeError e = raisedBy([&] { (dive.*set)(value); });
    if (std::isnan(expected)) {
        QCOMPARE(e.number(), RuntimeError::Overflow);
        QCOMPARE((dive.*get)(), 1.0f);
    } else {
        QCOMPARE(e.number(), 0);
        QCOMPARE((dive.*get)(), expected);
    }
}

void tst_Dive::integerPropertiesRoundAndOverflow() {
    Dive dive;
    dive.setDiveTime(45);
    // A 32-bit library value handed to a 16-bit property fails instead of wrapping around.
    QCOMPARE(raisedBy([&] { dive.setDiveTime(70000); }).number(), RuntimeError::Overflow);
    QCOMPARE(dive.getDiveTime(), 45);
    dive.setDiveTime(2.5);
    QCOMPARE(dive.getDiveTime(), 2);
    dive.setDiveMode(70000);
    QCOMPARE(dive.getDiveMode(), 70000);
    dive.setVolumeMeasure(1);
    dive.setReserve100Flag(1);
    dive.setDiveDays(3);
    QCOMPARE(dive.getVolumeMeasure(), 1);
    QCOMPARE(dive.getDiveDays(), 3);
    QVERIFY(dive.hasReserve100Alarm());
    dive.setReserve100Flag(2);
    QVERIFY(!dive.hasReserve100Alarm());
}

void tst_Dive::predicatesFollowCurrentModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("stop");
    QTest::addColumn<bool>("bottomTime");
    QTest::addColumn<bool>("freeDive");
    QTest::addColumn<bool>("hasStop");
    QTest::newRow("mode 2 under Kobi: free dive") << 32 << 2 << 1 << false << true << true;
    QTest::newRow("mode 2 under Zento: bottom time") << 1 << 2 << 1 << true << false << false;
    QTest::newRow("mode 2 under Tavex: bottom time") << 8 << 2 << 1 << true << false << false;
    QTest::newRow("mode 3 under Kobi: bottom time") << 32 << 3 << 1 << true << false << false;
    QTest::newRow("mode 3 under Lumo: neither") << 2 << 3 << 1 << false << false << true;
    QTest::newRow("air with stop mode 1") << 1 << 0 << 1 << false << false << true;
    QTest::newRow("air with stop mode 2") << 1 << 0 << 2 << false << false << false;
}

void tst_Dive::predicatesFollowCurrentModel() {
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, stop);
    QFETCH(bool, bottomTime);
    QFETCH(bool, freeDive);
    QFETCH(bool, hasStop);
    Settings::instance().setCurrentDiveComputer(model);
    Dive dive;
    // The dive's own code is another model's: only the current setting counts.
    dive.setDiveComputer(model == 32 ? 1 : 32);
    dive.setDiveMode(mode);
    dive.setStop(stop);
    QCOMPARE(dive.isBottomTime(), bottomTime);
    QCOMPARE(dive.isFreeDive(), freeDive);
    QCOMPARE(dive.hasStop(), hasStop);
}

void tst_Dive::predicatesOfTheDive() {
    // Under the Kobi setting the dive's own code and fields decide these.
    Settings::instance().setCurrentDiveComputer(32);
    Dive dive;
    dive.setDiveComputer(1);
    QVERIFY(dive.isZento());
    QVERIFY(!dive.isLUMO());
    QVERIFY(dive.isAir());
    QVERIFY(dive.isSalt());
    QVERIFY(!dive.isStop() && !dive.isDeco() && !dive.hasViolationDecoStop());
    dive.setNitroxMixture(32);
    QCOMPARE(dive.getNitroxMixture(), 21);
    dive.setDiveMode(1);
    QVERIFY(dive.isNitrox());
    QCOMPARE(dive.getNitroxMixture(), 32);
    dive.setWater(1);
    dive.setStop(2);
    dive.setDeco(1);
    dive.setViolationStop(1);
    QVERIFY(!dive.isSalt());
    QVERIFY(dive.isStop() && dive.isDeco() && dive.hasViolationDecoStop());
}

void tst_Dive::maxAscentRate_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("vRis");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("number"); // before the unit text for Kobi; the whole text otherwise
    QTest::newRow("level 1") << 1 << 1 << 0 << "60 %";
    QTest::newRow("level 4") << 4 << 4 << 0 << "120 %";
    QTest::newRow("slow") << 16 << 5 << 0 << "SLOW";
    QTest::newRow("no level") << 2 << 0 << 0 << "";
    QTest::newRow("above the levels") << 8 << 6 << 0 << "";
    QTest::newRow("Kobi metres") << 32 << 12 << 0 << "12";
    QTest::newRow("Kobi feet") << 32 << 12 << 1 << "40";
}

void tst_Dive::maxAscentRate() {
    QFETCH(int, code);
    QFETCH(int, vRis);
    QFETCH(int, unit);
    QFETCH(QString, number);
    // The dive's own code decides, not the current setting.
    Settings::instance().setCurrentDiveComputer(code == 32 ? 1 : 32);
    Internationalization::instance().setMeasureUnit(qint16(unit));
    Dive dive;
    dive.setDiveComputer(code);
    dive.setVRis(vRis);
    const QString expected =
        code == 32 ? number + u' ' + Internationalization::instance().getDepthString() + QStringLiteral("/min")
                   : number;
    QCOMPARE(dive.getMaxAscentRate(), expected);
}

void tst_Dive::companionsAreShared() {
    Dive shown;
    shown.setDiveInfo(std::make_shared<diveInfo>());
    Dive printed;
    printed.setDiveInfo(shown.diveInfo());
    shown.diveInfo()->setLocation(QStringLiteral("Ustica"));
    QCOMPARE(printed.diveInfo()->location(), QStringLiteral("Ustica"));

    auto session = std::make_shared<diveFreeInfo>();
    shown.setDiveFreeInfo(session);
    session->addFreeDive(100, 10, 0, 0, 0);
    QCOMPARE(shown.diveFreeInfo()->getSamplesCount(), 1);
}

QTEST_GUILESS_MAIN(tst_Dive)
#include "tst_dive.moc"
