#include "frmDiveComputerSettings.h"

#include "DcSettingsLists.h"
#include "Internationalization.h"
#include "OptionPictures.h"
#include "Settings.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

using namespace DcSettingsLists;

namespace {
constexpr int VOLUME_MAX = 399;
constexpr int PRESSURE_MAX = 3999;
constexpr int O2_MIN = 21;
constexpr int O2_MAX = 50;
constexpr int SLIDER_WIDTH = 170;
const QDate FIRST_DATE(1601, 1, 1);
const QDate LAST_DATE(9999, 12, 31);

template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

QLabel* label(const char* name, const char* caption, QWidget* parent) {
    return named(new QLabel(QLatin1String(caption), parent), name);
}

QRadioButton* option(const char* name, const char* caption, QWidget* parent) {
    return named(new QRadioButton(QString::fromUtf8(caption), parent), name);
}

QCheckBox* checkBox(const char* name, QWidget* parent) {
    return named(new QCheckBox(QStringLiteral("OFF"), parent), name);
}

QComboBox* list(const char* name, QWidget* parent) {
    return named(new QComboBox(parent), name);
}

QSlider* slider(const char* name, int minimum, int maximum, int smallStep, int largeStep, QWidget* parent) {
    auto* s = named(new QSlider(Qt::Horizontal, parent), name);
    s->setRange(minimum, maximum);
    s->setSingleStep(smallStep);
    s->setPageStep(largeStep);
    s->setMinimumWidth(SLIDER_WIDTH);
    return s;
}

// The text beside a slider shows what the slider holds; the record takes the slider's value.
QLineEdit* sliderText(const char* name, QWidget* parent) {
    auto* text = named(new QLineEdit(parent), name);
    text->setReadOnly(true);
    text->setFixedWidth(56);
    return text;
}

// One option of a pair on, the other off.
void choose(QRadioButton* on, QRadioButton* off) {
    on->setChecked(true);
    off->setChecked(false);
}

qint16 checkValue(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

void setCheckValue(QCheckBox* box, qint16 value) {
    box->setChecked(value >= 1);
}

// "ON" while the box is ticked.
void followCaption(QCheckBox* box) {
    QObject::connect(box, &QCheckBox::toggled, box,
                     [box](bool on) { box->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF")); });
}

void fill(QComboBox* box, const QStringList& items) {
    box->clear();
    box->addItems(items);
}

QDateEdit* datePicker(const char* name, QWidget* parent) {
    auto* picker = named(new QDateEdit(parent), name);
    picker->setCalendarPopup(true);
    picker->setDateRange(FIRST_DATE, LAST_DATE);
    Internationalization& units = Internationalization::instance();
    picker->setDisplayFormat(units.measureUnit() == units.IMPERIAL ? QStringLiteral("MM/dd/yyyy")
                                                                   : QStringLiteral("dd/MM/yyyy"));
    return picker;
}

QTimeEdit* timePicker(const char* name, QWidget* parent) {
    auto* picker = named(new QTimeEdit(parent), name);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

QDateTime joined(const QDateEdit* date, const QTimeEdit* time) {
    const QTime t = time->time();
    return QDateTime(date->date(), QTime(t.hour(), t.minute(), t.second()));
}

// A line of a frame: its caption, then its controls side by side.
void addLine(QLabel* caption, std::initializer_list<QWidget*> controls) {
    QWidget* frame = caption->parentWidget();
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    auto* line = new QWidget(frame);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls) {
        control->setParent(line);
        layout->addWidget(control);
    }
    layout->addStretch();
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(line, row, 1);
}

// A tab holding one frame whose lines go in a grid.
QGroupBox* framedPage(QTabWidget* tabs, const char* name, const char* caption) {
    auto* page = new QWidget;
    auto* frame = named(new QGroupBox(page), name);
    (new QVBoxLayout(page))->addWidget(frame);
    // The lines keep to the top of the frame.
    (new QGridLayout(frame))->setAlignment(Qt::AlignTop);
    tabs->addTab(page, QLatin1String(caption));
    return frame;
}

} // namespace

frmDiveComputerSettings::frmDiveComputerSettings(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmDiveComputerSettings"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::add(this);
    buildControls();
    connectHandlers();

    // Form_Load.
    adjustSize();
    centerForm(this);
    showDcSettings(editedSettings);
    tabMain->setCurrentIndex(0);
}

void frmDiveComputerSettings::buildControls() {
    setWindowTitle(QStringLiteral("Form1"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* title = new QWidget(this);
    auto* titleLayout = new QHBoxLayout(title);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    Image1 = named(new QLabel(title), "Image1");
    Image1->setPixmap(modelPicture(Settings::instance().currentDiveComputer())
                          .scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Label1 = label("Label1", "xxxx Dive Computer Settings", title);
    Label1->setIndent(8);
    Label1->setMinimumHeight(Twips::pixels(450));
    Twips::makeTitleBand(Label1);
    titleLayout->addWidget(Image1);
    titleLayout->addWidget(Label1, 1);
    layout->addWidget(title);

    tabMain = named(new QTabWidget(this), "tabMain");
    buildGeneralTab();
    buildGasTab();
    buildTankTab();
    layout->addWidget(tabMain);
    layout->addWidget(buildDateTimeFrame());

    btnReadData = named(new QPushButton(QStringLiteral("xxxx Read Data"), this), "btnReadData");
    btnSetData = named(new QPushButton(QStringLiteral("xxxx Set Data"), this), "btnSetData");
    btnReadDateTime = named(new QPushButton(QStringLiteral("xxxx Read Date/Time"), this), "btnReadDateTime");
    btnSetDateTime = named(new QPushButton(QStringLiteral("xxxx Set Date/Time"), this), "btnSetDateTime");
    btnOk = named(new QPushButton(QStringLiteral("1013 Close"), this), "btnOk");
    auto* buttons = new QGridLayout;
    buttons->addWidget(btnReadData, 0, 0);
    buttons->addWidget(btnSetData, 0, 1);
    buttons->addWidget(btnReadDateTime, 1, 0);
    buttons->addWidget(btnSetDateTime, 1, 1);
    buttons->addWidget(btnOk, 1, 3);
    buttons->setColumnStretch(2, 1);
    layout->addLayout(buttons);
}

void frmDiveComputerSettings::buildGeneralTab() {
    QGroupBox* f = Frame1 = framedPage(tabMain, "Frame1", "Tab 0");
    addLine(lblWater = label("lblWater", "1431 Water:", f),
            {optSalt = option("optSalt", "Salt", f), optFresh = option("optFresh", "Fresh", f)});
    addLine(lblTemperatureUnit = label("lblTemperatureUnit", "xxxx Temperature Unit:", f),
            {optC = option("optC", "C°", f), optF = option("optF", "F°", f)});
    addLine(lblDepthUnit = label("lblDepthUnit", "xxxx Depth Unit:", f),
            {otpMT = option("otpMT", "mt", f), optFT = option("optFT", "ft", f)});
    addLine(lblBeep = label("lblBeep", "1462 Sound Alarm:", f), {chkBeep = checkBox("chkBeep", f)});
    addLine(lblUNCAscent = label("lblUNCAscent", "1444 Uncontrolled Ascent:", f),
            {chkUNCAscent = checkBox("chkUNCAscent", f)});
    addLine(lblProgram = label("lblProgram", "1430 Program:", f), {cmbProgram = list("cmbProgram", f)});
    cmbProgram->addItems(programs());
}

void frmDiveComputerSettings::buildGasTab() {
    QGroupBox* f = Frame2 = framedPage(tabMain, "Frame2", "Tab 1");
    addLine(lblMode = label("lblMode", "xxxx Mode:", f), {cmbMode = list("cmbMode", f)});
    addLine(lblO2Mix = label("lblO2Mix", "1909 % Oxigen Mix:", f),
            {sliderO2Mix = slider("sliderO2Mix", O2_MIN, O2_MAX, 1, 5, f), txtO2Mix = sliderText("txtO2Mix", f)});
    addLine(lblPPO2Max = label("lblPPO2Max", "1910 PPO2 Max:", f), {cmbPPO2Max = list("cmbPPO2Max", f)});
    cmbPPO2Max->addItems(ppo2Limits());
}

void frmDiveComputerSettings::buildTankTab() {
    QGroupBox* f = Frame3 = framedPage(tabMain, "Frame3", "Tab 2");
    addLine(lblTankUnit = label("lblTankUnit", "xxxx Volume/Pressure Unit:", f),
            {optBAR = option("optBAR", "lt/bar", f), optPSI = option("optPSI", "cu.ft/psi", f)});
    addLine(lblVolume = label("lblVolume", "xxxx Volume:", f),
            {sliderVolume = slider("sliderVolume", 0, VOLUME_MAX, 10, 10, f), txtVolume = sliderText("txtVolume", f)});
    addLine(lblPressure = label("lblPressure", "xxxx Pressure:", f),
            {sliderPressure = slider("sliderPressure", 0, PRESSURE_MAX, 1, 1, f),
             txtPressure = sliderText("txtPressure", f)});
    addLine(lblReserveAlarm = label("lblReserveAlarm", "xxxx Reserve Alarm:", f),
            {chkReserveAlarm = checkBox("chkReserveAlarm", f)});
    addLine(lbl100Reserve = label("lbl100Reserve", "xxxx 100bar/1450psi Reserve", f),
            {cmb100Reserve = list("cmb100Reserve", f)});
    addLine(lbl50Reserve = label("lbl50Reserve", "xxxx 50bar/725psi Reserve", f),
            {cmb50Reserve = list("cmb50Reserve", f)});
}

QGroupBox* frmDiveComputerSettings::buildDateTimeFrame() {
    QGroupBox* f = frameDateTime = named(new QGroupBox(QStringLiteral("Date/Time Setting"), this), "frameDateTime");
    new QGridLayout(f);
    addLine(lblDateDC = label("lblDateDC", "xxxx PC New Date - Time", f),
            {dateDC = datePicker("dateDC", f), timeDC = timePicker("timeDC", f)});
    addLine(lblDateUser = label("lblDateUser", "xxxx User Date - Time", f),
            {dateUser = datePicker("dateUser", f), timeUser = timePicker("timeUser", f)});
    return f;
}

void frmDiveComputerSettings::connectHandlers() {
    connect(optBAR, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setTankUnit(1);
    });
    connect(optPSI, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setTankUnit(0);
    });
    followCaption(chkBeep);
    followCaption(chkUNCAscent);
    followCaption(chkReserveAlarm);
    connect(sliderO2Mix, &QSlider::valueChanged, this,
            [this](int value) { txtO2Mix->setText(QString::number(value)); });
    connect(sliderPressure, &QSlider::valueChanged, this,
            [this](int value) { txtPressure->setText(QString::number(value)); });
    connect(sliderVolume, &QSlider::valueChanged, this, &frmDiveComputerSettings::sliderVolume_Scroll);
    connect(btnSetData, &QPushButton::clicked, this, &frmDiveComputerSettings::btnSetData_Click);
    connect(btnSetDateTime, &QPushButton::clicked, this, &frmDiveComputerSettings::btnSetDateTime_Click);
}

void frmDiveComputerSettings::sliderVolume_Scroll() {
    const bool litres = optBAR->isChecked();
    const QString text = volumeText(sliderVolume->value(), litres);
    // The tip shown while dragging.
    if (litres)
        sliderVolume->setToolTip(text);
    txtVolume->setText(text);
}

void frmDiveComputerSettings::setTankUnit(qint16 unit) {
    const bool litres = unit == 1;
    if (litres)
        choose(optBAR, optPSI);
    else
        choose(optPSI, optBAR);
    fill(cmb100Reserve, reserve100(unit));
    fill(cmb50Reserve, reserve50(unit));
    cmb100Reserve->setCurrentIndex(0);
    cmb50Reserve->setCurrentIndex(0);
    sliderVolume->setSingleStep(litres ? 10 : 1);
    sliderVolume->setPageStep(litres ? 10 : 1);
    sliderPressure->setEnabled(!litres);
    if (!litres) {
        sliderPressure->setRange(0, PRESSURE_MAX);
        sliderPressure->setSingleStep(1);
        sliderPressure->setPageStep(1);
    }
    // The slider keeps its position; the text says it in the new unit.
    sliderVolume_Scroll();
}

void frmDiveComputerSettings::showDcSettings(const dcSettings& settings) {
    const bool litres = settings.UnitTank() == 1;
    // A record in cubic feet and psi brings its unit with it, so that storing it again keeps it.
    if (litres && !optBAR->isChecked())
        setTankUnit(1);
    else if (!litres && !optPSI->isChecked())
        setTankUnit(0);
    if (litres) {
        sliderVolume->setValue(sliderValue(settings.VolumeLTTank(), 0, VOLUME_MAX));
        sliderPressure->setValue(0);
    } else {
        sliderVolume->setValue(sliderValue(settings.VolumeCUFTTank(), 0, VOLUME_MAX));
        sliderPressure->setValue(sliderValue(settings.PressurePsiTank(), 0, PRESSURE_MAX));
    }
    sliderVolume_Scroll();
    txtPressure->setText(QString::number(sliderPressure->value()));
    setCheckValue(chkReserveAlarm, settings.FlagReserve100());
    cmb100Reserve->setCurrentIndex(nearestItem(reserve100(settings.UnitTank()), settings.Reserve100()));
    cmb50Reserve->setCurrentIndex(nearestItem(reserve50(settings.UnitTank()), settings.Reserve50()));

    cmbMode->clear();
    for (const Mode& mode : modes(Settings::instance().currentDiveComputer()))
        cmbMode->addItem(mode.text, mode.data);
    cmbMode->setCurrentIndex(nearestIndex(settings.diveType(), cmbMode->count()));

    sliderO2Mix->setValue(sliderValue(settings.PercO2(), O2_MIN, O2_MAX));
    txtO2Mix->setText(QString::number(sliderO2Mix->value()));
    cmbPPO2Max->setCurrentIndex(ppo2Index(settings.PPO2Max()));

    if (settings.UnitDepth() != 0)
        choose(optFT, otpMT);
    else
        choose(otpMT, optFT);
    if (settings.UnitTemperature() != 0)
        choose(optF, optC);
    else
        choose(optC, optF);
    if (settings.WaterType() != 0)
        choose(optFresh, optSalt);
    else
        choose(optSalt, optFresh);
    cmbProgram->setCurrentIndex(programIndex(settings.Altitude()));
    setCheckValue(chkUNCAscent, settings.SetUncontrolledAscent());
    setCheckValue(chkBeep, settings.SetBeep());

    dateDC->setDate(settings.dateDC().date());
    timeDC->setTime(settings.dateDC().time());
    dateUser->setDate(settings.dateUser().date());
    timeUser->setTime(settings.dateUser().time());
}

void frmDiveComputerSettings::storeDcSettings(dcSettings& settings) const {
    settings.setUnitTank(optPSI->isChecked() ? 0 : 1);
    if (settings.UnitTank() == 1)
        settings.setVolumeLTTank(float(sliderVolume->value()));
    else
        settings.setVolumeCUFTTank(float(sliderVolume->value()));
    settings.setPressurePsiTank(qint16(sliderPressure->value()));
    settings.setFlagReserve100(checkValue(chkReserveAlarm));
    settings.setReserve100(qint16(cmb100Reserve->currentText().toInt()));
    settings.setReserve50(qint16(cmb50Reserve->currentText().toInt()));
    settings.setDiveType(qint16(cmbMode->currentIndex()));
    settings.setPercO2(qint16(sliderO2Mix->value()));
    settings.setPPO2Max(ppo2Value(cmbPPO2Max->currentText()));
    settings.setUnitDepth(otpMT->isChecked() ? 0 : 1);
    settings.setUnitTemperature(optC->isChecked() ? 0 : 1);
    settings.setAltitude(QString::number(cmbProgram->currentIndex()));
    settings.setWaterType(optSalt->isChecked() ? 0 : 1);
    settings.setSetUncontrolledAscent(checkValue(chkUNCAscent));
    settings.setSetBeep(checkValue(chkBeep));
}

void frmDiveComputerSettings::storeDcDateTime(dcSettings& settings) const {
    settings.setDateDC(joined(dateDC, timeDC));
    settings.setDateUser(joined(dateUser, timeUser));
}

void frmDiveComputerSettings::btnSetData_Click() {
    storeDcSettings(editedSettings);
}

void frmDiveComputerSettings::btnSetDateTime_Click() {
    storeDcDateTime(editedSettings);
}
