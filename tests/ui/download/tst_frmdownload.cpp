#include "Database.h"
#include "DeviceDives.h"
#include "DownloadDriver.h"
#include "DownloadGauge.h"
#include "FakeDownload.h"
#include "FullDisk.h"
#include "MainModule.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "Workspace.h"
#include "frmDownLoad.h"
#include "frmSettings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QTreeWidget>
#include <QtTest>
#include <cstdio>

namespace {
const char* const storeChildArgument = "--store-until-killed";

// Every row of the logbook file, the counters of its keys included, as text.
QStringList snapshot() {
    Database db = Database::open(Settings::instance().databaseName());
    QStringList rows;
    for (const char* statement : {"SELECT * FROM FILE ORDER BY FILE_ID", "SELECT * FROM DIVE ORDER BY DIVE_ID",
                                  "SELECT * FROM sqlite_sequence ORDER BY name"}) {
        Recordset rs(db, QLatin1String(statement));
        for (; !rs.eof(); rs.moveNext()) {
            QStringList values;
            for (int i = 0; i < rs.fieldCount(); ++i)
                values << rs.value(i).toString();
            rows << values.join(u'|');
        }
    }
    return rows;
}

qint32 count(const QString& statement, const QVariantList& params = {}) {
    Database db = Database::open(Settings::instance().databaseName());
    Recordset rs(db, statement, params);
    return rs.value(0).toInt();
}

qint32 logbookID(const QString& name) {
    Database db = Database::open(Settings::instance().databaseName());
    // The newest of that name: a logbook of another model may share it.
    Recordset rs(db, QStringLiteral("SELECT MAX(FILE_ID) FROM FILE WHERE FILENAME = ?"), {name});
    return rs.value(0).isNull() ? -1 : rs.value(0).toInt();
}

qint32 divesOf(const QString& logbook) {
    return count(QStringLiteral("SELECT COUNT(*) FROM DIVE WHERE FILE_ID = ?"), {logbookID(logbook)});
}

QStringList childKeys(const frmDownLoad& dialog) {
    QStringList keys;
    QTreeWidgetItem* root = dialog.tvTreeView->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        keys << frmDownLoad::keyOf(root->child(i)) + u'=' + root->child(i)->text(0);
    return keys;
}

void select(frmDownLoad& dialog, const QString& key) {
    QTreeWidgetItem* node = dialog.node(key);
    QVERIFY(node);
    dialog.tvTreeView->setCurrentItem(node);
}

QString summary(int total, int withProfile, int logged, int already) {
    DownloadDriver::StoreCounts counts;
    counts.total = qint16(total);
    counts.withProfile = qint16(withProfile);
    counts.logged = qint16(logged);
    counts.alreadyPresent = qint16(already);
    return DownloadDriver::summaryText(counts);
}

int storeUntilKilled(const QString& folder);
} // namespace

// The download window: its logbook list, the logbooks made and removed in it, the download it runs
// and the one transaction that holds all it writes.
class tst_frmDownLoad : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void loadListsTheModelsLogbooks_data();
    void loadListsTheModelsLogbooks();
    void centresOverTheMainWindow();
    void downloadNeedsALogbook_data();
    void downloadNeedsALogbook();
    void downloadAnsweredNo();
    void modelWithoutDriver();
    void newLogbookName_data();
    void newLogbookName();
    void newLogbookTooLongForItsColumn();
    void createdLogbookGoesWithCancelAndClose_data();
    void createdLogbookGoesWithCancelAndClose();
    void deleteCreatedLogbook_data();
    void deleteCreatedLogbook();
    void fullDownloadIntoNewLogbook_data();
    void fullDownloadIntoNewLogbook();
    void downloadingTwiceStoresNothingNew_data();
    void downloadingTwiceStoresNothingNew();
    void failureLeavesDatabaseAsBefore_data();
    void failureLeavesDatabaseAsBefore();
    void refusalsWhileStoring_data();
    void refusalsWhileStoring();
    void closeRefusedDuringTransfer();
    void kobiCancelStopsTheTransfer();
    void kobiCancelAfterTransferFirstClearsAbort();
    void preferencesOpenOnDataDownloadPage();
    void killedWhileStoring();
    void failedCommitShowsNoSummary();
    void downloadAgainAfterAFailedWrite_data();
    void downloadAgainAfterAFailedWrite();
    void unwritableDiveIsLeftOut_data();
    void unwritableDiveIsLeftOut();

private:
    std::unique_ptr<frmDownLoad> openDialog();
    // Creates a logbook in the dialog through the input box.
    void createLogbook(frmDownLoad& dialog, const QString& name);
    // Queues the answers of a download that goes through: Yes to the question, OK to the Kobi
    // start prompt and to the summary.
    void answerDownload(qint32 model);
    FakeLibraryScript& library(qint32 model);
    QStringList messages() const;

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDownloadWorld> world;
};

