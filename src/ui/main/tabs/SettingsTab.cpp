#include "SettingsTab.h"

#include "Dive.h"
#include "DiveInfoRules.h"
#include "FormLocalizer.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "Settings.h"
#include "SmartCheckBox.h"
#include "TabFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using TabFields::caption;
using TabFields::setField;
using TabFields::value;

SettingsTab::SettingsTab(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("frameSettings"));
    setTag(this, QStringLiteral("1403"));

    lbl_Program = caption("lbl_Program", "1430", this);
    lblProgram = value("lblProgram", this);
    lbl_PersonalFactor = caption("lbl_PersonalFactor", "1445", this);
    lblPersonalFactor = value("lblPersonalFactor", this);
    lbl_Water = caption("lbl_Water", "1431", this);
    lblWater = value("lblWater", this);
    lbl_Mode = caption("lbl_Mode", "1432", this);
    lblMode = value("lblMode", this);
    scbUncontrolledAscentSet = TabFields::flag("scbUncontrolledAscentSet", "1444", this);
    scbSoundAlarmSet = TabFields::flag("scbSoundAlarmSet", "1462", this);

    frameSettingsNitrox = new QGroupBox(QStringLiteral("Nitrox"), this);
    frameSettingsNitrox->setObjectName(QStringLiteral("frameSettingsNitrox"));
    lbl_Mixture = caption("lbl_Mixture", "1433", frameSettingsNitrox);
    lblMixture = value("lblMixture", frameSettingsNitrox);
    lbl_PPO2 = caption("lbl_PPO2", "1434", frameSettingsNitrox);
    lblPPO2 = value("lblPPO2", frameSettingsNitrox);

    frameSettingsAir = new QGroupBox(QStringLiteral("Tank Set"), this);
    frameSettingsAir->setObjectName(QStringLiteral("frameSettingsAir"));
    lbl_Reserve50 = caption("lbl_Reserve50", "1435", frameSettingsAir);
    lblReserve50 = value("lblReserve50", frameSettingsAir);
    scbReserve100Alarm = TabFields::flag("scbReserve100Alarm", "1436", frameSettingsAir);
    lbl_Reserve100 = caption("lbl_Reserve100", "1437", frameSettingsAir);
    lblReserve100 = value("lblReserve100", frameSettingsAir);
    lbl_MeasureUnit = caption("lbl_MeasureUnit", "1438", frameSettingsAir);
    lblMeasureUnit = value("lblMeasureUnit", frameSettingsAir);
    lbl_TankVolume = caption("lbl_TankVolume", "1439", frameSettingsAir);
    lblTankVolume = value("lblTankVolume", frameSettingsAir);
    lbl_TankPressure = caption("lbl_TankPressure", "1440", frameSettingsAir);
    lblTankPressure = value("lblTankPressure", frameSettingsAir);

    auto* general = new QGridLayout;
    general->setColumnStretch(1, 1);
    TabFields::addRow(general, lbl_Program, lblProgram);
    TabFields::addRow(general, lbl_PersonalFactor, lblPersonalFactor);
    TabFields::addRow(general, lbl_Water, lblWater);
    TabFields::addRow(general, lbl_Mode, lblMode);
    general->addWidget(scbUncontrolledAscentSet, general->rowCount(), 0, 1, 2);
    general->addWidget(scbSoundAlarmSet, general->rowCount(), 0, 1, 2);

    auto* nitrox = new QGridLayout(frameSettingsNitrox);
    nitrox->setColumnStretch(1, 1);
    TabFields::addRow(nitrox, lbl_Mixture, lblMixture);
    TabFields::addRow(nitrox, lbl_PPO2, lblPPO2);

    auto* air = new QGridLayout(frameSettingsAir);
    air->setColumnStretch(1, 1);
    TabFields::addRow(air, lbl_Reserve50, lblReserve50);
    air->addWidget(scbReserve100Alarm, air->rowCount(), 0, 1, 2);
    TabFields::addRow(air, lbl_Reserve100, lblReserve100);
    TabFields::addRow(air, lbl_MeasureUnit, lblMeasureUnit);
    TabFields::addRow(air, lbl_TankVolume, lblTankVolume);
    TabFields::addRow(air, lbl_TankPressure, lblTankPressure);

    auto* left = new QVBoxLayout;
    left->addLayout(general);
    left->addWidget(frameSettingsNitrox);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(frameSettingsAir);
    right->addStretch();
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    localizeForm(this);
    setTitle(getString(1403)); // a window localises its own caption only as a child
}

