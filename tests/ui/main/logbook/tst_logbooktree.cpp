#include "DiveDateText.h"
#include "LogbookFixture.h"
#include "LogbookTree.h"
#include "TestEnvironment.h"
#include "TreeNodeKey.h"
#include "TreeRows.h"

#include <QtTest>

namespace {
using Row = DiveDataControl::Row;
using State = DiveDataControl::SampleState;

Row row(qint32 diveID, qint32 fileID, const QDateTime& start) {
    return treeRow(diveID, fileID, start);
}

QList<LogbookTree::LogbookRow> twoLogbooks() {
    return {{10, QStringLiteral("Red Sea")}, {11, QStringLiteral("Lakes")}};
}

QStringList diveKeys(const LogbookTree::LogbookNode* logbook) {
    QStringList keys;
    for (const LogbookTree::DiveNode& dive : logbook->dives)
        keys.append(dive.key());
    return keys;
}
} // namespace

class tst_LogbookTree : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void rootOfTheModel_data();
    void rootOfTheModel();
    void logbooksAndDives();
    void rowsTheTreeLeavesOut();
    void diveImages_data();
    void diveImages();
    void dayCounts();
    void dayKey_data();
    void dayKey();
    void visibleDive_data();
    void visibleDive();
    void readLogbooksOfTheModel();
};

void tst_LogbookTree::rootOfTheModel_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("zento") << 1 << "DCzento"
                           << "zento";
    QTest::newRow("name with a blank") << 4 << "DCzento RGBM"
                                       << "zento RGBM";
    QTest::newRow("Kobi") << 32 << "DCKobi"
                          << "Kobi";
    QTest::newRow("several model bits") << 3 << "DC"
                                        << "";
}

void tst_LogbookTree::rootOfTheModel() {
    QFETCH(int, model);
    QFETCH(QString, key);
    QFETCH(QString, text);
    const LogbookTree tree = LogbookTree::build(qint16(model), {}, {}, QString());
    QCOMPARE(tree.rootKey, key);
    QCOMPARE(tree.rootText, text);
    QVERIFY(tree.logbooks.isEmpty());
    QCOMPARE(TreeNodeKey::kindOf(tree.rootKey), TreeNodeKey::Kind::Root);
}

void tst_LogbookTree::logbooksAndDives() {
    const QList<Row> rows = {row(3, 10, at(2004, 3, 7)), row(2, 11, at(2004, 3, 6)), row(1, 10, at(2004, 3, 5, 9, 30))};
    const LogbookTree tree = LogbookTree::build(1, twoLogbooks(), rows, QString());
    QCOMPARE(tree.logbooks.size(), 2);
    QCOMPARE(tree.logbooks[0].key, QStringLiteral("LB10"));
    QCOMPARE(tree.logbooks[0].text, QStringLiteral("Red Sea"));
    QCOMPARE(tree.logbooks[1].key, QStringLiteral("LB11"));
    QCOMPARE(diveKeys(tree.logbook(QStringLiteral("LB10"))), (QStringList{"DR3", "DR1"}));
    QCOMPARE(diveKeys(tree.logbook(QStringLiteral("LB11"))), QStringList{"DR2"});
    QCOMPARE(tree.text(tree.logbooks[0].dives[1]), QStringLiteral("05/03/2004 09:30:00"));
    QCOMPARE(tree.diveCount(), 3);
}

void tst_LogbookTree::rowsTheTreeLeavesOut() {
    Row noLogbook = row(4, 0, at(2004, 3, 8));
    noLogbook.hasFileID = false;
    Row noDate = row(5, 10, at(2004, 3, 9));
    noDate.date = QDate();
    const QList<Row> rows = {row(6, 99, at(2004, 3, 10)), noLogbook, noDate, row(7, 10, at(2004, 3, 11))};
    // A logbook with a NULL key is no node; a logbook twice is one node.
    const QList<LogbookTree::LogbookRow> logbooks = {
        {10, QStringLiteral("Red Sea")}, {QVariant(), QStringLiteral("Broken")}, {10, QStringLiteral("Again")}};
    const LogbookTree tree = LogbookTree::build(1, logbooks, rows, QString());
    QCOMPARE(tree.logbooks.size(), 1);
    // A dive whose start is damaged stays in sight, to be re-dated, but counts on no day.
    QCOMPARE(diveKeys(tree.logbook(QStringLiteral("LB10"))), (QStringList{"DR5", "DR7"}));
    QCOMPARE(tree.text(tree.logbooks[0].dives[0]), QStringLiteral("?"));
    // The dive of another model's logbook is counted nowhere.
    QCOMPARE(tree.diveDayCounts.keys(), QStringList{"20040311"});
    QCOMPARE(tree.diveDates, QList<QDate>{QDate(2004, 3, 11)});
}

