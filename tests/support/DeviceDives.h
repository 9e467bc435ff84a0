#pragma once

// What a device holds, as its interface library delivers it, for the download window's tests.

#include "RecordFixtures.h"

#include <QList>
#include <QtGlobal>

namespace devices {

// A sample depth no device can report (1000 m and more): the store step leaves the dive out.
constexpr qint32 IMPOSSIBLE_DEPTH = 20000;

// The records of the model's library: `count` dives of 10 May 2024 from 09:00, one minute apart,
// with `samples` samples each; the dive numbered `badDive` (from 0) carries an impossible depth.
inline QList<qint32> dives(qint32 model, int count, int samples = 2, int badDive = -1) {
    QList<qint32> records;
    for (int k = 0; k < count; ++k) {
        const qint32 hour = 9 + k / 60;
        const qint32 minute = k % 60;
        const qint32 depth = k == badDive ? IMPOSSIBLE_DEPTH : 120;
        if (model == 32) {
            QList<qint32> dive = fixtures::kobiScuba(0, {{4, hour}, {5, minute}});
            dive[6] = samples;
            for (int s = 0; s < samples; ++s)
                dive << depth << 1 << 0 << 0;
            records << dive;
            continue;
        }
        records << fixtures::header52(samples, {{3, hour}, {4, minute}, {5, 30}, {6, 120}, {28, 21}});
        const int valuesPerSample = model == 8 || model == 16 ? 5 : 4;
        for (int s = 0; s < samples; ++s) {
            records << depth << 1 << 0 << 0;
            if (valuesPerSample == 5)
                records << 200;
        }
    }
    return records;
}

} // namespace devices
