#include "TreeNodes.h"

#include "LogbookTree.h"
#include "LogbookViews.h"
#include "MainPictures.h"
#include "RuntimeError.h"
#include "TreeNodeKey.h"

#include <QTreeWidgetItem>

QTreeWidgetItem* TreeNodes::build(const LogbookTree& tree) {
    clear();
    m_tree = &tree;
    QTreeWidgetItem* root =
        LogbookViews::item(tree.rootKey, tree.rootText, MainPictures::logBookIcon(LogbookTree::IMAGE_ROOT));
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);
    m_items.insert(tree.rootKey, root);
    const QIcon logbookIcon = MainPictures::logBookIcon(LogbookTree::IMAGE_LOGBOOK);
    QList<QTreeWidgetItem*> logbooks;
    logbooks.reserve(tree.logbooks.size());
    for (qsizetype i = 0; i < tree.logbooks.size(); ++i) {
        const LogbookTree::LogbookNode& logbook = tree.logbooks[i];
        QTreeWidgetItem* logbookItem = LogbookViews::item(logbook.key, logbook.text, logbookIcon);
        m_items.insert(logbook.key, logbookItem);
        if (!logbook.dives.isEmpty()) {
            logbookItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            m_unfilled.insert(logbookItem, i);
        }
        logbooks.append(logbookItem);
    }
    root->addChildren(logbooks);
    return root;
}

void TreeNodes::clear() {
    m_items.clear();
    m_unfilled.clear();
    m_tree = nullptr;
}

QTreeWidgetItem* TreeNodes::node(const QString& key) {
    if (QTreeWidgetItem* made = m_items.value(key)) {
        fill(made);
        return made;
    }
    if (!m_tree || TreeNodeKey::kindOf(key) != TreeNodeKey::Kind::Dive)
        return nullptr;
    const LogbookTree::LogbookNode* logbook = m_tree->logbookOfDive(TreeNodeKey::id(key));
    if (!logbook)
        return nullptr;
    if (QTreeWidgetItem* logbookItem = m_items.value(logbook->key))
        fill(logbookItem);
    return m_items.value(key);
}

void TreeNodes::fill(QTreeWidgetItem* logbook) {
    const auto at = m_unfilled.constFind(logbook);
    if (at == m_unfilled.constEnd())
        return;
    const LogbookTree::LogbookNode& node = m_tree->logbooks[*at];
    m_unfilled.erase(at);
    QHash<qint32, DiveDataControl::Look> found;
    try {
        if (looks)
            found = looks(node.fileID);
    } catch (const RuntimeError&) {
        // The dives are still the diver's: they are shown, with the plain picture.
    }
    QList<QTreeWidgetItem*> dives;
    dives.reserve(node.dives.size());
    m_items.reserve(m_items.size() + node.dives.size());
    for (const LogbookTree::DiveNode& dive : node.dives) {
        const auto look = found.constFind(dive.diveID);
        const int image =
            look == found.constEnd() ? LogbookTree::IMAGE_DIVE : LogbookTree::treeImage(look->isSimul, look->sample);
        const QString key = dive.key();
        QTreeWidgetItem* diveItem = LogbookViews::item(key, m_tree->text(dive), MainPictures::logBookIcon(image));
        m_items.insert(key, diveItem);
        dives.append(diveItem);
    }
    logbook->addChildren(dives);
    logbook->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QList<DiveListRows::Node> TreeNodes::children(const QTreeWidgetItem* node) const {
    QList<DiveListRows::Node> children;
    const auto unfilled = m_unfilled.constFind(node);
    if (unfilled != m_unfilled.constEnd()) {
        const LogbookTree::LogbookNode& logbook = m_tree->logbooks[*unfilled];
        children.reserve(logbook.dives.size());
        for (const LogbookTree::DiveNode& dive : logbook.dives)
            children.append({dive.key(), m_tree->text(dive), 0});
        return children;
    }
    children.reserve(node->childCount());
    for (int i = 0; i < node->childCount(); ++i) {
        const QTreeWidgetItem* child = node->child(i);
        children.append({LogbookViews::keyOf(child), child->text(0), childCount(child)});
    }
    return children;
}

int TreeNodes::childCount(const QTreeWidgetItem* node) const {
    const auto unfilled = m_unfilled.constFind(node);
    return unfilled == m_unfilled.constEnd() ? node->childCount() : int(m_tree->logbooks[*unfilled].dives.size());
}

void TreeNodes::forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
    m_items.remove(LogbookViews::keyOf(item));
    m_unfilled.remove(item);
}
