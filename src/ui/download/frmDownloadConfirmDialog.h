#pragma once

#include "DownloadConfirmDialog.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The window in which the user confirms that the dive computer sits ready on the interface unit:
// the serial port in use, what to do with the device and a picture of the current model in the
// unit. Creating it loads it; showModal() shows it until OK, Cancel or its close box.
class frmDownloadConfirmDialog : public QDialog, public DownloadConfirmDialog {
    Q_OBJECT
public:
    explicit frmDownloadConfirmDialog(QWidget* parent = nullptr);

    // Makes the download drivers ask through this window, over the window that is modal at the time.
    static void install();

    void showModal() override;
    bool isOk() const override { return okPressed; }

    void OKButton_Click();
    void CancelButton_Click();

    QFrame* Shape1;
    QFrame* Shape2;
    QLabel* lblTitle;
    QLabel* lblTitle1;
    QLabel* Image1;
    QLabel* imageZento;
    QLabel* imageLumo;
    QLabel* imageTavex;
    QLabel* imageKobi;
    QPushButton* OKButton;
    QPushButton* CancelButton;

private:
    bool okPressed = false;
};
