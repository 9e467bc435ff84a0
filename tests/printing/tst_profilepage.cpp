#include "PrintColors.h"
#include "PrintFixture.h"
#include "ProfilePage.h"

#include <QTest>

// The profile page on a landscape page 15,120 by 11,520 twips.
class tst_ProfilePage : public QObject {
    Q_OBJECT

    static RecordingDevice draw(const Profile& profile, qint16 position) {
        RecordingDevice device(PAGE_W, PAGE_H);
        printProfileOnly(device, PrintColors::forDevice(device), profile, position);
        return device;
    }

private slots:
    void headerAndGraphPlaces() {
        PrintFixture f;
        // The dive's own model names the page, whatever model is chosen now.
        auto profile = PrintFixture::profileOf(PrintFixture::dive(decotest::constant(20, 30), 10, 8));
        const RecordingDevice d = draw(*profile, -1);
        const auto title = d.textCall("S.O.N.A. ");
        QCOMPARE(title.from, QPointF(2400, 400));
        QCOMPARE(title.font, (PrintFont{"Tahoma", false, true, 24}));
        const auto model = d.textCall("Computer Model: ");
        QCOMPARE(model.from, QPointF(2400, 900));
        QCOMPARE(model.font, (PrintFont{"Tahoma", false, false, 14}));
        const auto name = d.textCall("Tavex");
        QCOMPARE(name.from, QPointF(2400 + 10 * 14 * 16, 900));
        QVERIFY(name.font.italic);
        bool separator = false;
        for (const auto& c : d.ofKind(Kind::Line))
            separator |= c.from == QPointF(2400, 1260) && c.to == QPointF(PAGE_W - 1450, 1260) &&
                         c.color == PrintPalette::darkGrey && c.width == 1;
        QVERIFY(separator);
        // The graph: depth axis at 2500 from the surface at 2400 to the time axis at SH - 1700.
        bool depthAxis = false;
        for (const auto& c : d.ofKind(Kind::Line))
            depthAxis |= c.from == QPointF(2500, 2400) && c.to == QPointF(2500, PAGE_H - 1700);
        QVERIFY(depthAxis);
        // No marker step: no circle, bars or decompression box.
        QCOMPARE(d.count(Kind::Circle), 0);
        QCOMPARE(d.count(Kind::FilledBox), 0);
        QVERIFY(!d.texts().contains("Time: "));
        // No descriptive record: no rows.
        QVERIFY(!d.texts().contains("Date/Time: "));
    }

