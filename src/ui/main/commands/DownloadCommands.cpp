#include "DownloadCommands.h"

#include "Seams.h"
#include "Settings.h"
#include "WindowHelpers.h"
#include "frmDiveComputerSettings.h"
#include "frmDownLoad.h"
#include "frmMain.h"

void DownloadCommands::mnuDownloadDCPC_Click() {
    if (!m_window.commitPendingEdits())
        return;
    Seams::busyPointer().setBusy(true); // the dialog's load sets it back
    frmDownLoad dialog(&m_window);
    dialog.exec();
    if (dialog.bOk)
        m_window.loadTreeView(qint16(Settings::instance().currentDiveComputer()), QString());
}

void DownloadCommands::mnuDownloadSettings_Click() {
    // A closed window is on its way out and does not count.
    for (auto* open : m_window.findChildren<frmDiveComputerSettings*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (open->isVisible()) {
            bringForward(open);
            return;
        }
    }
    (new frmDiveComputerSettings(&m_window))->show();
}
