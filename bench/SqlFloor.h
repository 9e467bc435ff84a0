#pragma once

// The floor under a benchmark: the statements the program ran for one repetition, caught from the
// engine's trace on the program's own connection, run again on a connection of their own, every
// column of every row read as the engine hands it over and nothing kept. A program case is then
// printed with its ratio to that floor, measured in the same run:
//
//     static bench::SqlFloor floor("BM_Load", bigLogbookPath);
//     floor.catchStatements(smallDb, [] { DiveModule::loadLogbookDives(1, false, filter); });
//     benchmark::RegisterBenchmark("Floor/BM_Load", bench::runFloor, &floor);   // first
//     ... and in BM_Load: bench::RatioToFloor ratio(state, "BM_Load"); per repetition ratio.time(...)
//
// The statements can be caught on a small logbook of the same keys: the big one then meets its
// first repetition in a process that has not read it yet, as a user's program does.

#include "Database.h"
#include "DbConnection.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <ctime>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {

class SqlFloor {
public:
    // The floor of the program case `caseName`, run on the logbook file at `path`.
    SqlFloor(const QString& caseName, const QString& path) : m_caseName(caseName), m_path(path) {}

    const QString& caseName() const { return m_caseName; }

    // Runs `work` once with the statements of `db`'s connection traced (with their bound values
    // written in), and keeps them, in the order they ran.
    template <typename Work> void catchStatements(const Database& db, Work&& work) {
        sqlite3* handle = handleOf(db);
        m_statements.clear();
        sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, &SqlFloor::traced, this);
        work();
        sqlite3_trace_v2(handle, 0, nullptr, nullptr);
    }

    const QStringList& statements() const { return m_statements; }

    // One repetition: opens the file, runs every statement, reads every row and closes it. Returns
    // the number of rows read.
    qint64 run() const {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(m_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("floor: cannot open the logbook");
        qint64 rows = 0;
        quint64 seen = 0;
        for (const QString& statement : m_statements) {
            sqlite3_stmt* stmt = nullptr;
            const QByteArray sql = statement.toUtf8();
            if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
                sqlite3_close(db);
                throw std::runtime_error("floor: a caught statement does not prepare");
            }
            const int columns = sqlite3_column_count(stmt);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                ++rows;
                for (int c = 0; c < columns; ++c) {
                    switch (sqlite3_column_type(stmt, c)) {
                    case SQLITE_INTEGER:
                        seen += quint64(sqlite3_column_int64(stmt, c));
                        break;
                    case SQLITE_FLOAT:
                        seen += quint64(sqlite3_column_double(stmt, c));
                        break;
                    case SQLITE_TEXT:
                        seen += *sqlite3_column_text(stmt, c) + quint64(sqlite3_column_bytes(stmt, c));
                        break;
                    case SQLITE_BLOB:
                        seen += quint64(sqlite3_column_bytes(stmt, c));
                        benchmark::DoNotOptimize(sqlite3_column_blob(stmt, c));
                        break;
                    default:
                        break;
                    }
                }
            }
            sqlite3_finalize(stmt);
        }
        sqlite3_close(db);
        benchmark::DoNotOptimize(seen);
        return rows;
    }

private:
    static sqlite3* handleOf(const Database& db) {
        const QVariant handle = db.connection().database().driver()->handle();
        if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
            throw std::runtime_error("floor: the connection is not the engine's");
        return *static_cast<sqlite3* const*>(handle.data());
    }

    static int traced(unsigned, void* self, void* statement, void*) {
        char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
        if (sql)
            static_cast<SqlFloor*>(self)->m_statements.append(QString::fromUtf8(sql));
        sqlite3_free(sql);
        return 0;
    }

    QString m_caseName;
    QString m_path;
    QStringList m_statements;
};

// What one repetition cost: the processor time of the process, which a machine busy with other
// work leaves as it is, and the wall-clock time, which it stretches.
struct Cost {
    double cpuMs = 0;
    double wallMs = 0;

    Cost& operator+=(const Cost& other) {
        cpuMs += other.cpuMs;
        wallMs += other.wallMs;
        return *this;
    }
    Cost per(qint64 repetitions) const { return {cpuMs / double(repetitions), wallMs / double(repetitions)}; }
};

inline double cpuNowMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

template <typename Work> Cost costOf(Work&& work) {
    QElapsedTimer wall;
    const double cpu = cpuNowMs();
    wall.start();
    work();
    return {cpuNowMs() - cpu, double(wall.nsecsElapsed()) / 1e6};
}

// The mean repetition of each floor, by the name of the program case it is the floor of.
inline QHash<QString, Cost>& floorCosts() {
    static QHash<QString, Cost> costs;
    return costs;
}

// The first repetition of each case in this run: a case runs several times while the library
// settles its repetitions, and only the first meets a cold process.
inline QHash<QString, Cost>& firstCosts() {
    static QHash<QString, Cost> costs;
    return costs;
}

// Times a case's repetitions and prints, beside its own figures, the floor's and the ratios to it,
// in processor time: `ratio` for the mean repetition, `first_ratio` for the first repetition of the
// run; `wall_ratio` is the mean's in wall-clock time.
class RatioToFloor {
public:
    RatioToFloor(benchmark::State& state, const QString& name) : m_state(state), m_name(name) {}
    ~RatioToFloor() {
        if (m_count == 0)
            return;
        const Cost mean = m_total.per(m_count);
        const Cost first = firstCosts().value(m_name);
        m_state.counters["cpu_ms"] = mean.cpuMs;
        m_state.counters["first_cpu_ms"] = first.cpuMs;
        const Cost floor = floorCosts().value(m_name);
        if (floor.cpuMs > 0 && floor.wallMs > 0) {
            m_state.counters["floor_cpu_ms"] = floor.cpuMs;
            m_state.counters["ratio"] = mean.cpuMs / floor.cpuMs;
            m_state.counters["first_ratio"] = first.cpuMs / floor.cpuMs;
            m_state.counters["wall_ratio"] = mean.wallMs / floor.wallMs;
        }
    }
    RatioToFloor(const RatioToFloor&) = delete;
    RatioToFloor& operator=(const RatioToFloor&) = delete;

    // Runs one repetition of `work`, timed.
    template <typename Work> void time(Work&& work) {
        const Cost cost = costOf(work);
        if (!firstCosts().contains(m_name))
            firstCosts().insert(m_name, cost);
        m_total += cost;
        ++m_count;
    }

private:
    benchmark::State& m_state;
    QString m_name;
    Cost m_total;
    qint64 m_count = 0;
};

// The floor case: runs `floor` and records its mean repetition for its program case.
inline void runFloor(benchmark::State& state, const SqlFloor* floor) {
    qint64 rows = 0;
    Cost total;
    for (auto _ : state)
        total += costOf([&] { rows = floor->run(); });
    const Cost mean = total.per(state.iterations());
    floorCosts().insert(floor->caseName(), mean);
    state.counters["cpu_ms"] = mean.cpuMs;
    state.counters["rows"] = double(rows);
    state.counters["statements"] = double(floor->statements().size());
}

} // namespace bench
