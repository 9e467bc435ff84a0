#pragma once

#include <QString>

class frmMain;
class QAction;

// The LogBook menu of the main window: the dive filter, the statistics, and the edits of the tree
// (deleting, re-dating, renaming), which change the tree in place.
class LogbookCommands {
public:
    explicit LogbookCommands(frmMain& window) : m_window(window) {}

    void mnuLBFilter_Click();
    // Switches the filter on (through the filter dialog) or off. `button` is the toolbar's FILTER
    // button, already switched by the click; null from the menu.
    void toggleFilter(QAction* button);
    // Statistics over the current logbook or all logbooks of the model; nothing is shown when the
    // scope question is cancelled or no dive lies in the scope.
    void mnuLBStatistics_Click();
    void mnuLBDelete_Click();
    void mnuLBModifyDiveTime_Click();
    // Starts editing the selected logbook's label in the tree; the name is judged when the edit ends.
    void mnuLBRename_Click();
    // The end of a label edit, however it ended; `committed`: the typed text reached the item.
    void labelEditClosed(bool committed);

private:
    frmMain& m_window;
    // The logbook whose label is being edited, and its label before; "" while none is.
    QString m_renamedKey;
    QString m_labelBeforeEdit;
};
