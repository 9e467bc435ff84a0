#include "DiveGenerator.h"

#include "Database.h"
#include "Dive.h"
#include "DiveColumns.h"
#include "ModelCodes.h"
#include "ProfileText.h"
#include "Recordset.h"
#include "SqlDates.h"
#include "TransactionGuard.h"
#include "diveFreeInfo.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {
const char* const SITES[] = {"Secca della Croce",  "Scoglio del Corallo", "Grotta Azzurra", "Relitto Elviscot",
                             "Punta Fetovaia",     "Shark Reef",          "Blue Hole",      "Capo Noli",
                             "Isola dei Gabbiani", "Banco Santa Lucia"};

} // namespace

DiveGenerator::DiveGenerator(quint32 seed) : m_random(seed) {}

double DiveGenerator::uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(m_random);
}

int DiveGenerator::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

DiveGenerator::ScubaKind DiveGenerator::drawKind() {
    // Of twenty dives: twelve on air, three on nitrox, three with decompression stops, one
    // bottom-time dive and one with the stop flag.
    const int n = between(0, 19);
    return n < 12   ? ScubaKind::Air
           : n < 15 ? ScubaKind::Nitrox
           : n < 18 ? ScubaKind::Deco
           : n < 19 ? ScubaKind::BottomTime
                    : ScubaKind::StopFlag;
}

