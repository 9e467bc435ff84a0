#include "CalendarTab.h"
#include "DiveDataControl.h"
#include "DivePicture.h"
#include "FakeDownload.h"
#include "LogbookEdits.h"
#include "MainCommands.h"
#include "MainModule.h"
#include "MainWindowFixture.h"
#include "MonthView.h"
#include "NotesTab.h"
#include "ProfileDataTab.h"
#include "SettingsTab.h"
#include "StartUp.h"
#include "TechnicalTab.h"
#include "TestEnvironment.h"
#include "WindowHelpers.h"
#include "frmAbout.h"
#include "frmDiveComputerSettings.h"
#include "frmDownLoad.h"
#include "frmFilter.h"
#include "frmMain.h"
#include "frmPreview.h"
#include "frmPrint.h"
#include "frmSettings.h"
#include "frmStats.h"
#include "frmStatsAskForMode.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QString TOO_LONG = QString(101, u'x'); // LOCATION holds 100 characters
const QString LOCATION = QStringLiteral("LOCATION");
const QString FILTER = QStringLiteral("FILTER");

// Zento logbooks Reef (three dives, the first a deco dive) and Lake (none), a Lumo logbook Other
// with one dive, and the main window on them, in English; the window is unloaded at the end as the
// program unloads it.
struct Logbooks : MainWindowFixture {
    explicit Logbooks(int model = 1) : MainWindowFixture(model) {
        env.fakes.clock->current = at(2004, 3, 5, 12);
        reef = fixture.logbook(QStringLiteral("Reef"), 1);
        lake = fixture.logbook(QStringLiteral("Lake"), 1);
        other = fixture.logbook(QStringLiteral("Other"), 2);
        first = fixture.dive(reef, at(2004, 3, 5, 9, 30), {{QStringLiteral("DECO_FLAG"), 1}});
        second = fixture.dive(reef, at(2004, 3, 5, 15));
        third = fixture.dive(reef, at(2004, 3, 6), {{LOCATION, QStringLiteral("Bay")}});
        foreign = fixture.dive(other, at(2004, 3, 7));
    }
    QAction* filterButton() const { return window->toolbarButton(FILTER); }
    qint32 count(const QString& statement, const QVariantList& params) {
        Recordset rs(fixture.db, statement, params);
        return rs.value(0).toInt();
    }
    QString name(qint32 fileID) {
        Recordset rs(fixture.db, QStringLiteral("SELECT FILENAME FROM FILE WHERE FILE_ID = ?"), {fileID});
        return rs.eof() ? QString() : rs.value(0).toString();
    }

    // The label editor the Rename command opens in the tree.
    QLineEdit* labelEditor() const {
        for (QLineEdit* editor : window->tvTreeView()->viewport()->findChildren<QLineEdit*>()) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }

    qint32 reef = 0, lake = 0, other = 0;
    qint32 first = 0, second = 0, third = 0, foreign = 0;
};

void trigger(Logbooks& m, bool fromToolbar) {
    if (fromToolbar)
        m.filterButton()->trigger();
    else
        m.window->mnuLBFilter()->trigger();
}
} // namespace

class tst_frmMainCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void commandStates_data();
    void commandStates();
    void filterOnAndOff_data();
    void filterOnAndOff();
    void filterCancelled_data();
    void filterCancelled();
    void filterCommitsPendingEdits_data();
    void filterCommitsPendingEdits();
    void deleteLogbookDeletesItsDives();
    void deleteAnsweredNo();
    void deleteDiveDropsItsPendingEdits();
    void redate_data();
    void redate();
    void redateWithoutADive();
    void rename_data();
    void rename();
    void renameGivenUp();
    void notesAndPictureKeptAcrossDives();
    void calendarFilledFromTheTree();
    void diveTabsFilled();
    void tankFieldsFollowTheModel_data();
    void tankFieldsFollowTheModel();
    void profileDataExports();
    void help_data();
    void help();
    void dialogsOpenedAndClosed();
    void diveComputerSettingsModeless();
    void statistics_data();
    void statistics();
    void printAndPreview();
    void printAndPreviewWithoutPrinter();
};

void tst_frmMainCommands::commandStates_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("enabled");
    for (const char* wired :
         {"mnuLBFilter", "tlbMainToolbar_FILTER", "mnuLBModifyDiveTime", "mnuDownloadDCPC", "tlbMainToolbar_DOWNLOAD",
          "mnuViewPreference", "tlbMainToolbar_SETTINGS", "mnuHelpContents", "mnuHelpSearchForHelpOn", "mnuHelpAbout",
          "tlbMainToolbar_HELP", "mnuViewProfile", "tlbMainToolbar_PROFILE", "mnuViewSimulator",
          "tlbMainToolbar_SIMULATOR", "mnuLBStatistics", "mnuPrint", "tlbMainToolbar_PRINT", "tlbMainToolbar_PREVIEW"})
        QTest::newRow(wired) << wired << true;
    // A hidden entry takes no action of the user's; its window is reached from code.
    QTest::newRow("mnuDownloadSettings, hidden") << "mnuDownloadSettings" << false;
}

