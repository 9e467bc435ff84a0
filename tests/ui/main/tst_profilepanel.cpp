#include "DisplayTissue.h"
#include "Dive.h"
#include "DiveComputerDisplayFactory.h"
#include "DiveComputerFace.h"
#include "DiveGenerator.h"
#include "DiveGraph.h"
#include "DiveTabs.h"
#include "MainWindowFixture.h"
#include "PreviewWatcher.h"
#include "Profile.h"
#include "ProfilePanel.h"
#include "ProfileReplay.h"
#include "Recordset.h"
#include "Settings.h"
#include "StatementTrace.h"
#include "diveInfo.h"
#include "frmProfile.h"

#include <QAction>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QString SAMPLES_AT_10M = QString(QStringLiteral("0100000000000000")).repeated(12);

// A face that only counts what it is asked; enough to see where the panel puts it.
class CountingFace : public DiveComputerFace {
public:
    explicit CountingFace(QWidget* parent) : m_widget(new QWidget(parent)) {}
    QWidget* widget() override { return m_widget; }
    void addProfile(std::shared_ptr<Profile> p) override { profile = std::move(p); }
    void setIcon(qint16, qint16) override {}
    void updateDisplay(qint16 step) override { steps.append(step); }
    std::shared_ptr<Profile> profile;
    QList<qint16> steps;

private:
    QWidget* m_widget;
};

// A logbook of the Zento with a dive of twelve samples and one too long for the model, and the
// main window on it.
struct Window : MainWindowFixture {
    explicit Window(int model = 1) : MainWindowFixture(model) {
        reef = fixture.logbook(QStringLiteral("Reef"), 1);
        twelve = fixture.dive(
            reef, at(2004, 3, 5, 9, 30),
            {{QStringLiteral("SAMPLE"), SAMPLES_AT_10M}, {QStringLiteral("DIVER"), QStringLiteral("Ann")}});
        longDive =
            fixture.dive(reef, at(2004, 3, 6, 9, 30),
                         {{QStringLiteral("SAMPLE"), QString(QStringLiteral("0100000000000000")).repeated(901)}});
        open();
    }
    ~Window() { Faces::setFactory({}); }
    // As the diver does it: the dive chosen in the tree, then the Profile tab.
    void showProfileOf(qint32 diveID) {
        window->tvTreeView()->setCurrentItem(node(MainWindowFixture::dive(diveID)));
        window->tabDive()->setCurrentIndex(DiveTabs::TAB_PROFILE);
    }
    // The window on the screen with the profile panel's tab in front, so that the panel has its size.
    void showPanel() {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->tabLeft()->setCurrentIndex(1);
        QCoreApplication::processEvents();
    }
    ProfilePanel* panel() const { return window->profilePanel(); }

    qint32 reef = 0, twelve = 0, longDive = 0;
};
} // namespace

class tst_ProfilePanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void profileTabShowsTheDiveAtStepZero();
    void diveIsReadOnceEachTimeItIsShown();
    void panelStepsTheGraph_data();
    void panelStepsTheGraph();
    void faceIsCreatedAtLoadAndFollows();
    void modelWithoutAFaceLaysOutAsIfHidden();
    void waitingButtonsStayDisabled();
    void printAndPreviewTheShownDive_data();
    void printAndPreviewTheShownDive();
    void printOfADeletedDiveStopsAfterTheMessage();
    void diveTooLongForTheModel();
    void profileCommand_data();
    void profileCommand();
    void profileCommandBringsTheOpenWindowForward();
    void pictureOfTheProfileDisplay_data();
    void pictureOfTheProfileDisplay();
};

void tst_ProfilePanel::profileTabShowsTheDiveAtStepZero() {
    Window m;
    m.showProfileOf(m.twelve);
    DiveGraph* graph = m.window->DiveGraph1();
    QVERIFY(graph->hasProfile());
    QCOMPARE(graph->getCurrentDiverPosition(), qint16(0));
    QCOMPARE(graph->pointCount(), 13);
    QCOMPARE(m.panel()->DisplayTissue1->currentProfile(), graph->profile());
    QCOMPARE(m.panel()->DisplayTissue1->lineBase(), qint16(200));
    QCOMPARE(m.panel()->replay().dive(), m.window->currentDive);
    QCOMPARE(m.window->tabLeft()->isTabEnabled(1), true);
    // Filled again each time the tab is shown: a new profile, the marker back at the start.
    graph->moveDiver(5);
    const std::shared_ptr<Profile> before = graph->profile();
    m.window->changeCurrentTab(DiveTabs::TAB_PROFILE);
    QVERIFY(graph->profile() != before);
    QCOMPARE(graph->getCurrentDiverPosition(), qint16(0));
}

