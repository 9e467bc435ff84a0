#pragma once

#include <QString>

class frmMain;

// The Help menu of the main window and the languages of the toolbar's HELP button.
class HelpCommands {
public:
    explicit HelpCommands(frmMain& window) : m_window(window) {}

    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    // The contents of the help file of the language keyed `key` ("HELP_E", ...); nothing for
    // another key.
    void tlbMainToolbar_ButtonMenuClick(const QString& key);

private:
    frmMain& m_window;
};
