#include "DiveModule.h"

#include "Database.h"
#include "Dive.h"
#include "DiveColumns.h"
#include "EngineRows.h"
#include "MainModule.h"
#include "Numeric.h"
#include "ProfileArena.h"
#include "ProfileText.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SqlDates.h"
#include "Workspace.h"
#include "diveInfo.h"

#include <QSet>
#include <cmath>
#include <optional>

namespace DiveModule {

namespace {

const QString LOAD_DIVES = QStringLiteral("DiveModule.loadDives");

QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// The columns the queries below read, in place of "SELECT *": a dive's picture, and its notes when
// the descriptive fields are not wanted, are never read for nothing, and the profile comes as
// bytes, which the engine hands over without converting them character by character. The columns
// of schema 2.2 are asked for only where they are read, so that a file whose upgrade failed still
// loads under the other models.
QString selectColumns(bool withInfo) {
    QStringList columns = {
        QStringLiteral("DIVE.") + DiveColumns::DIVE_ID, QStringLiteral("DIVE.") + DiveColumns::FILE_ID,
        QStringLiteral("FILE.") + DiveColumns::DIVE_MODEL, QStringLiteral("DIVE.") + DiveColumns::DATETIME};
    const auto add = [&](const QString& name) { columns.append(QStringLiteral("DIVE.") + name); };
    for (const DiveColumns::Number& c : DiveColumns::header())
        add(QLatin1String(c.name));
    for (int t = 1; t <= DiveColumns::TISSUES; ++t)
        add(DiveColumns::tissue(t));
    columns.append(QStringLiteral("CAST(DIVE.SAMPLE AS BLOB) AS SAMPLE"));
    if (Settings::instance().isCurrentDiveComputerRGBM()) {
        for (const DiveColumns::Number& c : DiveColumns::rgbm())
            add(QLatin1String(c.name));
        add(DiveColumns::TSR);
    }
    if (withInfo) {
        for (const DiveColumns::Text& c : DiveColumns::descriptiveTexts())
            add(QLatin1String(c.name));
        for (const DiveColumns::Code& c : DiveColumns::descriptiveCodes())
            add(QLatin1String(c.name));
    }
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", "));
}

// The dives whose damage was already shown in this run, by file and key: a dive is loaded again each
// time it is selected or its profile shown, and one message is enough.
QSet<QString>& reportedDamage() {
    static QSet<QString> reported;
    return reported;
}

struct Damage {
    qint32 diveID;
    QDateTime dateTime;
    QString description;
};

void reportDamage(const QString& file, const QList<Damage>& damaged) {
    QStringList lines;
    for (const Damage& d : damaged) {
        const QString key = file + u'#' + QString::number(d.diveID);
        if (reportedDamage().contains(key))
            continue;
        reportedDamage().insert(key);
        const QString when =
            d.dateTime.isValid() ? d.dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("no date");
        lines.append(QStringLiteral("Dive %1 of %2: %3").arg(d.diveID).arg(when, d.description));
    }
    if (lines.isEmpty())
        return;
    Seams::message().show(QStringLiteral("[DiveModule.loadDives] These dives are damaged; they are shown with what "
                                         "could be read, a damaged value as 0 or empty:\n") +
                              lines.join(u'\n'),
                          Msg::OkOnly | Msg::Critical, QString());
}

// Where each column of the table stands in the rows of one query; -1 for a column not read.
struct ColumnPositions {
    ColumnPositions(const EngineRows& rows, bool elevenTissues, bool rgbm, bool withInfo) : rs(rows) {
        diveID = required(DiveColumns::DIVE_ID);
        fileID = required(QStringLiteral("DIVE.") + DiveColumns::FILE_ID);
        diveModel = required(DiveColumns::DIVE_MODEL);
        dateTime = required(DiveColumns::DATETIME);
        sample = required(DiveColumns::SAMPLE);
        for (const DiveColumns::Number& c : DiveColumns::header())
            header.append(required(QLatin1String(c.name), headerNames));
        const int tissueCount = elevenTissues ? DiveColumns::TISSUES : (rgbm ? DiveColumns::TISSUES - 1 : 0);
        for (int t = 1; t <= tissueCount; ++t)
            tissues.append(required(DiveColumns::tissue(t), tissueNames));
        if (rgbm) {
            for (const DiveColumns::Number& c : DiveColumns::rgbm())
                rgbmColumns.append(required(QLatin1String(c.name), rgbmNames));
            tsr = required(DiveColumns::TSR);
        }
        if (withInfo) {
            for (const DiveColumns::Text& c : DiveColumns::descriptiveTexts())
                texts.append(required(QLatin1String(c.name)));
            for (const DiveColumns::Code& c : DiveColumns::descriptiveCodes())
                codes.append(required(QLatin1String(c.name), codeNames));
        }
    }

