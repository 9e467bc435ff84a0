#include "Profile.h"

#include "ModelCodes.h"
#include "ProfileZento.h"
#include "ProfileZentoRGBM.h"
#include "RuntimeError.h"
#include "Settings.h"

Profile::Profile() = default;
Profile::~Profile() = default;

DecoModel& Profile::model() const {
    if (!m_model)
        throw RuntimeError(RuntimeError::ObjectNotSet, QStringLiteral("Profile"),
                           QStringLiteral("Object variable or With block variable not set"));
    return *m_model;
}

std::shared_ptr<Dive> Profile::getCurrentDive() const {
    return model().getCurrentDive();
}

QList<qint16> Profile::getTissue(qint16 iStep) const {
    return model().getTissue(iStep);
}

qint16 Profile::getTissueNumber() const {
    return model().getTissueNumber();
}

float Profile::getMaxDepth(qint16 iStep) const {
    return model().getMaxDepth(iStep);
}

qint16 Profile::getSafetyTime(qint16 iStep) const {
    return model().getSafetyTime(iStep);
}

qint16 Profile::getCNS(qint16 iStep) const {
    return model().getCNS(iStep);
}

qint16 Profile::getDecoFlag(qint16 iStep) const {
    return model().getDecoFlag(iStep);
}

qint16 Profile::getNoDecTime(qint16 iStep) const {
    return model().getNoDecTime(iStep);
}

qint16 Profile::getDecoTime(qint16 iStep) const {
    return model().getDecoTime(iStep);
}

qint16 Profile::getAscentTime(qint16 iStep) const {
    return model().getAscentTime(iStep);
}

qint16 Profile::getTappa(qint16 iStep) const {
    return model().getTappa(iStep);
}

qint16 Profile::getMaxVelocity(qint16 iStep) const {
    return model().getMaxVelocity(iStep);
}

float Profile::getDepth(qint16 iStep) const {
    return model().getDepth(iStep);
}

qint16 Profile::getVerticalDeep(qint16 iStep) const {
    return model().getVerticalDeep(iStep);
}

void Profile::setSimulationMode(bool simulation) {
    model().setSimulationMode(simulation);
}

bool Profile::isSimulationMode() const {
    return model().isSimulationMode();
}

qint16 Profile::getDeepStop1() const {
    return model().getDeepStop1();
}

qint16 Profile::getDeepStop2() const {
    return model().getDeepStop2();
}

qint16 Profile::getProgressiveTankPressure(qint16 iStep) const {
    return model().getProgressiveTankPressure(iStep);
}

qint16 Profile::getTankConsuption(qint16 iStep) const {
    return model().getTankConsuption(iStep);
}

void Profile::compute() {
    model().compute();
}

bool Profile::wasElaborated() const {
    return model().wasElaborated();
}

void Profile::setPreviousDives(const QList<std::shared_ptr<Dive>>& prevDives) {
    model().setPreviousDives(prevDives);
}

void Profile::setCurrentDive(std::shared_ptr<Dive> crntDive) {
    // The current setting decides the model, never the dive's own code.
    const Settings& settings = Settings::instance();
    const qint32 code = settings.currentDiveComputer();
    if (ModelCodes::hasElevenTissues(code))
        m_model = std::make_unique<ProfileZento>();
    else if (settings.isCurrentDiveComputerRGBM())
        m_model = std::make_unique<ProfileZentoRGBM>();
    model().setCurrentDive(std::move(crntDive));
}
