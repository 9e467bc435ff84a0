#include "StartUp.h"

#include "DBVersion.h"
#include "DbError.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "PrivateCopy.h"
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

namespace {
bool retryLockedLogbook(const RuntimeError& error) {
    const QString text = QStringLiteral("[Main] The logbook database is in use by another program. Close it, then "
                                        "choose Retry.\n[%1] %2")
                             .arg(error.number())
                             .arg(error.description());
    return Seams::message().show(text, Msg::RetryCancel | Msg::Exclamation, getString(1005)) == Msg::Retry;
}
} // namespace

bool Main() {
    if (!g_factory)
        throw std::logic_error("Main: no main window factory set");
    // Copies of read-only logbooks that runs killed on their way left behind.
    PrivateCopy::removeLeftovers();

    auto* splash = new frmSplash;
    splash->show();
    splash->repaint();
    // The only yield of start-up: the splash paints before the checks, which run without one.
    Seams::events().processEvents();

    if (!checkDiveComputer()) {
        unloadAllForms();
        return false;
    }

    // The main window opens the database: it has to find it upgraded. A logbook another program
    // holds is waited for as long as the user wants.
    QWidget* window = nullptr;
    while (!window) {
        try {
            DBVersion::checkDBVersion();
            window = g_factory();
        } catch (const RuntimeError& e) {
            if (e.number() != DbError::Locked)
                throw;
            if (!retryLockedLogbook(e)) {
                unloadAllForms();
                return false;
            }
            continue;
        }
        if (!window)
            throw std::logic_error("Main: the main window factory made no window");
    }
    g_mainWindow = window;
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
