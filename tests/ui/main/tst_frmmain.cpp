#include "DbError.h"
#include "Dive.h"
#include "DiveDataControl.h"
#include "DiveDateText.h"
#include "ErrorOf.h"
#include "FormLocalizer.h"
#include "LockHolder.h"
#include "MainModule.h"
#include "MainWindowFixture.h"
#include "ProfilePanel.h"
#include "ReadOnlyFolder.h"
#include "Settings.h"
#include "StartUp.h"
#include "TestEnvironment.h"
#include "WindowHelpers.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

namespace {
const QString TOO_LONG = QString(101, u'x'); // LOCATION holds 100 characters
const QString FREE_DIVE_SAMPLE = QStringLiteral("010000600030");

using MainWindow = MainWindowFixture;

// Two logbooks of the Zento (one without dives) and one of the Lumo.
struct Logbooks : MainWindow {
    Logbooks() {
        reef = fixture.logbook(QStringLiteral("Reef"), 1);
        lake = fixture.logbook(QStringLiteral("Lake"), 1);
        other = fixture.logbook(QStringLiteral("Other"), 2);
        first = fixture.dive(reef, at(2004, 3, 5, 9, 30),
                             {{QStringLiteral("LOCATION"), QStringLiteral("Bay")},
                              {QStringLiteral("ACTIVITY"), 4},
                              {QStringLiteral("WEATHER"), 2},
                              {QStringLiteral("WETSUIT"), 1}});
        second = fixture.dive(reef, at(2004, 3, 5, 15), {{QStringLiteral("SAMPLE"), QVariant()}});
        third = fixture.dive(reef, at(2004, 3, 6), {{QStringLiteral("DIVER"), QStringLiteral("Ann")}});
        foreign = fixture.dive(other, at(2004, 3, 7));
    }
    qint32 reef = 0, lake = 0, other = 0;
    qint32 first = 0, second = 0, third = 0, foreign = 0;
};

QStringList rowTexts(const QTreeView* list, int row) {
    QStringList texts;
    const QAbstractItemModel* rows = list->model();
    for (int c = 0; c < rows->columnCount(); ++c)
        texts.append(rows->index(row, c).data().toString());
    return texts;
}
int rowCount(const QTreeView* list) {
    return list->model()->rowCount();
}
} // namespace

class tst_frmMain : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void loadBuildsTheTree();
    void divesWithoutLogbookAreReportedOnce();
    void loadLocalisesAndStartsCommands();
    void logbookSelection();
    void logbookDivesMadeWhenOpened();
    void diveSelection();
    void tabKeptFromDiveToDive();
    void sameNodeAgain();
    void editsCommittedBeforeSelection();
    void tooLongEditKeepsTheSelection();
    void rebuildRequeriesBeforeSelecting();
    void rebuildDropsARefusedEdit();
    void closeBox_data();
    void closeBox();
    void closeFromTheWindowSystemAsks();
    void readOnlyLogbookShowsItsFieldsReadOnly();
    void lockedLogbookTellsTheCauseAndLetsTheUserLeave();
    void lockedLogbookTellsAFailedRead();
    void exitCommitsFirst_data();
    void exitCommitsFirst();
    void codedLists_data();
    void codedLists();
    void codedListChoiceIsWrittenAtOnce();
    void freeDiveSessionFollowsTheProfileRule_data();
    void freeDiveSessionFollowsTheProfileRule();
    void severalModelBits();
    void smallWindowKeepsWhatCannotShrink();
    void captionsAndColumnsFit_data();
    void captionsAndColumnsFit();
};

