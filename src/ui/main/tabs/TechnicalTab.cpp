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

using TabFields::caption;
using TabFields::flag;
using TabFields::setField;
using TabFields::value;

namespace {
qint16 mark(bool on) {
    return on ? 1 : 0;
}
} // namespace

TechnicalTab::TechnicalTab(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("frameTechnicalInfo"));
    setTag(this, QStringLiteral("1404"));

    lbl_DiveTime = caption("lbl_DiveTime", "1450", this);
    lblDiveTime = value("lblDiveTime", this);
    lbl_MaxDepth = caption("lbl_MaxDepth", "1451", this);
    lblMaxDepth = value("lblMaxDepth", this);
    lbl_MinTemp = caption("lbl_MinTemp", "1452", this);
    lblMinTemp = value("lblMinTemp", this);
    lbl_MaxAscentRate = caption("lbl_MaxAscentRate", "1455", this);
    lblMaxAscentRate = value("lblMaxAscentRate", this);
    scbProfile = flag("scbProfile", "1453", this);
    scbStop = flag("scbStop", "1454", this);
    scbViolationDecoStop = flag("scbViolationDecoStop", "1456", this);
    scbDecoDive = flag("scbDecoDive", "1203", this);
    scbDecoStopFlag = flag("scbDecoStopFlag", "1200", this);
    scbUncontrolledAscent = flag("scbUncontrolledAscent", "1201", this);

    frameTechnicalNitrox = new QGroupBox(QStringLiteral("Nitrox"), this);
    frameTechnicalNitrox->setObjectName(QStringLiteral("frameTechnicalNitrox"));
    scbViolationCNS = flag("scbViolationCNS", "1466", frameTechnicalNitrox);
    scbViolationPPO2 = flag("scbViolationPPO2", "1467", frameTechnicalNitrox);
    lbl_StartCNS = caption("lbl_StartCNS", "1468", frameTechnicalNitrox);
    lblStartCNS = value("lblStartCNS", frameTechnicalNitrox);
    lbl_MaxCNS = caption("lbl_MaxCNS", "1457", frameTechnicalNitrox);
    lblMaxCNS = value("lblMaxCNS", frameTechnicalNitrox);

    frameTechnicalInfoAir = new QGroupBox(QStringLiteral("Tank Control"), this);
    frameTechnicalInfoAir->setObjectName(QStringLiteral("frameTechnicalInfoAir"));
    lbl_StartTankPressure = caption("lbl_StartTankPressure", "1458", frameTechnicalInfoAir);
    lblStartTankPressure = value("lblStartTankPressure", frameTechnicalInfoAir);
    lbl_StopTankPressure = caption("lbl_StopTankPressure", "1459", frameTechnicalInfoAir);
    lblStopTankPressure = value("lblStopTankPressure", frameTechnicalInfoAir);
    lbl_AverageConsuption = caption("lbl_AverageConsuption", "1460", frameTechnicalInfoAir);
    lblAverageConsuption = value("lblAverageConsuption", frameTechnicalInfoAir);

    frameErrors = new QGroupBox(this);
    frameErrors->setObjectName(QStringLiteral("frameErrors"));
    setTag(frameErrors, QStringLiteral("1463"));
    auto* errors = new QVBoxLayout(frameErrors);
    for (const auto& [index, number] : {QPair{5, "1205"}, QPair{6, "1206"}, QPair{7, "1207"}}) {
        const QByteArray name = "scbUBAErrors_" + QByteArray::number(index);
        SmartCheckBox* box = flag(name.constData(), number, frameErrors);
        scbUBAErrors.insert(index, box);
        errors->addWidget(box);
    }

    auto* general = new QGridLayout;
    general->setColumnStretch(1, 1);
    TabFields::addRow(general, lbl_DiveTime, lblDiveTime);
    TabFields::addRow(general, lbl_MaxDepth, lblMaxDepth);
    TabFields::addRow(general, lbl_MinTemp, lblMinTemp);
    TabFields::addRow(general, lbl_MaxAscentRate, lblMaxAscentRate);
    for (SmartCheckBox* box :
         {scbProfile, scbStop, scbViolationDecoStop, scbDecoDive, scbDecoStopFlag, scbUncontrolledAscent})
        general->addWidget(box, general->rowCount(), 0, 1, 2);

    auto* nitrox = new QGridLayout(frameTechnicalNitrox);
    nitrox->setColumnStretch(1, 1);
    nitrox->addWidget(scbViolationCNS, 0, 0, 1, 2);
    nitrox->addWidget(scbViolationPPO2, 1, 0, 1, 2);
    TabFields::addRow(nitrox, lbl_StartCNS, lblStartCNS);
    TabFields::addRow(nitrox, lbl_MaxCNS, lblMaxCNS);

    auto* air = new QGridLayout(frameTechnicalInfoAir);
    air->setColumnStretch(1, 1);
    TabFields::addRow(air, lbl_StartTankPressure, lblStartTankPressure);
    TabFields::addRow(air, lbl_StopTankPressure, lblStopTankPressure);
    TabFields::addRow(air, lbl_AverageConsuption, lblAverageConsuption);

    auto* left = new QVBoxLayout;
    left->addLayout(general);
    left->addStretch();
    // The errors' captions are the longest: they go where the short value labels leave room.
    auto* right = new QVBoxLayout;
    right->addWidget(frameTechnicalNitrox);
    right->addWidget(frameTechnicalInfoAir);
    right->addWidget(frameErrors);
    right->addStretch();
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    localizeForm(this);
    setTitle(getString(1404)); // a window localises its own caption only as a child
}

