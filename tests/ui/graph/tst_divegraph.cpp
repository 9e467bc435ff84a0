#include "DiveGraph.h"
#include "ErrorOf.h"
#include "GraphTestDives.h"
#include "Internationalization.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>
#include <optional>

using namespace graphtest;

namespace {
// A move with no button held, delivered whether or not the widget is on the screen.
void moveMouse(QWidget* widget, const QPoint& to) {
    QMouseEvent move(QEvent::MouseMove, QPointF(to), widget->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
} // namespace

// Every graph is 600 by 400 pixels unless a case says otherwise: 9000 by 6000 twips, so the depth
// axis runs from y 300 to 5400 (5100 twips) and the time axis from x 600 to 8700 (8100 twips).
class tst_DiveGraph : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void scales_data();
    void scales();
    void timeGrid_data();
    void timeGrid();
    void depthLabels_data();
    void depthLabels();
    void modLine_data();
    void modLine();
    void deepStopLines_data();
    void deepStopLines();
    void gradientBackground();
    void decompressionColouring();
    void ascentRateColouring();
    void diveWithStopsIsDrawnInTheNormalColour();
    void segmentsCloseAtTheSurfaceOutsideSimulation_data();
    void segmentsCloseAtTheSurfaceOutsideSimulation();
    void diveAtTheEdgeOfTheModelsCapacity();
    void emptyAndUncomputedProfiles();
    void addProfileTwiceFails();

    void moveDiver_data();
    void moveDiver();
    void markerStandsAboveTheProfilePoint();
    void hiddenMarkerDoesNotMove();
    void pressPlacesTheMarker_data();
    void pressPlacesTheMarker();

    void handlesStandOnTheVertices();
    void dragHitTest_data();
    void dragHitTest();
    void releaseDepths_data();
    void releaseDepths();
    void refusedReleaseKeepsTheDragRunning();
    void dragOutsideTheGraph();
    void releaseAfterEditingWasSwitchedOff();

    void storedProperties();
    void scaleSystem_data();
    void scaleSystem();
    void diverIconOutsideItsRangeUsesIconOne_data();
    void diverIconOutsideItsRangeUsesIconOne();

private:
    // A graph of `size` pixels that records, holding the computed dive, drawn once.
    DiveGraph& draw(std::shared_ptr<Dive> dive, QSize size = QSize(600, 400), bool simulation = false);

    std::optional<TestEnvironment> m_env;
    std::unique_ptr<DiveGraph> m_graph;
    std::shared_ptr<Profile> m_profile;
};

void tst_DiveGraph::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_DiveGraph::init() {
    m_env.emplace();
    Settings::instance().setCurrentDiveComputer(1);
}

void tst_DiveGraph::cleanup() {
    m_graph.reset();
    m_profile.reset();
    m_env.reset();
}

DiveGraph& tst_DiveGraph::draw(std::shared_ptr<Dive> dive, QSize size, bool simulation) {
    m_graph = std::make_unique<DiveGraph>();
    m_graph->readProperties(bagOf({{QStringLiteral("ScaleMode"), 1}}));
    m_graph->setSimulationMode(simulation);
    m_graph->resize(size);
    m_graph->setRecording(true);
    if (dive) {
        m_profile = computed(std::move(dive));
        m_graph->addProfile(m_profile);
    }
    m_graph->updateGraph();
    return *m_graph;
}

void tst_DiveGraph::scales_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("samples");
    QTest::addColumn<bool>("simulation");
    QTest::addColumn<int>("depthScale");
    QTest::addColumn<int>("stepWidth");
    QTest::newRow("20 m, 10 samples") << QSize(600, 400) << 20.0 << 10 << false << 255 << 736;
    QTest::newRow("40 m: 127.5 rounds to even") << QSize(600, 400) << 40.0 << 30 << false << 128 << 261;
    QTest::newRow("1282.5 rounds to even") << QSize(600, 402) << 4.0 << 10 << false << 1282 << 736;
    QTest::newRow("30 m") << QSize(600, 400) << 30.0 << 8 << false << 170 << 900;
    QTest::newRow("simulation: no closing step") << QSize(600, 400) << 20.0 << 10 << true << 255 << 810;
    QTest::newRow("at the surface throughout") << QSize(600, 400) << 0.0 << 10 << false << 1 << 736;
    QTest::newRow("graph of a few pixels") << QSize(20, 20) << 20.0 << 10 << false << 1 << 1;
    QTest::newRow("more steps than twips") << QSize(200, 400) << 10.0 << 9000 << false << 510 << 1;
}

void tst_DiveGraph::scales() {
    QFETCH(QSize, size);
    QFETCH(double, metres);
    QFETCH(int, samples);
    QFETCH(bool, simulation);
    QFETCH(int, depthScale);
    QFETCH(int, stepWidth);
    Settings::instance().setCurrentDiveComputer(samples > 900 ? 4 : 1);
    if (samples > 900)
        samples = 3000; // the RGBM model's capacity
    DiveGraph& graph = draw(constantDive(metres, samples), size, simulation);
    QCOMPARE(graph.depthScale(), depthScale);
    QCOMPARE(graph.stepWidth(), stepWidth);
    QCOMPARE(graph.pointCount(), samples + (simulation ? 0 : 1));
}

