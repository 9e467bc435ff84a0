#include "CalendarTab.h"

#include "DiveDateText.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "MonthView.h"
#include "Seams.h"
#include "Settings.h"
#include "TreeNodeKey.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using Twips::pixels;

namespace {
template <typename T> T* placed(T* control, const char* name, const QRect& geometry) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}
} // namespace

CalendarTab::CalendarTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("calendarTab"));
    // The date label reaches up to the count: dates are wider in some languages than in the design.
    lblCalendarCurrentDate = placed(new QLabel(this), "lblCalendarCurrentDate", pixels(240, 540, 3255, 255));
    setTag(lblCalendarCurrentDate, QStringLiteral("3102"));
    lblCalendarDivesNumber = placed(new QLabel(this), "lblCalendarDivesNumber", pixels(3555, 540, 3105, 285));
    setTag(lblCalendarDivesNumber, QStringLiteral("3103"));
    chkCurrentLogbook = placed(new QCheckBox(this), "chkCurrentLogbook", pixels(225, 810, 3375, 195));
    setTag(chkCurrentLogbook, QStringLiteral("1964"));
    btnCalendarPrevious = placed(new QPushButton(this), "btnCalendarPrevious", pixels(330, 4410, 1245, 375));
    setTag(btnCalendarPrevious, QStringLiteral("3100"));
    btnCalendarNext = placed(new QPushButton(this), "btnCalendarNext", pixels(330, 4905, 1245, 375));
    setTag(btnCalendarNext, QStringLiteral("3101"));
    MonthView1 = new MonthView(this);
    MonthView1->move(pixels(CALENDAR_LEFT), pixels(CALENDAR_TOP));
    MonthView1->resize(MonthView1->gridSize(1, 1));
    MonthView1->getDayBold = [this](const QDate& start, int count, QList<bool>& bold) {
        MonthView1_GetDayBold(start, count, bold);
    };

    nodeText = [this](const QString& key) {
        const LogbookTree::LogbookNode* logbook = m_tree ? m_tree->logbook(key) : nullptr;
        return logbook ? logbook->text : QString();
    };

    connect(MonthView1, &MonthView::dateClicked, this, &CalendarTab::MonthView1_DateClick);
    connect(btnCalendarNext, &QPushButton::clicked, this, &CalendarTab::btnCalendarNext_Click);
    connect(btnCalendarPrevious, &QPushButton::clicked, this, &CalendarTab::btnCalendarPrevious_Click);
    connect(chkCurrentLogbook, &QCheckBox::clicked, this, &CalendarTab::chkCurrentLogbook_Click);

    localizeForm(this);
    // The box's caption grows with the logbook's name.
    chkCurrentLogbook->adjustSize();
}

void CalendarTab::fill(const LogbookTree& tree) {
    m_tree = tree;
    MonthView1->refreshBoldDays();
    // The count shown is of the tree just replaced: a day whose dives were deleted or downloaded
    // since must not keep its old number.
    if (m_shownDate.isValid())
        MonthView1_DateClick(m_shownDate);
}

void CalendarTab::showToday() {
    const QDate today = Seams::clock().now().date();
    MonthView1->setValue(today);
    MonthView1_DateClick(today);
}

QString CalendarTab::dateText(const QDate& date) const {
    return QLocale().toString(date, DiveDateText().dateFormat());
}

const DayCounts* CalendarTab::scopeCounts(bool& scoped) const {
    const qint32 logbookID = Settings::instance().currentLogbookID();
    scoped = logbookID != -1 && chkCurrentLogbook->isChecked();
    if (!m_tree)
        return nullptr;
    if (!scoped)
        return &m_tree->diveDayCounts;
    const LogbookTree::LogbookNode* logbook = m_tree->logbook(TreeNodeKey::logbook(logbookID));
    return logbook ? &logbook->dayCounts : nullptr;
}

void CalendarTab::MonthView1_DateClick(const QDate& date) {
    m_shownDate = date;
    lblCalendarCurrentDate->setText(getString(3102) + u' ' + dateText(date));
    bool scoped = false;
    const DayCounts* counts = scopeCounts(scoped);
    if (scoped && !counts)
        return; // a logbook the tree does not hold: the count stays as it was
    const QString key = DayCounts::keyOf(date);
    if (counts && counts->contains(key))
        lblCalendarDivesNumber->setText(getString(3103) + u' ' + QString::number(counts->count(key)));
    else
        lblCalendarDivesNumber->setText(getString(3103));
}

void CalendarTab::MonthView1_GetDayBold(const QDate& start, int count, QList<bool>& bold) const {
    bool scoped = false;
    const DayCounts* counts = scopeCounts(scoped);
    if (!counts)
        return;
    for (int i = 0; i < count && i < bold.size(); ++i) {
        const QDate day = start.addDays(i);
        bold[i] = scoped ? counts->contains(DayCounts::keyOf(day)) : m_tree->hasDiveDate(day);
    }
}

void CalendarTab::chkCurrentLogbook_Click() {
    const qint32 logbookID = Settings::instance().currentLogbookID();
    QString caption = getString(1964);
    if (logbookID != -1 && chkCurrentLogbook->isChecked())
        caption += QStringLiteral(": ") + nodeText(TreeNodeKey::logbook(logbookID));
    chkCurrentLogbook->setText(caption);
    chkCurrentLogbook->adjustSize();
    MonthView1_DateClick(Seams::clock().now().date());
    // The bold days follow the box at once, not only when another month comes into view.
    MonthView1->refreshBoldDays();
}

void CalendarTab::btnCalendarNext_Click() {
    stepToDiveDay(true);
}

void CalendarTab::btnCalendarPrevious_Click() {
    stepToDiveDay(false);
}

// Over the dive days of all logbooks, whatever the box says.
void CalendarTab::stepToDiveDay(bool forward) {
    if (!m_tree)
        return;
    const QDate current = MonthView1->value();
    QDate found;
    for (const QString& key : m_tree->diveDayCounts.keys()) {
        const QDate day = QDate::fromString(key, QStringLiteral("yyyyMMdd"));
        if (!day.isValid())
            continue;
        if (forward ? day > current && (!found.isValid() || day < found)
                    : day < current && (!found.isValid() || day > found))
            found = day;
    }
    if (found.isValid()) {
        MonthView1->setValue(found);
        return;
    }
    const QString text = forward ? QStringLiteral("No dives after ") : QStringLiteral("No dives before ");
    Seams::message().show(text + dateText(current), Msg::OkOnly, QString());
}

void CalendarTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The selected logbook may have changed while the tab was hidden.
    MonthView1->refreshBoldDays();
}

void CalendarTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitMonths();
}

// As many month columns as fit beside the buttons' column, as many rows again, but no more rows
// than the tab's height holds. When not even one month fits, the grid stays as it was.
void CalendarTab::fitMonths() {
    const int freeWidth = width() - pixels(BUTTON_COLUMN);
    const int freeHeight = height() - pixels(CALENDAR_TOP);
    int n = 1;
    for (; n <= 20; ++n) {
        const QSize need = MonthView1->gridSize(n, 1);
        if (freeWidth - need.width() <= 0 || freeHeight - need.height() <= 0)
            break;
    }
    if (n > 20 || n < 2)
        return;
    const int columns = n - 1;
    int rows = 1;
    while (rows < columns && freeHeight - MonthView1->gridSize(1, rows + 1).height() > 0)
        ++rows;
    MonthView1->setMonthGrid(columns, rows);
    MonthView1->resize(MonthView1->gridSize(columns, rows));
}