void tst_frmMain::loadBuildsTheTree() {
    Logbooks m;
    frmMain* w = m.open();
    QVERIFY(isFormLoaded(QStringLiteral("frmMain")));
    QCOMPARE(w->tvTreeView()->topLevelItemCount(), 1);
    QTreeWidgetItem* root = w->tvTreeView()->topLevelItem(0);
    QCOMPARE(frmMain::keyOf(root), QStringLiteral("DCzento"));
    QCOMPARE(root->text(0), QStringLiteral("zento"));
    QVERIFY(root->font(0).bold());
    QVERIFY(root->isExpanded());
    QCOMPARE(MainWindowFixture::childKeys(root), (QStringList{m.logbook(m.reef), m.logbook(m.lake)}));
    QCOMPARE(MainWindowFixture::childKeys(m.node(m.logbook(m.reef))),
             (QStringList{m.dive(m.third), m.dive(m.second), m.dive(m.first)}));
    QCOMPARE(m.node(m.dive(m.first))->text(0), QStringLiteral("05/03/2004 09:30:00"));
    QVERIFY(!w->node(m.dive(m.foreign)));
    QCOMPARE(w->tree().diveDayCounts.count(QStringLiteral("20040305")), 2);
    QVERIFY(!w->tree().diveDayCounts.contains(QStringLiteral("20040307")));

    // The root is applied: the logbook list, no logbook or dive current.
    QCOMPARE(w->currentNode, QStringLiteral("DCzento"));
    QCOMPARE(w->tvTreeView()->currentItem(), root);
    QVERIFY(!w->lvListView()->isHidden());
    QVERIFY(w->lvDiveRecord()->isHidden());
    QCOMPARE(rowCount(w->lvListView()), 2);
    QCOMPARE(rowTexts(w->lvListView(), 0), (QStringList{"Reef", "3", "nd", "nd"}));
    QCOMPARE(rowTexts(w->lvListView(), 1), (QStringList{"Lake", "0", "nd", "nd"}));
    QVERIFY(w->lvListView()->isColumnHidden(frmMainControls::COLUMN_MAX_DEPTH));
    QCOMPARE(Settings::instance().currentLogbookID(), -1);
    QCOMPARE(Settings::instance().currentDiveID(), -1);
    QCOMPARE(w->lblTitle()->text(), QStringLiteral(" Dive Computer: zento"));
    QCOMPARE(w->lblTitleShadow()->text(), w->lblTitle()->text());
    QCOMPARE(w->tabDive()->currentIndex(), 0);
    QVERIFY(w->tabDive()->isTabEnabled(1));
    QVERIFY(!w->tabDive()->isTabEnabled(2));
    QVERIFY(!w->tabLeft()->isTabEnabled(1));
    QVERIFY(!w->dbData->hasCurrentRow());
}

void tst_frmMain::loadLocalisesAndStartsCommands() {
    MainWindow m;
    frmMain* w = m.open();
    QCOMPARE(w->windowTitle(), QStringLiteral("S.O.N.A. 2.2"));
    QCOMPARE(w->INFO_PANEL()->text(), QStringLiteral("Dive filter: Disabled"));
    QCOMPARE(w->tabLeft()->tabText(0), QStringLiteral(" LogBook/Dives"));
    QCOMPARE(w->tabLeft()->tabText(1), QStringLiteral(" Profile Display"));
    QCOMPARE(w->tabDive()->tabText(2), QStringLiteral("General Info."));
    QCOMPARE(w->lvDiveRecord()->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Mode"));
    QCOMPARE(w->mnuFile()->title(), QStringLiteral("&File"));
    QCOMPARE(w->mnuExit()->text(), QStringLiteral("&Exit"));
    QCOMPARE(w->toolbarButton(QStringLiteral("DOWNLOAD"))->toolTip(), QStringLiteral("Download Data"));
    QCOMPARE(w->helpLanguage(QStringLiteral("HELP_S"))->text(), QStringLiteral("Spanish"));
    QCOMPARE(w->cmbActivity()->count(), 13);
    QCOMPARE(w->cmbActivity()->itemText(12), QStringLiteral("Other"));
    QCOMPARE(w->cmbActivity()->itemData(3).toInt(), 3);
    QCOMPARE(w->cmbWeather()->itemText(0), QStringLiteral("Clear"));
    QCOMPARE(w->cmbWetsuit()->count(), 3);

    // No text is left as a string number.
    for (QAction* action : w->findChildren<QAction*>()) {
        if (!action->isSeparator())
            QVERIFY2(!action->text().left(4).toInt(), qPrintable(action->text()));
    }
    for (QLabel* label : w->findChildren<QLabel*>())
        QVERIFY2(!label->text().left(4).toInt(), qPrintable(label->objectName()));

    for (QAction* hidden : {w->mnuImportDB(), w->mnuDownloadSettings()})
        QVERIFY(!hidden->isVisible());
    QVERIFY(!w->mnuImportDB()->isEnabled());
    QVERIFY(frmMain::isMenuEnabled(QStringLiteral("mnuDownloadSettings")));
    QVERIFY(!frmMain::isMenuEnabled(QStringLiteral("mnuImportDB")));
    QVERIFY(!w->mnuLBDelete()->isEnabled());
    QVERIFY(w->mnuExit()->isEnabled());
    QVERIFY(w->mnuViewPreference()->isEnabled());
    QVERIFY(w->mnuDownloadDCPC()->isEnabled());
}

void tst_frmMain::logbookSelection() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.logbook(m.reef));
    QCOMPARE(w->currentNode, m.logbook(m.reef));
    QCOMPARE(Settings::instance().currentLogbookID(), m.reef);
    QCOMPARE(Settings::instance().currentDiveID(), -1);
    QCOMPARE(w->lblTitle()->text(), QStringLiteral(" Logbook: Reef"));
    QVERIFY(w->lvListView()->isHidden());
    QVERIFY(!w->lvDiveRecord()->isHidden());
    QCOMPARE(rowCount(w->lvDiveRecord()), 3);
    QCOMPARE(rowTexts(w->lvDiveRecord(), 0),
             (QStringList{m.node(m.dive(m.third))->text(0), "Ann", "", "Exploration", "Air"}));
    QCOMPARE(rowTexts(w->lvDiveRecord(), 2),
             (QStringList{QStringLiteral("05/03/2004 09:30:00"), "", "Bay", "Night", "Air"}));
    QVERIFY(frmMain::isWanted(w->mnuLBDelete()));
    QVERIFY(frmMain::isWanted(w->mnuLBRename()));
    QVERIFY(!frmMain::isWanted(w->toolbarButton(QStringLiteral("PROFILE"))));
    QVERIFY(w->chkCurrentLogbook()->isEnabled());
    QCOMPARE(w->tabDive()->currentIndex(), 0);

    // A logbook without dives empties the list.
    m.select(m.logbook(m.lake));
    QCOMPARE(rowCount(w->lvDiveRecord()), 0);

    m.select(QStringLiteral("DCzento"));
    QCOMPARE(Settings::instance().currentLogbookID(), -1);
    QVERIFY(!frmMain::isWanted(w->mnuLBDelete()));
    QVERIFY(!w->chkCurrentLogbook()->isEnabled());
}

