#include "DiveComputerDisplay.h"
#include "FloatingPlace.h"
#include "SettingsStore.h"
#include "StandInProfile.h"
#include "TestEnvironment.h"
#include "WindowHelpers.h"
#include "frmDiveComputerDisplay.h"

#include <QLabel>
#include <QtTest>

// The floating face window: one for the program, placed where it was left, kept on top.
class tst_frmDiveComputerDisplay : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void faceOfTheModel_data();
    void faceOfTheModel();
    void place_data();
    void place();
    void closingStoresThePlaceAndUnloads();
    void oneWindowForTheProgram();
    void staysOnTopWithoutFocus();
    void ontoScreens_data();
    void ontoScreens();
    void followsOnlyTheDiveItShows();
    void hostHandsOverItsNewDive();
    void releaseHidesAndClosedStaysUnloaded();
};

namespace {
void unload() {
    if (frmDiveComputerDisplay* window = frmDiveComputerDisplay::loaded()) {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void restart(TestEnvironment& env, int model) {
    env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    env.restart();
}
} // namespace

void tst_frmDiveComputerDisplay::cleanup() {
    unload();
}

void tst_frmDiveComputerDisplay::faceOfTheModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("face");
    QTest::newRow("Zento") << 1 << "DisplayZento";
    QTest::newRow("Lumo") << 2 << "DisplayLumo";
    QTest::newRow("Zento RGBM") << 4 << "DisplayZento";
    QTest::newRow("Tavex") << 8 << "DisplayTavex";
    QTest::newRow("Lumo Air") << 16 << "DisplayTavex";
    QTest::newRow("Kobi") << 32 << "DisplayKobi";
    QTest::newRow("no face") << 64 << "";
}

void tst_frmDiveComputerDisplay::faceOfTheModel() {
    QFETCH(int, model);
    QFETCH(QString, face);
    TestEnvironment env;
    restart(env, model);
    frmDiveComputerDisplay* window = frmDiveComputerDisplay::showFloating();
    QCOMPARE(window->windowTitle(), QString("Dive Computer"));
    QVERIFY(isFormLoaded("frmDiveComputerDisplay"));
    DiveComputerDisplay* shown = window->diveComputerDisplay();
    QCOMPARE(shown ? QString(shown->metaObject()->className()) : QString(), face);
    if (shown) {
        QCOMPARE(shown->objectName(), QString("DiveComputerDisplay1"));
        QCOMPARE(shown->pos(), QPoint(0, 0));
        QCOMPARE(window->size(), shown->size());
    }
}

void tst_frmDiveComputerDisplay::place_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("first use") << ""
                               << "" << QPoint(66, 66);
    QTest::newRow("stored") << "1500"
                            << "3000" << QPoint(100, 200);
    QTest::newRow("not a number uses the default") << "abc"
                                                   << "3000" << QPoint(66, 200);
    QTest::newRow("off every screen comes back") << "-90000"
                                                 << "3000" << QPoint(0, 200);
}

void tst_frmDiveComputerDisplay::place() {
    QFETCH(QString, left);
    QFETCH(QString, top);
    TestEnvironment env;
    if (!left.isEmpty()) {
        env.storeSetting(QStringLiteral("DiveComputerDisplayLeft"), left);
        env.storeSetting(QStringLiteral("DiveComputerDisplayTop"), top);
    }
    restart(env, 1);
    frmDiveComputerDisplay* window = frmDiveComputerDisplay::showFloating();
    QTEST(window->pos(), "place");
}

void tst_frmDiveComputerDisplay::closingStoresThePlaceAndUnloads() {
    TestEnvironment env;
    restart(env, 32);
    frmDiveComputerDisplay* window = frmDiveComputerDisplay::showFloating();
    window->move(120, 140);
    unload();
    QVERIFY(!frmDiveComputerDisplay::loaded());
    QVERIFY(!isFormLoaded("frmDiveComputerDisplay"));
    QCOMPARE(SettingsStore::value("DiveComputerDisplayLeft", ""), QString("1800"));
    QCOMPARE(SettingsStore::value("DiveComputerDisplayTop", ""), QString("2100"));
    QCOMPARE(frmDiveComputerDisplay::showFloating()->pos(), QPoint(120, 140));
}

