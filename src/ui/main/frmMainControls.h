#pragma once

#include <QHash>
#include <QString>

class CalendarTab;
class ListRowsModel;
class DiveDataControl;
class DiveGraph;
class DivePicture;
class NotesTab;
class ProfileDataTab;
class ProfilePanel;
class SettingsTab;
class TechnicalTab;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QTreeView;
class QTreeWidget;
class QWidget;

// The control set of the main window as its design has it: menus, toolbar, the two tab sets, the
// tree, the lists, the dive tabs and the status bar. Texts are string numbers until the window is
// localised. The window owns the controls; this only names them.
struct frmMainControls {
    // Builds every control on `window`; the notes and the picture edit the current row of `data`.
    frmMainControls(QMainWindow* window, DiveDataControl* data);

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuImportDB = nullptr;
    QAction* mnuSeparatorFile1 = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuViewPreference = nullptr;
    QAction* mnuSeparatorFile2 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuLB = nullptr;
    QAction* mnuLBRename = nullptr;
    QAction* mnuLBDelete = nullptr;
    QAction* mnuSeparator1 = nullptr;
    QAction* mnuLBStatistics = nullptr;
    QAction* mnuLBFilter = nullptr;
    QAction* mnuLBModifyDiveTime = nullptr;
    QMenu* mnuDownload = nullptr;
    QAction* mnuDownloadDCPC = nullptr;
    QAction* mnuSeparator3 = nullptr;
    QAction* mnuDownloadSettings = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewProfile = nullptr;
    QAction* mnuViewSimulator = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpSearchForHelpOn = nullptr;
    QAction* mnuHelpBar4 = nullptr;
    QAction* mnuHelpAbout = nullptr;
    // The picture's pop-up menu, which the picture control owns.
    QMenu* mnuPopupImage = nullptr;
    QAction* mnuPopupDeleteImage = nullptr;

    // The main toolbar, its buttons by key, and the HELP button's languages by key.
    QToolBar* tlbMainToolbar = nullptr;
    QHash<QString, QAction*> toolbarButtons;
    QHash<QString, QAction*> helpLanguages;

    QLabel* imgTitles = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblTitleShadow = nullptr;

    QTabWidget* tabLeft = nullptr;
    QTreeWidget* tvTreeView = nullptr;
    ProfilePanel* profilePanel = nullptr;

    QTabWidget* tabDive = nullptr;
    QTreeView* lvListView = nullptr;
    QTreeView* lvDiveRecord = nullptr;
    // The rows the two lists show.
    ListRowsModel* lvListViewRows = nullptr;
    ListRowsModel* lvDiveRecordRows = nullptr;
    CalendarTab* calendarTab = nullptr;
    QCheckBox* chkCurrentLogbook = nullptr; // the calendar's
    QGroupBox* frameGeneralInfo = nullptr;
    QLineEdit* fldDiver = nullptr;
    QLineEdit* fldLocation = nullptr;
    QLineEdit* fldPoint = nullptr;
    QLineEdit* fldInstructor = nullptr;
    QLineEdit* fldDiveMaster = nullptr;
    QLineEdit* fldFriend = nullptr;
    QLineEdit* fldAirTemperature = nullptr;
    QLineEdit* fldWeight = nullptr;
    QLabel* lblAirTemperature = nullptr;  // the caption beside the air temperature
    QLabel* lbl_AirTemperature = nullptr; // its unit
    QComboBox* cmbActivity = nullptr;
    QComboBox* cmbWeather = nullptr;
    QComboBox* cmbWetsuit = nullptr;
    DivePicture* pictureLocation = nullptr;
    SettingsTab* frameSettings = nullptr;
    TechnicalTab* frameTechnicalInfo = nullptr;
    ProfileDataTab* frameProfileInfo = nullptr;
    NotesTab* frameNotes = nullptr;
    DiveGraph* DiveGraph1 = nullptr;

    QStatusBar* sbStatusBar = nullptr;
    QLabel* INFO_PANEL = nullptr;
    QLabel* sbDate = nullptr;
    QLabel* sbTime = nullptr;

    // The bound entry fields by their DIVE column.
    QHash<QString, QLineEdit*> boundFields;

    // Column keys of the logbook list.
    static constexpr int COLUMN_LOGBOOK = 0;
    static constexpr int COLUMN_DIVES_NUMBER = 1;
    static constexpr int COLUMN_MAX_DEPTH = 2;
    static constexpr int COLUMN_MIN_TEMPERATURE = 3;

private:
    void buildMenus(QMainWindow* window);
    void buildToolbar(QMainWindow* window);
    void buildLeftTabs(QWidget* parent);
    void buildDiveTabs(QWidget* parent, DiveDataControl* data);
    void buildGeneralTab(QWidget* page, DiveDataControl* data);
    void buildStatusBar(QMainWindow* window);
};
