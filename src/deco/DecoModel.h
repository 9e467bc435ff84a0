#pragma once

#include "ProfileReader.h"
#include "RuntimeError.h"

#include <QList>
#include <memory>

class Dive;

// What the profile facade asks of a decompression model: the results it reads, and the calls that
// give the model its dive and run it.
class DecoModel : public ProfileReader {
public:
    virtual void setSimulationMode(bool simulation) = 0;
    virtual bool isSimulationMode() const = 0;
    qint16 getProgressiveTankPressure(qint16 iStep) const override {
        Q_UNUSED(iStep);
        throw noSuchMember("getProgressiveTankPressure");
    }
    qint16 getTankConsuption(qint16 iStep) const override {
        Q_UNUSED(iStep);
        throw noSuchMember("getTankConsuption");
    }
    virtual void compute() = 0;
    virtual void setPreviousDives(const QList<std::shared_ptr<Dive>>& prevDives) = 0;
    virtual void setCurrentDive(std::shared_ptr<Dive> crntDive) = 0;

protected:
    static RuntimeError noSuchMember(const char* member) {
        return RuntimeError(RuntimeError::NoSuchMember, QString::fromLatin1(member),
                            QStringLiteral("Object doesn't support this property or method"));
    }
};
