#include "../graph/GraphTestDives.h"
#include "../graph/RecordingFace.h"
#include "DiveModule.h"
#include "ErrorOf.h"
#include "LogbookFixture.h"
#include "PreviewWatcher.h"
#include "ProfileReplay.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "WindowHelpers.h"
#include "diveInfo.h"
#include "frmProfile.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <optional>

using namespace graphtest;

namespace {
// 12 samples at 10 m as the logbook stores them.
const QString TWELVE_SAMPLES = QString(QStringLiteral("0100000000000000")).repeated(12);
} // namespace

// The profile window on dives of a small logbook, in English, with a face that logs its calls when
// a case installs it.
class tst_frmProfile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensAtStepZeroWithItsCaption();
    void faceFollowsTheMarker();
    void layout_data();
    void layout();
    void resizeKeepsTheMarkerOnItsStep();
    void windowAtItsMinimum();
    void toolbarSteps_data();
    void toolbarSteps();
    void waitingCommandsStayDisabled();
    void printAndPreviewTheWindowsDive_data();
    void printAndPreviewTheWindowsDive();
    void printOfADeletedDiveStopsAfterTheMessage();
    void damagedProfileText();
    void diveTooLongForTheModel();
    void screenshots();

private:
    frmProfile* open(qint32 diveID);

    std::optional<TestEnvironment> m_env;
    std::optional<LogbookFixture> m_logbook;
    QPointer<frmProfile> m_window;
    QStringList m_log;
    qint32 m_reef = 0;
    qint32 m_dive = 0;
};

void tst_frmProfile::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

void tst_frmProfile::init() {
    m_env.emplace();
    m_env->storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    m_env->storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("1"));
    m_env->restart();
    m_logbook.emplace();
    m_reef = m_logbook->logbook(QStringLiteral("Reef"), 1);
    m_dive = m_logbook->dive(m_reef, at(2004, 3, 5, 9, 30),
                             {{QStringLiteral("SAMPLE"), TWELVE_SAMPLES}, {QStringLiteral("DIVE_TIME"), 4}});
    m_log.clear();
}

void tst_frmProfile::cleanup() {
    delete m_window;
    Faces::setFactory({});
    m_logbook.reset();
    m_env.reset();
}

frmProfile* tst_frmProfile::open(qint32 diveID) {
    m_window = new frmProfile;
    m_window->addDive(DiveModule::loadDive(diveID, false), nullptr);
    m_window->show();
    return m_window;
}

void tst_frmProfile::opensAtStepZeroWithItsCaption() {
    frmProfile* w = open(m_dive);
    QVERIFY(isFormLoaded(QStringLiteral("frmProfile")));
    QCOMPARE(w->windowTitle(),
             QStringLiteral("Dive: ") + QLocale::system().toString(at(2004, 3, 5, 9, 30), QLocale::ShortFormat));
    QCOMPARE(w->DiveGraph1->getCurrentDiverPosition(), qint16(0));
    QVERIFY(w->DiveGraph1->isDiverVisible());
    QCOMPARE(w->DisplayTissue1->currentProfile(), w->diveProfile());
    QCOMPARE(w->DisplayTissue1->lastStep(), qint16(0));
    QCOMPARE(w->DiveGraph1->pointCount(), 13);
    QCOMPARE(w->DiveGraph1->ForeColor(), 15);
    QCOMPARE(w->DisplayTissue1->textBase(), qint16(300));
    QCOMPARE(w->buttons.value(QStringLiteral("NEXT"))->toolTip(), QStringLiteral("Next Step"));
}