void tst_DiveGraph::timeGrid_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("samples");
    QTest::addColumn<bool>("freeDive");
    QTest::addColumn<int>("gridStep");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("labelSteps");
    QTest::newRow("25 minutes") << 1 << 25 << 75 << false << 3 << QStringList{"5", "10", "15", "20", "25"}
                                << QList<int>{15, 30, 45, 60, 75};
    QTest::newRow("exactly 30 minutes") << 1 << 30 << 90 << false << 6 << QStringList{"10", "20", "30"}
                                        << QList<int>{30, 60, 90};
    QTest::newRow("exactly 60 minutes") << 1 << 60 << 180 << false << 9 << QStringList{"15", "30", "45", "60"}
                                        << QList<int>{45, 90, 135, 180};
    QTest::newRow("exactly 90 minutes") << 1 << 90 << 270 << false << 12 << QStringList{"20", "40", "60", "80"}
                                        << QList<int>{60, 120, 180, 240};
    QTest::newRow("exactly 120 minutes") << 1 << 120 << 360 << false << 15 << QStringList{"25", "50", "75", "100"}
                                         << QList<int>{75, 150, 225, 300};
    QTest::newRow("free dive of 50 samples: 12.5 rounds to even")
        << 32 << 1 << 50 << true << 12 << QStringList{"00:48", "01:36", "02:24", "03:12"} << QList<int>{12, 24, 36, 48};
    QTest::newRow("free dive of 2 samples: a grid line every step")
        << 32 << 1 << 2 << true << 1 << QStringList{"00:04", "00:08", "00:12", "00:16"} << QList<int>{1, 2, 3, 4};
}

void tst_DiveGraph::timeGrid() {
    QFETCH(int, model);
    QFETCH(int, minutes);
    QFETCH(int, samples);
    QFETCH(bool, freeDive);
    QFETCH(int, gridStep);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, labelSteps);
    Settings::instance().setCurrentDiveComputer(model);
    auto dive = constantDive(5, samples, minutes);
    if (freeDive)
        dive->setDiveMode(2);
    QCOMPARE(dive->isFreeDive(), freeDive);
    DiveGraph& graph = draw(dive);
    const int left = graph.asseX().x1();
    const int labelY = graph.asseX().y1() + 190;

    QStringList texts;
    QList<int> steps;
    for (const GraphStroke& s : strokesOf(graph, GraphStroke::Text)) {
        if (int(s.from.y()) != labelY)
            continue;
        texts.append(s.text);
        steps.append((int(s.from.x()) - left) / graph.stepWidth());
    }
    QCOMPARE(texts, labels);
    QCOMPARE(steps, labelSteps);

    QList<int> gridSteps;
    for (const GraphStroke& s : strokesOf(graph, GraphStroke::Line)) {
        if (s.width == 1 && s.from.x() == s.to.x() && s.color == QColor(192, 192, 192))
            gridSteps.append((int(s.from.x()) - left) / graph.stepWidth());
    }
    QList<int> expected;
    for (int w = gridStep; w <= graph.pointCount() + 1; w += gridStep)
        expected.append(w);
    QCOMPARE(gridSteps, expected);
}

void tst_DiveGraph::depthLabels_data() {
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("lines");
    // 30 m: 170 twips a metre, lines every 7.5 m (1275 twips).
    QTest::newRow("metric") << 30.0 << 0 << QStringList{" 0", " 7.5", " 15", " 22.5", " 30"}
                            << QList<int>{300, 1575, 2850, 4125};
    QTest::newRow("imperial, whole feet")
        << 30.0 << 1 << QStringList{" 0", " 25", " 50", " 74", " 99"} << QList<int>{300, 1575, 2850, 4125};
    // 0.6 m: 8500 twips a metre; a line at every 0.15 m, labelled to one decimal with halves to even.
    QTest::newRow("shallow: one decimal, halves to even")
        << 0.6 << 0 << QStringList{" 0", " 0.2", " 0.3", " 0.4", " 0.6"} << QList<int>{300, 1575, 2850, 4125};
    QTest::newRow("at the surface") << 0.0 << 0 << QStringList{" 0", " 0", " 0", " 0", " 0"}
                                    << QList<int>{300, 300, 300, 300};
}

void tst_DiveGraph::depthLabels() {
    QFETCH(double, metres);
    QFETCH(int, unit);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, lines);
    Internationalization::instance().setMeasureUnit(qint16(unit));
    DiveGraph& graph = draw(constantDive(metres, 8));
    const int labelX = graph.asseX().x1() - 455;
    QStringList texts;
    for (const GraphStroke& s : strokesOf(graph, GraphStroke::Text)) {
        if (int(s.from.x()) == labelX)
            texts.append(s.text);
    }
    QCOMPARE(texts, labels);
    QList<int> horizontal;
    for (const GraphStroke& s : strokesOf(graph, GraphStroke::Line)) {
        if (s.width == 1 && s.from.y() == s.to.y() && s.color == QColor(192, 192, 192))
            horizontal.append(int(s.from.y()));
    }
    QCOMPARE(horizontal, lines);
}

