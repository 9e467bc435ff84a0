#pragma once

#include <QDialog>
#include <memory>

class Dive;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

// The gas and altitude parameters of the simulated dive. It shows the dive's values when given the
// dive and writes them back only on OK; Cancel and the close box leave the dive as it was.
class frmSimulatorSettings : public QDialog {
    Q_OBJECT

public:
    explicit frmSimulatorSettings(QWidget* parent = nullptr);

    bool isOk = false;

    void addDive(std::shared_ptr<Dive> dive);
    std::shared_ptr<Dive> getCurrentDive() const { return m_dive; }

    void cmdOk_Click();
    void cmdCancel_Click();
    void optionAir_Click();
    void optionNitrox_Click();

    QLabel* lblTitle;
    QGroupBox* Frame1;
    QRadioButton* optionAir;
    QRadioButton* optionNitrox;
    QGroupBox* Frame2;
    QRadioButton* optionP[4];
    QGroupBox* Frame3;
    QSlider* sliderPercO2;
    QLabel* lblPercO2;
    QGroupBox* Frame4;
    QComboBox* cmbPPO2Max;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void setNitroxEnabled(bool enabled);

    std::shared_ptr<Dive> m_dive;
};
