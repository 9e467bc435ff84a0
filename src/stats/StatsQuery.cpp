#include "StatsQuery.h"

#include "Database.h"
#include "DbConnection.h"
#include "Numeric.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "StatsScope.h"

#include <QVariant>
#include <array>

namespace {

constexpr int SAMPLE_LENGTH = 20;
constexpr int MISC_WIDTH = 4;

// The columns counted, in the order of `columnTargets`.
const std::array<const char*, 14> NUMERIC_COLUMNS = {
    "DIVE_TIME", "MAX_DEPTH",           "MIN_TEMP",    "TANK_USE", "DIVE_MODE",  "DECO_FLAG", "WEATHER", "WETSUIT",
    "ACTIVITY",  "VIOLATION_STOP_FLAG", "ASCENT_FLAG", "MAX_CNS",  "MIX_NITROX", "PPO2",
};
const std::array<std::optional<double> StatsDive::*, 14> columnTargets = {
    &StatsDive::diveTime, &StatsDive::maxDepth, &StatsDive::minTemp,   &StatsDive::tankUse,  &StatsDive::diveMode,
    &StatsDive::decoFlag, &StatsDive::weather,  &StatsDive::wetsuit,   &StatsDive::activity, &StatsDive::violationStop,
    &StatsDive::ascent,   &StatsDive::maxCNS,   &StatsDive::mixNitrox, &StatsDive::ppo2,
};

std::optional<double> numberOf(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

// The value of a misc field; nullopt when it is not a number.
std::optional<qint16> fieldValue(QStringView field) {
    // Plain digits are the norm and read fast; anything else reads as the number it holds, if any.
    int digits = 0;
    qsizetype k = 0;
    for (; k < field.size(); ++k) {
        const char16_t c = field[k].unicode();
        if (c < u'0' || c > u'9')
            break;
        digits = digits * 10 + (c - u'0');
    }
    if (k == field.size() && k > 0)
        return qint16(digits);
    try {
        return num::toInt16(num::textToDouble(field.toString()));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

void StatsQuery::readConsumption(QStringView sample, StatsDive& dive) {
    dive.consumptionRead = false;
    dive.consumptionDamaged = false;
    const qsizetype samples = sample.size() / SAMPLE_LENGTH;
    qint16 largest = 0;
    qint16 smallest = 0;
    bool any = false;
    for (qsizetype i = 2; i <= samples; i += 3) {
        const auto v = fieldValue(sample.mid(SAMPLE_LENGTH * i - MISC_WIDTH, MISC_WIDTH));
        if (!v) {
            dive.consumptionDamaged = true;
            return;
        }
        if (!any || *v > largest)
            largest = *v;
        if (!any || *v < smallest)
            smallest = *v;
        any = true;
    }
    dive.consumptionRead = any;
    dive.consumptionMax = largest;
    dive.consumptionMin = smallest;
}

std::vector<StatsDive> StatsQuery::read(const Database& db, qint16 statsMode, qint32 logbookID, qint32 model,
                                        bool airIntegrated) {
    const QStringList present = db.connection().tableInfo(QStringLiteral("DIVE")).columns;
    QStringList columns;
    std::array<int, NUMERIC_COLUMNS.size()> positions{};
    for (size_t c = 0; c < NUMERIC_COLUMNS.size(); ++c) {
        const QString name = QString::fromLatin1(NUMERIC_COLUMNS[c]);
        if (present.contains(name, Qt::CaseInsensitive)) {
            positions[c] = int(columns.size());
            columns.append(QStringLiteral("DIVE.") + name);
        } else {
            positions[c] = -1;
        }
    }
    const int samplePosition = airIntegrated ? int(columns.size()) : -1;
    if (airIntegrated)
        columns.append(QStringLiteral("DIVE.SAMPLE"));

    Recordset rs(db, StatsScope::statement(statsMode, logbookID, model, columns.join(QStringLiteral(", "))), {},
                 Recordset::ForwardOnly);
    std::vector<StatsDive> dives;
    for (; !rs.eof(); rs.moveNext()) {
        StatsDive& dive = dives.emplace_back();
        for (size_t c = 0; c < NUMERIC_COLUMNS.size(); ++c) {
            if (positions[c] >= 0)
                dive.*columnTargets[c] = numberOf(rs.value(positions[c]));
        }
        if (samplePosition >= 0) {
            const QVariant sample = rs.value(samplePosition);
            if (!sample.isNull())
                readConsumption(sample.toString(), dive);
        }
    }
    rs.close();
    return dives;
}
