#include "ScopedConnection.h"

#include <atomic>

namespace {
std::atomic<int> g_connections{0};
} // namespace

ScopedConnection::ScopedConnection(const QString& prefix)
    : m_name(QStringLiteral("%1-%2").arg(prefix).arg(++g_connections)) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

ScopedConnection::~ScopedConnection() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}