void tst_DiveGraph::modLine_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("expectedY"); // -1: no line
    // 32 % at 1.4 bar: MOD 33.75 m.
    QTest::newRow("nitrox, MOD above the axis") << 1 << 32 << 40.0 << 4620; // 33.75 * 128 + 300
    QTest::newRow("nitrox, MOD below the drawn axis") << 1 << 32 << 20.0 << -1;
    QTest::newRow("air with a stored mixture") << 0 << 32 << 40.0 << -1;
}

void tst_DiveGraph::modLine() {
    QFETCH(int, mode);
    QFETCH(int, oxygen);
    QFETCH(double, metres);
    QFETCH(int, expectedY);
    auto dive = constantDive(metres, 10);
    dive->setDiveMode(mode);
    dive->setNitroxMixture(oxygen);
    dive->setPPO2(1.4F);
    DiveGraph& graph = draw(dive);
    QList<int> modLines;
    for (const GraphStroke& s : strokesOf(graph, GraphStroke::Line)) {
        if (s.color == QColor(255, 0, 0) && s.style == Qt::DashDotDotLine) {
            QCOMPARE(s.from.x(), 600.0);
            QCOMPARE(s.to.x(), 8700.0);
            modLines.append(qRound(s.from.y()));
        }
    }
    QCOMPARE(modLines, expectedY < 0 ? QList<int>{} : QList<int>{expectedY});
}

void tst_DiveGraph::deepStopLines_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("freeDive");
    QTest::addColumn<int>("stop1");
    QTest::addColumn<int>("stop2");
    QTest::addColumn<QList<int>>("lines");
    // 30 m deep: 170 twips a metre, the drawn time axis at 5600.
    QTest::newRow("RGBM, two deep stops") << 4 << false << 21 << 15 << QList<int>{3870, 2850};
    QTest::newRow("RGBM, one deep stop") << 8 << false << 18 << 0 << QList<int>{3360};
    QTest::newRow("RGBM, none") << 16 << false << 0 << 0 << QList<int>{};
    QTest::newRow("RGBM, below the drawn axis") << 4 << false << 33 << 0 << QList<int>{};
    QTest::newRow("11-compartment model") << 1 << false << 21 << 15 << QList<int>{};
    QTest::newRow("free dive") << 32 << true << 21 << 15 << QList<int>{};
}

void tst_DiveGraph::deepStopLines() {
    QFETCH(int, model);
    QFETCH(bool, freeDive);
    QFETCH(int, stop1);
    QFETCH(int, stop2);
    QFETCH(QList<int>, lines);
    Settings::instance().setCurrentDiveComputer(model);
    auto dive = constantDive(30, 12, 4);
    dive->setDeepStop1(float(stop1));
    dive->setDeepStop2(float(stop2));
    if (freeDive)
        dive->setDiveMode(2);
    DiveGraph& graph = draw(dive);
    QList<int> ys;
    for (const GraphStroke& s : strokesOf(graph, GraphStroke::Line)) {
        if (s.color == QColor(255, 255, 0) && s.style == Qt::DashDotDotLine)
            ys.append(qRound(s.from.y()));
    }
    QCOMPARE(ys, lines);
}

void tst_DiveGraph::gradientBackground() {
    const QImage image = draw(nullptr).grabSurface();
    const QColor top = image.pixelColor(300, 0);
    const QColor bottom = image.pixelColor(300, image.height() - 1);
    QVERIFY(top.blue() > 245 && top.red() == 0 && top.green() == 0);
    QVERIFY(bottom.blue() < 10 && bottom.red() == 0 && bottom.green() == 0);
    QVERIFY(image.pixelColor(300, 200).blue() > bottom.blue());
    QVERIFY(image.pixelColor(300, 200).blue() < top.blue());
}

void tst_DiveGraph::decompressionColouring() {
    DiveGraph& graph = draw(squareDive(45, 120));
    const QList<GraphStroke> lines = segments(graph);
    QCOMPARE(lines.size(), graph.pointCount());
    int decoSegments = 0;
    for (int i = 1; i <= graph.pointCount(); ++i) {
        const bool deco = m_profile->getDecoFlag(qint16(i)) != 0;
        decoSegments += deco;
        QCOMPARE(lines.at(i - 1).color, deco ? QColor(255, 0, 0) : QColor(0, 255, 255));
    }
    QVERIFY2(decoSegments > 0, "the dive should run into decompression");

    // On the screen: the middle of a decompression segment is red.
    for (int i = 1; i <= graph.pointCount(); ++i) {
        const GraphStroke& s = lines.at(i - 1);
        if (s.color != QColor(255, 0, 0) || s.from.y() != s.to.y())
            continue;
        const QPointF middle = (s.from + s.to) / 2 / 15;
        QCOMPARE(graph.grabSurface().pixelColor(middle.toPoint()), QColor(255, 0, 0));
        break;
    }
}

