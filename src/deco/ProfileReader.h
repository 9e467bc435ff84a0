#pragma once

#include <QList>
#include <memory>

class Dive;

// The computed results of one dive, as the views read them by sample step. The faces and displays
// read through this, so that a test can hand them a profile whose every value it chose.
class ProfileReader {
public:
    virtual ~ProfileReader() = default;

    virtual std::shared_ptr<Dive> getCurrentDive() const = 0;
    virtual QList<qint16> getTissue(qint16 iStep) const = 0;
    virtual qint16 getTissueNumber() const = 0;
    virtual float getMaxDepth(qint16 iStep) const = 0;
    virtual qint16 getSafetyTime(qint16 iStep) const = 0;
    virtual qint16 getCNS(qint16 iStep) const = 0;
    virtual qint16 getDecoFlag(qint16 iStep) const = 0;
    virtual qint16 getNoDecTime(qint16 iStep) const = 0;
    virtual qint16 getDecoTime(qint16 iStep) const = 0;
    virtual qint16 getAscentTime(qint16 iStep) const = 0;
    virtual qint16 getTappa(qint16 iStep) const = 0;
    virtual qint16 getMaxVelocity(qint16 iStep) const = 0;
    virtual float getDepth(qint16 iStep) const = 0;
    virtual qint16 getVerticalDeep(qint16 iStep) const = 0;
    virtual qint16 getDeepStop1() const = 0;
    virtual qint16 getDeepStop2() const = 0;
    virtual qint16 getProgressiveTankPressure(qint16 iStep) const = 0;
    virtual qint16 getTankConsuption(qint16 iStep) const = 0;
    virtual bool wasElaborated() const = 0;
};
