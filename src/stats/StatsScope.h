#pragma once

#include <QString>

// Which dives the statistics cover. The statistics setting holds two bits: ASK_EACH_TIME (ask the
// user every time) and ALL_LOGBOOKS (every logbook of the model rather than the current one). The
// scope of one computation, `statsMode`, is ALL_LOGBOOKS or CURRENT_LOGBOOK, or CANCELLED when the
// user cancelled the question (its bits include ALL_LOGBOOKS, so a cancelled question still covers
// every logbook of the model).
namespace StatsScope {

constexpr qint16 ASK_EACH_TIME = 1;
constexpr qint16 ALL_LOGBOOKS = 2;

constexpr qint16 CURRENT_LOGBOOK = 0;
constexpr qint16 CANCELLED = -1;

// The question is asked only when the setting says so and there is a current logbook to offer.
bool asksUser(qint16 setting, qint32 currentLogbookID);
// The scope when the question is not asked: all logbooks without a current one, else the setting's.
qint16 modeWithoutAsking(qint16 setting, qint32 currentLogbookID);
bool coversAllLogbooks(qint16 statsMode);
// The setting after "do not ask again": the question is switched off, the stored scope kept.
qint16 settingWithoutQuestion(qint16 setting);

// The statement over the dives in scope of the model, `columns` from the joined DIVE and FILE rows.
// The main window's dive filter does not apply.
QString statement(qint16 statsMode, qint32 logbookID, qint32 model, const QString& columns = QStringLiteral("*"));

} // namespace StatsScope
