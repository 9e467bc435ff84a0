#include "SettingsTab.h"

#include "Dive.h"
#include "MainModule.h"
#include "Numeric.h"
#include "Settings.h"
#include "SmartCheckBox.h"
#include "TabFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using TabFields::addField;
using TabFields::addFlag;
using TabFields::setField;

SettingsTab::SettingsTab(QWidget* parent) : DiveInfoTab("frameSettings", 1403, parent) {
    QGridLayout* general = TabFields::grid();
    addField(general, lbl_Program, lblProgram, "Program", "1430", this);
    addField(general, lbl_PersonalFactor, lblPersonalFactor, "PersonalFactor", "1445", this);
    addField(general, lbl_Water, lblWater, "Water", "1431", this);
    addField(general, lbl_Mode, lblMode, "Mode", "1432", this);
    scbUncontrolledAscentSet = addFlag(general, "scbUncontrolledAscentSet", "1444", this);
    scbSoundAlarmSet = addFlag(general, "scbSoundAlarmSet", "1462", this);

    frameSettingsNitrox = addFrame("frameSettingsNitrox", QStringLiteral("Nitrox"));
    QGridLayout* nitrox = TabFields::grid(frameSettingsNitrox);
    addField(nitrox, lbl_Mixture, lblMixture, "Mixture", "1433", frameSettingsNitrox);
    addField(nitrox, lbl_PPO2, lblPPO2, "PPO2", "1434", frameSettingsNitrox);

    frameSettingsAir = addFrame("frameSettingsAir", QStringLiteral("Tank Set"));
    QGridLayout* air = TabFields::grid(frameSettingsAir);
    addField(air, lbl_Reserve50, lblReserve50, "Reserve50", "1435", frameSettingsAir);
    scbReserve100Alarm = addFlag(air, "scbReserve100Alarm", "1436", frameSettingsAir);
    addField(air, lbl_Reserve100, lblReserve100, "Reserve100", "1437", frameSettingsAir);
    addField(air, lbl_MeasureUnit, lblMeasureUnit, "MeasureUnit", "1438", frameSettingsAir);
    addField(air, lbl_TankVolume, lblTankVolume, "TankVolume", "1439", frameSettingsAir);
    addField(air, lbl_TankPressure, lblTankPressure, "TankPressure", "1440", frameSettingsAir);

    auto* left = new QVBoxLayout;
    left->addLayout(general);
    left->addWidget(frameSettingsNitrox);
    auto* right = new QVBoxLayout;
    right->addWidget(frameSettingsAir);
    arrange(left, right);
}

void SettingsTab::showDive(const Dive& dive) {
    lblProgram->setText(QStringLiteral("P") + num::intToText(dive.getAltitude()));
    lblPersonalFactor->setText(num::intToText(dive.getPersonalFactor()));
    lblWater->setText(dive.isSalt() ? QStringLiteral("Salt") : QStringLiteral("Fresh"));

    lblMode->setText(switchFor(dive));

    scbUncontrolledAscentSet->setViewMode(dive.getAscentMode() != 0 ? 2 : 0);
    scbSoundAlarmSet->setViewMode(dive.getBuzzer() != 0 ? 2 : 0);

    if (Settings::instance().isCurrentDiveComputerAir()) {
        const bool cubicFeet = dive.getVolumeMeasure() == 1;
        const QString volumeUnit = TabFields::volumeUnit(dive);
        const QString pressureUnit = getString(cubicFeet ? 1085 : 1084);
        lblMeasureUnit->setText(volumeUnit + u'/' + pressureUnit);
        lblReserve50->setText(TabFields::pressure(dive.getReserve50()));
        scbReserve100Alarm->setViewMode(dive.hasReserve100Alarm() ? 2 : 0);
        lblReserve100->setText(TabFields::pressure(dive.getReserve100()));
        if (cubicFeet) {
            lblTankVolume->setText(TabFields::number(num::roundHalfEven(dive.getTankVolume(), 1)) + u' ' + volumeUnit);
            setField(lbl_TankPressure, lblTankPressure, true);
            lblTankPressure->setText(TabFields::number(dive.getTankPressure()) + u' ' + pressureUnit);
        } else {
            // Litres are stored in tenths.
            lblTankVolume->setText(TabFields::number(num::roundHalfEven(double(dive.getTankVolume()) / 10.0, 1)) +
                                   u' ' + volumeUnit);
            setField(lbl_TankPressure, lblTankPressure, false);
        }
    }

    if (dive.isNitrox()) {
        lblMixture->setText(num::intToText(dive.getNitroxMixture()) + QStringLiteral(" %"));
        lblPPO2->setText(TabFields::pressure(dive.getPPO2()));
    }
}

void SettingsTab::enableNitroxControls(bool flag) {
    scbUncontrolledAscentSet->setEnabled(true);
    frameSettingsNitrox->setEnabled(flag);
    setField(lbl_Mixture, lblMixture, flag);
    setField(lbl_PPO2, lblPPO2, flag);
}

void SettingsTab::showAirFields(bool on) {
    scbUncontrolledAscentSet->setEnabled(true);
    frameSettingsAir->setEnabled(on);
    setField(lbl_Reserve50, lblReserve50, on);
    setField(lbl_Reserve100, lblReserve100, on);
    setField(lbl_MeasureUnit, lblMeasureUnit, on);
    setField(lbl_TankVolume, lblTankVolume, on);
    setField(lbl_TankPressure, lblTankPressure, on);
    scbReserve100Alarm->setEnabled(on);
}

void SettingsTab::enableDecoBoxes(bool enabled) {
    scbUncontrolledAscentSet->setEnabled(enabled);
}
