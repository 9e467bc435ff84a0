#pragma once

// The statistics pages as figures, without widgets: the texts and counts that the statistics window
// shows and that a printed statistics page prints, so both draw from the same numbers.
//
//     using namespace StatsPages;
//     const qint16 mode = ...;   // StatsScope: asksUser / modeWithoutAsking, or the question's answer
//     Settings& s = Settings::instance();
//     Database db = Workspace::defaultWorkspace().openDatabase(s.databaseName());
//     const auto dives = StatsQuery::read(db, mode, s.currentLogbookID(), s.currentDiveComputer(),
//                                         s.isCurrentDiveComputerAir());
//     const StatsFigures figures = computeAll(dives);
//     figures.history.maxDepth         // " 42 m.", as the window's value label reads
//     figures.charts[Depth].labels     // " 0 - 20 m.", "20 - 30 m." ...; .counts, .title
//
// Everything follows the current Settings (model code) and Internationalization (units, language).
// With no dive in scope `figures.noDives` is set: the History texts are empty and every chart has
// its labels with counts of 0, so a page can still print its captions and titles.
// History captions are the strings of HISTORY_CAPTIONS; the consumption rows (the last three)
// carry figures only for the air-integrated models (`history.consumptionShown`).
// Page indexes are the window's: Deco is 7 although the tree shows it after Dive Mode.

#include "StatsDive.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace StatsPages {

enum Page { History = 0, Depth = 1, DiveMode = 2, Weather = 3, Suit = 4, Activity = 5, Errors = 6, Deco = 7 };
constexpr int PAGE_COUNT = 8;

struct PageEntry {
    const char* key;   // the tree node's key, "A0" to "A7"
    qint32 textString; // the node's text
    Page page;
};
// The pages in the order of the window's tree.
extern const std::array<PageEntry, PAGE_COUNT> TREE_ORDER;
// The page of a node key ("A0" to "A7"), -1 for any other key.
int pageOfKey(const QString& key);

// Maximum depth, minimum temperature, total dives, total time, average, largest, smallest consumption.
constexpr std::array<qint32, 7> HISTORY_CAPTIONS = {1966, 1967, 1968, 1969, 1972, 1973, 1974};

// The History page's value texts, exactly as the window writes them (a non-negative depth,
// temperature and average consumption keep the blank of the sign position).
struct StatsHistory {
    QString maxDepth;
    QString minTemp;
    QString totDives;
    QString totTime; // "h:mm", hours without limit
    QString avgConsumption;
    QString maxConsumption;
    QString minConsumption;
    bool consumptionShown = false; // the air-integrated models only
};

// One chart page: one bar per category, the category labels listed in the legend.
struct StatsChart {
    QString title;
    QStringList labels;
    QList<qint32> counts; // one per label
};

struct StatsFigures {
    bool noDives = true;
    StatsHistory history;
    std::array<StatsChart, PAGE_COUNT> charts; // by page index; charts[History] stays empty
};

// One page from the rows of the scope. A column value that does not fit a 16-bit integer raises
// RuntimeError 6 (overflow).
StatsHistory computeHistory(const std::vector<StatsDive>& dives);
StatsChart computeChart(Page page, const std::vector<StatsDive>& dives);
StatsFigures computeAll(const std::vector<StatsDive>& dives);

// "h:mm" of a number of minutes: 125 gives "2:05".
QString hoursAndMinutes(qint64 minutes);

} // namespace StatsPages
