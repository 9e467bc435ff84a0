#include "DiveDataControl.h"
#include "DiveDateText.h"
#include "LogbookEdits.h"
#include "LogbookFixture.h"
#include "TestEnvironment.h"
#include "TreeNodeKey.h"
#include "frmModifyDateTime.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

namespace {
const QString LOCATION = QStringLiteral("LOCATION");

// Zento logbooks Reef (three dives), Lake (one dive) and Été (none), and a Lumo logbook Shore; the
// data control on every dive, newest first.
struct Logbooks {
    Logbooks() {
        // These cases read every box they get from the message list.
        env.fakes.message->failOnUnexpected = false;
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.storeSetting(QStringLiteral("DiveComputer"), QStringLiteral("1"));
        env.restart();
        reef = fixture.logbook(QStringLiteral("Reef"), 1);
        lake = fixture.logbook(QStringLiteral("Lake"), 1);
        fixture.logbook(QStringLiteral("Été"), 1);
        shore = fixture.logbook(QStringLiteral("Shore"), 2);
        first = fixture.dive(reef, at(2004, 3, 5, 9, 30));
        second = fixture.dive(reef, at(2004, 3, 5, 15, 0));
        third = fixture.dive(reef, at(2004, 3, 6, 11, 0));
        lakeDive = fixture.dive(lake, at(2004, 3, 5, 9, 30));
        data.setDatabaseName(Settings::instance().databaseName());
        data.setRecordSource(QStringLiteral("SELECT * FROM DIVE ORDER BY [DATETIME] DESC"));
        data.refresh();
        edits = std::make_unique<LogbookEdits>(data);
        edits->askDateTime = [this](const QString& text, const QDateTime& current) {
            ++asked;
            askedText = text;
            askedCurrent = current;
            return answer;
        };
    }

    // The dive selected, as the tree's selection leaves it.
    void select(qint32 diveID) {
        Settings::instance().setCurrentDiveID(diveID);
        QVERIFY(data.moveToDive(diveID));
    }
    qint32 count(const QString& statement, const QVariantList& params = {}) {
        Recordset rs(fixture.db, statement, params);
        return rs.value(0).toInt();
    }
    qint32 dives(qint32 fileID) {
        return count(QStringLiteral("SELECT COUNT(*) FROM DIVE WHERE FILE_ID = ?"), {fileID});
    }
    QString name(qint32 fileID) {
        Recordset rs(fixture.db, QStringLiteral("SELECT FILENAME FROM FILE WHERE FILE_ID = ?"), {fileID});
        return rs.value(0).toString();
    }
    QStringList messages() const {
        QStringList texts;
        for (const ShownMessage& m : env.fakes.message->shown)
            texts.append(m.text);
        return texts;
    }
    QList<qint32> rowIDs() const {
        QList<qint32> ids;
        for (const DiveDataControl::Row& row : data.rows())
            ids.append(row.diveID);
        return ids;
    }

    TestEnvironment env;
    LogbookFixture fixture;
    DiveDataControl data;
    std::unique_ptr<LogbookEdits> edits;
    std::optional<QDateTime> answer;
    int asked = 0;
    QString askedText;
    QDateTime askedCurrent;
    qint32 reef = 0, lake = 0, shore = 0;
    qint32 first = 0, second = 0, third = 0, lakeDive = 0;
};

QString diveText(const QDateTime& dateTime) {
    return DiveDateText().text(dateTime.date(), dateTime.time());
}
} // namespace

class tst_LogbookEdits : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deletingALogbookDeletesItsDives();
    void deletionDropsEditsOfDeletedRows_data();
    void deletionDropsEditsOfDeletedRows();
    void deleteFailureChangesNothing();
    void redate_data();
    void redate();
    void redateWithoutADive();
    void redateWritesPendingEditsFirst();
    void redateRefusedEditLosesNothing();
    void redateOfAVanishedDive();
    void redateThroughTheDialog();
    void rename_data();
    void rename();
    void renameOnlyLogbooks();
    void renameFailure();
};

