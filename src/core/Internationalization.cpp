#include "Internationalization.h"

#include "MainModule.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "SettingsStore.h"

#include <cmath>
#include <memory>

namespace {
std::unique_ptr<Internationalization> g_internationalization;

constexpr double CUBIC_FEET_PER_LITRE = 0.0353157;
constexpr double PSI_PER_BAR = 14.5038;
} // namespace

Internationalization& Internationalization::instance() {
    if (!g_internationalization)
        g_internationalization.reset(new Internationalization());
    return *g_internationalization;
}

bool Internationalization::exists() {
    return g_internationalization != nullptr;
}

void Internationalization::release() {
    g_internationalization.reset();
}

Internationalization::Internationalization() {
    // A damaged value must not stop the program: it reads as metric.
    try {
        m_measureUnit = num::textToInt16(SettingsStore::value(QStringLiteral("MeasureUnit"), QStringLiteral("0")));
    } catch (const RuntimeError&) {
        m_measureUnit = 0;
    }
}

QString Internationalization::unitText(qint32 metricString, qint32 imperialString) const {
    if (m_measureUnit == STANDARD)
        return getString(metricString);
    if (m_measureUnit == IMPERIAL)
        return getString(imperialString);
    return QString();
}

QString Internationalization::getDepthString() const {
    return unitText(1080, 1081);
}
QString Internationalization::getTemperatureString() const {
    return unitText(1082, 1083);
}
QString Internationalization::getPressureString() const {
    return unitText(1084, 1085);
}
QString Internationalization::getVolumeString() const {
    return unitText(1086, 1087);
}
QString Internationalization::getDepthLongString() const {
    return unitText(1088, 1089);
}
QString Internationalization::getDateFormat() const {
    return unitText(1090, 1091);
}

float Internationalization::getTemperatureValue(float value) const {
    if (m_measureUnit == STANDARD)
        return value;
    if (m_measureUnit == IMPERIAL)
        return float(std::floor(double(value) * 1.8 + 32.49));
    return 0;
}

float Internationalization::getDepthValue(float value) const {
    // The feet are of 0.303 metres, as the devices count them.
    if (m_measureUnit == STANDARD)
        return value;
    if (m_measureUnit == IMPERIAL)
        return float(std::floor(double(value) / 0.303 + 0.4999));
    return 0;
}

float Internationalization::getVolumeValue(float value, const QVariant& measure) const {
    const auto toCubicFeet = [value] { return float(num::roundHalfEven(double(value) * CUBIC_FEET_PER_LITRE, 1)); };
    if (measure.isValid())
        return measure.toDouble() == 0 ? value : toCubicFeet();
    if (m_measureUnit == STANDARD)
        return value;
    if (m_measureUnit == IMPERIAL)
        return toCubicFeet();
    return 0;
}

float Internationalization::getPressureValue(float value, const QVariant& measure) const {
    const auto toPsi = [value] { return float(num::roundHalfEven(double(value) * PSI_PER_BAR, 1)); };
    if (measure.isValid()) {
        if (measure.toDouble() != 1)
            return value;
        // Tank pressures the devices offer in steps of 10 bar read as the round psi figures of their scale.
        for (int bar = 50; bar <= 120; bar += 10) {
            if (value == float(bar))
                return float(bar) * 14.5f;
        }
        return toPsi();
    }
    if (m_measureUnit == STANDARD)
        return value;
    if (m_measureUnit == IMPERIAL)
        return toPsi();
    return 0;
}
