#include "DiveDataControl.h"
#include "LogbookFixture.h"
#include "RuntimeError.h"
#include "TestEnvironment.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const QString ALL = QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL ORDER BY [DATETIME] DESC");

// Three dives of one logbook, the newest last; the control open on all of them.
struct ThreeDives {
    ThreeDives() {
        logbook = fixture.logbook(QStringLiteral("Reef"), 1);
        oldest = fixture.dive(logbook, at(2004, 3, 5, 9, 30), {{QStringLiteral("LOCATION"), QStringLiteral("Bay")}});
        middle = fixture.dive(logbook, at(2004, 3, 6));
        newest = fixture.dive(logbook, at(2004, 3, 7));
        data.setDatabaseName(Settings::instance().databaseName());
        data.setRecordSource(ALL);
        data.refresh();
    }

    TestEnvironment env;
    LogbookFixture fixture;
    DiveDataControl data;
    qint32 logbook = 0;
    qint32 oldest = 0;
    qint32 middle = 0;
    qint32 newest = 0;
};

const QString TOO_LONG = QString(101, u'x'); // LOCATION holds 100 characters
} // namespace

class tst_DiveDataControl : public QObject {
    Q_OBJECT
private slots:
    void rowStatement_data();
    void rowStatement();
    void rowsFollowTheRecordSource();
    void sampleStates_data();
    void sampleStates();
    void moveToDive();
    void editsAreWrittenToTheirDive();
    void editBackToTheStoredValueIsNoEdit();
    void refusedEditStaysPending();
    void moveWithRefusedEditDoesNotMove();
    void pendingEditsSurviveARequery();
    void requeryLosesADiveThatLeftTheRows();
    void writeValueGoesStraightToTheRow();
    void onlyBoundColumnsAreEdited();
};

void tst_DiveDataControl::rowStatement_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("tail");
    QTest::newRow("ordered") << ALL << ") ORDER BY [DATETIME] DESC";
    QTest::newRow("without order") << "SELECT * FROM DIVE"
                                   << "(SELECT * FROM DIVE)";
    QTest::newRow("order by in a quoted text") << "SELECT * FROM DIVE WHERE DIVER = ' ORDER BY x' ORDER BY DIVE_ID"
                                               << "(SELECT * FROM DIVE WHERE DIVER = ' ORDER BY x') ORDER BY DIVE_ID";
}

void tst_DiveDataControl::rowStatement() {
    QFETCH(QString, source);
    QFETCH(QString, tail);
    QVERIFY2(DiveDataControl::rowStatement(source).endsWith(tail), qPrintable(DiveDataControl::rowStatement(source)));
}

void tst_DiveDataControl::rowsFollowTheRecordSource() {
    ThreeDives t;
    QCOMPARE(t.data.recordCount(), 3);
    QCOMPARE(t.data.rows()[0].diveID, t.newest);
    QCOMPARE(t.data.rows()[2].diveID, t.oldest);
    QCOMPARE(t.data.rows()[2].date, QDate(2004, 3, 5));
    QCOMPARE(t.data.rows()[2].time, QTime(9, 30));
    QVERIFY(t.data.rows()[2].hasFileID);
    QCOMPARE(t.data.rows()[2].fileID, t.logbook);
    QCOMPARE(t.data.absolutePosition(), -1);

    // A filter with a date literal, as the filter dialog writes them.
    t.data.setRecordSource(QStringLiteral("SELECT * FROM DIVE WHERE [DATETIME] >= #03/06/2004 00:00# "
                                          "ORDER BY [DATETIME] DESC"));
    t.data.refresh();
    QCOMPARE(t.data.recordCount(), 2);
    QCOMPARE(t.data.indexOfDive(t.oldest), -1);
}

void tst_DiveDataControl::sampleStates_data() {
    QTest::addColumn<QVariant>("sample");
    QTest::addColumn<int>("state");
    QTest::newRow("null") << QVariant(QMetaType::fromType<QString>()) << int(DiveDataControl::SampleState::Null);
    QTest::newRow("empty") << QVariant(QStringLiteral("")) << int(DiveDataControl::SampleState::Empty);
    QTest::newRow("blanks") << QVariant(QStringLiteral("   ")) << int(DiveDataControl::SampleState::Blank);
    QTest::newRow("profile") << QVariant(LogbookFixture::ONE_SAMPLE) << int(DiveDataControl::SampleState::Data);
    QTest::newRow("profile after a blank")
        << QVariant(u' ' + LogbookFixture::ONE_SAMPLE) << int(DiveDataControl::SampleState::Data);
}