// The dive a selection reads is the one the Profile tab then shows; showing the tab again reads it
// again, as every tab is filled each time it is shown.
void tst_ProfilePanel::diveIsReadOnceEachTimeItIsShown() {
    Window m;
    const qint32 next = m.fixture.dive(m.reef, at(2004, 3, 7, 9, 30), {{QStringLiteral("SAMPLE"), SAMPLES_AT_10M}});
    m.window->reloadTreeView(QString());
    m.showProfileOf(m.twelve);
    const QRegularExpression readOfNext(
        QStringLiteral("^SELECT .* FROM DIVE, FILE WHERE .*\\bDIVE_ID = %1$").arg(next));

    StatementTrace trace(m.fixture.db);
    m.window->tvTreeView()->setCurrentItem(m.node(MainWindowFixture::dive(next)));
    QCOMPARE(m.window->tabDive()->currentIndex(), int(DiveTabs::TAB_PROFILE));
    QCOMPARE(m.panel()->replay().dive(), m.window->currentDive);
    QCOMPARE(m.window->currentDive->diveID(), next);
    QCOMPARE(trace.count(readOfNext), 1);

    trace.clear();
    m.window->tabDive()->setCurrentIndex(DiveTabs::TAB_GENERAL);
    m.window->tabDive()->setCurrentIndex(DiveTabs::TAB_PROFILE);
    QCOMPARE(trace.count(readOfNext), 1);
    QCOMPARE(m.panel()->replay().dive(), m.window->currentDive);
}

void tst_ProfilePanel::panelStepsTheGraph_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("step");
    QTest::newRow("LAST") << QStringList{"LAST"} << 13;
    QTest::newRow("NEXT at the end") << QStringList{"LAST", "NEXT"} << 13;
    QTest::newRow("PREVIOUS at the start") << QStringList{"PREVIOUS"} << 0;
    QTest::newRow("NEXT, NEXT, PREVIOUS") << QStringList{"NEXT", "NEXT", "PREVIOUS"} << 1;
}

void tst_ProfilePanel::panelStepsTheGraph() {
    QFETCH(QStringList, keys);
    QFETCH(int, step);
    Window m;
    m.showProfileOf(m.twelve);
    for (const QString& key : keys)
        m.panel()->buttons.value(key)->trigger();
    QCOMPARE(int(m.window->DiveGraph1()->getCurrentDiverPosition()), step);
    QCOMPARE(int(m.panel()->DisplayTissue1->lastStep()), step);
}

void tst_ProfilePanel::faceIsCreatedAtLoadAndFollows() {
    QList<qint32> asked;
    CountingFace* face = nullptr;
    Faces::setFactory([&](qint32 model, QWidget* parent) {
        asked.append(model);
        auto made = std::make_unique<CountingFace>(parent);
        face = made.get();
        return made;
    });
    Window m;
    QCOMPARE(asked, QList<qint32>{1});
    QCOMPARE(m.panel()->diveComputerDisplay(), face);
    m.showProfileOf(m.twelve);
    QCOMPARE(face->profile, m.window->DiveGraph1()->profile());
    QCOMPARE(face->steps.last(), qint16(0));
    m.panel()->tblProfile_ButtonClick(QStringLiteral("NEXT"));
    QCOMPARE(face->steps.last(), qint16(1));

    // The face stands under the toolbar, the tissue display under the face.
    m.showPanel();
    const int belowToolbar = m.panel()->tblProfile->geometry().bottom() + 1;
    QCOMPARE(face->widget()->geometry(), QRect(6, belowToolbar, 265, 322));
    QCOMPARE(m.panel()->DisplayTissue1->y(), belowToolbar + 322);
    // The panel shows the whole face.
    QVERIFY2(m.panel()->rect().contains(face->widget()->geometry()),
             qPrintable(QStringLiteral("panel %1 px wide").arg(m.panel()->width())));
}

void tst_ProfilePanel::modelWithoutAFaceLaysOutAsIfHidden() {
    // Model code 3 passes the start-up check, but no face draws it.
    Faces::setFactory([](qint32 model, QWidget* parent) -> std::unique_ptr<DiveComputerFace> {
        return model == 3 ? nullptr : std::make_unique<CountingFace>(parent);
    });
    Window m(3);
    QVERIFY(!m.panel()->diveComputerDisplay());
    m.showPanel();
    const int belowToolbar = m.panel()->tblProfile->geometry().bottom() + 1;
    QCOMPARE(m.panel()->DisplayTissue1->y(), belowToolbar);
    QVERIFY(m.panel()->DisplayTissue1->height() > 100);
}

