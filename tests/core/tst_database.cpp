#include "Database.h"
#include "DbConnection.h"
#include "DbError.h"
#include "EngineRows.h"
#include "ErrorOf.h"
#include "FullDisk.h"
#include "ReadOnlyFolder.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "SavepointGuard.h"
#include "SqlDates.h"
#include "SqlScript.h"
#include "TestEnvironment.h"
#include "TransactionGuard.h"
#include "Workspace.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

class tst_Database : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rewriteDateLiterals_data();
    void rewriteDateLiterals();
    void dateLiteralIgnoresLocale();
    void storedDateTimes();
    void splitScript();

    void openRefusesMissingOrForeignFiles_data();
    void openRefusesMissingOrForeignFiles();
    void createDatabaseNeverOverwrites();
    void schemaHasEveryColumn();

    void duplicateDiveIsRefused();
    void tooLongTextIsRefused_data();
    void tooLongTextIsRefused();
    void deletingLogbookDeletesItsDives();
    void keysAreNeverReused();
    void unsetNumericColumnsHoldZero();
    void diveNeedsItsLogbook();
    void userTextIsBound();
    void dateLiteralsInStatements();

    void readingByName();
    void readingPastTheEnd();
    void engineRowsReadAsRecordsetDoes();
    void engineRowsErrors();
    void dynasetMovesAndCounts();
    void editWritesTheCurrentRow();

    void oneConnectionPerFile();
    void transactionCoversLaterOpens();
    void rollbackUndoesEveryWrite();
    void guardRollsBackUnlessCommitted();
    void savepointUndoesOnlyItsStep_data();
    void savepointUndoesOnlyItsStep();
    void transactionMisuse();

    void logbookIsOneFile();
    void writeAheadFileTurnsBack();
    void readOnlyPlace();
    void lockCodesAreLocked_data();
    void lockCodesAreLocked();
    void keysComeFromTheEngine();
    void lockAtTheFirstReadIsALock();
    void readOnlyPlaceReadsTheWriteAheadLog();
    void readOnlyPlaceShowsTheLastSavedState_data();
    void readOnlyPlaceShowsTheLastSavedState();
    void readOnlyPlaceThroughALink_data();
    void readOnlyPlaceThroughALink();
    void readOnlyPlaceWithoutATemporaryFolder_data();
    void readOnlyPlaceWithoutATemporaryFolder();
    void failedWriteSaysWhetherTheTransactionIsOpen_data();
    void failedWriteSaysWhetherTheTransactionIsOpen();

private:
    QString path() const { return m_env->folder() + QStringLiteral("dives.mdb"); }
    Database freshDatabase();
    qint32 addLogbook(Database& db, const QString& name);
    qint32 addDive(Database& db, qint32 logbook, const QDateTime& when);
    // The logbooks' names in key order, then the number of dives.
    QStringList logbooksAndDives(Database& db);
    // The logbook as another program left it in a folder of its own: stopped in the middle of a
    // write that outgrew its cache, with its side file `side` beside it.
    QString interruptedWrite(const QString& side);

    std::unique_ptr<TestEnvironment> m_env;
};

void tst_Database::init() {
    m_env = std::make_unique<TestEnvironment>();
}

void tst_Database::cleanup() {
    if (Workspace::defaultWorkspace().inTransaction())
        Workspace::defaultWorkspace().rollback();
    m_env.reset();
}

Database tst_Database::freshDatabase() {
    SqlScript::createDatabase(path(), SqlScript::currentSchema());
    return Database::open(path());
}

qint32 tst_Database::addLogbook(Database& db, const QString& name) {
    Recordset rs = Recordset::table(db, QStringLiteral("FILE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILENAME"), name);
    rs.setValue(QStringLiteral("DIVE_MODEL"), 1);
    rs.setValue(QStringLiteral("CREATION_DATE"), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    rs.update();
    return rs.lastModified().toInt();
}

qint32 tst_Database::addDive(Database& db, qint32 logbook, const QDateTime& when) {
    Recordset rs = Recordset::table(db, QStringLiteral("DIVE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILE_ID"), logbook);
    rs.setValue(QStringLiteral("DATETIME"), when);
    rs.update();
    return rs.lastModified().toInt();
}

QStringList tst_Database::logbooksAndDives(Database& db) {
    QStringList found;
    for (Recordset rs(db, QStringLiteral("SELECT FILENAME FROM FILE ORDER BY FILE_ID")); !rs.eof(); rs.moveNext())
        found << rs.value(0).toString();
    Recordset dives(db, QStringLiteral("SELECT count(*) FROM DIVE"));
    return found << QStringLiteral("dives: %1").arg(dives.value(0).toInt());
}

void tst_Database::rewriteDateLiterals_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no literal") << "SELECT * FROM DIVE WHERE DIVE_ID = 5"
                                << "SELECT * FROM DIVE WHERE DIVE_ID = 5";
    QTest::newRow("minute literal") << "UPDATE DIVE SET [DATETIME] = #03/14/2004 09:05# WHERE DIVE_ID = 5"
                                    << "UPDATE DIVE SET [DATETIME] = '2004-03-14 09:05:00' WHERE DIVE_ID = 5";
    QTest::newRow("filter range")
        << "SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL AND [DATETIME] BETWEEN #05/01/2004 14:30# AND "
           "#05/31/2004 14:30#  ORDER BY [DATETIME] DESC"
        << "SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL AND [DATETIME] BETWEEN '2004-05-01 14:30:00' AND "
           "'2004-05-31 14:30:00'  ORDER BY [DATETIME] DESC";
    QTest::newRow("date only") << "x > #3/1/2004#"
                               << "x > '2004-03-01 00:00:00'";
    QTest::newRow("with seconds") << "x < #12/31/1999 23:59:58#"
                                  << "x < '1999-12-31 23:59:58'";
    QTest::newRow("in quotes untouched") << "x = '#03/14/2004 09:05#'"
                                         << "x = '#03/14/2004 09:05#'";
    QTest::newRow("quote doubled inside text") << "x = 'a''#1/1/2000#' AND y = #1/1/2000#"
                                               << "x = 'a''#1/1/2000#' AND y = '2000-01-01 00:00:00'";
    QTest::newRow("impossible date left for the engine") << "x = #02/30/2004 09:05#"
                                                         << "x = #02/30/2004 09:05#";
    QTest::newRow("not a date") << "x = #abc# AND y = 1"
                                << "x = #abc# AND y = 1";
    QTest::newRow("lone number sign") << "x = #03/14/2004"
                                      << "x = #03/14/2004";
    QTest::newRow("NULL date") << "UPDATE DIVE SET [DATETIME] = NULL"
                               << "UPDATE DIVE SET [DATETIME] = NULL";
}

