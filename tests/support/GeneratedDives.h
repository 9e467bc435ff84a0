#pragma once

// Synthetic Tavex dives ready for a store step, six hours apart from 1 March 2022.

#include "Dive.h"
#include "DiveGenerator.h"

#include <vector>

inline std::vector<Dive> generatedTavexDives(int count, quint32 seed) {
    DiveGenerator generator(seed);
    std::vector<Dive> list;
    QDateTime start(QDate(2022, 3, 1), QTime(8, 0));
    for (int n = 0; n < count; ++n) {
        start = start.addSecs(6 * 3600);
        list.push_back(*generator.scubaDive(ModelCodes::code(ModelCode::dcTAVEX), start, 40).dive);
    }
    return list;
}