void tst_frmMain::logbookDivesMadeWhenOpened() {
    Logbooks m;
    frmMain* w = m.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTreeWidgetItem* reef = w->tvTreeView()->topLevelItem(0)->child(0);
    QCOMPARE(frmMain::keyOf(reef), m.logbook(m.reef));
    QCOMPARE(reef->childCount(), 0);
    QCOMPARE(rowTexts(w->lvListView(), 0).value(1), QStringLiteral("3"));
    // Selected unopened, the logbook lists its dives all the same.
    w->tvTreeView()->setCurrentItem(reef);
    QCOMPARE(w->currentNode, m.logbook(m.reef));
    QCOMPARE(rowCount(w->lvDiveRecord()), 3);
    QCOMPARE(rowTexts(w->lvDiveRecord(), 2).value(0), QStringLiteral("05/03/2004 09:30:00"));
    QCOMPARE(reef->childCount(), 0);

    w->tvTreeView()->setFocus();
    QTest::keyClick(w->tvTreeView(), Qt::Key_Right);
    QCOMPARE(MainWindowFixture::childKeys(reef), (QStringList{m.dive(m.third), m.dive(m.second), m.dive(m.first)}));
    QTest::keyClick(w->tvTreeView(), Qt::Key_Down);
    QCOMPARE(w->currentNode, m.dive(m.third));
    QCOMPARE(Settings::instance().currentDiveID(), m.third);
}

void tst_frmMain::diveSelection() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.logbook(m.reef));
    m.select(m.dive(m.first));
    QCOMPARE(Settings::instance().currentDiveID(), m.first);
    QCOMPARE(Settings::instance().currentLogbookID(), m.reef);
    QCOMPARE(w->dbData->currentDiveID(), m.first);
    QVERIFY(w->currentDive);
    QCOMPARE(w->currentDive->diveID(), m.first);
    QCOMPARE(w->lblTitle()->text(), QStringLiteral(" Dive: 05/03/2004 09:30:00"));
    QCOMPARE(w->currentTab, 2);
    QCOMPARE(w->tabDive()->currentIndex(), 2);
    QVERIFY(!w->tabDive()->isTabEnabled(0));
    QVERIFY(w->tabDive()->isTabEnabled(6));
    QVERIFY(w->tabDive()->isTabEnabled(7));
    QCOMPARE(w->fldLocation()->text(), QStringLiteral("Bay"));
    QCOMPARE(w->lbl_AirTemperature()->text(), QStringLiteral("°C"));
    QCOMPARE(w->cmbActivity()->currentText(), QStringLiteral("Night"));
    QCOMPARE(w->cmbWeather()->currentText(), QStringLiteral("Misty"));
    QCOMPARE(w->cmbWetsuit()->currentText(), QStringLiteral("Semi-dry suit"));
    QVERIFY(frmMain::isWanted(w->toolbarButton(QStringLiteral("PROFILE"))));
    QVERIFY(frmMain::isWanted(w->toolbarButton(QStringLiteral("SIMULATOR"))));
    QVERIFY(frmMain::isWanted(w->mnuLBDelete()));
    QVERIFY(!frmMain::isWanted(w->mnuLBRename()));

    // The Profile tab, then a dive without profile: the Notes tab takes its place.
    w->changeCurrentTab(7);
    QCOMPARE(w->tabDive()->currentIndex(), 7);
    QVERIFY(w->tabLeft()->isTabEnabled(1));
    m.select(m.dive(m.second));
    QCOMPARE(w->currentTab, 6);
    QCOMPARE(w->tabDive()->currentIndex(), 6);
    QVERIFY(!w->tabDive()->isTabEnabled(7));
    QVERIFY(!w->tabLeft()->isTabEnabled(1));
    QVERIFY(!frmMain::isWanted(w->toolbarButton(QStringLiteral("PREVIEW"))));
    QVERIFY(w->fldLocation()->text().isEmpty());

    // Back to the root: the list group again.
    m.select(QStringLiteral("DCzento"));
    QCOMPARE(w->tabDive()->currentIndex(), 0);
    QVERIFY(!w->tabDive()->isTabEnabled(2));
    QCOMPARE(Settings::instance().currentDiveID(), -1);
}