void tst_frmMainCommands::commandStates() {
    QFETCH(QString, command);
    QFETCH(bool, enabled);
    Logbooks m;
    frmMain* w = m.open();
    // A dive with a profile asks for every command the selection rules offer.
    m.select(m.dive(m.first));
    auto* action = w->findChild<QAction*>(command);
    QVERIFY(action);
    QCOMPARE(action->isEnabled(), enabled);

    // Rename and Delete follow the selection.
    m.select(m.logbook(m.reef));
    QVERIFY(w->mnuLBRename()->isEnabled());
    QVERIFY(w->mnuLBDelete()->isEnabled());
    m.select(QStringLiteral("DCzento"));
    QVERIFY(!w->mnuLBRename()->isEnabled());
    QVERIFY(!w->mnuLBDelete()->isEnabled());
}

void tst_frmMainCommands::filterOnAndOff_data() {
    QTest::addColumn<bool>("fromToolbar");
    QTest::newRow("menu") << false;
    QTest::newRow("toolbar") << true;
}

void tst_frmMainCommands::filterOnAndOff() {
    QFETCH(bool, fromToolbar);
    Logbooks m;
    frmMain* w = m.open();
    const QString unfiltered = Settings::instance().currentFilter();
    m.select(m.dive(m.third));
    {
        ModalAnswer<frmFilter> decoDives([](frmFilter& dialog) {
            dialog.optInDECO->setChecked(true);
            dialog.btnOk_Click();
        });
        trigger(m, fromToolbar);
        QCOMPARE(decoDives.shown, 1);
    }
    QCOMPARE(w->INFO_PANEL()->text(), QStringLiteral("Dive filter: Enabled"));
    QVERIFY(m.filterButton()->isChecked());
    QVERIFY(w->mnuLBFilter()->isChecked());
    QVERIFY(Settings::instance().currentFilter().contains(QStringLiteral("AND DECO_FLAG <> 0")));
    // The window is refreshed: the tree, the lists and the calendar show the deco dive alone.
    QCOMPARE(MainWindowFixture::childKeys(m.node(m.logbook(m.reef))), QStringList{m.dive(m.first)});
    QCOMPARE(w->currentNode, QStringLiteral("DCzento"));
    QCOMPARE(Settings::instance().currentDiveID(), -1);
    QCOMPARE(w->lvListView()->model()->index(0, 1).data().toString(), QStringLiteral("1"));
    QCOMPARE(w->calendarTab()->lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives: 1"));
    QVERIFY(!w->calendarTab()->MonthView1->isBold(QDate(2004, 3, 6)));

    // Switched off at once, without the dialog.
    ModalAnswer<frmFilter> none([](frmFilter& dialog) { dialog.btnCancel_Click(); });
    trigger(m, fromToolbar);
    QCoreApplication::processEvents();
    QCOMPARE(none.shown, 0);
    QCOMPARE(w->INFO_PANEL()->text(), QStringLiteral("Dive filter: Disabled"));
    QVERIFY(!m.filterButton()->isChecked());
    QVERIFY(!w->mnuLBFilter()->isChecked());
    QCOMPARE(Settings::instance().currentFilter(), unfiltered);
    QCOMPARE(MainWindowFixture::childKeys(m.node(m.logbook(m.reef))),
             (QStringList{m.dive(m.third), m.dive(m.second), m.dive(m.first)}));
    QCOMPARE(w->calendarTab()->lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives: 2"));
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
}

void tst_frmMainCommands::filterCancelled_data() {
    filterOnAndOff_data();
}

void tst_frmMainCommands::filterCancelled() {
    QFETCH(bool, fromToolbar);
    Logbooks m;
    frmMain* w = m.open();
    const QString before = Settings::instance().currentFilter();
    m.select(m.dive(m.third));
    ModalAnswer<frmFilter> cancel([](frmFilter& dialog) { dialog.btnCancel_Click(); });
    trigger(m, fromToolbar);
    QCOMPARE(cancel.shown, 1);
    QVERIFY(!m.filterButton()->isChecked());
    QVERIFY(!w->mnuLBFilter()->isChecked());
    QCOMPARE(w->INFO_PANEL()->text(), QStringLiteral("Dive filter: Disabled"));
    QCOMPARE(Settings::instance().currentFilter(), before);
    QCOMPARE(w->currentNode, m.dive(m.third)); // nothing refreshed
}

void tst_frmMainCommands::filterCommitsPendingEdits_data() {
    QTest::addColumn<bool>("fromToolbar");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("dialog");
    QTest::newRow("menu") << false << "Cave"
                          << "Cave" << true;
    QTest::newRow("toolbar") << true << "Cave"
                             << "Cave" << true;
    QTest::newRow("menu, too long") << false << TOO_LONG << "Bay" << false;
    QTest::newRow("toolbar, too long") << true << TOO_LONG << "Bay" << false;
}

void tst_frmMainCommands::filterCommitsPendingEdits() {
    QFETCH(bool, fromToolbar);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, dialog);
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.third));
    Logbooks::type(w->fldLocation(), typed);
    if (!dialog)
        m.env.fakes.message->answers << Msg::Ok;
    ModalAnswer<frmFilter> cancel([](frmFilter& d) { d.btnCancel_Click(); });
    trigger(m, fromToolbar);
    QCoreApplication::processEvents();
    QCOMPARE(cancel.shown, int(dialog));
    QCOMPARE(m.fixture.column(m.third, LOCATION).toString(), stored);
    if (!dialog) // refused with string 3031; the filter stays off
        QCOMPARE(m.messages(), QStringList{getString(3031)});
    QVERIFY(!m.filterButton()->isChecked());
    QVERIFY(!w->mnuLBFilter()->isChecked());
    QCOMPARE(w->INFO_PANEL()->text(), QStringLiteral("Dive filter: Disabled"));
}

