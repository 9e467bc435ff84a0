#pragma once

#include "LogbookTree.h"

#include <QWidget>
#include <functional>
#include <optional>

class MonthView;
class QCheckBox;
class QLabel;
class QPushButton;

// The Calendar tab of the dive tabs: a month calendar whose days with dives are bold, the date last
// chosen with its number of dives, buttons to the next and previous day with dives, and a box that
// narrows the bold days and the count to the selected logbook. It reads only the day counts of the
// tree as last built; it never reads the database.
class CalendarTab : public QWidget {
    Q_OBJECT
public:
    explicit CalendarTab(QWidget* parent = nullptr);

    // The tree as just built: its day counts over all logbooks and per logbook. The tab keeps its
    // own copy, so that changes made to the tree in place leave the counts as they were built.
    void fill(const LogbookTree& tree);
    // The calendar on today, and today's date and count in the labels (the window's refresh).
    void showToday();

    // The text of the tree node with that key, for the box's caption; by default the logbook's name
    // as the tree was built. The main window points it at its tree, where a rename shows at once.
    std::function<QString(const QString& key)> nodeText;

    void MonthView1_DateClick(const QDate& date);
    // `bold` has one entry per day from `start`; a day becomes true when it has dives in the scope.
    void MonthView1_GetDayBold(const QDate& start, int count, QList<bool>& bold) const;
    void btnCalendarNext_Click();
    void btnCalendarPrevious_Click();
    void chkCurrentLogbook_Click();

    // Design distances, in twips: the calendar's place and the width kept for the buttons' column.
    static constexpr int CALENDAR_LEFT = 1755;
    static constexpr int CALENDAR_TOP = 1095;
    static constexpr int BUTTON_COLUMN = 1785;

    // Fits as many months as the tab's size allows.
    void fitMonths();

    QLabel* lblCalendarCurrentDate;
    QLabel* lblCalendarDivesNumber;
    QCheckBox* chkCurrentLogbook;
    MonthView* MonthView1;
    QPushButton* btnCalendarPrevious;
    QPushButton* btnCalendarNext;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The day counts of the selected logbook when the box narrows the scope to it, null otherwise;
    // `scoped` tells which.
    const DayCounts* scopeCounts(bool& scoped) const;
    void stepToDiveDay(bool forward);
    QString dateText(const QDate& date) const;

    std::optional<LogbookTree> m_tree; // none before the first build
    // The day whose count the labels show.
    QDate m_shownDate;
};