void tst_frmMain::tabKeptFromDiveToDive() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    w->tabDive()->setCurrentIndex(4); // the user's click
    QCOMPARE(w->currentTab, 4);
    m.select(m.dive(m.third));
    QCOMPARE(w->tabDive()->currentIndex(), 4);

    // With a logbook selected, the calendar chosen by hand gives way to the list on the next logbook.
    m.select(m.logbook(m.reef));
    w->tabDive()->setCurrentIndex(1);
    m.select(m.logbook(m.lake));
    QCOMPARE(w->tabDive()->currentIndex(), 0);
}

void tst_frmMain::sameNodeAgain() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    Settings::instance().setCurrentDiveID(-1);
    m.select(m.dive(m.first));
    QCOMPARE(Settings::instance().currentDiveID(), -1); // nothing applied
    w->tvTreeview_nodeClic(m.node(m.dive(m.first)), true);
    QCOMPARE(Settings::instance().currentDiveID(), m.first);
}

void tst_frmMain::editsCommittedBeforeSelection() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    MainWindow::type(w->fldLocation(), QStringLiteral("Cave"));
    MainWindow::type(w->fldFriend(), QStringLiteral("Bob"));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), QStringLiteral("Bay"));

    m.select(m.dive(m.third));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), QStringLiteral("Cave"));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("FRIEND")).toString(), QStringLiteral("Bob"));
    QVERIFY(m.fixture.column(m.third, QStringLiteral("FRIEND")).isNull());
    QVERIFY(w->fldFriend()->text().isEmpty());
    QCOMPARE(w->fldDiver()->text(), QStringLiteral("Ann"));

    // The root and the logbooks commit too.
    MainWindow::type(w->fldDiver(), QStringLiteral("Eve"));
    m.select(m.logbook(m.reef));
    QCOMPARE(m.fixture.column(m.third, QStringLiteral("DIVER")).toString(), QStringLiteral("Eve"));
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
}

void tst_frmMain::divesWithoutLogbookAreReportedOnce() {
    Logbooks m;
    qint32 stray = 0;
    {
        // Another program deleted a logbook row and wrote a dive for none, without the schema's rules.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(Settings::instance().databaseName());
        QVERIFY(other.open());
        QSqlQuery query(other);
        QVERIFY(query.exec(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = %1").arg(m.other)));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME) VALUES (99, '2004-04-01 10:00:00')")));
        stray = query.lastInsertId().toInt();
        query.finish();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));

    m.env.fakes.message->answers << Msg::Ok;
    frmMain* w = m.open();
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
    const ShownMessage& told = m.env.fakes.message->shown[0];
    QVERIFY2(told.text.contains(QStringLiteral("2 dive(s) belong to no logbook")), qPrintable(told.text));
    QVERIFY2(told.text.endsWith(QStringLiteral("DIVE_ID: %1, %2").arg(m.foreign).arg(stray)), qPrintable(told.text));
    // Told at load, not at every rebuild; nothing repaired or deleted.
    w->reloadTreeView(QString());
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
    QCOMPARE(m.fixture.column(m.foreign, QStringLiteral("FILE_ID")).toInt(), m.other);
    QCOMPARE(m.fixture.column(stray, QStringLiteral("FILE_ID")).toInt(), 99);
}

void tst_frmMain::tooLongEditKeepsTheSelection() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    MainWindow::type(w->fldLocation(), TOO_LONG);
    const QString title = w->lblTitle()->text();

    m.env.fakes.message->answers.enqueue(Msg::Ok);
    m.select(m.dive(m.third));
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
    QCOMPARE(m.env.fakes.message->shown[0].text, QStringLiteral("Some of the items entered are too long. Enter fewer "
                                                                "characters into the fields."));
    QCOMPARE(m.env.fakes.message->shown[0].title, QStringLiteral("Information"));
    QCOMPARE(Msg::icon(m.env.fakes.message->shown[0].flags), Msg::Information);
    QCOMPARE(w->currentNode, m.dive(m.first));
    QCOMPARE(Settings::instance().currentDiveID(), m.first);
    QCOMPARE(w->lblTitle()->text(), title);
    QCOMPARE(w->dbData->currentDiveID(), m.first);
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), QStringLiteral("Bay"));

    // Shortened, the same choice goes through.
    MainWindow::type(w->fldLocation(), QStringLiteral("Short"));
    m.select(m.dive(m.third));
    QCOMPARE(w->currentNode, m.dive(m.third));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), QStringLiteral("Short"));
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

