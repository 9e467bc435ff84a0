#pragma once

// Small record arrays as the interface libraries deliver them, for the download tests.

#include <QList>
#include <QtGlobal>
#include <utility>

namespace fixtures {

using Values = QList<std::pair<int, qint32>>;

// A 52-value header of the Zento and B330 libraries: 10 May 2024 09:30, the given values set and
// `samples` at index 51.
inline QList<qint32> header52(qint32 samples, const Values& values = {}) {
    QList<qint32> h(52, 0);
    h[0] = 2024;
    h[1] = 5;
    h[2] = 10;
    h[3] = 9;
    h[4] = 30;
    for (const auto& [index, value] : values)
        h[index] = value;
    h[51] = samples;
    return h;
}

// A Kobi scuba record: mode 0, 10 May 2024 09:30, `samples` samples of 4 values (depth 100 + k).
inline QList<qint32> kobiScuba(qint32 samples, const Values& values = {}) {
    QList<qint32> r(39, 0);
    r[1] = 24;
    r[2] = 5;
    r[3] = 10;
    r[4] = 9;
    r[5] = 30;
    r[6] = samples;
    for (const auto& [index, value] : values)
        r[index] = value;
    for (qint32 k = 0; k < samples; ++k)
        r << 100 + k << 1 << 0 << 0;
    return r;
}

// A Kobi free-dive session with `dives` free dives of (depth 100 + m, 20 s, 0 min, 30 s, 0 min).
inline QList<qint32> kobiSession(qint32 dives, const Values& values = {}) {
    QList<qint32> r(23, 0);
    r[0] = 2;
    r[1] = 24;
    r[2] = 5;
    r[3] = 10;
    r[4] = 10;
    r[5] = 15;
    r[6] = dives;
    for (const auto& [index, value] : values)
        r[index] = value;
    for (qint32 m = 0; m < dives; ++m)
        r << 100 + m << 20 << 0 << 30 << 0;
    return r;
}

} // namespace fixtures
