#include "../graph/GraphTestDives.h"
#include "DisplayTissue.h"
#include "DiveComputerDisplay.h"
#include "DiveComputerDisplayFactory.h"
#include "DiveGraph.h"
#include "FloatingDisplays.h"
#include "ProfileReplay.h"
#include "SettingsStore.h"
#include "TestEnvironment.h"
#include "frmDisplayTissue.h"
#include "frmDiveComputerDisplay.h"
#include "frmProfile.h"

#include <QAction>
#include <QLabel>
#include <QtTest>
#include <optional>

// The hosts of a replayed dive with the faces installed: each creates the face of the model, and
// the floating windows show the dive of the host that pressed their button last.
class tst_FloatingHosts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void hostCreatesTheFaceOfTheModel_data();
    void hostCreatesTheFaceOfTheModel();
    void faceButtonMovesTheFaceOut();
    void floatingFaceFollowsOnlyItsHost();
    void tissueButtonMovesTheBarsOut();
    void tissueWindowPlaceAndSize();
    void closingTheProfileWindowClosesBoth();
    void closingOverAnUnwritableStore_data();
    void closingOverAnUnwritableStore();
    void hostShowingAnotherDiveHandsItOver();

private:
    frmProfile* openProfile(std::shared_ptr<Dive> dive);
    void press(frmProfile* host, const char* key, bool pressed);

    std::optional<TestEnvironment> m_env;
    QList<QPointer<frmProfile>> m_windows;
};

void tst_FloatingHosts::initTestCase() {
    installDiveComputerDisplays();
}

void tst_FloatingHosts::init() {
    m_env.emplace();
    m_env->storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    m_env->storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("4"));
    m_env->restart();
}

void tst_FloatingHosts::cleanup() {
    for (const QPointer<frmProfile>& window : m_windows)
        if (window)
            window->close();
    Floating::windows()->unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_windows.clear();
    m_env.reset();
}

frmProfile* tst_FloatingHosts::openProfile(std::shared_ptr<Dive> dive) {
    auto* window = new frmProfile();
    window->addDive(std::move(dive), nullptr);
    m_windows.append(window);
    return window;
}

void tst_FloatingHosts::press(frmProfile* host, const char* key, bool pressed) {
    QAction* button = host->buttons.value(QLatin1String(key));
    QVERIFY(button->isEnabled());
    button->setChecked(pressed);
    host->toolbarLeft_ButtonClick(QLatin1String(key));
}

void tst_FloatingHosts::hostCreatesTheFaceOfTheModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("face");
    QTest::newRow("Zento") << 1 << "DisplayZento";
    QTest::newRow("Lumo") << 2 << "DisplayLumo";
    QTest::newRow("Lumo Air") << 16 << "DisplayTavex";
    QTest::newRow("Kobi") << 32 << "DisplayKobi";
}

void tst_FloatingHosts::hostCreatesTheFaceOfTheModel() {
    QFETCH(int, model);
    m_env->storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    m_env->restart();
    frmProfile* host = openProfile(graphtest::squareDive(18, 6));
    QWidget* face = host->diveComputerDisplay()->widget();
    QTEST(QString(face->metaObject()->className()), "face");
    QCOMPARE(face->objectName(), QString("DiveComputerDisplay1"));
    // Step 0 of the dive is on the face.
    QCOMPARE(face->findChild<QLabel*>("lblDigitDiveTime")->isHidden(), false);
}

void tst_FloatingHosts::faceButtonMovesTheFaceOut() {
    frmProfile* host = openProfile(graphtest::squareDive(30, 9));
    host->DiveGraph1->moveDiver(5);
    press(host, "DiveComputer", true);
    frmDiveComputerDisplay* floating = frmDiveComputerDisplay::loaded();
    QVERIFY(floating);
    QVERIFY(!floating->isHidden());
    QCOMPARE(floating->diveComputerDisplay()->currentProfile().get(), host->diveProfile().get());
    QCOMPARE(floating->findChild<QLabel*>("lblDigitDiveTime")->text(), QString("1"));
    QVERIFY(host->diveComputerDisplay()->widget()->isHidden());
    press(host, "DiveComputer", false);
    QVERIFY(floating->isHidden());
    QVERIFY(!host->diveComputerDisplay()->widget()->isHidden());
    // Closed with its close box, the window stays unloaded when the button is released.
    press(host, "DiveComputer", true);
    floating->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    press(host, "DiveComputer", false);
    QVERIFY(!frmDiveComputerDisplay::loaded());
}

void tst_FloatingHosts::floatingFaceFollowsOnlyItsHost() {
    frmProfile* first = openProfile(graphtest::squareDive(30, 9));
    frmProfile* second = openProfile(graphtest::squareDive(12, 30));
    press(first, "DiveComputer", true);
    press(second, "DiveComputer", true);
    QLabel* minute = frmDiveComputerDisplay::loaded()->findChild<QLabel*>("lblDigitDiveTime");
    second->DiveGraph1->moveDiver(9);
    QCOMPARE(minute->text(), QString("3"));
    // The first host's marker belongs to another dive: the floating face stays at the second's step.
    first->DiveGraph1->moveDiver(3);
    QCOMPARE(minute->text(), QString("3"));
    QCOMPARE(frmDiveComputerDisplay::loaded()->diveComputerDisplay()->currentProfile().get(),
             second->diveProfile().get());
}

