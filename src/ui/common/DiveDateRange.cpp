#include "DiveDateRange.h"

QDate earliestDiveDate() {
    return QDate(1900, 1, 1);
}

QDate latestDiveDate() {
    return QDate(9999, 12, 31);
}

bool isValidDiveDate(const QDateTime& dateTime) {
    return dateTime.isValid() && dateTime.date() >= earliestDiveDate() && dateTime.date() <= latestDiveDate();
}
