#pragma once

#include "DiveModule.h"
#include "LogbookTree.h"
#include "TreeNodeKey.h"
#include "TreeNodes.h"
#include "frmMainControls.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class Dive;
class DiveDataControl;
class frmSimulator;
class LogbookEdits;
class QTreeWidgetItem;

// The program's main window: the logbook tree of the model in use, the lists and the dive tabs,
// the General tab's entries edited in place through the data control `dbData`, menus, toolbar and
// status bar. Constructing it loads it; closing it ends the program.
class frmMain : public QMainWindow, public frmMainControls {
    Q_OBJECT
public:
    // Why the window is asked to close.
    enum class UnloadMode { FormControlMenu, FormCode };

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    static constexpr int WINDOW_WIDTH = 11550; // twips
    static constexpr int WINDOW_HEIGHT_BELOW_TABS = 7700;
    // The window's width at start, in twips: WINDOW_WIDTH, or more where the dive tabs' captions need it.
    int firstWidth() const;

    // Fills dive tab `index`, switches the tab groups and shows it.
    void changeCurrentTab(qint16 index);
    void reloadTreeView(const QString& visibleNodeKey);
    // Rebuilds the tree from the data control, requeried first, and applies the root.
    // `visibleNodeKey`: the DIVE_ID, as text, of a dive to make visible, or "".
    void loadTreeView(qint16 dcModel, const QString& visibleNodeKey);
    void addTreeNode(const QString& logbookID, const QString& diveID, const QString& label);
    void SizeControls();
    void frmSimulator_SimulationSaved(const QString& diveID);
    // Shows a dive on the Profile tab; `pDives` are the dives before it, may be null.
    void setProfileDive(std::shared_ptr<Dive> cDive, const DiveList* pDives = nullptr);

    // Applies a tree selection; `force` applies the node again when it is already the current one.
    void tvTreeview_nodeClic(QTreeWidgetItem* node, bool force);
    // Re-applies the current filter and rebuilds the tree, lists and tabs.
    void refreshMainWindow();
    // True to keep the window open.
    bool Form_QueryUnload(UnloadMode mode);
    void mnuExit_Click();
    void mnuDownloadDCPC_Click();
    void mnuImportDB_Click();
    // Shows the dive computer settings window without blocking; brings forward the one open.
    void mnuDownloadSettings_Click();
    void mnuHelpAbout_Click();
    void mnuViewPreference_Click();
    // Opens the profile window on the selected dive, or brings the open one forward.
    void mnuViewProfile_Click();
    // Opens the simulator on a new dive, or on `dive` itself (the profile panel's); shows it again
    // when it is open already.
    void mnuViewSimulator_Click(std::shared_ptr<Dive> dive = nullptr);
    frmSimulator* simulator() const;
    // Statistics over the current logbook or all logbooks of the model; nothing is shown when the
    // scope question is cancelled or no dive lies in the scope.
    void mnuLBStatistics_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    // The print dialog, which builds its job from its options.
    void mnuPrint_Click();
    // The toolbar's preview of the current dive's profile page.
    void previewCurrentDive();
    void tlbMainToolbar_ButtonClick(const QString& key);
    void tlbMainToolbar_ButtonMenuClick(const QString& key);
    void cmbActivity_Click();
    void cmbWeather_Click();
    void cmbWetsuit_Click();
    void mnuLBDelete_Click();
    void mnuLBModifyDiveTime_Click();
    // Starts editing the selected logbook's label in the tree; the name is judged when the edit ends.
    void mnuLBRename_Click();
    void mnuLBFilter_Click();
    // Switches the filter on (through the filter dialog) or off. `button` is the toolbar's FILTER
    // button, already switched by the click; null from the menu.
    void toggleFilter(QAction* button);
    // The edits of the tree: deleting, re-dating, renaming.
    LogbookEdits& logbookEdits() { return *m_edits; }

    // The diagnostic of a command that failed: origin, what failed, number and description.
    void reportFailure(const QString& origin, const QString& what, const std::exception& error);

    // False only for the import entry, which stays disabled.
    static bool isMenuEnabled(const QString& name);

    // The node of a key, null when the tree has none. A logbook's dive nodes are made when the
    // logbook is first opened, or it or one of its dives is asked for here.
    QTreeWidgetItem* node(const QString& key) { return m_nodes.node(key); }
    static QString keyOf(const QTreeWidgetItem* node);
    // The state the selection rules gave a command, whether or not its window exists yet.
    static bool isWanted(const QAction* command);

    DiveDataControl* dbData;
    qint16 currentTab = 0;
    // The key of the node last applied; "" before the first.
    QString currentNode;
    std::shared_ptr<Dive> currentDive;
    // What the last build put in the tree: the day counts of the calendar among it.
    const LogbookTree& tree() const { return m_tree; }
    bool profileSwitch() const { return m_profileSwitch; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectHandlers();
    void fillCombos();
    void fillListView(const QString& key);
    void showGeneralInfo();
    void showBoundFields();
    void dbData_Reposition();
    void enableDiveTabs(bool flag);
    void setProfilePanel(bool on);
    void applyTabAvailability();
    void selectDiveTab(int index);
    void tabDive_Click(int previousIndex);
    void codedList_Click(QComboBox* list, const char* column);
    void setCommandEnabled(QAction* command, bool wanted);
    void applyCommands(TreeNodeKey::Kind kind, bool freeDive, qsizetype sampleLength);
    void setTitle(const QString& title);
    void updateClock();
    // Writes the pending field edits; false, after telling why, when the database refuses them.
    bool commitPendingEdits();
    // As commitPendingEdits before the program ends, but refused edits may be dropped: true when the
    // program may end.
    bool commitOrDiscardEdits();
    void setCurrentItemQuietly(QTreeWidgetItem* item);
    void treeItemChosen(QTreeWidgetItem* item, bool byClick);
    // The end of a label edit, however it ended; `committed`: the typed text reached the item.
    void labelEditClosed(bool committed);

    LogbookTree m_tree;
    TreeNodes m_nodes;
    std::unique_ptr<LogbookEdits> m_edits;
    // The logbook whose label is being edited, and its label before; "" while none is.
    QString m_renamedKey;
    QString m_labelBeforeEdit;
    bool m_diveGroup = false;
    bool m_profileSwitch = false;
    bool m_profilePanel = false;
    int m_shownDiveTab = 0;
    bool m_quietTree = false;
    QTreeWidgetItem* m_pressedItem = nullptr;
    QPointer<frmSimulator> m_simulator;
    void fitColumns(QTreeView* list);
    // The widths the lists' columns were made with, the least each keeps when fitted to its contents.
    QHash<const QTreeView*, QList<int>> m_madeColumnWidths;
};
