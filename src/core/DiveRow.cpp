#include "DiveRow.h"

#include "Dive.h"
#include "DiveColumns.h"
#include "Recordset.h"

namespace DiveRow {

double single(float value) {
    return DiveColumns::storedSingle(value).toDouble();
}

void setHeaderColumns(Recordset& rs, const Dive& dive) {
    for (const DiveColumns::Number& column : DiveColumns::header())
        rs.setValue(QLatin1String(column.name), DiveColumns::stored(column, dive));
}

void setRgbmColumns(Recordset& rs, const Dive& dive, double tankPressure) {
    for (qint16 n = 1; n <= 10; ++n)
        rs.setValue(DiveColumns::tissue(n), single(dive.getStartTissue(n) * 100));
    for (const DiveColumns::Number& column : DiveColumns::rgbm())
        rs.setValue(QLatin1String(column.name), DiveColumns::stored(column, dive));
    rs.setValue(DiveColumns::TSR, single(dive.getTSR()));
    rs.setValue(QStringLiteral("TANK_PRESSURE"), tankPressure);
}

} // namespace DiveRow
