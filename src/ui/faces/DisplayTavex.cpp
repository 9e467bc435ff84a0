#include "DisplayTavex.h"

#include "Dive.h"
#include "FacePictures.h"
#include "FaceText.h"
#include "Internationalization.h"
#include "Numeric.h"
#include "ProfileReader.h"

#include <cmath>

using namespace facepictures;
using namespace facelayout;

namespace {
// Elements the device has beyond its hosted display area: written to, never seen.
constexpr int beyond = 4500;
} // namespace

DisplayTavex::DisplayTavex(ModelCode model, QWidget* parent) : SegmentDisplay(model, parent) {
    setObjectName(QStringLiteral("DisplayTavex"));
    const QSize scale(26, 60);
    setPictures(segmentPictures() + QList<QPixmap>{ascentScale(scale, 5), ascentScale(scale, 4), ascentScale(scale, 3),
                                                   ascentScale(scale, 2), ascentScale(scale, 1)});
    addShapes({{"shapeDisplay", 345, 15, 2880, 2790, true},
               {"Shape1", 570, 2865, 2460, 1830, true},
               {"shapeUBA", 570, 1695, 225, 945, false}});
    addLabels({
        {"lblSALT", 0, 570, 105, 390, 195, T, 8.25, true, " Salt", L, 0, false, inverse},
        {"lblFRESH", 0, 975, 105, 495, 195, T, 8.25, true, "Fresh", R, 0, false, inverse},
        {"lblNitrox", 0, 1620, 15, 915, 315, T, 14.25, true, "nitrox", L, 0, false, clear},
        {"lblDigitDepth", -1, 405, 285, 1065, 600, D, 27.75, true, "88.8", R, 2100, false, clear},
        {"lblSelMeter", 1, 1575, 360, 195, 240, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 1, 1575, 570, 195, 240, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblDigitDiveTime", -1, 2040, 285, 900, 555, D, 27.75, true, ":88", R, 2101, false, clear},
        {"lblMin", -1, 2940, 540, 270, 180, T, 8.25, false, "min", L, 0, false, clear},
        {"lblDECO", 0, 525, 765, 915, 255, T, 9.75, true, "deco", L, 0, false, clear},
        {"lblDigitDeco", -1, 555, 795, 1020, 810, D, 48, true, "88", L, 0, false, clear},
        {"lblSelMeter", 0, 1710, 1200, 225, 180, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 0, 1710, 1200, 225, 180, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblDigitAscTime", 0, 1935, 795, 960, 810, D, 48, true, "88", R, 2110, false, clear},
        {"Label1", -1, 2955, 1215, 240, 180, T, 6.75, false, "min", L, 0, true, clear},
        {"lblNODEC", 0, 2115, 1575, 855, 255, T, 9.75, true, "no deco", L, 0, false, clear},
        {"imageAscent", -1, 630, 1710, 135, 180, T, 8.25, true, "X", L, 0, false, clear},
        {"imageDecoStop", -1, 630, 1875, 135, 180, T, 8.25, true, "X", L, 0, false, clear},
        {"lblDigitMaxDepth", -1, 1845, 1710, 960, 570, D, 27.75, true, "88.8", R, 2112, false, clear},
        {"lblMaxDepth", -1, 1830, 2190, 855, 240, T, 6.75, true, "max Depth", L, 0, false, clear},
        {"lblDigitAscTime", 1, 2190, 2385, 705, 375, D, 27.75, true, "88", L, 2110, true, clear},
        {"lblASCTIME", -1, 1530, 2580, 645, 180, T, 6.75, true, "asc time", L, 0, false, inverse},
        {"lblDigitTankPressure", -1, 645, 2850, 1125, 510, D, 27.75, true, "8888", R, 0, true, clear},
        {"lblBAR", -1, 1830, 2955, 330, 165, T, 6.75, true, " bar", L, 0, true, inverse},
        {"lblPSI", -1, 1830, 3150, 330, 180, T, 6.75, true, " psi", L, 0, true, inverse},
        {"lblDigitCNSLimit", -1, 2220, 3360, 465, 375, D, 20.25, true, "88", R, 0, true, clear},
        {"lbl_CNS", -1, 2715, 3525, 240, 165, T, 6.75, false, "cns", C, 0, true, inverse},
        {"lblDigitConsuption", -1, 1710, 3765, 945, 510, D, 27.75, true, "88", R, 0, true, clear},
        {"lbl_litmin", -1, 2700, 4065, 300, 180, T, 6.75, false, "l/min", L, 0, true, clear},
        {"lblDigitTankVolume", -1, 585, 4185, 900, 510, D, 24, true, "88.8", R, 0, true, clear},
        {"lblLITERS", -1, 1560, 4275, 465, 180, T, 6.75, true, " liters", L, 0, true, inverse},
        {"lblCUFT", -1, 1560, 4470, 465, 165, T, 6.75, true, " cu/ft", L, 0, true, inverse},
        {"lblDigitTemp", -1, beyond, 300, 900, 555, D, 27.75, true, "888", R, 1452, false, clear},
        {"lblSelC", -1, beyond + 960, 300, 225, 180, T, 8.25, false, "°C", L, 0, false, clear},
        {"lblSelF", -1, beyond + 960, 500, 225, 180, T, 8.25, false, "°F", L, 0, false, clear},
        {"lblDigitNitroxMixture", -1, beyond, 900, 720, 525, D, 32.25, true, "88", L, 2107, false, clear},
        {"lblO2", 1, beyond + 750, 1200, 345, 165, T, 6.75, false, "%O2", L, 0, false, clear},
        {"lblO2", 0, beyond + 750, 1400, 345, 165, T, 6.75, false, "%O2", L, 0, false, clear},
        {"lblNitrox", 1, beyond, 1500, 735, 270, T, 9.75, true, "nitrox", L, 0, false, clear},
        {"lblNODEC", 1, beyond, 1800, 855, 300, T, 9.75, true, "no deco", L, 0, false, clear},
        {"lblDECO", 1, beyond, 2100, 915, 300, T, 9.75, true, "deco", L, 0, false, clear},
        {"lblSALT", 1, beyond, 2400, 480, 195, T, 8.25, false, "Salt", C, 0, false, clear},
        {"lblFRESH", 1, beyond + 500, 2400, 435, 195, T, 8.25, false, "Fresh", L, 0, false, clear},
        {"lblSelMeter", 2, beyond, 2700, 225, 180, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 2, beyond, 2900, 225, 180, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblDouble", -1, beyond, 3100, 120, 525, T, 8.25, true, ":", L, 0, false, clear},
    });
    addImages({
        {"imageTriangleDown", -1, 1620, 900, 300, 270, 0, 0, false, true},
        {"imageTriangleUp", -1, 1605, 1410, 300, 300, 0, 0, false, true},
        {"imageSlow", -1, 870, 1710, 390, 900, 12, 2106, true, false},
        {"imageAltitude", -1, 1365, 1815, 375, 360, 8, 2108, true, false},
    });
    image("imageTriangleUp")->setPicture(0, triangle(QSize(20, 20), true));
    image("imageTriangleDown")->setPicture(0, triangle(QSize(20, 18), false));
    // The stop row's digits stand at the foot of their fields, under the "deco" above them.
    label("lblDigitDeco")->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label("lblDigitAscTime", 0)->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    // The time to surface sits between "max Depth" and the outline's foot; its slanted digits
    // stand a little taller than the font's ascent.
    // Dive minutes and breathing rates pass 99: their fields hold three figures.
    for (const char* name : {"lblDigitDiveTime", "lblDigitConsuption"}) {
        QLabel* field = label(name);
        setDigitFont(field, faceelements::fitted(field->font(), QStringLiteral("888"), field->size()));
    }
    QLabel* surface = label("lblDigitAscTime", 1);
    setDigitFont(surface, faceelements::fitted(surface->font(), QStringLiteral("88"), surface->size() - QSize(0, 2)));
}

void DisplayTavex::setIcon(qint16 ascentIcon, qint16 decoStopIcon) {
    SegmentDisplay::setIcon(ascentIcon, decoStopIcon);
    setShown({element("shapeUBA")}, (ascentIcon | decoStopIcon) != 0);
}

bool DisplayTavex::hasDeepStopScreen() const {
    return ModelCodes::isAirIntegrated(model());
}

void DisplayTavex::showStopFlag() {
    showDigits(label("lblDigitDeco"), QStringLiteral("st"));
    QLabel* upper = label("lblDigitAscTime", 0);
    showDigits(upper, QStringLiteral("op"));
    upper->show();
}

void DisplayTavex::resetMore(const Dive& dive, Kind kind) {
    setShown({label("lbl_CNS")}, kind == Kind::StopFlag || kind == Kind::Nitrox);
    setShown({label("Label1")}, kind != Kind::StopFlag);
    const bool cubicFeet = dive.getVolumeMeasure() == 1;
    setShown({label("lblCUFT")}, cubicFeet);
    setShown({label("lblLITERS")}, !cubicFeet);
    // The previous dive's tank readings are not this dive's.
    for (const char* name : {"lblDigitTankPressure", "lblDigitConsuption", "lblDigitTankVolume"})
        showDigits(label(name), QString());
    setShown({label("lblBAR")}, isMetric());
    setShown({label("lblPSI")}, !isMetric());
}

void DisplayTavex::updateMore(qint16 step, const Dive& dive) {
    const Internationalization& units = Internationalization::instance();
    const float pressure = units.getPressureValue(float(m_profile->getProgressiveTankPressure(step)));
    showDigits(label("lblDigitTankPressure"), QString::number(qint64(std::floor(double(pressure)))));
    showDigits(label("lblDigitConsuption"), QString::number(m_profile->getTankConsuption(step)));
    const qint32 tank = num::intDiv(num::toInt32(double(dive.getTankVolume())), 10);
    const float volume = units.getVolumeValue(float(tank), QVariant(dive.getVolumeMeasure()));
    showDigits(label("lblDigitTankVolume"), facetext::pointText(volume));
}
