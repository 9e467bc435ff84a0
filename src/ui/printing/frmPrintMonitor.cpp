#include "frmPrintMonitor.h"

#include "FormLocalizer.h"
#include "MainModule.h"
#include "PrintPictures.h"
#include "PrinterDevice.h"
#include "PrinterManager.h"
#include "Seams.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

frmPrintMonitor::frmPrintMonitor(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPrintMonitor"));
    Forms::add(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(Twips::pixels(4725), Twips::pixels(1320));

    animFogliettoVolante = new QLabel(this);
    animFogliettoVolante->setObjectName(QStringLiteral("animFogliettoVolante"));
    animFogliettoVolante->setFixedSize(64, 64);
    animFogliettoVolante->setPixmap(PrintPictures::flyingPaper(animFogliettoVolante->size()));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    setTag(Label1, QStringLiteral("2016"));
    Label1->setWordWrap(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(animFogliettoVolante);
    layout->addWidget(Label1, 1);

    localizeForm(this);
    centerForm(this);
}

void frmPrintMonitor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once per showing: a window the job opens (the statistics scope question) gives the focus back
    // while the job still runs, and must not start it again.
    if (m_started)
        return;
    m_started = true;
    QTimer::singleShot(0, this, &frmPrintMonitor::Form_Activate);
}

void frmPrintMonitor::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    m_started = false;
}

void frmPrintMonitor::Form_Activate() {
    // The window is painted before the job holds the thread.
    Seams::events().processEvents();
    if (!pm) {
        Seams::message().show(QStringLiteral("[frmPrintMonitor.Form_Activate] PrinterManager not set!"), Msg::OkOnly,
                              QString());
        done(QDialog::Rejected);
        return;
    }
    std::unique_ptr<QPagedPaintDevice> document = Seams::printers().openDocument();
    if (!document) {
        // The user cancelled the choice of the PDF file: nothing to print, nothing to report.
        done(QDialog::Rejected);
        return;
    }
    PrinterDevice printer(std::move(document));
    const auto connection =
        connect(pm.get(), &PrinterManager::printerWorkTerminate, this, &frmPrintMonitor::pm_printerWorkTerminate);
    pm->doPrint(printer);
    disconnect(connection);
}

void frmPrintMonitor::pm_printerWorkTerminate(bool done) {
    if (!done)
        Seams::message().show(getString(2015), Msg::OkOnly | Msg::Critical, getString(1005));
    this->done(done ? QDialog::Accepted : QDialog::Rejected);
}
