#include "StatsScope.h"

namespace StatsScope {

namespace {
// Numbers are written with the blank of a sign position, as the statements always were.
QString signPositioned(qint32 v) {
    return v < 0 ? QString::number(v) : u' ' + QString::number(v);
}
} // namespace

bool asksUser(qint16 setting, qint32 currentLogbookID) {
    return (setting & ASK_EACH_TIME) != 0 && currentLogbookID != -1;
}

qint16 modeWithoutAsking(qint16 setting, qint32 currentLogbookID) {
    return currentLogbookID == -1 ? ALL_LOGBOOKS : setting;
}

bool coversAllLogbooks(qint16 statsMode) {
    return (statsMode & ALL_LOGBOOKS) != 0;
}

qint16 settingWithoutQuestion(qint16 setting) {
    return qint16((setting ^ ASK_EACH_TIME) & (ASK_EACH_TIME | ALL_LOGBOOKS));
}

QString statement(qint16 statsMode, qint32 logbookID, qint32 model, const QString& columns) {
    QString text = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM DIVE, FILE ") +
                   QStringLiteral("WHERE  FILE.FILE_ID = DIVE.FILE_ID AND ");
    if (!coversAllLogbooks(statsMode))
        text += QStringLiteral("DIVE.FILE_ID = ") + signPositioned(logbookID) + QStringLiteral(" AND ");
    return text + QStringLiteral("FILE.DIVE_MODEL = ") + signPositioned(model);
}

} // namespace StatsScope
