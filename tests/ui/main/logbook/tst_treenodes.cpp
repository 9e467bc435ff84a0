#include "ListRowsModel.h"
#include "LogbookFixture.h"
#include "LogbookTree.h"
#include "LogbookViews.h"
#include "MainPictures.h"
#include "RuntimeError.h"
#include "TreeNodes.h"
#include "TreeRows.h"

#include <QTreeWidget>
#include <QtTest>

namespace {
// Two logbooks, dives 3 and 1 in the first, 2 in the second; dive 9 belongs to no logbook shown.
LogbookTree twoLogbooks() {
    return LogbookTree::build(
        1, {{10, QStringLiteral("Red Sea")}, {11, QStringLiteral("Lakes")}, {12, QStringLiteral("Empty")}},
        {treeRow(3, 10, at(2004, 3, 7)), treeRow(2, 11, at(2004, 3, 6)), treeRow(9, 99, at(2004, 3, 6)),
         treeRow(1, 10, at(2004, 3, 5, 9, 30))},
        QString());
}

QStringList keys(const QList<DiveListRows::Node>& nodes) {
    QStringList found;
    for (const DiveListRows::Node& node : nodes)
        found.append(node.key);
    return found;
}

QStringList childKeys(const QTreeWidgetItem* item) {
    QStringList found;
    for (int i = 0; i < item->childCount(); ++i)
        found.append(LogbookViews::keyOf(item->child(i)));
    return found;
}
} // namespace

// The tree's dive items are made when first needed; until then the tree reads as if they were there.
class tst_TreeNodes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void logbooksWaitForTheirDives();
    void openingALogbookMakesItsDives();
    void askingForADiveMakesItsLogbook();
    void forgettingALogbook();
    void divePicturesFromTheirLooks();
    void listRows();
    void treeBackColor_data();
    void treeBackColor();
};

