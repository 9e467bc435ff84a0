#include "InterfaceLibraries.h"
#include "QtSeams.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "StartUp.h"
#include "frmDownloadConfirmDialog.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("S.O.N.A 2"));
    installQtSeams();
    InterfaceLibraries::installEmulated();
    frmDownloadConfirmDialog::install();

    setMainWindowFactory([] { return new frmMain; });

    int exitCode = 0;
    try {
        if (Main())
            exitCode = app.exec();
    } catch (const RuntimeError& error) {
        Seams::message().show(
            QStringLiteral("[Main] Start-up failed.\n[%1] %2").arg(error.number()).arg(error.description()),
            Msg::OkOnly | Msg::Critical, QString());
        exitCode = 1;
    } catch (const std::exception& error) {
        Seams::message().show(QStringLiteral("[Main] Start-up failed.\n%1").arg(QString::fromLocal8Bit(error.what())),
                              Msg::OkOnly | Msg::Critical, QString());
        exitCode = 1;
    }

    // Whatever is still loaded when the loop ends (a close the system started) goes the same way.
    unloadAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