void tst_frmProfile::faceFollowsTheMarker() {
    RecordingFace* face = nullptr;
    Faces::setFactory([&](qint32 model, QWidget* parent) -> std::unique_ptr<DiveComputerFace> {
        if (model != 1)
            return nullptr;
        auto made = std::make_unique<RecordingFace>(parent, &m_log);
        face = made.get();
        return made;
    });
    m_window = new frmProfile;
    QVERIFY(face);
    QCOMPARE(m_window->diveComputerDisplay(), face);
    QCOMPARE(face->widget()->objectName(), QStringLiteral("DiveComputerDisplay1"));
    face->watch(m_window->DiveGraph1, m_window->DisplayTissue1);
    m_window->addDive(DiveModule::loadDive(m_dive, false), nullptr);
    m_window->show();
    QCOMPARE(m_log.mid(0, 3),
             (QStringList{"setIcon 0 0 | graph -, tissue -, marker 0", "addProfile P1 | graph -, tissue -, marker 0",
                          "updateDisplay 0 | graph P1, tissue P1, marker 0"}));
    m_log.clear();
    m_window->toolbarLeft_ButtonClick(QStringLiteral("LAST"));
    QVERIFY(m_log.contains(QStringLiteral("updateDisplay 13 | graph P1, tissue P1, marker 13")));
    QCOMPARE(m_window->DisplayTissue1->lastStep(), qint16(13));
}

void tst_frmProfile::layout_data() {
    QTest::addColumn<bool>("withFace");
    QTest::addColumn<bool>("faceShown");
    QTest::addColumn<bool>("tissueShown");
    QTest::addColumn<bool>("verticalToolbar");
    QTest::newRow("face and tissue display") << true << true << true << false;
    QTest::newRow("model without a face") << false << false << true << false;
    QTest::newRow("face only") << true << true << false << false;
    QTest::newRow("both in floating windows") << true << false << false << true;
}

void tst_frmProfile::layout() {
    QFETCH(bool, withFace);
    QFETCH(bool, faceShown);
    QFETCH(bool, tissueShown);
    QFETCH(bool, verticalToolbar);
    if (withFace)
        Faces::setFactory([&](qint32, QWidget* parent) { return std::make_unique<RecordingFace>(parent, &m_log); });
    frmProfile* w = open(m_dive);
    if (w->diveComputerDisplay())
        w->diveComputerDisplay()->widget()->setVisible(faceShown);
    w->DisplayTissue1->setVisible(tissueShown);
    w->Form_Resize();

    QCOMPARE(w->toolbarLeft->orientation(), verticalToolbar ? Qt::Vertical : Qt::Horizontal);
    const int column = verticalToolbar ? w->toolbarLeft->width() : 3975 / 15;
    QCOMPARE(w->verticalSplitter->x(), column);
    QCOMPARE(w->DiveGraph1->x(), qRound((column * 15 + 100) / 15.0));
    QCOMPARE(w->DiveGraph1->height(), w->height());
    QCOMPARE(w->DiveGraph1->x() + w->DiveGraph1->width() <= w->width(), true);
    if (verticalToolbar) {
        QCOMPARE(w->toolbarLeft->height(), w->height());
        return;
    }
    QCOMPARE(w->toolbarLeft->width(), 3975 / 15);
    const int belowToolbar = w->toolbarLeft->geometry().bottom() + 1;
    if (withFace)
        QCOMPARE(w->diveComputerDisplay()->widget()->y(), belowToolbar);
    // Without a face the tissue display takes its place under the toolbar.
    const int tissueTop = withFace ? belowToolbar + 322 : belowToolbar;
    QVERIFY(qAbs(w->DisplayTissue1->y() - tissueTop) <= 1);
    QVERIFY(qAbs(w->DisplayTissue1->y() + w->DisplayTissue1->height() - w->height()) <= 1);
}

