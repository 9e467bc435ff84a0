#pragma once

#include "Database.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

// The main window's data control: the DIVE rows of a dive filter statement, newest first, one of
// them current, and the edits of the fields bound to the current row until they are written.
//
//     DiveDataControl data;
//     data.setDatabaseName(Settings::instance().databaseName());
//     data.setRecordSource(Settings::instance().currentFilter());
//     data.refresh();
//     data.moveToDive(42);                 // writes pending edits first
//     data.setValue("LOCATION", "Reef");   // a bound field typed into
//     data.updateRecord();                 // RuntimeError 3163 when a text is too long
//
// Pending edits belong to the dive they were typed for: they are written to that dive's row and
// never to another, whatever the control was moved or requeried to in between.
class DiveDataControl : public QObject {
    Q_OBJECT
public:
    // What a row's SAMPLE holds; the tree, the lists and the profile commands each ask differently.
    enum class SampleState : quint8 {
        Null,  // NULL
        Empty, // ""
        Blank, // blanks only
        Data,  // anything else
    };

    // What the tree and its counts need of a row; the rest is read for the current row only. These
    // columns are all in the logbook's (FILE_ID, DATETIME) index: a hundred thousand rows are read
    // without reading the rows themselves.
    struct Row {
        qint32 diveID = 0;
        qint32 fileID = 0;
        bool hasFileID = false;
        // DATETIME as stored, without a time zone: the tree shows it and counts days by it.
        QDate date; // invalid when NULL
        QTime time;
    };

    // What the picture of a dive in the tree tells.
    struct Look {
        bool isSimul = false;
        SampleState sample = SampleState::Null;
    };

    // The text columns the main window binds to its entry fields, and the columns written as a
    // whole by their own controls.
    static const QStringList BOUND_COLUMNS;
    static const QStringList WRITABLE_COLUMNS;

    explicit DiveDataControl(QObject* parent = nullptr);

    // Closes the connection when the name changes; the next refresh opens it again.
    void setDatabaseName(const QString& fileName);
    QString databaseName() const { return m_databaseName; }
    // A whole SELECT on DIVE, as Settings::currentFilter holds it; read by the next refresh.
    void setRecordSource(const QString& statement) { m_recordSource = statement; }
    QString recordSource() const { return m_recordSource; }

    // Reads the rows of the record source anew. The control stays on the current dive when it is
    // still among them and has no current row otherwise; pending edits are kept. Engine errors go
    // to the caller as RuntimeError, with the previous rows kept.
    void refresh();
    void requery() { refresh(); }

    const QList<Row>& rows() const { return m_rows; }
    qint32 recordCount() const { return qint32(m_rows.size()); }
    // The current row's index, -1 for none.
    qint32 absolutePosition() const { return m_position; }
    bool hasCurrentRow() const { return m_position >= 0; }
    // -1 without a current row.
    qint32 currentDiveID() const;
    // The position of the dive's row, -1 when it is not among the rows.
    qint32 indexOfDive(qint32 diveID) const { return m_index.value(diveID, -1); }

    // The looks of the dives of one logbook (FILE_ID), by DIVE_ID, read now: they take reading the
    // whole rows, so the tree reads them one logbook at a time, when it shows the logbook's dives.
    // Engine errors go to the caller as RuntimeError.
    QHash<qint32, Look> looksOfLogbook(qint32 fileID);

    // Writes the pending edits, then stands on the dive's row. False, with no current row, when the
    // dive is not among the rows. A failing write raises RuntimeError and the control does not move.
    bool moveToDive(qint32 diveID);

    // A column of the current row as stored, or as edited when an edit is pending; null without a
    // current row. RuntimeError 3265 for a column DIVE does not have.
    QVariant value(const QString& column) const;

    // True once the rows were read from a logbook this user cannot write: no edit can be stored.
    bool isReadOnly() const;

    // A bound field's new value for the current row; ignored without one. A value equal to the
    // stored one drops the edit. RuntimeError 3265 for a column that is not bound, 3027 when the
    // logbook is read-only (refused at once, not when it would be stored).
    void setValue(const QString& column, const QVariant& value);
    bool hasPendingEdits() const { return !m_pending.isEmpty(); }
    // The dive the pending edits belong to, -1 when there are none.
    qint32 pendingDiveID() const { return m_pending.isEmpty() ? -1 : m_pendingDiveID; }

    // Writes the pending edits to their dive's row in one statement. When the engine refuses them
    // (3163 for a text too long for its column) nothing is written, the edits stay pending and the
    // RuntimeError goes to the caller.
    void updateRecord();
    // Drops the pending edits.
    void cancelUpdate() { m_pending.clear(); }

    // Writes one column of the current row at once, apart from the pending edits. Does nothing
    // without a current row; engine errors go to the caller.
    void writeValue(const QString& column, const QVariant& value);

    // The statement refresh runs for a record source: the tree's columns of its rows, in its order.
    static QString rowStatement(const QString& recordSource);

signals:
    // The control stands on another row (or on none).
    void reposition();

private:
    Database& database();
    void loadCurrent(qint32 diveID);
    void setPosition(qint32 position);

    QString m_databaseName;
    QString m_recordSource;
    Database m_db;
    QList<Row> m_rows;
    QHash<qint32, qint32> m_index; // DIVE_ID -> row
    qint32 m_position = -1;
    QHash<QString, QVariant> m_current; // upper-case column -> value of the current row
    qint32 m_pendingDiveID = -1;
    QMap<QString, QVariant> m_pending; // column -> value
};
