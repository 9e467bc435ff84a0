#pragma once

#include <QtGlobal>
#include <optional>

// The dive computer models. A logbook, a dive and the settings keep a model as its code, a bit of
// its own, so that a set of models fits in one number; `ModelCodes::code` and `ModelCodes::model`
// convert at that edge.
enum class ModelCode : qint32 {
    dcZento = 1,
    dcLUMO = 2,
    dcZentoRGBM = 4,
    dcTAVEX = 8,
    dcLumoAir = 16,
    dcKOBI = 32,
};

namespace ModelCodes {

constexpr qint32 code(ModelCode model) {
    return qint32(model);
}

// The model of a stored code; none for 0, a set of models or any other number.
constexpr std::optional<ModelCode> model(qint32 code) {
    switch (code) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 32:
        return ModelCode(code);
    default:
        return std::nullopt;
    }
}

// Every model's bit.
constexpr qint32 ALL = code(ModelCode::dcZento) | code(ModelCode::dcLUMO) | code(ModelCode::dcZentoRGBM) |
                       code(ModelCode::dcTAVEX) | code(ModelCode::dcLumoAir) | code(ModelCode::dcKOBI);

// One of the six codes.
constexpr bool isKnown(qint32 code) {
    return model(code).has_value();
}

// The two first models compute eleven tissues with the classic model; every later one ten with RGBM.
constexpr bool hasElevenTissues(ModelCode model) {
    return model == ModelCode::dcZento || model == ModelCode::dcLUMO;
}
constexpr bool isRGBM(ModelCode model) {
    return !hasElevenTissues(model);
}

// The models that read the tank: their dives hold air time, tank and reserve values.
constexpr bool isAirIntegrated(ModelCode model) {
    return model == ModelCode::dcTAVEX || model == ModelCode::dcLumoAir;
}

// The same for a stored code: false for a code that is no model.
constexpr bool hasElevenTissues(qint32 code) {
    return isKnown(code) && hasElevenTissues(*model(code));
}
constexpr bool isRGBM(qint32 code) {
    return isKnown(code) && isRGBM(*model(code));
}
constexpr bool isAirIntegrated(qint32 code) {
    return isKnown(code) && isAirIntegrated(*model(code));
}

} // namespace ModelCodes