void tst_Database::rewriteDateLiterals() {
    QFETCH(QString, statement);
    QFETCH(QString, expected);
    QCOMPARE(SqlDates::rewriteDateLiterals(statement), expected);
}

void tst_Database::dateLiteralIgnoresLocale() {
    const QLocale before;
    for (const QLocale::Language language : {QLocale::German, QLocale::Arabic, QLocale::English}) {
        QLocale::setDefault(QLocale(language));
        QCOMPARE(SqlDates::toLiteral(QDateTime(QDate(2004, 3, 14), QTime(9, 5, 42))),
                 QStringLiteral("#03/14/2004 09:05#"));
    }
    QLocale::setDefault(before);
    QCOMPARE(SqlDates::toLiteral(QDateTime()), QStringLiteral("NULL"));
}

void tst_Database::storedDateTimes() {
    const QDateTime when(QDate(2004, 3, 14), QTime(9, 5, 42));
    QCOMPARE(SqlDates::toStored(when).toString(), QStringLiteral("2004-03-14 09:05:42"));
    QCOMPARE(SqlDates::fromStored(SqlDates::toStored(when)), SqlDates::wallClock(when.date(), when.time()));
    QVERIFY(SqlDates::toStored(QDateTime()).isNull());
    QVERIFY(!SqlDates::fromStored(QVariant()).isValid());
    QVERIFY(!SqlDates::fromStored(QStringLiteral("14/03/2004")).isValid());
}

void tst_Database::splitScript() {
    const QStringList statements = SqlScript::split(QStringLiteral(
        "-- a comment; with a semicolon\nCREATE TABLE T (A TEXT);\nINSERT INTO T VALUES ('x;y''z');\n\n"));
    QCOMPARE(statements, QStringList({QStringLiteral("CREATE TABLE T (A TEXT)"),
                                      QStringLiteral("INSERT INTO T VALUES ('x;y''z')")}));
}

void tst_Database::openRefusesMissingOrForeignFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("missing") << "missing" << DbError::FileNotFound;
    QTest::newRow("not a database") << "text" << DbError::NotADatabase;
    QTest::newRow("empty-looking garbage") << "zeros" << DbError::NotADatabase;
    QTest::newRow("a folder") << "folder" << DbError::CannotOpenFile;
    QTest::newRow("empty file") << "empty" << DbError::NotADatabase;
}

void tst_Database::openRefusesMissingOrForeignFiles() {
    QFETCH(QString, kind);
    QFETCH(int, error);
    QByteArray content;
    if (kind == QLatin1String("text"))
        content = "These are my dives, not a database.\n";
    else if (kind == QLatin1String("zeros"))
        content = QByteArray(4096, '\x01');
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path()));
    } else if (!content.isEmpty() || kind == QLatin1String("empty")) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString description;
    QCOMPARE(errorOf([&] { Database::open(path()); }, &description), error);
    QVERIFY2(description.contains(path()), qPrintable(description));
    // Nothing is created or written.
    if (kind == QLatin1String("missing"))
        QVERIFY(!QFileInfo::exists(path()));
    if (!content.isEmpty() || kind == QLatin1String("empty")) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
    for (const char* side : {"-wal", "-shm", "-journal"})
        QVERIFY(!QFileInfo::exists(path() + QLatin1String(side)));
}

void tst_Database::createDatabaseNeverOverwrites() {
    {
        Database db = freshDatabase();
        addLogbook(db, QStringLiteral("Kept"));
    }
    QCOMPARE(errorOf([&] { SqlScript::createDatabase(path(), SqlScript::currentSchema()); }), DbError::Reserved);
    Database db = Database::open(path());
    Recordset rs(db, QStringLiteral("SELECT FILENAME FROM FILE"));
    QCOMPARE(rs.value(0).toString(), QStringLiteral("Kept"));
    // A script that fails leaves no file behind.
    const QString other = m_env->folder() + QStringLiteral("broken.mdb");
    QVERIFY(errorOf([&] { SqlScript::createDatabase(other, QStringLiteral("CREATE TABLE T (A);\nNOT SQL;")); }) != 0);
    QVERIFY(!QFileInfo::exists(other));
}

void tst_Database::schemaHasEveryColumn() {
    Database db = freshDatabase();
    const QStringList dive = {"DIVE_ID",
                              "FILE_ID",
                              "DATETIME",
                              "DIVE_TIME",
                              "MAX_DEPTH",
                              "MIN_TEMP",
                              "WATER_MODE",
                              "ASCENT_MODE",
                              "BUZZER_FLAG",
                              "STOP_MODE",
                              "ALTITUDE_FLAG",
                              "DIVE_MODE",
                              "VRIS_FLAG",
                              "DECO_FLAG",
                              "VIOLATION_STOP_FLAG",
                              "ASCENT_FLAG",
                              "DECO_STOP_FLAG",
                              "MIX_NITROX",
                              "PPO2",
                              "START_CNS",
                              "MAX_CNS",
                              "TISSUE_1",
                              "TISSUE_2",
                              "TISSUE_3",
                              "TISSUE_4",
                              "TISSUE_5",
                              "TISSUE_6",
                              "TISSUE_7",
                              "TISSUE_8",
                              "TISSUE_9",
                              "TISSUE_10",
                              "TISSUE_11",
                              "SAMPLE",
                              "DIVER",
                              "LOCATION",
                              "POINT",
                              "INSTRUCTOR",
                              "DIVEMASTER",
                              "FRIEND",
                              "ACTIVITY",
                              "WEATHER",
                              "WETSUIT",
                              "AIR_TEMPERATURE",
                              "WEIGHT",
                              "MEMO",
                              "PICTURE",
                              "AUTOZERO",
                              "AIRTIME_FLAG",
                              "VOLUME_MEASURE",
                              "RESERVE100_FLAG",
                              "DEPTH_M_PREC",
                              "DEPTH_M",
                              "DIVE_DAYS",
                              "TSR",
                              "TANK_VOLUME",
                              "TANK_PRESSURE",
                              "TANK_USE",
                              "START_TANK_PRESSURE",
                              "STOP_TANK_PRESSURE",
                              "RESERVE50",
                              "RESERVE100",
                              "DEEP_STOP_1",
                              "DEEP_STOP_2",
                              "IS_SIMUL"};
    const QMap<QString, QStringList> tables = {
        {QStringLiteral("FILE"), {"FILE_ID", "FILENAME", "DIVE_MODEL", "CREATION_DATE"}},
        {QStringLiteral("DIVE"), dive},
        {QStringLiteral("VERSION"), {"ID", "VERSION"}}};
    for (auto it = tables.begin(); it != tables.end(); ++it) {
        Recordset rs = Recordset::table(db, it.key());
        QStringList columns;
        for (int i = 0; i < rs.fieldCount(); ++i)
            columns.append(rs.fieldName(i));
        QCOMPARE(columns, it.value());
    }
    Recordset version(db, QStringLiteral("SELECT * FROM VERSION where ID = 0"));
    QCOMPARE(version.value(QStringLiteral("VERSION")).toString(), QStringLiteral("2.2"));
}

