#pragma once

#include "DiveDataControl.h"
#include "DiveListRows.h"

#include <QHash>
#include <QString>
#include <functional>

class LogbookTree;
class QTreeWidgetItem;

// The items of the main window's logbook tree by their node keys. A logbook's dive items are made
// when they are first needed (the logbook opened, one of its dives looked up, a dive added under
// it): a logbook of a hundred thousand dives costs nothing until the diver opens it. Until then
// the logbook shows its expand sign and its dives are read from the built tree.
//
//     TreeNodes nodes;
//     tree->addTopLevelItem(nodes.build(logbookTree));
//     nodes.node("DR42");   // makes the dive items of its logbook first
class TreeNodes {
public:
    // The root item, bold, with an item per logbook under it. `tree` must outlive the nodes, or the
    // next build.
    QTreeWidgetItem* build(const LogbookTree& tree);
    void clear();

    // The item of a key, null when the tree has none. For a dive, the dives of its logbook are made
    // first; for a logbook, its own.
    QTreeWidgetItem* node(const QString& key);
    // The item of a key when it is made already; no dive items are made.
    QTreeWidgetItem* find(const QString& key) const { return m_items.value(key); }

    // Makes the dive items of a logbook item when they are not made yet.
    void fill(QTreeWidgetItem* logbook);
    bool isFilled(const QTreeWidgetItem* logbook) const { return !m_unfilled.contains(logbook); }

    // The children of a node as the lists read them, made or not.
    QList<DiveListRows::Node> children(const QTreeWidgetItem* node) const;
    // The number of children of a node, made or not.
    int childCount(const QTreeWidgetItem* node) const;

    // Adds an item made elsewhere; its logbook must be filled first.
    void insert(const QString& key, QTreeWidgetItem* item) { m_items.insert(key, item); }
    // Drops an item and those below it, made or not, before the item is deleted.
    void forget(QTreeWidgetItem* item);

    // The looks of a logbook's dives (FILE_ID), for their pictures; without it, or when it fails,
    // every dive shows the picture of a dive without profile.
    std::function<QHash<qint32, DiveDataControl::Look>(qint32)> looks;

private:
    const LogbookTree* m_tree = nullptr;
    QHash<QString, QTreeWidgetItem*> m_items;
    // Logbook items whose dives are not made yet, with their place among the tree's logbooks.
    QHash<const QTreeWidgetItem*, qsizetype> m_unfilled;
};
