// make_device_image <model> [--port N] [--dives N] [--minutes MIN[-MAX]] [--seed S]
//                   [--fault timeout|port|sync] [--transfer-ms MS] [--version V] [--output FILE]
//
// Writes the device image of a dive computer of model code 1, 2, 4, 8, 16 or 32 holding N synthetic
// dives, for the emulated interface unit to serve: by default devices/COM<port>.json in the program
// folder, where the program looks when it downloads from serial port <port>. Kobi images hold
// free-dive sessions too; the first of them carries its depth profile.

#include "DeviceImage.h"
#include "DeviceRecords.h"
#include "Dive.h"
#include "DiveGenerator.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "diveFreeInfo.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

int usage() {
    std::fprintf(stderr, "usage: make_device_image <model 1|2|4|8|16|32> [--port N] [--dives N] [--minutes MIN[-MAX]]\n"
                         "                         [--seed S] [--fault timeout|port|sync] [--transfer-ms MS]\n"
                         "                         [--version V] [--output FILE]\n");
    return 2;
}

int fail(const QString& message) {
    std::fprintf(stderr, "make_device_image: %s\n", qPrintable(message));
    return 1;
}

// The generator keeps the start tissues beside the dive, as stored; the device delivers them in
// the dive's own units.
void setStartTissues(Dive& dive, const DiveGenerator::Generated& generated, qint32 model) {
    QVariantList tissues;
    const bool elevenTissues = ModelCodes::hasElevenTissues(model);
    for (int t = 0; t < (elevenTissues ? 11 : 10); ++t)
        tissues << (elevenTissues ? double(generated.tissueColumns[size_t(t)])
                                  : double(generated.tissueColumns[size_t(t)]) / 100);
    dive.setStartTissue(tissues);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return usage();
    bool ok = false;
    const qint32 model = args[1].toInt(&ok);
    const std::optional<DeviceImage::Library> library = DeviceImage::libraryForModel(model);
    if (!ok || !library)
        return usage();

    qint32 port = 1;
    qint32 count = 10;
    qint32 minMinutes = 25;
    qint32 maxMinutes = 50;
    quint32 seed = 2004;
    QString output;
    DeviceImage image;
    image.library = *library;
    image.model = model;
    for (qsizetype i = 2; i + 1 < args.size(); i += 2) {
        const QString& option = args[i];
        const QString& value = args[i + 1];
        if (option == QLatin1String("--port")) {
            port = value.toInt(&ok);
            ok = ok && port >= 1 && port <= 30;
        } else if (option == QLatin1String("--dives")) {
            count = value.toInt(&ok);
            ok = ok && count >= 0;
        } else if (option == QLatin1String("--minutes")) {
            const QStringList range = value.split(u'-');
            minMinutes = range[0].toInt(&ok);
            bool okMax = true;
            maxMinutes = range.size() > 1 ? range[1].toInt(&okMax) : minMinutes;
            ok = ok && okMax && minMinutes >= 3 && maxMinutes >= minMinutes && maxMinutes <= 300;
        } else if (option == QLatin1String("--seed")) {
            seed = value.toUInt(&ok);
        } else if (option == QLatin1String("--fault")) {
            const std::optional<DeviceImage> probe =
                DeviceImage::fromJson(QStringLiteral(R"({"library": "Zento", "fault": "%1"})").arg(value).toUtf8());
            ok = probe.has_value();
            if (ok)
                image.fault = probe->fault;
        } else if (option == QLatin1String("--transfer-ms")) {
            image.transferMs = value.toInt(&ok);
            ok = ok && image.transferMs >= 0;
        } else if (option == QLatin1String("--version")) {
            image.version = value.toInt(&ok);
        } else if (option == QLatin1String("--output")) {
            output = value;
        } else {
            ok = false;
        }
        if (!ok)
            return usage();
    }
    if (args.size() % 2 != 0)
        return usage();
    if (output.isEmpty())
        output = DeviceImage::pathForPort(port);

    try {
        // The dives' start tissues follow the current model code.
        Settings::instance().setCurrentDiveComputer(model);
        DiveGenerator generator(seed);
        QDateTime start(QDate(2024, 6, 1), QTime(9, 0));
        bool profileGiven = false;
        for (qint32 n = 0; n < count; ++n) {
            // Two dives a day, morning and afternoon.
            start = n % 2 == 0 ? QDateTime(start.date().addDays(1), QTime(9, 0).addSecs(60 * 7 * (n % 5)))
                               : start.addSecs(5 * 3600 + 60 * 11 * (n % 4));
            const qint32 minutes = minMinutes + qint32(seed + quint32(n) * 7919) % (maxMinutes - minMinutes + 1);
            if (ModelCodes::model(model) == ModelCode::dcKOBI && n % 4 == 3) {
                const bool withProfile = !profileGiven;
                const DiveGenerator::Generated session = generator.freeDiveSession(start, 3 + n % 4, withProfile);
                image.records += DeviceRecords::kobiSession(*session.dive);
                if (withProfile) {
                    image.freeProfile = DeviceRecords::kobiFreeProfile(*session.dive);
                    // The 1-based number of the record that owns the profile.
                    image.freeProfileOwner = n + 1;
                    profileGiven = true;
                }
                continue;
            }
            const DiveGenerator::Generated generated = generator.scubaDive(model, start, minutes);
            Dive& dive = *generated.dive;
            setStartTissues(dive, generated, model);
            if (ModelCodes::model(model) == ModelCode::dcKOBI)
                image.records += DeviceRecords::kobiScuba(dive);
            else if (ModelCodes::isAirIntegrated(model))
                image.records += DeviceRecords::tavex(dive);
            else
                image.records += DeviceRecords::zento(dive, model);
        }
    } catch (const RuntimeError& e) {
        return fail(QStringLiteral("the dives cannot be written: ") + e.description());
    }

    // What the library's record array can hold: a fixed array with room for the end marker, or a
    // walk in 16-bit positions.
    const qsizetype room = ModelCodes::model(model) == ModelCode::dcKOBI ? 32767 : 30000;
    if (image.records.size() > room)
        return fail(QStringLiteral("%1 dives need %2 values; the %3 library holds %4. Ask for fewer or shorter "
                                   "dives.")
                        .arg(count)
                        .arg(image.records.size())
                        .arg(DeviceImage::libraryName(image.library))
                        .arg(room));

    QString error;
    if (!image.save(output, &error))
        return fail(output + QStringLiteral(": ") + error);
    std::printf("%s: %d dives of model %d (%lld values)\n", qPrintable(output), count, model,
                static_cast<long long>(image.records.size()));
    return 0;
}
