#include "FaceText.h"

#include "Numeric.h"

#include <QLocale>
#include <cmath>

namespace facetext {

QString twoDigits(qint32 v) {
    return twoDigits(QString::number(v));
}

QString twoDigits(const QString& text) {
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

QString padded(qint32 v) {
    const QString digits = QString::number(std::abs(qint64(v))).rightJustified(2, QLatin1Char('0'));
    return v < 0 ? QLatin1Char('-') + digits : digits;
}

QString depthText(float displayValue) {
    const QString text = num::singleToText(float(num::roundHalfEven(double(displayValue), 1)));
    return text.size() > 4 ? text.left(3) : text;
}

QString depthField(const QString& depthText) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(depthText, &ok);
    if (!ok)
        return depthText;
    const QString fixed = locale.toString(std::abs(v), 'f', 1);
    const qsizetype whole = fixed.indexOf(locale.decimalPoint());
    const QString text = whole >= 0 && whole < 2 ? QString(2 - whole, QLatin1Char('0')) + fixed : fixed;
    return v < 0 ? QLatin1Char('-') + text : text;
}

QString pointText(float v) {
    if (v == 0.0f)
        return QStringLiteral("0");
    QString text = QString::number(double(v), 'g', 7);
    text.replace(u'e', u'E');
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

QString maxDepthText(float displayValue) {
    const QString text = pointText(displayValue);
    QString cut = std::trunc(double(displayValue)) < 10.0 ? text.left(3) : text.left(4);
    if (cut.endsWith(QLatin1Char('.')) || cut.endsWith(QLatin1Char(',')))
        cut = cut.left(3);
    return cut;
}

} // namespace facetext