void tst_DiveGraph::ascentRateColouring() {
    // A deep dive whose first decompression step and a shallow step come up too fast, and a fast
    // step among the first three, which is never marked.
    auto plain = squareDive(45, 120);
    m_profile = computed(plain);
    int firstDeco = 0;
    for (int i = 4; i <= plain->getSamplesCount() && firstDeco == 0; ++i) {
        if (m_profile->getDecoFlag(qint16(i)) != 0)
            firstDeco = i;
    }
    QVERIFY(firstDeco > 3);
    QList<Sample> samples;
    for (int i = 1; i <= plain->getSamplesCount(); ++i) {
        const bool fast = i == 2 || i == 5 || i == firstDeco;
        samples.append(Sample{plain->getSampleDepth(i), fast ? 5 : 0});
    }
    DiveGraph& graph = draw(diveOf(samples, plain->getDiveTime()));
    const QList<GraphStroke> lines = segments(graph);
    QCOMPARE(lines.at(1).color, QColor(0, 255, 255));             // step 2: never marked
    QCOMPARE(lines.at(4).color, QColor(255, 255, 0));             // step 5: ascent violation
    QCOMPARE(lines.at(firstDeco - 1).color, QColor(128, 0, 128)); // deco with ascent violation
}

void tst_DiveGraph::diveWithStopsIsDrawnInTheNormalColour() {
    auto dive = squareDive(45, 120);
    dive->setStop(1);
    QVERIFY(dive->hasStop());
    DiveGraph& graph = draw(dive);
    for (const GraphStroke& s : segments(graph))
        QCOMPARE(s.color, QColor(0, 255, 255));
}

void tst_DiveGraph::segmentsCloseAtTheSurfaceOutsideSimulation_data() {
    QTest::addColumn<int>("samples");
    QTest::addColumn<bool>("simulation");
    QTest::newRow("one sample") << 1 << false;
    QTest::newRow("ten samples") << 10 << false;
    QTest::newRow("simulation, one sample") << 1 << true;
    QTest::newRow("simulation, ten samples") << 10 << true;
}

void tst_DiveGraph::segmentsCloseAtTheSurfaceOutsideSimulation() {
    QFETCH(int, samples);
    QFETCH(bool, simulation);
    DiveGraph& graph = draw(constantDive(12, samples), QSize(600, 400), simulation);
    const QList<GraphStroke> lines = segments(graph);
    QCOMPARE(lines.size(), samples + (simulation ? 0 : 1));
    const int bottom = 12 * graph.depthScale() + 300;
    QCOMPARE(int(lines.last().to.y()), simulation ? bottom : 300);
    const size_t last = size_t(graph.pointCount()) + 1;
    QCOMPARE(int(graph.vertexY().at(last)), simulation ? bottom : 300);
    QCOMPARE(int(graph.vertexX().at(last)), 600 + graph.pointCount() * graph.stepWidth());
    QCOMPARE(graph.vertexX().at(0), 0.0F);
    QCOMPARE(graph.vertexY().at(1), 300.0F);
}

void tst_DiveGraph::diveAtTheEdgeOfTheModelsCapacity() {
    // 3000 samples fill the RGBM model's tables, the closing step included.
    Settings::instance().setCurrentDiveComputer(4);
    DiveGraph& graph = draw(constantDive(5, 3000));
    QCOMPARE(graph.pointCount(), 3001);
    QCOMPARE(segments(graph).size(), 3001);
    QCOMPARE(int(segments(graph).last().to.y()), 300);
    QVERIFY(graph.isDiverVisible());
    QSignalSpy moves(&graph, &DiveGraph::DiverMovement);
    graph.moveDiver(3001);
    QCOMPARE(moves.size(), 1);
}

void tst_DiveGraph::emptyAndUncomputedProfiles() {
    // No samples: the gradient alone, the marker hidden, nothing to step on.
    DiveGraph& graph = draw(constantDive(0, 0));
    QVERIFY(graph.strokes().isEmpty());
    QVERIFY(!graph.isDiverVisible());
    QCOMPARE(graph.pointCount(), -2);

    // Not computed: a message, then the gradient alone; the vertices of an earlier drawing stay.
    draw(constantDive(10, 5));
    const std::vector<float> before = m_graph->vertexX();
    auto uncomputed = std::make_shared<Profile>();
    uncomputed->setCurrentDive(constantDive(20, 8));
    m_graph->resetProfile();
    m_graph->addProfile(uncomputed);
    m_graph->setRecording(true);
    m_env->fakes.message->answers.enqueue(Msg::Ok);
    m_graph->updateGraph();
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    QCOMPARE(m_env->fakes.message->shown.first().text,
             QStringLiteral("[DiveGraph].drawProfile: Profilo non elaborato"));
    QCOMPARE(m_env->fakes.message->shown.first().flags, int(Msg::Critical));
    QVERIFY(m_graph->strokes().isEmpty());
    QCOMPARE(m_graph->vertexX(), before);

    // After resetProfile the gradient stays alone and a shown marker stays where it was.
    m_graph->resetProfile();
    m_graph->updateGraph();
    QVERIFY(m_graph->strokes().isEmpty());
    QVERIFY(m_graph->isDiverVisible());
}

void tst_DiveGraph::addProfileTwiceFails() {
    DiveGraph graph;
    graph.resetProfile(); // nothing to remove
    graph.addProfile(computed(constantDive(10, 3)));
    QCOMPARE(errorOf([&] { graph.addProfile(computed(constantDive(10, 3))); }), RuntimeError::KeyAlreadyHeld);
    graph.resetProfile();
    graph.addProfile(computed(constantDive(10, 3)));
}

