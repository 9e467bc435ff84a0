#pragma once

#include "Dive.h"
#include "Settings.h"

#include <QList>
#include <QVariantList>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>

// Dives for the decompression tests, built through the dive's public setters. Depths in metres.
namespace decotest {

// Inspired nitrogen at the surface at sea level: fsw for the 11-compartment model, bar for RGBM.
constexpr double zentoSurfaceN2 = 26.07;
constexpr double rgbmSurfaceN2 = 0.79;

// Samples every 20 seconds through a list of legs (depth, minutes at that depth): the diver moves
// towards each depth by `descent` or `ascent` metres a sample, then stays for the leg's minutes. A
// last leg at 0 m brings the diver up without a sample at the surface.
inline QList<double> legs(std::initializer_list<std::pair<double, double>> plan, double descent = 6,
                          double ascent = 3) {
    QList<double> samples;
    double depth = 0;
    for (const auto& [target, minutes] : plan) {
        while (std::abs(depth - target) > 1e-9) {
            depth = depth < target ? std::min(target, depth + descent) : std::max(target, depth - ascent);
            if (depth > 0)
                samples.append(depth);
        }
        for (int k = 0; k < int(std::lround(minutes * 3)); ++k) {
            if (depth > 0)
                samples.append(depth);
        }
    }
    return samples;
}

inline QList<double> constant(double metres, int samples) {
    return QList<double>(samples, metres);
}

inline void setTissues(Dive& dive, double load) {
    const qsizetype count = Settings::instance().isCurrentDiveComputerRGBM() ? 10 : 11;
    dive.setStartTissue(QVariantList(count, load));
}

inline void setTissues(Dive& dive, const QList<double>& loads) {
    QVariantList values;
    for (double load : loads)
        values.append(load);
    dive.setStartTissue(values);
}

// A dive of the current model code breathing air from surface-saturated tissues at sea level, in
// fresh water (the RGBM model tells salt water apart).
inline std::shared_ptr<Dive> diveOf(const QList<double>& metres) {
    auto dive = std::make_shared<Dive>();
    const bool rgbm = Settings::instance().isCurrentDiveComputerRGBM();
    dive->setWater(1);
    setTissues(*dive, rgbm ? rgbmSurfaceN2 : zentoSurfaceN2);
    for (double depth : metres)
        dive->addSample(std::round(depth * 10), 0, 0, 0);
    return dive;
}

inline void setNitrox(Dive& dive, int oxygenPercent) {
    dive.setDiveMode(1);
    dive.setNitroxMixture(oxygenPercent);
}

} // namespace decotest
