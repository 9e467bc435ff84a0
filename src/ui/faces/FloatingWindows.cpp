#include "FloatingWindows.h"

#include "DisplayTissue.h"
#include "Profile.h"
#include "Seams.h"
#include "frmDisplayTissue.h"
#include "frmDiveComputerDisplay.h"

void FloatingWindows::show(Window window, std::shared_ptr<Profile> profile, qint16 step) {
    BusyGuard busy;
    try {
        if (window == Face) {
            frmDiveComputerDisplay::pressedBy(std::move(profile), step);
        } else {
            DisplayTissue* tissue = frmDisplayTissue::showFloating()->DisplayTissue1;
            tissue->addProfile(std::move(profile));
            tissue->updateDisplay(step);
        }
    } catch (const std::exception&) {
        // A step the profile refuses leaves the window showing the dive without it.
    }
}

void FloatingWindows::hide(Window window) {
    if (window == Face)
        frmDiveComputerDisplay::released();
    else if (frmDisplayTissue* tissue = frmDisplayTissue::loaded())
        tissue->hide();
}

void FloatingWindows::follow(const Profile* hostProfile, qint16 step) {
    frmDiveComputerDisplay::followStep(hostProfile, step);
    frmDisplayTissue* window = frmDisplayTissue::loaded();
    if (window && hostProfile && window->DisplayTissue1->currentProfile().get() == hostProfile)
        window->DisplayTissue1->updateDisplay(step);
}

void FloatingWindows::handOver(const Profile* previous, std::shared_ptr<Profile> profile) {
    frmDiveComputerDisplay::replaceProfile(previous, profile);
    frmDisplayTissue* window = frmDisplayTissue::loaded();
    if (window && previous && window->DisplayTissue1->currentProfile().get() == previous)
        window->DisplayTissue1->addProfile(std::move(profile));
}

void FloatingWindows::unloadAll() {
    if (frmDiveComputerDisplay* face = frmDiveComputerDisplay::loaded())
        face->close();
    if (frmDisplayTissue* tissue = frmDisplayTissue::loaded())
        tissue->close();
}
