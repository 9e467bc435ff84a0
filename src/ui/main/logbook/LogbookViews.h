#pragma once

#include "DiveListRows.h"

#include <QHash>
#include <QString>

class Database;
class LogbookTree;
class QIcon;
class QTreeWidget;
class QTreeWidgetItem;

// The main window's logbook tree and its two lists as widget items: the items of a built tree, and
// the rows of the logbook and dive lists read from the tree's nodes. Every item keeps its node key.
namespace LogbookViews {

QString keyOf(const QTreeWidgetItem* item);
QTreeWidgetItem* item(const QString& key, const QString& text, const QIcon& icon);

// The root item, bold, with the logbooks and their dives under it; each item also by its key in
// `nodes`.
QTreeWidgetItem* buildTree(const LogbookTree& tree, QHash<QString, QTreeWidgetItem*>& nodes);

// The children of a tree node as the list rows read them.
QList<DiveListRows::Node> childrenOf(const QTreeWidgetItem* node);

// The logbooks under the root, with their number of dives.
void fillLogbookList(QTreeWidget* list, const QTreeWidgetItem* root);
// The dives under a logbook node, with the columns read from their rows.
void fillDiveList(QTreeWidget* list, const QTreeWidgetItem* logbook, const Database& db);

} // namespace LogbookViews