void tst_frmMainCommands::deleteLogbookDeletesItsDives() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.logbook(m.reef));
    m.env.fakes.message->answers << Msg::Yes;
    w->mnuLBDelete()->trigger();
    QCOMPARE(m.messages(), QStringList{QStringLiteral(
                               "Delete Logbook number 'Reef' and all the dives which it contains: are you sure?")});
    QCOMPARE(m.env.fakes.message->shown[0].title, QStringLiteral("Request"));
    QVERIFY(!w->node(m.logbook(m.reef)));
    for (qint32 dive : {m.first, m.second, m.third})
        QVERIFY(!w->node(m.dive(dive)));
    QCOMPARE(m.name(m.reef), QString());
    QCOMPARE(m.count(QStringLiteral("SELECT COUNT(*) FROM DIVE WHERE FILE_ID = ?"), {m.reef}), 0);
    QCOMPARE(m.count(QStringLiteral("SELECT COUNT(*) FROM DIVE WHERE FILE_ID = ?"), {m.other}), 1);
    // The root is applied again.
    QCOMPARE(w->currentNode, QStringLiteral("DCzento"));
    QCOMPARE(Settings::instance().currentLogbookID(), -1);
    QCOMPARE(w->lvListView()->model()->rowCount(), 1);
    QCOMPARE(w->lvListView()->model()->index(0, 0).data().toString(), QStringLiteral("Lake"));
    QVERIFY(!w->dbData->rows().isEmpty());
    QCOMPARE(w->dbData->indexOfDive(m.first), -1);
}

void tst_frmMainCommands::deleteAnsweredNo() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.second));
    m.env.fakes.message->answers << Msg::No;
    w->mnuLBDelete()->trigger();
    QCOMPARE(m.messages(), QStringList{QStringLiteral("Delete dive '05/03/2004 15:00:00' : are you sure?")});
    QVERIFY(w->node(m.dive(m.second)));
    QCOMPARE(m.fixture.column(m.second, QStringLiteral("DIVE_ID")).toInt(), m.second);
    QCOMPARE(w->currentNode, m.dive(m.second));
}

void tst_frmMainCommands::deleteDiveDropsItsPendingEdits() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.second));
    // An entry the database would refuse: deleting the dive must not try to write it.
    Logbooks::type(w->fldLocation(), TOO_LONG);
    m.env.fakes.message->answers << Msg::Yes;
    w->mnuLBDelete()->trigger();
    QCOMPARE(m.env.fakes.message->shown.size(), 1); // the question alone
    QVERIFY(!w->node(m.dive(m.second)));
    QVERIFY(m.fixture.column(m.second, QStringLiteral("DIVE_ID")).isNull());
    QVERIFY(!w->dbData->hasPendingEdits());
    QCOMPARE(w->currentNode, m.logbook(m.reef));
    QCOMPARE(MainWindowFixture::childKeys(m.node(m.logbook(m.reef))), (QStringList{m.dive(m.third), m.dive(m.first)}));
    QCOMPARE(w->lvDiveRecord()->model()->rowCount(), 2);

    m.select(m.dive(m.third));
    QCOMPARE(w->currentNode, m.dive(m.third));
    QCOMPARE(w->fldLocation()->text(), QStringLiteral("Bay"));
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
}

