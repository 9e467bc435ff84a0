#include "FloatingWindows.h"

#include "DisplayTissue.h"
#include "DiveComputerDisplay.h"
#include "Profile.h"
#include "Seams.h"
#include "frmDisplayTissue.h"
#include "frmDiveComputerDisplay.h"

namespace {
// The floating displays only follow the host whose profile they show: another host's steps would
// show this dive at moments of a different one.
DiveComputerDisplay* faceShowing(const Profile* hostProfile) {
    frmDiveComputerDisplay* window = frmDiveComputerDisplay::loaded();
    DiveComputerDisplay* face = window ? window->diveComputerDisplay() : nullptr;
    return face && hostProfile && face->currentProfile().get() == hostProfile ? face : nullptr;
}

DisplayTissue* tissueShowing(const Profile* hostProfile) {
    frmDisplayTissue* window = frmDisplayTissue::loaded();
    DisplayTissue* tissue = window ? window->DisplayTissue1 : nullptr;
    return tissue && hostProfile && tissue->currentProfile().get() == hostProfile ? tissue : nullptr;
}
} // namespace

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
    if (DisplayTissue* tissue = tissueShowing(hostProfile))
        tissue->updateDisplay(step);
}

void FloatingWindows::followDepth(const Profile* hostProfile, float metres) {
    if (DiveComputerDisplay* face = faceShowing(hostProfile))
        face->updateDepth(metres);
}

void FloatingWindows::resetFace(const Profile* hostProfile) {
    if (DiveComputerDisplay* face = faceShowing(hostProfile))
        face->resetDisplay();
}

void FloatingWindows::clearTissue(const Profile* hostProfile) {
    if (DisplayTissue* tissue = tissueShowing(hostProfile))
        tissue->clearDisplay();
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
