#include "PrintColors.h"
#include "PrintFixture.h"
#include "PrintedProfileGraph.h"

#include <QTest>

// The printed profile graph in a rectangle whose graph area is 10,000 twips wide and 8,000 high:
// depth axis at x 2500, surface at y 2400, time axis at y 10500.
class tst_PrintedProfileGraph : public QObject {
    Q_OBJECT

    static constexpr PrintRect RECT{2000, 2400, 10500, 8200};
    static constexpr double X0 = 2500;
    static constexpr double Y0 = 2400;
    static constexpr double YA = 10500;

    static RecordingDevice draw(const Profile& profile, qint16 position = -1, bool printer = false) {
        RecordingDevice device(PAGE_W, PAGE_H, printer);
        printProfile(device, PrintColors::forDevice(device), profile, position, RECT);
        return device;
    }

    // Vertical lines in the grid colour from the surface to the time axis, left to right.
    static QList<double> timeGrid(const RecordingDevice& d) {
        QList<double> xs;
        for (const auto& c : d.ofKind(Kind::Line)) {
            if (c.color == PrintPalette::lightGrey && c.from.x() == c.to.x() && c.from.x() < X0 + 10000 - 1)
                xs.append(c.from.x());
        }
        return xs;
    }

    static QList<RecordingDevice::Call> dashed(const RecordingDevice& d, const QColor& color) {
        QList<RecordingDevice::Call> found;
        for (const auto& c : d.ofKind(Kind::Line)) {
            if (c.style == PrintDevice::STYLE_DASH_DOT_DOT && c.color == color)
                found.append(c);
        }
        return found;
    }

private slots:
    void timeGridAndMinuteLabels() {
        PrintFixture f;
        auto profile = PrintFixture::profileOf(PrintFixture::dive(decotest::constant(15, 75), 25));
        const RecordingDevice d = draw(*profile);
        const double xScale = 10000.0f / 76;
        const QList<double> grid = timeGrid(d);
        QCOMPARE(grid.size(), 25);
        QVERIFY(qAbs(grid.first() - (X0 + xScale * 3)) < 0.01);
        QStringList labels;
        for (const auto& c : d.ofKind(Kind::Text)) {
            if (c.font.italic) {
                labels.append(c.text);
                QCOMPARE(c.from.y(), YA);
                QCOMPARE(c.font.size, 8);
            }
        }
        QCOMPARE(labels, QStringList({"5", "10", "15", "20", "25"}));
        QVERIFY(qAbs(d.textCall("5").from.x() - (X0 + xScale * 15)) < 0.01);
    }

    void gridStepFollowsDiveTime_data() {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("step");
        QTest::newRow("29 minutes") << 29 << 3;
        QTest::newRow("30 minutes") << 30 << 6;
        QTest::newRow("59 minutes") << 59 << 6;
        QTest::newRow("60 minutes") << 60 << 9;
        QTest::newRow("90 minutes") << 90 << 12;
        QTest::newRow("120 minutes") << 120 << 15;
    }
    void gridStepFollowsDiveTime() {
        QFETCH(int, minutes);
        QFETCH(int, step);
        PrintFixture f;
        const int samples = 150;
        auto profile = PrintFixture::profileOf(PrintFixture::dive(decotest::constant(10, samples), minutes));
        const QList<double> grid = timeGrid(draw(*profile));
        QCOMPARE(grid.size(), (samples + 1) / step);
        QVERIFY(qAbs(grid.first() - (X0 + 10000.0 / (samples + 1) * step)) < 0.01);
    }