void tst_frmMain::rebuildRequeriesBeforeSelecting() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    // A dive stored by another window (a saved simulation) comes first in the filter's order.
    const qint32 saved = m.fixture.dive(m.reef, at(2004, 3, 9), {{QStringLiteral("IS_SIMUL"), 1}});
    w->frmSimulator_SimulationSaved(QString::number(saved));

    QTreeWidgetItem* node = m.node(m.dive(saved));
    QVERIFY(node->parent()->isExpanded());
    QCOMPARE(w->currentNode, QStringLiteral("DCzento"));
    QCOMPARE(Settings::instance().currentDiveID(), -1);
    QCOMPARE(rowTexts(w->lvListView(), 0).value(1), QStringLiteral("4"));

    m.select(m.dive(saved));
    QCOMPARE(w->dbData->currentDiveID(), saved);
    MainWindow::type(w->fldLocation(), QStringLiteral("Simulated"));
    m.select(m.dive(m.first));
    QCOMPARE(m.fixture.column(saved, QStringLiteral("LOCATION")).toString(), QStringLiteral("Simulated"));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), QStringLiteral("Bay"));
    QCOMPARE(m.fixture.column(m.third, QStringLiteral("LOCATION")).toString(), QString());
}

void tst_frmMain::rebuildDropsARefusedEdit() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    MainWindow::type(w->fldLocation(), TOO_LONG);
    m.env.fakes.message->answers << Msg::Ok;
    w->reloadTreeView(QString());
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
    QCOMPARE(m.env.fakes.message->shown[0].title, QStringLiteral("Information"));
    QCOMPARE(w->currentNode, QStringLiteral("DCzento"));
    QVERIFY(!w->dbData->hasPendingEdits());
    m.select(m.dive(m.third));
    QCOMPARE(w->currentNode, m.dive(m.third));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), QStringLiteral("Bay"));
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

void tst_frmMain::closeBox_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("messages");
    QTest::newRow("no") << int(Msg::No) << "Cave" << true << "Bay" << 1;
    QTest::newRow("yes commits") << int(Msg::Yes) << "Cave" << false << "Cave" << 1;
    QTest::newRow("yes, entry too long") << int(Msg::Yes) << TOO_LONG << true << "Bay" << 2;
}

void tst_frmMain::closeBox() {
    QFETCH(int, answer);
    QFETCH(QString, typed);
    QFETCH(bool, stays);
    QFETCH(QString, stored);
    QFETCH(int, messages);
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    MainWindow::type(w->fldLocation(), typed);
    m.env.fakes.message->answers << answer << Msg::Ok;

    QCOMPARE(w->Form_QueryUnload(frmMain::UnloadMode::FormControlMenu), stays);
    const QList<ShownMessage>& shown = m.env.fakes.message->shown;
    QCOMPARE(shown.size(), messages);
    QCOMPARE(shown[0].text, QStringLiteral("Do you really want to exit the application?"));
    QCOMPARE(shown[0].title, QStringLiteral("Confirm"));
    QCOMPARE(shown[0].flags, Msg::YesNo | Msg::Question);
    if (messages > 1) {
        // Asked whether to close without the entry; no keeps the program open to shorten it.
        QVERIFY2(shown[1].text.contains(getString(3031)), qPrintable(shown[1].text));
        QCOMPARE(shown[1].flags, Msg::YesNo | Msg::Question);
    }
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), stored);
    QCOMPARE(Settings::exists(), stays); // shutdown releases the settings
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(bool(m.window), stays);
}

void tst_frmMain::closeFromTheWindowSystemAsks() {
    Logbooks m;
    frmMain* w = m.open();
    m.env.fakes.message->answers << Msg::No;
    // Sent straight to the window: the application's sendEvent would mark it the program's own.
    QCloseEvent userClose;
    QSpontaneKeyEvent::setSpontaneous(&userClose);
    static_cast<QObject*>(w)->event(&userClose);
    QVERIFY(!userClose.isAccepted());
    QCOMPARE(m.env.fakes.message->shown.size(), 1);

    // The program's own close asks nothing.
    QCloseEvent programClose;
    QApplication::sendEvent(w, &programClose);
    QVERIFY(programClose.isAccepted());
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
}

