#include "StartUp.h"

#include "DBVersion.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "Seams.h"
#include "Settings.h"
#include "WindowHelpers.h"
#include "frmSettings.h"
#include "frmSplash.h"

#include <QLabel>
#include <QPointer>
#include <stdexcept>

namespace {
MainWindowFactory g_factory;
QPointer<QWidget> g_mainWindow;

// Marks a window whose deletion is pending, so that a second shutdown does not close it again.
const char* const UNLOADED = "sonaUnloaded";
} // namespace

void setMainWindowFactory(MainWindowFactory factory) {
    g_factory = std::move(factory);
}

QWidget* mainWindow() {
    return g_mainWindow.data();
}

QString startUpCaption() {
    return QStringLiteral("S.O.N.A") + QStringLiteral(" v.") +
           QStringLiteral("%1.%2.%3").arg(SONA_VERSION_MAJOR).arg(SONA_VERSION_MINOR).arg(SONA_VERSION_PATCH);
}

bool Main() {
    if (!g_factory)
        throw std::logic_error("Main: no main window factory set");

    auto* splash = new frmSplash;
    splash->show();
    splash->repaint();
    // The only yield of start-up: the splash paints before the checks, which run without one.
    Seams::events().processEvents();

    if (!checkDiveComputer()) {
        unloadAllForms();
        return false;
    }

    // The main window opens the database: it has to find it upgraded.
    DBVersion::checkDBVersion();

    g_mainWindow = g_factory();
    if (!g_mainWindow)
        throw std::logic_error("Main: the main window factory made no window");
    Forms::add(g_mainWindow);
    splash->close();
    delete splash;
    g_mainWindow->show();
    return true;
}

bool checkDiveComputer() {
    const qint16 code = num::toInt16(Settings::instance().currentDiveComputer());
    if (isValidDiveComputer(code))
        return true;

    frmSettings dialog;
    dialog.setWindowTitle(startUpCaption());
    dialog.setEnabledOnlyA0();
    QFont font = dialog.lbl_Setting->font();
    font.setPointSize(14);
    dialog.lbl_Setting->setFont(font);
    dialog.lbl_Setting->setText(QLatin1Char(' ') + getString(2093));
    dialog.exec();
    return false;
}

void unloadAllForms(QWidget*) {
    QList<QPointer<QWidget>> forms;
    for (QWidget* form : Forms::loaded())
        forms.append(form);
    for (qsizetype i = forms.size() - 1; i >= 0; --i) {
        QWidget* form = forms[i];
        if (!form || form->property(UNLOADED).toBool())
            continue; // went with a form unloaded before it, or is on its way out
        form->setProperty(UNLOADED, true);
        form->close();
        form->deleteLater();
    }
    Internationalization::release();
    Settings::release();
}
