#include "DisplayTissue.h"
#include "ErrorOf.h"
#include "GraphTestDives.h"
#include "RuntimeError.h"
#include "SurfaceEvents.h"
#include "TestEnvironment.h"
#include "TissueChart.h"

#include <QSignalSpy>
#include <QtTest>
#include <optional>

using namespace graphtest;

namespace {
const QColor GREEN(0, 192, 0);
const QColor RED(192, 0, 0);
const QColor GREY(208, 208, 208);
} // namespace

class tst_DisplayTissue : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void geometry_data();
    void geometry();
    void barsByLoad_data();
    void barsByLoad();
    void barPlaces();
    void shortLoadArrayIsRefused();

    void drawsTheStepOfItsProfile();
    void stepTheProfileRefusesKeepsThePicture();
    void divesWithoutShownLoadsStayBlank_data();
    void divesWithoutShownLoadsStayBlank();
    void withoutProfileNothingIsDrawn();
    void currentProfileIsOnlyKept();
    void resizeRedrawsTheLastStep();
    void tinyControl();
    void storedProperties();
    void surfaceEvents_data();
    void surfaceEvents();

private:
    DisplayTissue& tissueOf(std::shared_ptr<Dive> dive, QSize twipsSize = QSize(3165, 1950));

    std::optional<TestEnvironment> m_env;
    std::unique_ptr<DisplayTissue> m_tissue;
    std::shared_ptr<Profile> m_profile;
};

void tst_DisplayTissue::init() {
    m_env.emplace();
    Settings::instance().setCurrentDiveComputer(1);
}

void tst_DisplayTissue::cleanup() {
    m_tissue.reset();
    m_profile.reset();
    m_env.reset();
}

DisplayTissue& tst_DisplayTissue::tissueOf(std::shared_ptr<Dive> dive, QSize twipsSize) {
    m_tissue = std::make_unique<DisplayTissue>();
    m_tissue->resize(twipsSize / 15);
    m_profile = computed(std::move(dive));
    m_tissue->addProfile(m_profile);
    return *m_tissue;
}

void tst_DisplayTissue::geometry_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("lineBase");
    QTest::addColumn<int>("baseLine");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("limitLine");
    QTest::addColumn<int>("top120"); // where a bar of 120 % or more ends
    QTest::newRow("floating window") << 1950 << 400 << 1550 << 12 << 350 << 110;
    QTest::newRow("main window") << 1065 << 200 << 865 << 5 << 365 << 265;
    QTest::newRow("lowest flat: 281") << 281 << 200 << 81 << 0 << 81 << 81;
    QTest::newRow("highest flat: 519") << 519 << 200 << 319 << 0 << 319 << 319;
    QTest::newRow("no room at all") << 150 << 200 << -50 << 0 << -50 << -50;
}

void tst_DisplayTissue::geometry() {
    QFETCH(int, height);
    QFETCH(int, lineBase);
    QFETCH(int, baseLine);
    QFETCH(int, percent);
    QFETCH(int, limitLine);
    QFETCH(int, top120);
    const TissueChart chart = TissueChart::compute(3165, height, lineBase, 50, 1, {150});
    QCOMPARE(chart.baseLine, baseLine);
    QCOMPARE(chart.percent, percent);
    QCOMPARE(chart.limitLine, limitLine);
    QCOMPARE(chart.bars.first().top(), top120);
    QCOMPARE(chart.bars.first().top() + chart.bars.first().height(), baseLine);
}

void tst_DisplayTissue::barsByLoad_data() {
    QTest::addColumn<int>("load");
    QTest::addColumn<int>("height");
    QTest::addColumn<QColor>("color");
    // 1950 twips high: 12 twips a percent.
    QTest::newRow("empty") << 0 << 0 << GREEN;
    QTest::newRow("exactly 100 %") << 100 << 1200 << GREEN;
    QTest::newRow("101 %") << 101 << 1212 << RED;
    QTest::newRow("150 % is drawn as 120 %") << 150 << 1440 << RED;
}

void tst_DisplayTissue::barsByLoad() {
    QFETCH(int, load);
    QFETCH(int, height);
    QFETCH(QColor, color);
    const TissueChart chart = TissueChart::compute(3165, 1950, 400, 50, 1, {qint16(load)});
    QCOMPARE(chart.bars.first().height(), height);
    QCOMPARE(chart.colors.first(), color);
}

