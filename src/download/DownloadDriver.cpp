#include "DownloadDriver.h"

#include "Database.h"
#include "DbError.h"
#include "DiveColumns.h"
#include "DownloadConfirmDialog.h"
#include "DownloadKOBI.h"
#include "DownloadProgress.h"
#include "DownloadTAVEX.h"
#include "DownloadZento.h"
#include "MainModule.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "SavepointGuard.h"
#include "Seams.h"
#include "Settings.h"

#include <algorithm>

namespace {

// The store step's writes, undone together when it fails: the dialog's transaction (a logbook
// created in it, say) stays as it was.
const QString savepoint = QStringLiteral("download_store");

QString countText(qint16 n) {
    // A blank where a minus sign would stand, so that the counts line up.
    return n >= 0 ? u' ' + QString::number(n) : QString::number(n);
}

} // namespace

std::unique_ptr<DownloadDriver> DownloadDriver::create(qint32 modelCode) {
    const std::optional<ModelCode> model = ModelCodes::model(modelCode);
    if (!model)
        return nullptr;
    switch (*model) {
    case ModelCode::dcZento:
    case ModelCode::dcLUMO:
    case ModelCode::dcZentoRGBM:
        return std::make_unique<DownloadZento>();
    case ModelCode::dcTAVEX:
    case ModelCode::dcLumoAir:
        return std::make_unique<DownloadTAVEX>();
    case ModelCode::dcKOBI:
        return std::make_unique<DownloadKOBI>();
    }
    return nullptr;
}

bool DownloadDriver::storeProfiles(Database& db, qint32 newFileID, qint16 nDives, DownloadProgress& progressDownload) {
    try {
        progressDownload.setMax(2 * qint32(nDives) + 1);
        progressDownload.setMin(1);
        progressDownload.setValue(1);
        const std::vector<Dive> dives = decodeProfiles(nDives, progressDownload);

        SavepointGuard store(db, savepoint);
        StoreCounts counts = appendDives(db, newFileID, dives, progressDownload);
        // A record left out while decoding has no row to write, but takes its step of the bar here
        // as every other record does: the bar ends full.
        for (qsizetype i = 0; i < m_leftOut.size(); ++i)
            step(progressDownload);
        // A damaged record is one of the dives delivered, and as much left out as an unwritable one.
        counts.total = qint16(std::min<qsizetype>(qsizetype(counts.total) + m_leftOut.size(), 32767));
        counts.skipped = m_leftOut + counts.skipped;
        store.release();
        db.close();
        m_counts = counts;
        return true;
    } catch (const std::exception& e) {
        const ErrorDescription failure = describe(e);
        const qint32 number = failure.number.value_or(DbError::Reserved);
        const QString& description = failure.description;
        db.close();
        Seams::message().show(storingErrorText(number, description), Msg::OkOnly | Msg::Critical, getString(1005));
        return false;
    }
}

std::vector<Dive> DownloadDriver::decodeProfiles(qint16 nDives, DownloadProgress& progressDownload) {
    std::vector<Dive> dives;
    dives.reserve(size_t(std::max<qint16>(nDives, 0)));
    m_leftOut.clear();
    qint16 p = 0;
    for (qint32 i = 0; i < nDives; ++i) {
        Dive dive;
        dive.setDiveComputer(Settings::instance().currentDiveComputer());
        try {
            p = decodeRecord(dive, p, i + 1);
            dives.push_back(std::move(dive));
        } catch (const DamagedRecord& damaged) {
            // One damaged record must not cost the others of the download.
            m_leftOut.append(dive.getDateTime());
            p = damaged.next;
        }
        step(progressDownload);
    }
    return dives;
}

DownloadDriver::StoreCounts DownloadDriver::appendDives(Database& db, qint32 newFileID, const std::vector<Dive>& dives,
                                                        DownloadProgress& progressDownload) {
    StoreCounts counts;
    counts.total = qint16(std::min<size_t>(dives.size(), 32767));
    Recordset rs = db.openRecordset(QStringLiteral("DIVE"));
    for (const Dive& dive : dives) {
        rs.addNew();
        if (dive.getSamplesCount() >= 1)
            ++counts.withProfile;
        try {
            setColumns(rs, dive, newFileID);
            rs.update();
            ++counts.logged;
        } catch (const RuntimeError& e) {
            rs.cancelUpdate();
            // Only the logbook's refusal of a second dive with the same start means "already there".
            // A dive that cannot be written is left out alone: failing the whole download for it would
            // keep that device from ever being downloaded again. What fails every dive (a lock, a full
            // disk, a logbook gone) still ends the store.
            if (e.number() == DbError::DuplicateKey)
                ++counts.alreadyPresent;
            else if (isDiveOwnFault(e.number()))
                counts.skipped.append(dive.getDateTime());
            else
                throw;
        }
        step(progressDownload);
    }
    rs.close();
    return counts;
}

QString DownloadDriver::summaryText(const StoreCounts& counts) {
    QString text = getString(3026) + u'\n' + getString(3027) + countText(counts.total) + u'\n' + getString(3040) +
                   countText(counts.withProfile) + u'\n' + getString(3041) + countText(counts.logged) + u'\n' +
                   getString(3042) + countText(counts.alreadyPresent);
    if (!counts.skipped.isEmpty()) {
        QStringList starts;
        for (const QDateTime& start : counts.skipped)
            starts.append(start.isValid() ? start.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("?"));
        text +=
            QStringLiteral("\nDives not stored, their data cannot be written: ") + starts.join(QStringLiteral(", "));
    }
    return text;
}

void DownloadDriver::showSummary() const {
    Seams::message().show(summaryText(m_counts), Msg::OkOnly | Msg::Information, getString(1002));
}

bool DownloadDriver::isDiveOwnFault(qint32 number) {
    switch (number) {
    case DbError::Locked:
    case DbError::ReadOnly:
    case DbError::Reserved:
    case DbError::RelatedRecordRequired:
    case DbError::NotADatabase:
    case DbError::CannotOpenFile:
    case DbError::FileNotFound:
    case RuntimeError::ObjectNotSet:
        return false;
    default:
        return true;
    }
}

QString DownloadDriver::storingErrorText(qint32 number, const QString& description) {
    return QStringLiteral("[DZ.SP]: ") + QStringLiteral(" Error n. [") + QString::number(number) +
           QStringLiteral("] - ") + description;
}

bool DownloadDriver::confirmDeviceReady() {
    std::unique_ptr<DownloadConfirmDialog> dialog = DownloadConfirmDialog::create();
    dialog->showModal();
    return dialog->isOk();
}

void DownloadDriver::showMessage(qint32 textId, int icon, qint32 titleId) {
    Seams::message().show(getString(textId), Msg::OkOnly | icon, getString(titleId));
}

void DownloadDriver::showNoDives() {
    Seams::message().show(summaryText({}), Msg::OkOnly | Msg::Information, getString(1002));
}

void DownloadDriver::step(DownloadProgress& progressDownload) {
    progressDownload.setValue(progressDownload.value() + 1);
    Seams::events().processEvents();
}

double DownloadDriver::single(float value) {
    return DiveColumns::storedSingle(value).toDouble();
}
