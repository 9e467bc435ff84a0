#pragma once

#include <QtGlobal>

// The numbers the interface libraries answer with, the same in all three, and the families the
// fixed-array libraries are asked for records in.
namespace LibraryCodes {

// What downloadProfile returns.
constexpr qint32 Delivered = 0;
constexpr qint32 TimeOut = 1;   // no answer on the port
constexpr qint32 PortError = 2; // the port could not be opened
constexpr qint32 SyncError = 3; // the B770's transfer lost step with the device

// What getDownloadStatus returns: a transfer runs; before a start the Zento and B330 units
// answer Unavailable when they cannot take one.
constexpr qint32 Transferring = 1;
constexpr qint32 Unavailable = -1;

// What startDownload, EsisteSeriale and stopDownload return when they did what was asked.
constexpr qint32 Done = 1;

// The family named to downloadProfile: the Zento library's models, the B330 library's.
constexpr qint32 ZentoFamily = 4;
constexpr qint32 B330Family = 7;

} // namespace LibraryCodes
