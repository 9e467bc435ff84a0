#include "SqlDates.h"

namespace SqlDates {

namespace {
const QString STORED_FORMAT = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// Reads 1 or 2 digits (`maxDigits` in general) at `pos`; -1 when there is none.
int readNumber(const QString& text, qsizetype& pos, int maxDigits) {
    int value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= u'0' && text[pos] <= u'9') {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

bool expect(const QString& text, qsizetype& pos, QChar c) {
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// The date-time of the literal whose body runs from `pos` to the closing "#" at `end`.
QDateTime parseLiteral(const QString& text, qsizetype pos, qsizetype end) {
    const int month = readNumber(text, pos, 2);
    if (month < 0 || !expect(text, pos, u'/'))
        return {};
    const int day = readNumber(text, pos, 2);
    if (day < 0 || !expect(text, pos, u'/'))
        return {};
    const int year = readNumber(text, pos, 4);
    if (year < 0)
        return {};
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (pos < end) {
        if (!expect(text, pos, u' '))
            return {};
        hour = readNumber(text, pos, 2);
        if (hour < 0 || !expect(text, pos, u':'))
            return {};
        minute = readNumber(text, pos, 2);
        if (minute < 0)
            return {};
        if (pos < end) {
            if (!expect(text, pos, u':'))
                return {};
            second = readNumber(text, pos, 2);
            if (second < 0)
                return {};
        }
    }
    if (pos != end)
        return {};
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return wallClock(date, time);
}
} // namespace

QVariant toStored(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return dateTime.toString(STORED_FORMAT);
}

namespace {
// Reads exactly `digits` digits at `p`; -1 when they are not all digits.
int digitsAt(const QChar* p, int digits) {
    int value = 0;
    for (int k = 0; k < digits; ++k) {
        const unsigned d = unsigned(p[k].unicode()) - u'0';
        if (d > 9)
            return -1;
        value = value * 10 + int(d);
    }
    return value;
}

} // namespace

QDateTime fromStored(const QVariant& value) {
    if (value.isNull())
        return {};
    const QString text = value.toString();
    // "yyyy-MM-dd HH:mm:ss"
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' || text[13] != u':' ||
        text[16] != u':')
        return {};
    const QChar* p = text.constData();
    const int year = digitsAt(p, 4);
    const int month = digitsAt(p + 5, 2);
    const int day = digitsAt(p + 8, 2);
    const int hour = digitsAt(p + 11, 2);
    const int minute = digitsAt(p + 14, 2);
    const int second = digitsAt(p + 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return {};
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return wallClock(date, time);
}

QDateTime wallClock(const QDate& date, const QTime& time) {
    return QDateTime(date, time, Qt::UTC);
}

QString toLiteral(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return QStringLiteral("NULL");
    return dateTime.toString(QStringLiteral("'#'MM'/'dd'/'yyyy' 'HH':'mm'#'"));
}

QString rewriteDateLiterals(const QString& statement) {
    if (!statement.contains(u'#'))
        return statement;
    QString out;
    out.reserve(statement.size() + 16);
    qsizetype i = 0;
    while (i < statement.size()) {
        const QChar c = statement[i];
        if (c == u'\'' || c == u'"') {
            // A quoted text runs to its closing quote; a doubled quote stays inside it.
            qsizetype j = i + 1;
            while (j < statement.size()) {
                if (statement[j] == c) {
                    if (j + 1 < statement.size() && statement[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype stop = qMin(j + 1, statement.size());
            out += QStringView(statement).mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == u'#') {
            const qsizetype end = statement.indexOf(u'#', i + 1);
            if (end > i) {
                const QDateTime dateTime = parseLiteral(statement, i + 1, end);
                if (dateTime.isValid()) {
                    out += u'\'' + dateTime.toString(STORED_FORMAT) + u'\'';
                    i = end + 1;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace SqlDates
