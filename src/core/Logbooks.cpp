#include "Logbooks.h"

#include "Database.h"
#include "DiveModule.h"
#include "Recordset.h"
#include "Seams.h"
#include "Settings.h"
#include "Workspace.h"

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

} // namespace Logbooks
