#include "ErrorOf.h"
#include "GraphTestDives.h"
#include "ProfileReplay.h"
#include "RecordingFace.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QToolBar>
#include <QtTest>
#include <optional>

using namespace graphtest;

// A host's displays in a plain widget: graph, tissue display and a face that logs every call.
class tst_ProfileReplay : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void showOrder_data();
    void showOrder();
    void previousDiveIcons_data();
    void previousDiveIcons();
    void markerCommands_data();
    void markerCommands();
    void stepKeys();
    void diveTheModelCannotComputeTouchesNoDisplay();
    void stepADisplayCannotShowLeavesTheOthersFollowing();
    void toolbarOrder();

private:
    std::optional<TestEnvironment> m_env;
    std::unique_ptr<QWidget> m_host;
    DiveGraph* m_graph = nullptr;
    DisplayTissue* m_tissue = nullptr;
    std::unique_ptr<RecordingFace> m_face;
    ProfileReplay* m_replay = nullptr;
    QStringList m_log;
};

void tst_ProfileReplay::init() {
    m_env.emplace();
    Settings::instance().setCurrentDiveComputer(1);
    m_host = std::make_unique<QWidget>();
    m_graph = new DiveGraph(m_host.get());
    m_graph->readProperties(bagOf({{QStringLiteral("ScaleMode"), 1}}));
    m_graph->resize(600, 400);
    m_tissue = new DisplayTissue(m_host.get());
    m_tissue->resize(211, 130);
    m_log.clear();
    m_face = std::make_unique<RecordingFace>(m_host.get(), &m_log);
    m_face->watch(m_graph, m_tissue);
    m_replay = new ProfileReplay(m_graph, m_tissue, m_host.get());
    m_replay->setFace(m_face.get());
}

void tst_ProfileReplay::cleanup() {
    m_replay->setFace(nullptr);
    m_face.reset();
    m_host.reset();
    m_env.reset();
}

void tst_ProfileReplay::showOrder_data() {
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QStringList>("expected");
    // The main window shows dive after dive, resetting the graph; the profile window shows one.
    QTest::newRow("main window, second dive")
        << true
        << QStringList{"setIcon 0 0 | graph P1, tissue P1, marker 7", "addProfile P2 | graph P1, tissue P1, marker 7",
                       "updateDisplay 0 | graph P2, tissue P2, marker 0"};
    QTest::newRow("profile window, its one dive")
        << false
        << QStringList{"setIcon 0 0 | graph -, tissue -, marker 0", "addProfile P1 | graph -, tissue -, marker 0",
                       "updateDisplay 0 | graph P1, tissue P1, marker 0"};
}

void tst_ProfileReplay::showOrder() {
    QFETCH(bool, reset);
    QFETCH(QStringList, expected);
    if (reset) {
        m_replay->showDive(squareDive(20, 10), nullptr, true);
        m_graph->moveDiver(7);
        m_log.clear();
    }
    m_replay->showDive(squareDive(30, 12), nullptr, reset);
    QCOMPARE(m_log, expected);
    QCOMPARE(m_tissue->lastStep(), qint16(0));
    QVERIFY(m_graph->isDiverVisible());
    QCOMPARE(m_replay->profile(), m_graph->profile());
    QCOMPARE(m_replay->profile()->wasElaborated(), true);
}

void tst_ProfileReplay::previousDiveIcons_data() {
    QTest::addColumn<bool>("stopDive");
    QTest::addColumn<bool>("previousExists");
    QTest::addColumn<QStringList>("icons");
    QTest::newRow("stop dive after a dive with violations")
        << true << true << QStringList{"setIcon 0 0", "setIcon 1 2"};
    QTest::newRow("stop dive, no dive before") << true << false << QStringList{"setIcon 0 0"};
    QTest::newRow("dive without stops") << false << true << QStringList{"setIcon 0 0"};
}

void tst_ProfileReplay::previousDiveIcons() {
    QFETCH(bool, stopDive);
    QFETCH(bool, previousExists);
    QFETCH(QStringList, icons);
    int lookups = 0;
    m_replay->setPreviousDiveLookup([&](const Dive&) -> std::shared_ptr<Dive> {
        ++lookups;
        if (!previousExists)
            return nullptr;
        auto before = constantDive(10, 3);
        before->setAscent(1);
        before->setDecoStop(2);
        return before;
    });
    auto dive = squareDive(20, 10);
    dive->setStop(stopDive ? 1 : 0);
    m_replay->showDive(dive, nullptr, true);
    QStringList shown;
    for (const QString& line : m_log) {
        if (line.startsWith(QLatin1String("setIcon")))
            shown.append(line.section(QLatin1String(" |"), 0, 0));
    }
    QCOMPARE(shown, icons);
    QCOMPARE(lookups, stopDive ? 1 : 0);
}

