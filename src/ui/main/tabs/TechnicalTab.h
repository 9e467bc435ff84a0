#pragma once

#include "DiveInfoTab.h"

#include <QMap>

class QLabel;
class SmartCheckBox;

// The Technical tab of the dive tabs: what the dive computer recorded of the dive (time, depth,
// temperature, ascent rate, warning flags, CNS and oxygen partial pressure checks, tank pressures,
// breathing rate). A recorded flag shows a check mark.
class TechnicalTab : public DiveInfoTab {
    Q_OBJECT
public:
    explicit TechnicalTab(QWidget* parent = nullptr);

    void enableNitroxControls(bool flag) override;

    QLabel* lbl_DiveTime;
    QLabel* lblDiveTime;
    QLabel* lbl_MaxDepth;
    QLabel* lblMaxDepth;
    QLabel* lbl_MinTemp;
    QLabel* lblMinTemp;
    QLabel* lbl_MaxAscentRate;
    QLabel* lblMaxAscentRate;
    SmartCheckBox* scbProfile;
    SmartCheckBox* scbStop;
    SmartCheckBox* scbViolationDecoStop;
    SmartCheckBox* scbDecoDive;
    SmartCheckBox* scbDecoStopFlag;
    SmartCheckBox* scbUncontrolledAscent;

    QGroupBox* frameTechnicalNitrox;
    SmartCheckBox* scbViolationCNS;
    SmartCheckBox* scbViolationPPO2;
    QLabel* lbl_StartCNS;
    QLabel* lblStartCNS;
    QLabel* lbl_MaxCNS;
    QLabel* lblMaxCNS;

    QGroupBox* frameTechnicalInfoAir;
    QLabel* lbl_StartTankPressure;
    QLabel* lblStartTankPressure;
    QLabel* lbl_StopTankPressure;
    QLabel* lblStopTankPressure;
    QLabel* lbl_AverageConsuption;
    QLabel* lblAverageConsuption;

    // Errors no device reports here: they always show empty. Elements 5, 6 and 7.
    QGroupBox* frameErrors;
    QMap<int, SmartCheckBox*> scbUBAErrors;

protected:
    void showDive(const Dive& dive) override;
    void showAirFields(bool on) override;
    void enableDecoBoxes(bool enabled) override;
};
