#include "ListRowsDelegate.h"
#include "ListRowsModel.h"
#include "LogbookTree.h"
#include "LogbookViews.h"

#include <QTreeView>
#include <QtTest>

namespace {
const QList<ListRowsModel::Column> COLUMNS{
    {"DATETIME", "1500"}, {"DIVER", "1501"}, {"LOCATION", "1502"}, {"ACTIVITY", "1503"}, {"MODE", "1504"}};

// Many rows whose texts recur, the widest diver and activity once only, far down the list.
QList<ListRowsModel::Row> recurringRows(int count, const QString& widest) {
    QList<ListRowsModel::Row> rows;
    for (int i = 0; i < count; ++i) {
        const bool far = i == count - 300;
        rows.append({QStringLiteral("DR%1").arg(i),
                     LogbookTree::IMAGE_DIVE,
                     {QStringLiteral("%1/03/2004 09:%2:00").arg(1 + i % 28).arg(i % 60, 2, 10, QLatin1Char('0')),
                      far ? widest : QStringLiteral("Ann"),
                      i % 3 ? QStringLiteral("Blue Hole, Dahab, South Sinai") : QStringLiteral("Wall"),
                      far ? widest : QString(), i % 2 ? QStringLiteral("Air") : QStringLiteral("Nitrox")}});
    }
    return rows;
}

struct List {
    ListRowsModel rows{COLUMNS};
    QTreeView view;
    LogbookViews::ColumnWidths made;

    explicit List(bool sharing) {
        view.setModel(&rows);
        view.setRootIsDecorated(false);
        view.setUniformRowHeights(true);
        if (sharing)
            view.setItemDelegate(new ListRowsDelegate(&view));
        view.resize(2000, 300);
    }
    QList<int> fit(const QList<ListRowsModel::Row>& shown) {
        rows.setRows(shown);
        LogbookViews::fitColumns(&view, made);
        QList<int> widths;
        for (int column = 0; column < rows.columnCount(); ++column)
            widths.append(view.columnWidth(column));
        return widths;
    }
};
} // namespace

// The report views lay out each recurring text once while their columns are fitted: the widths
// are those that laying out every cell gives.
class tst_ListRowsDelegate : public QObject {
    Q_OBJECT
private slots:
    void widthsAsEveryCellLaidOut() {
        List sharing(true);
        List plain(false);
        const QList<ListRowsModel::Row> rows = recurringRows(1200, QStringLiteral("Somewhere rather far away"));
        QCOMPARE(sharing.fit(rows), plain.fit(rows));

        // A larger font and other texts: no size is kept from the fit before.
        QFont larger = sharing.view.font();
        larger.setPointSizeF(larger.pointSizeF() * 1.6);
        sharing.view.setFont(larger);
        plain.view.setFont(larger);
        const QList<ListRowsModel::Row> other = recurringRows(900, QStringLiteral("Farther still, and wider"));
        const QList<int> widths = sharing.fit(other);
        QCOMPARE(widths, plain.fit(other));
        QVERIFY(widths[2] >
                sharing.view.fontMetrics().horizontalAdvance(QStringLiteral("Blue Hole, Dahab, South Sinai")));
        QVERIFY(widths[3] > sharing.view.fontMetrics().horizontalAdvance(QStringLiteral("Farther still")));
    }
};

QTEST_MAIN(tst_ListRowsDelegate)
#include "tst_listrowsdelegate.moc"
