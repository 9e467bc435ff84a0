#pragma once

#include "B770Library.h"
#include "EmulatedLibrary.h"

// The B770 library as the program ships it: an emulated interface unit serving the device image
// of the serial port (model code 32). The port stays held from the start until stopDownload.
class EmulatedB770Library : public EmulatedLibrary<B770Library> {
public:
    static constexpr qint32 OWN_VERSION = 105;

    EmulatedB770Library();

    qint32 EsisteSeriale(qint32 serialPort) override;
    qint32 DimensioneProfili() override;
    qint32 DimensioneFree() override;
    qint32 downloadProfile(qint32* infoBlock, qint32 infoSize, qint32* records, qint32 recordSize, qint32* freeProfile,
                           qint32 freeSize) override;
    qint32 stopDownload() override;
};
