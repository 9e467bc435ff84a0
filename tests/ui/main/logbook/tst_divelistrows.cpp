#include "DiveListRows.h"
#include "LogbookFixture.h"
#include "LogbookTree.h"
#include "TestEnvironment.h"
#include "TreeNodeKey.h"

#include <QtTest>

// The dive list's rows follow the tree's nodes, each with the columns its dive's row holds now.
class tst_DiveListRows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void rowsInTheNodesOrder() {
        TestEnvironment env;
        LogbookFixture fixture;
        const qint32 reef = fixture.logbook(QStringLiteral("Reef"), 1);
        const qint32 lake = fixture.logbook(QStringLiteral("Lake"), 1);
        const qint32 profiled = fixture.dive(reef, at(2004, 3, 5),
                                             {{QStringLiteral("DIVER"), QStringLiteral("Ann")},
                                              {QStringLiteral("LOCATION"), QStringLiteral("Bay")},
                                              {QStringLiteral("ACTIVITY"), 3},
                                              {QStringLiteral("DIVE_MODE"), 1}});
        const qint32 bare = fixture.dive(reef, at(2004, 3, 6),
                                         {{QStringLiteral("DIVER"), QStringLiteral("Ann")},
                                          {QStringLiteral("LOCATION"), QVariant()},
                                          {QStringLiteral("ACTIVITY"), -1},
                                          {QStringLiteral("DIVE_MODE"), 0},
                                          {QStringLiteral("SAMPLE"), QVariant()}});
        const qint32 elsewhere = fixture.dive(lake, at(2004, 3, 7));
        const auto node = [](qint32 diveID, const QString& text) {
            return DiveListRows::Node{TreeNodeKey::dive(diveID), text, 0};
        };

        // A node whose dive is gone, or is in another logbook, has no row.
        const QList<ListRowsModel::Row> rows =
            DiveListRows::diveRows(fixture.db, reef,
                                   {node(bare, QStringLiteral("second")), node(9999, QStringLiteral("gone")),
                                    node(profiled, QStringLiteral("first")), node(elsewhere, QStringLiteral("lake"))},
                                   2, 3);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].key, TreeNodeKey::dive(bare));
        QCOMPARE(rows[0].image, int(LogbookTree::IMAGE_DIVE));
        QCOMPARE(QStringList(rows[0].texts.begin(), rows[0].texts.end()),
                 (QStringList{QStringLiteral("second"), QStringLiteral("Ann"), QString(), QString(),
                              QStringLiteral("Air")}));
        QCOMPARE(rows[1].key, TreeNodeKey::dive(profiled));
        QCOMPARE(rows[1].image, int(LogbookTree::IMAGE_DIVE_PROFILE));
        QCOMPARE(QStringList(rows[1].texts.begin(), rows[1].texts.end()),
                 (QStringList{QStringLiteral("first"), QStringLiteral("Ann"), QStringLiteral("Bay"),
                              DiveListRows::activityText(3), QStringLiteral("Nitrox")}));
        QVERIFY(!DiveListRows::activityText(3).isEmpty());
    }
};

QTEST_MAIN(tst_DiveListRows)
#include "tst_divelistrows.moc"