void tst_LogbookEdits::deleteAsksFirst_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("logbook, yes") << "LB" << Msg::Yes << true;
    QTest::newRow("logbook, no") << "LB" << Msg::No << false;
    QTest::newRow("dive, yes") << "DR" << Msg::Yes << true;
    QTest::newRow("dive, no") << "DR" << Msg::No << false;
}

void tst_LogbookEdits::deleteAsksFirst() {
    QFETCH(QString, kind);
    QFETCH(int, answer);
    QFETCH(bool, deleted);
    Logbooks l;
    const bool logbook = kind == QLatin1String("LB");
    const QString key = logbook ? TreeNodeKey::logbook(l.lake) : TreeNodeKey::dive(l.second);
    const QString text = logbook ? QStringLiteral("Lake") : QStringLiteral("05/03/2004 15:00:00");
    l.env.fakes.message->answers.enqueue(answer);
    QCOMPARE(l.edits->deleteNode(key, text), deleted);

    QCOMPARE(l.env.fakes.message->shown.size(), 1);
    const ShownMessage& question = l.env.fakes.message->shown.first();
    QCOMPARE(question.text, logbook ? QStringLiteral("Delete Logbook number 'Lake' and all the dives which it "
                                                     "contains: are you sure?")
                                    : QStringLiteral("Delete dive '05/03/2004 15:00:00' : are you sure?"));
    QCOMPARE(question.flags, Msg::YesNo | Msg::Question);
    QCOMPARE(question.title, QStringLiteral("Request"));

    const qint32 files = l.count(QStringLiteral("SELECT COUNT(*) FROM FILE"));
    const qint32 dives = l.count(QStringLiteral("SELECT COUNT(*) FROM DIVE"));
    QCOMPARE(files, logbook && deleted ? 3 : 4);
    QCOMPARE(dives, deleted ? 3 : 4);
    QCOMPARE(l.data.recordCount(), dives);
}

// The schema's cascade: a logbook's dives go with it, the other logbooks keep theirs.
void tst_LogbookEdits::deletingALogbookDeletesItsDives() {
    Logbooks l;
    l.env.fakes.message->answers.enqueue(Msg::Yes);
    QVERIFY(l.edits->deleteNode(TreeNodeKey::logbook(l.reef), QStringLiteral("Reef")));
    QCOMPARE(l.dives(l.reef), 0);
    QCOMPARE(l.dives(l.lake), 1);
    QCOMPARE(l.rowIDs(), QList<qint32>{l.lakeDive});
}

void tst_LogbookEdits::deletionDropsEditsOfDeletedRows_data() {
    QTest::addColumn<bool>("logbook");
    QTest::addColumn<bool>("editedRowDeleted");
    QTest::newRow("the dive deleted") << false << true;
    QTest::newRow("its logbook deleted") << true << true;
    QTest::newRow("another logbook deleted") << true << false;
}

void tst_LogbookEdits::deletionDropsEditsOfDeletedRows() {
    QFETCH(bool, logbook);
    QFETCH(bool, editedRowDeleted);
    Logbooks l;
    l.select(l.first);
    l.data.setValue(LOCATION, QStringLiteral("Typed, not saved"));
    QString key = TreeNodeKey::dive(l.first);
    if (logbook)
        key = TreeNodeKey::logbook(editedRowDeleted ? l.reef : l.lake);
    l.env.fakes.message->answers.enqueue(Msg::Yes);
    QVERIFY(l.edits->deleteNode(key, QStringLiteral("node")));

    QCOMPARE(l.data.hasPendingEdits(), !editedRowDeleted);
    QCOMPARE(l.data.hasCurrentRow(), !editedRowDeleted);
    QCOMPARE(l.rowIDs().contains(l.first), !editedRowDeleted);
    // Whatever is selected next writes only what belongs to it.
    const qint32 next = logbook && editedRowDeleted ? l.lakeDive : l.second;
    QVERIFY(l.data.moveToDive(next));
    QCOMPARE(l.count(QStringLiteral("SELECT COUNT(*) FROM DIVE WHERE LOCATION IS NOT NULL")), editedRowDeleted ? 0 : 1);
}

