#include "frmSimulatorSettings.h"

#include "FormLocalizer.h"
#include "MainModule.h"
#include "Seams.h"
#include "SimulationParameters.h"
#include "SimulatorLook.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

frmSimulatorSettings::frmSimulatorSettings(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSimulatorSettings"));
    Forms::add(this);
    buildControls();
    localizeForm(this);
    setWindowTitle(getString(1900));
    optionNitrox->setChecked(true);
    cmbPPO2Max->setCurrentIndex(SimulationParameters::PPO2_START_INDEX);
    optionP[0]->setChecked(true);
    isOk = false;
}

// As designed, with the left frames 600 twips wider: the option captions of some languages are long.
void frmSimulatorSettings::buildControls() {
    setFixedSize(Twips::pixels(6465), Twips::pixels(3735));

    lblTitle = SimulatorLook::heading(this, QStringLiteral("lblTitle"), QStringLiteral("1900"));
    lblTitle->setGeometry(Twips::pixels(60, 30, 6360, 480));

    const auto frame = [this](const char* name, const char* tag, QRect geometry) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QLatin1String(name));
        setTag(box, QLatin1String(tag));
        box->setGeometry(geometry);
        return box;
    };
    const auto option = [](QGroupBox* box, const QString& name, const QString& tag, QRect geometry) {
        auto* button = new QRadioButton(box);
        button->setObjectName(name);
        setTag(button, tag);
        button->setGeometry(geometry);
        return button;
    };

    Frame1 = frame("Frame1", "1901", Twips::pixels(60, 570, 2835, 1275));
    optionAir = option(Frame1, QStringLiteral("optionAir"), QStringLiteral("1902"), Twips::pixels(180, 330, 2600, 300));
    optionNitrox =
        option(Frame1, QStringLiteral("optionNitrox"), QStringLiteral("1903"), Twips::pixels(180, 675, 2600, 300));
    connect(optionAir, &QRadioButton::clicked, this, &frmSimulatorSettings::optionAir_Click);
    connect(optionNitrox, &QRadioButton::clicked, this, &frmSimulatorSettings::optionNitrox_Click);

    Frame2 = frame("Frame2", "1904", Twips::pixels(45, 1905, 2850, 1740));
    const int tops[4] = {330, 675, 1035, 1380};
    for (int i = 0; i < 4; ++i)
        optionP[i] = option(Frame2, QStringLiteral("optionP%1").arg(i), QString::number(1905 + i),
                            Twips::pixels(i == 0 ? 180 : 195, tops[i], 2600, 300));

    Frame3 = frame("Frame3", "1909", Twips::pixels(3195, 600, 3180, 1215));
    sliderPercO2 = new QSlider(Qt::Horizontal, Frame3);
    sliderPercO2->setObjectName(QStringLiteral("sliderPercO2"));
    sliderPercO2->setGeometry(Twips::pixels(255, 465, 2235, 345));
    sliderPercO2->setRange(SimulationParameters::MIXTURE_MIN, SimulationParameters::MIXTURE_MAX);
    sliderPercO2->setSingleStep(1);
    sliderPercO2->setPageStep(5);
    sliderPercO2->setTickPosition(QSlider::TicksBelow);
    sliderPercO2->setTickInterval(1);
    sliderPercO2->setToolTip(QStringLiteral("1909"));
    // The mix set, beside the slider as the simulator shows its speed and time scale: the diver
    // cannot read it off the ticks.
    lblPercO2 = new QLabel(Frame3);
    lblPercO2->setObjectName(QStringLiteral("lblPercO2"));
    lblPercO2->setGeometry(Twips::pixels(2550, 465, 555, 345));
    lblPercO2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = lblPercO2->font();
    bold.setBold(true);
    lblPercO2->setFont(bold);
    connect(sliderPercO2, &QSlider::valueChanged, this,
            [this](int value) { lblPercO2->setText(QString::number(value) + QStringLiteral(" %")); });
    sliderPercO2->setValue(SimulationParameters::MIXTURE_START);

    Frame4 = frame("Frame4", "1910", Twips::pixels(3195, 2010, 3180, 945));
    cmbPPO2Max = new QComboBox(Frame4);
    cmbPPO2Max->setObjectName(QStringLiteral("cmbPPO2Max"));
    cmbPPO2Max->setGeometry(Twips::pixels(195, 300, 2865, 330));
    cmbPPO2Max->addItems(SimulationParameters::ppo2Entries());

    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    setTag(cmdOk, QStringLiteral("1010"));
    cmdOk->setGeometry(Twips::pixels(3750, 3270, 1245, 375));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    setTag(cmdCancel, QStringLiteral("1012"));
    cmdCancel->setGeometry(Twips::pixels(5130, 3270, 1245, 375));
    connect(cmdOk, &QPushButton::clicked, this, &frmSimulatorSettings::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSimulatorSettings::cmdCancel_Click);
}

void frmSimulatorSettings::setNitroxEnabled(bool enabled) {
    Frame4->setEnabled(enabled);
    Frame3->setEnabled(enabled);
    cmbPPO2Max->setEnabled(enabled);
}

void frmSimulatorSettings::addDive(std::shared_ptr<Dive> dive) {
    m_dive = std::move(dive);
    if (!m_dive)
        return;
    const SimulationParameters shown = SimulationParameters::fromDive(*m_dive);
    optionP[shown.altitude]->setChecked(true);
    sliderPercO2->setValue(shown.mixture);
    if (shown.nitrox) {
        cmbPPO2Max->setCurrentIndex(shown.ppo2Index);
        optionNitrox->setChecked(true);
        optionNitrox_Click();
    } else {
        optionAir->setChecked(true);
        optionAir_Click();
    }
}

void frmSimulatorSettings::optionAir_Click() {
    setNitroxEnabled(false);
}

void frmSimulatorSettings::optionNitrox_Click() {
    setNitroxEnabled(true);
}

void frmSimulatorSettings::cmdOk_Click() {
    if (!m_dive) {
        cmdCancel_Click();
        return;
    }
    SimulationParameters chosen;
    chosen.nitrox = optionNitrox->isChecked();
    chosen.mixture = sliderPercO2->value();
    chosen.ppo2Index = cmbPPO2Max->currentIndex();
    chosen.altitude = 0;
    for (int i = 0; i < 4; ++i) {
        if (optionP[i]->isChecked())
            chosen.altitude = i;
    }
    chosen.applyTo(*m_dive);
    isOk = true;
    accept();
}

void frmSimulatorSettings::cmdCancel_Click() {
    isOk = false;
    reject();
}

void frmSimulatorSettings::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_dive) {
        Seams::message().show(QStringLiteral("[frmSimulatorSetting.Form_Activate] Dive not set"),
                              Msg::OkOnly | Msg::Critical, QString());
        QMetaObject::invokeMethod(this, &frmSimulatorSettings::cmdCancel_Click, Qt::QueuedConnection);
    }
}

void frmSimulatorSettings::closeEvent(QCloseEvent* event) {
    // The close box answers as Cancel.
    isOk = false;
    QDialog::closeEvent(event);
}
