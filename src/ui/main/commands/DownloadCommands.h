#pragma once

class frmMain;

// The Download menu of the main window: dives from a dive computer, and the dive computer's
// settings.
class DownloadCommands {
public:
    explicit DownloadCommands(frmMain& window) : m_window(window) {}

    void mnuDownloadDCPC_Click();
    // Shows the dive computer settings window without blocking; brings forward the one open.
    void mnuDownloadSettings_Click();

private:
    frmMain& m_window;
};