void tst_LogbookEdits::deleteFailureChangesNothing() {
    Logbooks l;
    DiveDataControl elsewhere;
    elsewhere.setDatabaseName(l.env.folder() + QStringLiteral("missing.mdb"));
    LogbookEdits edits(elsewhere);
    l.env.fakes.message->answers.enqueue(Msg::Yes);
    QVERIFY(!edits.deleteNode(TreeNodeKey::dive(l.first), QStringLiteral("node")));
    QCOMPARE(l.env.fakes.message->shown.size(), 2);
    const ShownMessage& failure = l.env.fakes.message->shown.last();
    QVERIFY(failure.text.startsWith(
        QStringLiteral("[frmMain.mnuLBDelete_click] Error deleting LogBook or Dive Record\n[3024] ")));
    QCOMPARE(failure.flags, Msg::OkOnly | Msg::Critical);
    QCOMPARE(failure.title, QStringLiteral("Warning!"));
    QCOMPARE(l.count(QStringLiteral("SELECT COUNT(*) FROM DIVE")), 4);
}

void tst_LogbookEdits::redate_data() {
    QTest::addColumn<int>("diveChoice"); // 0 first, 1 the Lake dive
    QTest::addColumn<QDateTime>("chosen");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QDateTime>("stored");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<QString>("message");
    const QDateTime original = at(2004, 3, 5, 9, 30);
    QTest::newRow("a new time loses its seconds")
        << 0 << QDateTime(QDate(2004, 3, 7), QTime(11, 15, 42)) << false << at(2004, 3, 7, 11, 15) << true << "";
    QTest::newRow("the same date and time") << 0 << original << false << original << false << "";
    QTest::newRow("cancelled") << 0 << QDateTime() << true << original << false << "";
    QTest::newRow("another dive of the logbook has it: 3039")
        << 0 << at(2004, 3, 5, 15, 0) << false << original << true
        << "The selected date and time already exist in this Logbook. The operation is invalid.";
    QTest::newRow("a dive of another logbook has it")
        << 1 << at(2004, 3, 6, 11, 0) << false << at(2004, 3, 6, 11, 0) << true << "";
}

void tst_LogbookEdits::redate() {
    QFETCH(int, diveChoice);
    QFETCH(QDateTime, chosen);
    QFETCH(bool, cancelled);
    QFETCH(QDateTime, stored);
    QFETCH(bool, apply);
    QFETCH(QString, message);
    Logbooks l;
    const qint32 diveID = diveChoice == 0 ? l.first : l.lakeDive;
    l.select(diveID);
    if (!cancelled)
        l.answer = chosen;
    const LogbookEdits::Redate outcome = l.edits->modifyDiveTime(QStringLiteral("05/03/2004 09:30:00"));

    QCOMPARE(l.asked, 1);
    QCOMPARE(l.askedText, QStringLiteral("05/03/2004 09:30:00"));
    QCOMPARE(l.askedCurrent, at(2004, 3, 5, 9, 30));
    QCOMPARE(SqlDates::fromStored(l.fixture.column(diveID, QStringLiteral("DATETIME"))), stored);
    QCOMPARE(outcome.apply, apply);
    if (apply) {
        // The node's text comes from the row as stored.
        QCOMPARE(outcome.key, TreeNodeKey::dive(diveID));
        QCOMPARE(outcome.text, diveText(stored));
        QCOMPARE(SqlDates::fromStored(l.data.value(QStringLiteral("DATETIME"))), stored);
        QCOMPARE(l.data.currentDiveID(), diveID);
    }
    QCOMPARE(l.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(l.env.fakes.message->shown.first().flags, Msg::OkOnly | Msg::Critical);
        QCOMPARE(l.env.fakes.message->shown.first().title, QStringLiteral("Warning!"));
    }
}