void tst_frmMainCommands::redate_data() {
    QTest::addColumn<QDateTime>("chosen"); // invalid: cancelled
    QTest::addColumn<QString>("nodeText");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("new time, seconds dropped")
        << QDateTime(QDate(2004, 3, 4), QTime(8, 15, 30)) << "04/03/2004 08:15:00"
        << "2004-03-04 08:15:00" << QStringList();
    QTest::newRow("start of another dive of the logbook")
        << at(2004, 3, 5, 15) << "05/03/2004 09:30:00"
        << "2004-03-05 09:30:00"
        << QStringList{"The selected date and time already exist in this Logbook. The operation is invalid."};
    QTest::newRow("cancelled") << QDateTime() << "05/03/2004 09:30:00"
                               << "2004-03-05 09:30:00" << QStringList();
}

void tst_frmMainCommands::redate() {
    QFETCH(QDateTime, chosen);
    QFETCH(QString, nodeText);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    Logbooks::type(w->fldLocation(), QStringLiteral("Cave"));
    QString asked;
    w->logbookEdits().askDateTime = [&](const QString& text, const QDateTime&) -> std::optional<QDateTime> {
        asked = text;
        return chosen.isValid() ? std::optional(chosen) : std::nullopt;
    };
    for (int i = 0; i < messages.size(); ++i)
        m.env.fakes.message->answers << Msg::Ok;
    w->mnuLBModifyDiveTime()->trigger();
    QCOMPARE(asked, QStringLiteral("05/03/2004 09:30:00"));
    QCOMPARE(m.fixture.column(m.first, LOCATION).toString(), QStringLiteral("Cave")); // written first
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("DATETIME")).toString(), stored);
    QCOMPARE(m.messages(), messages);
    if (!messages.isEmpty()) {
        QCOMPARE(m.env.fakes.message->shown[0].title, QStringLiteral("Warning!"));
        QCOMPARE(Msg::icon(m.env.fakes.message->shown[0].flags), Msg::Critical);
    }
    QCOMPARE(m.node(m.dive(m.first))->text(0), nodeText);
    QCOMPARE(w->lblTitle()->text(), QStringLiteral(" Dive: ") + nodeText);
    QCOMPARE(w->currentNode, m.dive(m.first));
    QCOMPARE(w->dbData->currentDiveID(), m.first);
}

void tst_frmMainCommands::redateWithoutADive() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.logbook(m.reef));
    int asked = 0;
    w->logbookEdits().askDateTime = [&](const QString&, const QDateTime&) -> std::optional<QDateTime> {
        ++asked;
        return std::nullopt;
    };
    m.env.fakes.message->answers << Msg::Ok;
    w->mnuLBModifyDiveTime()->trigger();
    QCOMPARE(asked, 0);
    QCOMPARE(m.messages(), QStringList{QStringLiteral("No dive has been selected.")});
    QCOMPARE(m.env.fakes.message->shown[0].title, QStringLiteral("Information"));
}

void tst_frmMainCommands::rename_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");
    const QString exists = QStringLiteral("The name entered already exists. Change the name.");
    QTest::newRow("new name") << "Red Sea"
                              << "Red Sea" << QStringList();
    QTest::newRow("blanks around kept") << " Red Sea "
                                        << " Red Sea " << QStringList();
    QTest::newRow("another logbook's") << "Lake"
                                       << "Reef" << QStringList{exists};
    QTest::newRow("its own, other case") << "REEF"
                                         << "Reef" << QStringList{exists};
    QTest::newRow("its own, unchanged") << "Reef"
                                        << "Reef" << QStringList{exists};
    QTest::newRow("blank") << "   "
                           << "Reef" << QStringList();
    QTest::newRow("too long, with %") << "Reef of the 100% Coral"
                                      << "Reef"
                                      << QStringList{"The name entered is too long. The maximum is 20 characters.",
                                                     "The following characters cannot be used: & ' % *"};
    QTest::newRow("quote") << "Diver's"
                           << "Reef" << QStringList{"The following characters cannot be used: & ' % *"};
}

