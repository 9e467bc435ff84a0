#include "Logbooks.h"

#include "Database.h"
#include "DiveModule.h"
#include "MainModule.h"
#include "Recordset.h"
#include "Seams.h"
#include "Settings.h"
#include "Workspace.h"

#include <QStringList>
#include <algorithm>

namespace Logbooks {

namespace {
Database openLogbooks() {
    return Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
}
} // namespace

NameCheck checkName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return NameCheck::Empty;
    if (trimmed.size() > MAX_NAME_LENGTH)
        return NameCheck::TooLong;
    if (DiveModule::hasInvalidChars(name))
        return NameCheck::InvalidChars;
    if (DiveModule::logbookExists(name))
        return NameCheck::Exists;
    return NameCheck::Accepted;
}

qint32 create(const QString& name) {
    Database db = openLogbooks();
    Recordset rs = Recordset::table(db, QStringLiteral("FILE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILENAME"), name);
    rs.setValue(QStringLiteral("DIVE_MODEL"), Settings::instance().currentDiveComputer());
    rs.setValue(QStringLiteral("CREATION_DATE"), Seams::clock().now());
    rs.update();
    return rs.lastModified().toInt();
}

qint32 diveCount(qint32 fileID) {
    Database db = openLogbooks();
    Recordset rs(db, QStringLiteral("SELECT COUNT(*) FROM DIVE WHERE FILE_ID = ?"), {fileID});
    return rs.value(0).toInt();
}

void remove(qint32 fileID) {
    Database db = openLogbooks();
    db.execute(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = ?"), {fileID});
}

QList<qint32> divesWithoutLogbook() {
    Database db = openLogbooks();
    QList<qint32> keys;
    // Runs at every start: without an ORDER BY the engine reads only the logbook index, not every
    // dive's row with its profile (a few ms against a quarter second at 100,000 dives).
    for (Recordset rs(db,
                      QStringLiteral("SELECT DIVE_ID FROM DIVE WHERE FILE_ID IS NULL OR FILE_ID NOT IN "
                                     "(SELECT FILE_ID FROM FILE)"),
                      {}, Recordset::ForwardOnly);
         !rs.eof(); rs.moveNext())
        keys.append(rs.value(0).toInt());
    std::sort(keys.begin(), keys.end());
    return keys;
}

void reportDivesWithoutLogbook() {
    const QList<qint32> keys = divesWithoutLogbook();
    if (keys.isEmpty())
        return;
    // Enough keys to find them; a box of thousands helps no one.
    constexpr qsizetype SHOWN = 50;
    QStringList shown;
    for (qsizetype i = 0; i < qMin(keys.size(), SHOWN); ++i)
        shown.append(QString::number(keys[i]));
    if (keys.size() > SHOWN)
        shown.append(QStringLiteral("..."));
    Seams::message().show(QStringLiteral("[frmMain.Form_Load] %1 dive(s) belong to no logbook and are not shown; "
                                         "they are kept as they are.\nDIVE_ID: %2")
                              .arg(keys.size())
                              .arg(shown.join(QStringLiteral(", "))),
                          Msg::OkOnly | Msg::Exclamation, getString(1005));
}

} // namespace Logbooks
