#include "StatsQuery.h"

#include "Database.h"
#include "DbConnection.h"
#include "EngineRows.h"
#include "Numeric.h"
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

std::optional<double> numberOf(const EngineRows& rows, int index) {
    switch (rows.type(index)) {
    case EngineRows::Integer:
    case EngineRows::Float:
        return rows.number(index);
    case EngineRows::Null:
        return std::nullopt;
    default:
        return numberOf(rows.value(index));
    }
}

inline unsigned codeOf(QChar c) {
    return c.unicode();
}
inline unsigned codeOf(char c) {
    return static_cast<unsigned char>(c);
}
QString textOf(const QChar* field, qsizetype size) {
    return QString(field, size);
}
QString textOf(const char* field, qsizetype size) {
    return QString::fromLatin1(field, size);
}

// The value of a misc field; nullopt when it is not a number.
template <typename Char> std::optional<qint16> fieldValue(const Char* field, qsizetype size) {
    // Plain digits are the norm and read fast; anything else reads as the number it holds, if any.
    int digits = 0;
    qsizetype k = 0;
    for (; k < size; ++k) {
        const unsigned digit = codeOf(field[k]) - u'0';
        if (digit > 9)
            break;
        digits = digits * 10 + int(digit);
    }
    if (k == size && k > 0)
        return qint16(digits);
    try {
        return num::toInt16(num::textToDouble(textOf(field, size)));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// A profile text as characters: QChar, or bytes that are all ASCII, where bytes are characters.
template <typename Char> void readConsumptionOf(const Char* sample, qsizetype size, StatsDive& dive) {
    dive.consumptionRead = false;
    dive.consumptionDamaged = false;
    const qsizetype samples = size / SAMPLE_LENGTH;
    qint16 largest = 0;
    qint16 smallest = 0;
    bool any = false;
    for (qsizetype i = 2; i <= samples; i += 3) {
        const auto v = fieldValue(sample + SAMPLE_LENGTH * i - MISC_WIDTH, MISC_WIDTH);
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

bool isAscii(QByteArrayView bytes) {
    unsigned char seen = 0;
    for (const char c : bytes)
        seen |= static_cast<unsigned char>(c);
    return seen < 0x80;
}

} // namespace

void StatsQuery::readConsumption(QStringView sample, StatsDive& dive) {
    readConsumptionOf(sample.data(), sample.size(), dive);
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

    EngineRows rs(db, StatsScope::statement(statsMode, logbookID, model, columns.join(QStringLiteral(", "))));
    std::vector<StatsDive> dives;
    for (; !rs.atEnd(); rs.next()) {
        StatsDive& dive = dives.emplace_back();
        for (size_t c = 0; c < NUMERIC_COLUMNS.size(); ++c) {
            if (positions[c] >= 0)
                dive.*columnTargets[c] = numberOf(rs, positions[c]);
        }
        if (samplePosition >= 0 && !rs.isNull(samplePosition)) {
            // The text is read where the engine holds it; positions count characters, which
            // bytes are when they are all ASCII, as every stored profile is.
            const QByteArrayView bytes = rs.bytes(samplePosition);
            if (isAscii(bytes))
                readConsumptionOf(bytes.data(), bytes.size(), dive);
            else
                readConsumption(QString::fromUtf8(bytes), dive);
        }
    }
    return dives;
}
