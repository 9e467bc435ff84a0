#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// A dive's date and time as the tree, the titles and the lists show it: the user's short date
// with the year in full and the long time without a time zone ("05/03/2004 09:30:00").
class DiveDateText {
public:
    explicit DiveDateText(const QLocale& locale = QLocale());

    QString text(const QDate& date, const QTime& time) const;
    // The two halves of text(), the date and the time.
    QString dateText(const QDate& date) const;
    QString timeText(const QTime& time) const;
    // The date-time of a text made by text(); invalid for any other.
    QDateTime parse(const QString& text) const;

    QString dateFormat() const { return m_dateFormat; }

private:
    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
};
