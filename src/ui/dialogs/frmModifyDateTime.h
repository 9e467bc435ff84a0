#pragma once

#include <QDateTime>
#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;
class QTimeEdit;

// Asks for a new date and time of the selected dive. The caller fills `lbl_CurrentDateTime` and
// both pickers with the dive's date and time, runs exec() and reads `bOk` and `newDateTime`; the
// dialog itself changes nothing.
class frmModifyDateTime : public QDialog {
    Q_OBJECT
public:
    explicit frmModifyDateTime(QWidget* parent = nullptr);

    // True only when the current showing ended with OK.
    bool bOk = false;
    // The date of DTNewDate with the time of day of DTNewTime, seconds included; meaningful only
    // when bOk is true.
    QDateTime newDateTime;

    // A date outside the dive dates is refused with a message and the dialog stays open.
    void OKButton_Click();
    void CancelButton_Click();

    QLabel* imgDateTime;
    QLabel* lbl_Title;
    QLabel* lblCurrentDateTime;
    QLabel* lbl_CurrentDateTime;
    QLabel* lblNewDateTime;
    QDateEdit* DTNewDate;
    QTimeEdit* DTNewTime;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
};
