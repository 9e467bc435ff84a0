#include "SimulatedDiveStore.h"

#include "Database.h"
#include "Dive.h"
#include "DiveRow.h"
#include "ProfileText.h"
#include "Recordset.h"
#include "Seams.h"
#include "Settings.h"
#include "TransactionGuard.h"
#include "Workspace.h"

#include <QLocale>

namespace SimulatedDiveStore {

namespace {
// The eleven-compartment models always start a stored simulation from the surface loads.
constexpr int ZENTO_SURFACE_TISSUE = 26;

void setTissueColumns(Recordset& rs, const Dive& dive) {
    const Settings& settings = Settings::instance();
    const qint32 model = settings.currentDiveComputer();
    if (ModelCodes::hasElevenTissues(model)) {
        for (int n = 1; n <= 11; ++n)
            rs.setValue(QStringLiteral("TISSUE_%1").arg(n), ZENTO_SURFACE_TISSUE);
    } else if (settings.isCurrentDiveComputerRGBM()) {
        DiveRow::setRgbmColumns(rs, dive, DiveRow::single(dive.getTankPressure()));
    }
}
} // namespace

QString sampleText(const Dive& dive) {
    return ProfileText::write(dive, ProfileText::writeLayout());
}

Saved save(const Dive& dive, qint32 fileID, const QDateTime& now) {
    const QDateTime savedAt = now.addMSecs(-now.time().msec());
    // Built before the transaction: a profile the text format refuses costs no write.
    const QString samples = sampleText(dive);

    TransactionGuard transaction(Workspace::defaultWorkspace());
    Database db = Workspace::defaultWorkspace().openDatabase(Settings::instance().databaseName());
    Recordset rs = Recordset::table(db, QStringLiteral("DIVE"));
    Seams::events().processEvents();
    rs.addNew();
    rs.setValue(QStringLiteral("FILE_ID"), fileID);
    rs.setValue(QStringLiteral("DATETIME"), savedAt);
    DiveRow::setHeaderColumns(rs, dive);
    setTissueColumns(rs, dive);
    rs.setValue(QStringLiteral("IS_SIMUL"), true);
    rs.setValue(QStringLiteral("SAMPLE"), samples);
    rs.update();

    Saved saved;
    saved.logbookID = QString::number(fileID);
    saved.diveID = rs.lastModified().toString().trimmed();
    saved.dateTime = savedAt;
    saved.diveLabel = QLocale().toString(savedAt, QLocale::ShortFormat);
    rs.close();
    db.close();
    transaction.commit();
    return saved;
}

} // namespace SimulatedDiveStore
