#include "MainWindowFixture.h"
#include "frmSimulator.h"
#include "frmSimulatorSave.h"

#include "Dive.h"
#include "ProfilePanel.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

// The main window's simulator command and what it does with a saved simulation.
class tst_frmMainSimulator : public QObject {
    Q_OBJECT

private slots:
    void opensOnce();
    void savedDiveShownInTheTree();
    void profilePanelContinuesTheShownDive();
};

void tst_frmMainSimulator::opensOnce() {
    MainWindowFixture m(4);
    frmMain* w = m.open();
    w->mnuViewSimulator()->trigger();
    QPointer<frmSimulator> simulator = w->simulator();
    QVERIFY(simulator);
    QVERIFY(simulator->isVisible());
    QCOMPARE(simulator->parentWidget(), w);
    QVERIFY(!m.env.fakes.busyPointer->busy);

    simulator->hide();
    w->mnuViewSimulator()->trigger();
    QCOMPARE(w->simulator(), simulator.data());
    QVERIFY(simulator->isVisible());

    simulator->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!simulator);
    QVERIFY(!w->simulator());
}

void tst_frmMainSimulator::savedDiveShownInTheTree() {
    MainWindowFixture m(4);
    const qint32 logbook = m.fixture.logbook(QStringLiteral("Sim"), 4);
    frmMain* w = m.open();
    w->mnuViewSimulator()->trigger();
    frmSimulator* simulator = w->simulator();
    simulator->Toolbar1_ButtonClick(QStringLiteral("play"));
    simulator->btnStepDown->click();
    for (int i = 0; i < 8; ++i)
        simulator->Timer1_Timer();
    simulator->Toolbar1_ButtonClick(QStringLiteral("pause"));

    m.env.fakes.message->answers.append(Msg::Yes);
    ModalAnswer<frmSimulatorSave> answer([logbook](frmSimulatorSave& dialog) {
        dialog.tvTreeView->setCurrentItem(dialog.node(QStringLiteral("LB%1").arg(logbook)));
        dialog.btnOk_Click();
    });
    simulator->toolbarLeft_ButtonClick(QStringLiteral("SAVE"));
    QCOMPARE(answer.shown, 1);
    QVERIFY(!simulator->diveID.isEmpty());
    QTreeWidgetItem* node = m.node(MainWindowFixture::dive(simulator->diveID.toInt()));
    QVERIFY(w->tvTreeView()->visualItemRect(node).isValid() || node->parent()->isExpanded());
}

void tst_frmMainSimulator::profilePanelContinuesTheShownDive() {
    MainWindowFixture m(4);
    const qint32 logbook = m.fixture.logbook(QStringLiteral("Reef"), 4);
    const qint32 dive = m.fixture.dive(logbook, QDateTime(QDate(2026, 5, 2), QTime(10, 0)),
                                       {{QStringLiteral("SAMPLE"), QStringLiteral("0100000000000000").repeated(30)}});
    frmMain* w = m.open();
    m.select(MainWindowFixture::dive(dive));
    QAction* button = w->profilePanel()->buttons.value(QStringLiteral("SIMULATOR"));
    QVERIFY(button->isEnabled());
    const std::shared_ptr<Dive> shown = w->currentDive;
    button->trigger();
    QPointer<frmSimulator> simulator = w->simulator();
    QVERIFY(simulator);
    QVERIFY(simulator->isVisible());
    // The very dive shown, continued from the surface after its 30 samples.
    QCOMPARE(simulator->engine().dive(), shown);
    QCOMPARE(simulator->lblRealTime->text(), QStringLiteral("10:00"));
    QVERIFY(!m.env.fakes.busyPointer->busy);

    // While it is open the simulator keeps its dive.
    m.select(MainWindowFixture::logbook(logbook));
    m.select(MainWindowFixture::dive(dive));
    QVERIFY(w->currentDive != shown);
    simulator->hide();
    button->trigger();
    QCOMPARE(w->simulator(), simulator.data());
    QVERIFY(simulator->isVisible());
    QCOMPARE(simulator->engine().dive(), shown);
}

QTEST_MAIN(tst_frmMainSimulator)
#include "tst_frmmainsimulator.moc"