void tst_DiveGraph::moveDiver_data() {
    QTest::addColumn<bool>("simulation");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("raised");
    // Ten samples.
    QTest::newRow("before the start") << false << 3 << "move" << -1 << false;
    QTest::newRow("the closing step") << false << 3 << "move" << 11 << true;
    QTest::newRow("past the closing step") << false << 3 << "move" << 12 << false;
    QTest::newRow("simulation: the last sample") << true << 3 << "move" << 10 << true;
    QTest::newRow("simulation: past the last sample") << true << 3 << "move" << 11 << false;
    QTest::newRow("previous at the start") << false << 0 << "previous" << -1 << false;
    QTest::newRow("next at the end") << false << 11 << "next" << 12 << false;
    QTest::newRow("next") << false << 4 << "next" << 5 << true;
    QTest::newRow("previous") << false << 4 << "previous" << 3 << true;
}

void tst_DiveGraph::moveDiver() {
    QFETCH(bool, simulation);
    QFETCH(int, from);
    QFETCH(QString, command);
    QFETCH(int, step);
    QFETCH(bool, raised);
    DiveGraph& graph = draw(constantDive(10, 10), QSize(600, 400), simulation);
    graph.moveDiver(qint16(from));
    QSignalSpy moves(&graph, &DiveGraph::DiverMovement);
    if (command == QLatin1String("move"))
        graph.moveDiver(qint16(step));
    else if (command == QLatin1String("next"))
        graph.moveDiverNext();
    else
        graph.moveDiverPrevious();
    QCOMPARE(moves.size(), raised ? 1 : 0);
    if (raised)
        QCOMPARE(moves.first().first().value<qint16>(), qint16(step));
    QCOMPARE(int(graph.getCurrentDiverPosition()), raised ? step : from);
}

void tst_DiveGraph::markerStandsAboveTheProfilePoint() {
    DiveGraph& graph = draw(constantDive(10, 8)); // 900 twips a step, 510 a metre
    graph.moveDiver(3);
    const QLabel* sprite = graph.findChild<QLabel*>(QStringLiteral("diverSprite"));
    QVERIFY(sprite);
    QCOMPARE(sprite->pos(), QPoint((600 + 3 * 900) / 15, qRound((10 * 510 + 300 - 40) / 15.0)));
    QCOMPARE(sprite->size(), QSize(28, 13));
    // A redraw neither moves the marker nor changes its step.
    graph.resize(700, 500);
    QCOMPARE(sprite->pos(), QPoint((600 + 3 * 900) / 15, qRound((10 * 510 + 300 - 40) / 15.0)));
    QCOMPARE(graph.getCurrentDiverPosition(), qint16(3));
}

void tst_DiveGraph::hiddenMarkerDoesNotMove() {
    DiveGraph fresh;
    QSignalSpy freshMoves(&fresh, &DiveGraph::DiverMovement);
    fresh.moveDiver(0); // before any drawing
    QCOMPARE(freshMoves.size(), 0);

    DiveGraph& graph = draw(constantDive(10, 8));
    graph.moveDiver(2);
    QSignalSpy moves(&graph, &DiveGraph::DiverMovement);
    graph.setDiverOn(false);
    graph.moveDiver(4);
    graph.setDiverOn(true);
    graph.setDepthChange(true);
    QVERIFY(!graph.isDiverVisible());
    graph.moveDiver(5);
    QCOMPARE(moves.size(), 0);
    QCOMPARE(graph.getCurrentDiverPosition(), qint16(2));
    graph.setDepthChange(false);
    QVERIFY(graph.isDiverVisible());
}

void tst_DiveGraph::pressPlacesTheMarker_data() {
    QTest::addColumn<int>("x"); // pixels; vertex k stands at 600 + (k - 1) * 900 twips
    QTest::addColumn<int>("step");
    QTest::newRow("left of the depth axis") << 10 << 0;
    QTest::newRow("exactly on vertex 5") << 280 << 4;
    QTest::newRow("between vertices 5 and 6") << 300 << 5;
    QTest::newRow("the last vertex") << 580 << 9;
    QTest::newRow("right of the last vertex") << 590 << -1;
}

void tst_DiveGraph::pressPlacesTheMarker() {
    QFETCH(int, x);
    QFETCH(int, step);
    DiveGraph& graph = draw(constantDive(10, 8));
    graph.moveDiver(1);
    QSignalSpy moves(&graph, &DiveGraph::DiverMovement);
    QTest::mousePress(&graph, Qt::LeftButton, {}, QPoint(x, 390));
    QCOMPARE(moves.size(), step < 0 ? 0 : 1);
    QCOMPARE(int(graph.getCurrentDiverPosition()), step < 0 ? 1 : step);
}

void tst_DiveGraph::handlesStandOnTheVertices() {
    DiveGraph& graph = draw(constantDive(10, 8));
    QVERIFY(strokesOf(graph, GraphStroke::Box).isEmpty());
    graph.setDepthChange(true);
    graph.setRecording(true);
    graph.updateGraph();
    const QList<GraphStroke> boxes = strokesOf(graph, GraphStroke::Box);
    QCOMPARE(boxes.size(), graph.pointCount()); // vertices 2 to pointCount + 1
    for (int k = 0; k < boxes.size(); ++k) {
        QCOMPARE(boxes.at(k).from, QPointF(graph.vertexX().at(size_t(k) + 2), graph.vertexY().at(size_t(k) + 2)));
        QCOMPARE(boxes.at(k).to - boxes.at(k).from, QPointF(70, 70));
        QCOMPARE(boxes.at(k).color, QColor(Qt::white));
    }
}