void tst_ProfilePanel::waitingButtonsStayDisabled() {
    Window m;
    m.showProfileOf(m.twelve);
    for (const char* key : {"DiveComputer", "Tissue"})
        QVERIFY2(!m.panel()->buttons.value(QLatin1String(key))->isEnabled(), key);
}

void tst_ProfilePanel::printAndPreviewTheShownDive_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("marker");
    QTest::newRow("preview at the start") << "PREVIEW" << QStringList{} << 0;
    QTest::newRow("preview after NEXT, NEXT") << "PREVIEW" << QStringList{"NEXT", "NEXT"} << 2;
    QTest::newRow("preview after LAST: the end point") << "PREVIEW" << QStringList{"LAST"} << 13;
    QTest::newRow("print after NEXT") << "PRINT" << QStringList{"NEXT"} << 1;
}

void tst_ProfilePanel::printAndPreviewTheShownDive() {
    QFETCH(QString, key);
    QFETCH(QStringList, steps);
    QFETCH(int, marker);
    Window m;
    QTemporaryDir dir;
    m.env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("panel.pdf"));
    m.showProfileOf(m.twelve);
    for (const QString& step : steps)
        m.panel()->buttons.value(step)->trigger();
    QAction* button = m.panel()->buttons.value(key);
    QVERIFY(button->isEnabled());
    PreviewWatcher watcher;
    button->trigger();
    const std::shared_ptr<Profile> shown = m.panel()->diveProfile();
    // The selected dive's descriptive record comes with the page and stays on the dive.
    QVERIFY(shown->getCurrentDive()->diveInfo());
    QCOMPARE(shown->getCurrentDive()->diveInfo()->diver(), QStringLiteral("Ann"));
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
    // Dive pages are landscape.
    QCOMPARE(m.env.fakes.printers->current, 2);
    if (key == QLatin1String("PRINT")) {
        QVERIFY(!watcher.shown);
        QCOMPARE(m.env.fakes.printers->documents, 1);
        return;
    }
    QVERIFY(watcher.shown);
    QCOMPARE(m.env.fakes.printers->documents, 0);
    QCOMPARE(watcher.job->mode(), watcher.job->PROFILE_MODE);
    QCOMPARE(int(watcher.job->iDivePosition), marker);
    QCOMPARE(watcher.job->cProfiles.size(), 1);
    QCOMPARE(watcher.job->cProfiles.first(), shown);
    // The panel goes on replaying its dive where it was.
    QCOMPARE(int(m.window->DiveGraph1()->getCurrentDiverPosition()), marker);
}

void tst_ProfilePanel::printOfADeletedDiveStopsAfterTheMessage() {
    Window m;
    m.showProfileOf(m.twelve);
    m.fixture.db.execute(QStringLiteral("DELETE FROM DIVE WHERE DIVE_ID = ?"), {m.twelve});
    m.env.fakes.message->answers.enqueue(Msg::Ok);
    PreviewWatcher watcher;
    m.panel()->buttons.value(QStringLiteral("PREVIEW"))->trigger();
    QVERIFY(!watcher.shown);
    QCOMPARE(m.messages(), QStringList{"[DiveModule.loadDive] Dive not found! Not correct."});
    QCOMPARE(m.env.fakes.message->unexpected, 0);
    m.panel()->buttons.value(QStringLiteral("NEXT"))->trigger();
    QCOMPARE(m.window->DiveGraph1()->getCurrentDiverPosition(), qint16(1));
}