void tst_LogbookEdits::redateWithoutADive() {
    Logbooks l;
    Settings::instance().setCurrentDiveID(-1);
    QVERIFY(!l.edits->modifyDiveTime(QStringLiteral("Reef")).apply);
    QCOMPARE(l.asked, 0);
    QCOMPARE(l.messages(), QStringList{QStringLiteral("No dive has been selected.")});
    QCOMPARE(l.env.fakes.message->shown.first().flags, Msg::OkOnly | Msg::Critical);
    QCOMPARE(l.env.fakes.message->shown.first().title, QStringLiteral("Information"));
}

void tst_LogbookEdits::redateWritesPendingEditsFirst() {
    Logbooks l;
    l.select(l.first);
    l.data.setValue(LOCATION, QStringLiteral("North wall"));
    l.edits->modifyDiveTime(QStringLiteral("node")); // cancelled
    QCOMPARE(l.fixture.column(l.first, LOCATION).toString(), QStringLiteral("North wall"));
}

void tst_LogbookEdits::redateRefusedEditLosesNothing() {
    Logbooks l;
    l.select(l.first);
    const QString tooLong(101, u'x'); // LOCATION holds 100 characters
    l.data.setValue(LOCATION, tooLong);
    l.answer = at(2004, 4, 1);
    QVERIFY(!l.edits->modifyDiveTime(QStringLiteral("node")).apply);
    QCOMPARE(l.asked, 0);
    QCOMPARE(l.messages(), QStringList{QStringLiteral(
                               "Some of the items entered are too long. Enter fewer characters into the fields.")});
    QCOMPARE(l.env.fakes.message->shown.first().title, QStringLiteral("Information"));
    QCOMPARE(l.data.value(LOCATION).toString(), tooLong); // still there to be shortened
    QCOMPARE(SqlDates::fromStored(l.fixture.column(l.first, QStringLiteral("DATETIME"))), at(2004, 3, 5, 9, 30));
}

void tst_LogbookEdits::redateOfAVanishedDive() {
    Logbooks l;
    Settings::instance().setCurrentDiveID(4711);
    QVERIFY(!l.edits->modifyDiveTime(QStringLiteral("node")).apply);
    QCOMPARE(l.asked, 0);
    QCOMPARE(l.env.fakes.message->shown.size(), 1);
    QVERIFY(l.messages().first().startsWith(
        QStringLiteral("[frmMain.mnuLBModifyDiveTime_click] Error updating date/time\n[3021] ")));
}

// The real dialog, shown with the node's text and the dive's date and time.
void tst_LogbookEdits::redateThroughTheDialog() {
    Logbooks l;
    LogbookEdits edits(l.data);
    l.select(l.third);
    QString shownText;
    QDateTime shownDateTime;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmModifyDateTime*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shownText = dialog->lbl_CurrentDateTime->text();
        shownDateTime = QDateTime(dialog->DTNewDate->date(), dialog->DTNewTime->time());
        dialog->DTNewDate->setDate(QDate(2004, 3, 8));
        dialog->OKButton->click();
    });
    const LogbookEdits::Redate outcome = edits.modifyDiveTime(QStringLiteral("06/03/2004 11:00:00"));
    QCOMPARE(shownText, QStringLiteral("06/03/2004 11:00:00"));
    QCOMPARE(shownDateTime, at(2004, 3, 6, 11, 0));
    QVERIFY(outcome.apply);
    QCOMPARE(SqlDates::fromStored(l.fixture.column(l.third, QStringLiteral("DATETIME"))), at(2004, 3, 8, 11, 0));
}

