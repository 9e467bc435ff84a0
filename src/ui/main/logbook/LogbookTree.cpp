#include "LogbookTree.h"

#include "DiveDateText.h"
#include "MainModule.h"
#include "Recordset.h"
#include "TreeNodeKey.h"

QString DayCounts::keyOf(const QDate& day) {
    return QString::asprintf("%04d%02d%02d", day.year(), day.month(), day.day());
}

void DayCounts::add(const QDate& day) {
    const QString key = keyOf(day);
    auto it = m_counts.find(key);
    if (it == m_counts.end()) {
        m_counts.insert(key, 1);
        m_keys.append(key);
    } else {
        ++*it;
    }
}

QList<LogbookTree::LogbookRow> LogbookTree::readLogbooks(const Database& db, qint16 model) {
    Recordset rs(db, QStringLiteral("SELECT FILENAME, FILE_ID FROM FILE WHERE DIVE_MODEL = ?"), {model},
                 Recordset::ForwardOnly);
    QList<LogbookRow> rows;
    for (; !rs.eof(); rs.moveNext())
        rows.append({rs.value(1), rs.value(0).toString()});
    return rows;
}

int LogbookTree::treeImage(bool isSimul, DiveDataControl::SampleState sample) {
    if (isSimul)
        return IMAGE_DIVE_SIMULATED;
    return sample == DiveDataControl::SampleState::Data ? IMAGE_DIVE_PROFILE : IMAGE_DIVE;
}

int LogbookTree::listImage(bool isSimul, bool sampleIsNull) {
    if (isSimul)
        return IMAGE_DIVE_SIMULATED;
    return sampleIsNull ? IMAGE_DIVE : IMAGE_DIVE_PROFILE;
}

LogbookTree LogbookTree::build(qint16 model, const QList<LogbookRow>& logbooks, const QList<DiveDataControl::Row>& rows,
                               const QString& visibleNodeKey) {
    LogbookTree tree;
    tree.rootKey = TreeNodeKey::root(model);
    tree.rootText = getDiveComputerName(model);

    for (const LogbookRow& row : logbooks) {
        const QString id = row.fileID.isNull() ? QString() : row.fileID.toString().trimmed();
        if (id.isEmpty())
            continue;
        LogbookNode node;
        node.fileID = row.fileID.toInt();
        node.key = TreeNodeKey::logbook(node.fileID);
        if (tree.m_logbookIndex.contains(node.key))
            continue; // a key the tree already holds cannot be added twice
        node.text = row.name;
        tree.m_logbookIndex.insert(node.key, tree.logbooks.size());
        tree.logbooks.append(node);
    }

    // Dives of logbooks the tree does not show (another model's) are left out, and so are their
    // days.
    const DiveDateText dateText;
    QHash<qint32, qsizetype> logbookOfFile;
    for (qsizetype i = 0; i < tree.logbooks.size(); ++i)
        logbookOfFile.insert(tree.logbooks[i].fileID, i);
    for (const DiveDataControl::Row& row : rows) {
        if (!row.hasFileID)
            continue;
        const auto at = logbookOfFile.constFind(row.fileID);
        if (at == logbookOfFile.constEnd())
            continue;
        LogbookNode& logbook = tree.logbooks[*at];
        DiveNode dive;
        dive.diveID = row.diveID;
        dive.key = TreeNodeKey::dive(row.diveID);
        // A dive whose start is damaged is still the diver's dive: it is listed, to be re-dated.
        dive.text = row.date.isValid() ? dateText.text(row.date, row.time) : QStringLiteral("?");
        logbook.dives.append(dive);
        tree.m_logbookOfDive.insert(row.diveID, *at);
        if (!visibleNodeKey.isEmpty() && QString::number(row.diveID) == visibleNodeKey)
            tree.visibleDiveKey = dive.key;

        if (!row.date.isValid())
            continue;
        if (!tree.m_dateSet.contains(row.date)) {
            tree.m_dateSet.insert(row.date);
            tree.diveDates.append(row.date);
        }
        tree.diveDayCounts.add(row.date);
        logbook.dayCounts.add(row.date);
    }
    return tree;
}

const LogbookTree::LogbookNode* LogbookTree::logbook(const QString& key) const {
    const auto at = m_logbookIndex.constFind(key);
    return at == m_logbookIndex.constEnd() ? nullptr : &logbooks[*at];
}

const LogbookTree::LogbookNode* LogbookTree::logbookOfDive(qint32 diveID) const {
    const auto at = m_logbookOfDive.constFind(diveID);
    return at == m_logbookOfDive.constEnd() ? nullptr : &logbooks[*at];
}

qint32 LogbookTree::diveCount() const {
    qint32 count = 0;
    for (const LogbookNode& logbook : logbooks)
        count += qint32(logbook.dives.size());
    return count;
}
