#pragma once

#include <QtGlobal>

// The interface library of model codes 8 and 16. It owns the serial port and the device
// protocol and hands over the dives already decoded, one signed 32-bit value per field.
//
// One transfer: getVersion, getDownloadStatus, startDownload, then getDownloadStatus and getProgress
// alternately while the status is 1, then downloadProfile.
class B330Library {
public:
    virtual ~B330Library() = default;

    virtual qint32 getVersion() = 0;
    // 1 while a transfer runs; -1 before a start means the unit cannot take one.
    virtual qint32 getDownloadStatus() = 0;
    // 1 when the transfer has started; it then runs on its own.
    virtual qint32 startDownload(qint32 serialPort) = 0;
    // 0 to 100 while the status is 1.
    virtual qint32 getProgress() = 0;
    // Copies the transfer's records back to back into `records` (indices 0 to `capacity`), a 0
    // after the last one unless they fill the array; `infoBlock` takes 7 values.
    // 0 delivered, 1 time-out reading the port, 2 port could not be opened, other values failures.
    virtual qint32 downloadProfile(qint32* infoBlock, qint32 family, qint32* records, qint32 capacity) = 0;
};