void tst_FloatingHosts::tissueButtonMovesTheBarsOut() {
    frmProfile* host = openProfile(graphtest::squareDive(30, 9));
    host->DiveGraph1->moveDiver(4);
    press(host, "Tissue", true);
    frmDisplayTissue* floating = frmDisplayTissue::loaded();
    QVERIFY(floating);
    QCOMPARE(floating->DisplayTissue1->currentProfile(), host->diveProfile());
    QCOMPARE(floating->DisplayTissue1->lastStep(), qint16(4));
    QVERIFY(host->DisplayTissue1->isHidden());
    host->DiveGraph1->moveDiver(6);
    QCOMPARE(floating->DisplayTissue1->lastStep(), qint16(6));
    floating->resize(300, 200);
    QCOMPARE(floating->DisplayTissue1->geometry(), QRect(0, 0, 300, 200));
    press(host, "Tissue", false);
    QVERIFY(floating->isHidden());
    QVERIFY(!host->DisplayTissue1->isHidden());
}

void tst_FloatingHosts::tissueWindowPlaceAndSize() {
    frmDisplayTissue* window = frmDisplayTissue::showFloating();
    QCOMPARE(window->pos(), QPoint(66, 66));
    QCOMPARE(window->size(), QSize(211, 130));
    QCOMPARE(window->windowTitle(), QString("Tissue Display"));
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    window->move(90, 120);
    window->resize(240, 160);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(SettingsStore::value("TissueDisplayWidth", ""), QString("3600"));
    window = frmDisplayTissue::showFloating();
    QCOMPARE(window->pos(), QPoint(90, 120));
    QCOMPARE(window->size(), QSize(240, 160));
}

void tst_FloatingHosts::closingTheProfileWindowClosesBoth() {
    frmProfile* host = openProfile(graphtest::squareDive(30, 9));
    press(host, "DiveComputer", true);
    press(host, "Tissue", true);
    host->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frmDiveComputerDisplay::loaded());
    QVERIFY(!frmDisplayTissue::loaded());
}

void tst_FloatingHosts::closingOverAnUnwritableStore_data() {
    QTest::addColumn<QString>("closed");
    QTest::addColumn<int>("reports");
    QTest::newRow("tissue window") << "tissue" << 1;
    QTest::newRow("face window") << "face" << 1;
    QTest::newRow("profile window with both") << "profile" << 2;
}

void tst_FloatingHosts::closingOverAnUnwritableStore() {
    QFETCH(QString, closed);
    QFETCH(int, reports);
    frmProfile* host = openProfile(graphtest::squareDive(30, 9));
    press(host, "DiveComputer", true);
    press(host, "Tissue", true);
    QVERIFY(m_env->makeStoreUnwritable());
    FakeMessageService& message = *m_env->fakes.message;
    for (int i = 0; i < reports; ++i)
        message.answers << Msg::Ok;

    if (closed == QLatin1String("tissue"))
        frmDisplayTissue::loaded()->close();
    else if (closed == QLatin1String("face"))
        frmDiveComputerDisplay::loaded()->close();
    else
        host->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    if (closed != QLatin1String("face"))
        QVERIFY(!frmDisplayTissue::loaded());
    if (closed != QLatin1String("tissue"))
        QVERIFY(!frmDiveComputerDisplay::loaded());
    QCOMPARE(message.shown.size(), reports);
    for (const ShownMessage& box : message.shown) {
        QVERIFY2(box.text.contains(QStringLiteral("The settings could not be saved.\n[75] ")), qPrintable(box.text));
        QCOMPARE(box.flags, Msg::OkOnly | Msg::Critical);
    }
    QCOMPARE(message.unexpected, 0);
    // The window left open closes over a store that works again.
    QDir(SettingsStore::fileName()).removeRecursively();
}

void tst_FloatingHosts::hostShowingAnotherDiveHandsItOver() {
    // The main window's panel shows dive after dive through one replay.
    DiveGraph graph;
    DisplayTissue tissue;
    ProfileReplay replay(&graph, &tissue);
    replay.showDive(graphtest::squareDive(30, 9), nullptr, true);
    frmProfile* other = openProfile(graphtest::squareDive(12, 6));
    Floating::windows()->show(FloatingDisplays::Face, replay.profile(), 0);
    Floating::windows()->show(FloatingDisplays::Tissue, other->diveProfile(), 0);
    replay.showDive(graphtest::squareDive(18, 12), nullptr, true);
    QCOMPARE(frmDiveComputerDisplay::loaded()->diveComputerDisplay()->currentProfile().get(), replay.profile().get());
    // The tissue window showed another host's dive and keeps it.
    QCOMPARE(frmDisplayTissue::loaded()->DisplayTissue1->currentProfile(), other->diveProfile());
    graph.moveDiver(7);
    QCOMPARE(frmDiveComputerDisplay::loaded()->findChild<QLabel*>("lblDigitDiveTime")->text(), QString("2"));
}

QTEST_MAIN(tst_FloatingHosts)
#include "tst_floatinghosts.moc"
