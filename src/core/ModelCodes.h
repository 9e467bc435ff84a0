#pragma once

#include <QtGlobal>

// The dive computer models, by the code a logbook, a dive and the settings keep. Each code is a bit
// of its own, so a set of models fits in one number (ALL holds every one).
namespace ModelCodes {

constexpr qint32 dcZento = 1;
constexpr qint32 dcLUMO = 2;
constexpr qint32 dcZentoRGBM = 4;
constexpr qint32 dcTAVEX = 8;
constexpr qint32 dcLumoAir = 16;
constexpr qint32 dcKOBI = 32;
constexpr qint32 ALL = dcZento | dcLUMO | dcZentoRGBM | dcTAVEX | dcLumoAir | dcKOBI;

// One of the six codes.
constexpr bool isKnown(qint32 code) {
    return code == dcZento || code == dcLUMO || code == dcZentoRGBM || code == dcTAVEX || code == dcLumoAir ||
           code == dcKOBI;
}

// The two first models compute eleven tissues with the classic model; every later one ten with RGBM.
constexpr bool hasElevenTissues(qint32 code) {
    return code == dcZento || code == dcLUMO;
}
constexpr bool isRGBM(qint32 code) {
    return code == dcZentoRGBM || code == dcTAVEX || code == dcLumoAir || code == dcKOBI;
}

// The models that read the tank: their dives hold air time, tank and reserve values.
constexpr bool isAirIntegrated(qint32 code) {
    return code == dcTAVEX || code == dcLumoAir;
}

} // namespace ModelCodes
