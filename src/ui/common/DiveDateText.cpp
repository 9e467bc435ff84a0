#include "DiveDateText.h"

#include <QDateTime>

namespace {
// The format with the letters of `drop` removed where they stand outside quotes.
QString withoutLetters(const QString& format, QChar drop) {
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == drop)
            continue;
        out.append(c);
    }
    return out.simplified();
}
} // namespace

DiveDateText::DiveDateText(const QLocale& locale) : m_locale(locale) {
    m_dateFormat = m_locale.dateFormat(QLocale::ShortFormat);
    // Two-digit years read back as the 1900s and are ambiguous in a logbook that spans decades.
    if (!m_dateFormat.contains(QLatin1String("yyyy")))
        m_dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    // A logbook's times are the times on the dive computer; a zone name would only mislead.
    m_timeFormat = withoutLetters(m_locale.timeFormat(QLocale::LongFormat), u't');
}

QString DiveDateText::text(const QDate& date, const QTime& time) const {
    return dateText(date) + u' ' + timeText(time);
}

QString DiveDateText::dateText(const QDate& date) const {
    return m_locale.toString(date, m_dateFormat);
}

QString DiveDateText::timeText(const QTime& time) const {
    return m_locale.toString(time, m_timeFormat);
}

QDateTime DiveDateText::parse(const QString& text) const {
    return m_locale.toDateTime(text, m_dateFormat + u' ' + m_timeFormat);
}
