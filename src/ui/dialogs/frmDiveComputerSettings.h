#pragma once

#include "dcSettings.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTimeEdit;

// The settings of a dive computer, edited in a record held in memory: nothing is read from or
// sent to a device, the settings store or the logbook. "Set Data" and "Set Date/Time" copy the
// controls into the record; the read buttons and "Close" do nothing, the close box unloads the
// window. Its captions are its own and are not translated. Modeless; deleted when closed.
class frmDiveComputerSettings : public QWidget {
    Q_OBJECT
public:
    explicit frmDiveComputerSettings(QWidget* parent = nullptr);

    // The record being edited, new at every opening.
    dcSettings editedSettings;

    // Shows a record in the controls without changing it; a value that no control can hold is
    // shown as the nearest one that can.
    void showDcSettings(const dcSettings& settings);
    // Copies every control but the dates into the record.
    void storeDcSettings(dcSettings& settings) const;
    // Copies the four date and time pickers into the record, to the second.
    void storeDcDateTime(dcSettings& settings) const;
    // 1 litres and bar, 0 cubic feet and psi: the option, the reserve lists and the sliders' steps.
    void setTankUnit(qint16 unit);

    void btnSetData_Click();
    void btnSetDateTime_Click();

    QLabel* Label1;
    QLabel* Image1;
    QTabWidget* tabMain;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QGroupBox* Frame3;

    QLabel* lblWater;
    QRadioButton* optSalt;
    QRadioButton* optFresh;
    QLabel* lblTemperatureUnit;
    QRadioButton* optC;
    QRadioButton* optF;
    QLabel* lblDepthUnit;
    QRadioButton* otpMT;
    QRadioButton* optFT;
    QLabel* lblBeep;
    QCheckBox* chkBeep;
    QLabel* lblUNCAscent;
    QCheckBox* chkUNCAscent;
    QLabel* lblProgram;
    QComboBox* cmbProgram;

    QLabel* lblMode;
    QComboBox* cmbMode;
    QLabel* lblO2Mix;
    QSlider* sliderO2Mix;
    QLineEdit* txtO2Mix;
    QLabel* lblPPO2Max;
    QComboBox* cmbPPO2Max;

    QLabel* lblTankUnit;
    QRadioButton* optBAR;
    QRadioButton* optPSI;
    QLabel* lblVolume;
    QSlider* sliderVolume;
    QLineEdit* txtVolume;
    QLabel* lblPressure;
    QSlider* sliderPressure;
    QLineEdit* txtPressure;
    QLabel* lblReserveAlarm;
    QCheckBox* chkReserveAlarm;
    QLabel* lbl100Reserve;
    QComboBox* cmb100Reserve;
    QLabel* lbl50Reserve;
    QComboBox* cmb50Reserve;

    QGroupBox* frameDateTime;
    QLabel* lblDateDC;
    QDateEdit* dateDC;
    QTimeEdit* timeDC;
    QLabel* lblDateUser;
    QDateEdit* dateUser;
    QTimeEdit* timeUser;

    QPushButton* btnReadData;
    QPushButton* btnSetData;
    QPushButton* btnReadDateTime;
    QPushButton* btnSetDateTime;
    QPushButton* btnOk;

private:
    void buildControls();
    void connectHandlers();
    void buildGeneralTab();
    void buildGasTab();
    void buildTankTab();
    QGroupBox* buildDateTimeFrame();
    void sliderVolume_Scroll();
};
