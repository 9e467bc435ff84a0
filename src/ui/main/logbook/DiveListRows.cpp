#include "DiveListRows.h"

#include "CodedLists.h"
#include "EngineRows.h"
#include "LogbookTree.h"
#include "MainModule.h"
#include "TreeNodeKey.h"

#include <QHash>

namespace DiveListRows {

QList<LogbookItem> logbookItems(const QList<Node>& logbooks) {
    QList<LogbookItem> items;
    items.reserve(logbooks.size());
    for (const Node& node : logbooks)
        items.append(
            {node.key, node.text, QString::number(node.childCount), QStringLiteral("nd"), QStringLiteral("nd")});
    return items;
}

QList<ListRowsModel::Row> diveRows(const Database& db, qint32 fileID, QList<Node> dives, qint16 bottomTimeCode,
                                   qint16 freeDiveCode) {
    // Each row read goes straight to the list row of its node: a logbook of ten thousand dives
    // keeps no second copy of its rows.
    QList<ListRowsModel::Row> rows(dives.size());
    QHash<qint32, qsizetype> nodeOf; // a dive has one node in its logbook
    nodeOf.reserve(dives.size());
    for (qsizetype i = 0; i < dives.size(); ++i)
        nodeOf.insert(TreeNodeKey::id(dives[i].key), i);

    // Read afresh, so that the list shows what was stored since the tree was built.
    EngineRows rs(db,
                  QStringLiteral("SELECT DIVE_ID, DIVER, LOCATION, ACTIVITY, DIVE_MODE, IS_SIMUL, SAMPLE IS NULL "
                                 "FROM DIVE WHERE FILE_ID = ?"),
                  {fileID});
    // Numbers as the engine holds them; anything else as the driver's value converts.
    const auto integer = [&rs](int column) {
        return rs.type(column) == EngineRows::Integer ? rs.integer(column) : rs.value(column).toLongLong();
    };
    // A diver or a site recurs from dive to dive: each text is made once and shared, up to a bound,
    // past which a logbook of texts all different would only fill the table. An activity's text is
    // made once per code.
    constexpr qsizetype SHARED_TEXTS = 512;
    QHash<QByteArray, QString> divers;
    QHash<QByteArray, QString> locations;
    const auto text = [&rs](int column, QHash<QByteArray, QString>& made) {
        switch (rs.type(column)) {
        case EngineRows::Text: {
            const QByteArrayView bytes = rs.bytes(column);
            const auto at = made.constFind(QByteArray::fromRawData(bytes.data(), bytes.size()));
            if (at != made.constEnd())
                return *at;
            const QString read = rs.text(column);
            if (made.size() < SHARED_TEXTS)
                made.insert(bytes.toByteArray(), read);
            return read;
        }
        case EngineRows::Null:
            return QString();
        default:
            return rs.value(column).toString();
        }
    };
    QHash<qint64, QString> activities;
    const auto activity = [&rs, &activities] {
        if (rs.type(3) != EngineRows::Integer)
            return activityText(rs.value(3));
        const qint64 code = rs.integer(3);
        auto at = activities.constFind(code);
        if (at == activities.constEnd())
            at = activities.insert(code, activityText(code));
        return *at;
    };
    for (; !rs.atEnd(); rs.next()) {
        const auto node = nodeOf.constFind(qint32(integer(0)));
        if (node == nodeOf.constEnd())
            continue;
        ListRowsModel::Row& row = rows[*node];
        row.image = LogbookTree::listImage(integer(5) != 0, integer(6) != 0);
        row.texts = {QString(), text(1, divers), text(2, locations), activity(),
                     modeText(qint32(integer(4)), bottomTimeCode, freeDiveCode)};
    }

    // The nodes' texts are moved, not copied, once the rows are read: the loop above stays on the
    // rows, and the nodes' strings are not touched. A node without its row (whose texts were never
    // set) is left out.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!rows[i].texts.isEmpty()) {
            ListRowsModel::Row& row = rows[kept];
            if (kept != i)
                row = std::move(rows[i]);
            row.key = std::move(dives[i].key);
            row.texts[0] = std::move(dives[i].text);
            ++kept;
        }
    }
    rows.resize(kept);
    return rows;
}

QString modeText(qint32 mode, qint16 bottomTimeCode, qint16 freeDiveCode) {
    if (mode == 0)
        return QStringLiteral("Air");
    if (mode == bottomTimeCode)
        return QStringLiteral("Bottom Time");
    if (mode == 1)
        return QStringLiteral("Nitrox");
    if (mode == freeDiveCode)
        return QStringLiteral("Free Dive");
    return QString();
}

QString activityText(const QVariant& activity) {
    return CodedLists::text(CodedLists::ACTIVITY, activity);
}

} // namespace DiveListRows