void tst_Database::duplicateDiveIsRefused() {
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    const QDateTime when(QDate(2004, 3, 14), QTime(9, 5));
    const qint32 first = addDive(db, logbook, when);
    db.execute(QStringLiteral("UPDATE DIVE SET MAX_DEPTH = 18.5 WHERE DIVE_ID = ?"), {first});

    QCOMPARE(errorOf([&] { addDive(db, logbook, when); }), DbError::DuplicateKey);
    // Re-dating another dive onto the same minute is refused the same way.
    const qint32 second = addDive(db, logbook, when.addSecs(3600));
    QCOMPARE(errorOf([&] {
                 db.execute(QStringLiteral("UPDATE DIVE SET [DATETIME] = #03/14/2004 09:05# WHERE DIVE_ID = ?"),
                            {second});
             }),
             DbError::DuplicateKey);
    // The same minute in another logbook is another dive.
    addDive(db, addLogbook(db, QStringLiteral("Giglio")), when);

    Recordset rs(db, QStringLiteral("SELECT MAX_DEPTH FROM DIVE WHERE DIVE_ID = ?"), {first});
    QCOMPARE(rs.value(0).toDouble(), 18.5);
}

void tst_Database::tooLongTextIsRefused_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("limit");
    QTest::newRow("logbook name") << "FILE"
                                  << "FILENAME" << 50;
    QTest::newRow("diver") << "DIVE"
                           << "DIVER" << 50;
    QTest::newRow("location") << "DIVE"
                              << "LOCATION" << 100;
    QTest::newRow("weight") << "DIVE"
                            << "WEIGHT" << 20;
}

void tst_Database::tooLongTextIsRefused() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(int, limit);
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    addDive(db, logbook, QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    const QString update = QStringLiteral("UPDATE %1 SET %2 = ?").arg(table, column);
    // The limit counts characters, not bytes.
    db.execute(update, {QString(limit, QChar(0x00E8))});
    QCOMPARE(errorOf([&] { db.execute(update, {QString(limit + 1, u'x')}); }), DbError::FieldTooSmall);
    Recordset rs(db, QStringLiteral("SELECT %1 FROM %2").arg(column, table));
    QCOMPARE(rs.value(0).toString(), QString(limit, QChar(0x00E8)));
}

