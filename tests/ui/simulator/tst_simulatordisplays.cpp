#include "DisplayTissue.h"
#include "Dive.h"
#include "DiveComputerDisplay.h"
#include "DiveComputerDisplayFactory.h"
#include "DiveGraph.h"
#include "FaceText.h"
#include "FloatingDisplays.h"
#include "Internationalization.h"
#include "ModelEnvironment.h"
#include "Profile.h"
#include "SimulatedDive.h"
#include "TestEnvironment.h"
#include "frmDisplayTissue.h"
#include "frmDiveComputerDisplay.h"
#include "frmPreview.h"
#include "frmSimulator.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

// The simulator with the program's own displays: the graph, the face of the model and the tissue
// bars follow the live dive, the floating windows follow it once they show its profile, and the
// print buttons reach printing.
class tst_SimulatorDisplays : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installDiveComputerDisplays(); }
    void init() {
        m_env = modelEnvironment(4);
        m_env->fakes.message->failOnUnexpected = false;
    }
    void cleanup() {
        m_window.reset();
        Floating::windows()->unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_env.reset();
    }

    void displaysOfTheModel();
    void displaysFollowTheTicks();
    void undoToTheSurfaceEmptiesThem();
    void floatingWindowsFollowTheSimulator();
    void floatingWindowOfAnotherHostIsHandedOver();
    void closingUnloadsFloatingWindows();
    void printAndPreview();
    void screens_data();
    void screens();

private:
    frmSimulator& open(std::shared_ptr<Dive> dive = nullptr) {
        m_window = std::make_unique<frmSimulator>(std::move(dive));
        return *m_window;
    }
    static void ticks(frmSimulator& w, int n) {
        for (int i = 0; i < n; ++i)
            w.Timer1_Timer();
    }
    static DiveGraph* graph(frmSimulator& w) { return w.findChild<DiveGraph*>(QStringLiteral("DiveGraph1")); }
    static DisplayTissue* tissue(frmSimulator& w) {
        return w.findChild<DisplayTissue*>(QStringLiteral("DisplayTissue1"));
    }
    static DiveComputerDisplay* face(frmSimulator& w) {
        return w.findChild<DiveComputerDisplay*>(QStringLiteral("DiveComputerDisplay1"));
    }
    static QString depthDigits(DiveComputerDisplay* face) {
        return face->findChild<QLabel*>(QStringLiteral("lblDigitDepth"))->text();
    }
    static QString depthText(float metres) {
        return facetext::depthText(Internationalization::instance().getDepthValue(metres));
    }
    static void press(frmSimulator& w, const char* key, bool down) {
        QAction* button = w.commandButton(QLatin1String(key));
        QVERIFY(button->isEnabled());
        button->setChecked(down);
        w.toolbarLeft_ButtonClick(QLatin1String(key));
    }
    // Plays and descends at 1.25 m a tick: 5 m at the first sample (tick 4).
    static void descend(frmSimulator& w, int n) {
        w.Toolbar1_ButtonClick(QStringLiteral("play"));
        w.btnStepDown->click();
        ticks(w, n);
    }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<frmSimulator> m_window;
};

void tst_SimulatorDisplays::displaysOfTheModel() {
    frmSimulator& w = open();
    QVERIFY(graph(w));
    QVERIFY(graph(w)->SimulationMode());
    QCOMPARE(graph(w)->profile(), w.engine().sharedProfile());
    QCOMPARE(tissue(w)->currentProfile(), w.engine().sharedProfile());
    QVERIFY(face(w));
    QCOMPARE(face(w)->currentProfile().get(), &w.engine().profile());
    for (const char* key : {"DIVE_COMPUTER", "TISSUE", "PRINT", "PREVIEW"})
        QVERIFY2(w.commandButton(QLatin1String(key))->isEnabled(), key);
}