    int required(const QString& name, QStringList& names) {
        names.append(name);
        return required(name);
    }

    int required(const QString& name) const {
        const int index = rs.fieldIndex(name);
        if (index < 0)
            throw RuntimeError(3265, LOAD_DIVES, QStringLiteral("Item not found in this collection: %1.").arg(name));
        return index;
    }

    const EngineRows& rs;
    int diveID, fileID, diveModel, dateTime, sample, tsr = -1;
    QList<int> header, tissues, rgbmColumns, texts, codes;
    // The names, made once per query for the rows whose damage names a column.
    QStringList headerNames, tissueNames, rgbmNames, codeNames;
    const QString diveIDName = DiveColumns::DIVE_ID, fileIDName = DiveColumns::FILE_ID, tsrName = DiveColumns::TSR;
};

// Builds one Dive from the current row. A value that cannot be what its column holds (a text in a
// number, a number beyond its property's range, a date that is none) is damage of that one row: the
// property keeps its empty value and the column is noted, so that the other dives still load.
class RowReader {
public:
    RowReader(const EngineRows& rows, const ColumnPositions& positions, qint32 modelCode)
        : rs(rows), at(positions), model(modelCode) {}

    std::shared_ptr<Dive> read(bool withInfo, bool elevenTissues, bool rgbm) {
        damage.clear();
        dive = std::make_shared<Dive>();
        diveID = 0;
        if (withInfo)
            readInfo();
        readKeys();
        readHeader();
        if (elevenTissues)
            readTissues(1.0);
        else if (rgbm)
            readRgbm();
        readProfile();
        return std::move(dive);
    }

    qint32 diveID = 0;
    QStringList damage;
    QString profileDamage;

private:
    // A numeric column. NULL reads as 0: older files made before every numeric column had its
    // default hold NULL where a writer left a value unset, and 0 is what such a column means.
    std::optional<double> number(int index, const QString& column) {
        switch (rs.type(index)) {
        case EngineRows::Integer:
        case EngineRows::Float:
            return rs.number(index);
        case EngineRows::Null:
            return 0.0;
        default:
            break;
        }
        const QVariant value = rs.value(index);
        bool ok = false;
        const double v = value.toString().trimmed().toDouble(&ok);
        if (ok && std::isfinite(v))
            return v;
        damage.append(QStringLiteral("%1 is not a number (\"%2\")").arg(column, value.toString().left(40)));
        return std::nullopt;
    }

    // Sets a property from its column; a value the property refuses is damage, not a failure.
    template <typename Set> void set(int index, const QString& column, Set&& setter) {
        const std::optional<double> v = number(index, column);
        if (!v)
            return;
        try {
            setter(*v);
        } catch (const RuntimeError&) {
            damage.append(QStringLiteral("%1 %2 is out of range").arg(column).arg(*v));
        }
    }

    void readInfo() {
        auto descriptive = std::make_shared<::diveInfo>();
        const auto texts = DiveColumns::descriptiveTexts();
        for (size_t k = 0; k < texts.size(); ++k)
            texts[k].set(*descriptive, text(rs.value(at.texts[qsizetype(k)])));
        // A descriptive code of NULL means none, which the windows know as -1.
        const auto codes = DiveColumns::descriptiveCodes();
        for (size_t k = 0; k < codes.size(); ++k) {
            const int index = at.codes[qsizetype(k)];
            if (rs.isNull(index))
                codes[k].set(*descriptive, -1);
            else
                set(index, at.codeNames[qsizetype(k)], [&](double v) { codes[k].set(*descriptive, num::toInt16(v)); });
        }
        dive->setDiveInfo(std::move(descriptive));
    }

