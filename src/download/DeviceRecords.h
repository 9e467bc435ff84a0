#pragma once

#include <QList>
#include <QtGlobal>

class Dive;

// Dives written the way the interface libraries deliver them, the reverse of the drivers' decoding:
// for the tool that makes device images, and for tests. The start tissues are read under the
// current Settings model code, which must be the device's.
class DeviceRecords {
public:
    // A 52-value header and samples of 4 values (model codes 1, 2 and 4).
    static QList<qint32> zento(const Dive& dive, qint32 modelCode);
    // A 52-value header with the tank data and samples of 5 values (model codes 8 and 16).
    static QList<qint32> tavex(const Dive& dive);
    // A scuba record of model code 32: a 39-value header and samples of 4 values.
    static QList<qint32> kobiScuba(const Dive& dive);
    // A free-dive session of model code 32 (the dive's diveFreeInfo): a 23-value header and 5 values
    // per free dive. The session's profile travels separately: kobiFreeProfile.
    static QList<qint32> kobiSession(const Dive& dive);
    // The session's depth profile in decimetres.
    static QList<qint32> kobiFreeProfile(const Dive& dive);
};
