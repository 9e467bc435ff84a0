#pragma once

#include "DiveDataControl.h"
#include "DiveDateText.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

// Number of dives per day, keyed by the day written "yyyymmdd"; keys in the order first met.
class DayCounts {
public:
    static QString keyOf(const QDate& day);

    void add(const QDate& day);
    // The day by its key, keyOf(day).
    void add(const QString& key);
    qint32 count(const QString& key) const { return m_counts.value(key); }
    bool contains(const QString& key) const { return m_counts.contains(key); }
    const QStringList& keys() const { return m_keys; }
    bool isEmpty() const { return m_keys.isEmpty(); }

private:
    QHash<QString, qint32> m_counts;
    QStringList m_keys;
};

// The contents of the main window's logbook tree: the model's root, its logbooks in the order the
// database gives them, under each the dives of the data control's rows, and the day counts the
// calendar reads. Built without a window, so that the rules can be tested on their own.
class LogbookTree {
public:
    // Pictures of the tree and the lists, by their place in the image list.
    enum Image {
        IMAGE_ROOT = 2,             // an open book
        IMAGE_LOGBOOK = 3,          // the diver-down flag
        IMAGE_LOGBOOK_SELECTED = 4, // the same flag, raised
        IMAGE_DIVE = 5,             // a diver: no profile
        IMAGE_DIVE_PROFILE = 6,     // a diver on a blue square: with profile
        IMAGE_DIVE_SIMULATED = 11,  // a diver with a diskette
    };

    struct LogbookRow {
        QVariant fileID; // as read: may be NULL
        QString name;
    };

    // A dive under its logbook. Its key and text are made when the tree's item or a list row is:
    // a hundred thousand dives are counted at every start, few of them shown.
    struct DiveNode {
        qint32 diveID = 0;
        QDate date; // invalid when NULL
        QTime time;
        QString key() const;
    };

    struct LogbookNode {
        qint32 fileID = 0;
        QString key;
        QString text;
        QList<DiveNode> dives;
        DayCounts dayCounts;
    };

    // The logbooks of a model (FILE rows whose DIVE_MODEL is the code), as the database returns
    // them. Engine errors go to the caller.
    static QList<LogbookRow> readLogbooks(const Database& db, qint16 model);

    // `visibleNodeKey` is the DIVE_ID, as text, of a dive to make visible, or "".
    static LogbookTree build(qint16 model, const QList<LogbookRow>& logbooks, const QList<DiveDataControl::Row>& rows,
                             const QString& visibleNodeKey);

    // The picture of a dive in the tree and in the dive list. The tree reads what it needs for a
    // logbook's dives when it shows them (DiveDataControl::looksOfLogbook).
    static int treeImage(bool isSimul, DiveDataControl::SampleState sample);
    static int listImage(bool isSimul, bool sampleIsNull);

    QString rootKey;
    QString rootText;
    QList<LogbookNode> logbooks;
    // Over all logbooks of the tree.
    DayCounts diveDayCounts;
    // Every day with a dive of the tree, once, in the order met.
    QList<QDate> diveDates;
    // The dive node to make visible; "" to show the root expanded.
    QString visibleDiveKey;

    // A dive's text in the tree: its date and time in the user's formats, "?" when it has none.
    QString text(const DiveNode& dive) const;

    const LogbookNode* logbook(const QString& key) const;
    // The logbook whose node holds the dive; null when the tree shows no such dive.
    const LogbookNode* logbookOfDive(qint32 diveID) const;
    qint32 diveCount() const;
    bool hasDiveDate(const QDate& day) const { return m_dateSet.contains(day); }

private:
    DiveDateText m_dateText;
    // Many dives share a day and a time of day; each is written once.
    mutable QHash<QDate, QString> m_dayTexts;
    mutable QHash<QTime, QString> m_timeTexts;
    QHash<QString, qsizetype> m_logbookIndex;
    QHash<qint32, qsizetype> m_logbookOfDive;
    QSet<QDate> m_dateSet;
};
