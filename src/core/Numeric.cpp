#include "Numeric.h"

#include "RuntimeError.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace num {

double roundHalfEven(double v) {
    if (!std::isfinite(v))
        return v;
    return std::nearbyint(v); // the default rounding mode rounds halves to even
}

double roundHalfEven(double v, int digits) {
    const double scale = std::pow(10.0, digits);
    const double scaled = v * scale;
    // Values such as 2.5 * 10 that land a hair off a half because of binary fractions still count as halves.
    const double nearest = std::round(scaled * 1e9) / 1e9;
    return roundHalfEven(nearest) / scale;
}

template <typename T> static T toInt(double v) {
    if (std::isnan(v))
        throw RuntimeError::overflow();
    const double r = roundHalfEven(v);
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
        throw RuntimeError::overflow();
    return T(r);
}

qint16 toInt16(double v) {
    return toInt<qint16>(v);
}
qint32 toInt32(double v) {
    return toInt<qint32>(v);
}

double textToDouble(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok)
        throw RuntimeError::typeMismatch();
    return v;
}

qint16 textToInt16(const QString& text) {
    return toInt16(textToDouble(text));
}
qint32 textToInt32(const QString& text) {
    return toInt32(textToDouble(text));
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

qint32 intDiv(qint32 a, qint32 b) {
    if (b == 0)
        throw RuntimeError(RuntimeError::DivisionByZero, {}, QStringLiteral("Division by zero"));
    if (a == std::numeric_limits<qint32>::min() && b == -1)
        throw RuntimeError::overflow();
    return a / b;
}

qint32 mod(qint32 a, qint32 b) {
    if (b == 0)
        throw RuntimeError(RuntimeError::DivisionByZero, {}, QStringLiteral("Division by zero"));
    if (b == -1)
        return 0;
    return a % b;
}

static QString numberToText(double v, int precision) {
    if (v == 0.0)
        return QStringLiteral("0");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(v, 'g', precision);
    // Exponents read as in "1.234568E+07".
    text.replace(u'e', u'E');
    return text;
}

QString singleToText(float v) {
    return numberToText(double(v), 7);
}
QString doubleToText(double v) {
    return numberToText(v, 15);
}
QString intToText(qint64 v) {
    return QString::number(v);
}

} // namespace num
