#include "LogbookTree.h"

#include "DiveDateText.h"
#include "MainModule.h"
#include "Recordset.h"
#include "TreeNodeKey.h"

#include <limits>
#include <numeric>

// Made for every dive of the tree, twice: digits put in place, not a formatted print.
QString DayCounts::keyOf(const QDate& day) {
    const int year = day.year();
    if (year < 0 || year > 9999)
        return QString::asprintf("%04d%02d%02d", year, day.month(), day.day());
    char16_t text[8];
    const int parts[] = {year / 100, year % 100, day.month(), day.day()};
    for (int i = 0; i < 4; ++i) {
        text[2 * i] = char16_t(u'0' + parts[i] / 10);
        text[2 * i + 1] = char16_t(u'0' + parts[i] % 10);
    }
    return QString(reinterpret_cast<const QChar*>(text), 8);
}

void DayCounts::add(const QDate& day) {
    add(keyOf(day));
}

void DayCounts::add(const QString& key) {
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

    // The dive to make visible is named by its DIVE_ID exactly as written in decimal; any other text
    // names none.
    bool isNumber = false;
    const qint64 visibleNumber = visibleNodeKey.toLongLong(&isNumber);
    const qint64 visibleID = isNumber && QString::number(visibleNumber) == visibleNodeKey
                                 ? visibleNumber
                                 : std::numeric_limits<qint64>::min();

    // Dives of logbooks the tree does not show (another model's) are left out, and so are their
    // days.
    QHash<qint32, qsizetype> logbookOfFile;
    for (qsizetype i = 0; i < tree.logbooks.size(); ++i)
        logbookOfFile.insert(tree.logbooks[i].fileID, i);
    QList<qsizetype> dives(tree.logbooks.size(), 0);
    for (const DiveDataControl::Row& row : rows) {
        const auto at = row.hasFileID ? logbookOfFile.constFind(row.fileID) : logbookOfFile.constEnd();
        if (at != logbookOfFile.constEnd())
            ++dives[*at];
    }
    for (qsizetype i = 0; i < tree.logbooks.size(); ++i)
        tree.logbooks[i].dives.reserve(dives[i]);
    tree.m_logbookOfDive.reserve(std::accumulate(dives.cbegin(), dives.cend(), qsizetype(0)));
    for (const DiveDataControl::Row& row : rows) {
        if (!row.hasFileID)
            continue;
        const auto at = logbookOfFile.constFind(row.fileID);
        if (at == logbookOfFile.constEnd())
            continue;
        LogbookNode& logbook = tree.logbooks[*at];
        logbook.dives.append({row.diveID, row.date, row.time});
        tree.m_logbookOfDive.insert(row.diveID, *at);
        if (row.diveID == visibleID)
            tree.visibleDiveKey = TreeNodeKey::dive(row.diveID);

        if (!row.date.isValid())
            continue;
        if (!tree.m_dateSet.contains(row.date)) {
            tree.m_dateSet.insert(row.date);
            tree.diveDates.append(row.date);
        }
        const QString day = DayCounts::keyOf(row.date);
        tree.diveDayCounts.add(day);
        logbook.dayCounts.add(day);
    }
    return tree;
}

QString LogbookTree::DiveNode::key() const {
    return TreeNodeKey::dive(diveID);
}

// A dive whose start is damaged is still the diver's dive: it is listed, to be re-dated.
QString LogbookTree::text(const DiveNode& dive) const {
    if (!dive.date.isValid())
        return QStringLiteral("?");
    auto day = m_dayTexts.constFind(dive.date);
    if (day == m_dayTexts.constEnd())
        day = m_dayTexts.insert(dive.date, m_dateText.dateText(dive.date));
    auto time = m_timeTexts.constFind(dive.time);
    if (time == m_timeTexts.constEnd())
        time = m_timeTexts.insert(dive.time, m_dateText.timeText(dive.time));
    return *day + u' ' + *time;
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
