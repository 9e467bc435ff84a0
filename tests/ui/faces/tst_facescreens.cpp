#include "../graph/GraphTestDives.h"
#include "DiveGraph.h"
#include "FaceFixture.h"
#include "frmDisplayTissue.h"
#include "frmDiveComputerDisplay.h"
#include "frmProfile.h"

#include <QAction>
#include <QPainter>
#include <QtTest>

// Pictures of every face at telling steps and of the floating face window, for looking at, not
// for asserting: run with SONA_SCREENSHOT_DIR set (under a real display server such as Xvfb).
class tst_FaceScreens : public QObject {
    Q_OBJECT
private slots:
    void faces_data();
    void faces();
    void floatingWindow();
    void profileWindowAndTissueWindow();
};

namespace {
QString screenshotDir() {
    return qEnvironmentVariable("SONA_SCREENSHOT_DIR");
}

} // namespace

void tst_FaceScreens::faces_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("unit");
    const QList<int> models{1, 2, 4, 8, 16, 32};
    for (int model : models) {
        QTest::addRow("%d-air-metric", model) << model << 0 << 0;
        QTest::addRow("%d-nitrox-metric", model) << model << 1 << 0;
        QTest::addRow("%d-nitrox-imperial", model) << model << 1 << 1;
        QTest::addRow("%d-bottomtime-metric", model) << model << (model == 32 ? 3 : 2) << 0;
    }
    QTest::addRow("32-freedive-metric") << 32 << 2 << 0;
}

void tst_FaceScreens::faces() {
    if (screenshotDir().isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, unit);
    FaceFixture f(model, unit);
    auto dive = diveOf(model, mode);
    dive->setAltitude(2);
    dive->setTankVolume(150);
    if (mode == 2 && model == 32) {
        dive->addSample(0, 2, 0, 0, 0);
        dive->addSample(62, 2, 65, 123, 0);
    }
    f.face->setIcon(true, true);
    f.show(dive, tellingSteps(), 18, 12);
    f.face->show();
    // The steps side by side: no stop, decompression, safety stop, deep stop, deep decompression.
    const qint16 steps = qint16(tellingSteps().size());
    QPixmap sheet((f.face->width() + 4) * steps - 4, f.face->height());
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (qint16 step = 0; step < steps; ++step) {
        f.face->updateDisplay(step);
        QTest::qWait(20);
        painter.drawPixmap(step * (f.face->width() + 4), 0, f.face->grab());
    }
    painter.end();
    sheet.save(QStringLiteral("%1/face-%2.png").arg(screenshotDir(), QTest::currentDataTag()));
}

void tst_FaceScreens::floatingWindow() {
    if (screenshotDir().isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    TestEnvironment env;
    env.storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("32"));
    env.restart();
    frmDiveComputerDisplay* window = frmDiveComputerDisplay::showFloating();
    auto profile = std::make_shared<StandInProfile>(diveOf(32, 0), tellingSteps());
    window->diveComputerDisplay()->addProfile(profile);
    window->diveComputerDisplay()->updateDisplay(1);
    QTest::qWait(200);
    window->grab().save(screenshotDir() + QStringLiteral("/floating-face.png"));
    window->close();
}

void tst_FaceScreens::profileWindowAndTissueWindow() {
    if (screenshotDir().isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    installDiveComputerDisplays();
    for (int model : {1, 8, 32}) {
        TestEnvironment env;
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        env.restart();
        auto* window = new frmProfile();
        window->addDive(graphtest::squareDive(30, 9), nullptr);
        window->show();
        window->DiveGraph1->moveDiver(8);
        QTest::qWait(100);
        window->grab().save(QStringLiteral("%1/profile-window-%2.png").arg(screenshotDir()).arg(model));
        QAction* tissue = window->buttons.value(QStringLiteral("Tissue"));
        tissue->setChecked(true);
        window->toolbarLeft_ButtonClick(QStringLiteral("Tissue"));
        QTest::qWait(100);
        frmDisplayTissue::loaded()->grab().save(screenshotDir() + QStringLiteral("/floating-tissue.png"));
        window->grab().save(QStringLiteral("%1/profile-window-%2-tissue-out.png").arg(screenshotDir()).arg(model));
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QTEST_MAIN(tst_FaceScreens)
#include "tst_facescreens.moc"
