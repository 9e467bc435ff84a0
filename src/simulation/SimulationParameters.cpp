#include "SimulationParameters.h"

#include "Dive.h"
#include "Numeric.h"

#include <algorithm>
#include <cmath>

QStringList SimulationParameters::ppo2Entries() {
    return {QStringLiteral("1.2"), QStringLiteral("1.3"), QStringLiteral("1.4"), QStringLiteral("1.5"),
            QStringLiteral("1.6")};
}

int SimulationParameters::ppo2IndexOf(float ppo2) {
    if (!std::isfinite(ppo2))
        return PPO2_START_INDEX;
    const double tenths = ppo2 > 10 ? double(ppo2) : double(ppo2) * 10;
    const double index = num::roundHalfEven(tenths - 12);
    return int(std::clamp(index, 0.0, double(ppo2Entries().size() - 1)));
}

SimulationParameters SimulationParameters::fromDive(const Dive& dive) {
    SimulationParameters p;
    const qint16 altitude = dive.getAltitude();
    if (altitude >= 0 && altitude <= 3)
        p.altitude = altitude;
    p.mixture = std::clamp(int(dive.getNitroxMixture()), MIXTURE_MIN, MIXTURE_MAX);
    p.nitrox = dive.isNitrox();
    if (p.nitrox)
        p.ppo2Index = ppo2IndexOf(dive.getPPO2());
    return p;
}

void SimulationParameters::applyTo(Dive& dive) const {
    if (nitrox) {
        dive.setDiveMode(1);
        dive.setNitroxMixture(std::clamp(mixture, MIXTURE_MIN, MIXTURE_MAX));
        const int index = std::clamp(ppo2Index, 0, int(ppo2Entries().size() - 1));
        dive.setPPO2(float(num::textToDouble(ppo2Entries().at(index))));
    } else {
        dive.setDiveMode(0);
        dive.setNitroxMixture(21);
    }
    dive.setAltitude(std::clamp(altitude, 0, 3));
}
