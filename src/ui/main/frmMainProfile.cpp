// The main window's share of replaying dives: the profile panel's dive.
#include "Dive.h"
#include "ProfilePanel.h"
#include "frmMain.h"

void frmMain::setProfileDive(std::shared_ptr<Dive> cDive, const DiveList* pDives) {
    currentDive = cDive;
    // A dive the model cannot compute (longer than its tables) is reported here, so that the
    // selection that asked for it completes and the next one works as usual.
    try {
        m_ui.profilePanel->setProfileDive(std::move(cDive), pDives);
    } catch (const std::exception& error) {
        reportFailure(QStringLiteral("setProfileDive"), QStringLiteral("Error showing the profile"), error);
    }
}