void tst_frmMain::readOnlyLogbookShowsItsFieldsReadOnly() {
    Logbooks m;
    m.fixture.db.close();
    const QString path = Settings::instance().databaseName();
    const QByteArray before = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ReadOnlyFolder readOnly(m.env.folder());
    if (!readOnly.ok())
        QSKIP("this file system cannot make a folder read-only");

    frmMain* w = m.open();
    m.select(m.dive(m.first));
    QCOMPARE(w->dbData->currentDiveID(), m.first);
    QCOMPARE(w->fldLocation()->text(), QStringLiteral("Bay"));
    // Nothing to type for nothing.
    QVERIFY(w->fldLocation()->isReadOnly());
    QVERIFY(!w->cmbActivity()->isEnabled());
    QCOMPARE(errorOf([&] { w->dbData->setValue(QStringLiteral("LOCATION"), QStringLiteral("Cave")); }),
             DbError::ReadOnly);
    m.select(m.dive(m.third));
    QCOMPARE(w->currentNode, m.dive(m.third));

    m.env.fakes.message->answers << Msg::Yes;
    QVERIFY(!w->Form_QueryUnload(frmMain::UnloadMode::FormControlMenu));
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
    QCOMPARE(m.env.fakes.message->unexpected, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void tst_frmMain::lockedLogbookTellsTheCauseAndLetsTheUserLeave() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    MainWindow::type(w->fldLocation(), QStringLiteral("Cave"));
    const QString path = Settings::instance().databaseName();
    {
        // Another program holds the file longer than the window waits.
        const LockHolder other(path);
        QVERIFY(other.locked());

        m.env.fakes.message->answers << Msg::Ok;
        m.select(m.dive(m.third));
        QCOMPARE(w->currentNode, m.dive(m.first));
        QCOMPARE(m.env.fakes.message->shown.size(), 1);
        const ShownMessage& told = m.env.fakes.message->shown[0];
        QVERIFY2(told.text.contains(QStringLiteral("[3218] ")), qPrintable(told.text));
        QVERIFY2(!told.text.contains(getString(3031)), qPrintable(told.text));

        // Leaving asks once whether to drop the entry, and then the program ends.
        m.env.fakes.message->answers << Msg::Yes << Msg::Yes;
        QVERIFY(!w->Form_QueryUnload(frmMain::UnloadMode::FormControlMenu));
        QCOMPARE(m.env.fakes.message->shown.size(), 3);
        QVERIFY2(m.env.fakes.message->shown[2].text.contains(QStringLiteral("[3218] ")),
                 qPrintable(m.env.fakes.message->shown[2].text));
        QCOMPARE(m.env.fakes.message->shown[2].flags, Msg::YesNo | Msg::Question);
    }
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), QStringLiteral("Bay"));
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

// Without entries to store, a dive the locked logbook cannot read is told as the selection's failure,
// not as entries refused.
void tst_frmMain::lockedLogbookTellsAFailedRead() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    const QString path = Settings::instance().databaseName();
    {
        const LockHolder other(path);
        QVERIFY(other.locked());

        m.env.fakes.message->answers << Msg::Ok;
        w->tvTreeView()->setCurrentItem(m.node(m.dive(m.third)));
        QCOMPARE(m.env.fakes.message->shown.size(), 1);
        const QString told = m.env.fakes.message->shown[0].text;
        QVERIFY2(told.contains(QStringLiteral("Error selecting the node")) && told.contains(QStringLiteral("[3218] ")),
                 qPrintable(told));
        QVERIFY2(!told.contains(QStringLiteral("could not be saved")), qPrintable(told));
    }
    QVERIFY(w->close());
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

void tst_frmMain::exitCommitsFirst_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<QString>("stored");
    QTest::newRow("no") << int(Msg::No) << "Cave" << true << "Bay";
    QTest::newRow("yes") << int(Msg::Yes) << "Cave" << false << "Cave";
    QTest::newRow("yes, entry too long") << int(Msg::Yes) << TOO_LONG << true << "Bay";
}

void tst_frmMain::exitCommitsFirst() {
    QFETCH(int, answer);
    QFETCH(QString, typed);
    QFETCH(bool, stays);
    QFETCH(QString, stored);
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    MainWindow::type(w->fldLocation(), typed);
    m.env.fakes.message->answers << answer << Msg::Ok;
    w->mnuExit_Click();
    QCOMPARE(m.env.fakes.message->shown.size(), TOO_LONG == typed ? 2 : 1); // one question only
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("LOCATION")).toString(), stored);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(bool(m.window), stays);
}

void tst_frmMain::codedLists_data() {
    QTest::addColumn<int>("activity");
    QTest::addColumn<int>("weather");
    QTest::addColumn<int>("wetsuit");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("in range") << 12 << 5 << 2 << QList<int>{12, 5, 2};
    QTest::newRow("none") << -1 << -1 << -1 << QList<int>{-1, -1, -1};
    QTest::newRow("past each list") << 13 << 6 << 3 << QList<int>{-1, -1, -1};
    QTest::newRow("far out") << 32767 << -32768 << 1000 << QList<int>{-1, -1, -1};
}