void tst_TreeNodes::logbooksWaitForTheirDives() {
    const LogbookTree tree = twoLogbooks();
    TreeNodes nodes;
    std::unique_ptr<QTreeWidgetItem> root(nodes.build(tree));
    QCOMPARE(childKeys(root.get()), (QStringList{"LB10", "LB11", "LB12"}));
    QTreeWidgetItem* redSea = nodes.find(QStringLiteral("LB10"));
    QCOMPARE(redSea->childCount(), 0);
    QCOMPARE(redSea->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    QVERIFY(!nodes.isFilled(redSea));
    QCOMPARE(nodes.childCount(redSea), 2);
    QCOMPARE(keys(nodes.children(redSea)), (QStringList{"DR3", "DR1"}));
    QCOMPARE(nodes.children(redSea).value(1).text, QStringLiteral("05/03/2004 09:30:00"));
    QCOMPARE(nodes.childCount(root.get()), 3);
    QCOMPARE(nodes.children(root.get()).value(0).childCount, 2);
    // A logbook without dives shows no expand sign.
    QVERIFY(nodes.find(QStringLiteral("LB12"))->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator);
    QVERIFY(!nodes.find(QStringLiteral("DR3")));
}

void tst_TreeNodes::openingALogbookMakesItsDives() {
    const LogbookTree tree = twoLogbooks();
    TreeNodes nodes;
    QTreeWidget view;
    QObject::connect(&view, &QTreeWidget::itemExpanded, [&nodes](QTreeWidgetItem* item) { nodes.fill(item); });
    view.addTopLevelItem(nodes.build(tree));
    QTreeWidgetItem* redSea = nodes.find(QStringLiteral("LB10"));
    redSea->setExpanded(true);
    QCOMPARE(childKeys(redSea), (QStringList{"DR3", "DR1"}));
    QCOMPARE(redSea->child(1)->text(0), QStringLiteral("05/03/2004 09:30:00"));
    QCOMPARE(nodes.find(QStringLiteral("DR1")), redSea->child(1));
    QCOMPARE(keys(nodes.children(redSea)), (QStringList{"DR3", "DR1"}));
    // Opened again, nothing is added twice.
    redSea->setExpanded(false);
    redSea->setExpanded(true);
    QCOMPARE(redSea->childCount(), 2);
    // The keyboard opens a logbook the same way.
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setCurrentItem(nodes.find(QStringLiteral("LB11")));
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(childKeys(nodes.find(QStringLiteral("LB11"))), (QStringList{"DR2"}));
}

void tst_TreeNodes::askingForADiveMakesItsLogbook() {
    const LogbookTree tree = twoLogbooks();
    TreeNodes nodes;
    std::unique_ptr<QTreeWidgetItem> root(nodes.build(tree));
    QTreeWidgetItem* dive = nodes.node(QStringLiteral("DR1"));
    QVERIFY(dive);
    QCOMPARE(LogbookViews::keyOf(dive->parent()), QStringLiteral("LB10"));
    QVERIFY(!nodes.isFilled(nodes.find(QStringLiteral("LB11"))));
    QVERIFY(!nodes.node(QStringLiteral("DR9")));  // its logbook is not in the tree
    QVERIFY(!nodes.node(QStringLiteral("DR77"))); // no such dive
    QCOMPARE(childKeys(nodes.node(QStringLiteral("LB11"))), (QStringList{"DR2"}));
}

void tst_TreeNodes::forgettingALogbook() {
    const LogbookTree tree = twoLogbooks();
    TreeNodes nodes;
    std::unique_ptr<QTreeWidgetItem> root(nodes.build(tree));
    QTreeWidgetItem* lakes = nodes.find(QStringLiteral("LB11"));
    nodes.forget(lakes);
    delete lakes;
    QVERIFY(!nodes.find(QStringLiteral("LB11")));
    QVERIFY(!nodes.node(QStringLiteral("DR2")));
    QCOMPARE(childKeys(root.get()), (QStringList{"LB10", "LB12"}));
}

void tst_TreeNodes::divePicturesFromTheirLooks() {
    const LogbookTree tree = twoLogbooks();
    TreeNodes nodes;
    QList<qint32> asked;
    nodes.looks = [&asked](qint32 fileID) {
        asked.append(fileID);
        if (fileID == 11)
            throw RuntimeError(3044, QStringLiteral("test"), QStringLiteral("unreadable"));
        return QHash<qint32, DiveDataControl::Look>{{3, {true, DiveDataControl::SampleState::Data}},
                                                    {1, {false, DiveDataControl::SampleState::Data}}};
    };
    std::unique_ptr<QTreeWidgetItem> root(nodes.build(tree));
    QVERIFY(asked.isEmpty());
    const auto imageOf = [&nodes](const char* key) {
        return nodes.node(QLatin1String(key))->icon(0).pixmap(16).toImage();
    };
    QCOMPARE(imageOf("DR3"), MainPictures::logBookIcon(LogbookTree::IMAGE_DIVE_SIMULATED).pixmap(16).toImage());
    QCOMPARE(imageOf("DR1"), MainPictures::logBookIcon(LogbookTree::IMAGE_DIVE_PROFILE).pixmap(16).toImage());
    // Looks that cannot be read leave the dives shown with the plain picture.
    QCOMPARE(imageOf("DR2"), MainPictures::logBookIcon(LogbookTree::IMAGE_DIVE).pixmap(16).toImage());
    QCOMPARE(asked, (QList<qint32>{10, 11}));
}

void tst_TreeNodes::listRows() {
    ListRowsModel rows({{"LOGBOOK", "1490"}, {"DIVES_NUMBER", "1491"}});
    QCOMPARE(rows.headerData(0, Qt::Horizontal, ListRowsModel::KeyRole).toString(), QStringLiteral("1490"));
    QCOMPARE(rows.headerData(1, Qt::Horizontal, ListRowsModel::ColumnKeyRole).toString(),
             QStringLiteral("DIVES_NUMBER"));
    QVERIFY(rows.setHeaderData(1, Qt::Horizontal, QStringLiteral("Number of Dive")));
    QCOMPARE(rows.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Number of Dive"));
    QVERIFY(!rows.setHeaderData(2, Qt::Horizontal, QStringLiteral("none")));

    rows.setRows({{QStringLiteral("LB1"), LogbookTree::IMAGE_LOGBOOK, {QStringLiteral("Reef"), QStringLiteral("3")}},
                  {QStringLiteral("LB2"), LogbookTree::IMAGE_LOGBOOK, {QStringLiteral("Lake"), QStringLiteral("0")}}});
    QCOMPARE(rows.rowCount(), 2);
    QCOMPARE(rows.rowTexts(1), (QStringList{"Lake", "0"}));
    QCOMPARE(rows.index(0, 0).data(ListRowsModel::KeyRole).toString(), QStringLiteral("LB1"));
    QVERIFY(!rows.index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(!rows.index(0, 1).data(Qt::DecorationRole).isValid());
    rows.clear();
    QCOMPARE(rows.rowCount(), 0);
}

void tst_TreeNodes::treeBackColor_data() {
    QTest::addColumn<qint32>("color");
    QTest::addColumn<QColor>("background");
    QTest::newRow("red in the low byte") << qint32(0x000000FF) << QColor(255, 0, 0);
    QTest::newRow("blue in the third") << qint32(0x00FF0000) << QColor(0, 0, 255);
    QTest::newRow("mixed") << qint32(0x00804020) << QColor(0x20, 0x40, 0x80);
    QTest::newRow("the high byte is no colour") << qint32(0x02123456) << QColor(0x56, 0x34, 0x12);
    QTest::newRow("-1: the tree's own again") << qint32(-1) << QColor();
}

void tst_TreeNodes::treeBackColor() {
    QFETCH(qint32, color);
    QFETCH(QColor, background);
    QTreeWidget tree;
    const QColor own = tree.palette().color(QPalette::Base);
    if (!background.isValid())
        background = own;
    tree.resize(200, 200);
    auto* root = new QTreeWidgetItem(QStringList{QStringLiteral("Kobi")});
    root->addChild(new QTreeWidgetItem(QStringList{QStringLiteral("Red Sea")}));
    tree.addTopLevelItem(root);
    tree.expandAll();
    LogbookViews::setTreeBackColor(&tree, 0x0000FF00);
    LogbookViews::setTreeBackColor(&tree, color);
    QCOMPARE(tree.palette().color(QPalette::Base), background);
    // Below the items, and between the lines, the new background shows.
    const QImage shown = tree.viewport()->grab().toImage();
    QCOMPARE(shown.pixelColor(150, shown.height() - 10), background);
}

QTEST_MAIN(tst_TreeNodes)
#include "tst_treenodes.moc"