    void readKeys() {
        if (!rs.isNull(at.diveID))
            diveID = num::toInt32(number(at.diveID, at.diveIDName).value_or(0));
        dive->setDiveID(diveID);
        set(at.fileID, at.fileIDName, [&](double v) { dive->setLogbookID(v); });
        // The model code is the logbook's, not the row's: a logbook of an unknown model fails the query.
        const EngineRows::Type modelType = rs.type(at.diveModel);
        dive->setDiveComputer(modelType == EngineRows::Integer || modelType == EngineRows::Float
                                  ? rs.number(at.diveModel)
                                  : rs.value(at.diveModel).toDouble());
        const QVariant stamp = rs.value(at.dateTime);
        const QDateTime dateTime = SqlDates::fromStored(stamp);
        if (!dateTime.isValid())
            damage.append(stamp.isNull()
                              ? QStringLiteral("DATETIME is empty")
                              : QStringLiteral("DATETIME is not a date (\"%1\")").arg(stamp.toString().left(40)));
        dive->setDateTime(dateTime);
    }

    void readHeader() {
        const auto header = DiveColumns::header();
        for (size_t h = 0; h < header.size(); ++h)
            set(at.header[qsizetype(h)], at.headerNames[qsizetype(h)], [&](double v) { header[h].set(*dive, v); });
    }

    void readTissues(double divisor) {
        // One list for every row: its entries are overwritten, not made anew.
        tissues.resize(at.tissues.size());
        for (qsizetype t = 0; t < at.tissues.size(); ++t)
            tissues[t] = number(at.tissues[t], at.tissueNames[t]).value_or(0.0) / divisor;
        dive->setStartTissue(tissues);
    }

    void readRgbm() {
        const auto columns = DiveColumns::rgbm();
        for (size_t r = 0; r < columns.size(); ++r) {
            if (qsizetype(r) == DiveColumns::rgbmBeforeTsr())
                readTsr();
            set(at.rgbmColumns[qsizetype(r)], at.rgbmNames[qsizetype(r)], [&](double v) { columns[r].set(*dive, v); });
        }
        readTissues(100.0);
    }

    void readTsr() {
        if (ModelCodes::model(model) == ModelCode::dcKOBI)
            set(at.tsr, at.tsrName, [&](double v) { dive->setPersonalFactor(v); });
        else
            set(at.tsr, at.tsrName, [&](double v) { dive->setTSR(float(v)); });
    }

    void readProfile() {
        profileDamage.clear();
        // The dive keeps one copy of the engine's bytes, packed where they are digits only (see
        // ProfileBytes), and its samples are made from them when first asked for. Our own statements hand the profile
        // over as bytes (see selectColumns), a caller's as text: its UTF-8 bytes are the same.
        const EngineRows::Type type = rs.type(at.sample);
        if (type == EngineRows::Blob || type == EngineRows::Text) {
            const QByteArrayView bytes = rs.bytes(at.sample);
            if (bytes.isEmpty()) {
                dive->setSAMPLES(QStringLiteral(""));
                return;
            }
            dive->setStoredSamples(profiles.copy(bytes));
        } else {
            dive->setSAMPLES(text(rs.value(at.sample)));
            if (dive->getSamples().isEmpty())
                return;
        }
        const ProfileText::ReadResult result = ProfileText::readOnFirstUse(*dive);
        if (result.damaged)
            profileDamage = result.description();
    }

    const EngineRows& rs;
    const ColumnPositions& at;
    qint32 model;
    std::shared_ptr<Dive> dive;
    QVariantList tissues;
    ProfileArena profiles;
};

} // namespace

DiveList loadDives(const QString& statement, bool withInfo, const QVariantList& params) {
    const Settings& settings = Settings::instance();
    const qint32 model = settings.currentDiveComputer();
    const bool elevenTissues = ModelCodes::hasElevenTissues(model);
    const bool rgbm = settings.isCurrentDiveComputerRGBM();

    Database db = Workspace::defaultWorkspace().openDatabase(settings.databaseName());
    DiveList dives;
    const QString file = db.name();
    QList<Damage> damaged;
    {
        EngineRows rs(db, statement, params);
        if (rs.atEnd())
            return dives;

        const ColumnPositions positions(rs, elevenTissues, rgbm, withInfo);
        RowReader reader(rs, positions, model);
        for (; !rs.atEnd(); rs.next()) {
            std::shared_ptr<Dive> dive = reader.read(withInfo, elevenTissues, rgbm);
            QStringList found = reader.damage;
            if (!reader.profileDamage.isEmpty())
                found.append(reader.profileDamage);
            if (!found.isEmpty())
                damaged.append({reader.diveID, dive->getDateTime(), found.join(QStringLiteral("; "))});
            dives.append(std::move(dive));
        }
    }
    db.close();
    if (!damaged.isEmpty())
        reportDamage(file, damaged);
    return dives;
}

