#pragma once

#include "RuntimeError.h"

#include <QList>
#include <memory>

class Dive;

// What the profile facade asks of a decompression model. Per-step members take the sample step:
// 0 before the first sample, 1 to N the samples, N + 1 a closing step at the surface. A step outside
// the model's result tables raises RuntimeError 9.
class DecoModel {
public:
    virtual ~DecoModel() = default;

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
    virtual void setSimulationMode(bool simulation) = 0;
    virtual bool isSimulationMode() const = 0;
    // Metres, -1 for none.
    virtual qint16 getDeepStop1() const = 0;
    virtual qint16 getDeepStop2() const = 0;
    // Only a model with tank data answers these; the others raise RuntimeError 438.
    virtual qint16 getProgressiveTankPressure(qint16 iStep) const {
        Q_UNUSED(iStep);
        throw noSuchMember("getProgressiveTankPressure");
    }
    virtual qint16 getTankConsuption(qint16 iStep) const {
        Q_UNUSED(iStep);
        throw noSuchMember("getTankConsuption");
    }
    virtual void compute() = 0;
    virtual bool wasElaborated() const = 0;
    virtual void setPreviousDives(const QList<std::shared_ptr<Dive>>& prevDives) = 0;
    virtual void setCurrentDive(std::shared_ptr<Dive> crntDive) = 0;

protected:
    static RuntimeError noSuchMember(const char* member) {
        return RuntimeError(RuntimeError::NoSuchMember, QString::fromLatin1(member),
                            QStringLiteral("Object doesn't support this property or method"));
    }
};
