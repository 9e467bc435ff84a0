#include "DataProfilePage.h"
#include "PrintColors.h"
#include "PrintFixture.h"

#include <QTest>

// The data-and-profile page on a landscape page 15,120 by 11,520 twips: boxes at (2000, 1600),
// (10660, 1600) and (10660, 6060); the graph at (2100, 5660), 7860 by 5200.
class tst_DataProfilePage : public QObject {
    Q_OBJECT

    static constexpr double SETTINGS_X = PAGE_W / 2 + 3100;

    static RecordingDevice drawPage(const std::shared_ptr<Dive>& dive) {
        RecordingDevice device(PAGE_W, PAGE_H);
        printProfileData(device, PrintColors::forDevice(device), *PrintFixture::profileOf(dive));
        return device;
    }

    // The value printed in a box's row r (from 1): the text at the row's height right of the column.
    static QString valueAt(const RecordingDevice& d, double boxX, double boxY, double valueX, int r) {
        for (const auto& c : d.ofKind(Kind::Text)) {
            if (c.from == QPointF(boxX + valueX, boxY + 800 + 250 * (r - 1)))
                return c.font.name == QLatin1String("Wingdings") ? QStringLiteral("[mark]") : c.text;
        }
        return QStringLiteral("[none]");
    }
    static QString settingsValue(const RecordingDevice& d, int r) { return valueAt(d, SETTINGS_X, 1600, 3100, r); }
    static QString technicalValue(const RecordingDevice& d, int r) {
        return valueAt(d, SETTINGS_X, PAGE_H / 2 + 300, 3000, r);
    }
    static QString generalValue(const RecordingDevice& d, int r) { return valueAt(d, 2000, 1600, 2050, r); }
    static QColor labelColor(const RecordingDevice& d, double boxX, double boxY, int r) {
        for (const auto& c : d.ofKind(Kind::Text)) {
            if (c.from == QPointF(boxX + 300, boxY + 800 + 250 * (r - 1)))
                return c.color;
        }
        return QColor();
    }

    static std::shared_ptr<Dive> aDive() {
        auto dive = PrintFixture::dive(decotest::constant(30, 60), 20);
        dive->setDiveInfo(PrintFixture::info());
        return dive;
    }

private slots:
    void layoutOfHeaderBoxesAndGraphFrame() {
        PrintFixture f;
        const RecordingDevice d = drawPage(aDive());
        QCOMPARE(d.textCall("S.O.N.A. ").from, QPointF(2000, 500));
        QCOMPARE(d.textCall("Computer Model: ").from, QPointF(2000, 1100));
        QCOMPARE(d.textCall("zento ").from, QPointF(2000 + 10 * 14 * 16, 1100));
        // Titles centred in their 600-twip band: an 18-point line is 360 twips high here.
        const auto general = d.textCall("General Info.");
        QCOMPARE(general.from, QPointF(2100, 1600 + 120));
        QCOMPARE(general.font, (PrintFont{"Tahoma", true, false, 18}));
        QCOMPARE(d.textCall("Settings").from, QPointF(SETTINGS_X + 100, 1720));
        QCOMPARE(d.textCall("Technical Info.").from, QPointF(SETTINGS_X + 100, PAGE_H / 2 + 300 + 120));
        const auto boxes = d.ofKind(Kind::Box);
        QCOMPARE(boxes.size(), 4);
        QCOMPARE(boxes[0].from, QPointF(2000, 1600));
        QCOMPARE(boxes[0].to, QPointF(2000 + PAGE_W / 2 + 600, 1600 + 3950));
        QCOMPARE(boxes[1].to, QPointF(SETTINGS_X + 4200, 1600 + 4050));
        QCOMPARE(boxes[2].to, QPointF(SETTINGS_X + 4200, PAGE_H / 2 + 300 + 4900));
        // The graph's frame has the general box's left edge and width, and a shadow.
        QCOMPARE(boxes[3].from, QPointF(2000, PAGE_H / 2 - 100));
        QCOMPARE(boxes[3].to, QPointF(2000 + PAGE_W / 2 + 600, PAGE_H / 2 - 100 + 5450));
        QCOMPARE(boxes[3].width, 2);
        const auto shadow = d.ofKind(Kind::FilledBox);
        QCOMPARE(shadow.size(), 2);
        QCOMPARE(shadow[0].from, QPointF(2100 + PAGE_W / 2 + 300 + 200, PAGE_H / 2));
        QCOMPARE(shadow[1].to, QPointF(2100 + PAGE_W / 2 + 600, PAGE_H / 2 - 100 + 5550));
        // Label and value columns.
        QCOMPARE(d.textCall("Diver Name: ").from, QPointF(2300, 2400));
        QCOMPARE(generalValue(d, 1), QStringLiteral("Ann Diver"));
        QCOMPARE(d.count(Kind::Circle), 0);
    }