std::shared_ptr<Dive> loadDive(qint32 diveID, bool withInfo) {
    const DiveList dives =
        loadDives(selectColumns(withInfo) + QStringLiteral(" FROM DIVE, FILE WHERE FILE.FILE_ID = DIVE.FILE_ID AND "
                                                           "DIVE_ID = ?"),
                  withInfo, {diveID});
    if (dives.size() > 1) {
        Seams::message().show(QStringLiteral("[DiveModule.loadDive] Dives more than one. Not correct."),
                              Msg::OkOnly | Msg::Critical, QString());
        return nullptr;
    }
    if (dives.isEmpty()) {
        Seams::message().show(QStringLiteral("[DiveModule.loadDive] Dive not found! Not correct."),
                              Msg::OkOnly | Msg::Critical, QString());
        return nullptr;
    }
    return dives.first();
}

DiveList loadLogbookDives(qint32 logbookID, bool withInfo, const QString& filter) {
    QString statement = selectColumns(withInfo) + QStringLiteral(" FROM DIVE, FILE ");
    if (filter.isEmpty())
        statement += QStringLiteral("WHERE FILE.FILE_ID = DIVE.FILE_ID AND DIVE.FILE_ID = ?");
    else
        statement += getWhereClause(filter) + QStringLiteral(" AND FILE.FILE_ID = DIVE.FILE_ID AND DIVE.FILE_ID = ?");
    statement += QStringLiteral(" ORDER BY [DATETIME] DESC");
    return loadDives(statement, withInfo, {logbookID});
}

DiveList loadPreviousDives(const Dive& dive, bool withInfo) {
    // The window is counted from the start minute: the dive's own seconds do not widen it.
    QDateTime start = dive.getDateTime();
    if (start.isValid())
        start.setTime(QTime(start.time().hour(), start.time().minute()));
    const QString statement =
        QStringLiteral("%3 FROM FILE INNER JOIN DIVE ON FILE.FILE_ID = DIVE.FILE_ID "
                       "WHERE (((DIVE.DATETIME) < %1 AND (DIVE.DATETIME) > %2) "
                       "AND ((FILE.DIVE_MODEL) = ?) AND ((DIVE.FILE_ID) = ?)) ORDER BY DIVE.DATETIME DESC")
            .arg(SqlDates::toLiteral(start), SqlDates::toLiteral(start.isValid() ? start.addDays(-1) : start),
                 selectColumns(withInfo));
    return loadDives(statement, withInfo, {dive.diveComputer(), dive.logbookID()});
}

std::shared_ptr<Dive> getPreviousDive(const Dive& dive, bool withInfo) {
    const DiveList previous = loadPreviousDives(dive, withInfo);
    return previous.isEmpty() ? nullptr : previous.first();
}

bool logbookExists(const QString& name) {
    const Settings& settings = Settings::instance();
    Database db = Workspace::defaultWorkspace().openDatabase(settings.databaseName());
    Recordset rs(db, QStringLiteral("SELECT FILENAME, FILE_ID FROM FILE WHERE DIVE_MODEL = ?"),
                 {settings.currentDiveComputer()}, Recordset::ForwardOnly);
    // Names match without regard to case, in every alphabet: to a diver "Mar Rosso" and "MAR ROSSO"
    // are one logbook.
    for (; !rs.eof(); rs.moveNext()) {
        if (QString::compare(text(rs.value(0)), name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool hasInvalidChars(const QString& name) {
    for (const QChar c : name) {
        if (c == u'%' || c == u'&' || c == u'\'' || c == u'*')
            return true;
    }
    return false;
}

} // namespace DiveModule
