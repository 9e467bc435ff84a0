#pragma once

#include <QString>
#include <optional>

class Dive;

// What the Settings and Technical tabs show of a dive's mode, and which of their fields the model
// in use lets them offer.
namespace DiveInfoRules {

// The dive's mode as both tabs treat it: its text, and the flags handed to the three switches.
struct Mode {
    QString text;
    bool nitrox = false;   // nitrox fields
    bool air = false;      // tank fields
    bool freeDive = false; // a free-dive series: the deco and ascent boxes are greyed
};

// Tested in the order nitrox, air, bottom time, free dive; none of these is "---".
Mode modeOf(const Dive& dive);

// The tank fields are offered only by the air-integrated models, whatever the dive.
bool tankFieldsOn(bool wanted, qint32 model);
// The deco and ascent boxes are live only on the Kobi, and not for a free-dive series.
bool decoFlagsEnabled(bool freeDive, qint32 model);
// What the window's refresh does to the tank fields: off for 1, 2, 4 and 32, on for 8 and 16,
// nothing for any other code.
std::optional<bool> tankFieldsOnRefresh(qint32 model);

// Above 75 %; 75 itself is none.
bool cnsViolation(float maxCNS);
// The oxygen partial pressure at the deepest point, 10 m of water to the bar and 1 bar at the
// surface whatever the water and altitude, in single precision, above the dive's limit.
bool ppo2Violation(float maxDepthMetres, qint16 oxygenPercent, float ppo2Limit);

} // namespace DiveInfoRules
