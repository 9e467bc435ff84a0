#include "frmFilter.h"

#include "DiveDateRange.h"
#include "DiveFilter.h"
#include "FormLocalizer.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Seams.h"
#include "Settings.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using Twips::pixels;

namespace {
// Design geometry, in twips.
constexpr int FORM_WIDTH = 6000;
constexpr int FORM_HEIGHT = 5950;
constexpr int FIRST_ACTIVITY = 1100;
constexpr int LAST_ACTIVITY = 1112;

template <class Control> Control* place(Control* control, const char* name, const QRect& geometry) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

QLabel* label(const char* name, const char* tag, QWidget* parent, const QRect& geometry) {
    auto* l = place(new QLabel(parent), name, geometry);
    if (tag)
        setTag(l, QLatin1String(tag));
    return l;
}

template <class Button> Button* button(const char* name, const char* tag, QWidget* parent, const QRect& geometry) {
    auto* b = place(new Button(parent), name, geometry);
    if (tag)
        setTag(b, QLatin1String(tag));
    return b;
}

QDateTimeEdit* picker(const char* name, QWidget* parent, const QRect& geometry) {
    auto* p = place(new QDateTimeEdit(parent), name, geometry);
    p->setCalendarPopup(true);
    // Wider than a dive date may be, so that a slip is refused with a message at OK instead of
    // being pulled silently to the nearest allowed date.
    p->setDateTimeRange(QDateTime(QDate(100, 1, 1), QTime(0, 0)), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)));
    return p;
}

void setDepthBackground(QLineEdit* box, const QColor& color) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::All, QPalette::Base, color);
    box->setPalette(palette);
}

void refuse(qint32 stringId) {
    Seams::message().show(getString(stringId), Msg::OkOnly | Msg::Critical, getString(1005));
}
} // namespace

frmFilter::frmFilter(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFilter"));
    setTag(this, QStringLiteral("1700"));
    Forms::add(this);
    buildControls();
    connectHandlers();

    centerForm(this);
    localizeForm(this);

    Internationalization& units = Internationalization::instance();
    const bool imperial = units.measureUnit() == units.IMPERIAL;
    for (QLabel* depth : lbl_Depth)
        depth->setText(u'(' + units.getDepthLongString() + u')');
    for (QLabel* format : lbl_Format)
        format->setText(u'(' + units.getDateFormat() + u')');
    // The pickers read as the hint beside them says.
    const QString display = imperial ? QStringLiteral("MM/dd/yyyy HH:mm") : QStringLiteral("dd/MM/yyyy HH:mm");

    for (int id = FIRST_ACTIVITY; id <= LAST_ACTIVITY; ++id)
        cmbActivity->addItem(getString(id));
    cmbActivity->setCurrentIndex(-1);

    const QDateTime now = Seams::clock().now();
    for (QDateTimeEdit* p : {startDTPicker, stopDTPicker}) {
        p->setDisplayFormat(display);
        p->setDateTime(now);
    }
}

void frmFilter::buildControls() {
    setFixedSize(FORM_WIDTH / TWIPS_PER_PIXEL, FORM_HEIGHT / TWIPS_PER_PIXEL);

    lbl_Title = label("lbl_Title", "1701", this, pixels(0, 0, FORM_WIDTH, 450));
    lbl_Title->setIndent(8);
    Twips::makeTitleBand(lbl_Title);

    frameDECO = button<QGroupBox>("frameDECO", "1702", this, pixels(120, 570, 5760, 1200));
    optAllDives = button<QRadioButton>("optAllDives", "1703", frameDECO, pixels(240, 300, 5400, 255));
    optInDECO = button<QRadioButton>("optInDECO", "1704", frameDECO, pixels(240, 570, 5400, 255));
    optNODEC = button<QRadioButton>("optNODEC", "1705", frameDECO, pixels(240, 840, 5400, 255));
    optAllDives->setChecked(true);

    frameFilter = button<QGroupBox>("frameFilter", "1706", this, pixels(120, 1890, 5760, 3400));
    QWidget* f = frameFilter;

    chkFrom = button<QCheckBox>("chkFrom", "1707", f, pixels(240, 300, 5400, 255));
    lbl_From = label("lbl_From", "1708", f, pixels(300, 630, 930, 255));
    startDTPicker = picker("startDTPicker", f, pixels(1260, 600, 2520, 315));
    lbl_Format[0] = label("lbl_Format0", nullptr, f, pixels(3840, 630, 1800, 255));
    lbl_To = label("lbl_To", "1709", f, pixels(300, 1000, 930, 255));
    stopDTPicker = picker("stopDTPicker", f, pixels(1260, 970, 2520, 315));
    lbl_Format[1] = label("lbl_Format1", nullptr, f, pixels(3840, 1000, 1800, 255));

    chkBetween = button<QCheckBox>("chkBetween", "1710", f, pixels(240, 1400, 5400, 255));
    lbl_Between = label("lbl_Between", "1711", f, pixels(300, 1730, 930, 255));
    fldStartDepth = place(new QLineEdit(f), "fldStartDepth", pixels(1260, 1700, 780, 315));
    lbl_Depth[0] = label("lbl_Depth0", nullptr, f, pixels(2100, 1730, 900, 255));
    lbl_And = label("lbl_And", "1712", f, pixels(3060, 1730, 540, 255));
    fldStopDepth = place(new QLineEdit(f), "fldStopDepth", pixels(3600, 1700, 780, 315));
    lbl_Depth[1] = label("lbl_Depth1", nullptr, f, pixels(4440, 1730, 1200, 255));
    for (QLineEdit* depth : {fldStartDepth, fldStopDepth}) {
        depth->setEnabled(false);
        setDepthBackground(depth, QColor(0xC0, 0xC0, 0xC0));
    }

    chkActivity = button<QCheckBox>("chkActivity", "1713", f, pixels(240, 2150, 2400, 255));
    cmbActivity = place(new QComboBox(f), "cmbActivity", pixels(2700, 2120, 2940, 315));
    cmbActivity->setEditable(true);
    cmbActivity->setInsertPolicy(QComboBox::NoInsert);
    cmbActivity->setToolTip(QStringLiteral("1715"));
    cmbActivity->setEnabled(false);

    chkNitrox = button<QCheckBox>("chkNitrox", "1714", f, pixels(240, 2600, 5400, 255));
    optNitrox = button<QRadioButton>("optNitrox", nullptr, f, pixels(480, 2930, 1500, 255));
    optAir = button<QRadioButton>("optAir", nullptr, f, pixels(2040, 2930, 1500, 255));
    optBottomTime = button<QRadioButton>("optBottomTime", nullptr, f, pixels(3600, 2930, 2040, 255));
    optNitrox->setText(QStringLiteral("Nitrox"));
    optAir->setText(QStringLiteral("Air"));
    optBottomTime->setText(QStringLiteral("Bottom Time"));
    optAir->setChecked(true);
    for (QRadioButton* mode : {optNitrox, optAir, optBottomTime})
        mode->setEnabled(false);
    startDTPicker->setEnabled(false);
    stopDTPicker->setEnabled(false);

    btnOk = button<QPushButton>("btnOk", "1010", this, pixels(3060, 5400, 1335, 405));
    btnOk->setDefault(true);
    btnCancel = button<QPushButton>("btnCancel", "1012", this, pixels(4545, 5400, 1335, 405));
}