void tst_frmMain::codedLists() {
    QFETCH(int, activity);
    QFETCH(int, weather);
    QFETCH(int, wetsuit);
    QFETCH(QList<int>, shown);
    MainWindow m;
    const qint32 dive = m.fixture.dive(m.fixture.logbook(QStringLiteral("L"), 1), at(2010, 5, 1),
                                       {{QStringLiteral("ACTIVITY"), activity},
                                        {QStringLiteral("WEATHER"), weather},
                                        {QStringLiteral("WETSUIT"), wetsuit}});
    frmMain* w = m.open();
    m.select(m.dive(dive));
    QCOMPARE(w->cmbActivity()->currentIndex(), shown[0]);
    QCOMPARE(w->cmbWeather()->currentIndex(), shown[1]);
    QCOMPARE(w->cmbWetsuit()->currentIndex(), shown[2]);
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
    // Showing writes nothing back.
    QCOMPARE(m.fixture.column(dive, QStringLiteral("ACTIVITY")).toInt(), activity);
}

void tst_frmMain::codedListChoiceIsWrittenAtOnce() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    MainWindow::type(w->fldDiver(), QStringLiteral("Zed"));
    w->cmbActivity()->setCurrentIndex(7);
    w->cmbActivity_Click();
    w->cmbWetsuit()->setCurrentIndex(-1);
    w->cmbWetsuit_Click();
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("ACTIVITY")).toInt(), 7);
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("WETSUIT")).toInt(), -1);
    QVERIFY(m.fixture.column(m.first, QStringLiteral("DIVER")).isNull()); // the fields wait
    m.select(m.logbook(m.reef));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("DIVER")).toString(), QStringLiteral("Zed"));
    QCOMPARE(rowTexts(w->lvDiveRecord(), 2).value(3), QStringLiteral("For research"));
}

void tst_frmMain::freeDiveSessionFollowsTheProfileRule_data() {
    QTest::addColumn<QVariant>("sample");
    QTest::addColumn<bool>("profile");
    QTest::newRow("with its records") << QVariant(FREE_DIVE_SAMPLE) << true;
    QTest::newRow("without profile") << QVariant() << false;
}

void tst_frmMain::freeDiveSessionFollowsTheProfileRule() {
    QFETCH(QVariant, sample);
    QFETCH(bool, profile);
    MainWindow m(32);
    const qint32 logbook = m.fixture.logbook(QStringLiteral("Apnea"), 32);
    const qint32 scuba = m.fixture.dive(logbook, at(2011, 7, 1, 9), {{QStringLiteral("SAMPLE"), QVariant()}});
    const qint32 session = m.fixture.dive(logbook, at(2011, 7, 1, 15),
                                          {{QStringLiteral("DIVE_MODE"), 2}, {QStringLiteral("SAMPLE"), sample}});
    frmMain* w = m.open();
    // Whatever the dive before it left.
    m.select(m.dive(scuba));
    m.select(m.dive(session));
    QVERIFY(w->currentDive && w->currentDive->isFreeDive());
    QVERIFY(!frmMain::isWanted(w->toolbarButton(QStringLiteral("SIMULATOR"))));
    QVERIFY(!w->profilePanel()->buttons.value(QStringLiteral("SIMULATOR"))->isEnabled());
    QCOMPARE(frmMain::isWanted(w->toolbarButton(QStringLiteral("PROFILE"))), profile);
    QCOMPARE(w->profileSwitch(), profile);
    QCOMPARE(w->tabDive()->isTabEnabled(7), profile);
    QCOMPARE(m.fixture.column(session, QStringLiteral("DIVE_MODE")).toInt(), 2);
    m.select(m.logbook(logbook));
    QCOMPARE(rowTexts(w->lvDiveRecord(), 0).value(4), QStringLiteral("Free Dive"));
}