void tst_frmDiveComputerDisplay::oneWindowForTheProgram() {
    TestEnvironment env;
    restart(env, 8);
    frmDiveComputerDisplay* first = frmDiveComputerDisplay::showFloating();
    first->hide();
    QCOMPARE(frmDiveComputerDisplay::loaded(), first);
    QCOMPARE(frmDiveComputerDisplay::showFloating(), first);
    QVERIFY(!first->isHidden());
}

void tst_frmDiveComputerDisplay::staysOnTopWithoutFocus() {
    TestEnvironment env;
    restart(env, 2);
    frmDiveComputerDisplay* window = frmDiveComputerDisplay::showFloating();
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(window->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QVERIFY(window->testAttribute(Qt::WA_ShowWithoutActivating));
}

void tst_frmDiveComputerDisplay::ontoScreens_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("moved");
    const QRect window(0, 0, 200, 300);
    QTest::newRow("on the first screen") << window.translated(100, 100) << window.translated(100, 100);
    QTest::newRow("on the second screen") << window.translated(2000, 100) << window.translated(2000, 100);
    QTest::newRow("left of every screen") << window.translated(-5000, 100) << window.translated(0, 100);
    QTest::newRow("below every screen") << window.translated(100, 9000) << window.translated(100, 780);
    QTest::newRow("partly off, grip on a screen") << window.translated(1900, 100) << window.translated(1900, 100);
}

void tst_frmDiveComputerDisplay::ontoScreens() {
    QFETCH(QRect, frame);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    QTEST(floatingplace::ontoScreens(frame, screens), "moved");
}

namespace {
std::shared_ptr<StandInProfile> diveAt(float depth) {
    auto dive = std::make_shared<Dive>();
    dive->setDiveComputer(1);
    return std::make_shared<StandInProfile>(
        dive, QList<StepValues>{StepValues{.depth = 1, .noDecTime = 50}, StepValues{.depth = depth, .noDecTime = 40}});
}

QString shownDepth() {
    return frmDiveComputerDisplay::loaded()->findChild<QLabel*>("lblDigitDepth")->text();
}
} // namespace

void tst_frmDiveComputerDisplay::followsOnlyTheDiveItShows() {
    TestEnvironment env;
    restart(env, 1);
    auto mainDive = diveAt(12);
    auto profileWindowDive = diveAt(30);
    frmDiveComputerDisplay::pressedBy(mainDive, 1);
    QCOMPARE(shownDepth(), QString("12"));
    // The profile window pressed its button last: the window shows its dive now.
    frmDiveComputerDisplay::pressedBy(profileWindowDive, 0);
    QCOMPARE(shownDepth(), QString("1"));
    frmDiveComputerDisplay::followStep(mainDive.get(), 1);
    QCOMPARE(shownDepth(), QString("1"));
    frmDiveComputerDisplay::followStep(profileWindowDive.get(), 1);
    QCOMPARE(shownDepth(), QString("30"));
}

void tst_frmDiveComputerDisplay::hostHandsOverItsNewDive() {
    TestEnvironment env;
    restart(env, 1);
    auto first = diveAt(12);
    auto other = diveAt(30);
    auto next = diveAt(18);
    frmDiveComputerDisplay::pressedBy(first, 1);
    frmDiveComputerDisplay::replaceProfile(other.get(), diveAt(40));
    QCOMPARE(frmDiveComputerDisplay::loaded()->diveComputerDisplay()->currentProfile(), first);
    frmDiveComputerDisplay::replaceProfile(first.get(), next);
    QCOMPARE(frmDiveComputerDisplay::loaded()->diveComputerDisplay()->currentProfile(), next);
    frmDiveComputerDisplay::followStep(next.get(), 1);
    QCOMPARE(shownDepth(), QString("18"));
}

void tst_frmDiveComputerDisplay::releaseHidesAndClosedStaysUnloaded() {
    TestEnvironment env;
    restart(env, 4);
    auto dive = diveAt(12);
    frmDiveComputerDisplay::pressedBy(dive, 1);
    frmDiveComputerDisplay::released();
    QVERIFY(frmDiveComputerDisplay::loaded()->isHidden());
    frmDiveComputerDisplay::followStep(dive.get(), 0);
    QCOMPARE(shownDepth(), QString("1"));
    unload();
    frmDiveComputerDisplay::released();
    frmDiveComputerDisplay::followStep(dive.get(), 1);
    QVERIFY(!frmDiveComputerDisplay::loaded());
}

QTEST_MAIN(tst_frmDiveComputerDisplay)
#include "tst_frmdivecomputerdisplay.moc"