void tst_DiveGraph::dragHitTest_data() {
    QTest::addColumn<QPoint>("press"); // pixels; vertex 3 stands at (160, 360)
    QTest::addColumn<int>("dragStep");
    QTest::newRow("inside the handle of vertex 3") << QPoint(162, 362) << 2;
    QTest::newRow("on the handle's far corner") << QPoint(164, 364) << 2;
    QTest::newRow("just left of vertex 3") << QPoint(159, 362) << -1;
    QTest::newRow("just above vertex 3") << QPoint(162, 359) << -1;
    QTest::newRow("the start of the dive has no handle") << QPoint(40, 20) << -1;
}

void tst_DiveGraph::dragHitTest() {
    QFETCH(QPoint, press);
    QFETCH(int, dragStep);
    DiveGraph& graph = draw(constantDive(10, 8));
    graph.setDepthChange(true);
    graph.updateGraph();
    QTest::mousePress(&graph, Qt::LeftButton, {}, press);
    QCOMPARE(graph.isDragging(), dragStep >= 0);
    if (dragStep < 0)
        return;
    QSignalSpy changes(&graph, &DiveGraph::DepthChange);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(press.x(), 100));
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().at(1).value<qint16>(), qint16(dragStep));
}

void tst_DiveGraph::releaseDepths_data() {
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("releaseY"); // pixels
    QTest::addColumn<float>("depth");  // tenths of a metre; -1: refused
    // 10 m deep: 510 twips a metre.
    QTest::newRow("on the top line") << 10.0 << 20 << -1.0F;
    QTest::newRow("a pixel below the top line") << 10.0 << 21 << 0.0F;
    QTest::newRow("whole metres only") << 10.0 << 100 << 20.0F;
    QTest::newRow("150 m") << 10.0 << 5121 << 1500.0F;
    QTest::newRow("deeper than 150 m") << 10.0 << 5160 << -1.0F;
    // At the surface the plot stands for 150 m: 34 twips a metre.
    QTest::newRow("profile at the surface") << 0.0 << 100 << 350.0F;
}

void tst_DiveGraph::releaseDepths() {
    QFETCH(double, metres);
    QFETCH(int, releaseY);
    QFETCH(float, depth);
    DiveGraph& graph = draw(constantDive(metres, 8));
    graph.setDepthChange(true);
    graph.updateGraph();
    const QPoint vertex3(160, qRound(graph.vertexY().at(3) / 15));
    QTest::mousePress(&graph, Qt::LeftButton, {}, vertex3 + QPoint(2, 2));
    QVERIFY(graph.isDragging());
    QSignalSpy changes(&graph, &DiveGraph::DepthChange);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(162, releaseY));
    if (depth < 0) {
        QCOMPARE(changes.size(), 0);
        QVERIFY(graph.isDragging());
    } else {
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.first().at(0).toFloat(), depth);
        QVERIFY(!graph.isDragging());
    }
}

void tst_DiveGraph::refusedReleaseKeepsTheDragRunning() {
    DiveGraph& graph = draw(constantDive(10, 8));
    graph.setDepthChange(true);
    graph.updateGraph();
    QTest::mousePress(&graph, Qt::LeftButton, {}, QPoint(162, 362));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(162, 10)); // above the plot: refused
    QVERIFY(graph.isDragging());

    // The rubber band follows the mouse with the depth under it, over the graph.
    graph.setRecording(true);
    moveMouse(&graph, QPoint(170, 100));
    const QList<GraphStroke> band = graph.strokes();
    QCOMPARE(band.size(), 3);
    QCOMPARE(band.at(0).style, Qt::DotLine);
    QCOMPARE(band.at(0).from, QPointF(graph.vertexX().at(2), graph.vertexY().at(2)));
    QCOMPARE(band.at(1).text, QStringLiteral("2 m."));
    QCOMPARE(band.at(2).to, QPointF(graph.vertexX().at(4), graph.vertexY().at(4)));
    // The graph stays visible under it.
    QCOMPARE(graph.grabSurface().pixelColor(300, 5).blue() > 200, true);

    QSignalSpy changes(&graph, &DiveGraph::DepthChange);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(170, 100));
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().at(0).toFloat(), 20.0F);
}

void tst_DiveGraph::dragOutsideTheGraph() {
    DiveGraph& graph = draw(constantDive(10, 8));
    graph.setDepthChange(true);
    graph.updateGraph();
    QTest::mousePress(&graph, Qt::LeftButton, {}, QPoint(162, 362));
    QSignalSpy changes(&graph, &DiveGraph::DepthChange);
    for (const QPoint& p : {QPoint(-50, -50), QPoint(900, 6000), QPoint(-400, 5500)}) {
        moveMouse(&graph, p);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, p);
    }
    QCOMPARE(changes.size(), 0);
    QVERIFY(graph.isDragging());
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(162, 160)); // back inside: 4 m
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().at(0).toFloat(), 40.0F);
}