void tst_frmProfile::resizeKeepsTheMarkerOnItsStep() {
    frmProfile* w = open(m_dive);
    w->toolbarLeft_ButtonClick(QStringLiteral("NEXT"));
    w->toolbarLeft_ButtonClick(QStringLiteral("NEXT"));
    const int stepWidth = w->DiveGraph1->stepWidth();
    w->resize(w->width() + 150, w->height() + 60);
    QCOMPARE(w->DiveGraph1->getCurrentDiverPosition(), qint16(2));
    QVERIFY(w->DiveGraph1->stepWidth() > stepWidth);
    const QLabel* sprite = w->DiveGraph1->findChild<QLabel*>(QStringLiteral("diverSprite"));
    QCOMPARE(sprite->x(), qRound(w->DiveGraph1->vertexX().at(3) / 15));
    QCOMPARE(w->DisplayTissue1->lastStep(), qint16(2));
}

void tst_frmProfile::windowAtItsMinimum() {
    frmProfile* w = open(m_dive);
    w->resize(1, 1);
    QCOMPARE(w->DiveGraph1->depthScale() >= 1, true);
    QCOMPARE(w->DiveGraph1->stepWidth() >= 1, true);
    w->toolbarLeft_ButtonClick(QStringLiteral("LAST"));
    QCOMPARE(w->DiveGraph1->getCurrentDiverPosition(), qint16(13));
    w->resize(800, 500);
    QCOMPARE(w->DiveGraph1->getCurrentDiverPosition(), qint16(13));
    QVERIFY(w->DiveGraph1->stepWidth() > 1);
}

void tst_frmProfile::toolbarSteps_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("step");
    QTest::newRow("LAST: the return to the surface") << QStringList{"LAST"} << 13;
    QTest::newRow("NEXT at the end changes nothing") << QStringList{"LAST", "NEXT"} << 13;
    QTest::newRow("PREVIOUS at the start changes nothing") << QStringList{"PREVIOUS"} << 0;
    QTest::newRow("back and forth") << QStringList{"NEXT", "NEXT", "NEXT", "PREVIOUS"} << 2;
    QTest::newRow("FIRST") << QStringList{"LAST", "FIRST"} << 0;
}

void tst_frmProfile::toolbarSteps() {
    QFETCH(QStringList, keys);
    QFETCH(int, step);
    frmProfile* w = open(m_dive);
    for (const QString& key : keys)
        w->buttons.value(key)->trigger();
    QCOMPARE(int(w->DiveGraph1->getCurrentDiverPosition()), step);
    QCOMPARE(int(w->DisplayTissue1->lastStep()), step);
}

void tst_frmProfile::waitingCommandsStayDisabled() {
    frmProfile* w = open(m_dive);
    for (const char* key : {"DiveComputer", "Tissue"})
        QVERIFY2(!w->buttons.value(QLatin1String(key))->isEnabled(), key);
    for (const char* key : {"PRINT", "PREVIEW", "FIRST", "PREVIOUS", "NEXT", "LAST"})
        QVERIFY2(w->buttons.value(QLatin1String(key))->isEnabled(), key);
    QVERIFY(!w->buttons.contains(QStringLiteral("SIMULATOR")));
}

void tst_frmProfile::printAndPreviewTheWindowsDive_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("marker");
    QTest::newRow("preview at the start") << "PREVIEW" << QStringList{} << 0;
    QTest::newRow("preview after LAST: the end point") << "PREVIEW" << QStringList{"LAST"} << 13;
    QTest::newRow("print after NEXT, NEXT") << "PRINT" << QStringList{"NEXT", "NEXT"} << 2;
}