    void descriptiveRows_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("modeText");
        QTest::addColumn<bool>("mixRow");
        QTest::newRow("air") << 0 << "Air" << false;
        QTest::newRow("nitrox") << 1 << "Nitrox" << true;
        QTest::newRow("bottom time") << 2 << "Bottom Time" << false;
    }
    void descriptiveRows() {
        QFETCH(int, mode);
        QFETCH(QString, modeText);
        QFETCH(bool, mixRow);
        PrintFixture f;
        auto dive = PrintFixture::dive(decotest::constant(20, 30), 10);
        dive->setDiveMode(mode);
        dive->setNitroxMixture(32);
        dive->setDiveInfo(PrintFixture::info());
        const RecordingDevice d = draw(*PrintFixture::profileOf(dive), -1);
        const auto diver = d.textCall("Diver Name: ");
        QCOMPARE(diver.from, QPointF(2400, 1500));
        QCOMPARE(diver.font, (PrintFont{"Tahoma", true, false, 8}));
        const auto diverValue = d.textCall("Ann Diver");
        QCOMPARE(diverValue.from, QPointF(4200, 1500));
        QCOMPARE(diverValue.font, (PrintFont{"Tahoma", false, false, 8}));
        QCOMPARE(d.textCall("Date/Time: ").from, QPointF(2400, 1300));
        QCOMPARE(d.textCall("Location: ").from, QPointF(2400, 1700));
        QCOMPARE(d.textCall("Mode:").from, QPointF(2400, 1900));
        QCOMPARE(d.textCall(modeText).from, QPointF(4200, 1900));
        QCOMPARE(d.texts().contains("% Mix:"), mixRow);
        if (mixRow)
            QCOMPARE(d.textCall("32 %").from, QPointF(4200, 2100));
    }

    void tissueBar_data() {
        QTest::addColumn<int>("load");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("red");
        QTest::newRow("100 %") << 100 << 700.0 << false;
        QTest::newRow("101 %") << 101 << 707.0 << true;
        QTest::newRow("150 %: the frame's top") << 150 << 840.0 << true;
        QTest::newRow("empty") << 0 << 0.0 << false;
    }
    void tissueBar() {
        QFETCH(int, load);
        QFETCH(double, height);
        QFETCH(bool, red);
        const TissueBar bar = ::tissueBar(qint16(load));
        QCOMPARE(bar.height, height);
        QCOMPARE(bar.color, red ? QColor(192, 0, 0) : QColor(0, 192, 0));
    }

    void tissueBarsAndFrameAtTheMarker() {
        PrintFixture f;
        auto dive = PrintFixture::dive(decotest::constant(30, 60), 20);
        auto profile = PrintFixture::profileOf(dive);
        const RecordingDevice d = draw(*profile, 30);
        const auto bars = d.ofKind(Kind::FilledBox);
        QCOMPARE(bars.size(), 11);
        const double xStart = PAGE_W - 4250;
        const QList<qint16> loads = profile->getTissue(30);
        for (int i = 0; i < 11; ++i) {
            QCOMPARE(bars[i].to.x(), xStart + 250 * i);
            QCOMPARE(bars[i].from.x(), xStart + 250 * i - 180);
            QCOMPARE(bars[i].to.y(), 2100.0);
            QCOMPARE(bars[i].from.y(), 2100 - ::tissueBar(loads[i]).height);
        }
        const auto frames = d.ofKind(Kind::Box);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].from, QPointF(xStart - 375, 1260));
        QCOMPARE(frames[0].to, QPointF(xStart + 250 * 11, 2200));
        QCOMPARE(d.count(Kind::Circle), 1);
    }

    void decoBoxRows_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("decoFlag");
        QTest::addColumn<int>("safety");
        QTest::addColumn<int>("noDeco");
        QTest::addColumn<int>("stopLevel");
        QTest::addColumn<int>("stopTime");
        QTest::addColumn<int>("ascent");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("decompression, 6 m stop of 3 minutes")
            << 30 << 2 << 0 << 0 << 2 << 3 << 5
            << QStringList{"Time: ", "10", "Dept. : ", "18.5 m.", "Deco: ", "06 - 03", "Asc Time: ", "05"};
        QTest::newRow("stop time over 99")
            << 30 << 2 << 0 << 0 << 2 << 120 << 99
            << QStringList{"Time: ", "10", "Dept. : ", "18.5 m.", "Deco: ", "06 - 99", "Asc Time: ", "99"};
        QTest::newRow("no decompression, 7 minutes left")
            << 0 << 0 << 0 << 7 << 0 << 0 << 0 << QStringList{"Time: ", "0", "Dept. : ", "18.5 m.", "No Deco: ", "07"};
        QTest::newRow("safety stop running")
            << 2 << 0 << 3 << 7 << 0 << 0 << 0 << QStringList{"Time: ", "1", "Dept. : ", "18.5 m.", "St.: ", " 3"};
    }
    void decoBoxRows() {
        QFETCH(int, position);
        QFETCH(int, decoFlag);
        QFETCH(int, safety);
        QFETCH(int, noDeco);
        QFETCH(int, stopLevel);
        QFETCH(int, stopTime);
        QFETCH(int, ascent);
        QFETCH(QStringList, rows);
        PrintFixture f;
        DecoState s;
        s.position = qint16(position);
        s.depth = 18.5f;
        s.decoFlag = qint16(decoFlag);
        s.safetyTime = qint16(safety);
        s.noDecTime = qint16(noDeco);
        s.stopLevel = qint16(stopLevel);
        s.decoTime = qint16(stopTime);
        s.ascentTime = qint16(ascent);
        QStringList found;
        for (const BoxLine& line : ::decoBoxRows(s))
            found << line.label << line.value;
        QCOMPARE(found, rows);
    }

    void decoBoxPlaceFollowsCompartments_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<double>("x");
        QTest::newRow("11 compartments") << 1 << PAGE_W - 7500;
        QTest::newRow("10 compartments") << 4 << PAGE_W - 7000;
    }
    void decoBoxPlaceFollowsCompartments() {
        QFETCH(int, model);
        QFETCH(double, x);
        PrintFixture f(model);
        auto profile = PrintFixture::profileOf(PrintFixture::dive(decotest::constant(20, 30), 10, model));
        const RecordingDevice d = draw(*profile, 3);
        QCOMPARE(d.textCall("Time: ").from, QPointF(x, 1300));
        QCOMPARE(d.textCall("1").from, QPointF(x + 1000, 1300));
    }
};

QTEST_GUILESS_MAIN(tst_ProfilePage)
#include "tst_profilepage.moc"
