#pragma once

#include "DiveInfoTab.h"

class QLabel;
class SmartCheckBox;

// The Settings tab of the dive tabs: the settings the dive computer dived with (altitude program,
// personal factor, water, mode, alarms, nitrox and tank settings). A set option shows a dot.
class SettingsTab : public DiveInfoTab {
    Q_OBJECT
public:
    explicit SettingsTab(QWidget* parent = nullptr);

    void enableNitroxControls(bool flag) override;

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

protected:
    void showDive(const Dive& dive) override;
    void showAirFields(bool on) override;
    void enableDecoBoxes(bool enabled) override;
};
