// gen_dives <database> <N> [--models 1,2,4,8,16,32] [--minutes MIN[-MAX]] [--seed S]
//
// Adds N synthetic dives to a logbook database, in new logbooks ("Demo <model> <k>") of each model
// code, two per model. A database that does not exist yet is made first with the current schema.

#include "Database.h"
#include "DiveGenerator.h"
#include "ModelCodes.h"
#include "RuntimeError.h"
#include "SqlScript.h"
#include "Workspace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace {
int usage() {
    std::fprintf(stderr, "usage: gen_dives <database> <N> [--models 1,2,4,8,16,32] [--minutes MIN[-MAX]] "
                         "[--seed S]\n");
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return usage();
    bool ok = false;
    DiveGenerator::Options options;
    options.dives = args[2].toInt(&ok);
    if (!ok || options.dives < 1)
        return usage();
    quint32 seed = 2004;
    for (qsizetype i = 3; i + 1 < args.size(); i += 2) {
        const QString& value = args[i + 1];
        if (args[i] == QLatin1String("--models")) {
            options.models.clear();
            for (const QString& code : value.split(u',')) {
                const int model = code.toInt(&ok);
                if (!ok || !ModelCodes::isKnown(model))
                    return usage();
                options.models.append(model);
            }
        } else if (args[i] == QLatin1String("--minutes")) {
            const QStringList range = value.split(u'-');
            options.minMinutes = range[0].toInt(&ok);
            options.maxMinutes = range.size() > 1 ? range[1].toInt(&ok) : options.minMinutes;
            if (!ok || options.minMinutes < 3 || options.maxMinutes < options.minMinutes || options.maxMinutes > 600)
                return usage();
        } else if (args[i] == QLatin1String("--seed")) {
            seed = value.toUInt(&ok);
            if (!ok)
                return usage();
        } else {
            return usage();
        }
    }

    const QString path = args[1];
    try {
        if (!QFileInfo::exists(path))
            SqlScript::createDatabase(path, SqlScript::currentSchema());
        Database db = Workspace::defaultWorkspace().openDatabase(path);
        QElapsedTimer timer;
        timer.start();
        const qint32 written = DiveGenerator(seed).fill(db, options);
        std::printf("gen_dives: %d dives written to %s in %lld ms\n", written, qPrintable(path),
                    static_cast<long long>(timer.elapsed()));
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "gen_dives: [%d] %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    return 0;
}