void tst_SimulatorDisplays::displaysFollowTheTicks() {
    frmSimulator& w = open();
    descend(w, 5);
    QCOMPARE(w.engine().samples(), 1);
    QCOMPARE(graph(w)->getCurrentDiverPosition(), qint16(1));
    QVERIFY(graph(w)->isDiverVisible());
    QCOMPARE(tissue(w)->lastStep(), qint16(1));
    QCOMPARE(depthDigits(face(w)), depthText(6.25f)); // the tick after the sample

    ticks(w, 3);
    QCOMPARE(graph(w)->getCurrentDiverPosition(), qint16(2));
    QCOMPARE(tissue(w)->lastStep(), qint16(2));
    QCOMPARE(depthDigits(face(w)), depthText(w.engine().profile().getDepth(2)));

    // The replay buttons move the marker, and face and bars with it.
    w.Toolbar1_ButtonClick(QStringLiteral("pause"));
    w.Toolbar1_ButtonClick(QStringLiteral("FIRST"));
    QCOMPARE(graph(w)->getCurrentDiverPosition(), qint16(0));
    QCOMPARE(tissue(w)->lastStep(), qint16(0));
    w.Toolbar1_ButtonClick(QStringLiteral("LAST"));
    QCOMPARE(graph(w)->getCurrentDiverPosition(), qint16(2));
    QCOMPARE(tissue(w)->lastStep(), qint16(2));
}

void tst_SimulatorDisplays::undoToTheSurfaceEmptiesThem() {
    frmSimulator& w = open();
    descend(w, 4);
    w.Toolbar1_ButtonClick(QStringLiteral("pause"));
    const QImage bars = tissue(w)->image();
    w.Toolbar1_ButtonClick(QStringLiteral("undo"));
    QCOMPARE(w.engine().samples(), 0);
    QVERIFY(!graph(w)->isDiverVisible());
    QVERIFY(tissue(w)->image() != bars);
}

void tst_SimulatorDisplays::floatingWindowsFollowTheSimulator() {
    frmSimulator& w = open();
    w.show();
    press(w, "DIVE_COMPUTER", true);
    press(w, "TISSUE", true);
    QVERIFY(face(w)->isHidden());
    QVERIFY(tissue(w)->isHidden());
    DiveComputerDisplay* floatingFace = frmDiveComputerDisplay::loaded()->diveComputerDisplay();
    DisplayTissue* floatingTissue = frmDisplayTissue::loaded()->DisplayTissue1;
    QCOMPARE(floatingFace->currentProfile().get(), &w.engine().profile());
    QCOMPARE(floatingTissue->currentProfile(), w.engine().sharedProfile());

    descend(w, 5);
    QCOMPARE(floatingTissue->lastStep(), qint16(1));
    QCOMPARE(depthDigits(floatingFace), depthText(6.25f));

    // With both displays floating the command toolbar stands on the left edge.
    QCOMPARE(w.toolbarLeft->orientation(), Qt::Vertical);
    QVERIFY(graph(w)->x() >= w.toolbarLeft->width());

    // Hidden, they keep following; released, the window's own come back.
    press(w, "DIVE_COMPUTER", false);
    press(w, "TISSUE", false);
    QVERIFY(!face(w)->isHidden());
    QVERIFY(!tissue(w)->isHidden());
    QVERIFY(frmDiveComputerDisplay::loaded()->isHidden());
    ticks(w, 3);
    QCOMPARE(floatingTissue->lastStep(), qint16(2));
    QCOMPARE(w.toolbarLeft->orientation(), Qt::Horizontal);
}

void tst_SimulatorDisplays::floatingWindowOfAnotherHostIsHandedOver() {
    // Another host's dive in both floating windows.
    auto other = std::make_shared<Profile>();
    auto otherDive = SimulatedDive::create();
    for (int i = 0; i < 6; ++i)
        otherDive->addSample(300, 0, 0, 0);
    other->setCurrentDive(otherDive);
    other->compute();
    Floating::windows()->show(FloatingDisplays::Face, other, 3);
    Floating::windows()->show(FloatingDisplays::Tissue, other, 3);
    DiveComputerDisplay* floatingFace = frmDiveComputerDisplay::loaded()->diveComputerDisplay();
    DisplayTissue* floatingTissue = frmDisplayTissue::loaded()->DisplayTissue1;
    const QString otherDepth = depthDigits(floatingFace);

    // The simulator's dive does not reach windows that show another dive.
    frmSimulator& w = open();
    descend(w, 5);
    QCOMPARE(floatingFace->currentProfile().get(), other.get());
    QCOMPARE(depthDigits(floatingFace), otherDepth);
    QCOMPARE(floatingTissue->lastStep(), qint16(3));

    // Pressing the buttons hands them the simulator's profile at its marker, then they follow it.
    press(w, "DIVE_COMPUTER", true);
    press(w, "TISSUE", true);
    QCOMPARE(floatingFace->currentProfile().get(), &w.engine().profile());
    QCOMPARE(floatingTissue->currentProfile(), w.engine().sharedProfile());
    QCOMPARE(floatingTissue->lastStep(), qint16(1));
    ticks(w, 3);
    QCOMPARE(floatingTissue->lastStep(), qint16(2));
    ticks(w, 1);
    QCOMPARE(depthDigits(floatingFace), depthText(w.engine().liveDepth()));
}