void tst_LogbookEdits::rename_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    const QString tooLong = QStringLiteral("The name entered is too long. The maximum is 20 characters.");
    const QString characters = QStringLiteral("The following characters cannot be used: & ' % *");
    const QString exists = QStringLiteral("The name entered already exists. Change the name.");
    const QString fieldTooLong =
        QStringLiteral("Some of the items entered are too long. Enter fewer characters into the fields.");
    QTest::newRow("a new name") << "Red Sea" << QStringList();
    QTest::newRow("stored with its blanks") << "  Red Sea " << QStringList();
    QTest::newRow("20 characters") << "12345678901234567890" << QStringList();
    QTest::newRow("20 characters and blanks") << " 12345678901234567890 " << QStringList();
    QTest::newRow("the name of another model's logbook") << "Shore" << QStringList();
    QTest::newRow("21 characters") << "123456789012345678901" << QStringList{tooLong};
    QTest::newRow("blanks only: silent") << "   " << QStringList();
    QTest::newRow("empty: silent") << "" << QStringList();
    QTest::newRow("a quote") << "Bob's wall" << QStringList{characters};
    QTest::newRow("percent and ampersand") << "50% & more" << QStringList{characters};
    QTest::newRow("an asterisk") << "Reef*" << QStringList{characters};
    QTest::newRow("too long and a percent: both") << "100% of the old wreck" << QStringList{tooLong, characters};
    QTest::newRow("its own name") << "Reef" << QStringList{exists};
    QTest::newRow("its own name in other letters") << "REEF" << QStringList{exists};
    QTest::newRow("another logbook's name") << "lake" << QStringList{exists};
    QTest::newRow("letter case beyond ASCII") << "ÉTÉ" << QStringList{exists};
    QTest::newRow("blanks beyond the column")
        << QStringLiteral("Reef") + QString(60, u' ') << QStringList{fieldTooLong};
}

void tst_LogbookEdits::rename() {
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    Logbooks l;
    const bool silent = name.trimmed().isEmpty();
    const bool stored = messages.isEmpty() && !silent;
    QCOMPARE(l.edits->renameLogbook(TreeNodeKey::logbook(l.reef), name), stored);
    QCOMPARE(l.messages(), messages);
    QCOMPARE(l.name(l.reef), stored ? name : QStringLiteral("Reef"));
    for (const ShownMessage& m : l.env.fakes.message->shown) {
        if (m.text.startsWith(QLatin1String("Some")))
            continue;
        QCOMPARE(m.flags, Msg::OkOnly | Msg::Critical);
        QCOMPARE(m.title, QStringLiteral("Warning!"));
    }
}

void tst_LogbookEdits::renameOnlyLogbooks() {
    Logbooks l;
    QVERIFY(!l.edits->renameLogbook(TreeNodeKey::dive(l.first), QStringLiteral("New label")));
    QVERIFY(!l.edits->renameLogbook(TreeNodeKey::root(1), QStringLiteral("New label")));
    QVERIFY(l.messages().isEmpty());
    QCOMPARE(SqlDates::fromStored(l.fixture.column(l.first, QStringLiteral("DATETIME"))), at(2004, 3, 5, 9, 30));
}

void tst_LogbookEdits::renameFailure() {
    Logbooks l;
    DiveDataControl elsewhere;
    elsewhere.setDatabaseName(l.env.folder() + QStringLiteral("missing.mdb"));
    LogbookEdits edits(elsewhere);
    QVERIFY(!edits.renameLogbook(TreeNodeKey::logbook(l.reef), QStringLiteral("Red Sea")));
    QCOMPARE(l.env.fakes.message->shown.size(), 1);
    QVERIFY(l.messages().first().startsWith(
        QStringLiteral("[frmMain.mnuLBModifyDiveTime_click] Error updating node label\n[3024] ")));
    QCOMPARE(l.name(l.reef), QStringLiteral("Reef"));
}

QTEST_MAIN(tst_LogbookEdits)
#include "tst_logbookedits.moc"