void tst_DisplayTissue::barPlaces() {
    // 11 compartments in 3165 twips with gaps of 50: 2565 / 12 gives bars 213 wide.
    const TissueChart chart = TissueChart::compute(3165, 1950, 400, 50, 11, QList<qint16>(11, 50));
    QCOMPARE(chart.barWidth, 213);
    QCOMPARE(chart.bars.size(), 11);
    QCOMPARE(chart.bars.first().left(), 200);
    QCOMPARE(chart.bars.last().left(), 2830);
    QCOMPARE(chart.bars.last().left() + chart.bars.last().width(), 3043);
    // 10 compartments of the RGBM model.
    const TissueChart rgbm = TissueChart::compute(3165, 1950, 400, 50, 10, QList<qint16>(10, 50));
    QCOMPARE(rgbm.barWidth, (3165 - 550) / 11);
}

void tst_DisplayTissue::shortLoadArrayIsRefused() {
    QCOMPARE(errorOf([&] { TissueChart::compute(3165, 1950, 400, 50, 11, QList<qint16>(10, 50)); }),
             RuntimeError::SubscriptOutOfRange);
}

void tst_DisplayTissue::drawsTheStepOfItsProfile() {
    DisplayTissue& tissue = tissueOf(squareDive(45, 120));
    QCOMPARE(tissue.tissueCount(), qint16(11));
    const int last = m_profile->getCurrentDive()->getSamplesCount();
    tissue.updateDisplay(qint16(last));
    QCOMPARE(tissue.lastStep(), qint16(last));
    const QList<qint16> loads = m_profile->getTissue(qint16(last));
    const QImage image = tissue.image();
    // Each bar's colour near its base, and the 100 % line between bars.
    for (int i = 0; i < 11; ++i) {
        const int x = (200 + i * 263 + 100) / 15;
        const QColor expected = loads.at(i) == 0 ? image.pixelColor(1, 1) : loads.at(i) > 100 ? RED : GREEN;
        QCOMPARE(image.pixelColor(x, 1550 / 15 - 2), expected);
    }
    QCOMPARE(image.pixelColor(205 / 15 - 1, 350 / 15), GREY);
    QVERIFY(std::any_of(loads.begin(), loads.end(), [](qint16 l) { return l > 0; }));
}

void tst_DisplayTissue::stepTheProfileRefusesKeepsThePicture() {
    DisplayTissue& tissue = tissueOf(squareDive(30, 30));
    tissue.updateDisplay(20);
    const QImage before = tissue.image();
    QCOMPARE(errorOf([&] { tissue.updateDisplay(902); }), RuntimeError::SubscriptOutOfRange);
    QCOMPARE(tissue.image(), before);
    QCOMPARE(tissue.lastStep(), qint16(20));
}

void tst_DisplayTissue::divesWithoutShownLoadsStayBlank_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("stop");
    QTest::newRow("bottom time") << 1 << 2 << 0;
    QTest::newRow("free dive") << 32 << 2 << 0;
    QTest::newRow("stop dive") << 4 << 0 << 1;
}

void tst_DisplayTissue::divesWithoutShownLoadsStayBlank() {
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, stop);
    Settings::instance().setCurrentDiveComputer(model);
    auto dive = squareDive(30, 30);
    dive->setDiveMode(mode);
    dive->setStop(stop);
    DisplayTissue& tissue = tissueOf(dive);
    tissue.updateDisplay(5);
    const QImage image = tissue.image();
    const QColor background = image.pixelColor(0, 0);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7)
            QCOMPARE(image.pixelColor(x, y), background);
    }
    QCOMPARE(tissue.lastStep(), qint16(0));
}

void tst_DisplayTissue::withoutProfileNothingIsDrawn() {
    DisplayTissue tissue;
    tissue.show();
    QSignalSpy resized(&tissue, &DisplayTissue::Resize);
    tissue.updateDisplay(3);
    tissue.resize(200, 120);
    QCOMPARE(resized.size(), 1);
    QCOMPARE(tissue.lastStep(), qint16(0));
    QCOMPARE(tissue.image().pixelColor(100, 60), tissue.image().pixelColor(0, 0));
}

void tst_DisplayTissue::currentProfileIsOnlyKept() {
    DisplayTissue& tissue = tissueOf(squareDive(30, 30));
    tissue.updateDisplay(10);
    const QImage before = tissue.image();
    // A deeper dive loads its tissues further by the same step.
    const std::shared_ptr<Profile> other = computed(squareDive(45, 60));
    tissue.setCurrentProfile(other);
    QCOMPARE(tissue.currentProfile(), other);
    QCOMPARE(tissue.image(), before);
    QCOMPARE(tissue.lastStep(), qint16(10));
    tissue.updateDisplay(10);
    QVERIFY(tissue.image() != before);
    tissue.setCurrentProfile(nullptr);
    QVERIFY(!tissue.currentProfile());
}

