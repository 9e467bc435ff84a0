#include "Database.h"
#include "Recordset.h"
#include "SqlScript.h"
#include "StatementTrace.h"
#include "TestEnvironment.h"
#include "Workspace.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QtTest>

// The workspace's table of open files, seen from a process that has opened nothing before: the
// first case must run in a fresh table, so these cases live in a program of their own.
class tst_Workspace : public QObject {
    Q_OBJECT
private slots:
    void transactionBeginsEachOpenFileOnce();
};

namespace {
// A table of up to 64 files has 128 slots, and a key goes to the slot its hash names.
constexpr size_t SLOTS = 128;

size_t slotOf(const QString& key) {
    return qHash(key, QHashSeed::globalSeed()) & (SLOTS - 1);
}

// `count` file names in `folder` whose keys fall in the same slot.
QStringList namesInOneSlot(const QString& folder, size_t slot, int count) {
    QStringList names;
    for (int i = 0; names.size() < count; ++i) {
        const QString name = folder + QStringLiteral("/logbook%1.mdb").arg(i);
        if (slotOf(name) == slot)
            names.append(name);
    }
    return names;
}
} // namespace

// Two closed files and an open one in the same slot at the table's end, so the third wraps round
// to its start: forgetting the closed two moves the open one back behind a walk of the table,
// which then met it, and began it, twice.
void tst_Workspace::transactionBeginsEachOpenFileOnce() {
    TestEnvironment env;
    const QString folder = QDir(env.folder()).canonicalPath();
    const QStringList names = namesInOneSlot(folder, SLOTS - 2, 3);
    SqlScript::createDatabase(names[0], SqlScript::currentSchema());
    for (const QString& name : names.mid(1))
        QVERIFY(QFile::copy(names[0], name));

    Workspace& ws = Workspace::defaultWorkspace();
    ws.openDatabase(names[0]).close();
    ws.openDatabase(names[1]).close();
    Database open = ws.openDatabase(names[2]);
    StatementTrace trace(open);

    ws.beginTrans();
    QCOMPARE(trace.count(QRegularExpression(QStringLiteral("^BEGIN"))), 1);
    open.execute(QStringLiteral("INSERT INTO FILE (FILENAME, DIVE_MODEL) VALUES ('Elba', 1)"));
    ws.commitTrans();
    Recordset rs(open, QStringLiteral("SELECT count(*) FROM FILE"));
    QCOMPARE(rs.value(0).toInt(), 1);
}

QTEST_GUILESS_MAIN(tst_Workspace)
#include "tst_workspace.moc"