DiveGenerator::Generated DiveGenerator::scubaDive(qint32 model, const QDateTime& start, qint32 minutes,
                                                  ScubaKind kind) {
    Generated g;
    auto dive = std::make_shared<Dive>();
    dive->setDiveComputer(model);
    dive->setDateTime(start);
    if (kind == ScubaKind::Drawn)
        kind = drawKind();
    const bool deco = kind == ScubaKind::Deco;
    const bool nitrox = kind == ScubaKind::Nitrox;
    if (deco)
        minutes = std::max(minutes, DECO_MINUTES);

    const int samples = std::max(9, minutes * Dive::SAMPLES_PER_MINUTE);
    // A nitrox diver stays above the mix's depth limit; a deco dive goes deep and stays long.
    const int mix = nitrox ? (between(0, 1) ? 32 : 36) : 21;
    const double maxDepth = deco ? uniform(36.0, 45.0) : uniform(12.0, nitrox ? (mix == 32 ? 32.0 : 27.0) : 38.0);
    // A deco dive's stops at 6 m and then 3 m take fifteen minutes; other dives stop three minutes at 5 m.
    const double firstStop = deco ? 6.0 : 5.0;
    const int stopSamples = deco ? 45 : samples >= 30 ? 9 : 0;
    const int finalSamples = 2;
    const int ascentEnd = samples - stopSamples - finalSamples;
    const int bottomEnd = std::max(2, int(ascentEnd * (deco ? uniform(0.45, 0.6) : uniform(0.35, 0.55))));

    double depth = 0;
    // Air-integrated devices keep their tank data in every third sample: sample 1 and then 4, 7... hold the
    // pressure drop since the last such sample (bar), samples 2, 5... the breathing rate (litres a minute).
    const double startPressure = 200 + between(0, 20);
    const double surfaceRate = uniform(14, 22);
    double pressure = startPressure;
    double dropSinceStep = 0;
    double deepest = 0;
    double depthSum = 0;
    const bool kobi = ModelCodes::model(model) == ModelCode::dcKOBI;
    for (int i = 1; i <= samples; ++i) {
        const double previous = depth;
        if (depth < maxDepth - 0.5 && i <= bottomEnd) {
            depth = std::min(maxDepth, depth + uniform(4.0, 6.5)); // about 18 m/min down
        } else if (i <= bottomEnd) {
            depth = std::clamp(depth + uniform(-1.2, 0.9), maxDepth - 4, maxDepth);
        } else if (i <= ascentEnd) {
            // A multi-level ascent: the depth drifts up towards the stop, never faster than needed.
            const double left = ascentEnd - i + 1;
            const double target = depth - (depth - firstStop) / left;
            depth = std::max(firstStop, target + uniform(-0.4, 0.4));
        } else if (i <= ascentEnd + stopSamples) {
            const bool lastStop = deco && i > ascentEnd + stopSamples / 3;
            depth = (lastStop ? 3.0 : firstStop) + uniform(-0.3, 0.3);
        } else {
            depth = i == samples ? 0.8 : deco ? 1.5 : 3.0;
        }
        deepest = std::max(deepest, depth);
        depthSum += depth;
        const double rate = (previous - depth) * Dive::SAMPLES_PER_MINUTE; // metres per minute, up is positive
        double vRis = 0;
        if (rate > 0)
            vRis = kobi ? std::round(rate) : (rate < 6 ? 1 : rate < 9 ? 2 : rate < 12 ? 3 : rate < 15 ? 4 : 5);
        const bool inDeco = deco && i > bottomEnd && i <= ascentEnd + stopSamples;
        const double breathing = surfaceRate * (1.0 + depth / 10.0); // litres a minute at depth
        const double drop = std::min(pressure - 20.0, breathing / Dive::SAMPLES_PER_MINUTE / 15.0); // a 15-litre tank
        pressure -= std::max(0.0, drop);
        dropSinceStep += std::max(0.0, drop);
        double misc = 0;
        if (i % 3 == 1) {
            misc = std::round(dropSinceStep);
            dropSinceStep -= misc; // what rounding left over goes into the next step
        } else if (i % 3 == 2) {
            misc = std::round(breathing);
        }
        dive->addSample(std::round(depth * 10.0), vRis, inDeco ? 1 : 0, inDeco ? 1 : 0,
                        ModelCodes::isAirIntegrated(model) ? misc : 0.0);
    }

    dive->setDiveTime(minutes);
    dive->setMaxDepth(float(std::round(deepest * 10.0) / 10.0));
    dive->setMinTemperature(std::round(uniform(12.0, 26.0) - deepest / 10.0));
    dive->setWater(between(0, 9) == 0 ? 1 : 0);
    dive->setStop(kind == ScubaKind::StopFlag ? 1 : 0);
    dive->setAltitude(0);
    if (kind == ScubaKind::BottomTime)
        dive->setDiveMode(kobi ? Dive::KOBI_BOTTOM_TIME_MODE : Dive::BOTTOM_TIME_MODE);
    else
        dive->setDiveMode(nitrox ? Dive::NITROX_MODE : Dive::AIR_MODE);
    dive->setNitroxMixture(mix);
    dive->setPPO2(1.4f);
    dive->setDeco(deco ? 1 : 0);
    dive->setVRis(kobi ? 10 : between(1, 3));
    dive->setStartCNS(0);
    dive->setMaxCNS(float(std::round(uniform(2, 12) + (nitrox ? 10 : 0))));
    if (ModelCodes::isRGBM(model)) {
        dive->setDepthMean(float(std::round(depthSum / samples * 10) / 10));
        dive->setDepthMeanPrec(float(std::round(uniform(8, 20))));
        dive->setDiveDays(between(1, 6));
        if (kobi)
            dive->setPersonalFactor(between(0, 2));
        else
            dive->setTSR(float(between(60, 600)));
        if (ModelCodes::isAirIntegrated(model)) {
            dive->setAirTime(1);
            dive->setTankVolume(150); // tenths of a litre
            dive->setTankPressure(200);
            dive->setStartTankPressure(float(startPressure));
            dive->setStopTankPressure(float(std::round(pressure)));
            dive->setTankUse(float(std::round(surfaceRate)));
            dive->setReserve50(50);
            dive->setReserve100(100);
        }
        if (deepest > 25) {
            dive->setDeepStop1(float(std::round(deepest / 2)));
            dive->setDeepStop2(float(std::round(deepest / 4)));
        }
    }
    for (int t = 0; t < 11; ++t) {
        if (ModelCodes::isRGBM(model))
            g.tissueColumns[t] = t < 10 ? float(std::round(uniform(75, 120))) : 0.0f;
        else
            g.tissueColumns[t] = 26;
    }
    dive->setSAMPLES(ProfileText::write(*dive, ModelCodes::isAirIntegrated(model) ? ProfileText::Layout::Air
                                                                                  : ProfileText::Layout::Scuba));
    g.location = QString::fromLatin1(SITES[between(0, int(std::size(SITES)) - 1)]);
    g.dive = std::move(dive);
    return g;
}

DiveGenerator::Generated DiveGenerator::freeDiveSession(const QDateTime& start, qint32 freeDives, bool withProfile) {
    Generated g;
    auto dive = std::make_shared<Dive>();
    auto session = std::make_shared<diveFreeInfo>();
    dive->setDiveComputer(ModelCodes::code(ModelCode::dcKOBI));
    dive->setDateTime(start);
    QList<qint32> profile;
    float deepest = 0;
    for (int k = 0; k < freeDives; ++k) {
        const double depth = uniform(5.0, 25.0);
        const int diveSeconds = int(depth * uniform(3.5, 5.0)) + 10;
        const int surfaceSeconds = k == 0 ? 0 : between(60, 240);
        session->addFreeDive(float(std::round(depth * 10.0)), diveSeconds % 60, diveSeconds / 60, surfaceSeconds % 60,
                             surfaceSeconds / 60);
        deepest = std::max(deepest, float(std::round(depth * 10.0) / 10.0));
        // Down and up again; the 0 closes this dive's run.
        const int points = std::max(2, diveSeconds / Dive::FREE_DIVE_POINT_SECONDS);
        for (int p = 1; p <= points; ++p) {
            const double phase = double(p) / (points + 1);
            profile.append(qint32(std::max(1.0, std::round(depth * 10.0 * std::sin(phase * 3.14159265)))));
        }
        profile.append(0);
    }
    if (withProfile)
        session->addProfileFree(profile);
    dive->setDiveMode(Dive::FREE_DIVE_MODE);
    dive->setDiveTime(freeDives);
    dive->setMaxDepth(deepest);
    dive->setMinTemperature(std::round(uniform(14, 24)));
    dive->setPersonalFactor(between(0, 2));
    dive->setSAMPLES(ProfileText::writeFreeDive(*session));
    dive->setDiveFreeInfo(session);
    g.location = QString::fromLatin1(SITES[between(0, int(std::size(SITES)) - 1)]);
    g.dive = std::move(dive);
    return g;
}

