#include "HelpCommands.h"

#include "MainCommands.h"
#include "MainModule.h"
#include "Settings.h"
#include "frmAbout.h"
#include "frmMain.h"

void HelpCommands::mnuHelpContents_Click() {
    MainCommands::showApplicationHelp(applicationHelpFile(), MainCommands::HELP_CONTENTS);
}

void HelpCommands::mnuHelpSearchForHelpOn_Click() {
    MainCommands::showApplicationHelp(applicationHelpFile(), MainCommands::HELP_INDEX);
}

void HelpCommands::mnuHelpAbout_Click() {
    frmAbout dialog(&m_window);
    dialog.exec();
}

void HelpCommands::tlbMainToolbar_ButtonMenuClick(const QString& key) {
    const std::optional<qint16> language = MainCommands::helpLanguage(key);
    if (!language)
        return;
    MainCommands::openHelp(Settings::instance().getHelpPathName(*language), MainCommands::HELP_CONTENTS);
}