void tst_ProfileReplay::markerCommands_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("to"); // -1: no move
    // Ten samples: steps 0 to 11.
    QTest::newRow("FIRST") << 5 << "FIRST" << 0;
    QTest::newRow("PREVIOUS") << 5 << "PREVIOUS" << 4;
    QTest::newRow("NEXT") << 5 << "NEXT" << 6;
    QTest::newRow("LAST: the return to the surface") << 5 << "LAST" << 11;
    QTest::newRow("NEXT at the end") << 11 << "NEXT" << -1;
    QTest::newRow("PREVIOUS at the start") << 0 << "PREVIOUS" << -1;
}

void tst_ProfileReplay::markerCommands() {
    QFETCH(int, from);
    QFETCH(QString, key);
    QFETCH(int, to);
    m_replay->showDive(constantDive(10, 10), nullptr, true);
    m_graph->moveDiver(qint16(from));
    m_log.clear();
    QVERIFY(m_replay->step(key));
    if (to < 0) {
        QVERIFY(m_log.isEmpty());
        QCOMPARE(int(m_graph->getCurrentDiverPosition()), from);
    } else {
        QCOMPARE(m_log, QStringList{QStringLiteral("updateDisplay %1 | graph P1, tissue P1, marker %1").arg(to)});
        QCOMPARE(int(m_tissue->lastStep()), to);
    }
    QVERIFY(!m_replay->step(QStringLiteral("PRINT")));
}

void tst_ProfileReplay::stepKeys() {
    m_replay->addStepKeys(m_host.get());
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
    m_graph->setFocus();
    m_replay->showDive(constantDive(10, 10), nullptr, true);
    const QPair<Qt::Key, int> keys[] = {{Qt::Key_End, 11}, {Qt::Key_Left, 10}, {Qt::Key_Home, 0}, {Qt::Key_Right, 1}};
    for (const auto& [key, step] : keys) {
        QTest::keyClick(m_graph, key);
        QCOMPARE(int(m_graph->getCurrentDiverPosition()), step);
    }
}

void tst_ProfileReplay::diveTheModelCannotComputeTouchesNoDisplay() {
    m_replay->showDive(constantDive(10, 10), nullptr, true);
    m_graph->moveDiver(4);
    m_log.clear();
    const QImage tissueBefore = m_tissue->image();
    QCOMPARE(errorOf([&] { m_replay->showDive(constantDive(10, 901), nullptr, true); }),
             RuntimeError::SubscriptOutOfRange);
    QVERIFY(m_log.isEmpty());
    QCOMPARE(m_graph->profile(), m_replay->profile());
    QCOMPARE(m_graph->getCurrentDiverPosition(), qint16(4));
    QCOMPARE(m_tissue->image(), tissueBefore);

    // The host then shows nothing rather than the dive before.
    m_replay->clear();
    QVERIFY(!m_graph->hasProfile());
    QVERIFY(!m_tissue->currentProfile());
}

void tst_ProfileReplay::stepADisplayCannotShowLeavesTheOthersFollowing() {
    QStringList later;
    m_replay->onStep = [&](qint16 step) {
        if (step == 3)
            throw RuntimeError::subscript(QStringLiteral("floating"));
        later.append(QString::number(step));
    };
    m_replay->showDive(constantDive(10, 10), nullptr, true);
    m_graph->moveDiver(3);
    m_graph->moveDiver(4);
    QCOMPARE(later, (QStringList{"0", "4"}));
    QCOMPARE(m_tissue->lastStep(), qint16(4));
    QCOMPARE(m_graph->getCurrentDiverPosition(), qint16(4));
}

void tst_ProfileReplay::toolbarOrder() {
    QToolBar withSimulator;
    withSimulator.setObjectName(QStringLiteral("tblProfile"));
    const QHash<QString, QAction*> buttons = ProfileReplay::buildToolbar(&withSimulator, true);
    QStringList keys;
    QStringList tips;
    for (QAction* action : withSimulator.actions()) {
        keys.append(action->isSeparator() ? QStringLiteral("|") : action->data().toString());
        if (!action->isSeparator())
            tips.append(action->toolTip());
    }
    QCOMPARE(keys, (QStringList{"DiveComputer", "Tissue", "|", "PRINT", "PREVIEW", "|", "SIMULATOR", "|", "FIRST",
                                "PREVIOUS", "NEXT", "LAST"}));
    QCOMPARE(tips, (QStringList{"1801", "1802", "1807", "1808", "1809", "1803", "1804", "1805", "1806"}));
    QVERIFY(buttons.value(QStringLiteral("DiveComputer"))->isCheckable());
    QVERIFY(buttons.value(QStringLiteral("Tissue"))->isCheckable());
    QVERIFY(!buttons.value(QStringLiteral("NEXT"))->isCheckable());
    QCOMPARE(buttons.value(QStringLiteral("NEXT"))->objectName(), QStringLiteral("tblProfile_NEXT"));

    QToolBar window;
    ProfileReplay::buildToolbar(&window, false);
    QCOMPARE(window.actions().size(), 10);
}

QTEST_MAIN(tst_ProfileReplay)
#include "tst_profilereplay.moc"
