#include "TechnicalTab.h"

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

using TabFields::addField;
using TabFields::addFlag;
using TabFields::flag;
using TabFields::setField;

namespace {
qint16 mark(bool on) {
    return on ? 1 : 0;
}
} // namespace

TechnicalTab::TechnicalTab(QWidget* parent) : DiveInfoTab("frameTechnicalInfo", 1404, parent) {
    QGridLayout* general = TabFields::grid();
    addField(general, lbl_DiveTime, lblDiveTime, "DiveTime", "1450", this);
    addField(general, lbl_MaxDepth, lblMaxDepth, "MaxDepth", "1451", this);
    addField(general, lbl_MinTemp, lblMinTemp, "MinTemp", "1452", this);
    addField(general, lbl_MaxAscentRate, lblMaxAscentRate, "MaxAscentRate", "1455", this);
    scbProfile = addFlag(general, "scbProfile", "1453", this);
    scbStop = addFlag(general, "scbStop", "1454", this);
    scbViolationDecoStop = addFlag(general, "scbViolationDecoStop", "1456", this);
    scbDecoDive = addFlag(general, "scbDecoDive", "1203", this);
    scbDecoStopFlag = addFlag(general, "scbDecoStopFlag", "1200", this);
    scbUncontrolledAscent = addFlag(general, "scbUncontrolledAscent", "1201", this);

    frameTechnicalNitrox = addFrame("frameTechnicalNitrox", QStringLiteral("Nitrox"));
    QGridLayout* nitrox = TabFields::grid(frameTechnicalNitrox);
    scbViolationCNS = flag("scbViolationCNS", "1466", frameTechnicalNitrox);
    scbViolationPPO2 = flag("scbViolationPPO2", "1467", frameTechnicalNitrox);
    nitrox->addWidget(scbViolationCNS, 0, 0, 1, 2);
    nitrox->addWidget(scbViolationPPO2, 1, 0, 1, 2);
    addField(nitrox, lbl_StartCNS, lblStartCNS, "StartCNS", "1468", frameTechnicalNitrox);
    addField(nitrox, lbl_MaxCNS, lblMaxCNS, "MaxCNS", "1457", frameTechnicalNitrox);

    frameTechnicalInfoAir = addFrame("frameTechnicalInfoAir", QStringLiteral("Tank Control"));
    QGridLayout* air = TabFields::grid(frameTechnicalInfoAir);
    addField(air, lbl_StartTankPressure, lblStartTankPressure, "StartTankPressure", "1458", frameTechnicalInfoAir);
    addField(air, lbl_StopTankPressure, lblStopTankPressure, "StopTankPressure", "1459", frameTechnicalInfoAir);
    addField(air, lbl_AverageConsuption, lblAverageConsuption, "AverageConsuption", "1460", frameTechnicalInfoAir);

    frameErrors = addFrame("frameErrors", QString());
    setTag(frameErrors, QStringLiteral("1463"));
    auto* errors = new QVBoxLayout(frameErrors);
    for (const auto& [index, number] : {QPair{5, "1205"}, QPair{6, "1206"}, QPair{7, "1207"}}) {
        const QByteArray name = "scbUBAErrors_" + QByteArray::number(index);
        SmartCheckBox* box = flag(name.constData(), number, frameErrors);
        scbUBAErrors.insert(index, box);
        errors->addWidget(box);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(general);
    // The errors' captions are the longest: they go where the short value labels leave room.
    auto* right = new QVBoxLayout;
    right->addWidget(frameTechnicalNitrox);
    right->addWidget(frameTechnicalInfoAir);
    right->addWidget(frameErrors);
    arrange(left, right);
}

void TechnicalTab::showDive(const Dive& dive) {
    const Internationalization& units = Internationalization::instance();

    if (dive.isFreeDive()) {
        // A free-dive series counts dives where other dives count minutes.
        lblDiveTime->setText(num::intToText(dive.getDiveTime()));
        lbl_DiveTime->setText(getString(1968));
    } else {
        lblDiveTime->setText(num::intToText(dive.getDiveTime()) + QStringLiteral(" min."));
        lbl_DiveTime->setText(getString(num::textToInt32(tagOf(lbl_DiveTime))));
    }
    lblMaxDepth->setText(TabFields::number(units.getDepthValue(dive.getMaxDepth())) + u' ' + units.getDepthString());
    lblMinTemp->setText(TabFields::number(units.getTemperatureValue(dive.getMinTemperature())) + u' ' +
                        units.getTemperatureString());

    scbStop->setViewMode(mark(dive.hasStop()));
    lblMaxAscentRate->setText(dive.getMaxAscentRate());
    scbViolationDecoStop->setViewMode(mark(dive.hasViolationDecoStop()));
    scbDecoDive->setViewMode(mark(dive.isDeco()));
    scbDecoStopFlag->setViewMode(mark(dive.getDecoStop() != 0));
    scbUncontrolledAscent->setViewMode(mark(dive.getAscent() != 0));
    scbProfile->setViewMode(dive.hasSamples() ? 2 : 0);

    switchFor(dive);

    if (dive.isNitrox()) {
        lblStartCNS->setText(TabFields::number(dive.getStartCNS()) + QStringLiteral(" %"));
        lblMaxCNS->setText(TabFields::number(dive.getMaxCNS()) + QStringLiteral(" %"));
        scbViolationCNS->setViewMode(mark(DiveInfoRules::cnsViolation(dive.getMaxCNS())));
        scbViolationPPO2->setViewMode(
            mark(DiveInfoRules::ppo2Violation(dive.getMaxDepth(), dive.getNitroxMixture(), dive.getPPO2())));
    } else {
        scbViolationCNS->setViewMode(0);
        scbViolationPPO2->setViewMode(0);
    }

    if (Settings::instance().isCurrentDiveComputerAir()) {
        lblStartTankPressure->setText(TabFields::pressure(dive.getStartTankPressure()));
        lblStopTankPressure->setText(TabFields::pressure(dive.getStopTankPressure()));
        lblAverageConsuption->setText(TabFields::number(dive.getTankUse()) + u' ' + TabFields::volumeUnit(dive) +
                                      QStringLiteral("/min"));
    }
}

void TechnicalTab::enableNitroxControls(bool flag) {
    frameTechnicalNitrox->setEnabled(flag);
    setField(lbl_MaxCNS, lblMaxCNS, flag);
    setField(lbl_StartCNS, lblStartCNS, flag);
    scbViolationCNS->setEnabled(flag);
    scbViolationPPO2->setEnabled(flag);
}

void TechnicalTab::showAirFields(bool on) {
    frameTechnicalInfoAir->setEnabled(on);
    setField(lbl_StartTankPressure, lblStartTankPressure, on);
    setField(lbl_StopTankPressure, lblStopTankPressure, on);
    setField(lbl_AverageConsuption, lblAverageConsuption, on);
}

void TechnicalTab::enableDecoBoxes(bool enabled) {
    for (SmartCheckBox* box : {scbViolationDecoStop, scbDecoDive, scbDecoStopFlag, scbUncontrolledAscent})
        box->setEnabled(enabled);
}
