#pragma once

#include <QtGlobal>

class Dive;
class Recordset;

// The columns of a DIVE row that every writer of a dive fills the same way, on a recordset that
// is adding a row to DIVE; the columns themselves are those of DiveColumns.
namespace DiveRow {

// A single value as its column receives it: exactly, not rounded to the digits it shows with.
double single(float value);

// DIVE_TIME to MAX_CNS.
void setHeaderColumns(Recordset& rs, const Dive& dive);

// TISSUE_1 to TISSUE_10 (percent) and the seventeen columns AUTOZERO to DEEP_STOP_2 of an RGBM model;
// the tank pressure as the caller has it.
void setRgbmColumns(Recordset& rs, const Dive& dive, double tankPressure);

} // namespace DiveRow