void tst_frmMainCommands::rename() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);
    Logbooks m;
    frmMain* w = m.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    m.select(m.logbook(m.reef));
    for (qsizetype i = 0; i < messages.size(); ++i)
        m.env.fakes.message->answers << Msg::Ok;

    w->mnuLBRename()->trigger();
    QLineEdit* editor = m.labelEditor();
    QVERIFY(editor);
    editor->setText(typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();

    QCOMPARE(m.messages(), messages);
    QCOMPARE(m.name(m.reef), stored);
    QCOMPARE(m.node(m.logbook(m.reef))->text(0), stored);
    QCOMPARE(w->lblTitle()->text(), QStringLiteral(" Logbook: ") + stored);
    QVERIFY(!(m.node(m.logbook(m.reef))->flags() & Qt::ItemIsEditable));
    // The calendar's box names the logbook as the tree shows it.
    w->chkCurrentLogbook()->setChecked(true);
    w->calendarTab()->chkCurrentLogbook_Click();
    QCOMPARE(w->chkCurrentLogbook()->text(), QStringLiteral("Current Logbook: ") + stored);
}

void tst_frmMainCommands::renameGivenUp() {
    Logbooks m;
    frmMain* w = m.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    m.select(m.logbook(m.reef));
    w->mnuLBRename()->trigger();
    QLineEdit* editor = m.labelEditor();
    QVERIFY(editor);
    editor->setText(QStringLiteral("Lake"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
    QCOMPARE(m.name(m.reef), QStringLiteral("Reef"));
    QCOMPARE(m.node(m.logbook(m.reef))->text(0), QStringLiteral("Reef"));
    QVERIFY(!(m.node(m.logbook(m.reef))->flags() & Qt::ItemIsEditable));

    // Only a logbook is renamed.
    m.select(m.dive(m.first));
    w->mnuLBRename_Click();
    QVERIFY(!m.labelEditor());
}

void tst_frmMainCommands::notesAndPictureKeptAcrossDives() {
    Logbooks m;
    frmMain* w = m.open();
    const QString file = m.env.folder() + QStringLiteral("manta.png");
    QImage manta(8, 6, QImage::Format_RGB32);
    manta.fill(Qt::blue);
    QVERIFY(manta.save(file));
    QFile bytes(file);
    QVERIFY(bytes.open(QIODevice::ReadOnly));
    const QByteArray picture = bytes.readAll();

    m.select(m.dive(m.first));
    w->changeCurrentTab(6);
    QTest::keyClicks(w->frameNotes()->txtNotes, QStringLiteral("Manta at the station"));
    m.env.fakes.fileDialogs->files << file;
    w->pictureLocation()->pictureLocation_DblClick();
    QVERIFY(w->pictureLocation()->hasPicture());

    m.select(m.dive(m.third));
    QCOMPARE(w->tabDive()->currentIndex(), 6);
    QVERIFY(w->frameNotes()->txtNotes->toPlainText().isEmpty());
    QVERIFY(!w->pictureLocation()->hasPicture());
    QVERIFY(m.fixture.column(m.first, QStringLiteral("MEMO")).toString().contains(QStringLiteral("Manta")));
    QCOMPARE(m.fixture.column(m.first, QStringLiteral("PICTURE")).toByteArray(), picture);

    m.select(m.dive(m.first));
    QCOMPARE(w->frameNotes()->txtNotes->toPlainText(), QStringLiteral("Manta at the station"));
    QCOMPARE(w->pictureLocation()->picture().size(), QSize(8, 6));

    // The pop-up's entry of the window removes it, stored on the next move.
    QVERIFY(w->mnuPopupDeleteImage() == w->pictureLocation()->mnuPopupDeleteImage);
    w->mnuPopupDeleteImage()->trigger();
    m.select(m.dive(m.third));
    QVERIFY(m.fixture.column(m.first, QStringLiteral("PICTURE")).isNull());
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
}

void tst_frmMainCommands::calendarFilledFromTheTree() {
    Logbooks m;
    frmMain* w = m.open();
    CalendarTab* calendar = w->calendarTab();
    QCOMPARE(calendar->MonthView1->value(), QDate(2004, 3, 5)); // today
    QCOMPARE(calendar->lblCalendarCurrentDate->text(), QStringLiteral("Current Date: 05/03/2004"));
    QCOMPARE(calendar->lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives: 2"));
    QVERIFY(calendar->MonthView1->isBold(QDate(2004, 3, 6)));
    QVERIFY(!calendar->MonthView1->isBold(QDate(2004, 3, 7))); // a Lumo dive
    QCOMPARE(w->findChildren<QCheckBox*>(QStringLiteral("chkCurrentLogbook")).size(), 1);
    QVERIFY(w->chkCurrentLogbook() == calendar->chkCurrentLogbook);

    // Next and Previous step through the dive days.
    calendar->btnCalendarNext_Click();
    QCOMPARE(calendar->MonthView1->value(), QDate(2004, 3, 6));

    // Narrowed to the empty logbook: no dives today.
    m.select(m.logbook(m.lake));
    w->chkCurrentLogbook()->setChecked(true);
    calendar->chkCurrentLogbook_Click();
    QCOMPARE(calendar->chkCurrentLogbook->text(), QStringLiteral("Current Logbook: Lake"));
    QCOMPARE(calendar->lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives:"));
}

void tst_frmMainCommands::diveTabsFilled() {
    Logbooks m;
    const qint32 nitrox = m.fixture.dive(m.reef, at(2004, 3, 8),
                                         {{QStringLiteral("DIVE_MODE"), 1},
                                          {QStringLiteral("MIX_NITROX"), 32},
                                          {QStringLiteral("MAX_DEPTH"), 33.0},
                                          {QStringLiteral("SAMPLE"), LogbookFixture::ONE_SAMPLE.repeated(3)}});
    frmMain* w = m.open();
    m.select(m.dive(nitrox));
    w->changeCurrentTab(3);
    QCOMPARE(w->tabDive()->currentIndex(), 3);
    QCOMPARE(w->frameSettings()->lblMode->text(), QStringLiteral("Nitrox"));
    QCOMPARE(w->frameSettings()->lblMixture->text(), QStringLiteral("32 %"));
    w->changeCurrentTab(4);
    QCOMPARE(w->frameTechnicalInfo()->lblMaxDepth->text(), QStringLiteral("33 m."));
    w->changeCurrentTab(5);
    QCOMPARE(w->frameProfileInfo()->lvProfileInfo->topLevelItemCount(), 3);

    // The Profile Data tab follows the selection, filled once with the dive chosen; an air dive greys
    // the nitrox fields.
    QSignalSpy fills(w->frameProfileInfo()->lvProfileInfo->model(), &QAbstractItemModel::rowsInserted);
    m.select(m.dive(m.first));
    QCOMPARE(w->tabDive()->currentIndex(), 5);
    QCOMPARE(w->frameProfileInfo()->lvProfileInfo->topLevelItemCount(), 1);
    QCOMPARE(fills.size(), 1);
    QCOMPARE(fills[0][2].toInt() - fills[0][1].toInt() + 1, 1);
    w->changeCurrentTab(3);
    QCOMPARE(w->frameSettings()->lblMode->text(), QStringLiteral("Air"));
    QVERIFY(!w->frameSettings()->lbl_Mixture->isEnabled());
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
}

void tst_frmMainCommands::tankFieldsFollowTheModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("tank");
    QTest::newRow("zento") << 1 << false;
    QTest::newRow("Tavex") << 8 << true;
    QTest::newRow("Lumo Air") << 16 << true;
    QTest::newRow("Kobi") << 32 << false;
}

void tst_frmMainCommands::tankFieldsFollowTheModel() {
    QFETCH(int, model);
    QFETCH(bool, tank);
    Logbooks m(model);
    frmMain* w = m.open();
    // The dive tabs themselves are off until a dive is selected.
    QCOMPARE(w->frameSettings()->frameSettingsAir->isEnabledTo(w->frameSettings()), tank);
    QCOMPARE(w->frameTechnicalInfo()->frameTechnicalInfoAir->isEnabledTo(w->frameTechnicalInfo()), tank);
}

void tst_frmMainCommands::profileDataExports() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.first));
    w->changeCurrentTab(5);
    const QList<QAction*> buttons = w->frameProfileInfo()->tlbProfileInfo->actions();
    const auto button = [&](const char* key) {
        for (QAction* action : buttons) {
            if (action->property("key").toString() == QLatin1String(key))
                return action;
        }
        qFatal("no button %s", key);
    };
    button("EXP_CLIPBOARD")->trigger();
    const QString text = m.env.fakes.clipboard->content;
    QVERIFY(text.startsWith(QStringLiteral("Time\tDepth\tDeco\tDeco Stop Violation\tTank Pressure\t")));
    QCOMPARE(text.count(u'\r'), 2);

    m.env.fakes.spreadsheet->available = false;
    m.env.fakes.message->answers << Msg::Ok;
    button("EXP_EXCEL")->trigger();
    QCOMPARE(m.messages(),
             QStringList{QStringLiteral("Error opening Excel. Ensure you have installed it in the current system")});
}