void tst_DiveDataControl::sampleStates() {
    QFETCH(QVariant, sample);
    QFETCH(int, state);
    TestEnvironment env;
    LogbookFixture fixture;
    const qint32 logbook = fixture.logbook(QStringLiteral("L"), 1);
    const qint32 dive = fixture.dive(logbook, at(2010, 1, 1), {{QStringLiteral("SAMPLE"), sample}});
    const qint32 simulated = fixture.dive(logbook, at(2010, 1, 2), {{QStringLiteral("IS_SIMUL"), 1}});
    fixture.dive(fixture.logbook(QStringLiteral("M"), 1), at(2010, 1, 1));
    DiveDataControl data;
    data.setDatabaseName(Settings::instance().databaseName());
    const QHash<qint32, DiveDataControl::Look> looks = data.looksOfLogbook(logbook);
    QCOMPARE(looks.size(), 2);
    QCOMPARE(int(looks.value(dive).sample), state);
    QVERIFY(!looks.value(dive).isSimul);
    QVERIFY(looks.value(simulated).isSimul);
}

void tst_DiveDataControl::moveToDive() {
    ThreeDives t;
    QSignalSpy moved(&t.data, &DiveDataControl::reposition);
    QVERIFY(t.data.moveToDive(t.oldest));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(t.data.absolutePosition(), 2);
    QCOMPARE(t.data.currentDiveID(), t.oldest);
    QCOMPARE(t.data.value(QStringLiteral("location")).toString(), QStringLiteral("Bay"));
    QVERIFY(t.data.value(QStringLiteral("DIVER")).isNull());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, t.data.value(QStringLiteral("NO_SUCH_COLUMN")));

    QVERIFY(!t.data.moveToDive(9999));
    QCOMPARE(t.data.absolutePosition(), -1);
    QVERIFY(t.data.value(QStringLiteral("LOCATION")).isNull());
}

void tst_DiveDataControl::editsAreWrittenToTheirDive() {
    ThreeDives t;
    t.data.moveToDive(t.middle);
    t.data.setValue(QStringLiteral("LOCATION"), QStringLiteral("Wreck"));
    t.data.setValue(QStringLiteral("DIVER"), QStringLiteral("Ann"));
    QVERIFY(t.fixture.column(t.middle, QStringLiteral("LOCATION")).isNull()); // not before the commit
    QCOMPARE(t.data.value(QStringLiteral("LOCATION")).toString(), QStringLiteral("Wreck"));

    // Moving on writes them first.
    t.data.moveToDive(t.newest);
    QVERIFY(!t.data.hasPendingEdits());
    QCOMPARE(t.fixture.column(t.middle, QStringLiteral("LOCATION")).toString(), QStringLiteral("Wreck"));
    QCOMPARE(t.fixture.column(t.middle, QStringLiteral("DIVER")).toString(), QStringLiteral("Ann"));
    QVERIFY(t.fixture.column(t.newest, QStringLiteral("LOCATION")).isNull());

    // An emptied field stores NULL.
    t.data.moveToDive(t.oldest);
    t.data.setValue(QStringLiteral("LOCATION"), QVariant());
    t.data.updateRecord();
    QVERIFY(t.fixture.column(t.oldest, QStringLiteral("LOCATION")).isNull());
}

void tst_DiveDataControl::editBackToTheStoredValueIsNoEdit() {
    ThreeDives t;
    t.data.moveToDive(t.oldest);
    t.data.setValue(QStringLiteral("LOCATION"), QStringLiteral("Bay2"));
    t.data.setValue(QStringLiteral("LOCATION"), QStringLiteral("Bay"));
    QVERIFY(!t.data.hasPendingEdits());
    t.data.setValue(QStringLiteral("DIVER"), QStringLiteral("")); // NULL and an empty text are one entry
    QVERIFY(!t.data.hasPendingEdits());
}