void tst_DisplayTissue::resizeRedrawsTheLastStep() {
    DisplayTissue& tissue = tissueOf(squareDive(30, 30));
    tissue.updateDisplay(10);
    tissue.show();
    tissue.resize(300, 200);
    QCOMPARE(tissue.lastStep(), qint16(10));
    QCOMPARE(tissue.image().size(), QSize(300, 200));
    const QColor bar = tissue.image().pixelColor((200 + 50) / 15, (3000 - 400) / 15 - 2);
    QCOMPARE(bar, GREEN);
}

void tst_DisplayTissue::tinyControl() {
    DisplayTissue& tissue = tissueOf(squareDive(30, 30), QSize(15, 15));
    tissue.updateDisplay(10);
    QCOMPARE(tissue.lastStep(), qint16(10));
    tissue.resize(0, 0);
    tissue.updateDisplay(11);
    QCOMPARE(tissue.lastStep(), qint16(11));
}

void tst_DisplayTissue::storedProperties() {
    DisplayTissue tissue;
    QCOMPARE(tissue.lineBase(), qint16(400));
    QCOMPARE(tissue.xInterval(), qint16(50));
    QCOMPARE(tissue.textBase(), qint16(0));
    QCOMPARE(tissue.tissueCount(), qint16(11));
    QCOMPARE(tissue.font().pointSize(), 7);

    tissue.readProperties(bagOf({{QStringLiteral("LINEBASE"), 200}, {QStringLiteral("textbase"), 0}}));
    QCOMPARE(tissue.lineBase(), qint16(200));
    QCOMPARE(tissue.textBase(), qint16(0));
    QCOMPARE(tissue.xInterval(), qint16(50));
    QCOMPARE(tissue.BackColor(), DisplayTissue::DEFAULT_BACK_COLOR);
    QCOMPARE(tissue.tissueCount(), qint16(0)); // until a profile says
    const PropertyBag written = tissue.writeProperties();
    QCOMPARE(written.read(QStringLiteral("lineBase"), QVariant()).toInt(), 200);
    QCOMPARE(written.read(QStringLiteral("textBase"), QVariant()).toInt(), 0);
    QVERIFY(!written.contains(QStringLiteral("xInterval")));
    QVERIFY(!written.contains(QStringLiteral("BackColor")));

    // textBase and textDown are stored only: the chart does not move.
    m_profile = computed(squareDive(30, 30));
    tissue.resize(211, 130);
    tissue.addProfile(m_profile);
    tissue.updateDisplay(10);
    const QImage before = tissue.image();
    QSignalSpy changed(&tissue, &DisplayTissue::propertyChanged);
    tissue.setTextBase(900);
    tissue.setTextDown(700);
    tissue.updateDisplay(10);
    QCOMPARE(tissue.image(), before);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(0).first().toString(), QStringLiteral("textBase"));

    // The appearance goes through a stored layout with the bars' own values.
    tissue.setBackColor(0x00102030);
    tissue.setBorderStyle(1);
    tissue.setEnabled(false);
    DisplayTissue copy;
    copy.readProperties(tissue.writeProperties());
    QCOMPARE(copy.BackColor(), 0x00102030);
    QCOMPARE(copy.BorderStyle(), qint16(1));
    QVERIFY(!copy.isEnabled());
    QCOMPARE(copy.textBase(), qint16(900));
}

void tst_DisplayTissue::surfaceEvents_data() {
    QTest::addColumn<SurfaceInput>("input");
    QTest::addColumn<QStringList>("events");
    addSurfaceInputRows();
}

void tst_DisplayTissue::surfaceEvents() {
    QFETCH(SurfaceInput, input);
    QFETCH(QStringList, events);
    DisplayTissue& tissue = tissueOf(squareDive(30, 30));
    tissue.updateDisplay(10);
    SurfaceEventLog log(tissue);
    QSignalSpy resized(&tissue, &DisplayTissue::Resize);
    sendSurfaceInput(&tissue, input, QPoint(10, 20));
    QCOMPARE(log.events, events);
    QCOMPARE(resized.size(), 0);
    QCOMPARE(tissue.lastStep(), qint16(10));
}

QTEST_MAIN(tst_DisplayTissue)
#include "tst_displaytissue.moc"
