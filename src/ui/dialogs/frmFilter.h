#pragma once

#include <QDateTime>
#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The dive filter dialog: a dive type and, optionally, a date range, a depth range, an activity and
// a breathing mix. OK turns the choices into the filter statement and stores it in
// Settings.currentFilter; `isOk` tells the caller whether that happened. A refused entry leaves the
// dialog open with everything as the user left it.
//
// Each showing uses a fresh dialog: the caller creates it, runs exec(), reads `isOk` and deletes it.
class frmFilter : public QDialog {
    Q_OBJECT
public:
    explicit frmFilter(QWidget* parent = nullptr);

    bool isOk = false;

    // The picker's value when it holds a valid dive date; false and `startDate` untouched otherwise.
    bool checkStartDate(QDateTime& startDate) const;
    bool checkStopDate(QDateTime& stopDate) const;

    void chkFrom_Click();
    void chkBetween_Click();
    void chkActivity_Click();
    void chkNitrox_Click();
    void btnOk_Click();
    void btnCancel_Click();

    // Cancel, Escape and the close box all end here.
    void reject() override;

    QLabel* lbl_Title;
    QGroupBox* frameDECO;
    QRadioButton* optAllDives;
    QRadioButton* optInDECO;
    QRadioButton* optNODEC;
    QGroupBox* frameFilter;
    QCheckBox* chkFrom;
    QLabel* lbl_From;
    QDateTimeEdit* startDTPicker;
    QLabel* lbl_To;
    QDateTimeEdit* stopDTPicker;
    std::array<QLabel*, 2> lbl_Format{};
    QCheckBox* chkBetween;
    QLabel* lbl_Between;
    QLineEdit* fldStartDepth;
    QLabel* lbl_And;
    QLineEdit* fldStopDepth;
    std::array<QLabel*, 2> lbl_Depth{};
    QCheckBox* chkActivity;
    QComboBox* cmbActivity;
    QCheckBox* chkNitrox;
    QRadioButton* optNitrox;
    QRadioButton* optAir;
    QRadioButton* optBottomTime;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    void buildControls();
    void connectHandlers();
    // The chosen list item; -1 when none is chosen or the typed text is no item.
    qint32 chosenActivity() const;
};
