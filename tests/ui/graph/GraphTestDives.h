#pragma once

#include "Dive.h"
#include "DiveGraph.h"
#include "Profile.h"
#include "PropertyBag.h"
#include "Settings.h"

#include <QList>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

// Dives for the graph and its hosts, built through the dive's setters under the current model code.
namespace graphtest {

struct Sample {
    double metres;
    int vRis = 0;
};

inline std::shared_ptr<Dive> diveOf(const QList<Sample>& samples, int diveMinutes = 0) {
    auto dive = std::make_shared<Dive>();
    dive->setDiveComputer(Settings::instance().currentDiveComputer());
    dive->setWater(1);
    const bool rgbm = Settings::instance().isCurrentDiveComputerRGBM();
    dive->setStartTissue(QVariantList(rgbm ? 10 : 11, rgbm ? 0.79 : 26.07));
    dive->setDiveTime(diveMinutes);
    for (const Sample& s : samples)
        dive->addSample(s.metres * 10, s.vRis, 0, 0);
    return dive;
}

inline std::shared_ptr<Dive> constantDive(double metres, int samples, int diveMinutes = 0) {
    return diveOf(QList<Sample>(samples, Sample{metres}), diveMinutes);
}

// A square dive: down at 6 m a sample, `bottomSamples` at depth, up at 3 m a sample.
inline std::shared_ptr<Dive> squareDive(double metres, int bottomSamples) {
    QList<Sample> samples;
    for (double d = 6; d < metres; d += 6)
        samples.append(Sample{d});
    for (int i = 0; i < bottomSamples; ++i)
        samples.append(Sample{metres});
    for (double d = metres - 3; d > 0; d -= 3)
        samples.append(Sample{d});
    return diveOf(samples, int(samples.size() / 3));
}

// A saved layout holding exactly these values.
inline PropertyBag bagOf(const QVariantMap& values) {
    PropertyBag bag;
    for (auto it = values.begin(); it != values.end(); ++it)
        bag.write(it.key(), it.value(), QVariant());
    return bag;
}

inline std::shared_ptr<Profile> computed(std::shared_ptr<Dive> dive) {
    auto profile = std::make_shared<Profile>();
    profile->setCurrentDive(std::move(dive));
    profile->compute();
    return profile;
}

// The profile's segments as the graph drew them: solid lines two pixels wide after the three axes.
inline QList<GraphStroke> segments(const DiveGraph& graph) {
    QList<GraphStroke> lines;
    int axes = 0;
    for (const GraphStroke& s : graph.strokes()) {
        if (s.kind != GraphStroke::Line || s.width != 2 || s.style != Qt::SolidLine)
            continue;
        if (axes++ < 3)
            continue;
        lines.append(s);
    }
    return lines;
}

inline QList<GraphStroke> strokesOf(const DiveGraph& graph, GraphStroke::Kind kind) {
    QList<GraphStroke> found;
    for (const GraphStroke& s : graph.strokes()) {
        if (s.kind == kind)
            found.append(s);
    }
    return found;
}

} // namespace graphtest