void tst_frmDownLoad::init() {
    env = std::make_unique<TestEnvironment>();
    world = std::make_unique<FakeDownloadWorld>();
    Settings& settings = Settings::instance();
    settings.setCurrentLanguage(Settings::LANG_ENGLISH);
    settings.setCurrentDiveComputer(1);
    settings.setComPort(3);
    SqlScript::createDatabase(settings.databaseName(), SqlScript::currentSchema());
    Database db = Database::open(settings.databaseName());
    db.execute(QStringLiteral("INSERT INTO FILE (FILENAME, DIVE_MODEL, CREATION_DATE) VALUES "
                              "('Red Sea', 1, '2024-01-02 10:00:00'), ('Maldives', 8, '2024-01-03 10:00:00'), "
                              "('Elba', 1, '2024-01-04 10:00:00'), ('Blue Hole', 32, '2024-01-05 10:00:00')"));
    db.execute(QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME, DIVE_TIME, SAMPLE) VALUES "
                              "(1, '2023-06-01 10:00:00', 40, '')"));
    world->b770->info = QList<qint32>(13, 0);
}

void tst_frmDownLoad::cleanup() {
    // A failed check must not leave the next case inside this one's transaction.
    if (Workspace::defaultWorkspace().inTransaction())
        Workspace::defaultWorkspace().rollback();
    world.reset();
    env.reset();
}

std::unique_ptr<frmDownLoad> tst_frmDownLoad::openDialog() {
    auto dialog = std::make_unique<frmDownLoad>();
    dialog->show();
    return dialog;
}

void tst_frmDownLoad::createLogbook(frmDownLoad& dialog, const QString& name) {
    env->fakes.input->answers << name;
    dialog.Toolbar1_ButtonClick(QStringLiteral("NEW"));
}

void tst_frmDownLoad::answerDownload(qint32 model) {
    env->fakes.message->answers << Msg::Yes;
    if (model == 32)
        env->fakes.message->answers << Msg::Ok;
    env->fakes.message->answers << Msg::Ok;
}

FakeLibraryScript& tst_frmDownLoad::library(qint32 model) {
    if (model == 32)
        return *world->b770;
    if (model == 8 || model == 16)
        return *world->b330;
    return *world->zento;
}

QStringList tst_frmDownLoad::messages() const {
    QStringList texts;
    for (const ShownMessage& m : env->fakes.message->shown)
        texts << m.text;
    return texts;
}

void tst_frmDownLoad::loadListsTheModelsLogbooks_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QString>("rootKey");
    QTest::addColumn<QStringList>("logbooks");
    QTest::newRow("zento") << 1 << "DCzento" << QStringList{"LB1=Red Sea", "LB3=Elba"};
    QTest::newRow("tavex") << 8 << "DCTavex" << QStringList{"LB2=Maldives"};
    QTest::newRow("lumo, none") << 2 << "DCLumo" << QStringList{};
}

void tst_frmDownLoad::loadListsTheModelsLogbooks() {
    QFETCH(qint32, model);
    QFETCH(QString, rootKey);
    QFETCH(QStringList, logbooks);
    Settings::instance().setCurrentDiveComputer(model);
    env->fakes.busyPointer->busy = true;

    frmDownLoad dialog;
    QCOMPARE(dialog.tvTreeView->topLevelItemCount(), 1);
    QTreeWidgetItem* root = dialog.tvTreeView->topLevelItem(0);
    QCOMPARE(frmDownLoad::keyOf(root), rootKey);
    QCOMPARE(root->text(0), rootKey.mid(2));
    QVERIFY(root->isExpanded());
    QCOMPARE(childKeys(dialog), logbooks);
    QVERIFY(dialog.tvTreeView->selectedItems().isEmpty());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Download data from  ") + rootKey.mid(2));
    QCOMPARE(dialog.btnOk->text(), QStringLiteral("Download"));
    QCOMPARE(dialog.button("NEW")->toolTip(), QStringLiteral("Create New Logbook"));
    QVERIFY(dialog.button("NEW")->isEnabled());
    QVERIFY(!dialog.button("DELETE")->isEnabled());
    QVERIFY(Workspace::defaultWorkspace().inTransaction());
    QVERIFY(!env->fakes.busyPointer->busy);
    QVERIFY(!dialog.bOk);
}

