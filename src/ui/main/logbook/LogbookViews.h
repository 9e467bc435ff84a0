#pragma once

#include "DiveListRows.h"

#include <QString>

class Database;
class ListRowsModel;
class LogbookTree;
class QIcon;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

// The main window's logbook tree items and the rows of its two lists, read from the tree's nodes.
// Every item and row keeps its node key.
namespace LogbookViews {

QString keyOf(const QTreeWidgetItem* item);
QTreeWidgetItem* item(const QString& key, const QString& text, const QIcon& icon);

// The logbooks under the root, with their number of dives.
void fillLogbookList(ListRowsModel& list, const QList<DiveListRows::Node>& logbooks);
// The dives under the logbook of `fileID`, with the columns read from their rows; `view` shows them.
void fillDiveList(ListRowsModel& list, QTreeView* view, qint32 fileID, QList<DiveListRows::Node> dives,
                  const Database& db);

// The tree's background, red in the low byte; -1 gives the tree its own background again. The lines
// between the items are drawn anew over it.
void setTreeBackColor(QTreeWidget* tree, qint32 color);

// What a list's columns need, measured when the list is filled.
struct ColumnWidths {
    QList<int> made;   // the widths the list was made with, taken at the first fit
    QList<int> fitted; // as wide as the widest entry and the title
    QList<int> titles; // as wide as the title, at most fitted
};

// Each column as wide as its widest entry and its title. Room to spare widens the columns towards
// `made`, the widths the list was made with (taken on the first call), the narrowest first. When
// they do not all fit the list, beside the vertical scroll bar its rows will bring, the widest give
// way first, evenly, none narrower than its title and neither the first nor the last (a date or a
// name, a mode word or a temperature), so that every title reads whole and every column is in sight.
void fitColumns(QTreeView* list, ColumnWidths& widths);
// The same for a list whose width changed, from what fitColumns measured: its rows are not read again.
void spreadColumns(QTreeView* list, const ColumnWidths& widths);

} // namespace LogbookViews
