#include "DiveComputerDisplay.h"
#include "FloatingPlace.h"
#include "SettingsStore.h"
#include "TestEnvironment.h"
#include "WindowHelpers.h"
#include "frmDiveComputerDisplay.h"

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

QTEST_MAIN(tst_frmDiveComputerDisplay)
#include "tst_frmdivecomputerdisplay.moc"