void tst_frmDownLoad::centresOverTheMainWindow() {
    QWidget main;
    main.setGeometry(100, 80, 900, 700);
    main.show();
    frmDownLoad dialog(&main);
    const QRect over = main.frameGeometry();
    const QRect own = dialog.frameGeometry();
    QCOMPARE(own.left(), over.left() + (over.width() - own.width()) / 2);
    QCOMPARE(own.top(), over.top() + (over.height() - own.height()) / 2);
}

void tst_frmDownLoad::downloadNeedsALogbook_data() {
    QTest::addColumn<QString>("selected");
    QTest::newRow("nothing selected") << QString();
    QTest::newRow("the model") << "DCzento";
}

void tst_frmDownLoad::downloadNeedsALogbook() {
    QFETCH(QString, selected);
    auto dialog = openDialog();
    if (!selected.isEmpty())
        select(*dialog, selected);
    env->fakes.message->answers << Msg::Ok;
    dialog->btnOk_Click();
    QCOMPARE(messages(), QStringList{getString(3010)});
    QCOMPARE(env->fakes.message->shown[0].flags, Msg::Critical);
    QCOMPARE(env->fakes.message->shown[0].title, QStringLiteral("Warning!"));
    QVERIFY(world->zento->calls.isEmpty());
    QVERIFY(dialog->isVisible());
}

void tst_frmDownLoad::downloadAnsweredNo() {
    auto dialog = openDialog();
    select(*dialog, "LB3");
    env->fakes.message->answers << Msg::No;
    dialog->btnOk_Click();
    QCOMPARE(messages(), QStringList{"Download data into Logbook number 'Elba': are you sure?"});
    QCOMPARE(env->fakes.message->shown[0].flags, Msg::YesNo | Msg::Question);
    QCOMPARE(env->fakes.message->shown[0].title, QStringLiteral("Request"));
    QVERIFY(world->zento->calls.isEmpty());
    QCOMPARE(world->confirm.shown, 0);
}

void tst_frmDownLoad::modelWithoutDriver() {
    // Several model bits: accepted at start, never stored by the options dialog.
    Settings::instance().setCurrentDiveComputer(3);
    auto dialog = openDialog();
    createLogbook(*dialog, "Mixed");
    env->fakes.message->answers << Msg::Yes << Msg::Ok;
    dialog->btnOk_Click();
    QCOMPARE(messages().size(), 2);
    QCOMPARE(env->fakes.message->shown[1].flags, Msg::OkOnly);
    QCOMPARE(env->fakes.message->shown[1].title, QString());
    QCOMPARE(world->confirm.shown, 0);
    QVERIFY(dialog->btnOk->isEnabled());
    QVERIFY(dialog->btnCancel->isEnabled());
    QVERIFY(dialog->isVisible());
}

void tst_frmDownLoad::newLogbookName_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("refusals"); // the strings shown, in order
    QTest::addColumn<QString>("stored");      // "" when nothing is created
    QTest::newRow("twenty characters") << QStringList{"Twenty characters!!!"} << QList<int>{} << "Twenty characters!!!";
    QTest::newRow("twenty-one, then cancelled") << QStringList{"Twenty-one characters", ""} << QList<int>{3012} << "";
    QTest::newRow("blanks are kept, not counted")
        << QStringList{"  Twenty characters!!!  "} << QList<int>{} << "  Twenty characters!!!  ";
    QTest::newRow("only blanks") << QStringList{"   "} << QList<int>{} << "";
    QTest::newRow("reserved characters, then good")
        << QStringList{"Fish & chips", "50% off", "Fish and chips"} << QList<int>{3013, 3013} << "Fish and chips";
    QTest::newRow("name in use, other case") << QStringList{"RED SEA", "Red Sea 2"} << QList<int>{3014} << "Red Sea 2";
    QTest::newRow("name of another model is free") << QStringList{"Maldives"} << QList<int>{} << "Maldives";
}

void tst_frmDownLoad::newLogbookName() {
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, refusals);
    QFETCH(QString, stored);
    auto dialog = openDialog();
    const qint32 filesBefore = count(QStringLiteral("SELECT COUNT(*) FROM FILE"));
    env->fakes.input->answers.append(typed);
    for (int i = 0; i < refusals.size(); ++i)
        env->fakes.message->answers << Msg::Ok;
    dialog->Toolbar1_ButtonClick(QStringLiteral("NEW"));

    QStringList expected;
    for (int id : refusals)
        expected << (id == 3013 ? getString(3013) + QStringLiteral(": & ' % *") : getString(id));
    QCOMPARE(messages(), expected);
    QCOMPARE(env->fakes.input->prompts.size(), typed.size());
    QCOMPARE(env->fakes.input->prompts.value(0), QStringLiteral("Logbook Name:"));
    if (stored.isEmpty()) {
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FILE")), filesBefore);
        QVERIFY(dialog->button("NEW")->isEnabled());
        QVERIFY(!dialog->button("DELETE")->isEnabled());
        return;
    }
    const qint32 id = logbookID(stored);
    QVERIFY(id > 4);
    QCOMPARE(count(QStringLiteral("SELECT DIVE_MODEL FROM FILE WHERE FILE_ID = ?"), {id}), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FILE WHERE FILE_ID = ? AND CREATION_DATE = ?"),
                   {id, QStringLiteral("2026-01-15 10:30:00")}),
             1);
    QTreeWidgetItem* node = dialog->node(QStringLiteral("LB%1").arg(id));
    QVERIFY(node);
    QCOMPARE(node->text(0), stored);
    QVERIFY(node->isSelected());
    QVERIFY(!dialog->button("NEW")->isEnabled());
    QVERIFY(dialog->button("DELETE")->isEnabled());
}

