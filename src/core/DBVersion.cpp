#include "DBVersion.h"

#include "Database.h"
#include "DbError.h"
#include "Dive.h"
#include "ProfileText.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "TransactionGuard.h"
#include "Workspace.h"

#include <QList>
#include <vector>

namespace DBVersion {

namespace {

// The "2.2" columns. An added column holds 0 in the rows already there, as in every new row.
const char* const NEW_COLUMNS[] = {
    "alter table DIVE add column AUTOZERO short NOT NULL DEFAULT 0;",
    "alter table DIVE add column AIRTIME_FLAG short NOT NULL DEFAULT 0;",
    "alter table DIVE add column VOLUME_MEASURE short NOT NULL DEFAULT 0;",
    "alter table DIVE add column RESERVE100_FLAG short NOT NULL DEFAULT 0;",
    "alter table DIVE add column DEPTH_M_PREC short NOT NULL DEFAULT 0;",
    "alter table DIVE add column DEPTH_M short NOT NULL DEFAULT 0;",
    "alter table DIVE add column DIVE_DAYS short NOT NULL DEFAULT 0;",
    "alter table DIVE add column TSR short NOT NULL DEFAULT 0;",
    "alter table DIVE add column TANK_VOLUME short NOT NULL DEFAULT 0;",
    "alter table DIVE add column TANK_PRESSURE short NOT NULL DEFAULT 0;",
    "alter table DIVE add column TANK_USE short NOT NULL DEFAULT 0;",
    "alter table DIVE add column START_TANK_PRESSURE short NOT NULL DEFAULT 0;",
    "alter table DIVE add column STOP_TANK_PRESSURE short NOT NULL DEFAULT 0;",
    "alter table DIVE add column RESERVE50 short NOT NULL DEFAULT 0;",
    "alter table DIVE add column RESERVE100 short NOT NULL DEFAULT 0;",
    "alter table DIVE add column DEEP_STOP_1 short NOT NULL DEFAULT 0;",
    "alter table DIVE add column DEEP_STOP_2 short NOT NULL DEFAULT 0;",
    "alter table DIVE add column IS_SIMUL bit NOT NULL DEFAULT 0;",
};

void setVersion(Database& db, const QString& version) {
    db.execute(QStringLiteral("update VERSION set VERSION = ? where ID = 0"), {version});
}

// "2.0" -> "2.1": every profile read in three-character fields and written again in four.
void rewriteProfiles(Database& db) {
    std::vector<Dive> dives;
    {
        Recordset rs(db, QStringLiteral("SELECT DIVE_ID, SAMPLE FROM DIVE"), {}, Recordset::ForwardOnly);
        for (; !rs.eof(); rs.moveNext()) {
            Dive dive;
            dive.setDiveID(rs.value(0).toDouble());
            const QVariant sample = rs.value(1);
            dive.setSAMPLES(sample.isNull() ? QString() : sample.toString());
            if (!dive.getSamples().isEmpty()) {
                const ProfileText::ReadResult result = ProfileText::read(dive, ProfileText::Layout::Version20);
                // Half a rewrite would leave a file of two layouts: any damage fails the step.
                if (result.damaged)
                    throw RuntimeError(RuntimeError::TypeMismatch, QStringLiteral("DBVersion.upgradeDB"),
                                       QStringLiteral("Dive %1: %2").arg(dive.diveID()).arg(result.description()));
            }
            dives.push_back(std::move(dive));
        }
    }
    for (const Dive& dive : dives) {
        if (!dive.hasSamples())
            continue;
        db.execute(QStringLiteral("update DIVE set SAMPLE = ? WHERE DIVE_ID = ?"),
                   {ProfileText::write(dive, ProfileText::Layout::Scuba), dive.diveID()});
    }
}

void addColumns(Database& db) {
    for (const char* statement : NEW_COLUMNS)
        db.execute(QString::fromLatin1(statement));
}

} // namespace

bool upgradeDB(const QString& version) {
    if (version != QLatin1String("2.1") && version != QLatin1String("2.2"))
        return true;
    // A failure to begin is not the step's: it goes to the caller.
    TransactionGuard transaction;
    try {
        Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
        if (version == QLatin1String("2.1"))
            rewriteProfiles(db);
        else
            addColumns(db);
        setVersion(db, version);
        transaction.commit();
        return true;
    } catch (const RuntimeError& e) {
        // The guard rolls the step back; the next start tries again. A file another program holds
        // is no failed step: the caller may wait for it.
        if (e.number() == DbError::Locked)
            throw;
        return false;
    }
}

void checkDBVersion() {
    QString version;
    try {
        Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
        Recordset rs(db, QStringLiteral("SELECT * FROM VERSION where ID = 0"));
        if (!rs.eof()) {
            const QVariant value = rs.value(QStringLiteral("VERSION"));
            version = value.isNull() ? QString() : value.toString();
        }
    } catch (const RuntimeError& e) {
        // A file another program holds is not known to be current: upgrading it later is the
        // caller's choice.
        if (e.number() == DbError::Locked)
            throw;
        // No file, no table, no row: the database counts as current and is left alone.
        version.clear();
    }
    if (version.isEmpty())
        version = QStringLiteral("2.2");

    if (version == QLatin1String("2.0")) {
        // A file marked "2.2" whose profiles still had the old layout would be misread for good: the
        // columns wait until the profiles are rewritten.
        if (upgradeDB(QStringLiteral("2.1")))
            upgradeDB(QStringLiteral("2.2"));
    } else if (version == QLatin1String("2.1")) {
        upgradeDB(QStringLiteral("2.2"));
    }
}

} // namespace DBVersion
