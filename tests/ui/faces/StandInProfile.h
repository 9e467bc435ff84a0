#pragma once

#include "Dive.h"
#include "ProfileReader.h"
#include "RuntimeError.h"

#include <QList>
#include <memory>

// The readings of one step, as a decompression model would give them.
struct StepValues {
    float depth = 0;
    float maxDepth = 0;
    qint16 decoFlag = 0;
    qint16 safetyTime = 0;
    qint16 verticalDeep = 1;
    qint16 noDecTime = 0;
    qint16 tappa = 0;
    qint16 decoTime = 0;
    qint16 ascentTime = 0;
    qint16 cns = 0;
    qint16 maxVelocity = 0;
    qint16 tankPressure = 0;
    qint16 consumption = 0;
};

// A profile whose every reading the test chose, one row per step. Steps past the rows read as the
// surface (all zero), as a model's tables do after the dive; steps outside the tables fail.
class StandInProfile : public ProfileReader {
public:
    StandInProfile(std::shared_ptr<Dive> dive, QList<StepValues> steps, qint16 deepStop1 = -1, qint16 deepStop2 = -1)
        : m_dive(std::move(dive)), m_steps(std::move(steps)), m_deepStop1(deepStop1), m_deepStop2(deepStop2) {}

    std::shared_ptr<Dive> getCurrentDive() const override { return m_dive; }
    QList<qint16> getTissue(qint16 iStep) const override { return QList<qint16>(10, at(iStep).cns); }
    qint16 getTissueNumber() const override { return 10; }
    float getMaxDepth(qint16 iStep) const override { return at(iStep).maxDepth; }
    qint16 getSafetyTime(qint16 iStep) const override { return at(iStep).safetyTime; }
    qint16 getCNS(qint16 iStep) const override { return at(iStep).cns; }
    qint16 getDecoFlag(qint16 iStep) const override { return at(iStep).decoFlag; }
    qint16 getNoDecTime(qint16 iStep) const override { return at(iStep).noDecTime; }
    qint16 getDecoTime(qint16 iStep) const override { return at(iStep).decoTime; }
    qint16 getAscentTime(qint16 iStep) const override { return at(iStep).ascentTime; }
    qint16 getTappa(qint16 iStep) const override { return at(iStep).tappa; }
    qint16 getMaxVelocity(qint16 iStep) const override { return at(iStep).maxVelocity; }
    float getDepth(qint16 iStep) const override { return at(iStep).depth; }
    qint16 getVerticalDeep(qint16 iStep) const override { return at(iStep).verticalDeep; }
    qint16 getDeepStop1() const override { return m_deepStop1; }
    qint16 getDeepStop2() const override { return m_deepStop2; }
    qint16 getProgressiveTankPressure(qint16 iStep) const override { return at(iStep).tankPressure; }
    qint16 getTankConsuption(qint16 iStep) const override { return at(iStep).consumption; }
    bool wasElaborated() const override { return true; }

private:
    StepValues at(qint16 step) const {
        if (step < 0 || step > 3001)
            throw RuntimeError(9, QStringLiteral("StandInProfile"), QStringLiteral("Subscript out of range"));
        return step < m_steps.size() ? m_steps.at(step) : StepValues{};
    }

    std::shared_ptr<Dive> m_dive;
    QList<StepValues> m_steps;
    qint16 m_deepStop1;
    qint16 m_deepStop2;
};
