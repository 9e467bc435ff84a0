#include "LogbookViews.h"

#include "ListRowsDelegate.h"
#include "ListRowsModel.h"
#include "LogbookTree.h"
#include "MainPictures.h"
#include "Settings.h"

#include <QApplication>
#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <algorithm>

namespace LogbookViews {

namespace {
constexpr int KEY_ROLE = Qt::UserRole;

// The width the list will show its columns in once its rows are laid out: rows just set bring their
// vertical scroll bar only then, and a list just shown takes its place only then.
int roomAcross(QTreeView* list) {
    if (QWidget* parent = list->parentWidget(); parent && parent->layout())
        parent->layout()->activate();
    int room = list->viewport()->width();
    const QScrollBar* bar = list->verticalScrollBar();
    const int rows = list->model()->rowCount(list->rootIndex());
    if (!bar->isVisible() && list->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && rows > 0 &&
        qint64(rows) * list->sizeHintForRow(0) > list->viewport()->height())
        room -= list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
    return room;
}

// Each width between its lower and upper bound, at the one level, the highest whose total is within
// `room`: the widest give way first, and evenly. Never below the lower bounds, whatever the room.
QList<int> evenLevel(const QList<int>& lower, const QList<int>& upper, int room) {
    const auto at = [&](int level, int column) { return std::max(lower[column], std::min(upper[column], level)); };
    const auto totalAt = [&](int level) {
        int total = 0;
        for (int column = 0; column < lower.size(); ++column)
            total += at(level, column);
        return total;
    };
    int low = 0;
    int high = upper.isEmpty() ? 0 : *std::max_element(upper.cbegin(), upper.cend());
    while (low < high) {
        const int level = (low + high + 1) / 2;
        if (totalAt(level) <= room)
            low = level;
        else
            high = level - 1;
    }
    QList<int> widths(lower.size());
    for (int column = 0; column < lower.size(); ++column)
        widths[column] = at(low, column);
    return widths;
}
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

void fitColumns(QTreeView* list, ColumnWidths& widths) {
    const int count = list->model()->columnCount();
    widths.fitted = QList<int>(count, 0);
    widths.titles = QList<int>(count, 0);
    // A stretched last column is as wide as the room left: its contents tell its width only unstretched.
    const bool stretched = list->header()->stretchLastSection();
    list->header()->setStretchLastSection(false);
    {
        const ListRowsDelegate::Fit fit(list);
        for (int column = 0; column < count; ++column) {
            if (widths.made.size() <= column)
                widths.made.append(list->columnWidth(column));
            if (list->isColumnHidden(column))
                continue;
            list->resizeColumnToContents(column);
            widths.fitted[column] = list->columnWidth(column);
            widths.titles[column] = std::min(widths.fitted[column], list->header()->sectionSizeHint(column));
        }
    }
    list->header()->setStretchLastSection(stretched);
    spreadColumns(list, widths);
}

void spreadColumns(QTreeView* list, const ColumnWidths& widths) {
    const int count = int(widths.fitted.size());
    if (count == 0)
        return;
    QList<int> roomy(count, 0); // never narrower than made
    int fittedTotal = 0;
    for (int column = 0; column < count; ++column) {
        if (list->isColumnHidden(column))
            continue;
        roomy[column] = std::max(widths.made[column], widths.fitted[column]);
        fittedTotal += widths.fitted[column];
    }
    const int room = roomAcross(list);
    QList<int> spread;
    if (fittedTotal <= room) {
        // Room to spare goes to the columns narrower than made, the narrowest first.
        spread = evenLevel(widths.fitted, roomy, room);
    } else {
        // The first column (a date, a logbook's name) and the last (the mode word, the lowest
        // temperature) keep their widths whatever the others do: short texts that say little cut.
        QList<int> least = widths.titles;
        least[0] = widths.fitted[0];
        least[count - 1] = widths.fitted[count - 1];
        spread = evenLevel(least, widths.fitted, room);
    }
    // The last column too: stretched, it takes what is left, but never less than its width was set to.
    const bool stretched = list->header()->stretchLastSection();
    list->header()->setStretchLastSection(false);
    for (int column = 0; column < count; ++column) {
        if (!list->isColumnHidden(column))
            list->setColumnWidth(column, spread[column]);
    }
    list->header()->setStretchLastSection(stretched);
}

} // namespace LogbookViews
