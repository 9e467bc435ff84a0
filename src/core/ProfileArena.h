#pragma once

#include "ProfileBytes.h"

#include <QByteArrayView>
#include <memory>

// The profiles of one load, copied into a few large blocks instead of one heap block per dive.
// A load of 100,000 dives holds some 350 MB of profiles, and every fresh page the program writes
// costs a fault of its own: the large blocks are asked of the system as large pages where it gives
// them, 512 small pages in one fault. A block lives as long as a dive holds a profile in it.
//
//     ProfileArena arena;
//     for (each row) dive->setStoredSamples(arena.copy(rows.bytes(sample)));
class ProfileArena {
public:
    // A copy of `bytes`; an empty profile for empty bytes.
    ProfileBytes copy(QByteArrayView bytes);

private:
    std::shared_ptr<char> m_block;
    qsizetype m_used = 0;
    qsizetype m_size = 0;
    // The first blocks are small, so that a load of one dive, as a selection makes, takes little;
    // then they double.
    qsizetype m_nextSize = 16 * 1024;
};