void TechnicalTab::fill(const Dive* dive) {
    if (!dive)
        return;
    const Internationalization& units = Internationalization::instance();

    if (dive->isFreeDive()) {
        // A free-dive series counts dives where other dives count minutes.
        lblDiveTime->setText(num::intToText(dive->getDiveTime()));
        lbl_DiveTime->setText(getString(1968));
    } else {
        lblDiveTime->setText(num::intToText(dive->getDiveTime()) + QStringLiteral(" min."));
        lbl_DiveTime->setText(getString(num::textToInt32(tagOf(lbl_DiveTime))));
    }
    lblMaxDepth->setText(TabFields::number(units.getDepthValue(dive->getMaxDepth())) + u' ' + units.getDepthString());
    lblMinTemp->setText(TabFields::number(units.getTemperatureValue(dive->getMinTemperature())) + u' ' +
                        units.getTemperatureString());

    scbStop->setViewMode(mark(dive->hasStop()));
    lblMaxAscentRate->setText(dive->getMaxAscentRate());
    scbViolationDecoStop->setViewMode(mark(dive->hasViolationDecoStop()));
    scbDecoDive->setViewMode(mark(dive->isDeco()));
    scbDecoStopFlag->setViewMode(mark(dive->getDecoStop() != 0));
    scbUncontrolledAscent->setViewMode(mark(dive->getAscent() != 0));
    scbProfile->setViewMode(dive->hasSamples() ? 2 : 0);

    const DiveInfoRules::Mode mode = DiveInfoRules::modeOf(*dive);
    enableNitroxControls(mode.nitrox);
    enableAirControls(mode.air);
    enableDecoFlags(mode.freeDive);

    if (dive->isNitrox()) {
        lblStartCNS->setText(TabFields::number(dive->getStartCNS()) + QStringLiteral(" %"));
        lblMaxCNS->setText(TabFields::number(dive->getMaxCNS()) + QStringLiteral(" %"));
        scbViolationCNS->setViewMode(mark(DiveInfoRules::cnsViolation(dive->getMaxCNS())));
        scbViolationPPO2->setViewMode(
            mark(DiveInfoRules::ppo2Violation(dive->getMaxDepth(), dive->getNitroxMixture(), dive->getPPO2())));
    } else {
        scbViolationCNS->setViewMode(0);
        scbViolationPPO2->setViewMode(0);
    }

    if (Settings::instance().isCurrentDiveComputerAir()) {
        const QString volumeUnit = getString(dive->getVolumeMeasure() == 1 ? 1087 : 1086);
        const auto pressure = [&units](float bar) {
            return TabFields::number(units.getPressureValue(bar)) + u' ' + units.getPressureString();
        };
        lblStartTankPressure->setText(pressure(dive->getStartTankPressure()));
        lblStopTankPressure->setText(pressure(dive->getStopTankPressure()));
        lblAverageConsuption->setText(TabFields::number(dive->getTankUse()) + u' ' + volumeUnit +
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

void TechnicalTab::enableAirControls(bool flag) {
    flag = DiveInfoRules::tankFieldsOn(flag, Settings::instance().currentDiveComputer());
    frameTechnicalInfoAir->setEnabled(flag);
    setField(lbl_StartTankPressure, lblStartTankPressure, flag);
    setField(lbl_StopTankPressure, lblStopTankPressure, flag);
    setField(lbl_AverageConsuption, lblAverageConsuption, flag);
}

void TechnicalTab::enableDecoFlags(bool flag) {
    const bool enabled = DiveInfoRules::decoFlagsEnabled(flag, Settings::instance().currentDiveComputer());
    for (SmartCheckBox* box : {scbViolationDecoStop, scbDecoDive, scbDecoStopFlag, scbUncontrolledAscent})
        box->setEnabled(enabled);
}
