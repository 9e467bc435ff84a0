#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class DiveDataControl;
class QComboBox;
class QLabel;
class QLineEdit;

// The General tab of the main window: the dive's descriptive entries, each written to the data
// control's current row as it is typed, and the weather, activity and suit lists, each written as
// it is chosen.
class GeneralTab : public QObject {
public:
    struct Controls {
        // The entry fields by their DIVE column.
        QHash<QString, QLineEdit*> fields;
        QComboBox* weather = nullptr;
        QComboBox* activity = nullptr;
        QComboBox* wetsuit = nullptr;
        // The unit beside the air temperature.
        QLabel* temperatureUnit = nullptr;
    };
    GeneralTab(DiveDataControl& data, const Controls& controls);

    // Fills the three lists with their codes' texts.
    void fillCombos();
    // The lists and the temperature unit for the current row.
    void showGeneralInfo();
    // The entries of the current row; read-only when there is none.
    void showBoundFields();

    void cmbActivity_Click();
    void cmbWeather_Click();
    void cmbWetsuit_Click();

private:
    void codedList_Click(QComboBox* list, const char* column);

    DiveDataControl& m_data;
    Controls m_controls;
};