void tst_frmMainCommands::help_data() {
    QTest::addColumn<QString>("command"); // a menu entry, or a key of the HELP button's menu
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("helpCommand");
    QTest::newRow("contents") << "mnuHelpContents"
                              << "help/SONA2_e" << 1;
    QTest::newRow("index") << "mnuHelpSearchForHelpOn"
                           << "help/SONA2_e" << 2;
    QTest::newRow("toolbar") << "tlbMainToolbar_HELP"
                             << "help/SONA2_e" << 1;
    QTest::newRow("in French") << "HELP_F"
                               << "help/SONA2_f" << 1;
    QTest::newRow("in Italian") << "HELP_I"
                                << "help/SONA2_i" << 1;
}

void tst_frmMainCommands::help() {
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(int, helpCommand);
    Logbooks m;
    frmMain* w = m.open();
    w->findChild<QAction*>(command)->trigger();
    QCOMPARE(m.env.fakes.help->requests.size(), 1);
    QVERIFY2(m.env.fakes.help->requests[0].first.contains(file), qPrintable(m.env.fakes.help->requests[0].first));
    QCOMPARE(m.env.fakes.help->requests[0].second, helpCommand);

    // Help that cannot be shown says why, naming the file it tried: the index page for the index.
    m.env.fakes.help->opens = false;
    m.env.fakes.message->answers << Msg::Ok;
    w->findChild<QAction*>(command)->trigger();
    QCOMPARE(m.env.fakes.message->shown.size(), 1);
    const ShownMessage& box = m.env.fakes.message->shown[0];
    const QString tried = m.env.fakes.help->requests[1].first;
    const QString named =
        helpCommand == 2 ? QString(tried).replace(QStringLiteral(".html"), QStringLiteral("_index.html")) : tried;
    QVERIFY2(box.text.contains(u'\'' + named + u'\''), qPrintable(box.text));
    QCOMPARE(box.flags, Msg::OkOnly);
    QVERIFY(box.title.isEmpty());
    m.env.fakes.help->opens = true;
    m.env.fakes.message->shown.clear();

    // Without a help file of its own the program says so.
    setApplicationHelpFile(QString());
    m.env.fakes.message->answers << Msg::Ok;
    w->mnuHelpContents()->trigger();
    QCOMPARE(m.messages(), QStringList{getString(3007)});
    QCOMPARE(m.env.fakes.help->requests.size(), 2);
}