qint32 DiveGenerator::addLogbook(Database& db, const QString& name, qint32 model, const QDateTime& created) {
    Recordset rs = Recordset::table(db, QStringLiteral("FILE"));
    rs.addNew();
    rs.setValue(QStringLiteral("FILENAME"), name);
    rs.setValue(QStringLiteral("DIVE_MODEL"), model);
    rs.setValue(QStringLiteral("CREATION_DATE"), created);
    rs.update();
    return rs.lastModified().toInt();
}

qint32 DiveGenerator::store(Recordset& rs, const Generated& generated, qint32 logbookID) {
    const Dive& d = *generated.dive;
    rs.addNew();
    rs.setValue(DiveColumns::FILE_ID, logbookID);
    rs.setValue(DiveColumns::DATETIME, d.getDateTime());
    for (const DiveColumns::Number& column : DiveColumns::header())
        rs.setValue(QLatin1String(column.name), DiveColumns::stored(column, d));
    for (int t = 0; t < DiveColumns::TISSUES; ++t)
        rs.setValue(DiveColumns::tissue(t + 1), generated.tissueColumns[t]);
    rs.setValue(DiveColumns::SAMPLE, d.getSamples());
    rs.setValue(QStringLiteral("LOCATION"), generated.location);
    // The weather, suit and activity a diver notes afterwards, some left unset (-1). Drawn from the
    // start time, not from the seed's sequence, so that every other value stays as the seed made it.
    const quint32 pick = quint32(qHash(d.getDateTime().toSecsSinceEpoch()));
    rs.setValue(QStringLiteral("WEATHER"), int(pick % 7) - 1);
    rs.setValue(QStringLiteral("WETSUIT"), int(pick / 7 % 4) - 1);
    rs.setValue(QStringLiteral("ACTIVITY"), int(pick / 28 % 14) - 1);
    if (ModelCodes::isRGBM(d.diveComputer())) {
        for (const DiveColumns::Number& column : DiveColumns::rgbm())
            rs.setValue(QLatin1String(column.name), DiveColumns::stored(column, d));
        rs.setValue(DiveColumns::TSR, ModelCodes::model(d.diveComputer()) == ModelCode::dcKOBI
                                          ? float(d.getPersonalFactor())
                                          : d.getTSR());
    }
    rs.update();
    return rs.lastModified().toInt();
}

qint32 DiveGenerator::fill(Database& db, const Options& options) {
    struct Book {
        qint32 id;
        qint32 model;
        QDateTime next;
    };
    QList<Book> books;
    if (options.models.isEmpty() || options.logbooksPerModel < 1 || options.dives < 1)
        return 0;

    TransactionGuard transaction;
    for (const qint32 model : options.models) {
        for (int k = 1; k <= options.logbooksPerModel; ++k) {
            const QString name = QStringLiteral("Demo %1 %2").arg(model).arg(k);
            books.append(
                {addLogbook(db, name, model, options.firstStart), model,
                 SqlDates::wallClock(options.firstStart.date(), options.firstStart.time()).addDays(between(0, 30))});
        }
    }
    Recordset table = Recordset::table(db, QStringLiteral("DIVE"));
    qint32 written = 0;
    for (qint32 n = 0; n < options.dives; ++n) {
        Book& book = books[n % books.size()];
        const bool session =
            ModelCodes::model(book.model) == ModelCode::dcKOBI && uniform(0, 1) < options.freeDiveShare;
        const qint32 minutes = between(options.minMinutes, options.maxMinutes);
        const Generated dive = session ? freeDiveSession(book.next, between(5, 15), between(0, 3) != 0)
                                       : scubaDive(book.model, book.next, minutes);
        store(table, dive, book.id);
        ++written;
        // Two or three dives a day, with a surface interval between them.
        const qint32 length = session ? minutes : dive.dive->getDiveTime();
        QDateTime next = book.next.addSecs(60 * (length + between(60, 180)));
        if (next.time() > QTime(17, 0))
            next = SqlDates::wallClock(next.date().addDays(between(1, 4)), QTime(8, between(0, 59)));
        book.next = next;
    }
    transaction.commit();
    return written;
}