void tst_frmDownLoad::newLogbookTooLongForItsColumn() {
    // Twenty characters once trimmed, but the blanks around them are stored too.
    auto dialog = openDialog();
    const QStringList before = snapshot();
    env->fakes.message->answers << Msg::Ok;
    createLogbook(*dialog, QString(40, u' ') + QStringLiteral("Wide") + QString(40, u' '));
    QCOMPARE(messages(), QStringList{getString(3031)});
    QCOMPARE(snapshot(), before);
    QVERIFY(dialog->button("NEW")->isEnabled());
}

void tst_frmDownLoad::createdLogbookGoesWithCancelAndClose_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancel") << true;
    QTest::newRow("close box") << false;
}

void tst_frmDownLoad::createdLogbookGoesWithCancelAndClose() {
    QFETCH(bool, cancel);
    const QStringList before = snapshot();
    auto dialog = openDialog();
    createLogbook(*dialog, "Short lived");
    QVERIFY(logbookID("Short lived") > 0);
    if (cancel)
        dialog->btnCancel_Click();
    else
        dialog->close();
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->bOk);
    QVERIFY(!Workspace::defaultWorkspace().inTransaction());
    dialog.reset();
    QCOMPARE(snapshot(), before);
}

void tst_frmDownLoad::deleteCreatedLogbook_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << Msg::Yes;
    QTest::newRow("no") << Msg::No;
}

void tst_frmDownLoad::deleteCreatedLogbook() {
    QFETCH(int, answer);
    auto dialog = openDialog();
    createLogbook(*dialog, "Wreck week");
    const QString key = QStringLiteral("LB%1").arg(logbookID("Wreck week"));
    env->fakes.message->answers << answer;
    dialog->Toolbar1_ButtonClick(QStringLiteral("DELETE"));

    QCOMPARE(messages(), QStringList{"Delete Logbook Wreck week: are you sure??"});
    QCOMPARE(env->fakes.message->shown[0].flags, Msg::YesNo);
    QCOMPARE(env->fakes.message->shown[0].title, QString());
    QVERIFY(dialog->button("NEW")->isEnabled());
    QVERIFY(!dialog->button("DELETE")->isEnabled());
    if (answer == Msg::Yes) {
        QCOMPARE(logbookID("Wreck week"), -1);
        QVERIFY(!dialog->node(key));
        return;
    }
    QVERIFY(logbookID("Wreck week") > 0);
    QTreeWidgetItem* node = dialog->node(key);
    QVERIFY(node);
    dialog->tvTreeView_NodeClick(dialog->node("LB1"));
    QVERIFY(!dialog->button("DELETE")->isEnabled());
    dialog->tvTreeView_NodeClick(node);
    QVERIFY(dialog->button("DELETE")->isEnabled());
}

void tst_frmDownLoad::fullDownloadIntoNewLogbook_data() {
    QTest::addColumn<qint32>("model");
    QTest::newRow("zento") << 1;
    QTest::newRow("zento rgbm") << 4;
    QTest::newRow("tavex") << 8;
    QTest::newRow("lumo air") << 16;
    QTest::newRow("kobi") << 32;
}

void tst_frmDownLoad::fullDownloadIntoNewLogbook() {
    QFETCH(qint32, model);
    Settings::instance().setCurrentDiveComputer(model);
    library(model).records = devices::dives(model, 3);
    auto dialog = openDialog();
    createLogbook(*dialog, "Summer");
    answerDownload(model);
    dialog->btnOk_Click();

    QVERIFY(dialog->bOk);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!Workspace::defaultWorkspace().inTransaction());
    QCOMPARE(messages().first(), QStringLiteral("Download data into Logbook number 'Summer': are you sure?"));
    QCOMPARE(messages().last(), summary(3, 3, 3, 0));
    QCOMPARE(env->fakes.message->unexpected, 0);
    QCOMPARE(world->confirm.shown, 1);
    QCOMPARE(dialog->Gauge1->value(), 7);
    QVERIFY(dialog->btnOk->isEnabled());
    dialog.reset();
    QCOMPARE(divesOf("Summer"), 3);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DIVE")), 4);
}

