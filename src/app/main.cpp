#include "DiveComputerDisplayFactory.h"
#include "HeapPolicy.h"
#include "InterfaceLibraries.h"
#include "QtSeams.h"
#include "QtTranslations.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "StartUp.h"
#include "StartupTiming.h"
#include "StatisticsPrinting.h"
#include "frmDownloadConfirmDialog.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    StartupTiming timing;
    HeapPolicy::keepFreedMemory();
    QApplication app(argc, argv);
    timing.mark("application");
    QApplication::setApplicationName(QStringLiteral("S.O.N.A 2"));
    installQtSeams();
    InterfaceLibraries::installEmulated();
    frmDownloadConfirmDialog::install();
    installDiveComputerDisplays();
    StatisticsPrinting::install();

    // The factory runs once the splash is up and the checks are done.
    setMainWindowFactory([&timing] {
        timing.mark("splash-and-checks");
        auto* window = new frmMain;
        timing.mark("main-window-loaded");
        return window;
    });

    int exitCode = 0;
    try {
        // Before the first window, so that every standard button speaks the user's language.
        QtTranslations::install(Settings::instance().currentLanguage());
        if (Main()) {
            timing.mark("shown");
            timing.watchFirstPaint(mainWindow());
            exitCode = app.exec();
        }
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