void SettingsTab::fill(const Dive* dive) {
    if (!dive)
        return;
    const Settings& settings = Settings::instance();
    const Internationalization& units = Internationalization::instance();

    lblProgram->setText(QStringLiteral("P") + num::intToText(dive->getAltitude()));
    lblPersonalFactor->setText(num::intToText(dive->getPersonalFactor()));
    lblWater->setText(dive->isSalt() ? QStringLiteral("Salt") : QStringLiteral("Fresh"));

    const DiveInfoRules::Mode mode = DiveInfoRules::modeOf(*dive);
    lblMode->setText(mode.text);
    enableNitroxControls(mode.nitrox);
    enableAirControls(mode.air);
    enableDecoFlags(mode.freeDive);

    scbUncontrolledAscentSet->setViewMode(dive->getAscentMode() != 0 ? 2 : 0);
    scbSoundAlarmSet->setViewMode(dive->getBuzzer() != 0 ? 2 : 0);

    if (settings.isCurrentDiveComputerAir()) {
        const bool cubicFeet = dive->getVolumeMeasure() == 1;
        const QString volumeUnit = getString(cubicFeet ? 1087 : 1086);
        const QString pressureUnit = getString(cubicFeet ? 1085 : 1084);
        lblMeasureUnit->setText(volumeUnit + u'/' + pressureUnit);
        const auto pressure = [&units](float bar) {
            return TabFields::number(units.getPressureValue(bar)) + u' ' + units.getPressureString();
        };
        lblReserve50->setText(pressure(dive->getReserve50()));
        scbReserve100Alarm->setViewMode(dive->hasReserve100Alarm() ? 2 : 0);
        lblReserve100->setText(pressure(dive->getReserve100()));
        if (cubicFeet) {
            lblTankVolume->setText(TabFields::number(num::roundHalfEven(dive->getTankVolume(), 1)) + u' ' + volumeUnit);
            setField(lbl_TankPressure, lblTankPressure, true);
            lblTankPressure->setText(TabFields::number(dive->getTankPressure()) + u' ' + pressureUnit);
        } else {
            // Litres are stored in tenths.
            lblTankVolume->setText(TabFields::number(num::roundHalfEven(double(dive->getTankVolume()) / 10.0, 1)) +
                                   u' ' + volumeUnit);
            setField(lbl_TankPressure, lblTankPressure, false);
        }
    }

    if (dive->isNitrox()) {
        lblMixture->setText(num::intToText(dive->getNitroxMixture()) + QStringLiteral(" %"));
        lblPPO2->setText(TabFields::number(units.getPressureValue(dive->getPPO2())) + u' ' + units.getPressureString());
    }
}

void SettingsTab::enableNitroxControls(bool flag) {
    scbUncontrolledAscentSet->setEnabled(true);
    frameSettingsNitrox->setEnabled(flag);
    setField(lbl_Mixture, lblMixture, flag);
    setField(lbl_PPO2, lblPPO2, flag);
}

void SettingsTab::enableAirControls(bool flag) {
    flag = DiveInfoRules::tankFieldsOn(flag, Settings::instance().currentDiveComputer());
    scbUncontrolledAscentSet->setEnabled(true);
    frameSettingsAir->setEnabled(flag);
    setField(lbl_Reserve50, lblReserve50, flag);
    setField(lbl_Reserve100, lblReserve100, flag);
    setField(lbl_MeasureUnit, lblMeasureUnit, flag);
    setField(lbl_TankVolume, lblTankVolume, flag);
    setField(lbl_TankPressure, lblTankPressure, flag);
    scbReserve100Alarm->setEnabled(flag);
}

void SettingsTab::enableDecoFlags(bool flag) {
    scbUncontrolledAscentSet->setEnabled(
        DiveInfoRules::decoFlagsEnabled(flag, Settings::instance().currentDiveComputer()));
}
