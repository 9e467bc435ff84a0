#pragma once

class frmMain;

// The File menu of the main window (import, print, options, exit) and the toolbar's preview of
// the current dive.
class FileCommands {
public:
    explicit FileCommands(frmMain& window) : m_window(window) {}

    void mnuImportDB_Click();
    // The print dialog, which builds its job from its options.
    void mnuPrint_Click();
    // The toolbar's preview of the current dive's profile page.
    void previewCurrentDive();
    void mnuViewPreference_Click();
    void mnuExit_Click();

private:
    frmMain& m_window;
};
