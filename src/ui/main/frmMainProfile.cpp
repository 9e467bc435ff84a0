// The main window's share of replaying dives: the profile panel's dive and the command that opens
// the profile window.
#include "Dive.h"
#include "DiveModule.h"
#include "MainModule.h"
#include "ProfilePanel.h"
#include "Seams.h"
#include "Settings.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmProfile.h"

void frmMain::setProfileDive(std::shared_ptr<Dive> cDive, const DiveList* pDives) {
    currentDive = cDive;
    // A dive the model cannot compute (longer than its tables) is reported here, so that the
    // selection that asked for it completes and the next one works as usual.
    try {
        profilePanel->setProfileDive(std::move(cDive), pDives);
    } catch (const std::exception& error) {
        reportFailure(QStringLiteral("setProfileDive"), QStringLiteral("Error showing the profile"), error);
    }
}

void frmMain::mnuViewProfile_Click() {
    BusyGuard busy;
    for (QWidget* form : Forms::loaded()) {
        if (form->objectName() == QLatin1String("frmProfile")) {
            // One profile window at a time; it keeps the dive it shows.
            form->show();
            form->raise();
            form->activateWindow();
            return;
        }
    }
    if (!commitPendingEdits())
        return;
    const qint32 diveID = Settings::instance().currentDiveID();
    if (diveID == -1) {
        Seams::message().show(getString(3001), Msg::Critical, getString(1004));
        return;
    }
    const std::shared_ptr<Dive> dive = DiveModule::loadDive(diveID, false);
    if (!dive)
        return; // the dive query has said why
    auto window = std::make_unique<frmProfile>(this);
    window->addDive(dive, nullptr);
    window.release()->show();
}