void tst_ProfilePanel::diveTooLongForTheModel() {
    Window m;
    m.showProfileOf(m.twelve);
    m.env.fakes.message->answers.enqueue(Msg::Ok);
    m.showProfileOf(m.longDive);
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
    QCOMPARE(m.env.fakes.message->shown.first().title, QStringLiteral("Warning!"));
    QVERIFY(m.env.fakes.message->shown.first().text.contains(QStringLiteral("[9]")));
    // Nothing of the dive before stays on show, and the program goes on.
    QVERIFY(!m.window->DiveGraph1()->hasProfile());
    QVERIFY(!m.panel()->DisplayTissue1->currentProfile());
    m.showProfileOf(m.twelve);
    QVERIFY(m.window->DiveGraph1()->hasProfile());
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

void tst_ProfilePanel::profileCommand_data() {
    QTest::addColumn<QString>("selection"); // "dive", "deleted" or "none"
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("opens");
    QTest::newRow("a dive") << "dive" << QString() << true;
    QTest::newRow("no dive selected") << "none"
                                      << "No dive has been selected." << false;
    QTest::newRow("a dive deleted meanwhile") << "deleted"
                                              << "[DiveModule.loadDive] Dive not found! Not correct." << false;
}

void tst_ProfilePanel::profileCommand() {
    QFETCH(QString, selection);
    QFETCH(QString, message);
    QFETCH(bool, opens);
    Window m;
    if (selection == QLatin1String("none")) {
        Settings::instance().setCurrentDiveID(-1);
    } else {
        m.select(MainWindowFixture::dive(m.twelve));
        if (selection == QLatin1String("deleted"))
            m.fixture.db.execute(QStringLiteral("DELETE FROM DIVE WHERE DIVE_ID = ?"), {m.twelve});
    }
    if (!message.isEmpty())
        m.env.fakes.message->answers.enqueue(Msg::Ok);
    QVERIFY(m.window->mnuViewProfile()->isEnabled());
    m.window->mnuViewProfile()->trigger();
    QCOMPARE(isFormLoaded(QStringLiteral("frmProfile")), opens);
    QCOMPARE(m.env.fakes.message->shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(m.env.fakes.message->shown.first().text, message);
    QCOMPARE(m.env.fakes.busyPointer->busy, false);
    if (!opens)
        return;
    auto* window = m.window->findChild<frmProfile*>(QStringLiteral("frmProfile"));
    QVERIFY(window);
    QCOMPARE(window->currentDive()->diveID(), m.twelve);
    QCOMPARE(window->DiveGraph1->getCurrentDiverPosition(), qint16(0));
}

void tst_ProfilePanel::profileCommandBringsTheOpenWindowForward() {
    Window m;
    m.select(MainWindowFixture::dive(m.twelve));
    m.window->tlbMainToolbar_ButtonClick(QStringLiteral("PROFILE"));
    auto* first = m.window->findChild<frmProfile*>(QStringLiteral("frmProfile"));
    QVERIFY(first);
    first->hide();
    // Another dive selected: the open window keeps its own.
    m.select(MainWindowFixture::dive(m.longDive));
    m.window->tlbMainToolbar_ButtonClick(QStringLiteral("PROFILE"));
    QCOMPARE(m.window->findChildren<frmProfile*>().size(), 1);
    QVERIFY(first->isVisible());
    QCOMPARE(first->currentDive()->diveID(), m.twelve);
}

void tst_ProfilePanel::pictureOfTheProfileDisplay_data() {
    QTest::addColumn<int>("model");
    for (int model : {1, 2, 8, 32})
        QTest::addRow("%d", model) << model;
}

// A picture of the panel with the face of each family on a deco dive's first stop, for looking at,
// not for asserting: run with SONA_SCREENSHOT_DIR set (under a real display server such as Xvfb).
void tst_ProfilePanel::pictureOfTheProfileDisplay() {
    const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    QFETCH(int, model);
    installDiveComputerDisplays();
    MainWindowFixture m(model);
    const qint32 book = m.fixture.logbook(QStringLiteral("Demo"), model);
    Recordset table = Recordset::table(m.fixture.db, QStringLiteral("DIVE"));
    const qint32 id = DiveGenerator::store(
        table, DiveGenerator(2004).scubaDive(model, at(2024, 6, 1, 9, 0), 50, DiveGenerator::ScubaKind::Deco), book);
    m.open();
    m.window->tvTreeView()->setCurrentItem(m.node(MainWindowFixture::dive(id)));
    m.window->tabDive()->setCurrentIndex(DiveTabs::TAB_PROFILE);
    m.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m.window));
    m.window->tabLeft()->setCurrentIndex(1);
    const std::shared_ptr<Profile>& profile = m.window->profilePanel()->diveProfile();
    QVERIFY(profile);
    qint16 step = 0;
    while (step < 300 && profile->getDecoFlag(step) == 0)
        ++step;
    m.window->DiveGraph1()->moveDiver(qint16(step + 6));
    QTest::qWait(100);
    m.window->grab().save(QStringLiteral("%1/main-window-profile-display-%2.png").arg(dir).arg(model));
}

QTEST_MAIN(tst_ProfilePanel)
#include "tst_profilepanel.moc"
