#pragma once

#include "DiveComputerDisplay.h"
#include "DiveComputerDisplayFactory.h"
#include "FaceElements.h"
#include "StandInProfile.h"
#include "TestEnvironment.h"

#include <QLabel>
#include <QLocale>
#include <QStringList>
#include <memory>

// One face of a model code, in English, metric (unit 0) or imperial (unit 1).
struct FaceFixture {
    explicit FaceFixture(int model, int unit = 0, int language = 0) {
        env.storeSetting(QStringLiteral("Language"), QString::number(language));
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        env.storeSetting(QStringLiteral("MeasureUnit"), QString::number(unit));
        env.restart();
        face.reset(createDiveComputerDisplay(model, nullptr));
    }

    // Shows a dive of that mode (0 air, 1 nitrox, 2 or 3 bottom time or free dive by model; -1 a
    // stop-flag dive) with those steps, and step 0 of it.
    std::shared_ptr<StandInProfile> show(std::shared_ptr<Dive> dive, QList<StepValues> steps, qint16 deep1 = -1,
                                         qint16 deep2 = -1) {
        auto profile = std::make_shared<StandInProfile>(std::move(dive), std::move(steps), deep1, deep2);
        face->addProfile(profile);
        return profile;
    }

    QLabel* label(const QString& name) const { return face->findChild<QLabel*>(name); }
    FaceImage* image(const QString& name) const { return face->findChild<FaceImage*>(name); }
    QString text(const QString& name) const { return label(name)->text(); }
    bool shown(const QString& name) const { return !face->findChild<QWidget*>(name)->isHidden(); }
    QString tip(const QString& name) const { return face->findChild<QWidget*>(name)->toolTip(); }
    int picture(const QString& name) const { return image(name)->picture(); }

    TestEnvironment env;
    std::unique_ptr<DiveComputerDisplay> face;
};

// A dive of a model code: mode 0 air, 1 nitrox (32 % O2), other modes as given; `stop` sets the stop
// flag. Salt water, 24 °C, altitude class 0.
inline std::shared_ptr<Dive> diveOf(int model, int mode, bool stop = false) {
    auto dive = std::make_shared<Dive>();
    dive->setDiveComputer(model);
    dive->setDiveMode(mode);
    if (mode == 1)
        dive->setNitroxMixture(32);
    dive->setStop(stop ? 1 : 0);
    dive->setMinTemperature(24);
    return dive;
}

// The screens a diver meets, one step each: no stop, decompression, safety stop, deep stop, and a
// deep decompression with wide figures.
inline QList<StepValues> tellingSteps() {
    return {StepValues{.depth = 12.4f,
                       .maxDepth = 18.6f,
                       .noDecTime = 7,
                       .cns = 15,
                       .maxVelocity = 2,
                       .tankPressure = 187,
                       .consumption = 18},
            StepValues{.depth = 8.6f,
                       .maxDepth = 31.2f,
                       .decoFlag = 3,
                       .tappa = 3,
                       .decoTime = 4,
                       .ascentTime = 14,
                       .cns = 25,
                       .maxVelocity = 4,
                       .tankPressure = 120,
                       .consumption = 22},
            StepValues{.depth = 4.8f,
                       .maxDepth = 31.2f,
                       .safetyTime = 3,
                       .cns = 25,
                       .maxVelocity = 5,
                       .tankPressure = 80,
                       .consumption = 15},
            StepValues{.depth = 18.0f,
                       .maxDepth = 31.2f,
                       .verticalDeep = 0,
                       .noDecTime = 20,
                       .cns = 20,
                       .maxVelocity = 3,
                       .tankPressure = 100,
                       .consumption = 20},
            StepValues{.depth = 38.5f,
                       .maxDepth = 42.7f,
                       .decoFlag = 5,
                       .tappa = 5,
                       .decoTime = 12,
                       .ascentTime = 38,
                       .cns = 45,
                       .maxVelocity = 1,
                       .tankPressure = 95,
                       .consumption = 31}};
}
inline const QStringList TELLING_STEP_NAMES{QStringLiteral("no stop"), QStringLiteral("deco"),
                                            QStringLiteral("safety stop"), QStringLiteral("deep stop"),
                                            QStringLiteral("deep deco")};