void tst_frmMain::severalModelBits() {
    MainWindow m(3);
    const qint32 logbook = m.fixture.logbook(QStringLiteral("Both"), 3);
    const qint32 dive = m.fixture.dive(logbook, at(2012, 2, 2));
    frmMain* w = m.open();
    QCOMPARE(frmMain::keyOf(w->tvTreeView()->topLevelItem(0)), QStringLiteral("DC"));
    QCOMPARE(w->lblTitle()->text(), QStringLiteral(" Dive Computer: "));
    m.select(m.dive(dive));
    QCOMPARE(Settings::instance().currentDiveID(), dive);
    QCOMPARE(w->dbData->currentDiveID(), dive);
    QCOMPARE(w->tabDive()->currentIndex(), 2);
    w->changeCurrentTab(7);
    QCOMPARE(w->currentTab, 7);
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

void tst_frmMain::smallWindowKeepsWhatCannotShrink() {
    MainWindow m;
    frmMain* w = m.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QRect tabDive = w->tabDive()->geometry();
    QVERIFY(tabDive.width() > 0);
    w->resize(150, 120);
    QCoreApplication::processEvents();
    QCOMPARE(w->tabDive()->geometry(), tabDive);
    w->resize(1000, 700);
    QCoreApplication::processEvents();
    QCOMPARE(w->tabDive()->geometry().left(), 4190 / 15);
    QVERIFY(w->tabDive()->geometry().width() > tabDive.width());
}

void tst_frmMain::captionsAndColumnsFit_data() {
    QTest::addColumn<int>("language");
    for (int language = 0; language < 6; ++language)
        QTest::newRow(qPrintable(QStringLiteral("language %1").arg(language))) << language;
}

// At the first size every dive tab shows its whole caption (as far as the screen allows), and a
// logbook of many dives, enough for a vertical scroll bar, shows every column of the dive list
// within the list: no horizontal scroll, every title, the dates and the mode words whole.
void tst_frmMain::captionsAndColumnsFit() {
    QFETCH(int, language);
    Logbooks m;
    const QString divers[] = {QStringLiteral("Giovanni Battista Rossi"), QStringLiteral("Anna"),
                              QStringLiteral("Maria Fernanda Oliveira")};
    const QString sites[] = {QStringLiteral("Isola del Giglio, Punta Capel Rosso, parete nord"),
                             QStringLiteral("Blue Hole"), QStringLiteral("Secca della Colombara")};
    // Every activity and every mode word of the model, long names and sites among them.
    for (int i = 0; i < 39; ++i)
        m.fixture.dive(m.reef, at(2004, 4, 1 + i / 3, 9 + 3 * (i % 3)),
                       {{QStringLiteral("DIVER"), divers[i % 3]},
                        {QStringLiteral("LOCATION"), sites[i % 3]},
                        {QStringLiteral("ACTIVITY"), i % 13},
                        {QStringLiteral("DIVE_MODE"), i % 4}});
    m.env.storeSetting(QStringLiteral("Language"), QString::number(language));
    m.env.restart();
    frmMain* w = m.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const int screenWidth = w->screen()->availableGeometry().width();
    for (QTabWidget* tabs : {w->tabLeft(), w->tabDive()}) {
        QTabBar* bar = tabs->tabBar();
        if (w->width() < screenWidth)
            QVERIFY2(bar->sizeHint().width() <= bar->width(), qPrintable(QStringLiteral("%1: %2 > %3")
                                                                             .arg(tabs->objectName())
                                                                             .arg(bar->sizeHint().width())
                                                                             .arg(bar->width())));
    }

    // Filled wide (a maximized window), then made narrower (restored) and wider again.
    const QSize first = w->size();
    w->resize(first.width() + 500, first.height());
    QCoreApplication::processEvents();
    m.select(m.logbook(m.reef));
    QTreeView* list = w->lvDiveRecord();
    QVERIFY(list->isVisible());
    const auto fitsWhole = [list](const char* stage) {
        QCoreApplication::processEvents();
        QVERIFY2(list->verticalScrollBar()->isVisible(), "the list is not long enough to scroll");
        const int last = list->model()->columnCount() - 1;
        int total = 0;
        QStringList widths;
        for (int column = 0; column <= last; ++column) {
            const int title = list->header()->sectionSizeHint(column);
            QVERIFY2(list->columnWidth(column) >= title, qPrintable(QStringLiteral("%1, column %2: %3 < %4")
                                                                        .arg(QLatin1String(stage))
                                                                        .arg(column)
                                                                        .arg(list->columnWidth(column))
                                                                        .arg(title)));
            total += list->columnWidth(column);
            widths.append(QString::number(list->columnWidth(column)));
        }
        QVERIFY2(total <= list->viewport()->width(),
                 qPrintable(QStringLiteral("%1: the columns (%2) need %3 px, the list shows %4")
                                .arg(QLatin1String(stage), widths.join(QStringLiteral(" + ")))
                                .arg(total)
                                .arg(list->viewport()->width())));
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        // The date and the mode word are short and of a known kind: they show whole, the free texts
        // give way.
        for (int column : {0, last}) {
            const int width = list->columnWidth(column);
            list->resizeColumnToContents(column);
            const int whole = list->columnWidth(column);
            list->setColumnWidth(column, width);
            QVERIFY2(whole <= width, qPrintable(QStringLiteral("%1, column %2: %3 > %4")
                                                    .arg(QLatin1String(stage))
                                                    .arg(column)
                                                    .arg(whole)
                                                    .arg(width)));
        }
    };
    fitsWhole("filled wide");
    if (QTest::currentTestFailed())
        return;
    const int wide = list->width();
    w->resize(first);
    QCoreApplication::processEvents();
    QVERIFY(list->width() < wide);
    fitsWhole("narrower");
    if (QTest::currentTestFailed())
        return;
    w->resize(first.width() + 500, first.height());
    QCoreApplication::processEvents();
    QCOMPARE(list->width(), wide);
    fitsWhole("wider again");
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
