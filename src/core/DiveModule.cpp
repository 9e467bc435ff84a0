#include "DiveModule.h"

#include "Database.h"
#include "Dive.h"
#include "MainModule.h"
#include "Numeric.h"
#include "ProfileText.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SqlDates.h"
#include "Workspace.h"
#include "diveInfo.h"

#include <QSet>

namespace DiveModule {

namespace {

const QString LOAD_DIVES = QStringLiteral("DiveModule.loadDives");

// The positions of the columns loadDives reads, looked up once per query.
struct Columns {
    explicit Columns(Recordset& rs) : rs(rs) {}

    int required(const char* name) const {
        const int index = rs.fieldIndex(QLatin1String(name));
        if (index < 0)
            throw RuntimeError(3265, LOAD_DIVES,
                               QStringLiteral("Item not found in this collection: %1.").arg(QLatin1String(name)));
        return index;
    }

    Recordset& rs;
};

// A numeric column. NULL reads as 0: older files made before every numeric column had its default
// hold NULL where a writer left a value unset, and 0 is what such a column means. A text that is not
// a number is a type mismatch, as the conversion of the value would be.
double number(const QVariant& value, const char* column, qint32 diveID) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toDouble();
    default:
        break;
    }
    if (value.isNull())
        return 0;
    bool ok = false;
    const double v = value.toString().trimmed().toDouble(&ok);
    if (!ok)
        throw RuntimeError(RuntimeError::TypeMismatch, LOAD_DIVES,
                           QStringLiteral("Type mismatch: %1 of dive %2 is not a number (\"%3\").")
                               .arg(QLatin1String(column))
                               .arg(diveID)
                               .arg(value.toString().left(40)));
    return v;
}

// A descriptive code; NULL means none, which the windows know as -1.
qint16 code(const QVariant& value, const char* column, qint32 diveID) {
    if (value.isNull())
        return -1;
    return num::toInt16(number(value, column, diveID));
}

QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// A profile text read as bytes (see selectColumns) or as text.
QString profileText(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return text(value);
}

// The columns the queries below read, in place of "SELECT *": a dive's picture, and its notes when
// the descriptive fields are not wanted, are never read for nothing, and the profile comes as
// bytes, which the engine hands over without converting them character by character. The columns
// of schema 2.2 are asked for only where they are read, so that a file whose upgrade failed still
// loads under the other models.
QString selectColumns(bool withInfo) {
    QString columns = QStringLiteral(
        "SELECT DIVE.DIVE_ID, DIVE.FILE_ID, FILE.DIVE_MODEL, DIVE.DATETIME, DIVE.DIVE_TIME, DIVE.MAX_DEPTH, "
        "DIVE.MIN_TEMP, DIVE.WATER_MODE, DIVE.ASCENT_MODE, DIVE.BUZZER_FLAG, DIVE.STOP_MODE, DIVE.ALTITUDE_FLAG, "
        "DIVE.DIVE_MODE, DIVE.VRIS_FLAG, DIVE.DECO_FLAG, DIVE.VIOLATION_STOP_FLAG, DIVE.ASCENT_FLAG, "
        "DIVE.DECO_STOP_FLAG, DIVE.MIX_NITROX, DIVE.PPO2, DIVE.START_CNS, DIVE.MAX_CNS, DIVE.TISSUE_1, "
        "DIVE.TISSUE_2, DIVE.TISSUE_3, DIVE.TISSUE_4, DIVE.TISSUE_5, DIVE.TISSUE_6, DIVE.TISSUE_7, DIVE.TISSUE_8, "
        "DIVE.TISSUE_9, DIVE.TISSUE_10, DIVE.TISSUE_11, CAST(DIVE.SAMPLE AS BLOB) AS SAMPLE");
    if (Settings::instance().isCurrentDiveComputerRGBM())
        columns += QStringLiteral(
            ", DIVE.AUTOZERO, DIVE.AIRTIME_FLAG, DIVE.VOLUME_MEASURE, DIVE.RESERVE100_FLAG, DIVE.DEPTH_M_PREC, "
            "DIVE.DEPTH_M, DIVE.DIVE_DAYS, DIVE.TSR, DIVE.TANK_VOLUME, DIVE.TANK_PRESSURE, DIVE.TANK_USE, "
            "DIVE.START_TANK_PRESSURE, DIVE.STOP_TANK_PRESSURE, DIVE.RESERVE50, DIVE.RESERVE100, DIVE.DEEP_STOP_1, "
            "DIVE.DEEP_STOP_2");
    if (withInfo)
        columns += QStringLiteral(", DIVE.DIVER, DIVE.LOCATION, DIVE.POINT, DIVE.INSTRUCTOR, DIVE.DIVEMASTER, "
                                  "DIVE.FRIEND, DIVE.ACTIVITY, DIVE.WEATHER, DIVE.WETSUIT, DIVE.AIR_TEMPERATURE, "
                                  "DIVE.WEIGHT, DIVE.MEMO");
    return columns;
}

