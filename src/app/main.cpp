#include "DiveComputerDisplayFactory.h"
#include "HeapPolicy.h"
#include "InterfaceLibraries.h"
#include "QtSeams.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "StartUp.h"
#include "StatisticsPrinting.h"
#include "frmDownloadConfirmDialog.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    HeapPolicy::keepFreedMemory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("S.O.N.A 2"));
    installQtSeams();
    InterfaceLibraries::installEmulated();
    frmDownloadConfirmDialog::install();
    installDiveComputerDisplays();
    StatisticsPrinting::install();

    setMainWindowFactory([] { return new frmMain; });

    int exitCode = 0;
    try {
        if (Main())
            exitCode = app.exec();
    } catch (const std::exception& error) {
        const ErrorDescription failure = describe(error);
        const QString number = failure.number ? QStringLiteral("[%1] ").arg(*failure.number) : QString();
        Seams::message().show(QStringLiteral("[Main] Start-up failed.\n") + number + failure.description,
                              Msg::OkOnly | Msg::Critical, QString());
        exitCode = 1;
    }

    // Whatever is still loaded when the loop ends (a close the system started) goes the same way.
    unloadAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
