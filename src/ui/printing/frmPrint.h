#pragma once

#include <QDialog>
#include <memory>

class PrinterManager;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Where every print or preview starts. Shown by the main window's print command, the user chooses
// the dives, the kind of page and the printer, and the dialog builds the job itself; windows that
// hold a job of their own hand it to doPreview or doPrinter on a dialog they do not show.
class frmPrint : public QDialog {
    Q_OBJECT
public:
    explicit frmPrint(QWidget* parent = nullptr);

    static constexpr qint16 TARGET_PREVIEW = 0;
    static constexpr qint16 TARGET_PRINTER = 1;

    // The profile page of a caller's job, or of the current dive when none is given.
    void doPreview(std::shared_ptr<PrinterManager> currentPM);
    void doPrinter(std::shared_ptr<PrinterManager> currentPM);

    void optCurrentDive_Click();
    void optAllDives_Click();
    void optFilteredDives_Click();
    void optProfileData_Click();
    void optProfile_Click();
    void optStatistics_Click();
    void Combo1_Click();
    void Command3_Click();
    void cmdPrint_Click();
    void cmdPreview_Click();
    void cmdClose_Click();

    QLabel* lbl_Title;
    QLabel* imgPrinter;
    QGroupBox* Frame2;
    QRadioButton* optCurrentDive;
    QRadioButton* optAllDives;
    QRadioButton* optFilteredDives;
    QGroupBox* frame;
    QRadioButton* optProfileData;
    QRadioButton* optProfile;
    QRadioButton* optStatistics;
    QLabel* lblPrinter;
    QComboBox* Combo1;
    QPushButton* Command3;
    QPushButton* cmdPrint;
    QPushButton* cmdPreview;
    QPushButton* cmdClose;

private:
    void buildControls();
    void make(qint16 target, std::shared_ptr<PrinterManager> currentPM);
    std::shared_ptr<PrinterManager> loadDefaultPrinterManager();
    void select(QRadioButton* option);
};