void tst_DiveDataControl::refusedEditStaysPending() {
    ThreeDives t;
    t.data.moveToDive(t.middle);
    t.data.setValue(QStringLiteral("DIVER"), QStringLiteral("Ann"));
    t.data.setValue(QStringLiteral("LOCATION"), TOO_LONG);
    try {
        t.data.updateRecord();
        QFAIL("a text too long for its column was written");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), RuntimeError::FieldTooSmall);
    }
    QVERIFY(t.data.hasPendingEdits());
    QVERIFY(t.fixture.column(t.middle, QStringLiteral("DIVER")).isNull()); // all or nothing

    t.data.setValue(QStringLiteral("LOCATION"), QStringLiteral("Reef"));
    t.data.updateRecord();
    QCOMPARE(t.fixture.column(t.middle, QStringLiteral("DIVER")).toString(), QStringLiteral("Ann"));
    QCOMPARE(t.fixture.column(t.middle, QStringLiteral("LOCATION")).toString(), QStringLiteral("Reef"));
}

void tst_DiveDataControl::moveWithRefusedEditDoesNotMove() {
    ThreeDives t;
    t.data.moveToDive(t.middle);
    t.data.setValue(QStringLiteral("LOCATION"), TOO_LONG);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, t.data.moveToDive(t.newest));
    QCOMPARE(t.data.currentDiveID(), t.middle);
    t.data.cancelUpdate();
    QVERIFY(t.data.moveToDive(t.newest));
}

void tst_DiveDataControl::pendingEditsSurviveARequery() {
    ThreeDives t;
    t.data.moveToDive(t.middle);
    t.data.setValue(QStringLiteral("LOCATION"), QStringLiteral("Cave"));
    // A dive stored meanwhile comes first in the rows: the control keeps to its dive, not its row.
    const qint32 added = t.fixture.dive(t.logbook, at(2004, 3, 8));
    t.data.requery();
    QCOMPARE(t.data.recordCount(), 4);
    QCOMPARE(t.data.rows()[0].diveID, added);
    QCOMPARE(t.data.currentDiveID(), t.middle);
    QCOMPARE(t.data.value(QStringLiteral("LOCATION")).toString(), QStringLiteral("Cave"));
    t.data.updateRecord();
    QCOMPARE(t.fixture.column(t.middle, QStringLiteral("LOCATION")).toString(), QStringLiteral("Cave"));
    QVERIFY(t.fixture.column(added, QStringLiteral("LOCATION")).isNull());
}

void tst_DiveDataControl::requeryLosesADiveThatLeftTheRows() {
    ThreeDives t;
    t.data.moveToDive(t.oldest);
    t.data.setValue(QStringLiteral("DIVER"), QStringLiteral("Bob"));
    t.data.setRecordSource(QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID <> ? ORDER BY [DATETIME] DESC")
                               .replace(u'?', QString::number(t.oldest)));
    t.data.refresh();
    QCOMPARE(t.data.absolutePosition(), -1);
    QCOMPARE(t.data.pendingDiveID(), t.oldest);
    // The next move writes the edit to the dive it was typed for, not to the row now first.
    t.data.moveToDive(t.newest);
    QCOMPARE(t.fixture.column(t.oldest, QStringLiteral("DIVER")).toString(), QStringLiteral("Bob"));
    QVERIFY(t.fixture.column(t.newest, QStringLiteral("DIVER")).isNull());
}

void tst_DiveDataControl::writeValueGoesStraightToTheRow() {
    ThreeDives t;
    t.data.writeValue(QStringLiteral("ACTIVITY"), 4); // no current row: nothing
    QCOMPARE(t.fixture.column(t.oldest, QStringLiteral("ACTIVITY")).toInt(), 0);
    t.data.moveToDive(t.oldest);
    t.data.setValue(QStringLiteral("DIVER"), QStringLiteral("Eve"));
    t.data.writeValue(QStringLiteral("ACTIVITY"), 4);
    QCOMPARE(t.fixture.column(t.oldest, QStringLiteral("ACTIVITY")).toInt(), 4);
    QCOMPARE(t.data.value(QStringLiteral("ACTIVITY")).toInt(), 4);
    QVERIFY(t.fixture.column(t.oldest, QStringLiteral("DIVER")).isNull()); // the fields wait for their commit
    QVERIFY(t.data.hasPendingEdits());
}

void tst_DiveDataControl::onlyBoundColumnsAreEdited() {
    ThreeDives t;
    t.data.moveToDive(t.oldest);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, t.data.setValue(QStringLiteral("DIVE_ID"), 5));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, t.data.writeValue(QStringLiteral("LOCATION; DROP TABLE DIVE"), 1));
}

QTEST_GUILESS_MAIN(tst_DiveDataControl)
#include "tst_divedatacontrol.moc"
