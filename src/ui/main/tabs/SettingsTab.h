#pragma once

#include <QGroupBox>

class Dive;
class QLabel;
class SmartCheckBox;

// The Settings tab of the dive tabs: the settings the dive computer dived with (altitude program,
// personal factor, water, mode, alarms, nitrox and tank settings), read-only, filled from the dive
// each time the tab is shown. A set option shows a dot.
//
// Fields come in pairs, a caption label `lbl_X` and a value label `lblX`: a field switched off greys
// its caption and hides its value.
class SettingsTab : public QGroupBox {
    Q_OBJECT
public:
    explicit SettingsTab(QWidget* parent = nullptr);

    // Shows the dive; nothing without one. Reads the model in use and the unit system.
    void fill(const Dive* dive);

    // The three switches, run by fill in this order; the window's refresh runs the tank one too.
    void enableNitroxControls(bool flag);
    void enableAirControls(bool flag);
    // `flag` is true for a free-dive series, whose deco and ascent boxes are greyed.
    void enableDecoFlags(bool flag);

    QLabel* lbl_Program;
    QLabel* lblProgram;
    QLabel* lbl_PersonalFactor;
    QLabel* lblPersonalFactor;
    QLabel* lbl_Water;
    QLabel* lblWater;
    QLabel* lbl_Mode;
    QLabel* lblMode;
    SmartCheckBox* scbUncontrolledAscentSet;
    SmartCheckBox* scbSoundAlarmSet;

    QGroupBox* frameSettingsNitrox;
    QLabel* lbl_Mixture;
    QLabel* lblMixture;
    QLabel* lbl_PPO2;
    QLabel* lblPPO2;

    QGroupBox* frameSettingsAir;
    QLabel* lbl_Reserve50;
    QLabel* lblReserve50;
    SmartCheckBox* scbReserve100Alarm;
    QLabel* lbl_Reserve100;
    QLabel* lblReserve100;
    QLabel* lbl_MeasureUnit;
    QLabel* lblMeasureUnit;
    QLabel* lbl_TankVolume;
    QLabel* lblTankVolume;
    QLabel* lbl_TankPressure;
    QLabel* lblTankPressure;
};
