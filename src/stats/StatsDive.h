#pragma once

#include <QtGlobal>
#include <optional>

// One dive as the statistics read it: the columns they count, each as stored, or no value where
// the row holds NULL (rows of older schemas, codes never chosen) or text that is not a number.
struct StatsDive {
    std::optional<double> diveTime;
    std::optional<double> maxDepth;
    std::optional<double> minTemp;
    std::optional<double> tankUse;
    std::optional<double> diveMode;
    std::optional<double> decoFlag;
    std::optional<double> weather;
    std::optional<double> wetsuit;
    std::optional<double> activity;
    std::optional<double> violationStop;
    std::optional<double> ascent;
    std::optional<double> maxCNS;
    std::optional<double> mixNitrox;
    std::optional<double> ppo2;

    // The tank consumption figures of an air-integrated profile, the misc field of samples 2, 5, 8
    // and so on: their largest and smallest value. `consumptionRead` is false when the profile holds
    // no such sample, or when it is damaged and its samples are skipped.
    bool consumptionRead = false;
    bool consumptionDamaged = false;
    qint16 consumptionMax = 0;
    qint16 consumptionMin = 0;
};