void tst_SimulatorDisplays::closingUnloadsFloatingWindows() {
    frmSimulator& w = open();
    w.show();
    press(w, "DIVE_COMPUTER", true);
    press(w, "TISSUE", true);
    QVERIFY(frmDiveComputerDisplay::loaded());
    w.close();
    QVERIFY(!frmDiveComputerDisplay::loaded());
    QVERIFY(!frmDisplayTissue::loaded());
}

void tst_SimulatorDisplays::printAndPreview() {
    QTemporaryDir dir;
    m_env->fakes.printers->pdfPath = dir.filePath(QStringLiteral("sim.pdf"));
    frmSimulator& w = open();
    descend(w, 5);

    // Also while playing.
    w.commandButton(QStringLiteral("PRINT"))->trigger();
    QCOMPARE(m_env->fakes.printers->documents, 1);

    bool previewed = false;
    QTimer::singleShot(0, [&] {
        if (auto* preview = qobject_cast<frmPreview*>(QApplication::activeModalWidget())) {
            previewed = !preview->pagePicture().isNull();
            const QString shots = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
            if (!shots.isEmpty())
                preview->pagePicture().save(shots + QStringLiteral("/simulator-preview-page.png"));
            preview->close();
        }
    });
    w.commandButton(QStringLiteral("PREVIEW"))->trigger();
    QVERIFY(previewed);
    QVERIFY(!w.engine().dive()->diveInfo()); // nothing fetched from the logbook for a simulated dive
}

// Pictures for looking at, not asserting: run with SONA_SCREENSHOT_DIR set, under Xvfb.
void tst_SimulatorDisplays::screens_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("model");
    // Every face once among the languages.
    const char* names[] = {"en", "fr", "de", "it", "pt", "es"};
    const int models[] = {4, 8, 32, 2, 1, 16};
    for (int language = 0; language < 6; ++language)
        QTest::addRow("%s", names[language]) << language << models[language];
}

void tst_SimulatorDisplays::screens() {
    const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    QFETCH(int, language);
    QFETCH(int, model);
    m_env->storeSetting(QStringLiteral("Language"), QString::number(language));
    m_env->storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    m_env->restart();
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    frmSimulator& w = open();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Down to 30 m, a while there, then up part of the way: the diver is still below the surface.
    w.Toolbar1_ButtonClick(QStringLiteral("play"));
    w.sliderVelocity->setValue(10);
    w.btnStepDown->click();
    ticks(w, 36);
    w.btnStepDown->click();
    ticks(w, 20 * 4);
    w.btnStepUp->click();
    ticks(w, 8 * 4 + 2);
    QTest::qWait(50);
    w.grab().save(QStringLiteral("%1/simulator-%2-diving.png").arg(dir, tag));

    press(w, "DIVE_COMPUTER", true);
    press(w, "TISSUE", true);
    QTest::qWait(50);
    w.grab().save(QStringLiteral("%1/simulator-%2-floating.png").arg(dir, tag));
    frmDiveComputerDisplay::loaded()->grab().save(QStringLiteral("%1/simulator-%2-floating-face.png").arg(dir, tag));
    frmDisplayTissue::loaded()->grab().save(QStringLiteral("%1/simulator-%2-floating-tissue.png").arg(dir, tag));
    press(w, "DIVE_COMPUTER", false);
    press(w, "TISSUE", false);

    // Up to the surface and stopped.
    w.sliderVelocity->setValue(30);
    while (w.engine().liveDepth() > 0)
        ticks(w, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("stop"));
    ticks(w, 1);
    QTest::qWait(50);
    w.grab().save(QStringLiteral("%1/simulator-%2-stopped.png").arg(dir, tag));
}

QTEST_MAIN(tst_SimulatorDisplays)
#include "tst_simulatordisplays.moc"