void tst_frmDownLoad::downloadingTwiceStoresNothingNew_data() {
    QTest::addColumn<qint32>("model");
    QTest::newRow("zento") << 1;
    QTest::newRow("tavex") << 8;
    QTest::newRow("kobi") << 32;
}

void tst_frmDownLoad::downloadingTwiceStoresNothingNew() {
    QFETCH(qint32, model);
    Settings::instance().setCurrentDiveComputer(model);
    library(model).records = devices::dives(model, 5);
    auto first = openDialog();
    createLogbook(*first, "Twice");
    answerDownload(model);
    first->btnOk_Click();
    QVERIFY(first->bOk);
    first.reset();
    const QStringList afterFirst = snapshot();
    QCOMPARE(divesOf("Twice"), 5);

    auto again = openDialog();
    select(*again, QStringLiteral("LB%1").arg(logbookID("Twice")));
    answerDownload(model);
    again->btnOk_Click();
    QCOMPARE(messages().last(), summary(5, 5, 0, 5));
    QVERIFY(again->bOk);
    again.reset();
    QCOMPARE(snapshot(), afterFirst);
}

void tst_frmDownLoad::failureLeavesDatabaseAsBefore_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("reachesStore");
    QTest::newRow("confirmation cancelled") << 1 << "confirm" << false;
    QTest::newRow("start refused") << 8 << "start" << false;
    QTest::newRow("time-out") << 1 << "timeout" << false;
    QTest::newRow("library missing") << 32 << "library" << false;
    QTest::newRow("records cut off") << 1 << "truncated" << false;
    QTest::newRow("device empty") << 32 << "empty" << false;
    QTest::newRow("write refused") << 1 << "write" << true;
    QTest::newRow("database gone") << 4 << "database" << true;
}

