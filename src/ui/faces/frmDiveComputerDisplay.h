#pragma once

#include <QWidget>
#include <memory>

class DiveComputerDisplay;
class ProfileReader;

// The floating face: the face of the current model in a small window that stays above the others
// without taking the focus, for every host to show its dive on. There is one for the program; it
// is loaded on first use, hidden and shown by the hosts, and unloaded by its close box (which
// stores its place) or at the end of the program.
class frmDiveComputerDisplay : public QWidget {
    Q_OBJECT
public:
    // The loaded window, or nullptr.
    static frmDiveComputerDisplay* loaded();
    // The window, loaded (and placed) when it was not; shown without taking the focus.
    static frmDiveComputerDisplay* showFloating();

    // What a host does with the window. Its face button pressed: the window shows the host's profile
    // at the host's marker step. Released: the window hides, if it is loaded.
    static void pressedBy(std::shared_ptr<ProfileReader> profile, qint16 step);
    static void released();
    // A host's marker step, passed on only while the window shows that host's dive: another host's
    // steps would show this dive at moments of a different one.
    static void followStep(const ProfileReader* hostProfile, qint16 step);
    // A host that shows another dive hands the window the new profile when it showed the old one.
    static void replaceProfile(const ProfileReader* oldProfile, std::shared_ptr<ProfileReader> newProfile);

    // The face of the model code at the time the window loaded; nullptr for a code without a face.
    DiveComputerDisplay* diveComputerDisplay() const { return m_face; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmDiveComputerDisplay();

    DiveComputerDisplay* m_face = nullptr;
};
