#pragma once

#include "B330Library.h"
#include "EmulatedInterfaceUnit.h"

// The B330 library as the program ships it: an emulated interface unit serving the device
// image of the serial port (model codes 8 and 16).
class EmulatedB330Library : public B330Library {
public:
    static constexpr qint32 OWN_VERSION = 120;
    // The family the program names when it asks this library for records.
    static constexpr qint32 FAMILY = 7;

    EmulatedB330Library();

    qint32 getVersion() override;
    qint32 getDownloadStatus() override;
    qint32 startDownload(qint32 serialPort) override;
    qint32 getProgress() override;
    qint32 downloadProfile(qint32* infoBlock, qint32 family, qint32* records, qint32 capacity) override;

private:
    EmulatedInterfaceUnit m_unit;
};
