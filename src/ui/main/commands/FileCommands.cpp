#include "FileCommands.h"

#include "MainModule.h"
#include "Seams.h"
#include "Settings.h"
#include "frmImportDB.h"
#include "frmMain.h"
#include "frmPrint.h"
#include "frmSettings.h"

namespace {
// The print commands need a printer. The program's own list always ends with its PDF-file printer,
// so the refusal shows only under a printer service that lists none (one a test installs).
bool printerInstalled() {
    if (!Seams::printers().printerNames().isEmpty())
        return true;
    Seams::message().show(getString(3037), Msg::OkOnly | Msg::Critical, getString(1005));
    return false;
}
} // namespace

void FileCommands::mnuImportDB_Click() {
    if (!m_window.commitPendingEdits())
        return;
    frmImportDB dialog(&m_window);
    dialog.exec();
    if (dialog.hadImported)
        m_window.loadTreeView(qint16(Settings::instance().currentDiveComputer()), QString());
}

void FileCommands::mnuPrint_Click() {
    if (!printerInstalled() || !m_window.commitPendingEdits())
        return;
    frmPrint dialog(&m_window);
    dialog.exec();
}

void FileCommands::previewCurrentDive() {
    if (!printerInstalled())
        return;
    BusyGuard busy;
    if (!m_window.commitPendingEdits())
        return;
    frmPrint dialog(&m_window);
    dialog.doPreview(nullptr);
}

void FileCommands::mnuViewPreference_Click() {
    Seams::busyPointer().setBusy(true);
    frmSettings dialog(&m_window);
    dialog.exec();
}

void FileCommands::mnuExit_Click() {
    if (Seams::message().show(getString(3000), Msg::YesNo | Msg::Question, getString(1002)) == Msg::No)
        return;
    if (!m_window.commitOrDiscardEdits())
        return;
    m_window.close();
}