void tst_DiveGraph::releaseAfterEditingWasSwitchedOff() {
    // Leaving depth-change mode does not end a drag under way: its release still reports the depth,
    // and the next drawing has no handles.
    DiveGraph& graph = draw(constantDive(10, 8));
    graph.setDepthChange(true);
    graph.updateGraph();
    QTest::mousePress(&graph, Qt::LeftButton, {}, QPoint(162, 362));
    graph.setDepthChange(false);
    graph.setRecording(true);
    graph.updateGraph();
    QVERIFY(strokesOf(graph, GraphStroke::Box).isEmpty());
    QSignalSpy changes(&graph, &DiveGraph::DepthChange);
    QSignalSpy moves(&graph, &DiveGraph::DiverMovement);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(162, 100));
    QCOMPARE(changes.size(), 1);
    QVERIFY(!graph.isDragging());
    QCOMPARE(moves.size(), 0);
}

void tst_DiveGraph::storedProperties() {
    DiveGraph graph;
    graph.readProperties(bagOf({{QStringLiteral("scalemode"), 1},
                                {QStringLiteral("FORECOLOR"), 15},
                                {QStringLiteral("setDiverOn"), true},
                                {QStringLiteral("setsimulationmode"), true}}));
    QCOMPARE(graph.ScaleMode(), DiveGraph::SCALE_TWIPS);
    QCOMPARE(graph.ForeColor(), 15);
    QVERIFY(graph.SimulationMode());
    QVERIFY(!graph.isDiverVisible()); // stored, the marker's visibility untouched
    graph.resize(100, 50);
    QCOMPARE(graph.ScaleWidth(), 1500.0);
    QCOMPARE(graph.ScaleHeight(), 750.0);

    const PropertyBag written = graph.writeProperties();
    QCOMPARE(written.read(QStringLiteral("ForeColor"), QVariant()), QVariant(15));
    QCOMPARE(written.read(QStringLiteral("ScaleMode"), QVariant()).toInt(), 1);
    QCOMPARE(written.read(QStringLiteral("setDiverOn"), QVariant()), QVariant(true));
    QCOMPARE(written.read(QStringLiteral("setSimulationMode"), QVariant()), QVariant(true));
    for (const char* key : {"BackColor", "Enabled", "BackStyle", "BorderStyle", "CurrentX", "modifyProfile"})
        QVERIFY2(!written.contains(QLatin1String(key)), key);

    // Every setter of a stored value reports its key.
    QSignalSpy changed(&graph, &DiveGraph::propertyChanged);
    graph.setBackColor(3);
    graph.setSimulationMode(false);
    graph.setDiverOn(false);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.at(0).first().toString(), QStringLiteral("BackColor"));
    QCOMPARE(changed.at(1).first().toString(), QStringLiteral("setSimulationMode"));
    QCOMPARE(changed.at(2).first().toString(), QStringLiteral("setDiverOn"));
}

namespace {
// The coordinate system of a graph, with what 1500 twips measure in it across and down.
struct ScaleState {
    qint16 mode;
    double left, top, width, height, across, down;
    bool operator==(const ScaleState&) const = default;
};

ScaleState scaleOf(const DiveGraph& graph) {
    return {graph.ScaleMode(),
            graph.ScaleLeft(),
            graph.ScaleTop(),
            graph.ScaleWidth(),
            graph.ScaleHeight(),
            graph.ScaleX(1500, DiveGraph::SCALE_TWIPS),
            graph.ScaleY(1500, DiveGraph::SCALE_TWIPS)};
}

char* toString(const ScaleState& s) {
    return QTest::toString(QStringLiteral("mode %1 at (%2, %3) extent %4 x %5, 1500 twips %6 x %7")
                               .arg(s.mode)
                               .arg(s.left)
                               .arg(s.top)
                               .arg(s.width)
                               .arg(s.height)
                               .arg(s.across)
                               .arg(s.down));
}

std::optional<double> argument(const QList<double>& args, int i) {
    return i < args.size() && !qIsNaN(args[i]) ? std::optional<double>(args[i]) : std::nullopt;
}
} // namespace