void tst_LogbookTree::diveImages_data() {
    QTest::addColumn<bool>("simul");
    QTest::addColumn<int>("sample");
    QTest::addColumn<int>("treeImage");
    QTest::newRow("profile") << false << int(State::Data) << 6;
    QTest::newRow("null profile") << false << int(State::Null) << 5;
    QTest::newRow("empty profile") << false << int(State::Empty) << 5;
    QTest::newRow("blank profile") << false << int(State::Blank) << 5;
    QTest::newRow("simulated") << true << int(State::Data) << 11;
    QTest::newRow("simulated without profile") << true << int(State::Null) << 11;
}

void tst_LogbookTree::diveImages() {
    QFETCH(bool, simul);
    QFETCH(int, sample);
    QFETCH(int, treeImage);
    QCOMPARE(LogbookTree::treeImage(simul, State(sample)), treeImage);
}

void tst_LogbookTree::dayKey_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("key");
    QTest::newRow("March") << QDate(2004, 3, 5) << "20040305";
    QTest::newRow("December") << QDate(2021, 12, 31) << "20211231";
    QTest::newRow("year below 1000") << QDate(987, 1, 2) << "09870102";
    QTest::newRow("year after 9999") << QDate(12345, 6, 7) << "123450607";
}

void tst_LogbookTree::dayKey() {
    QFETCH(QDate, day);
    QFETCH(QString, key);
    QCOMPARE(DayCounts::keyOf(day), key);
}

void tst_LogbookTree::dayCounts() {
    const QList<Row> rows = {row(4, 10, at(2004, 11, 2)), row(3, 11, at(2004, 3, 5, 18)),
                             row(2, 10, at(2004, 3, 5, 9, 30)), row(1, 10, at(2004, 1, 12))};
    const LogbookTree tree = LogbookTree::build(1, twoLogbooks(), rows, QString());
    QCOMPARE(tree.diveDayCounts.keys(), (QStringList{"20041102", "20040305", "20040112"}));
    QCOMPARE(tree.diveDayCounts.count(QStringLiteral("20040305")), 2);
    QCOMPARE(tree.logbooks[0].dayCounts.count(QStringLiteral("20040305")), 1);
    QCOMPARE(tree.logbooks[1].dayCounts.count(QStringLiteral("20040305")), 1);
    QVERIFY(!tree.logbooks[1].dayCounts.contains(QStringLiteral("20040112")));
    QCOMPARE(tree.diveDates, (QList<QDate>{QDate(2004, 11, 2), QDate(2004, 3, 5), QDate(2004, 1, 12)}));
    QVERIFY(tree.hasDiveDate(QDate(2004, 1, 12)));

    // A logbook none of whose dives passes the filter has no dives and no days.
    const LogbookTree empty = LogbookTree::build(1, twoLogbooks(), {row(1, 10, at(2004, 1, 12))}, QString());
    QVERIFY(empty.logbooks[1].dives.isEmpty());
    QVERIFY(empty.logbooks[1].dayCounts.isEmpty());
}

void tst_LogbookTree::visibleDive_data() {
    QTest::addColumn<QString>("visibleNodeKey");
    QTest::addColumn<QString>("visibleDiveKey");
    QTest::newRow("none") << ""
                          << "";
    QTest::newRow("a dive of the tree") << "2"
                                        << "DR2";
    QTest::newRow("a dive the filter hides") << "8"
                                             << "";
    QTest::newRow("a dive of another model") << "3"
                                             << "";
    QTest::newRow("not exactly the key") << " 2"
                                         << "";
    QTest::newRow("a leading zero") << "02"
                                    << "";
    QTest::newRow("a sign") << "+2"
                            << "";
    QTest::newRow("not a number") << "DR2"
                                  << "";
}

void tst_LogbookTree::visibleDive() {
    QFETCH(QString, visibleNodeKey);
    QFETCH(QString, visibleDiveKey);
    const QList<Row> rows = {row(3, 77, at(2004, 3, 7)), row(2, 11, at(2004, 3, 6)), row(1, 10, at(2004, 3, 5))};
    QCOMPARE(LogbookTree::build(1, twoLogbooks(), rows, visibleNodeKey).visibleDiveKey, visibleDiveKey);
}

void tst_LogbookTree::readLogbooksOfTheModel() {
    TestEnvironment env;
    LogbookFixture fixture;
    const qint32 reef = fixture.logbook(QStringLiteral("Reef"), 1);
    fixture.logbook(QStringLiteral("Other model"), 2);
    const qint32 lake = fixture.logbook(QStringLiteral("Lake"), 1);
    const QList<LogbookTree::LogbookRow> rows = LogbookTree::readLogbooks(fixture.db, 1);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].fileID.toInt(), reef);
    QCOMPARE(rows[0].name, QStringLiteral("Reef"));
    QCOMPARE(rows[1].fileID.toInt(), lake);
    QVERIFY(LogbookTree::readLogbooks(fixture.db, 3).isEmpty());
}

QTEST_MAIN(tst_LogbookTree)
#include "tst_logbooktree.moc"
