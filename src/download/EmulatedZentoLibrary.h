#pragma once

#include "EmulatedInterfaceUnit.h"
#include "ZentoLibrary.h"

// The Zento library as the program ships it: an emulated interface unit serving the device
// image of the serial port (model codes 1, 2 and 4).
class EmulatedZentoLibrary : public ZentoLibrary {
public:
    static constexpr qint32 OWN_VERSION = 210;
    // The family the program names when it asks this library for records.
    static constexpr qint32 FAMILY = 4;

    EmulatedZentoLibrary();

    qint32 getVersion() override;
    qint32 getDownloadStatus() override;
    qint32 startDownload(qint32 serialPort) override;
    qint32 getProgress() override;
    qint32 downloadProfile(qint32* infoBlock, qint32 family, qint32* records, qint32 capacity) override;

private:
    EmulatedInterfaceUnit m_unit;
};
