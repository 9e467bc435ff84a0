#pragma once

#include "DiveModule.h"
#include "LogbookTree.h"
#include "LogbookViews.h"
#include "TreeNodeKey.h"
#include "TreeNodes.h"
#include "frmMainControls.h"

#include <QHash>
#include <QMainWindow>
#include <memory>

class Dive;
class DiveDataControl;
class DownloadCommands;
class FileCommands;
class GeneralTab;
class frmSimulator;
class HelpCommands;
class LogbookCommands;
class LogbookEdits;
class ProfileCommands;
class QTreeWidgetItem;

// The program's main window: the logbook tree of the model in use, the lists and the dive tabs,
// the General tab's entries edited in place through the data control `dbData`, menus, toolbar and
// status bar. Constructing it loads it; closing it ends the program. Its menu and toolbar commands
// live in one command object per menu family.
class frmMain : public QMainWindow {
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
    // Writes the pending field edits; false, after string 3031, when the database refuses them.
    bool commitPendingEdits();
    // As commitPendingEdits before the program ends, but refused edits may be dropped: true when the
    // program may end.
    bool commitOrDiscardEdits();

    // The command handlers the program and its tests call on the window itself.
    void mnuExit_Click();
    void mnuDownloadSettings_Click();
    void mnuLBRename_Click();
    void cmbActivity_Click();
    void cmbWeather_Click();
    void cmbWetsuit_Click();
    // The main toolbar's buttons by key; an unknown key does nothing.
    void tlbMainToolbar_ButtonClick(const QString& key);
    frmSimulator* simulator() const;
    // The edits of the tree: deleting, re-dating, renaming.
    LogbookEdits& logbookEdits() { return *m_edits; }

    // The diagnostic of a command that failed: origin, what failed, number and description.
    void reportFailure(const QString& origin, const QString& what, const std::exception& error);

    // False only for the import entry, which stays disabled.
    static bool isMenuEnabled(const QString& name);

    // The node of a key, null when the tree has none. A logbook's dive nodes are made when the
    // logbook is first opened, or it or one of its dives is asked for here.
    QTreeWidgetItem* node(const QString& key) { return m_nodes.node(key); }
    // The node of a key when it is made already; no dive nodes are made.
    QTreeWidgetItem* findNode(const QString& key) const { return m_nodes.find(key); }
    // Takes a node out of the tree after its row was deleted, and applies its parent.
    void removeNode(QTreeWidgetItem* node);
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

