#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The import of the dive database of the maker's earlier logbook program. The window, its file
// choice and its result are there; the import itself is not available, and the main window keeps
// its menu entry disabled. The opener shows it with exec(), reads hadImported and deletes it.
class frmImportDB : public QDialog {
    Q_OBJECT
public:
    explicit frmImportDB(QWidget* parent = nullptr);

    // True when an import took place.
    bool hadImported = false;

    void cmdSearchFile_Click();
    void btnOk_Click();
    void btnCancel_Click();

    QLabel* Image1;
    QLabel* lbl_Title;
    QLabel* lblTitle;
    QLabel* lblSource;
    QLineEdit* txtSource;
    QPushButton* cmdSearchFile;
    QLabel* lblTarget;
    QLineEdit* txtTarget;
    QGroupBox* frameProgress;
    QProgressBar* Gauge1;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    bool importDB();
};
