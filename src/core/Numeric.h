#pragma once

#include <QString>
#include <QtGlobal>

// The arithmetic the stored data and the displayed figures were made with: integer conversion
// rounds halves to even and overflows loudly, single precision prints at most 7 significant digits.
namespace num {

// Round to the nearest integer, halves to even.
double roundHalfEven(double v);
// Round to `digits` decimals, halves to even (as the display conversions do).
double roundHalfEven(double v, int digits);

// Conversions to 16/32-bit integers; RuntimeError 6 (overflow) outside the range or for NaN.
qint16 toInt16(double v);
qint32 toInt32(double v);

// A text converted to a number; RuntimeError 13 (type mismatch) when it is not one.
// Leading and trailing blanks are allowed; '.' is the decimal point.
double textToDouble(const QString& text);
qint16 textToInt16(const QString& text);
qint32 textToInt32(const QString& text);

// The value of the number a text starts with, leading blanks skipped, 0 when it starts with none.
double leadingNumber(const QString& text);

// Integer division and remainder, truncating towards zero; RuntimeError 11 on division by zero.
qint32 intDiv(qint32 a, qint32 b);
qint32 mod(qint32 a, qint32 b);

// Numbers as text: no group separator, the current locale's decimal separator.
QString singleToText(float v);  // at most 7 significant digits
QString doubleToText(double v); // at most 15 significant digits
QString intToText(qint64 v);

} // namespace num
