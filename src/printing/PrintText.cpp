#include "PrintText.h"

#include "Dive.h"
#include "Numeric.h"

#include <QLocale>

namespace PrintText {

QString plain(double value) {
    return num::singleToText(float(value));
}

QString asNumber(double value) {
    const QString text = plain(value);
    return value < 0 ? text : u' ' + text;
}

QString twoDigits(qint32 value) {
    const QString text = num::intToText(value);
    return text.size() == 1 ? u'0' + text : text;
}

QString dateTime(const QDateTime& value) {
    if (!value.isValid())
        return QString();
    const QLocale locale;
    return locale.toString(value.date(), QLocale::ShortFormat) + u' ' +
           value.time().toString(QStringLiteral("HH:mm:ss"));
}

float ppo2Bar(float stored) {
    return stored > 10 ? stored / 10 : stored;
}

QString diveMode(const Dive& dive) {
    if (dive.isNitrox())
        return QStringLiteral("Nitrox");
    if (dive.isAir())
        return QStringLiteral("Air");
    if (dive.isBottomTime())
        return QStringLiteral("Bottom Time");
    return QString();
}

qint32 divRounded(double a, double b) {
    return num::intDiv(num::toInt32(a), num::toInt32(b));
}

} // namespace PrintText
