#pragma once

#include <QGroupBox>
#include <QMap>

class Dive;
class QLabel;
class SmartCheckBox;

// The Technical tab of the dive tabs: what the dive computer recorded of the dive (time, depth,
// temperature, ascent rate, warning flags, CNS and oxygen partial pressure checks, tank pressures,
// breathing rate), read-only, filled from the dive each time the tab is shown. A recorded flag
// shows a check mark.
//
// Fields come in pairs, a caption label `lbl_X` and a value label `lblX`: a field switched off greys
// its caption and hides its value.
class TechnicalTab : public QGroupBox {
    Q_OBJECT
public:
    explicit TechnicalTab(QWidget* parent = nullptr);

    // Shows the dive; nothing without one. Reads the model in use and the unit system.
    void fill(const Dive* dive);

    // The three switches, run by fill in this order; the window's refresh runs the tank one too.
    void enableNitroxControls(bool flag);
    void enableAirControls(bool flag);
    // `flag` is true for a free-dive series, whose deco and ascent boxes are greyed.
    void enableDecoFlags(bool flag);

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
};
