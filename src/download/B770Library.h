#pragma once

#include <QtGlobal>

// The interface library of model code 32. It owns the serial port and the device protocol and
// hands over the dives already decoded, one signed 32-bit value per field, in arrays sized by the
// transfer.
//
// One transfer: getVersion, getDownloadStatus, EsisteSeriale, startDownload, then getDownloadStatus
// and getProgress alternately while the status is 1, then DimensioneProfili, DimensioneFree,
// downloadProfile and stopDownload.
class B770Library {
public:
    virtual ~B770Library() = default;

    virtual qint32 getVersion() = 0;
    // 1 while a transfer runs.
    virtual qint32 getDownloadStatus() = 0;
    // 1 when the transfer has started; it then runs on its own.
    virtual qint32 startDownload(qint32 serialPort) = 0;
    // 0 to 100 while the status is 1.
    virtual qint32 getProgress() = 0;
    // 1 when the serial port exists.
    virtual qint32 EsisteSeriale(qint32 serialPort) = 0;
    // Number of values of dive records held after the transfer.
    virtual qint32 DimensioneProfili() = 0;
    // Number of values of the free-dive depth profile held after the transfer.
    virtual qint32 DimensioneFree() = 0;
    // Fills the info block (`infoSize` values), the records (`recordSize` values) and the free-dive
    // profile (`freeSize` values). 0 delivered, 1 time-out, 2 port error, 3 synchronisation error.
    virtual qint32 downloadProfile(qint32* infoBlock, qint32 infoSize, qint32* records, qint32 recordSize,
                                   qint32* freeProfile, qint32 freeSize) = 0;
    // Ends or aborts the transfer and releases the port.
    virtual qint32 stopDownload() = 0;
};
