#include "DisplayLumo.h"

#include "FacePictures.h"

using namespace facepictures;
using namespace facelayout;

DisplayLumo::DisplayLumo(QWidget* parent) : SegmentDisplay(ModelCode::dcLUMO, parent) {
    setObjectName(QStringLiteral("DisplayLumo"));
    // The bar's element reaches past the face's right edge: the bar keeps to the part that shows.
    const QSize bar(28, 60), mountains(34, 24);
    setPictures({ascentBar(bar, 4, true), ascentBar(bar, 4, false), ascentBar(bar, 3, false), ascentBar(bar, 2, false),
                 ascentBar(bar, 1, false), altitude(mountains, 1), altitude(mountains, 2), altitude(mountains, 3),
                 ascentWarning(QSize(24, 32), true), decoStopWarning(QSize(24, 21))});
    addShapes({{"shapeDisplay", 30, 30, 3885, 2370, true}, {"Shape1", 0, 2505, 3870, 2205, true}});
    addLabels({
        {"lblDigitDepth", -1, 105, 690, 1440, 810, D, 42, true, "88.8", R, 2100, false, clear},
        {"lbl_Depth", -1, 810, 555, 660, 255, T, 9.75, true, "Depth", L, 0, true, clear},
        {"lblSelMeter", 1, 1590, 780, 225, 180, T, 8.25, false, "m", L, 0, false, opaque},
        {"lblSelFeet", 1, 1590, 975, 225, 180, T, 8.25, false, "ft", L, 0, false, opaque},
        {"lblDigitDiveTime", -1, 2070, 720, 1305, 525, D, 32.25, true, "8888", R, 2101, false, opaque},
        {"lbl_DiveTme", -1, 2625, 600, 750, 180, T, 9, false, "dive time", L, 0, true, clear},
        {"Label1", -1, 3420, 1095, 240, 180, T, 6.75, false, "min", L, 0, true, opaque},
        {"lblNODEC", 0, 2850, 1305, 855, 255, T, 9.75, true, "no deco", L, 0, false, clear},
        {"lblDECO", 0, 3150, 1290, 915, 255, T, 9.75, true, "deco", L, 0, false, clear},
        {"lblDigitAscTime", 0, 2790, 1470, 915, 750, D, 42, true, "88", L, 2110, false, clear},
        {"lblMin", -1, 3465, 2145, 240, 180, T, 6.75, false, "min", L, 0, false, opaque},
        {"lblDigitCNSLimit", -1, 1035, 1635, 720, 525, D, 32.25, true, "88", L, 0, false, opaque},
        {"lblCNSO2", 0, 1140, 2175, 660, 165, T, 6.75, false, "cns% O2", L, 0, false, opaque},
        {"lblO2", 0, 2760, 2175, 660, 165, T, 6.75, false, "cns% O2", L, 0, false, opaque},
        {"lblDouble", -1, 1755, 1860, 75, 255, T, 8.25, true, ":", L, 0, false, opaque},
        {"lblDigitDeco", -1, 1830, 1635, 705, 525, D, 32.25, true, "88", L, 0, false, opaque},
        {"lblSelMeter", 0, 2595, 1695, 225, 180, T, 8.25, false, "m", L, 0, false, opaque},
        {"lblSelFeet", 0, 2595, 1890, 225, 180, T, 8.25, false, "ft", L, 0, false, opaque},
        {"lblSALT", 0, 75, 285, 480, 195, T, 9, false, "Salt", C, 0, false, clear},
        {"lblFRESH", 0, 480, 285, 510, 195, T, 9, false, "Fresh", L, 0, false, clear},
        {"lblNitrox", 0, 1590, 255, 735, 270, T, 9.75, true, "nitrox", L, 0, false, clear},
        {"lblSALT", 1, 120, 2670, 480, 195, T, 9, false, "Salt", C, 0, false, clear},
        {"lblFRESH", 1, 525, 2670, 435, 195, T, 9, false, "Fresh", L, 0, false, clear},
        {"lblNitrox", 1, 1620, 2640, 735, 270, T, 9.75, true, "nitrox", L, 0, false, opaque},
        {"lblMaxDepth", -1, 390, 2895, 1140, 240, T, 9.75, true, "max Depth", L, 0, false, clear},
        {"lblDigitMaxDepth", -1, 135, 3045, 1470, 810, D, 42, true, "88.8", R, 2112, false, clear},
        {"lblSelMeter", 2, 1650, 3165, 225, 180, T, 8.25, false, "m", L, 0, false, opaque},
        {"lblSelFeet", 2, 1635, 3375, 225, 180, T, 8.25, false, "ft", L, 0, false, opaque},
        {"lbl_Dive", -1, 2670, 2910, 495, 180, T, 9, false, "dive", L, 0, true, clear},
        {"lblDigitTemp", -1, 2070, 3060, 1305, 525, D, 32.25, true, "8888", R, 1452, false, opaque},
        {"lblSelC", -1, 3435, 3180, 225, 180, T, 8.25, false, "°C", L, 0, false, opaque},
        {"lblSelF", -1, 3435, 3345, 225, 180, T, 8.25, false, "°F", L, 0, false, opaque},
        {"lblNODEC", 1, 2775, 3660, 855, 300, T, 9.75, true, "no deco", L, 0, false, clear},
        {"lblDECO", 1, 3075, 3660, 585, 300, T, 9.75, true, "deco", L, 0, false, clear},
        {"lblDigitAscTime", 1, 2715, 3825, 915, 750, D, 42, true, "88", L, 2110, true, clear},
        {"lblASCTIME", -1, 1980, 3900, 945, 180, T, 9, true, "asc time", L, 0, false, clear},
        {"lblDigitNitroxMixture", -1, 1110, 3975, 720, 525, D, 32.25, true, "88", L, 2107, false, opaque},
        {"lblO2", 1, 1410, 4515, 345, 165, T, 6.75, false, "%O2", L, 0, false, opaque},
        {"lblAir", 0, 1590, 255, 735, 270, T, 9.75, true, "air", L, 0, false, clear},
        {"lblAir", 1, 1620, 2640, 735, 270, T, 9.75, true, "air", L, 0, false, clear},
        {"lblBottomTime", 0, 1590, 255, 735, 270, T, 9.75, true, "gauge", L, 0, false, clear},
        {"lblBottomTime", 1, 1620, 2640, 735, 270, T, 9.75, true, "gauge", L, 0, false, clear},
        {"lblDecoMin", -1, 3420, 4500, 240, 180, T, 6.75, false, "min", L, 0, false, clear},
    });
    addImages({
        {"imageTriangleUp", -1, 120, 1425, 870, 360, 0, 0, false, true},
        {"imageTriangleDown", -1, 120, 1425, 870, 360, 0, 0, false, true},
        {"imageAscent", -1, 450, 1860, 360, 480, 9, 0, false, false},
        {"imageDecoStop", -1, 150, 1995, 360, 315, 10, 0, false, false},
        {"imageSlow", -1, 3555, 270, 450, 900, 1, 2106, true, false},
        {"imageAltitude", -1, 990, 105, 510, 360, 8, 2108, true, false},
        {"imageBorder", -1, 60, 1830, 930, 555, 0, 2108, false, true},
    });
    image("imageTriangleUp")->setPicture(0, triangle(QSize(58, 24), true));
    image("imageTriangleDown")->setPicture(0, triangle(QSize(58, 24), false));
}

void DisplayLumo::showStopFlag() {
    // The stop-depth field lies right of the CNS field, so the two read "st", "op".
    showDigits(label("lblDigitDeco"), QStringLiteral("op"));
    showDigits(label("lblDigitCNSLimit"), QStringLiteral("st"));
}