void tst_DiveGraph::scaleSystem_data() {
    // Every graph is 600 by 400 pixels, 9000 by 6000 twips; `start` is a user scale set first
    // (empty: twips). A left-out argument is NaN.
    QTest::addColumn<QList<double>>("start");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QList<double>>("args");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("reported");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<double>>("system"); // left, top, width, height, then 1500 twips across and down

    const QList<double> twips{};
    const QList<double> pixelsAsUser{10, 20, 610, 420};
    const double none = qQNaN();
    const QStringList nothing;
    QTest::newRow("pixels") << twips << "ScaleMode" << QList<double>{3} << 0 << QStringList{"ScaleMode"} << 3
                            << QList<double>{0, 0, 600, 400, 100, 100};
    QTest::newRow("twips after a user scale: origin and extent from the size")
        << pixelsAsUser << "ScaleMode" << QList<double>{1} << 0 << QStringList{"ScaleMode"} << 1
        << QList<double>{0, 0, 9000, 6000, 1500, 1500};
    QTest::newRow("user mode keeps the present system")
        << twips << "ScaleMode" << QList<double>{0} << 0 << QStringList{"ScaleMode"} << 0
        << QList<double>{0, 0, 9000, 6000, 1500, 1500};
    QTest::newRow("width") << twips << "ScaleWidth" << QList<double>{900} << 0 << QStringList{"ScaleWidth"} << 0
                           << QList<double>{0, 0, 900, 6000, 150, 1500};
    QTest::newRow("height") << twips << "ScaleHeight" << QList<double>{60} << 0 << QStringList{"ScaleHeight"} << 0
                            << QList<double>{0, 0, 9000, 60, 1500, 15};
    QTest::newRow("negative width: x grows to the left")
        << twips << "ScaleWidth" << QList<double>{-9000} << 0 << QStringList{"ScaleWidth"} << 0
        << QList<double>{0, 0, -9000, 6000, -1500, 1500};
    QTest::newRow("left moves the origin, not the unit")
        << pixelsAsUser << "ScaleLeft" << QList<double>{-100} << 0 << QStringList{"ScaleLeft"} << 0
        << QList<double>{-100, 20, 600, 400, 100, 100};
    QTest::newRow("top") << twips << "ScaleTop" << QList<double>{50} << 0 << QStringList{"ScaleTop"} << 0
                         << QList<double>{0, 50, 9000, 6000, 1500, 1500};
    QTest::newRow("both corners") << twips << "Scale_" << pixelsAsUser << 0 << nothing << 0
                                  << QList<double>{10, 20, 600, 400, 100, 100};
    QTest::newRow("right corner only: the left one stays")
        << twips << "Scale_" << QList<double>{none, none, 4500, none} << 0 << nothing << 0
        << QList<double>{0, 0, 4500, 6000, 750, 1500};
    QTest::newRow("no corners: back to twips") << pixelsAsUser << "Scale_" << QList<double>{} << 0 << nothing << 1
                                               << QList<double>{0, 0, 9000, 6000, 1500, 1500};
    QTest::newRow("width 0 refused") << twips << "ScaleWidth" << QList<double>{0} << 380 << nothing << 1
                                     << QList<double>{0, 0, 9000, 6000, 1500, 1500};
    QTest::newRow("corners of no height refused, nothing changed")
        << pixelsAsUser << "Scale_" << QList<double>{0, 5, 600, 5} << 380 << nothing << 0
        << QList<double>{10, 20, 600, 400, 100, 100};
    QTest::newRow("conversion to an unknown mode refused")
        << twips << "ScaleX" << QList<double>{1, 1, 9} << 5 << nothing << 1
        << QList<double>{0, 0, 9000, 6000, 1500, 1500};
}

void tst_DiveGraph::scaleSystem() {
    QFETCH(QList<double>, start);
    QFETCH(QString, member);
    QFETCH(QList<double>, args);
    QFETCH(int, error);
    QFETCH(QStringList, reported);
    QFETCH(int, mode);
    QFETCH(QList<double>, system);
    const ScaleState expected{qint16(mode), system[0], system[1], system[2], system[3], system[4], system[5]};

    DiveGraph graph;
    graph.resize(600, 400);
    if (!start.isEmpty())
        graph.Scale_(start[0], start[1], start[2], start[3]);
    QSignalSpy changed(&graph, &DiveGraph::propertyChanged);
    const double value = args.value(0);
    const int raised = errorOf([&] {
        if (member == u"ScaleMode")
            graph.setScaleMode(qint16(value));
        else if (member == u"ScaleLeft")
            graph.setScaleLeft(value);
        else if (member == u"ScaleTop")
            graph.setScaleTop(value);
        else if (member == u"ScaleWidth")
            graph.setScaleWidth(value);
        else if (member == u"ScaleHeight")
            graph.setScaleHeight(value);
        else if (member == u"ScaleX")
            graph.ScaleX(value, qint16(args[1]), qint16(args[2]));
        else
            graph.Scale_(argument(args, 0), argument(args, 1), argument(args, 2), argument(args, 3));
    });
    QCOMPARE(raised, error);
    QStringList keys;
    for (const QList<QVariant>& signal : changed)
        keys.append(signal.first().toString());
    QCOMPARE(keys, reported);
    QCOMPARE(scaleOf(graph), expected);
    QCOMPARE(graph.ScaleX(2540), system[4] / 1500 * 1440); // from himetric by default

    // A host's stored layout brings the same system back.
    DiveGraph copy;
    copy.resize(600, 400);
    copy.readProperties(graph.writeProperties());
    QCOMPARE(scaleOf(copy), expected);
}

void tst_DiveGraph::diverIconOutsideItsRangeUsesIconOne_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("shown");
    QTest::newRow("icon 1") << 1 << 1;
    QTest::newRow("icon 6") << 6 << 6;
    QTest::newRow("icon 0") << 0 << 1;
    QTest::newRow("icon 7") << 7 << 1;
    QTest::newRow("negative") << -3 << 1;
}

void tst_DiveGraph::diverIconOutsideItsRangeUsesIconOne() {
    QFETCH(int, icon);
    QFETCH(int, shown);
    Settings::instance().setCurrentDiverIcon(qint16(icon));
    DiveGraph graph;
    const QLabel* sprite = graph.findChild<QLabel*>(QStringLiteral("diverSprite"));
    QCOMPARE(sprite->pixmap().toImage(), DiveGraph::diverPicture(qint16(shown)).toImage());
    if (shown != 1)
        QVERIFY(sprite->pixmap().toImage() != DiveGraph::diverPicture(1).toImage());
}

QTEST_MAIN(tst_DiveGraph)
#include "tst_divegraph.moc"
