#include "SurfaceScale.h"

#include "RuntimeError.h"
#include "WindowHelpers.h"

namespace SurfaceScale {

double twipsPerUnit(qint16 mode, bool horizontal, double userTwips, const QString& source) {
    switch (mode) {
    case USER:
        return userTwips;
    case TWIPS:
        return 1;
    case POINTS:
        return 20;
    case PIXELS:
        return TWIPS_PER_PIXEL;
    case CHARACTERS:
        return horizontal ? 120 : 240;
    case INCHES:
        return 1440;
    case MILLIMETERS:
        return 1440 / 25.4;
    case CENTIMETERS:
        return 1440 / 2.54;
    case HIMETRIC:
        return 1440 / 2540.0;
    default:
        throw RuntimeError(RuntimeError::InvalidProcedureCall, source,
                           QStringLiteral("Invalid procedure call or argument"));
    }
}

double convert(double length, qint16 fromMode, qint16 toMode, bool horizontal, double userTwips,
               const QString& source) {
    return length * twipsPerUnit(fromMode, horizontal, userTwips, source) /
           twipsPerUnit(toMode, horizontal, userTwips, source);
}

} // namespace SurfaceScale
