#include "MonthView.h"

#include "RuntimeError.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QScopedValueRollback>
#include <QTextCharFormat>

namespace {
// Every month page shows some days of the months around it; the bold days are asked for with this
// margin, so that those days are marked like the others.
constexpr int MARGIN_DAYS = 14;
constexpr int SPACING = 4;

QDate firstOfMonth(const QDate& date) {
    return QDate(date.year(), date.month(), 1);
}
} // namespace

MonthView::MonthView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MonthView1"));
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(SPACING);
    m_value = QDate::currentDate();
    m_firstMonth = firstOfMonth(m_value);
    rebuild();
}

void MonthView::setMonthGrid(int columns, int rows) {
    if (columns < 1 || rows < 1)
        throw RuntimeError(RuntimeError::InvalidPropertyValue, QStringLiteral("MonthView"),
                           QStringLiteral("Invalid property value"));
    if (columns == m_columns && rows == m_rows)
        return;
    m_columns = columns;
    m_rows = rows;
    rebuild();
}

QSize MonthView::gridSize(int columns, int rows) const {
    const QSize month = m_months.first()->sizeHint();
    return QSize(columns * month.width() + (columns - 1) * SPACING, rows * month.height() + (rows - 1) * SPACING);
}

void MonthView::rebuild() {
    qDeleteAll(m_months);
    m_months.clear();
    for (int i = 0; i < m_columns * m_rows; ++i) {
        auto* month = new QCalendarWidget(this);
        month->setObjectName(QStringLiteral("MonthView1_%1").arg(i));
        month->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        month->setGridVisible(false);
        connect(month, &QCalendarWidget::currentPageChanged, this,
                [this, i](int year, int m) { pageChanged(i, year, m); });
        connect(month, &QCalendarWidget::clicked, this, &MonthView::dayClicked);
        m_grid->addWidget(month, i / m_columns, i % m_columns);
        m_months.append(month);
    }
    showFrom(m_firstMonth);
}

void MonthView::setValue(const QDate& date) {
    if (!date.isValid())
        return;
    m_value = date;
    const QDate month = firstOfMonth(date);
    const QDate last = m_firstMonth.addMonths(int(m_months.size()) - 1);
    showFrom(month < m_firstMonth || month > last ? month : m_firstMonth);
}

// Every page shows the chosen date as selected; a page keeps the month the grid gives it.
void MonthView::showFrom(const QDate& firstMonth) {
    {
        QScopedValueRollback syncing(m_syncing, true);
        m_firstMonth = firstMonth;
        for (int i = 0; i < m_months.size(); ++i) {
            QCalendarWidget* month = m_months[i];
            const QDate page = m_firstMonth.addMonths(i);
            month->setSelectedDate(m_value);
            month->setCurrentPage(page.year(), page.month());
        }
    }
    refreshBoldDays();
}

void MonthView::pageChanged(int index, int year, int month) {
    if (m_syncing)
        return;
    showFrom(QDate(year, month, 1).addMonths(-index));
}

void MonthView::dayClicked(const QDate& date) {
    m_value = date;
    showFrom(m_firstMonth);
    emit dateClicked(date);
}

void MonthView::refreshBoldDays() {
    const QDate start = m_firstMonth.addDays(-MARGIN_DAYS);
    const QDate end = m_firstMonth.addMonths(int(m_months.size())).addDays(MARGIN_DAYS - 1);
    const int count = int(start.daysTo(end)) + 1;
    QList<bool> bold(count, false);
    if (getDayBold)
        getDayBold(start, count, bold);
    QTextCharFormat boldFormat;
    boldFormat.setFontWeight(QFont::Bold);
    for (QCalendarWidget* month : m_months) {
        month->setDateTextFormat(QDate(), QTextCharFormat());
        for (int i = 0; i < count; ++i) {
            if (bold.value(i))
                month->setDateTextFormat(start.addDays(i), boldFormat);
        }
    }
}

bool MonthView::isBold(const QDate& day) const {
    return m_months.first()->dateTextFormat(day).fontWeight() >= QFont::Bold;
}