    // The controls.
    QMenu* mnuFile() const { return m_ui.mnuFile; }
    QAction* mnuImportDB() const { return m_ui.mnuImportDB; }
    QAction* mnuPrint() const { return m_ui.mnuPrint; }
    QAction* mnuViewPreference() const { return m_ui.mnuViewPreference; }
    QAction* mnuExit() const { return m_ui.mnuExit; }
    QAction* mnuLBRename() const { return m_ui.mnuLBRename; }
    QAction* mnuLBDelete() const { return m_ui.mnuLBDelete; }
    QAction* mnuLBStatistics() const { return m_ui.mnuLBStatistics; }
    QAction* mnuLBFilter() const { return m_ui.mnuLBFilter; }
    QAction* mnuLBModifyDiveTime() const { return m_ui.mnuLBModifyDiveTime; }
    QAction* mnuDownloadDCPC() const { return m_ui.mnuDownloadDCPC; }
    QAction* mnuDownloadSettings() const { return m_ui.mnuDownloadSettings; }
    QAction* mnuViewProfile() const { return m_ui.mnuViewProfile; }
    QAction* mnuViewSimulator() const { return m_ui.mnuViewSimulator; }
    QAction* mnuHelpContents() const { return m_ui.mnuHelpContents; }
    QAction* mnuHelpAbout() const { return m_ui.mnuHelpAbout; }
    QMenu* mnuPopupImage() const { return m_ui.mnuPopupImage; }
    QAction* mnuPopupDeleteImage() const { return m_ui.mnuPopupDeleteImage; }
    // A button of the main toolbar by its key ("FILTER", ...), and an entry of the HELP button's
    // languages ("HELP_E", ...); null for another key.
    QAction* toolbarButton(const QString& key) const { return m_ui.toolbarButtons.value(key); }
    QAction* helpLanguage(const QString& key) const { return m_ui.helpLanguages.value(key); }
    QLabel* imgTitles() const { return m_ui.imgTitles; }
    QLabel* lblTitle() const { return m_ui.lblTitle; }
    QLabel* lblTitleShadow() const { return m_ui.lblTitleShadow; }
    QTabWidget* tabLeft() const { return m_ui.tabLeft; }
    QTreeWidget* tvTreeView() const { return m_ui.tvTreeView; }
    ProfilePanel* profilePanel() const { return m_ui.profilePanel; }
    QTabWidget* tabDive() const { return m_ui.tabDive; }
    QTreeView* lvListView() const { return m_ui.lvListView; }
    QTreeView* lvDiveRecord() const { return m_ui.lvDiveRecord; }
    CalendarTab* calendarTab() const { return m_ui.calendarTab; }
    QCheckBox* chkCurrentLogbook() const { return m_ui.chkCurrentLogbook; }
    QLineEdit* fldDiver() const { return m_ui.fldDiver; }
    QLineEdit* fldLocation() const { return m_ui.fldLocation; }
    QLineEdit* fldFriend() const { return m_ui.fldFriend; }
    QLabel* lbl_AirTemperature() const { return m_ui.lbl_AirTemperature; }
    QComboBox* cmbActivity() const { return m_ui.cmbActivity; }
    QComboBox* cmbWeather() const { return m_ui.cmbWeather; }
    QComboBox* cmbWetsuit() const { return m_ui.cmbWetsuit; }
    DivePicture* pictureLocation() const { return m_ui.pictureLocation; }
    SettingsTab* frameSettings() const { return m_ui.frameSettings; }
    TechnicalTab* frameTechnicalInfo() const { return m_ui.frameTechnicalInfo; }
    ProfileDataTab* frameProfileInfo() const { return m_ui.frameProfileInfo; }
    NotesTab* frameNotes() const { return m_ui.frameNotes; }
    DiveGraph* DiveGraph1() const { return m_ui.DiveGraph1; }
    QLabel* INFO_PANEL() const { return m_ui.INFO_PANEL; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void fillListView(const QString& key);
    // As changeCurrentTab; `diveJustRead` when the selection has just read currentDive, which the
    // Profile tab then shows rather than reading it a second time.
    void showDiveTab(qint16 index, bool diveJustRead);
    void dbData_Reposition();
    void enableDiveTabs(bool flag);
    void setProfilePanel(bool on);
    void applyTabAvailability();
    void selectDiveTab(int index);
    void tabDive_Click(int previousIndex);
    void setCommandEnabled(QAction* command, bool wanted);
    void applyCommands(TreeNodeKey::Kind kind, bool freeDive, qsizetype sampleLength);
    void setTitle(const QString& title);
    void updateClock();
    void setCurrentItemQuietly(QTreeWidgetItem* item);
    void treeItemChosen(QTreeWidgetItem* item, bool byClick);

    frmMainControls m_ui;
    std::unique_ptr<GeneralTab> m_general;
    LogbookTree m_tree;
    TreeNodes m_nodes;
    std::unique_ptr<LogbookEdits> m_edits;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<LogbookCommands> m_logbookCommands;
    std::unique_ptr<DownloadCommands> m_downloadCommands;
    std::unique_ptr<ProfileCommands> m_profileCommands;
    std::unique_ptr<HelpCommands> m_helpCommands;
    bool m_diveGroup = false;
    bool m_profileSwitch = false;
    bool m_profilePanel = false;
    int m_shownDiveTab = 0;
    bool m_quietTree = false;
    bool m_selectingDive = false;
    QTreeWidgetItem* m_pressedItem = nullptr;
    // What the lists' columns need, measured when each was last filled.
    QHash<const QTreeView*, LogbookViews::ColumnWidths> m_columnWidths;
};
