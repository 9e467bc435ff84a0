#pragma once

#include <QtGlobal>
#include <memory>

class Profile;
class QWidget;

// The floating face and tissue windows, one of each for the program, as the hosts of a replayed
// dive use them. The windows live in the faces' library, which installs them at start-up; until
// then the hosts keep their floating-window buttons disabled.
class FloatingDisplays {
public:
    enum Window { Face, Tissue };

    virtual ~FloatingDisplays() = default;
    // A host's button pressed: the window (loaded if it was not) shows the host's profile at the
    // host's marker step, above the other windows. Released: the window hides if it is loaded.
    virtual void show(Window window, std::shared_ptr<Profile> profile, qint16 step) = 0;
    virtual void hide(Window window) = 0;
    // A host's marker step, passed on to each loaded window that shows that host's profile.
    virtual void follow(const Profile* hostProfile, qint16 step) = 0;
    // The simulator's live depth between samples, and its face back to the empty reading, passed on
    // to the floating face while it shows that host's profile.
    virtual void followDepth(const Profile* hostProfile, float metres) = 0;
    virtual void resetFace(const Profile* hostProfile) = 0;
    // The floating tissue bars erased while they show that host's profile.
    virtual void clearTissue(const Profile* hostProfile) = 0;
    // A host that shows another dive gives it to each window that showed its previous one.
    virtual void handOver(const Profile* previous, std::shared_ptr<Profile> profile) = 0;
    // Unloads both windows (each stores its place).
    virtual void unloadAll() = 0;
};

namespace Floating {
void install(std::unique_ptr<FloatingDisplays> windows);
// The installed windows, or null.
FloatingDisplays* windows();
// A host's face or tissue button: pressed, the window shows the host's profile at its marker `step`
// and the host's own display `own` (may be null) hides; released, the window hides and `own` shows.
// Unloads both windows when they are installed, whichever host opened them.
void unloadAll();
void press(FloatingDisplays& windows, FloatingDisplays::Window window, std::shared_ptr<Profile> profile, qint16 step,
           QWidget* own, bool pressed);
} // namespace Floating