void tst_frmDownLoad::failureLeavesDatabaseAsBefore() {
    QFETCH(qint32, model);
    QFETCH(QString, failure);
    QFETCH(bool, reachesStore);
    Settings& settings = Settings::instance();
    settings.setCurrentDiveComputer(model);
    FakeLibraryScript& script = library(model);
    script.records = devices::dives(model, 4, 2);
    if (failure == "confirm")
        world->confirm.answers << false;
    else if (failure == "start")
        script.startResult = 0;
    else if (failure == "timeout")
        script.fetchResult = 1;
    else if (failure == "library")
        script.failingCall = QStringLiteral("getProgress");
    else if (failure == "truncated")
        script.records = QList<qint32>(30001, 1); // a record that runs past the array
    else if (failure == "empty")
        script.records.clear();
    else if (failure == "write") {
        Database db = Database::open(settings.databaseName());
        db.execute(QStringLiteral("CREATE TRIGGER full_disk BEFORE INSERT ON DIVE WHEN NEW.DATETIME LIKE '%09:02:%' "
                                  "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
    }
    const QStringList before = snapshot();

    auto dialog = openDialog();
    createLogbook(*dialog, "Doomed");
    const qint32 rowsInTransaction = count(QStringLiteral("SELECT COUNT(*) FROM DIVE"));
    if (failure == "database")
        settings.setDbFileName(QStringLiteral("moved.mdb"));
    env->fakes.message->answers << Msg::Yes << Msg::Ok << Msg::Ok << Msg::Ok;
    dialog->btnOk_Click();

    QVERIFY(!dialog->bOk);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->btnOk->isEnabled());
    QVERIFY(dialog->btnCancel->isEnabled());
    QVERIFY(!dialog->isDownloading());
    QVERIFY(Workspace::defaultWorkspace().inTransaction());
    if (reachesStore && failure != "database")
        QVERIFY2(messages().last().startsWith(QLatin1String("[DZ.SP]:  Error n. [")), qPrintable(messages().last()));
    settings.setDbFileName(QStringLiteral("dives.mdb"));
    // Nothing of the failed store stays pending, so no later commit can take half a download.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DIVE")), rowsInTransaction);

    dialog->btnCancel_Click();
    if (model == 32 && dialog->isVisible())
        dialog->btnCancel_Click(); // the first click only cleared the transfer's go-ahead
    QVERIFY(!dialog->isVisible());
    dialog.reset();
    QCOMPARE(snapshot(), before);
}

void tst_frmDownLoad::refusalsWhileStoring_data() {
    QTest::addColumn<qint32>("model");
    QTest::newRow("zento") << 1;
    QTest::newRow("kobi") << 32;
}

void tst_frmDownLoad::refusalsWhileStoring() {
    QFETCH(qint32, model);
    Settings::instance().setCurrentDiveComputer(model);
    library(model).records = devices::dives(model, 4);
    auto dialog = openDialog();
    createLogbook(*dialog, "Target");
    const qint32 target = logbookID("Target");
    answerDownload(model);

    int tries = 0;
    env->fakes.events->onProcess = [&] {
        if (!dialog->isStoring())
            return;
        ++tries;
        QVERIFY(!dialog->btnCancel->isEnabled());
        QVERIFY(!dialog->button("DELETE")->isEnabled());
        QVERIFY(!dialog->button("NEW")->isEnabled());
        dialog->btnCancel_Click();
        dialog->close();
        dialog->Toolbar1_ButtonClick(QStringLiteral("DELETE"));
        dialog->Toolbar1_ButtonClick(QStringLiteral("NEW"));
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QVERIFY(Workspace::defaultWorkspace().inTransaction());
    };
    dialog->btnOk_Click();

    QVERIFY(tries > 0);
    QVERIFY(env->fakes.input->prompts.size() == 1); // the logbook's own creation only
    QCOMPARE(messages().last(), summary(4, 4, 4, 0));
    QVERIFY(dialog->bOk);
    dialog.reset();
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DIVE WHERE FILE_ID = ?"), {target}), 4);
}

void tst_frmDownLoad::closeRefusedDuringTransfer() {
    library(1).records = devices::dives(1, 2);
    auto dialog = openDialog();
    select(*dialog, "LB3");
    answerDownload(1);
    world->zento->onPoll = [&](int) {
        QVERIFY(dialog->isDownloading());
        QVERIFY(!dialog->btnOk->isEnabled());
        QVERIFY(!dialog->btnCancel->isEnabled());
        dialog->close();
        dialog->btnCancel_Click();
        QVERIFY(dialog->isVisible());
    };
    dialog->btnOk_Click();
    QVERIFY(dialog->bOk);
    dialog.reset();
    QCOMPARE(divesOf("Elba"), 2);
}

void tst_frmDownLoad::kobiCancelStopsTheTransfer() {
    Settings::instance().setCurrentDiveComputer(32);
    world->b770->records = devices::dives(32, 2);
    world->b770->runningPolls = 5;
    auto dialog = openDialog();
    select(*dialog, "LB4");
    env->fakes.message->answers << Msg::Yes << Msg::Ok;
    world->b770->onPoll = [&](int poll) {
        QVERIFY(dialog->btnCancel->isEnabled());
        if (poll == 1)
            dialog->btnCancel->click();
    };
    dialog->btnOk_Click();

    QVERIFY(world->b770->calls.contains(QStringLiteral("stopDownload")));
    QVERIFY(!world->b770->calls.contains(QStringLiteral("DimensioneProfili")));
    QCOMPARE(messages().size(), 2); // the question and the start prompt: an abort says nothing
    QCOMPARE(dialog->Gauge1->value(), 1);
    QVERIFY(!dialog->bOk);
    QVERIFY(dialog->isVisible());
    QVERIFY(Workspace::defaultWorkspace().inTransaction());
    QVERIFY(dialog->btnOk->isEnabled());
}

void tst_frmDownLoad::kobiCancelAfterTransferFirstClearsAbort() {
    Settings::instance().setCurrentDiveComputer(32);
    world->b770->records = devices::dives(32, 2);
    world->b770->fetchResult = 1;
    auto dialog = openDialog();
    select(*dialog, "LB4");
    env->fakes.message->answers << Msg::Yes << Msg::Ok << Msg::Ok;
    dialog->btnOk_Click();
    QCOMPARE(messages().last(), getString(3035));

    dialog->btnCancel_Click();
    QVERIFY(dialog->isVisible());
    QVERIFY(Workspace::defaultWorkspace().inTransaction());
    dialog->btnCancel_Click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(!Workspace::defaultWorkspace().inTransaction());
}

void tst_frmDownLoad::preferencesOpenOnDataDownloadPage() {
    library(1).records = devices::dives(1, 1);
    auto dialog = openDialog();
    bool pageShown = false;
    QTimer::singleShot(0, this, [&] {
        auto* settings = qobject_cast<frmSettings*>(QApplication::activeModalWidget());
        QVERIFY(settings);
        pageShown = settings->picOptions[2]->isVisible();
        settings->comboCOM->setCurrentIndex(settings->comboCOM->findText(QStringLiteral("7")));
        settings->cmdOK->click();
    });
    dialog->Toolbar1_ButtonClick(QStringLiteral("PREFERENCE"));
    QVERIFY(pageShown);
    QCOMPARE(Settings::instance().comPort(), qint16(7));

    select(*dialog, "LB1");
    answerDownload(1);
    dialog->btnOk_Click();
    QVERIFY(world->zento->calls.contains(QStringLiteral("startDownload(7)")));
}

void tst_frmDownLoad::killedWhileStoring() {
    const QStringList before = snapshot();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(storeChildArgument), Settings::instance().dbPath()});
    QVERIFY(child.waitForStarted());
    QByteArray said;
    while (!said.contains("storing") && child.state() == QProcess::Running) {
        child.waitForReadyRead(1000);
        said += child.readAllStandardOutput();
    }
    QVERIFY2(said.contains("storing"), said.constData());
    // Dives of the transfer have been written into the open transaction, the file's old pages saved
    // in the rollback journal.
    QVERIFY(QFileInfo(Settings::instance().databaseName() + QStringLiteral("-journal")).size() > 0);
    child.kill();
    QVERIFY(child.waitForFinished());

    QCOMPARE(snapshot(), before);
    QCOMPARE(logbookID("Killed"), -1);
    Database db = Database::open(Settings::instance().databaseName());
    Recordset check(db, QStringLiteral("PRAGMA integrity_check"));
    QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
}