    void generalBoxValues_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("value");
        QTest::newRow("diver cut to 50") << 1 << QString(50, u'D');
        QTest::newRow("weather") << 5 << "Clear";
        QTest::newRow("activity") << 6 << "Training";
        QTest::newRow("suit none") << 7 << "";
        QTest::newRow("weights whole") << 11 << QString(60, u'W');
        QTest::newRow("air temperature with unit") << 12 << "25 °C";
    }
    void generalBoxValues() {
        QFETCH(int, row);
        QFETCH(QString, value);
        PrintFixture f;
        auto dive = aDive();
        dive->diveInfo()->setDiver(QString(60, u'D'));
        dive->diveInfo()->setWetsuit(-1);
        dive->diveInfo()->setWeight(QString(60, u'W'));
        dive->diveInfo()->setAirTemperature(QStringLiteral("25"));
        QCOMPARE(generalValue(drawPage(dive), row), value);
    }

    void blankAirTemperatureHasNoUnit() {
        PrintFixture f;
        auto dive = aDive();
        dive->diveInfo()->setAirTemperature(QStringLiteral("  "));
        QCOMPARE(generalValue(drawPage(dive), 12), QStringLiteral("   "));
    }

    void missingDescriptiveRecordPrintsEmptyFields() {
        PrintFixture f;
        auto dive = PrintFixture::dive(decotest::constant(30, 60), 20);
        const RecordingDevice d = drawPage(dive);
        QCOMPARE(generalValue(d, 1), QString());
        QCOMPARE(generalValue(d, 5), QString());
        QCOMPARE(generalValue(d, 12), QString());
        QVERIFY(!generalValue(d, 2).isEmpty());
        QCOMPARE(d.ofKind(Kind::Box).size(), 4);
    }

    void valuesFollowTheModel_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("tankValues");
        QTest::newRow("Zento: no tank values") << 1 << false;
        QTest::newRow("Tavex: tank values") << 8 << true;
    }
    void valuesFollowTheModel() {
        QFETCH(int, model);
        QFETCH(bool, tankValues);
        PrintFixture f(model);
        auto dive = PrintFixture::dive(decotest::constant(30, 60), 20, model);
        dive->setDiveMode(1); // nitrox: the tank labels are grey, the nitrox labels black
        dive->setNitroxMixture(32);
        const RecordingDevice d = drawPage(dive);
        for (int r = 1; r <= 11; ++r)
            QCOMPARE(settingsValue(d, r) != QLatin1String("[none]"), r <= 5 || tankValues);
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(technicalValue(d, r) != QLatin1String("[none]"), r <= 13 || tankValues);
        QCOMPARE(labelColor(d, SETTINGS_X, 1600, 6), PrintPalette::darkGrey);
        QCOMPARE(labelColor(d, SETTINGS_X, PAGE_H / 2 + 300, 14), PrintPalette::darkGrey);
        QCOMPARE(labelColor(d, SETTINGS_X, PAGE_H / 2 + 300, 10), PrintPalette::black);
        QCOMPARE(labelColor(d, SETTINGS_X, 1600, 5), PrintPalette::black);
    }

    void nitroxGroup_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<float>("maxCNS");
        QTest::addColumn<float>("ppo2");
        QTest::addColumn<QStringList>("rows"); // technical rows 10 to 13
        QTest::newRow("air: grey and empty")
            << 0 << 80.0f << 1.2f << QStringList{"[none]", "[none]", "[none]", "[none]"};
        QTest::newRow("CNS 75.5 and PPO2 1.28 over 1.2")
            << 1 << 75.5f << 1.2f << QStringList{"10 %", "76 %", "[mark]", "[mark]"};
        QTest::newRow("CNS 75 and PPO2 under 1.4") << 1 << 75.0f << 1.4f << QStringList{"10 %", "75 %", "", ""};
        QTest::newRow("PPO2 limit kept in tenths") << 1 << 75.0f << 12.0f << QStringList{"10 %", "75 %", "", "[mark]"};
    }
    void nitroxGroup() {
        QFETCH(int, mode);
        QFETCH(float, maxCNS);
        QFETCH(float, ppo2);
        QFETCH(QStringList, rows);
        PrintFixture f;
        auto dive = aDive();
        dive->setMaxDepth(30);
        dive->setDiveMode(mode);
        dive->setNitroxMixture(32);
        dive->setPPO2(ppo2);
        dive->setStartCNS(10);
        dive->setMaxCNS(maxCNS);
        const RecordingDevice d = drawPage(dive);
        QStringList found;
        for (int r = 10; r <= 13; ++r)
            found.append(technicalValue(d, r));
        QCOMPARE(found, rows);
        QCOMPARE(labelColor(d, SETTINGS_X, PAGE_H / 2 + 300, 11),
                 mode == 1 ? PrintPalette::black : PrintPalette::darkGrey);
    }

    void tankUnits_data() {
        QTest::addColumn<int>("programUnit");
        QTest::addColumn<int>("measure");
        QTest::addColumn<QStringList>("settingsRows");  // rows 6 to 9, 11
        QTest::addColumn<QStringList>("technicalRows"); // rows 14 to 16
        QTest::newRow("litres and bar") << 0 << 0 << QStringList{"lit./bar", "15 lit.", "", "50 bar", "55 bar"}
                                        << QStringList{"200 bar", "50 bar", "18 lit./min"};
        QTest::newRow("cubic feet and psi on a metric program")
            << 0 << 1 << QStringList{"cu.ft./psi", "150 cu.ft.", "3000 psi", "725 psi", "797.7 psi"}
            << QStringList{"200 bar", "50 bar", "18 lit./min"};
        QTest::newRow("imperial program, litres on the dive")
            << 1 << 0 << QStringList{"lit./bar", "15 lit.", "", "50 bar", "55 bar"}
            << QStringList{"2900.8 psi", "725.2 psi", "18 lit./min"};
    }
    void tankUnits() {
        QFETCH(int, programUnit);
        QFETCH(int, measure);
        QFETCH(QStringList, settingsRows);
        QFETCH(QStringList, technicalRows);
        PrintFixture f(8, programUnit);
        auto dive = PrintFixture::dive(decotest::constant(30, 60), 20, 8);
        dive->setVolumeMeasure(measure);
        dive->setTankVolume(150);
        dive->setTankPressure(3000);
        dive->setReserve50(50);
        dive->setReserve100(55);
        dive->setStartTankPressure(200);
        dive->setStopTankPressure(50);
        dive->setTankUse(17.6f);
        const RecordingDevice d = drawPage(dive);
        QStringList settings;
        for (int r : {6, 7, 8, 9, 11})
            settings.append(settingsValue(d, r));
        QCOMPARE(settings, settingsRows);
        QStringList technical;
        for (int r : {14, 15, 16})
            technical.append(technicalValue(d, r));
        QCOMPARE(technical, technicalRows);
    }

    void flagsPrintTheMarkThenTahomaAgain() {
        PrintFixture f;
        auto dive = aDive();
        dive->setBuzzer(1);
        dive->setAscentMode(0);
        const RecordingDevice d = drawPage(dive);
        QCOMPARE(settingsValue(d, 4), QString());
        QCOMPARE(settingsValue(d, 5), QStringLiteral("[mark]"));
        for (int i = 0; i < d.calls.size(); ++i) {
            const auto& c = d.calls[i];
            if (c.kind != Kind::Text || c.font.name != QLatin1String("Wingdings"))
                continue;
            QCOMPARE(c.text, QString(QChar(0xFC)));
            QCOMPARE(c.font.size, 8);
            QCOMPARE(d.calls[i + 1].font, (PrintFont{"Tahoma", false, false, 8}));
        }
        QCOMPARE(technicalValue(d, 5), QString()); // no ascent-rate code
    }

    void groupSeparators() {
        PrintFixture f;
        const RecordingDevice d = drawPage(aDive());
        QList<double> settingsRules;
        QList<double> technicalRules;
        for (const auto& c : d.ofKind(Kind::Line)) {
            if (c.color != PrintPalette::darkGrey || c.from.x() != SETTINGS_X + 1)
                continue;
            QCOMPARE(c.to.x(), SETTINGS_X + 4199);
            (c.from.y() < PAGE_H / 2 ? settingsRules : technicalRules).append(c.from.y());
        }
        // After the label of row 5 (one 8-point line below it, then 10), and again 10 below.
        QCOMPARE(settingsRules, (QList<double>{1600 + 800 + 1000 + 160 + 10, 1600 + 800 + 1000 + 160 + 20}));
        const double top = PAGE_H / 2 + 300;
        QCOMPARE(technicalRules, (QList<double>{top + 800 + 2000 + 170, top + 800 + 3000 + 170}));
    }
};

QTEST_GUILESS_MAIN(tst_DataProfilePage)
#include "tst_dataprofilepage.moc"
