#include "CalendarTab.h"
#include "LogbookTree.h"
#include "MonthView.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "TreeRows.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {
constexpr qint32 REEF = 1;
constexpr qint32 LAKE = 2;

DiveDataControl::Row diveRow(qint32 diveID, qint32 fileID, const QDate& day) {
    return treeRow(diveID, fileID, QDateTime(day, QTime(10, 0)));
}

// Two logbooks: on 5 March 2004 two dives in Reef and one in Lake, then a Reef dive on 9 March, a
// Lake dive on 20 February and one on 4 April, the last day the March page shows.
LogbookTree sampleTree() {
    const QList<LogbookTree::LogbookRow> logbooks = {{REEF, QStringLiteral("Reef")}, {LAKE, QStringLiteral("Lake")}};
    const QList<DiveDataControl::Row> rows = {
        diveRow(6, LAKE, QDate(2004, 4, 4)), diveRow(5, REEF, QDate(2004, 3, 9)), diveRow(4, REEF, QDate(2004, 3, 5)),
        diveRow(3, LAKE, QDate(2004, 3, 5)), diveRow(2, REEF, QDate(2004, 3, 5)), diveRow(1, LAKE, QDate(2004, 2, 20)),
    };
    return LogbookTree::build(1, logbooks, rows, QString());
}

struct Calendar {
    Calendar() {
        // These cases read every box they get from the message list.
        env.fakes.message->failOnUnexpected = false;
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.restart();
        env.fakes.clock->current = QDateTime(QDate(2004, 3, 20), QTime(8, 0));
        owned = std::make_unique<CalendarTab>();
    }
    void scope(qint32 logbookID, bool ticked) {
        Settings::instance().setCurrentLogbookID(logbookID);
        owned->chkCurrentLogbook->setChecked(ticked);
    }
    QStringList messages() const {
        QStringList texts;
        for (const ShownMessage& m : env.fakes.message->shown)
            texts.append(m.text);
        return texts;
    }
    TestEnvironment env;
    std::unique_ptr<CalendarTab> owned;
    CalendarTab& tab() { return *owned; }
};
} // namespace

class tst_CalendarTab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void captions();
    void countOfAChosenDay_data();
    void countOfAChosenDay();
    void countBeforeTheFirstBuild();
    void countFollowsARebuild();
    void boldDays_data();
    void boldDays();
    void boldDaysOnTheCalendar();
    void nextAndPrevious_data();
    void nextAndPrevious();
    void nextAndPreviousWithoutDives();
    void checkBoxShowsTodayAndTheLogbook();
    void showToday();
    void monthsThatFit_data();
    void monthsThatFit();
};

void tst_CalendarTab::captions() {
    Calendar c;
    QCOMPARE(c.tab().chkCurrentLogbook->text(), QStringLiteral("Current Logbook"));
    QCOMPARE(c.tab().btnCalendarNext->text(), QStringLiteral("Next"));
    QCOMPARE(c.tab().btnCalendarPrevious->text(), QStringLiteral("Previous"));
}

void tst_CalendarTab::countOfAChosenDay_data() {
    QTest::addColumn<qint32>("logbookID");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("count");
    const QDate fifth(2004, 3, 5);
    QTest::newRow("all logbooks") << -1 << false << fifth << "Number of Dives: 3";
    QTest::newRow("a day without dives shows no number") << -1 << false << QDate(2004, 3, 6) << "Number of Dives:";
    QTest::newRow("ticked, logbook selected") << REEF << true << fifth << "Number of Dives: 2";
    QTest::newRow("ticked, its other day") << LAKE << true << QDate(2004, 3, 9) << "Number of Dives:";
    QTest::newRow("ticked, nothing selected") << -1 << true << fifth << "Number of Dives: 3";
    QTest::newRow("not ticked, logbook selected") << LAKE << false << fifth << "Number of Dives: 3";
    QTest::newRow("ticked, a logbook the tree lacks: unchanged") << 99 << true << fifth << "before";
}

void tst_CalendarTab::countOfAChosenDay() {
    QFETCH(qint32, logbookID);
    QFETCH(bool, ticked);
    QFETCH(QDate, day);
    Calendar c;
    c.tab().fill(sampleTree());
    c.scope(logbookID, ticked);
    c.tab().lblCalendarDivesNumber->setText(QStringLiteral("before"));
    c.tab().MonthView1_DateClick(day);
    QCOMPARE(c.tab().lblCalendarCurrentDate->text(), QStringLiteral("Current Date: ") + day.toString("dd/MM/yyyy"));
    QTEST(c.tab().lblCalendarDivesNumber->text(), "count");
}