void tst_frmDownLoad::unwritableDiveIsLeftOut_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<int>("refused");
    QTest::newRow("first dive") << 1 << 0;
    QTest::newRow("later dive") << 8 << 2;
    QTest::newRow("later dive, kobi") << 32 << 2;
}

// A dive whose data cannot be written is left out; the others are stored and the summary names it.
void tst_frmDownLoad::unwritableDiveIsLeftOut() {
    QFETCH(qint32, model);
    QFETCH(int, refused);
    Settings::instance().setCurrentDiveComputer(model);
    library(model).records = devices::dives(model, 4, 2, refused);
    auto dialog = openDialog();
    createLogbook(*dialog, "Summer");
    answerDownload(model);
    dialog->btnOk_Click();

    QVERIFY(dialog->bOk);
    QVERIFY2(messages().last().contains(QStringLiteral("Dives not stored, their data cannot be written: ")),
             qPrintable(messages().last()));
    QCOMPARE(env->fakes.message->unexpected, 0);
    dialog.reset();
    QCOMPARE(divesOf("Summer"), 3);
}

void tst_frmDownLoad::failedCommitShowsNoSummary() {
    Settings::instance().setCurrentDiveComputer(1);
    library(1).records = devices::dives(1, 3);
    auto dialog = openDialog();
    createLogbook(*dialog, "Summer");
    answerDownload(1);
    // Another connection reads the file and keeps reading: the commit cannot take the file and fails
    // once the busy timeout is over.
    const QString reader = QStringLiteral("reader");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), reader);
        other.setDatabaseName(Settings::instance().databaseName());
        QVERIFY(other.open());
        QSqlQuery query(other);
        QVERIFY(query.exec(QStringLiteral("BEGIN")));
        QVERIFY(query.exec(QStringLiteral("SELECT count(*) FROM FILE")) && query.next());
        dialog->btnOk_Click();
        query.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(reader);

    QVERIFY(!dialog->bOk);
    const QString last = messages().last();
    QVERIFY2(last.startsWith(QStringLiteral("[DZ.SP]:  Error n. [3218]")), qPrintable(last));
    QVERIFY(!messages().contains(summary(3, 3, 3, 0)));
    QCOMPARE(env->fakes.message->unexpected, 0);
}

void tst_frmDownLoad::downloadAgainAfterAFailedWrite_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("again"); // Download again once the cause is gone; else Cancel
    for (const char* failure : {"disk full at the commit", "disk full while storing", "locked at the commit"}) {
        QTest::addRow("%s, download again", failure) << QString::fromLatin1(failure) << true;
        QTest::addRow("%s, cancel", failure) << QString::fromLatin1(failure) << false;
    }
}