void tst_frmMainCommands::dialogsOpenedAndClosed() {
    Logbooks m;
    const FakeDownloadWorld libraries; // the About window asks each for its version
    frmMain* w = m.open();
    m.select(m.dive(m.third));
    Logbooks::type(w->fldLocation(), QStringLiteral("Cave"));
    {
        ModalAnswer<frmDownLoad> cancel([](frmDownLoad& d) { d.btnCancel_Click(); });
        w->mnuDownloadDCPC()->trigger();
        QCOMPARE(cancel.shown, 1);
    }
    // Written before the download began; nothing stored, so the tree stays as it was.
    QCOMPARE(m.fixture.column(m.third, LOCATION).toString(), QStringLiteral("Cave"));
    QCOMPARE(w->currentNode, m.dive(m.third));
    {
        ModalAnswer<frmSettings> close([](frmSettings& d) { d.cmdCancel_Click(); });
        w->mnuViewPreference()->trigger();
        QCOMPARE(close.shown, 1);
    }
    {
        ModalAnswer<frmAbout> close([](frmAbout& d) { d.cmdOk_Click(); });
        w->mnuHelpAbout()->trigger();
        QCOMPARE(close.shown, 1);
    }
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

void tst_frmMainCommands::diveComputerSettingsModeless() {
    Logbooks m;
    frmMain* w = m.open();
    w->show();
    // Reached only from code: its entry is there, hidden, and the load wants it enabled.
    QVERIFY(!w->mnuDownloadSettings()->isVisible());
    QVERIFY(frmMain::isWanted(w->mnuDownloadSettings()));
    const auto open = [w] { return w->findChildren<frmDiveComputerSettings*>(); };
    w->mnuDownloadSettings()->trigger();
    QCOMPARE(open().size(), 1);
    QPointer<frmDiveComputerSettings> first = open().constFirst();
    QVERIFY(first->isVisible());
    QVERIFY(!first->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    first->cmbProgram->setCurrentIndex(3);
    first->btnSetData_Click();
    QCOMPARE(first->editedSettings.Altitude(), QStringLiteral("3"));

    // Open already: shown again, the record kept.
    w->mnuDownloadSettings_Click();
    QCOMPARE(open().size(), 1);
    QCOMPARE(first->editedSettings.Altitude(), QStringLiteral("3"));

    // The close box unloads it; the next opening starts from a new record.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(!isFormLoaded(QStringLiteral("frmDiveComputerSettings")));
    w->mnuDownloadSettings_Click();
    QCOMPARE(open().size(), 1);
    QCOMPARE(open().constFirst()->editedSettings.Altitude(), QStringLiteral("1"));
    QCOMPARE(open().constFirst()->cmbProgram->currentText(), QStringLiteral("P1"));
}

enum class ScopeAnswer { None, AllLogbooks, Cancel };
Q_DECLARE_METATYPE(ScopeAnswer)

void tst_frmMainCommands::statistics_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<qint16>("setting");
    QTest::addColumn<ScopeAnswer>("answer");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("dives");
    QTest::newRow("nothing selected: all logbooks") << "DCzento" << qint16(3) << ScopeAnswer::None << true << "3";
    QTest::newRow("asked, all logbooks") << "Reef" << qint16(3) << ScopeAnswer::AllLogbooks << true << "3";
    QTest::newRow("question cancelled: nothing shown") << "Reef" << qint16(3) << ScopeAnswer::Cancel << false << "";
    QTest::newRow("current logbook without dives: nothing shown")
        << "Lake" << qint16(0) << ScopeAnswer::None << false << "";
}

void tst_frmMainCommands::statistics() {
    QFETCH(QString, selected);
    QFETCH(qint16, setting);
    QFETCH(ScopeAnswer, answer);
    QFETCH(bool, shown);
    Logbooks m;
    frmMain* w = m.open();
    m.select(selected == "Reef" ? m.logbook(m.reef) : selected == "Lake" ? m.logbook(m.lake) : selected);
    Settings::instance().setCurrentStatisticsMode(setting);

    QString dives;
    int windows = 0;
    const auto closeWindow = [&] {
        QTimer::singleShot(0, w, [&] {
            if (auto* window = qobject_cast<frmStats*>(QApplication::activeModalWidget())) {
                ++windows;
                dives = window->lblTotDives->text();
                window->cmdOk->click();
            }
        });
    };
    int questions = 0;
    if (answer == ScopeAnswer::None) {
        closeWindow();
    } else {
        QTimer::singleShot(0, w, [&] {
            auto* question = qobject_cast<frmStatsAskForMode*>(QApplication::activeModalWidget());
            if (!question)
                return;
            ++questions;
            closeWindow();
            (answer == ScopeAnswer::AllLogbooks ? question->btnAllLogbooks : question->btnCancel)->click();
        });
    }
    w->mnuLBStatistics()->trigger();
    QCoreApplication::processEvents();

    QCOMPARE(questions, answer == ScopeAnswer::None ? 0 : 1);
    QCOMPARE(windows, shown ? 1 : 0);
    QTEST(dives, "dives");
    // No statistics window stays loaded, and the pointer is back to normal.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!isFormLoaded("frmStats"));
    QVERIFY(!m.env.fakes.busyPointer->busy);
    QCOMPARE(m.env.fakes.message->unexpected, 0);
}

QTEST_MAIN(tst_frmMainCommands)
#include "tst_frmmaincommands.moc"

void tst_frmMainCommands::printAndPreview() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.third));
    Logbooks::type(w->fldLocation(), QStringLiteral("Cave"));
    {
        ModalAnswer<frmPrint> close([](frmPrint& d) { d.cmdClose_Click(); });
        w->mnuPrint()->trigger();
        QCOMPARE(close.shown, 1);
    }
    // The dialog reads the database: the typed entry was written first.
    QCOMPARE(m.fixture.column(m.third, LOCATION).toString(), QStringLiteral("Cave"));
    {
        QImage page;
        ModalAnswer<frmPreview> close([&page](frmPreview& d) {
            page = d.pagePicture();
            d.close();
        });
        w->findChild<QAction*>(QStringLiteral("tlbMainToolbar_PREVIEW"))->trigger();
        QCOMPARE(close.shown, 1);
        QVERIFY(!page.isNull());
    }
    QVERIFY(!m.env.fakes.busyPointer->busy);
    QCOMPARE(m.env.fakes.message->shown.size(), 0);
}

void tst_frmMainCommands::printAndPreviewWithoutPrinter() {
    Logbooks m;
    frmMain* w = m.open();
    m.select(m.dive(m.third));
    m.env.fakes.printers->names.clear();
    m.env.fakes.message->answers << Msg::Ok << Msg::Ok;
    ModalAnswer<frmPrint> dialog([](frmPrint& d) { d.cmdClose_Click(); });
    w->mnuPrint()->trigger();
    w->findChild<QAction*>(QStringLiteral("tlbMainToolbar_PREVIEW"))->trigger();
    QCOMPARE(dialog.shown, 0);
    QCOMPARE(m.env.fakes.message->shown.size(), 2);
    QCOMPARE(m.env.fakes.message->shown[1].text, getString(3037));
    QCOMPARE(m.env.fakes.message->shown[1].title, QStringLiteral("Warning!"));
}