void tst_CalendarTab::countBeforeTheFirstBuild() {
    Calendar c;
    c.tab().MonthView1_DateClick(QDate(2004, 3, 5));
    QCOMPARE(c.tab().lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives:"));
}

void tst_CalendarTab::countFollowsARebuild() {
    Calendar c;
    c.tab().fill(sampleTree());
    c.tab().MonthView1_DateClick(QDate(2004, 3, 5));
    QCOMPARE(c.tab().lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives: 3"));
    // The dives of 5 March deleted, one of Reef left: the tree is built anew.
    const QList<LogbookTree::LogbookRow> logbooks = {{REEF, QStringLiteral("Reef")}, {LAKE, QStringLiteral("Lake")}};
    c.tab().fill(LogbookTree::build(1, logbooks, {diveRow(4, REEF, QDate(2004, 3, 5))}, QString()));
    QCOMPARE(c.tab().lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives: 1"));
    c.tab().fill(LogbookTree::build(1, logbooks, {}, QString()));
    QCOMPARE(c.tab().lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives:"));
    QCOMPARE(c.tab().lblCalendarCurrentDate->text(), QStringLiteral("Current Date: 05/03/2004"));
}

void tst_CalendarTab::boldDays_data() {
    QTest::addColumn<qint32>("logbookID");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QList<QDate>>("bold");
    const QList<QDate> all = {QDate(2004, 2, 20), QDate(2004, 3, 5), QDate(2004, 3, 9), QDate(2004, 4, 4)};
    QTest::newRow("all logbooks") << -1 << false << all;
    QTest::newRow("Reef only") << REEF << true << QList<QDate>{QDate(2004, 3, 5), QDate(2004, 3, 9)};
    QTest::newRow("Lake only") << LAKE << true
                               << QList<QDate>{QDate(2004, 2, 20), QDate(2004, 3, 5), QDate(2004, 4, 4)};
    QTest::newRow("box not ticked") << REEF << false << all;
    QTest::newRow("a logbook the tree lacks: none") << 99 << true << QList<QDate>{};
}

void tst_CalendarTab::boldDays() {
    QFETCH(qint32, logbookID);
    QFETCH(bool, ticked);
    QFETCH(QList<QDate>, bold);
    Calendar c;
    c.tab().fill(sampleTree());
    c.scope(logbookID, ticked);
    const QDate start(2004, 2, 15);
    const int count = 60;
    QList<bool> states(count, false);
    c.tab().MonthView1_GetDayBold(start, count, states);
    QList<QDate> marked;
    for (int i = 0; i < count; ++i) {
        if (states[i])
            marked.append(start.addDays(i));
    }
    QCOMPARE(marked, bold);
}

void tst_CalendarTab::boldDaysOnTheCalendar() {
    Calendar c;
    c.tab().MonthView1->setValue(QDate(2004, 3, 20));
    c.tab().fill(sampleTree());
    MonthView& view = *c.tab().MonthView1;
    QVERIFY(view.isBold(QDate(2004, 3, 5)));
    QVERIFY(!view.isBold(QDate(2004, 3, 6)));
    QVERIFY(view.isBold(QDate(2004, 4, 4))); // a trailing day of the next month
    QVERIFY(view.isBold(QDate(2004, 2, 20)));

    // The box narrows them at once.
    c.scope(REEF, true);
    c.tab().chkCurrentLogbook_Click();
    QVERIFY(view.isBold(QDate(2004, 3, 9)));
    QVERIFY(!view.isBold(QDate(2004, 4, 4)));
}

void tst_CalendarTab::nextAndPrevious_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<qint32>("logbookID");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("next from a day without dives") << QDate(2004, 3, 1) << true << -1 << QDate(2004, 3, 5) << "";
    QTest::newRow("next from a dive day") << QDate(2004, 3, 5) << true << -1 << QDate(2004, 3, 9) << "";
    QTest::newRow("previous from a day without dives") << QDate(2004, 3, 7) << false << -1 << QDate(2004, 3, 5) << "";
    QTest::newRow("next after the newest")
        << QDate(2004, 4, 4) << true << -1 << QDate(2004, 4, 4) << "No dives after 04/04/2004";
    QTest::newRow("previous before the oldest")
        << QDate(2004, 2, 20) << false << -1 << QDate(2004, 2, 20) << "No dives before 20/02/2004";
    QTest::newRow("next ignores the box") << QDate(2004, 3, 5) << true << LAKE << QDate(2004, 3, 9) << "";
}

void tst_CalendarTab::nextAndPrevious() {
    QFETCH(QDate, from);
    QFETCH(bool, forward);
    QFETCH(qint32, logbookID);
    QFETCH(QDate, to);
    QFETCH(QString, message);
    Calendar c;
    c.tab().fill(sampleTree());
    c.scope(logbookID, true);
    c.tab().MonthView1->setValue(from);
    c.tab().lblCalendarDivesNumber->setText(QStringLiteral("unchanged"));
    if (forward)
        c.tab().btnCalendarNext->click();
    else
        c.tab().btnCalendarPrevious->click();
    QCOMPARE(c.tab().MonthView1->value(), to);
    QCOMPARE(c.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(c.env.fakes.message->shown.first().flags, Msg::OkOnly);
        QCOMPARE(c.env.fakes.message->shown.first().title, QString());
    }
    // Only a chosen day changes the labels.
    QCOMPARE(c.tab().lblCalendarDivesNumber->text(), QStringLiteral("unchanged"));
}

void tst_CalendarTab::nextAndPreviousWithoutDives() {
    Calendar c;
    c.tab().MonthView1->setValue(QDate(2004, 3, 5));
    c.tab().btnCalendarNext_Click(); // before the first build: nothing at all
    QVERIFY(c.messages().isEmpty());

    c.tab().fill(LogbookTree::build(1, {}, {}, QString()));
    c.tab().btnCalendarNext_Click();
    c.tab().btnCalendarPrevious_Click();
    QCOMPARE(c.messages(),
             QStringList({QStringLiteral("No dives after 05/03/2004"), QStringLiteral("No dives before 05/03/2004")}));
}

void tst_CalendarTab::checkBoxShowsTodayAndTheLogbook() {
    Calendar c;
    c.tab().fill(sampleTree());
    c.tab().MonthView1->setValue(QDate(2004, 2, 20));
    c.scope(REEF, true);
    c.tab().chkCurrentLogbook_Click();
    QCOMPARE(c.tab().chkCurrentLogbook->text(), QStringLiteral("Current Logbook: Reef"));
    QCOMPARE(c.tab().lblCalendarCurrentDate->text(), QStringLiteral("Current Date: 20/03/2004"));
    QCOMPARE(c.tab().lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives:"));
    QCOMPARE(c.tab().MonthView1->value(), QDate(2004, 2, 20)); // the calendar stays

    // A name changed in the window's tree shows at once.
    c.tab().nodeText = [](const QString& key) {
        return key == QLatin1String("LB1") ? QStringLiteral("Red Sea") : QString();
    };
    c.tab().chkCurrentLogbook_Click();
    QCOMPARE(c.tab().chkCurrentLogbook->text(), QStringLiteral("Current Logbook: Red Sea"));

    c.scope(REEF, false);
    c.tab().chkCurrentLogbook_Click();
    QCOMPARE(c.tab().chkCurrentLogbook->text(), QStringLiteral("Current Logbook"));
}

void tst_CalendarTab::showToday() {
    Calendar c;
    c.tab().fill(sampleTree());
    c.env.fakes.clock->current = QDateTime(QDate(2004, 3, 5), QTime(23, 59));
    c.tab().showToday();
    QCOMPARE(c.tab().MonthView1->value(), QDate(2004, 3, 5));
    QCOMPARE(c.tab().lblCalendarCurrentDate->text(), QStringLiteral("Current Date: 05/03/2004"));
    QCOMPARE(c.tab().lblCalendarDivesNumber->text(), QStringLiteral("Number of Dives: 3"));
}

void tst_CalendarTab::monthsThatFit_data() {
    QTest::addColumn<int>("columnsAcross"); // months that fit beside the buttons, and a bit more
    QTest::addColumn<int>("rowsDown");      // months that fit below the labels, and a bit more
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("two across, two down") << 2 << 2 << 2 << 2;
    QTest::newRow("three across, one down: no rows cut off") << 3 << 1 << 3 << 1;
    QTest::newRow("one across") << 1 << 3 << 1 << 1;
    QTest::newRow("not even one: left as it was") << 0 << 3 << 2 << 2;
}

void tst_CalendarTab::monthsThatFit() {
    QFETCH(int, columnsAcross);
    QFETCH(int, rowsDown);
    Calendar c;
    const QSize month = c.tab().MonthView1->gridSize(1, 1);
    const QSize grid = c.tab().MonthView1->gridSize(std::max(columnsAcross, 1), std::max(rowsDown, 1));
    const int width = CalendarTab::BUTTON_COLUMN / 15 + (columnsAcross ? grid.width() : month.width() / 2) + 5;
    const int height = CalendarTab::CALENDAR_TOP / 15 + grid.height() + 5;
    c.tab().MonthView1->setMonthGrid(2, 2);
    c.tab().resize(width, height);
    c.tab().fitMonths();
    QTEST(c.tab().MonthView1->monthColumns(), "columns");
    QTEST(c.tab().MonthView1->monthRows(), "rows");
}

QTEST_MAIN(tst_CalendarTab)
#include "tst_calendartab.moc"
