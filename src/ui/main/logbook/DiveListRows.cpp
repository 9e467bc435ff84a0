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

QList<DiveItem> diveItems(const Database& db, qint32 fileID, const QList<Node>& dives, qint16 bottomTimeCode,
                          qint16 freeDiveCode) {
    struct Row {
        QVariant diver;
        QVariant location;
        QVariant activity;
        qint32 mode;
        bool isSimul;
        bool sampleIsNull;
    };
    // Read afresh, so that the list shows what was stored since the tree was built.
    QHash<qint32, Row> rows;
    {
        EngineRows rs(db,
                      QStringLiteral("SELECT DIVE_ID, DIVER, LOCATION, ACTIVITY, DIVE_MODE, IS_SIMUL, SAMPLE IS NULL "
                                     "FROM DIVE WHERE FILE_ID = ?"),
                      {fileID});
        // Numbers as the engine holds them; anything else as the driver's value converts.
        const auto integer = [&rs](int column) {
            return rs.type(column) == EngineRows::Integer ? rs.integer(column) : rs.value(column).toLongLong();
        };
        for (; !rs.atEnd(); rs.next())
            rows.insert(qint32(integer(0)),
                        {rs.value(1), rs.value(2), rs.value(3), qint32(integer(4)), integer(5) != 0, integer(6) != 0});
    }

    QList<DiveItem> items;
    items.reserve(dives.size());
    for (const Node& node : dives) {
        const auto row = rows.constFind(TreeNodeKey::id(node.key));
        if (row == rows.constEnd())
            continue;
        DiveItem item;
        item.key = node.key;
        item.image = LogbookTree::listImage(row->isSimul, row->sampleIsNull);
        item.dateTime = node.text;
        item.diver = row->diver.isNull() ? QString() : row->diver.toString();
        item.location = row->location.isNull() ? QString() : row->location.toString();
        item.activity = activityText(row->activity);
        item.mode = modeText(row->mode, bottomTimeCode, freeDiveCode);
        items.append(item);
    }
    return items;
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
