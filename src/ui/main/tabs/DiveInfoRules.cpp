#include "DiveInfoRules.h"

#include "Dive.h"

namespace DiveInfoRules {

Mode modeOf(const Dive& dive) {
    if (dive.isNitrox())
        return {QStringLiteral("Nitrox"), true, true, false};
    if (dive.isAir())
        return {QStringLiteral("Air"), false, true, false};
    if (dive.isBottomTime())
        return {QStringLiteral("Bottom Time"), false, false, false};
    if (dive.isFreeDive())
        return {QStringLiteral("Free Dive"), false, false, true};
    return {QStringLiteral("---"), false, false, false};
}

bool tankFieldsOn(bool wanted, qint32 model) {
    return tankFieldsOnRefresh(model).value_or(true) && wanted;
}

bool decoFlagsEnabled(bool freeDive, qint32 model) {
    const std::optional<ModelCode> known = ModelCodes::model(model);
    return (!known || known == ModelCode::dcKOBI) && !freeDive;
}

std::optional<bool> tankFieldsOnRefresh(qint32 model) {
    const std::optional<ModelCode> known = ModelCodes::model(model);
    if (!known)
        return std::nullopt;
    return ModelCodes::isAirIntegrated(*known);
}

bool cnsViolation(float maxCNS) {
    return maxCNS > 75.0f;
}

bool ppo2Violation(float maxDepthMetres, qint16 oxygenPercent, float ppo2Limit) {
    const float ppo2 = float((double(maxDepthMetres) / 10.0 + 1.0) * (double(oxygenPercent) / 100.0));
    return ppo2 > ppo2Limit;
}

} // namespace DiveInfoRules
