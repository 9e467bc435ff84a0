#pragma once

#include <QString>
#include <QVariant>
#include <span>

class Dive;
class diveInfo;

// The DIVE table's columns and the Dive or diveInfo property each holds: the one list that the dive
// queries read by and the download drivers, the dive generator and the main window's edits write
// by, so that a column added, renamed or retyped is changed in one place.
namespace DiveColumns {

inline constexpr QLatin1String DIVE_ID("DIVE_ID");
inline constexpr QLatin1String FILE_ID("FILE_ID");
inline constexpr QLatin1String DATETIME("DATETIME");
inline constexpr QLatin1String SAMPLE("SAMPLE");
inline constexpr QLatin1String PICTURE("PICTURE");
inline constexpr QLatin1String IS_SIMUL("IS_SIMUL");
// The surface interval before the dive, except on the Kobi, which keeps its personal factor here;
// every reader and writer decides which by the model code.
inline constexpr QLatin1String TSR("TSR");
// The logbook's model code, a column of FILE read through the join.
inline constexpr QLatin1String DIVE_MODEL("DIVE_MODEL");

enum class Width { Int16, Int32, Single };

// A numeric column and the Dive property it holds.
struct Number {
    const char* name;
    Width width;
    double (*get)(const Dive&);
    void (*set)(Dive&, double);
};

// DIVE_TIME to MAX_CNS, which every model reads and writes, in the order a dive is read.
std::span<const Number> header();
// AUTOZERO to DEEP_STOP_2 without TSR: the columns of the RGBM models, in the order a dive is read.
// The columns before TSR are the first rgbmBeforeTsr().
std::span<const Number> rgbm();
qsizetype rgbmBeforeTsr();

// TISSUE_1 to TISSUE_11: the eleven start tissue loads (ten under the RGBM models, as hundredths).
constexpr int TISSUES = 11;
QString tissue(int n);

// The descriptive columns the main window edits: texts bound to entry fields, and the positions
// chosen in its lists.
struct Text {
    const char* name;
    void (*set)(diveInfo&, const QString&);
};
struct Code {
    const char* name;
    void (*set)(diveInfo&, qint16);
};
std::span<const Text> descriptiveTexts();
std::span<const Code> descriptiveCodes();

// A property's value as its column stores it: integer columns as integers, single columns as the
// single's exact value (the seven digits a single shows are for the eye, not for storing).
QVariant stored(const Number& column, const Dive& dive);
QVariant storedSingle(float value);

} // namespace DiveColumns
