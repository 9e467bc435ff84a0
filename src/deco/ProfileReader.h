#pragma once

#include <QList>
#include <memory>

class Dive;

// The computed results of one dive, as the views read them by sample step: 0 before the first
// sample, 1 to N the samples, N + 1 a closing step at the surface. A step outside the model's result
// tables raises RuntimeError 9. The faces and displays read through this, so that a test can hand
// them a profile whose every value it chose.
class ProfileReader {
public:
    virtual ~ProfileReader() = default;

    // The dive given to setCurrentDive, or a new empty one when there is none.
    virtual std::shared_ptr<Dive> getCurrentDive() const = 0;
    // Each compartment's load in percent of its limit, rounded half to even.
    virtual QList<qint16> getTissue(qint16 iStep) const = 0;
    virtual qint16 getTissueNumber() const = 0;
    // Metres.
    virtual float getMaxDepth(qint16 iStep) const = 0;
    virtual qint16 getSafetyTime(qint16 iStep) const = 0;
    // 0, 5 to 95 in steps of 5, or 99.
    virtual qint16 getCNS(qint16 iStep) const = 0;
    // Ceiling level 0 to 8.
    virtual qint16 getDecoFlag(qint16 iStep) const = 0;
    virtual qint16 getNoDecTime(qint16 iStep) const = 0;
    virtual qint16 getDecoTime(qint16 iStep) const = 0;
    virtual qint16 getAscentTime(qint16 iStep) const = 0;
    // Stop level; the stop lies level x 3 m deep.
    virtual qint16 getTappa(qint16 iStep) const = 0;
    // The ascent-rate value recorded with the sample.
    virtual qint16 getMaxVelocity(qint16 iStep) const = 0;
    // Metres.
    virtual float getDepth(qint16 iStep) const = 0;
    // 0 while the diver is at a deep stop, else 1.
    virtual qint16 getVerticalDeep(qint16 iStep) const = 0;
    // Metres, -1 for none.
    virtual qint16 getDeepStop1() const = 0;
    virtual qint16 getDeepStop2() const = 0;
    // Only a model with tank data answers these; the others raise RuntimeError 438.
    virtual qint16 getProgressiveTankPressure(qint16 iStep) const = 0;
    virtual qint16 getTankConsuption(qint16 iStep) const = 0;
    virtual bool wasElaborated() const = 0;
};