// Whatever a failed store or commit did to the transaction, the next download is stored whole in
// one and summed up once, and Cancel takes back all the dialog wrote: the logbook file holds what the
// dialog says.
void tst_frmDownLoad::downloadAgainAfterAFailedWrite() {
    QFETCH(QString, failure);
    QFETCH(bool, again);
    const bool diskFull = failure.startsWith(QLatin1String("disk full"));
    FullDisk::install();
    // Profiles long enough for pages of their own: the commit has to grow the file.
    library(1).records = devices::dives(1, 3, 300);
    const QStringList before = snapshot();
    auto dialog = openDialog();
    createLogbook(*dialog, "Spare");
    const QString spare = QStringLiteral("LB%1").arg(logbookID("Spare"));
    select(*dialog, "LB3");

    std::unique_ptr<FullDisk> full;
    const QString reader = QStringLiteral("reader");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), reader);
        QSqlQuery query(other);
        if (failure == QLatin1String("disk full while storing")) {
            full = std::make_unique<FullDisk>();
        } else if (failure == QLatin1String("disk full at the commit")) {
            // The last dive stored, the disk fills up before the commit.
            env->fakes.events->onProcess = [&] {
                if (dialog->isStoring() && dialog->Gauge1->value() == dialog->Gauge1->max() && !full)
                    full = std::make_unique<FullDisk>();
            };
        } else {
            other.setDatabaseName(Settings::instance().databaseName());
            QVERIFY(other.open());
            QVERIFY(query.exec(QStringLiteral("BEGIN")));
            QVERIFY(query.exec(QStringLiteral("SELECT count(*) FROM FILE")) && query.next());
        }
        env->fakes.message->answers << Msg::Yes << Msg::Ok;
        dialog->btnOk_Click();
        if (other.isOpen())
            query.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(reader);
    env->fakes.events->onProcess = {};
    full.reset(); // space freed, the other program gone

    QVERIFY(!dialog->bOk);
    QVERIFY(dialog->isVisible());
    const QString report = messages().last();
    QVERIFY2(report.startsWith(diskFull ? QStringLiteral("[DZ.SP]:  Error n. [3000] - database or disk is full")
                                        : QStringLiteral("[DZ.SP]:  Error n. [3218]")),
             qPrintable(report));
    QVERIFY(!messages().contains(summary(3, 3, 3, 0)));
    QVERIFY(Workspace::defaultWorkspace().inTransaction());
    // The engine took back the whole transaction on the full disk, the logbook made in it too.
    QCOMPARE(dialog->node(spare) != nullptr, !diskFull);
    QCOMPARE(logbookID("Spare") > 0, !diskFull);
    QCOMPARE(dialog->button("NEW")->isEnabled(), diskFull);
    QCOMPARE(frmDownLoad::keyOf(dialog->tvTreeView->selectedItems().value(0)), QStringLiteral("LB3"));

    const qsizetype shown = messages().size();
    if (!again) {
        dialog->btnCancel_Click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(!Workspace::defaultWorkspace().inTransaction());
        dialog.reset();
        QCOMPARE(snapshot(), before);
        return;
    }
    answerDownload(1);
    dialog->btnOk_Click();
    QVERIFY(dialog->bOk);
    // The first try left nothing behind: this one logs every dive, and says so.
    QCOMPARE(
        messages().mid(shown),
        (QStringList{QStringLiteral("Download data into Logbook number 'Elba': are you sure?"), summary(3, 3, 3, 0)}));
    QCOMPARE(env->fakes.message->unexpected, 0);
    QVERIFY(!Workspace::defaultWorkspace().inTransaction());
    dialog.reset();
    QCOMPARE(divesOf("Elba"), 3);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DIVE")), 1 + 3);
    QCOMPARE(logbookID("Spare") > 0, !diskFull);
}

namespace {
// The child's side of killedWhileStoring: a download into a new logbook of the given folder's
// database that stops, never to go on, once the store step has written some of its dives.
int storeUntilKilled(const QString& folder) {
    constexpr int dives = 200;
    TestEnvironment env;
    Settings& settings = Settings::instance();
    settings.setDbPath(folder);
    settings.setCurrentLanguage(Settings::LANG_ENGLISH);
    settings.setCurrentDiveComputer(1);
    FakeDownloadWorld world;
    world.zento->records = devices::dives(1, dives, 8);

    frmDownLoad dialog;
    // A small page cache spills the transaction's pages into the file before the commit.
    Database db = Database::open(settings.databaseName());
    db.execute(QStringLiteral("PRAGMA cache_size = 2"));
    db.close();
    env.fakes.input->answers << QStringLiteral("Killed");
    dialog.Toolbar1_ButtonClick(QStringLiteral("NEW"));
    env.fakes.message->answers << Msg::Yes;
    env.fakes.events->onProcess = [&] {
        if (dialog.isStoring() && dialog.Gauge1->value() > dives + 150) {
            std::fputs("storing\n", stdout);
            std::fflush(stdout);
            for (;;)
                QThread::sleep(1);
        }
    };
    dialog.btnOk_Click();
    std::fputs("finished\n", stdout);
    return 1;
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], storeChildArgument) == 0)
        return storeUntilKilled(QString::fromLocal8Bit(argv[2]));
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_frmDownLoad test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmdownload.moc"
