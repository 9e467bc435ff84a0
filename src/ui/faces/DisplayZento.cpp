#include "DisplayZento.h"

#include "FacePictures.h"

using namespace facepictures;
using namespace facelayout;

DisplayZento::DisplayZento(ModelCode model, QWidget* parent) : SegmentDisplay(model, parent) {
    setObjectName(QStringLiteral("DisplayZento"));
    setPictures(segmentPictures());
    addShapes({{"shapeDisplay", 0, 45, 3885, 2370, true}, {"Shape1", 0, 2520, 3870, 2190, true}});
    addLabels({
        {"lbl_DiveTme", -1, 660, 225, 750, 180, T, 9, false, "dive time", L, 0, true, clear},
        {"lbl_Depth", -1, 2370, 180, 525, 255, T, 9, false, "Depth", L, 0, true, clear},
        {"lbl_Dive", -1, 750, 2730, 660, 180, T, 9, false, "dive", L, 0, true, clear},
        {"Label1", -1, 1440, 765, 240, 180, T, 6.75, false, "min", L, 0, true, clear},
        {"lblDigitDiveTime", -1, 105, 345, 1305, 525, D, 32.25, true, "8888", R, 2101, false, clear},
        {"lblDigitDepth", -1, 2070, 315, 1440, 810, D, 42, true, "88.8", R, 2100, false, clear},
        {"lblDigitAscTime", 0, 75, 1140, 915, 750, D, 42, true, "88", L, 2110, false, clear},
        {"lblMin", -1, 1020, 1500, 240, 180, T, 6.75, false, "min", L, 0, false, clear},
        {"lblNODEC", 0, 135, 975, 855, 255, T, 9.75, true, "no deco", L, 0, false, clear},
        {"lblDECO", 0, 435, 975, 915, 255, T, 9.75, true, "deco", L, 0, false, clear},
        {"lblDigitDeco", -1, 1365, 1305, 750, 525, D, 32.25, true, "88", L, 0, false, clear},
        {"lblSelMeter", 0, 2115, 1350, 225, 180, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 0, 2115, 1545, 225, 180, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblDouble", -1, 2145, 1305, 120, 525, T, 8.25, true, ":", L, 0, false, clear},
        {"lblDigitCNSLimit", -1, 2265, 1305, 720, 525, D, 32.25, true, "88", L, 0, false, clear},
        {"lblCNSO2", 0, 2970, 1440, 285, 330, T, 6.75, false, "% cns", L, 0, false, clear},
        {"lblO2", 0, 2970, 1620, 285, 165, T, 6.75, false, "%O2", L, 0, false, clear},
        {"lblNitrox", 0, 2280, 1050, 735, 270, T, 9.75, true, "nitrox", L, 0, false, clear},
        {"lblSALT", 0, 2910, 255, 480, 195, T, 8.25, false, "Salt", C, 0, false, clear},
        {"lblFRESH", 0, 3315, 255, 510, 195, T, 8.25, false, "Fresh", L, 0, false, clear},
        {"lblSelMeter", 1, 3555, 465, 225, 180, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 1, 3555, 675, 225, 180, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblDigitMaxDepth", -1, 2055, 2865, 1470, 810, D, 42, true, "88.8", R, 2112, false, clear},
        {"lblMaxDepth", -1, 1980, 2745, 900, 240, T, 9, false, "max Depth", L, 0, false, clear},
        {"lblSelMeter", 2, 3615, 3000, 225, 180, T, 8.25, false, "m", L, 0, false, clear},
        {"lblSelFeet", 2, 3600, 3225, 225, 180, T, 8.25, false, "ft", L, 0, false, clear},
        {"lblSALT", 1, 2925, 2805, 480, 195, T, 8.25, false, "Salt", C, 0, false, clear},
        {"lblFRESH", 1, 3330, 2805, 435, 195, T, 8.25, false, "Fresh", L, 0, false, clear},
        {"lblDigitTemp", -1, 120, 2880, 1305, 525, D, 32.25, true, "8888", R, 1452, false, clear},
        {"lblSelC", -1, 1485, 3000, 225, 180, T, 8.25, false, "°C", L, 0, false, clear},
        {"lblSelF", -1, 1485, 3165, 225, 180, T, 8.25, false, "°F", L, 0, false, clear},
        {"lblNODEC", 1, 120, 3525, 855, 300, T, 9.75, true, "no deco", L, 0, false, clear},
        {"lblDECO", 1, 420, 3525, 915, 300, T, 9.75, true, "deco", L, 0, false, clear},
        {"lblDigitAscTime", 1, 120, 3705, 915, 750, D, 42, true, "88", L, 2110, true, clear},
        {"lblASCTIME", -1, 150, 4410, 690, 180, T, 9, false, "asc time", L, 0, false, clear},
        {"lblNitrox", 1, 2280, 3660, 735, 270, T, 9.75, true, "nitrox", L, 0, false, clear},
        {"lblDigitNitroxMixture", -1, 2265, 3900, 720, 525, D, 32.25, true, "88", L, 2107, false, clear},
        {"lblO2", 1, 3030, 4080, 345, 165, T, 6.75, false, "%O2", L, 0, false, clear},
    });
    addImages({
        {"imageTriangleUp", -1, 1530, 960, 375, 195, 0, 0, false, true},
        {"imageTriangleDown", -1, 1530, 960, 375, 195, 0, 0, false, true},
        {"imageSlow", -1, 3255, 1200, 405, 705, 1, 2106, true, false},
        {"imageAltitude", -1, 2310, 1935, 375, 360, 8, 2108, true, false},
        {"imageAscent", -1, 3075, 1935, 135, 360, 10, 0, false, false},
        {"imageDecoStop", -1, 3255, 1935, 375, 360, 11, 0, false, false},
    });
    image("imageTriangleUp")->setPicture(0, triangle(QSize(25, 13), true));
    image("imageTriangleDown")->setPicture(0, triangle(QSize(25, 13), false));
    // Two lines, "%" over "cns": the caption is as tall as two and too narrow for one.
    label("lblCNSO2", 0)->setWordWrap(true);
}

bool DisplayZento::hasDeepStopScreen() const {
    return model() == ModelCode::dcZentoRGBM;
}

void DisplayZento::showStopFlag() {
    showDigits(label("lblDigitDeco"), QStringLiteral("st"));
    showDigits(label("lblDigitCNSLimit"), QStringLiteral("op"));
}
