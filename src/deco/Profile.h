#pragma once

#include "DecoModel.h"
#include "ProfileReader.h"

#include <QList>
#include <memory>

class Dive;

// The one object through which the views obtain decompression results for a dive. It holds the
// model of the current model code, chosen when a dive is given to it, and passes every member on.
//
// Usage: setCurrentDive, optionally setPreviousDives and setSimulationMode(true), compute, then the
// getters by sample step (0 before the first sample, 1 to N the samples, N + 1 the closing step).
// Every member raises RuntimeError 91 while no model is held; a step outside the model's tables
// (0 to 901 for the 11-compartment model, 0 to 3001 for the RGBM model) raises RuntimeError 9.
class Profile : public ProfileReader {
public:
    Profile();
    ~Profile() override;
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    std::shared_ptr<Dive> getCurrentDive() const override;
    QList<qint16> getTissue(qint16 iStep) const override;
    qint16 getTissueNumber() const override;
    float getMaxDepth(qint16 iStep) const override;
    qint16 getSafetyTime(qint16 iStep) const override;
    qint16 getCNS(qint16 iStep) const override;
    qint16 getDecoFlag(qint16 iStep) const override;
    qint16 getNoDecTime(qint16 iStep) const override;
    qint16 getDecoTime(qint16 iStep) const override;
    qint16 getAscentTime(qint16 iStep) const override;
    qint16 getTappa(qint16 iStep) const override;
    qint16 getMaxVelocity(qint16 iStep) const override;
    float getDepth(qint16 iStep) const override;
    qint16 getVerticalDeep(qint16 iStep) const override;
    void setSimulationMode(bool simulation);
    bool isSimulationMode() const;
    qint16 getDeepStop1() const override;
    qint16 getDeepStop2() const override;
    // RGBM model only; RuntimeError 438 on the 11-compartment model.
    qint16 getProgressiveTankPressure(qint16 iStep) const override;
    qint16 getTankConsuption(qint16 iStep) const override;
    void compute();
    bool wasElaborated() const override;
    void setPreviousDives(const QList<std::shared_ptr<Dive>>& prevDives);
    // Builds a new model for the current model code (1, 2: 11 compartments; 4, 8, 16, 32: RGBM),
    // dropping the former one and its results; any other code keeps the model held. The model keeps
    // the dive itself, not a copy.
    void setCurrentDive(std::shared_ptr<Dive> crntDive);

private:
    DecoModel& model() const;

    std::unique_ptr<DecoModel> m_model;
};
