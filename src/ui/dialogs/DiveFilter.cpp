#include "DiveFilter.h"

#include "DiveDateRange.h"
#include "MainModule.h"
#include "Settings.h"
#include "SqlDates.h"

#include <cmath>

// The statement is stored text that the database layer runs as it stands, so no text the user typed
// may ever reach it: dates are written from the pickers' values, depths only once they are known to
// be ASCII digits, and the type, activity and dive mode are numbers of our own.

namespace {
QString typePiece(DiveFilterCriteria::DiveType type) {
    switch (type) {
    case DiveFilterCriteria::DecoDives:
        return QStringLiteral(" AND DECO_FLAG <> 0 ");
    case DiveFilterCriteria::NoDecoDives:
        return QStringLiteral(" AND DECO_FLAG = 0 ");
    case DiveFilterCriteria::AllDives:
        break;
    }
    return QStringLiteral(" ");
}

// 0 when the range is accepted, else the refusal's string number. A range that ends before it starts
// is accepted: it selects no dive.
qint32 checkDates(const QDateTime& start, const QDateTime& stop) {
    if (!isValidDiveDate(start))
        return 3015;
    if (!isValidDiveDate(stop))
        return 3016;
    return 0;
}

// Digits only, and few enough of them to be a number: a bound too long for a double would reach
// the statement as "inf", which the engine takes for a column name.
bool isDepth(const QString& text) {
    return !text.isEmpty() && isDigitsOnly(text) && std::isfinite(text.toDouble());
}

// The whole metres of a depth in feet, with the leading blank a positive number is written with.
QString feetToMetres(const QString& digits) {
    return u' ' + QString::number(std::floor(digits.toDouble() * 0.3048), 'f', 0);
}
} // namespace

DiveFilterStatement buildDiveFilter(const DiveFilterCriteria& criteria, const QString& defaultFilter) {
    DiveFilterStatement result;

    QString datePiece;
    if (criteria.byDate) {
        if (const qint32 refusal = checkDates(criteria.startDate, criteria.stopDate))
            result.refusals.append(refusal);
        else
            datePiece = QStringLiteral(" AND [DATETIME] BETWEEN ") + SqlDates::toLiteral(criteria.startDate) +
                        QStringLiteral(" AND ") + SqlDates::toLiteral(criteria.stopDate) + u' ';
    }

    QString depthPiece;
    if (criteria.byDepth) {
        QString start = criteria.startDepth;
        QString stop = criteria.stopDepth;
        if (!isDepth(start)) {
            result.refusals.append(3017);
        } else if (!isDepth(stop)) {
            result.refusals.append(3018);
        } else {
            if (criteria.imperialDepths) {
                start = feetToMetres(start);
                stop = feetToMetres(stop);
            }
            depthPiece = QStringLiteral(" AND MAX_DEPTH BETWEEN ") + start + QStringLiteral(" AND ") + stop + u' ';
        }
    }

    QString activityPiece;
    if (criteria.activity >= 0)
        activityPiece = QStringLiteral(" AND ACTIVITY = ") + QString::number(criteria.activity) + u' ';

    QString modePiece;
    if (criteria.byDiveMode)
        modePiece = QStringLiteral(" AND DIVE_MODE = ") + QString::number(criteria.diveMode) + u' ';

    if (result.refusals.isEmpty())
        result.statement = defaultFilter + typePiece(criteria.diveType) + datePiece + depthPiece + activityPiece +
                           modePiece + Settings::UNFILTERED_ORDER;
    return result;
}
