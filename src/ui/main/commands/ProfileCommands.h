#pragma once

#include <QPointer>
#include <memory>

class Dive;
class frmMain;
class frmSimulator;

// The View menu of the main window: the profile window and the simulator, each open at most once.
class ProfileCommands {
public:
    explicit ProfileCommands(frmMain& window) : m_window(window) {}

    // Opens the profile window on the selected dive, or brings the open one forward.
    void mnuViewProfile_Click();
    // Opens the simulator on a new dive, or on `dive` itself (the profile panel's); shows it again
    // when it is open already.
    void mnuViewSimulator_Click(std::shared_ptr<Dive> dive = nullptr);
    frmSimulator* simulator() const;

private:
    frmMain& m_window;
    QPointer<frmSimulator> m_simulator;
};
