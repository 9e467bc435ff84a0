#include "LogbookViews.h"

#include "ListRowsDelegate.h"
#include "ListRowsModel.h"
#include "LogbookTree.h"
#include "MainPictures.h"
#include "Settings.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <algorithm>

namespace LogbookViews {

namespace {
constexpr int KEY_ROLE = Qt::UserRole;
} // namespace

QString keyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, KEY_ROLE).toString() : QString();
}

QTreeWidgetItem* item(const QString& key, const QString& text, const QIcon& icon) {
    auto* made = new QTreeWidgetItem(QStringList{text});
    made->setData(0, KEY_ROLE, key);
    made->setIcon(0, icon);
    return made;
}

void fillLogbookList(ListRowsModel& list, const QList<DiveListRows::Node>& logbooks) {
    QList<ListRowsModel::Row> rows;
    rows.reserve(logbooks.size());
    for (const DiveListRows::LogbookItem& logbook : DiveListRows::logbookItems(logbooks))
        rows.append({logbook.key,
                     LogbookTree::IMAGE_LOGBOOK,
                     {logbook.name, logbook.dives, logbook.maxDepth, logbook.minTemperature}});
    list.setRows(std::move(rows));
}

void fillDiveList(ListRowsModel& list, QTreeView* view, qint32 fileID, QList<DiveListRows::Node> dives,
                  const Database& db) {
    const Settings& settings = Settings::instance();
    QList<ListRowsModel::Row> rows =
        DiveListRows::diveRows(db, fileID, std::move(dives), settings.getBottomTimeCode(), settings.getFreeDiveCode());
    // Dates and times are all about as wide: the first rows tell the column's width.
    int widest = 0;
    const QFontMetrics metrics = view->fontMetrics();
    for (qsizetype i = 0; i < std::min<qsizetype>(rows.size(), 50); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(rows[i].texts[0]));
    list.setRows(std::move(rows));
    view->setColumnWidth(0, std::max(view->columnWidth(0), widest + 32));
}

void setTreeBackColor(QTreeWidget* tree, qint32 color) {
    QPalette palette = tree->palette();
    if (color == -1) {
        palette.setColor(QPalette::Base, QApplication::palette(tree).color(QPalette::Base));
    } else {
        const quint32 v = quint32(color);
        palette.setColor(QPalette::Base, QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)));
    }
    tree->setPalette(palette);
    tree->viewport()->update();
}

void fitColumns(QTreeView* list, QList<int>& made) {
    const int count = list->model()->columnCount();
    QList<int> widths(count, 0);
    QList<int> floors(count, 0);
    int total = 0;
    const ListRowsDelegate::Fit fit(list);
    for (int column = 0; column < count; ++column) {
        if (made.size() <= column)
            made.append(list->columnWidth(column));
        if (list->isColumnHidden(column))
            continue;
        list->resizeColumnToContents(column);
        widths[column] = std::max(made[column], list->columnWidth(column));
        floors[column] = std::min(widths[column], list->header()->sectionSizeHint(column));
        total += widths[column];
    }
    // The first column (a date, a logbook's name) keeps its width whatever the others do.
    const int room = list->viewport()->width();
    while (total > room) {
        int widest = -1;
        for (int column = 1; column < count; ++column) {
            if (widths[column] > floors[column] && (widest < 0 || widths[column] > widths[widest]))
                widest = column;
        }
        if (widest < 0)
            break;
        int next = floors[widest];
        for (int column = 1; column < count; ++column) {
            if (widths[column] < widths[widest])
                next = std::max(next, widths[column]);
        }
        const int shrink = std::min(total - room, widths[widest] - next);
        widths[widest] -= shrink;
        total -= shrink;
    }
    for (int column = 0; column < count - 1; ++column) {
        if (!list->isColumnHidden(column))
            list->setColumnWidth(column, widths[column]);
    }
}

} // namespace LogbookViews
