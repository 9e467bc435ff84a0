#include "SimulatedDive.h"

#include "Dive.h"
#include "Profile.h"
#include "Settings.h"
#include "SimulationEngine.h"

#include <QVariantList>
#include <algorithm>

namespace SimulatedDive {

std::shared_ptr<Dive> create() {
    const qint32 model = Settings::instance().currentDiveComputer();
    auto dive = std::make_shared<Dive>();
    dive->setDiveComputer(model);
    dive->setDiveTime(0);
    dive->setNitroxMixture(21);
    if (ModelCodes::hasElevenTissues(model))
        dive->setStartTissue(QVariantList(11, 26));
    else
        dive->setStartTissue(QVariantList(10, 0.79));
    dive->setSAMPLES(QString());
    return dive;
}

void continueAsScuba(Dive& dive) {
    if (!dive.isFreeDive())
        return;
    for (int i = 1; i <= dive.getSamplesCount(); ++i)
        dive.setSample(i, double(dive.getSampleDepth(i) * 10.0f), 0, 0, 0);
    dive.setDiveMode(0);
    dive.setDiveFreeInfo(nullptr);
}

void prepareForSave(Dive& dive, const Profile& profile) {
    dive.setDeepStop1(profile.getDeepStop1());
    dive.setDeepStop2(profile.getDeepStop2());
    keepTotals(dive);
}

void keepTotals(Dive& dive) {
    const int n = dive.getSamplesCount();
    const int seconds = n * SimulationEngine::SECONDS_PER_TICK * SimulationEngine::TICKS_PER_SAMPLE;
    dive.setDiveTime((seconds + 59) / 60);
    float deepest = 0;
    for (int i = 1; i <= n; ++i)
        deepest = std::max(deepest, dive.getSampleDepth(i));
    dive.setMaxDepth(deepest);
}

} // namespace SimulatedDive