void frmFilter::connectHandlers() {
    // Toggled rather than clicked: a tick set from code runs the same rule as the user's.
    connect(chkFrom, &QCheckBox::toggled, this, &frmFilter::chkFrom_Click);
    connect(chkBetween, &QCheckBox::toggled, this, &frmFilter::chkBetween_Click);
    connect(chkActivity, &QCheckBox::toggled, this, &frmFilter::chkActivity_Click);
    connect(chkNitrox, &QCheckBox::toggled, this, &frmFilter::chkNitrox_Click);
    connect(btnOk, &QPushButton::clicked, this, &frmFilter::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmFilter::btnCancel_Click);
}

bool frmFilter::checkStartDate(QDateTime& startDate) const {
    const QDateTime value = startDTPicker->dateTime();
    if (!isValidDiveDate(value))
        return false;
    startDate = value;
    return true;
}

bool frmFilter::checkStopDate(QDateTime& stopDate) const {
    const QDateTime value = stopDTPicker->dateTime();
    if (!isValidDiveDate(value))
        return false;
    stopDate = value;
    return true;
}

void frmFilter::chkFrom_Click() {
    const bool ticked = chkFrom->isChecked();
    startDTPicker->setEnabled(ticked);
    stopDTPicker->setEnabled(ticked);
    if (ticked)
        startDTPicker->setFocus();
}

void frmFilter::chkBetween_Click() {
    const bool ticked = chkBetween->isChecked();
    for (QLineEdit* depth : {fldStartDepth, fldStopDepth}) {
        depth->setEnabled(ticked);
        setDepthBackground(depth, ticked ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0));
    }
    if (ticked)
        fldStartDepth->setFocus();
}

void frmFilter::chkActivity_Click() {
    cmbActivity->setEnabled(chkActivity->isChecked());
}

void frmFilter::chkNitrox_Click() {
    const bool ticked = chkNitrox->isChecked();
    for (QRadioButton* mode : {optNitrox, optAir, optBottomTime})
        mode->setEnabled(ticked);
}

qint32 frmFilter::chosenActivity() const {
    const int index = cmbActivity->currentIndex();
    if (index < 0 || cmbActivity->currentText() != cmbActivity->itemText(index))
        return -1;
    return index;
}

void frmFilter::btnOk_Click() {
    isOk = true;

    DiveFilterCriteria criteria;
    if (optInDECO->isChecked())
        criteria.diveType = DiveFilterCriteria::DecoDives;
    else if (optNODEC->isChecked())
        criteria.diveType = DiveFilterCriteria::NoDecoDives;

    criteria.byDate = chkFrom->isChecked();
    if (criteria.byDate) {
        // A picker without a valid dive date leaves its bound invalid, which the builder refuses.
        checkStartDate(criteria.startDate);
        checkStopDate(criteria.stopDate);
    }

    Internationalization& units = Internationalization::instance();
    criteria.byDepth = chkBetween->isChecked();
    criteria.startDepth = fldStartDepth->text();
    criteria.stopDepth = fldStopDepth->text();
    criteria.imperialDepths = units.measureUnit() == units.IMPERIAL;

    if (chkActivity->isChecked())
        criteria.activity = chosenActivity();

    criteria.byDiveMode = chkNitrox->isChecked();
    if (optNitrox->isChecked())
        criteria.diveMode = 1;
    else if (optBottomTime->isChecked())
        criteria.diveMode = Settings::instance().getBottomTimeCode();

    const DiveFilterStatement filter = buildDiveFilter(criteria, Settings::instance().defaultFilter());
    for (qint32 refusal : filter.refusals)
        refuse(refusal);
    if (!filter.refusals.isEmpty()) {
        isOk = false;
        return;
    }
    Settings::instance().setCurrentFilter(filter.statement);
    accept();
}

void frmFilter::btnCancel_Click() {
    reject();
}

void frmFilter::reject() {
    isOk = false;
    QDialog::reject();
}