void tst_frmProfile::printAndPreviewTheWindowsDive() {
    QFETCH(QString, key);
    QFETCH(QStringList, steps);
    QFETCH(int, marker);
    QTemporaryDir dir;
    m_env->fakes.printers->pdfPath = dir.filePath(QStringLiteral("window.pdf"));
    const qint32 other = m_logbook->dive(m_reef, at(2004, 3, 7), {{QStringLiteral("DIVER"), QStringLiteral("Bob")}});
    m_logbook->db.execute(QStringLiteral("UPDATE DIVE SET DIVER = 'Ann' WHERE DIVE_ID = ?"), {m_dive});
    frmProfile* w = open(m_dive);
    // The main window has moved on to another dive meanwhile: the window prints its own.
    Settings::instance().setCurrentDiveID(other);
    for (const QString& step : steps)
        w->buttons.value(step)->trigger();
    PreviewWatcher watcher;
    w->buttons.value(key)->trigger();
    QVERIFY(w->currentDive()->diveInfo());
    QCOMPARE(w->currentDive()->diveInfo()->diver(), QStringLiteral("Ann"));
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
    QCOMPARE(watcher.shown, key == QLatin1String("PREVIEW"));
    QCOMPARE(m_env->fakes.printers->documents, key == QLatin1String("PRINT") ? 1 : 0);
    if (watcher.shown) {
        QCOMPARE(int(watcher.job->iDivePosition), marker);
        QCOMPARE(watcher.job->mode(), watcher.job->PROFILE_MODE);
        QCOMPARE(watcher.job->cProfiles, QList<std::shared_ptr<Profile>>{w->diveProfile()});
    }
    QCOMPARE(int(w->DiveGraph1->getCurrentDiverPosition()), marker);
}

void tst_frmProfile::printOfADeletedDiveStopsAfterTheMessage() {
    frmProfile* w = open(m_dive);
    m_logbook->db.execute(QStringLiteral("DELETE FROM DIVE WHERE DIVE_ID = ?"), {m_dive});
    m_env->fakes.message->answers.enqueue(Msg::Ok);
    w->toolbarLeft_ButtonClick(QStringLiteral("PREVIEW"));
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    QCOMPARE(m_env->fakes.message->shown.first().text,
             QStringLiteral("[DiveModule.loadDive] Dive not found! Not correct."));
    QCOMPARE(m_env->fakes.message->unexpected, 0);
    QVERIFY(!w->currentDive()->diveInfo());
    // The window goes on replaying its dive.
    w->toolbarLeft_ButtonClick(QStringLiteral("NEXT"));
    QCOMPARE(w->DiveGraph1->getCurrentDiverPosition(), qint16(1));
}

void tst_frmProfile::damagedProfileText() {
    // Three sound samples, then a field that is no number: the sound part is shown.
    const qint32 damaged =
        m_logbook->dive(m_reef, at(2004, 3, 6),
                        {{QStringLiteral("SAMPLE"), TWELVE_SAMPLES.left(48) + QStringLiteral("01x0000000000000")}});
    m_env->fakes.message->answers.enqueue(Msg::Ok);
    frmProfile* w = open(damaged);
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    QCOMPARE(w->currentDive()->getSamplesCount(), qint16(3));
    QCOMPARE(w->DiveGraph1->pointCount(), 4);
    w->toolbarLeft_ButtonClick(QStringLiteral("LAST"));
    QCOMPARE(w->DiveGraph1->getCurrentDiverPosition(), qint16(4));
}

void tst_frmProfile::diveTooLongForTheModel() {
    // 901 samples: past the 11-compartment model's tables. The window refuses the dive whole.
    const qint32 longDive =
        m_logbook->dive(m_reef, at(2004, 3, 7),
                        {{QStringLiteral("SAMPLE"), QString(QStringLiteral("0100000000000000")).repeated(901)}});
    m_window = new frmProfile;
    QCOMPARE(errorOf([&] { m_window->addDive(DiveModule::loadDive(longDive, false), nullptr); }),
             RuntimeError::SubscriptOutOfRange);
    QVERIFY(!m_window->DiveGraph1->hasProfile());
    QVERIFY(!m_window->DisplayTissue1->currentProfile());
}

// A picture for a person to look at, not for asserting: run with SONA_SCREENSHOT_DIR set, under a
// real display server such as Xvfb. The window at its designed size, every command available.
void tst_frmProfile::screenshots() {
    const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    frmProfile* w = open(m_dive);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::qWait(50);
    QVERIFY(w->grab().save(dir + QStringLiteral("/frmprofile.png")));
}

QTEST_MAIN(tst_frmProfile)
#include "tst_frmprofile.moc"
