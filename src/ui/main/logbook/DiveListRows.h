#pragma once

#include "ListRowsModel.h"

#include <QList>
#include <QString>
#include <QVariant>

class Database;

// The rows of the two lists on the List tab: the logbooks of the dive computer node and the dives
// of a logbook node, each read from the tree nodes it lists.
namespace DiveListRows {

// A child of the tree node being listed.
struct Node {
    QString key;
    QString text;
    int childCount = 0;
};

struct LogbookItem {
    QString key;
    QString name;
    QString dives; // the number of dive nodes, in decimal
    QString maxDepth;
    QString minTemperature;
};

QList<LogbookItem> logbookItems(const QList<Node>& logbooks);

// The dive list's rows: one per dive node whose row the logbook still has, in the nodes' order,
// with the node's key and the picture of its dive; a node without its row is left out. The
// columns: the node's text (the date and time), the diver, the location, the activity and the
// mode, whose words follow the codes of the model in use.
QList<ListRowsModel::Row> diveRows(const Database& db, qint32 fileID, QList<Node> dives, qint16 bottomTimeCode,
                                   qint16 freeDiveCode);

// "Air", "Bottom Time", "Nitrox" or "Free Dive", tested in this order; "" for another mode.
QString modeText(qint32 mode, qint16 bottomTimeCode, qint16 freeDiveCode);
// The activity's name; "" for -1, NULL or a code outside the list.
QString activityText(const QVariant& activity);

} // namespace DiveListRows
