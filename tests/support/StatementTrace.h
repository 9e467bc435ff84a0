#pragma once

// The statements a logbook's connection runs while a trace lives, caught from the engine's own trace
// with their bound values written in: what a test counts to see that the program does not read the
// same thing twice.
//
//     StatementTrace trace(fixture.db);
//     window->changeCurrentTab(DiveTabs::TAB_PROFILE);
//     QCOMPARE(trace.count(QRegularExpression("DIVE_ID = 7$")), 1);

#include "Database.h"
#include "DbConnection.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringList>
#include <sqlite3.h>

class StatementTrace {
public:
    explicit StatementTrace(const Database& db) : m_handle(handleOf(db)) {
        sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &StatementTrace::traced, this);
    }
    ~StatementTrace() { sqlite3_trace_v2(m_handle, 0, nullptr, nullptr); }
    StatementTrace(const StatementTrace&) = delete;
    StatementTrace& operator=(const StatementTrace&) = delete;

    // In the order they ran.
    const QStringList& statements() const { return m_statements; }
    qsizetype count(const QRegularExpression& pattern) const {
        qsizetype n = 0;
        for (const QString& statement : m_statements)
            n += pattern.match(statement).hasMatch() ? 1 : 0;
        return n;
    }
    void clear() { m_statements.clear(); }

private:
    static sqlite3* handleOf(const Database& db) {
        const QVariant handle = db.connection().database().driver()->handle();
        if (qstrcmp(handle.typeName(), "sqlite3*") != 0 || !handle.data())
            qFatal("the logbook's connection is not the engine's");
        return *static_cast<sqlite3* const*>(handle.data());
    }

    static int traced(unsigned, void* self, void* statement, void*) {
        char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
        if (sql)
            static_cast<StatementTrace*>(self)->m_statements.append(QString::fromUtf8(sql));
        sqlite3_free(sql);
        return 0;
    }

    sqlite3* m_handle;
    QStringList m_statements;
};