// The dives whose damaged profile was already shown in this run, by file and key: a dive is loaded
// again each time it is selected or its profile shown, and one message is enough.
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
        lines.append(QStringLiteral("Dive %1 of %2: %3")
                         .arg(d.diveID)
                         .arg(d.dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm")), d.description));
    }
    if (lines.isEmpty())
        return;
    Seams::message().show(QStringLiteral("[DiveModule.loadDives] The profile of these dives is damaged; they are "
                                         "shown with the part of the profile that could be read:\n") +
                              lines.join(u'\n'),
                          Msg::OkOnly | Msg::Critical, QString());
}

} // namespace

DiveList loadDives(const QString& statement, bool withInfo, const QVariantList& params) {
    const Settings& settings = Settings::instance();
    const qint32 model = settings.currentDiveComputer();
    const bool elevenTissues = model == Dive::dcZento || model == Dive::dcLUMO;
    const bool rgbm = settings.isCurrentDiveComputerRGBM();

    Database db = Workspace::defaultWorkspace().openDatabase(settings.databaseName());
    Recordset rs(db, statement, params, Recordset::ForwardOnly);
    DiveList dives;
    QList<Damage> damaged;
    if (rs.eof())
        return dives;

    const Columns c(rs);
    const int DIVE_ID = c.required("DIVE_ID");
    const int FILE_ID = c.required("DIVE.FILE_ID");
    const int DIVE_MODEL = c.required("DIVE_MODEL");
    const int DATETIME = c.required("DATETIME");
    const int SAMPLE = c.required("SAMPLE");
    struct Header {
        int column;
        const char* name;
        void (Dive::*set)(double);
    };
    const Header header16[] = {
        {c.required("DIVE_TIME"), "DIVE_TIME", &Dive::setDiveTime},
        {c.required("MIN_TEMP"), "MIN_TEMP", &Dive::setMinTemperature},
        {c.required("WATER_MODE"), "WATER_MODE", &Dive::setWater},
        {c.required("ASCENT_MODE"), "ASCENT_MODE", &Dive::setAscentMode},
        {c.required("BUZZER_FLAG"), "BUZZER_FLAG", &Dive::setBuzzer},
        {c.required("STOP_MODE"), "STOP_MODE", &Dive::setStop},
        {c.required("ALTITUDE_FLAG"), "ALTITUDE_FLAG", &Dive::setAltitude},
        {c.required("DIVE_MODE"), "DIVE_MODE", &Dive::setDiveMode},
        {c.required("VRIS_FLAG"), "VRIS_FLAG", &Dive::setVRis},
        {c.required("DECO_FLAG"), "DECO_FLAG", &Dive::setDeco},
        {c.required("VIOLATION_STOP_FLAG"), "VIOLATION_STOP_FLAG", &Dive::setViolationStop},
        {c.required("ASCENT_FLAG"), "ASCENT_FLAG", &Dive::setAscent},
        {c.required("DECO_STOP_FLAG"), "DECO_STOP_FLAG", &Dive::setDecoStop},
        {c.required("MIX_NITROX"), "MIX_NITROX", &Dive::setNitroxMixture},
    };
    const int MAX_DEPTH = c.required("MAX_DEPTH");
    const int PPO2 = c.required("PPO2");
    const int START_CNS = c.required("START_CNS");
    const int MAX_CNS = c.required("MAX_CNS");

    int tissue[11];
    const int tissueCount = elevenTissues ? 11 : (rgbm ? 10 : 0);
    static const char* const tissueNames[11] = {"TISSUE_1", "TISSUE_2", "TISSUE_3", "TISSUE_4",  "TISSUE_5", "TISSUE_6",
                                                "TISSUE_7", "TISSUE_8", "TISSUE_9", "TISSUE_10", "TISSUE_11"};
    for (int t = 0; t < tissueCount; ++t)
        tissue[t] = c.required(tissueNames[t]);

    // The columns of schema 2.2, read under the RGBM models only.
    const Header rgbm16[] = {
        {rgbm ? c.required("AUTOZERO") : -1, "AUTOZERO", &Dive::setAutozero},
        {rgbm ? c.required("AIRTIME_FLAG") : -1, "AIRTIME_FLAG", &Dive::setAirTime},
        {rgbm ? c.required("VOLUME_MEASURE") : -1, "VOLUME_MEASURE", &Dive::setVolumeMeasure},
        {rgbm ? c.required("RESERVE100_FLAG") : -1, "RESERVE100_FLAG", &Dive::setReserve100Flag},
    };
    struct Single {
        int column;
        const char* name;
        void (Dive::*set)(float);
    };
    const Single rgbmSingle[] = {
        {rgbm ? c.required("DEPTH_M_PREC") : -1, "DEPTH_M_PREC", &Dive::setDepthMeanPrec},
        {rgbm ? c.required("DEPTH_M") : -1, "DEPTH_M", &Dive::setDepthMean},
    };
    const int DIVE_DAYS = rgbm ? c.required("DIVE_DAYS") : -1;
    const int TSR = rgbm ? c.required("TSR") : -1;
    const Single rgbmTank[] = {
        {rgbm ? c.required("TANK_VOLUME") : -1, "TANK_VOLUME", &Dive::setTankVolume},
        {rgbm ? c.required("TANK_PRESSURE") : -1, "TANK_PRESSURE", &Dive::setTankPressure},
        {rgbm ? c.required("TANK_USE") : -1, "TANK_USE", &Dive::setTankUse},
        {rgbm ? c.required("START_TANK_PRESSURE") : -1, "START_TANK_PRESSURE", &Dive::setStartTankPressure},
        {rgbm ? c.required("STOP_TANK_PRESSURE") : -1, "STOP_TANK_PRESSURE", &Dive::setStopTankPressure},
        {rgbm ? c.required("RESERVE50") : -1, "RESERVE50", &Dive::setReserve50},
        {rgbm ? c.required("RESERVE100") : -1, "RESERVE100", &Dive::setReserve100},
        {rgbm ? c.required("DEEP_STOP_1") : -1, "DEEP_STOP_1", &Dive::setDeepStop1},
        {rgbm ? c.required("DEEP_STOP_2") : -1, "DEEP_STOP_2", &Dive::setDeepStop2},
    };

    int info[12] = {};
    if (withInfo) {
        static const char* const infoNames[12] = {"DIVER",      "LOCATION",        "POINT",    "INSTRUCTOR",
                                                  "DIVEMASTER", "FRIEND",          "ACTIVITY", "WEATHER",
                                                  "WETSUIT",    "AIR_TEMPERATURE", "WEIGHT",   "MEMO"};
        for (int k = 0; k < 12; ++k)
            info[k] = c.required(infoNames[k]);
    }

    for (; !rs.eof(); rs.moveNext()) {
        auto dive = std::make_shared<Dive>();
        const QVariant keyValue = rs.value(DIVE_ID);
        const qint32 diveID = keyValue.isNull() ? 0 : num::toInt32(number(keyValue, "DIVE_ID", 0));

        if (withInfo) {
            auto descriptive = std::make_shared<::diveInfo>();
            descriptive->setDiver(text(rs.value(info[0])));
            descriptive->setLocation(text(rs.value(info[1])));
            descriptive->setPoint(text(rs.value(info[2])));
            descriptive->setInstructor(text(rs.value(info[3])));
            descriptive->setDiveMaster(text(rs.value(info[4])));
            descriptive->friends = text(rs.value(info[5]));
            descriptive->setActivity(code(rs.value(info[6]), "ACTIVITY", diveID));
            descriptive->setWeather(code(rs.value(info[7]), "WEATHER", diveID));
            descriptive->setWetsuit(code(rs.value(info[8]), "WETSUIT", diveID));
            descriptive->setAirTemperature(text(rs.value(info[9])));
            descriptive->setWeight(text(rs.value(info[10])));
            descriptive->setMemo(text(rs.value(info[11])));
            dive->setDiveInfo(std::move(descriptive));
        }

        dive->setDiveID(diveID);
        dive->setLogbookID(number(rs.value(FILE_ID), "FILE_ID", diveID));
        dive->setDiveComputer(number(rs.value(DIVE_MODEL), "DIVE_MODEL", diveID));
        const QVariant stamp = rs.value(DATETIME);
        const QDateTime dateTime = SqlDates::fromStored(stamp);
        if (!stamp.isNull() && !dateTime.isValid())
            throw RuntimeError(RuntimeError::TypeMismatch, LOAD_DIVES,
                               QStringLiteral("Type mismatch: DATETIME of dive %1 is not a date (\"%2\").")
                                   .arg(diveID)
                                   .arg(stamp.toString().left(40)));
        dive->setDateTime(dateTime);
        dive->setDiveTime(number(rs.value(header16[0].column), "DIVE_TIME", diveID));
        dive->setMaxDepth(float(number(rs.value(MAX_DEPTH), "MAX_DEPTH", diveID)));
        for (size_t h = 1; h < std::size(header16); ++h)
            (dive.get()->*header16[h].set)(number(rs.value(header16[h].column), header16[h].name, diveID));
        dive->setPPO2(float(number(rs.value(PPO2), "PPO2", diveID)));
        dive->setStartCNS(float(number(rs.value(START_CNS), "START_CNS", diveID)));
        dive->setMaxCNS(float(number(rs.value(MAX_CNS), "MAX_CNS", diveID)));

        if (elevenTissues) {
            QVariantList tissues;
            for (int t = 0; t < 11; ++t)
                tissues.append(number(rs.value(tissue[t]), tissueNames[t], diveID));
            dive->setStartTissue(tissues);
        } else if (rgbm) {
            for (const Header& h : rgbm16)
                (dive.get()->*h.set)(number(rs.value(h.column), h.name, diveID));
            for (const Single& s : rgbmSingle)
                (dive.get()->*s.set)(float(number(rs.value(s.column), s.name, diveID)));
            dive->setDiveDays(number(rs.value(DIVE_DAYS), "DIVE_DAYS", diveID));
            const double tsr = number(rs.value(TSR), "TSR", diveID);
            if (model == Dive::dcKOBI)
                dive->setPersonalFactor(tsr);
            else
                dive->setTSR(float(tsr));
            for (const Single& s : rgbmTank)
                (dive.get()->*s.set)(float(number(rs.value(s.column), s.name, diveID)));
            QVariantList tissues;
            for (int t = 0; t < 10; ++t)
                tissues.append(number(rs.value(tissue[t]), tissueNames[t], diveID) / 100.0);
            dive->setStartTissue(tissues);
        }

        dive->setSAMPLES(profileText(rs.value(SAMPLE)));
        if (!dive->getSamples().isEmpty()) {
            const ProfileText::ReadResult result = ProfileText::read(*dive);
            if (result.damaged)
                damaged.append({diveID, dateTime, result.description()});
        }
        dives.append(std::move(dive));
    }
    rs.close();
    if (!damaged.isEmpty())
        reportDamage(db.name(), damaged);
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
