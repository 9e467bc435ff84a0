#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The program's version, the versions of the three interface libraries, the description and the
// legal notice; starts the system-information tool on request. The opener shows it with exec()
// and deletes it; OK closes it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Starts the system-information tool, or tells the user that it cannot.
    void StartSysInfo();

    void cmdSysInfo_Click();
    void cmdOk_Click();

    QLabel* Image1;
    QLabel* lblVersion;
    QLabel* lblDllVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QFrame* Line1;
    QFrame* Line2;
    QPushButton* cmdSysInfo;
    QPushButton* cmdOk;
};
