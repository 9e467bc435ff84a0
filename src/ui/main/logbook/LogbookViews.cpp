#include "LogbookViews.h"

#include "LogbookTree.h"
#include "MainPictures.h"
#include "Settings.h"
#include "TreeNodeKey.h"

#include <QTreeWidget>

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

QTreeWidgetItem* buildTree(const LogbookTree& tree, QHash<QString, QTreeWidgetItem*>& nodes) {
    QTreeWidgetItem* root = item(tree.rootKey, tree.rootText, MainPictures::logBookIcon(LogbookTree::IMAGE_ROOT));
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);
    nodes.insert(tree.rootKey, root);
    const QIcon logbookIcon = MainPictures::logBookIcon(LogbookTree::IMAGE_LOGBOOK);
    for (const LogbookTree::LogbookNode& logbook : tree.logbooks) {
        QTreeWidgetItem* logbookItem = item(logbook.key, logbook.text, logbookIcon);
        nodes.insert(logbook.key, logbookItem);
        QList<QTreeWidgetItem*> dives;
        dives.reserve(logbook.dives.size());
        for (const LogbookTree::DiveNode& dive : logbook.dives) {
            QTreeWidgetItem* diveItem = item(dive.key, dive.text, MainPictures::logBookIcon(dive.image));
            nodes.insert(dive.key, diveItem);
            dives.append(diveItem);
        }
        logbookItem->addChildren(dives);
        root->addChild(logbookItem);
    }
    return root;
}

QList<DiveListRows::Node> childrenOf(const QTreeWidgetItem* node) {
    QList<DiveListRows::Node> children;
    children.reserve(node->childCount());
    for (int i = 0; i < node->childCount(); ++i) {
        const QTreeWidgetItem* child = node->child(i);
        children.append({keyOf(child), child->text(0), child->childCount()});
    }
    return children;
}

void fillLogbookList(QTreeWidget* list, const QTreeWidgetItem* root) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    const QIcon icon = MainPictures::logBookIcon(LogbookTree::IMAGE_LOGBOOK);
    for (const DiveListRows::LogbookItem& logbook : DiveListRows::logbookItems(childrenOf(root))) {
        QTreeWidgetItem* row = item(logbook.key, logbook.name, icon);
        row->setText(1, logbook.dives);
        row->setText(2, logbook.maxDepth);
        row->setText(3, logbook.minTemperature);
        items.append(row);
    }
    list->addTopLevelItems(items);
}

void fillDiveList(QTreeWidget* list, const QTreeWidgetItem* logbook, const Database& db) {
    list->clear();
    const Settings& settings = Settings::instance();
    QList<QTreeWidgetItem*> items;
    for (const DiveListRows::DiveItem& dive :
         DiveListRows::diveItems(db, TreeNodeKey::id(keyOf(logbook)), childrenOf(logbook), settings.getBottomTimeCode(),
                                 settings.getFreeDiveCode())) {
        QTreeWidgetItem* row = item(dive.key, dive.dateTime, MainPictures::logBookIcon(dive.image));
        row->setText(1, dive.diver);
        row->setText(2, dive.location);
        row->setText(3, dive.activity);
        row->setText(4, dive.mode);
        items.append(row);
    }
    list->addTopLevelItems(items);
    // Dates and times are all about as wide: the first rows tell the column's width.
    int widest = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(items.size(), 50); ++i)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(items[i]->text(0)));
    list->setColumnWidth(0, std::max(list->columnWidth(0), widest + 32));
}

} // namespace LogbookViews