void tst_Database::deletingLogbookDeletesItsDives() {
    Database db = freshDatabase();
    const qint32 gone = addLogbook(db, QStringLiteral("Gone"));
    const qint32 kept = addLogbook(db, QStringLiteral("Kept"));
    for (int h = 0; h < 3; ++h) {
        addDive(db, gone, QDateTime(QDate(2004, 3, 14), QTime(9 + h, 0)));
        addDive(db, kept, QDateTime(QDate(2004, 3, 14), QTime(9 + h, 0)));
    }
    QCOMPARE(db.execute(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = ") + QString::number(gone)), 1);
    Recordset rs(db, QStringLiteral("SELECT FILE_ID, count(*) FROM DIVE GROUP BY FILE_ID"));
    QCOMPARE(rs.value(0).toInt(), kept);
    QCOMPARE(rs.value(1).toInt(), 3);
    rs.moveNext();
    QVERIFY(rs.eof());
}

void tst_Database::keysAreNeverReused() {
    Database db = freshDatabase();
    const qint32 first = addLogbook(db, QStringLiteral("One"));
    const qint32 second = addLogbook(db, QStringLiteral("Two"));
    QVERIFY(second > first);
    db.execute(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = ?"), {second});
    QVERIFY(addLogbook(db, QStringLiteral("Three")) > second);

    // The engine assigns the new dive's key when the row is written; it is read back at once.
    Recordset rs = Recordset::table(db, QStringLiteral("DIVE"));
    rs.addNew();
    QVERIFY(rs.value(QStringLiteral("DIVE_ID")).isNull());
    rs.setValue(QStringLiteral("FILE_ID"), first);
    rs.setValue(QStringLiteral("DATETIME"), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    rs.update();
    const QVariant key = rs.lastModified();
    QVERIFY(key.toInt() > 0);
    Recordset check(db, QStringLiteral("SELECT DIVE_ID FROM DIVE"));
    QCOMPARE(check.value(0), key);
}

void tst_Database::unsetNumericColumnsHoldZero() {
    Database db = freshDatabase();
    const qint32 id = addDive(db, addLogbook(db, QStringLiteral("Elba")), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    Recordset rs(db, QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID = ?"), {id});
    for (const char* column : {"DIVE_TIME", "MAX_DEPTH", "DIVE_MODE", "TISSUE_11", "ACTIVITY", "AUTOZERO", "TSR",
                               "DEEP_STOP_2", "IS_SIMUL"}) {
        const QVariant value = rs.value(QLatin1String(column));
        QVERIFY2(!value.isNull() && value.toDouble() == 0, column);
    }
    QVERIFY(rs.isNull(QStringLiteral("SAMPLE")));
    QVERIFY(rs.isNull(QStringLiteral("DIVER")));
    QCOMPARE(rs.dateTime(QStringLiteral("DATETIME")), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
}

void tst_Database::diveNeedsItsLogbook() {
    Database db = freshDatabase();
    QCOMPARE(errorOf([&] { addDive(db, 42, QDateTime(QDate(2004, 3, 14), QTime(9, 5))); }),
             DbError::RelatedRecordRequired);
}

void tst_Database::userTextIsBound() {
    Database db = freshDatabase();
    const QString name = QStringLiteral("O'Brien'; DROP TABLE DIVE; --");
    const qint32 id = addLogbook(db, QStringLiteral("x"));
    db.execute(QStringLiteral("UPDATE FILE SET FILENAME = ? WHERE FILE_ID = ?"), {name, id});
    Recordset rs(db, QStringLiteral("SELECT FILE_ID FROM FILE WHERE FILENAME = ?"), {name});
    QCOMPARE(rs.value(0).toInt(), id);
    Recordset::table(db, QStringLiteral("DIVE")); // still there
}

void tst_Database::dateLiteralsInStatements() {
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    addDive(db, logbook, QDateTime(QDate(2004, 5, 1), QTime(14, 29, 59)));
    const qint32 inside = addDive(db, logbook, QDateTime(QDate(2004, 5, 1), QTime(14, 30)));
    const qint32 last = addDive(db, logbook, QDateTime(QDate(2004, 5, 31), QTime(14, 30)));
    addDive(db, logbook, QDateTime(QDate(2004, 5, 31), QTime(14, 31)));
    Recordset rs(db, QStringLiteral("SELECT DIVE_ID FROM DIVE WHERE DIVE_ID IS NOT NULL AND [DATETIME] BETWEEN "
                                    "#05/01/2004 14:30# AND #05/31/2004 14:30# ORDER BY [DATETIME] DESC"));
    QCOMPARE(rs.value(0).toInt(), last);
    rs.moveNext();
    QCOMPARE(rs.value(0).toInt(), inside);
    rs.moveNext();
    QVERIFY(rs.eof());
}

void tst_Database::readingByName() {
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    addDive(db, logbook, QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    // In both join orders "DIVE.FILE_ID" is the dive's column and names ignore case.
    for (const QString& statement : {QStringLiteral("SELECT * FROM DIVE, FILE WHERE FILE.FILE_ID = DIVE.FILE_ID"),
                                     QStringLiteral("SELECT * FROM FILE INNER JOIN DIVE ON FILE.FILE_ID = "
                                                    "DIVE.FILE_ID")}) {
        Recordset rs(db, statement);
        QVERIFY(!rs.eof());
        QCOMPARE(rs.value(QStringLiteral("DIVE.FILE_ID")).toInt(), logbook);
        QCOMPARE(rs.value(QStringLiteral("filename")).toString(), QStringLiteral("Elba"));
        QVERIFY(rs.fieldIndex(QStringLiteral("DIVE.FILE_ID")) != rs.fieldIndex(QStringLiteral("FILE.FILE_ID")));
        QCOMPARE(errorOf([&] { rs.value(QStringLiteral("NO_SUCH_COLUMN")); }), DbError::ItemNotFound);
    }
}

void tst_Database::readingPastTheEnd() {
    Database db = freshDatabase();
    Recordset rs(db, QStringLiteral("SELECT * FROM DIVE"), {}, Recordset::ForwardOnly);
    QVERIFY(rs.eof());
    QCOMPARE(errorOf([&] { rs.value(QStringLiteral("DIVE_ID")); }), DbError::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs.moveNext(); }), DbError::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs.moveFirst(); }), DbError::NotSupported);
    QCOMPARE(errorOf([&] { Recordset(db, QStringLiteral("SELECT * FROM NOWHERE")); }), DbError::Reserved);
}

// The readers of many rows go straight to the engine: every column, by position and by name, reads
// as the recordset reads it, NULL, numbers, texts and bytes alike, with bound values and date literals.
void tst_Database::engineRowsReadAsRecordsetDoes() {
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    const qint32 dive = addDive(db, logbook, QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    addDive(db, logbook, QDateTime(QDate(2004, 3, 15), QTime(9, 5)));
    db.execute(QStringLiteral("UPDATE DIVE SET DIVER = ?, MAX_DEPTH = 12.5, SAMPLE = ?, PICTURE = ?, WEIGHT = NULL "
                              "WHERE DIVE_ID = ?"),
               {QStringLiteral("Ann Ö"), QStringLiteral("0123000200000000"), QByteArray("\x00\x01pic", 5), dive});
    const QString statement =
        QStringLiteral("SELECT *, CAST(DIVE.SAMPLE AS BLOB) AS BYTES FROM DIVE, FILE WHERE FILE.FILE_ID = "
                       "DIVE.FILE_ID AND DIVE.FILE_ID = ? AND [DATETIME] < #03/15/2004 00:00# ORDER BY DIVE_ID");
    Recordset expected(db, statement, {logbook}, Recordset::ForwardOnly);
    EngineRows rows(db, statement, {logbook});
    QVERIFY(!rows.atEnd());
    QCOMPARE(rows.columnCount(), expected.fieldCount());
    for (int c = 0; c < rows.columnCount(); ++c) {
        const QString name = expected.fieldName(c);
        QCOMPARE(rows.fieldName(c), name);
        QCOMPARE(rows.fieldIndex(name.toLower()), expected.fieldIndex(name));
        QCOMPARE(rows.value(c), expected.value(c));
        QCOMPARE(rows.value(c).isNull(), expected.value(c).isNull());
    }
    QVERIFY(rows.fieldIndex(QStringLiteral("DIVE.FILE_ID")) != rows.fieldIndex(QStringLiteral("FILE.FILE_ID")));
    QCOMPARE(rows.fieldIndex(QStringLiteral("NO_SUCH_COLUMN")), -1);
    const int bytes = rows.fieldIndex(QStringLiteral("BYTES"));
    QCOMPARE(rows.type(bytes), EngineRows::Blob);
    QCOMPARE(rows.bytes(bytes).toByteArray(), QByteArray("0123000200000000"));
    QCOMPARE(rows.number(rows.fieldIndex(QStringLiteral("MAX_DEPTH"))), 12.5);
    QCOMPARE(rows.text(rows.fieldIndex(QStringLiteral("DIVER"))), QStringLiteral("Ann Ö"));
    QVERIFY(rows.isNull(rows.fieldIndex(QStringLiteral("WEIGHT"))));
    rows.next();
    QVERIFY(rows.atEnd()); // the second dive is after the literal
}

void tst_Database::engineRowsErrors() {
    Database db = freshDatabase();
    EngineRows none(db, QStringLiteral("SELECT * FROM DIVE"));
    QVERIFY(none.atEnd());
    QCOMPARE(errorOf([&] { none.next(); }), DbError::NoCurrentRecord);
    QString description;
    QCOMPARE(errorOf([&] { EngineRows(db, QStringLiteral("SELECT * FROM NOWHERE")); }, &description),
             DbError::Reserved);
    QVERIFY2(description.contains(QStringLiteral("NOWHERE")), qPrintable(description));
    // The connection may close once the rows are gone.
    db.close();
}

void tst_Database::dynasetMovesAndCounts() {
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    for (int h = 0; h < 4; ++h)
        addDive(db, logbook, QDateTime(QDate(2004, 3, 14), QTime(9 + h, 0)));
    Recordset rs(db, QStringLiteral("SELECT DIVE_ID FROM DIVE ORDER BY DIVE_ID"));
    const QVariant first = rs.value(0);
    rs.moveNext();
    QCOMPARE(rs.recordCount(), 4);
    QCOMPARE(rs.value(0).toInt(), first.toInt() + 1); // counting does not move
    int rows = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        ++rows;
    QCOMPARE(rows, 4);
    QCOMPARE(rs.recordCount(), 4);
    QVERIFY(rs.eof());
}

void tst_Database::editWritesTheCurrentRow() {
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    addLogbook(db, QStringLiteral("Giglio"));
    Recordset rs = db.openRecordset(QStringLiteral("FILE"));
    QCOMPARE(errorOf([&] { rs.setValue(QStringLiteral("FILENAME"), QStringLiteral("x")); }),
             DbError::UpdateWithoutAddNew);
    rs.edit();
    rs.setValue(QStringLiteral("FILENAME"), QStringLiteral("Isola d'Elba"));
    QCOMPARE(errorOf([&] { rs.setValue(QStringLiteral("NOPE"), 1); }), DbError::ItemNotFound);
    rs.update();
    QCOMPARE(rs.lastModified().toInt(), logbook);
    Recordset check(db, QStringLiteral("SELECT FILENAME FROM FILE ORDER BY FILE_ID"));
    QCOMPARE(check.value(0).toString(), QStringLiteral("Isola d'Elba"));
    check.moveNext();
    QCOMPARE(check.value(0).toString(), QStringLiteral("Giglio"));
    // A statement is not a table: there is nothing to add to.
    Recordset query(db, QStringLiteral("SELECT * FROM FILE"));
    QCOMPARE(errorOf([&] { query.addNew(); }), DbError::NotSupported);
}

void tst_Database::oneConnectionPerFile() {
    Database a = freshDatabase();
    Database b = Database::open(path());
    QCOMPARE(a.sharedConnection(), b.sharedConnection());
    a.close();
    QVERIFY(!a.isOpen());
    QCOMPARE(b.name(), path());
    QCOMPARE(errorOf([&] { a.execute(QStringLiteral("SELECT 1")); }), RuntimeError::ObjectNotSet);
}

void tst_Database::transactionCoversLaterOpens() {
    { freshDatabase(); }
    Workspace& ws = Workspace::defaultWorkspace();
    {
        TransactionGuard transaction;
        Database db = ws.openDatabase(path()); // opened after the transaction began
        addLogbook(db, QStringLiteral("Draft"));
        db.close(); // a driver closes its handle before the dialog commits
        transaction.commit();
    }
    Database db = ws.openDatabase(path());
    Recordset rs(db, QStringLiteral("SELECT count(*) FROM FILE"));
    QCOMPARE(rs.value(0).toInt(), 1);
}

void tst_Database::rollbackUndoesEveryWrite() {
    Database db = freshDatabase();
    const qint32 kept = addLogbook(db, QStringLiteral("Kept"));
    Workspace& ws = Workspace::defaultWorkspace();
    ws.beginTrans();
    QVERIFY(ws.inTransaction());
    Database other = ws.openDatabase(path());
    addLogbook(other, QStringLiteral("New"));
    addDive(db, kept, QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    db.execute(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = ?"), {kept});
    ws.rollback();
    QVERIFY(!ws.inTransaction());
    QCOMPARE(logbooksAndDives(db), (QStringList{"Kept", "dives: 0"}));
}

void tst_Database::guardRollsBackUnlessCommitted() {
    Database db = freshDatabase();
    try {
        TransactionGuard transaction;
        addLogbook(db, QStringLiteral("Lost"));
        addDive(db, 999, QDateTime(QDate(2004, 3, 14), QTime(9, 5))); // refused: no such logbook
        transaction.commit();
        QFAIL("the dive was not refused");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), DbError::RelatedRecordRequired);
    }
    QVERIFY(!Workspace::defaultWorkspace().inTransaction());
    Recordset rs(db, QStringLiteral("SELECT count(*) FROM FILE"));
    QCOMPARE(rs.value(0).toInt(), 0);
}

void tst_Database::savepointUndoesOnlyItsStep_data() {
    QTest::addColumn<QString>("end"); // how the step ends
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("released") << "release" << QStringList{QStringLiteral("Before"), QStringLiteral("Step")};
    QTest::newRow("failed inside") << "failure" << QStringList{QStringLiteral("Before")};
    QTest::newRow("rolled back") << "rollback" << QStringList{QStringLiteral("Before")};
}

// A failed step inside a transaction takes back its own writes only: what came before it stays,
// and the transaction is still there to commit.
void tst_Database::savepointUndoesOnlyItsStep() {
    QFETCH(QString, end);
    QFETCH(QStringList, kept);
    Database db = freshDatabase();
    TransactionGuard transaction;
    addLogbook(db, QStringLiteral("Before"));
    try {
        SavepointGuard step(db, QStringLiteral("step"));
        addLogbook(db, QStringLiteral("Step"));
        if (end == QLatin1String("failure"))
            addDive(db, 999, QDateTime(QDate(2004, 3, 14), QTime(9, 5))); // refused: no such logbook
        if (end == QLatin1String("rollback"))
            step.rollback();
        else
            step.release();
        QVERIFY(!step.isActive());
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), DbError::RelatedRecordRequired);
    }
    QVERIFY(Workspace::defaultWorkspace().inTransaction());
    transaction.commit();

    QStringList names;
    for (Recordset rs(db, QStringLiteral("SELECT FILENAME FROM FILE ORDER BY FILE_ID")); !rs.eof(); rs.moveNext())
        names.append(rs.value(0).toString());
    QCOMPARE(names, kept);
}

void tst_Database::transactionMisuse() {
    Workspace& ws = Workspace::defaultWorkspace();
    QCOMPARE(errorOf([&] { ws.commitTrans(); }), DbError::NoTransaction);
    QCOMPARE(errorOf([&] { ws.rollback(); }), DbError::NoTransaction);
    TransactionGuard transaction;
    QCOMPARE(errorOf([&] { TransactionGuard nested; }), DbError::TooManyTransactions);
    QVERIFY(ws.inTransaction());
}

namespace {
// A connection of its own to the file, as another program would have.
class OtherConnection {
public:
    explicit OtherConnection(const QString& path) : m_name(QStringLiteral("other-%1").arg(++s_count)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~OtherConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        const bool ok = query.exec(sql);
        if (!ok)
            qWarning() << query.lastError().text();
        return ok;
    }
    QVariant value(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

private:
    QString m_name;
    static inline int s_count = 0;
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

void tst_Database::logbookIsOneFile() {
    Database db = freshDatabase();
    Recordset mode(db, QStringLiteral("PRAGMA journal_mode"));
    QCOMPARE(mode.value(0).toString(), QStringLiteral("delete"));
    mode.close();
    Recordset sync(db, QStringLiteral("PRAGMA synchronous"));
    QCOMPARE(sync.value(0).toInt(), 2); // FULL
    sync.close();
    addDive(db, addLogbook(db, QStringLiteral("Elba")), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));

    // A copy of the file alone, made while the program runs, holds every committed dive.
    const QString copy = m_env->folder() + QStringLiteral("copy.mdb");
    QVERIFY(QFile::copy(path(), copy));
    Database other = Database::open(copy);
    Recordset rs(other, QStringLiteral("SELECT count(*) FROM DIVE"));
    QCOMPARE(rs.value(0).toInt(), 1);
    for (const char* side : {"-wal", "-shm", "-journal"})
        QVERIFY(!QFileInfo::exists(path() + QLatin1String(side)));
}

void tst_Database::writeAheadFileTurnsBack() {
    SqlScript::createDatabase(path(), SqlScript::currentSchema());
    {
        OtherConnection other(path());
        QVERIFY(other.exec(QStringLiteral("PRAGMA journal_mode = WAL")));
    }
    Database db = Database::open(path());
    Recordset mode(db, QStringLiteral("PRAGMA journal_mode"));
    QCOMPARE(mode.value(0).toString(), QStringLiteral("delete"));
}

void tst_Database::readOnlyPlace() {
    {
        Database db = freshDatabase();
        addDive(db, addLogbook(db, QStringLiteral("Elba")), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    }
    const QByteArray before = contents(path());
    ReadOnlyFolder readOnly(m_env->folder());
    if (!readOnly.ok())
        QSKIP("this file system cannot make a folder read-only");

    Database db = Database::open(path());
    Recordset rs(db, QStringLiteral("SELECT count(*) FROM DIVE"));
    QCOMPARE(rs.value(0).toInt(), 1);
    rs.close();
    QString description;
    QCOMPARE(errorOf([&] { db.execute(QStringLiteral("DELETE FROM DIVE")); }, &description), DbError::ReadOnly);
    QVERIFY2(description.contains(QStringLiteral("read-only")), qPrintable(description));
    {
        TransactionGuard transaction;
        QCOMPARE(errorOf([&] { addLogbook(db, QStringLiteral("Ustica")); }), DbError::ReadOnly);
    }
    db.close();
    QCOMPARE(contents(path()), before);
}

void tst_Database::lockCodesAreLocked_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("error");
    QTest::newRow("busy") << "5" << DbError::Locked;
    QTest::newRow("locked") << "6" << DbError::Locked;
    QTest::newRow("busy recovery") << "261" << DbError::Locked;
    QTest::newRow("locked shared cache") << "262" << DbError::Locked;
    QTest::newRow("busy snapshot") << "517" << DbError::Locked;
    QTest::newRow("locked virtual table") << "518" << DbError::Locked;
    QTest::newRow("busy timeout") << "773" << DbError::Locked;
    QTest::newRow("read-only") << "8" << DbError::ReadOnly;
    QTest::newRow("read-only, cannot lock") << "264" << DbError::ReadOnly;
    QTest::newRow("not a database") << "26" << DbError::NotADatabase;
    QTest::newRow("unique constraint") << "2067" << DbError::DuplicateKey;
    QTest::newRow("disk full") << "13" << DbError::Reserved;
}

void tst_Database::lockCodesAreLocked() {
    QFETCH(QString, code);
    QFETCH(int, error);
    const QSqlError sqlError(QStringLiteral("driver"), QStringLiteral("engine"), QSqlError::StatementError, code);
    QCOMPARE(DbError::fromSql(sqlError, QStringLiteral("test")).number(), error);
}

void tst_Database::keysComeFromTheEngine() {
    Database db = freshDatabase();
    const qint32 logbook = addLogbook(db, QStringLiteral("Elba"));
    Recordset rs = Recordset::table(db, QStringLiteral("DIVE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILE_ID"), logbook);
    rs.setValue(QStringLiteral("DATETIME"), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    // Another program adds a dive between the add and the save.
    {
        OtherConnection other(path());
        QVERIFY(other.exec(
            QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME) VALUES (%1, '2004-03-15 10:00:00')").arg(logbook)));
    }
    rs.update();
    const qint32 key = rs.lastModified().toInt();
    Recordset check(db, QStringLiteral("SELECT DATETIME FROM DIVE WHERE DIVE_ID = ?"), {key});
    QCOMPARE(check.value(0).toString(), QStringLiteral("2004-03-14 09:05:00"));
}

void tst_Database::lockAtTheFirstReadIsALock() {
    {
        Database db = freshDatabase();
        addDive(db, addLogbook(db, QStringLiteral("Elba")), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
    }
    const QByteArray before = contents(path());
    OtherConnection other(path());
    QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    QString description;
    QCOMPARE(errorOf([&] { Database::open(path()); }, &description), DbError::Locked);
    QVERIFY2(description.contains(QStringLiteral("in use by another program")), qPrintable(description));
    QVERIFY(other.exec(QStringLiteral("ROLLBACK")));

    // Let go, the same file opens as it was.
    Database db = Database::open(path());
    Recordset rs(db, QStringLiteral("SELECT count(*) FROM DIVE"));
    QCOMPARE(rs.value(0).toInt(), 1);
    rs.close();
    db.close();
    QCOMPARE(contents(path()), before);
}

namespace {
const QStringList ALL_SIDE_FILES = {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")};

// Copies the logbook and the side files named, as they are at this moment, into `folder`.
QString copyWithSideFiles(const QString& path, const QString& folder, const QStringList& sides = ALL_SIDE_FILES) {
    QDir().mkpath(folder);
    const QString copy = folder + QStringLiteral("/dives.mdb");
    for (const QString& side : QStringList{QString()} + sides)
        if (QFileInfo::exists(path + side))
            QFile::copy(path + side, copy + side);
    return copy;
}
} // namespace

void tst_Database::readOnlyPlaceReadsTheWriteAheadLog() {
    freshDatabase().close();
    QString copy;
    {
        // Another program left the file in the write-ahead mode, its last dives still in the log.
        OtherConnection other(path());
        QVERIFY(other.exec(QStringLiteral("PRAGMA journal_mode = WAL")));
        QVERIFY(other.exec(QStringLiteral("INSERT INTO FILE (FILENAME, DIVE_MODEL) VALUES ('Elba', 1)")));
        for (int minute = 0; minute < 5; ++minute)
            QVERIFY(other.exec(
                QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME) VALUES (1, '2004-03-14 09:0%1:00')").arg(minute)));
        copy = copyWithSideFiles(path(), m_env->folder() + QStringLiteral("readonly"));
    }
    QVERIFY(QFileInfo(copy + QStringLiteral("-wal")).size() > 0);
    ReadOnlyFolder readOnly(QFileInfo(copy).absolutePath());
    if (!readOnly.ok())
        QSKIP("this file system cannot make a folder read-only");

    Database db = Database::open(copy);
    QVERIFY(db.connection().isReadOnly());
    Recordset rs(db, QStringLiteral("SELECT count(*) FROM DIVE"));
    QCOMPARE(rs.value(0).toInt(), 5);
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
}

void tst_Database::readOnlyPlaceShowsTheLastSavedState_data() {
    QTest::addColumn<QString>("side");
    QTest::addColumn<int>("dives");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<bool>("told");
    // The file holds half a write, which the journal undoes.
    QTest::newRow("hot journal") << "-journal" << 1 << "Saved" << true;
    // The log holds saved dives the file lacks, and its index is not there to read it in place.
    QTest::newRow("write-ahead log without its index") << "-wal" << 2 << "Saved in the log" << false;
}

namespace {
// TMPDIR set for the life of the object.
class TemporaryFolderAt {
public:
    explicit TemporaryFolderAt(const QString& folder)
        : m_had(qEnvironmentVariableIsSet("TMPDIR")), m_was(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", QFile::encodeName(folder));
    }
    ~TemporaryFolderAt() {
        if (m_had)
            qputenv("TMPDIR", m_was);
        else
            qunsetenv("TMPDIR");
    }
    TemporaryFolderAt(const TemporaryFolderAt&) = delete;
    TemporaryFolderAt& operator=(const TemporaryFolderAt&) = delete;

private:
    bool m_had;
    QByteArray m_was;
};

// A folder on a file system of its own, `kib` KiB in all; ok() is false where none can be mounted.
class SmallDisk {
public:
    SmallDisk(const QString& folder, int kib) : m_folder(folder) {
        QDir().mkpath(folder);
        QProcess mount;
        mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                              QStringLiteral("size=%1k").arg(kib), QStringLiteral("tmpfs"), folder});
        m_ok = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
    }
    ~SmallDisk() {
        if (m_ok)
            QProcess::execute(QStringLiteral("umount"), {m_folder});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    bool m_ok = false;
};

QStringList copyFolders(const QString& temporary) {
    return QDir(temporary).entryList({QStringLiteral("sona-copy-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
}
} // namespace

QString tst_Database::interruptedWrite(const QString& side) {
    {
        Database db = freshDatabase();
        addDive(db, addLogbook(db, QStringLiteral("Elba")), QDateTime(QDate(2004, 3, 14), QTime(9, 5)));
        db.execute(QStringLiteral("UPDATE DIVE SET MEMO = 'Saved'"));
    }
    OtherConnection other(path());
    if (side == QLatin1String("-wal")) {
        // Saved in the log: new notes, a dive and more than the file has room for.
        other.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        other.exec(QStringLiteral("UPDATE DIVE SET MEMO = 'Saved in the log'"));
        other.exec(QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME) VALUES (1, '2004-03-15 10:00:00')"));
        other.exec(QStringLiteral("CREATE TABLE saved (x)"));
        other.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20) "
                                  "INSERT INTO saved SELECT randomblob(2000) FROM n"));
    }
    // A program stopped in the middle of a write, after the write outgrew its cache and went out
    // to the file (or the log).
    other.exec(QStringLiteral("PRAGMA cache_size = 1"));
    other.exec(QStringLiteral("BEGIN"));
    other.exec(QStringLiteral("UPDATE DIVE SET MEMO = 'Never saved'"));
    other.exec(QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME) VALUES (1, '2004-03-16 10:00:00')"));
    other.exec(QStringLiteral("CREATE TABLE pad (x)"));
    for (int i = 0; i < 300; ++i)
        other.exec(QStringLiteral("INSERT INTO pad VALUES (randomblob(2000))"));
    const QString copy = copyWithSideFiles(path(), m_env->folder() + QStringLiteral("readonly"), {side});
    other.exec(QStringLiteral("ROLLBACK"));
    return copy;
}

// Shown is what a folder the user can write to would show; the file and its side files stay as
// they were.
void tst_Database::readOnlyPlaceShowsTheLastSavedState() {
    QFETCH(QString, side);
    QFETCH(int, dives);
    QFETCH(QString, memo);
    QFETCH(bool, told);
    const QString copy = interruptedWrite(side);
    const QString folder = QFileInfo(copy).absolutePath();
    QVERIFY(QFileInfo(copy + side).size() > 0);
    const QByteArray before = contents(copy);
    const QByteArray sideBefore = contents(copy + side);
    const QStringList filesBefore = QDir(folder).entryList(QDir::Files);
    const QString temporary = m_env->folder() + QStringLiteral("tmp");
    QDir().mkpath(temporary);
    {
        ReadOnlyFolder readOnly(folder);
        if (!readOnly.ok())
            QSKIP("this file system cannot make a folder read-only");
        const TemporaryFolderAt copies(temporary);

        if (told)
            m_env->fakes.message->answers << Msg::Ok;
        for (int open = 0; open < 2; ++open) {
            Database db = Database::open(copy);
            QVERIFY(db.connection().isReadOnly());
            Recordset check(db, QStringLiteral("PRAGMA integrity_check"));
            QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
            check.close();
            Recordset rs(db, QStringLiteral("SELECT MEMO, (SELECT count(*) FROM DIVE), (SELECT count(*) FROM "
                                            "sqlite_master WHERE name = 'pad') FROM DIVE WHERE DIVE_ID = 1"));
            QCOMPARE(rs.value(0).toString(), memo);
            QCOMPARE(rs.value(1).toInt(), dives);
            QCOMPARE(rs.value(2).toInt(), 0);
            rs.close();
            QCOMPARE(errorOf([&] { db.execute(QStringLiteral("DELETE FROM DIVE")); }), DbError::ReadOnly);
        }
        // Told once, not at every open; copied once, though no handle kept the first open alive.
        QCOMPARE(m_env->fakes.message->shown.size(), told ? 1 : 0);
        if (told) {
            const QString text = m_env->fakes.message->shown[0].text;
            QVERIFY2(text.contains(QStringLiteral("interrupted")) && text.contains(QStringLiteral("last saved")),
                     qPrintable(text));
        }
        QCOMPARE(copyFolders(temporary).size(), 1);
        QCOMPARE(contents(copy), before);
        QCOMPARE(contents(copy + side), sideBefore);
        QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
    }

    // The same logbook from a folder the user can write to.
    Database db = Database::open(copy);
    QVERIFY(!db.connection().isReadOnly());
    Recordset rs(db, QStringLiteral("SELECT MEMO, (SELECT count(*) FROM DIVE) FROM DIVE WHERE DIVE_ID = 1"));
    QCOMPARE(rs.value(0).toString(), memo);
    QCOMPARE(rs.value(1).toInt(), dives);
}

void tst_Database::readOnlyPlaceThroughALink_data() {
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("file read-only") << false;
    // Writable in a folder that is not: the engine would roll the journal back into it in place.
    QTest::newRow("file writable") << true;
}

// A link in a folder the user can write to, the file and its journal in one the user cannot.
void tst_Database::readOnlyPlaceThroughALink() {
    QFETCH(bool, fileWritable);
    const QString file = interruptedWrite(QStringLiteral("-journal"));
    const QString folder = QFileInfo(file).absolutePath();
    const QString link = m_env->folder() + QStringLiteral("link.mdb");
    QVERIFY(QFile::link(file, link));
    const QByteArray before = contents(file);
    const QByteArray journalBefore = contents(file + QStringLiteral("-journal"));
    const QStringList filesBefore = QDir(folder).entryList(QDir::Files);
    {
        ReadOnlyFolder readOnly(folder,
                                fileWritable ? ReadOnlyFolder::Files::Writable : ReadOnlyFolder::Files::ReadOnly);
        if (!readOnly.ok())
            QSKIP("this file system cannot make a folder read-only");
        m_env->fakes.message->answers << Msg::Ok;
        Database db = Database::open(link);
        QVERIFY(db.connection().isReadOnly());
        Recordset rs(db, QStringLiteral("SELECT MEMO, (SELECT count(*) FROM DIVE) FROM DIVE WHERE DIVE_ID = 1"));
        QCOMPARE(rs.value(0).toString(), QStringLiteral("Saved"));
        QCOMPARE(rs.value(1).toInt(), 1);
        QCOMPARE(m_env->fakes.message->shown.size(), 1);
    }
    QCOMPARE(contents(file), before);
    QCOMPARE(contents(file + QStringLiteral("-journal")), journalBefore);
    QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
}

void tst_Database::readOnlyPlaceWithoutATemporaryFolder_data() {
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("temporary"); // in the test's folder
    QTest::addColumn<QString>("fault");
    QTest::newRow("missing") << "-journal"
                             << "none/tmp"
                             << "does not exist";
    QTest::newRow("a file") << "-journal"
                            << "dives.mdb"
                            << "is not a folder";
    QTest::newRow("read-only") << "-journal"
                               << "locked"
                               << "cannot be written";
    QTest::newRow("no room for the copy") << "-journal"
                                          << "small"
                                          << "has no room left";
    QTest::newRow("no room to apply the log") << "-wal"
                                              << "full"
                                              << "has no room left";
}

// The temporary folder's fault is named as such: the logbook is neither damaged nor changed.
void tst_Database::readOnlyPlaceWithoutATemporaryFolder() {
    QFETCH(QString, side);
    QFETCH(QString, temporary);
    QFETCH(QString, fault);
    FullDisk::install();
    const QString copy = interruptedWrite(side);
    QVERIFY(QFileInfo(copy + side).size() > 0);
    const QByteArray before = contents(copy);
    ReadOnlyFolder readOnly(QFileInfo(copy).absolutePath());
    if (!readOnly.ok())
        QSKIP("this file system cannot make a folder read-only");

    const QString place = m_env->folder() + temporary;
    std::unique_ptr<ReadOnlyFolder> locked;
    std::unique_ptr<SmallDisk> small;
    std::unique_ptr<FullDisk> full;
    if (temporary == QLatin1String("locked")) {
        QDir().mkpath(place);
        locked = std::make_unique<ReadOnlyFolder>(place);
    } else if (temporary == QLatin1String("small")) {
        small = std::make_unique<SmallDisk>(place, 64);
        if (!small->ok())
            QSKIP("no small file system can be mounted here");
    } else if (temporary == QLatin1String("full")) {
        QDir().mkpath(place);
        full = std::make_unique<FullDisk>();
    }
    QString description;
    qint32 error = 0;
    {
        const TemporaryFolderAt copies(place);
        error = errorOf([&] { Database::open(copy); }, &description);
    }
    full.reset();
    QCOMPARE(error, DbError::CannotOpenFile);
    QVERIFY2(description.contains(QStringLiteral("'%1' %2").arg(QDir::cleanPath(place), fault)),
             qPrintable(description));
    QVERIFY2(!description.contains(QStringLiteral("damaged")), qPrintable(description));
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
    QCOMPARE(contents(copy), before);
}

void tst_Database::failedWriteSaysWhetherTheTransactionIsOpen_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<qint32>("error");
    QTest::addColumn<bool>("stillOpen");
    // The engine ends a transaction whose commit or write fails for a full disk; a commit that
    // meets another program's lock leaves it open.
    QTest::newRow("commit on a full disk") << "commit full" << DbError::Reserved << false;
    QTest::newRow("write on a full disk") << "write full" << DbError::Reserved << false;
    QTest::newRow("commit while another program reads") << "commit locked" << DbError::Locked << true;
}

void tst_Database::failedWriteSaysWhetherTheTransactionIsOpen() {
    QFETCH(QString, failure);
    QFETCH(qint32, error);
    QFETCH(bool, stillOpen);
    FullDisk::install();
    Database db = freshDatabase();
    const qint32 kept = addLogbook(db, QStringLiteral("Kept"));
    Workspace& ws = Workspace::defaultWorkspace();
    // Long enough to need pages of its own, which the commit adds to the file.
    const auto addLongDive = [&] {
        db.execute(QStringLiteral("INSERT INTO DIVE (FILE_ID, DATETIME, SAMPLE) VALUES (?, ?, ?)"),
                   {kept, QDateTime(QDate(2004, 3, 14), QTime(9, 5)), QString(20000, u'0')});
    };

    auto transaction = std::make_unique<TransactionGuard>();
    if (failure == QLatin1String("write full")) {
        FullDisk full;
        QCOMPARE(errorOf(addLongDive), error);
    } else {
        addLogbook(db, QStringLiteral("Pending"));
        addLongDive();
        std::unique_ptr<FullDisk> full;
        std::unique_ptr<OtherConnection> reader;
        if (failure == QLatin1String("commit full")) {
            full = std::make_unique<FullDisk>();
        } else {
            reader = std::make_unique<OtherConnection>(path());
            QVERIFY(reader->exec(QStringLiteral("BEGIN")));
            QVERIFY(reader->value(QStringLiteral("SELECT count(*) FROM FILE")).isValid());
        }
        QString description;
        QCOMPARE(errorOf([&] { transaction->commit(); }, &description), error);
        if (full)
            QVERIFY2(description.contains(QStringLiteral("full")), qPrintable(description));
    }
    QCOMPARE(ws.inTransaction(), stillOpen);
    QCOMPARE(transaction->isActive(), stillOpen);

    if (!stillOpen) {
        // Ended: there is nothing left to commit.
        QCOMPARE(errorOf([&] { ws.commitTrans(); }), DbError::NoTransaction);
    }
    transaction.reset();
    QVERIFY(!ws.inTransaction());
    QCOMPARE(logbooksAndDives(db), (QStringList{"Kept", "dives: 0"}));

    // A new transaction begins and commits as any other.
    TransactionGuard next;
    addLongDive();
    next.commit();
    QCOMPARE(logbooksAndDives(db), (QStringList{"Kept", "dives: 1"}));
}

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
