#pragma once

#include <QDate>
#include <QList>
#include <QWidget>
#include <functional>

class QCalendarWidget;
class QGridLayout;

// A month calendar of one or more months side by side and in rows, consecutive from the first
// month shown, with one chosen date (its value). The days the host names bold are drawn bold; the
// host is asked again for every range of days that comes into view.
class MonthView : public QWidget {
    Q_OBJECT
public:
    explicit MonthView(QWidget* parent = nullptr);

    QDate value() const { return m_value; }
    // Chooses the date and brings its month into view; no dateClicked.
    void setValue(const QDate& date);

    int monthColumns() const { return m_columns; }
    int monthRows() const { return m_rows; }
    // At least one of each; a smaller count is refused (RuntimeError 380) and nothing changes.
    void setMonthGrid(int columns, int rows);
    // The size a grid of that many months needs.
    QSize gridSize(int columns, int rows) const;

    // Fills `bold` (one entry per day from `start`, all false on entry) with the days to draw bold.
    std::function<void(const QDate& start, int count, QList<bool>& bold)> getDayBold;
    // Asks the host for the bold days of everything in view, and draws them.
    void refreshBoldDays();
    bool isBold(const QDate& day) const;

signals:
    // The user chose a day.
    void dateClicked(const QDate& date);

private:
    void showFrom(const QDate& firstMonth);
    void pageChanged(int index, int year, int month);
    void dayClicked(const QDate& date);
    void rebuild();

    QGridLayout* m_grid;
    QList<QCalendarWidget*> m_months;
    int m_columns = 1;
    int m_rows = 1;
    QDate m_firstMonth;
    QDate m_value;
    bool m_syncing = false;
};
