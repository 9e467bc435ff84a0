#include "ProfileCommands.h"

#include "Dive.h"
#include "DiveModule.h"
#include "MainModule.h"
#include "Seams.h"
#include "Settings.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmProfile.h"
#include "frmSimulator.h"

void ProfileCommands::mnuViewProfile_Click() {
    BusyGuard busy;
    for (QWidget* form : Forms::loaded()) {
        if (form->objectName() == QLatin1String("frmProfile")) {
            // One profile window at a time; it keeps the dive it shows.
            bringForward(form);
            return;
        }
    }
    if (!m_window.commitPendingEdits())
        return;
    const qint32 diveID = Settings::instance().currentDiveID();
    if (diveID == -1) {
        Seams::message().show(getString(3001), Msg::Critical, getString(1004));
        return;
    }
    const std::shared_ptr<Dive> dive = DiveModule::loadDive(diveID, false);
    if (!dive)
        return; // the dive query has said why
    auto window = std::make_unique<frmProfile>(&m_window);
    window->addDive(dive, nullptr);
    window.release()->show();
}

void ProfileCommands::mnuViewSimulator_Click(std::shared_ptr<Dive> dive) {
    if (!m_window.commitPendingEdits())
        return;
    if (m_simulator) {
        bringForward(m_simulator);
        return;
    }
    Seams::busyPointer().setBusy(true); // the simulator's opening sets it back
    m_simulator = new frmSimulator(std::move(dive), &m_window);
    m_simulator->setAttribute(Qt::WA_DeleteOnClose);
    m_simulator->setMainForm(&m_window);
    QObject::connect(m_simulator, &frmSimulator::simulationSaved, &m_window, &frmMain::frmSimulator_SimulationSaved);
    m_simulator->show();
}

frmSimulator* ProfileCommands::simulator() const {
    return m_simulator;
}
