#include "Internationalization.h"
#include "MainModule.h"
#include "Settings.h"
#include "TestEnvironment.h"

#include <QtTest>

class tst_Internationalization : public QObject {
    Q_OBJECT
private slots:
    void storedUnitSystem_data();
    void storedUnitSystem();
    void imperialConversions_data();
    void imperialConversions();
    void explicitMeasure_data();
    void explicitMeasure();
    void metricKeepsValues();
    void unitTexts_data();
    void unitTexts();
    void unknownSystem();
    void saveWritesTheUnitSystem();
};

void tst_Internationalization::storedUnitSystem_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("unit");
    QTest::newRow("missing") << QString() << 0;
    QTest::newRow("imperial") << "1" << 1;
    QTest::newRow("half to even") << "0.5" << 0;
    QTest::newRow("damaged reads as metric") << "feet" << 0;
}

void tst_Internationalization::storedUnitSystem() {
    QFETCH(QString, stored);
    QFETCH(int, unit);
    TestEnvironment env;
    if (!stored.isNull())
        env.storeSetting("MeasureUnit", stored);
    QCOMPARE(Internationalization::instance().measureUnit(), unit);
}

enum class Conversion { Temperature, Depth, Pressure, Volume };
Q_DECLARE_METATYPE(Conversion)

static float convert(Conversion kind, float value, const QVariant& measure = QVariant()) {
    const Internationalization& units = Internationalization::instance();
    switch (kind) {
    case Conversion::Temperature:
        return units.getTemperatureValue(value);
    case Conversion::Depth:
        return units.getDepthValue(value);
    case Conversion::Pressure:
        return units.getPressureValue(value, measure);
    case Conversion::Volume:
        return units.getVolumeValue(value, measure);
    }
    return -1;
}

void tst_Internationalization::imperialConversions_data() {
    QTest::addColumn<Conversion>("kind");
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("expected");
    QTest::newRow("10 C") << Conversion::Temperature << 10.0f << 50.0f;
    QTest::newRow("0 C") << Conversion::Temperature << 0.0f << 32.0f;
    QTest::newRow("-10 C") << Conversion::Temperature << -10.0f << 14.0f;
    QTest::newRow("10 m with feet of 0.303 m") << Conversion::Depth << 10.0f << 33.0f;
    QTest::newRow("0 m") << Conversion::Depth << 0.0f << 0.0f;
    QTest::newRow("40 m") << Conversion::Depth << 40.0f << 132.0f;
    QTest::newRow("200 bar") << Conversion::Pressure << 200.0f << 2900.8f;
    QTest::newRow("50 bar without measure") << Conversion::Pressure << 50.0f << 725.2f;
    QTest::newRow("12 litres") << Conversion::Volume << 12.0f << 0.4f;
    QTest::newRow("15 litres") << Conversion::Volume << 15.0f << 0.5f;
}

void tst_Internationalization::imperialConversions() {
    QFETCH(Conversion, kind);
    QFETCH(float, value);
    QFETCH(float, expected);
    TestEnvironment env;
    env.storeSetting("MeasureUnit", "1");
    QCOMPARE(convert(kind, value), expected);
}

void tst_Internationalization::explicitMeasure_data() {
    QTest::addColumn<Conversion>("kind");
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("measure");
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("expected");
    QTest::newRow("tank step 50 bar") << Conversion::Pressure << 0 << 1 << 50.0f << 725.0f;
    QTest::newRow("tank step 120 bar") << Conversion::Pressure << 0 << 1 << 120.0f << 1740.0f;
    QTest::newRow("55 bar") << Conversion::Pressure << 0 << 1 << 55.0f << 797.7f;
    QTest::newRow("bar kept under imperial") << Conversion::Pressure << 1 << 0 << 200.0f << 200.0f;
    QTest::newRow("other measure keeps pressure") << Conversion::Pressure << 1 << 2 << 200.0f << 200.0f;
    QTest::newRow("litres kept under imperial") << Conversion::Volume << 1 << 0 << 12.0f << 12.0f;
    QTest::newRow("cubic feet under metric") << Conversion::Volume << 0 << 1 << 12.0f << 0.4f;
}

void tst_Internationalization::explicitMeasure() {
    QFETCH(Conversion, kind);
    QFETCH(int, system);
    QFETCH(int, measure);
    QFETCH(float, value);
    QFETCH(float, expected);
    TestEnvironment env;
    Internationalization::instance().setMeasureUnit(qint16(system));
    QCOMPARE(convert(kind, value, measure), expected);
}

void tst_Internationalization::metricKeepsValues() {
    TestEnvironment env;
    for (Conversion kind : {Conversion::Temperature, Conversion::Depth, Conversion::Pressure, Conversion::Volume})
        QCOMPARE(convert(kind, 12.3f), 12.3f);
}

void tst_Internationalization::unitTexts_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("metric") << 0 << QStringList{"m.", "°C", "bar", "lit.", "meters", "dd/mm/yyyy"};
    QTest::newRow("imperial") << 1 << QStringList{"ft.", "°F", "psi", "cu.ft.", "feet", "mm/dd/yyyy"};
}

void tst_Internationalization::unitTexts() {
    QFETCH(int, system);
    QFETCH(QStringList, texts);
    TestEnvironment env;
    env.storeSetting("Language", "0");
    Internationalization& units = Internationalization::instance();
    units.setMeasureUnit(qint16(system));
    QCOMPARE((QStringList{units.getDepthString(), units.getTemperatureString(), units.getPressureString(),
                          units.getVolumeString(), units.getDepthLongString(), units.getDateFormat()}),
             texts);
}

void tst_Internationalization::unknownSystem() {
    TestEnvironment env;
    Internationalization& units = Internationalization::instance();
    units.setMeasureUnit(2);
    QCOMPARE(units.getDepthString(), QString());
    QCOMPARE(units.getDateFormat(), QString());
    for (Conversion kind : {Conversion::Temperature, Conversion::Depth, Conversion::Pressure, Conversion::Volume})
        QCOMPARE(convert(kind, 12.0f), 0.0f);
    QCOMPARE(units.getPressureValue(50, 1), 725.0f); // an explicit measure ignores the system
}

void tst_Internationalization::saveWritesTheUnitSystem() {
    TestEnvironment env;
    Internationalization::instance().setMeasureUnit(1);
    Settings::instance().save(Settings::SAVE_MEASURE_UNIT);
    env.restart();
    QCOMPARE(Internationalization::instance().measureUnit(), 1);
}

QTEST_GUILESS_MAIN(tst_Internationalization)
#include "tst_internationalization.moc"
