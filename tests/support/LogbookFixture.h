#pragma once

// A small logbook database of the current schema in the test's program folder, filled row by row.

#include "Database.h"
#include "Recordset.h"
#include "Settings.h"
#include "SqlDates.h"
#include "SqlScript.h"
#include "Workspace.h"

#include <QDateTime>
#include <QStringList>
#include <QVariantMap>

class LogbookFixture {
public:
    // One sample, as every model reads it.
    static inline const QString ONE_SAMPLE = QStringLiteral("0100000000000000");

    LogbookFixture() {
        const QString file = Settings::instance().databaseName();
        SqlScript::createDatabase(file, SqlScript::currentSchema());
        db = Workspace::defaultWorkspace().openDatabase(file);
    }

    qint32 logbook(const QString& name, qint32 model) {
        db.execute(QStringLiteral("INSERT INTO FILE (FILENAME, DIVE_MODEL) VALUES (?, ?)"), {name, model});
        return lastID(QStringLiteral("FILE"), QStringLiteral("FILE_ID"));
    }

    // A dive with a one-sample profile unless `columns` says otherwise (a null SAMPLE for none).
    qint32 dive(qint32 fileID, const QDateTime& start, const QVariantMap& columns = {}) {
        QVariantMap values = columns;
        values.insert(QStringLiteral("FILE_ID"), fileID);
        values.insert(QStringLiteral("DATETIME"), SqlDates::toStored(start));
        if (!values.contains(QStringLiteral("SAMPLE")))
            values.insert(QStringLiteral("SAMPLE"), ONE_SAMPLE);
        QStringList marks;
        for (qsizetype i = 0; i < values.size(); ++i)
            marks.append(QStringLiteral("?"));
        db.execute(QStringLiteral("INSERT INTO DIVE (%1) VALUES (%2)")
                       .arg(values.keys().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                   values.values());
        return lastID(QStringLiteral("DIVE"), QStringLiteral("DIVE_ID"));
    }

    QVariant column(qint32 diveID, const QString& name) {
        Recordset rs(db, QStringLiteral("SELECT %1 FROM DIVE WHERE DIVE_ID = ?").arg(name), {diveID});
        return rs.eof() ? QVariant() : rs.value(0);
    }

    Database db;

private:
    qint32 lastID(const QString& table, const QString& key) {
        Recordset rs(db, QStringLiteral("SELECT MAX(%1) FROM %2").arg(key, table));
        return rs.value(0).toInt();
    }
};

inline QDateTime at(int year, int month, int day, int hour = 10, int minute = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}
