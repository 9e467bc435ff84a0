#pragma once

#include <QDialog>
#include <memory>

class PrinterManager;
class QLabel;

// The small window that stands while a job runs on the printer. It starts the job once each time it
// is shown, and closes itself when the job reports its end, after telling the user when it failed.
// The caller sets `pm` and runs exec().
class frmPrintMonitor : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintMonitor(QWidget* parent = nullptr);

    std::shared_ptr<PrinterManager> pm;

    // Runs the job on the program's printer; without a job, says so and closes.
    void Form_Activate();
    void pm_printerWorkTerminate(bool done);

    QLabel* animFogliettoVolante;
    QLabel* Label1;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool m_started = false;
};