    void depthLabels_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("metric: every 2 m") << 0 << QStringList{" 0",  " 2",  " 4",  " 6",  " 8",  " 10", " 12", " 14",
                                                               " 16", " 18", " 20", " 22", " 24", " 26", " 28"};
        QTest::newRow("imperial: the same lines in feet")
            << 1 << QStringList{" 0",  " 7",  " 13", " 20", " 26", " 33", " 40", " 46",
                                " 53", " 59", " 66", " 73", " 79", " 86", " 92"};
    }
    void depthLabels() {
        QFETCH(int, unit);
        QFETCH(QStringList, labels);
        PrintFixture f(1, unit);
        auto profile = PrintFixture::profileOf(PrintFixture::dive(decotest::legs({{28, 10}, {0, 0}}), 14));
        const RecordingDevice d = draw(*profile);
        QStringList found;
        QList<double> ys;
        for (const auto& c : d.ofKind(Kind::Text)) {
            if (!c.font.italic && c.from.x() == X0 - 500) {
                found.append(c.text);
                ys.append(c.from.y());
            }
        }
        QCOMPARE(found, labels);
        QCOMPARE(ys.first(), Y0);
        QCOMPARE(ys.last(), 10400.0);
        // Fourteen grid lines, none at the deepest label.
        int horizontal = 0;
        for (const auto& c : d.ofKind(Kind::Line))
            horizontal += c.color == PrintPalette::lightGrey && c.from.y() == c.to.y() ? 1 : 0;
        QCOMPARE(horizontal, 14);
    }

    void maximumOperatingDepth_data() {
        QTest::addColumn<double>("deepest");
        QTest::addColumn<int>("mode");
        QTest::addColumn<float>("ppo2");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("32 %, 1.4 bar, dive to 40 m") << 40.0 << 1 << 1.4f << true;
        QTest::newRow("kept in tenths of a bar") << 40.0 << 1 << 14.0f << true;
        QTest::newRow("below the time axis of a 30 m dive") << 30.0 << 1 << 1.4f << false;
        QTest::newRow("air dive") << 40.0 << 0 << 1.4f << false;
    }
    void maximumOperatingDepth() {
        QFETCH(double, deepest);
        QFETCH(int, mode);
        QFETCH(float, ppo2);
        QFETCH(bool, drawn);
        PrintFixture f;
        auto dive = PrintFixture::dive(decotest::legs({{deepest, 1}, {0, 0}}), 12);
        dive->setDiveMode(mode);
        dive->setNitroxMixture(32);
        dive->setPPO2(ppo2);
        auto profile = PrintFixture::profileOf(dive);
        for (bool printer : {false, true}) {
            const RecordingDevice d = draw(*profile, -1, printer);
            const auto lines = dashed(d, PrintPalette::lightRed);
            QCOMPARE(lines.size(), drawn ? 1 : 0);
            if (!drawn)
                continue;
            const double expected = Y0 + 33.75f * (8000.0f / float(deepest));
            QVERIFY(qAbs(lines[0].from.y() - expected) < 0.1);
            QCOMPARE(lines[0].from.x(), X0);
            QCOMPARE(lines[0].to.x(), X0 + 10000);
            QCOMPARE(lines[0].width, printer ? 4 : 1);
        }
    }

    void deepStopsOnlyUnderRgbmModels_data() {
        QTest::addColumn<int>("model");
        QTest::newRow("11-compartment model") << 1;
        QTest::newRow("RGBM model") << 4;
    }
    void deepStopsOnlyUnderRgbmModels() {
        QFETCH(int, model);
        PrintFixture f(model);
        auto dive = PrintFixture::dive(decotest::legs({{40, 20}, {0, 0}}), 30, model);
        auto profile = PrintFixture::profileOf(dive);
        const auto lines = dashed(draw(*profile), PrintPalette::black);
        QList<double> expected;
        if (model == 4) {
            const float yScale = 8000.0f / profile->getMaxDepth(dive->getSamplesCount());
            for (qint16 stop : {profile->getDeepStop1(), profile->getDeepStop2()}) {
                if (stop != -1)
                    expected.append(Y0 + float(stop) * yScale);
            }
        }
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY(qAbs(lines[i].from.y() - expected[i]) < 0.1);
    }

    void segmentColours_data() {
        QTest::addColumn<bool>("stopMode");
        QTest::newRow("decompression counts") << false;
        QTest::newRow("stop mode: only ascent violations show") << true;
    }
    void segmentColours() {
        QFETCH(bool, stopMode);
        PrintFixture f;
        // Deep and long enough for decompression, then straight up: ascent violations.
        const QList<double> metres = decotest::legs({{45, 30}}, 9);
        auto dive = PrintFixture::dive(metres, 40);
        for (double m = 42; m > 0; m -= 6)
            dive->addSample(m * 10, 5, 0, 0);
        dive->setStop(stopMode ? 1 : 0);
        auto profile = PrintFixture::profileOf(dive);
        const RecordingDevice d = draw(*profile);
        QList<RecordingDevice::Call> segments;
        for (const auto& c : d.ofKind(Kind::Line)) {
            if (c.width == 2 && c.style == 0 && c.from.x() != c.to.x())
                segments.append(c);
        }
        const qint16 n = qint16(dive->getSamplesCount() + 1);
        QCOMPARE(segments.size(), n + 1); // the time axis, then n segments
        segments.removeFirst();
        const Settings& s = Settings::instance();
        bool sawDeco = false;
        bool sawAscent = false;
        for (qint16 i = 1; i <= n; ++i) {
            const bool deco = !stopMode && profile->getDecoFlag(i) != 0;
            const bool ascent = i > 3 && profile->getMaxVelocity(i) == 5;
            const int entry = deco && ascent ? 3 : ascent ? 1 : deco ? 2 : 0;
            sawDeco |= profile->getDecoFlag(i) != 0;
            sawAscent |= ascent;
            QCOMPARE(segments[i - 1].color, colorOfValue(s.getProfileColor(entry)));
        }
        QVERIFY(sawDeco);
        QVERIFY(sawAscent);
    }

    void marker_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("none") << -1 << 0.0 << 0.0;
        QTest::newRow("start") << 0 << X0 << Y0;
        QTest::newRow("final surface point") << 31 << X0 + 10000 << Y0;
    }
    void marker() {
        QFETCH(int, position);
        QFETCH(double, x);
        QFETCH(double, y);
        PrintFixture f;
        auto profile = PrintFixture::profileOf(PrintFixture::dive(decotest::constant(10, 30), 10));
        const RecordingDevice d = draw(*profile, qint16(position));
        const auto circles = d.ofKind(Kind::Circle);
        QCOMPARE(circles.size(), position < 0 ? 0 : 1);
        if (position >= 0) {
            QVERIFY(qAbs(circles[0].from.x() - x) < 0.01);
            QCOMPARE(circles[0].from.y(), y);
            QCOMPARE(circles[0].radius, 100.0);
            QCOMPARE(circles[0].width, 2);
        }
    }

    void printerAndPreviewDifferInWidthsAndColours() {
        PrintFixture f;
        auto profile = PrintFixture::profileOf(PrintFixture::dive(decotest::constant(10, 30), 10));
        const RecordingDevice preview = draw(*profile, -1, false);
        const RecordingDevice printer = draw(*profile, -1, true);
        QCOMPARE(preview.calls.size(), printer.calls.size());
        const Settings& s = Settings::instance();
        for (int i = 0; i < preview.calls.size(); ++i) {
            const auto& a = preview.calls[i];
            const auto& b = printer.calls[i];
            QCOMPARE(a.from, b.from);
            QCOMPARE(a.to, b.to);
            QCOMPARE(a.text, b.text);
            if (a.color == colorOfValue(s.getProfileColor(0)) && a.kind == Kind::Line && a.width == 2) {
                QCOMPARE(b.width, 6);
                QCOMPARE(b.color, colorOfValue(s.getPrinterColor(0)));
            }
            if (a.color == PrintPalette::lightGrey)
                QCOMPARE(b.color, PrintPalette::lightCyan);
        }
    }

    void nothingForAnUncomputedOrEmptyProfile() {
        PrintFixture f;
        auto uncomputed = PrintFixture::profileOf(PrintFixture::dive(decotest::constant(10, 30), 10), false);
        QCOMPARE(draw(*uncomputed).calls.size(), 0);
        QCOMPARE(f.env.fakes.message->shown.size(), 1);
        QCOMPARE(f.env.fakes.message->shown[0].text,
                 QStringLiteral("[PrinterManager.printProfile] Profile not computed"));
        auto empty = PrintFixture::profileOf(PrintFixture::dive({}, 0));
        QCOMPARE(draw(*empty).calls.size(), 0);
        QCOMPARE(f.env.fakes.message->shown.size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_PrintedProfileGraph)
#include "tst_printedprofilegraph.moc"
