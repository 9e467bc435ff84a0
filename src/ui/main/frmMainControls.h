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
// localised.
class frmMainControls {
public:
    // Builds every control on `window`; the notes and the picture edit the current row of `data`.
    void setupControls(QMainWindow* window, DiveDataControl* data);

    // Menus.
    QMenu* mnuFile;
    QAction* mnuImportDB;
    QAction* mnuSeparatorFile1;
    QAction* mnuPrint;
    QAction* mnuViewPreference;
    QAction* mnuSeparatorFile2;
    QAction* mnuExit;
    QMenu* mnuLB;
    QAction* mnuLBRename;
    QAction* mnuLBDelete;
    QAction* mnuSeparator1;
    QAction* mnuLBStatistics;
    QAction* mnuLBFilter;
    QAction* mnuLBModifyDiveTime;
    QMenu* mnuDownload;
    QAction* mnuDownloadDCPC;
    QAction* mnuSeparator3;
    QAction* mnuDownloadSettings;
    QMenu* mnuView;
    QAction* mnuViewProfile;
    QAction* mnuViewSimulator;
    QMenu* mnuHelp;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearchForHelpOn;
    QAction* mnuHelpBar4;
    QAction* mnuHelpAbout;
    // The picture's pop-up menu, which the picture control owns.
    QMenu* mnuPopupImage;
    QAction* mnuPopupDeleteImage;

    // The main toolbar, its buttons by key, and the HELP button's languages by key.
    QToolBar* tlbMainToolbar;
    QHash<QString, QAction*> toolbarButtons;
    QHash<QString, QAction*> helpLanguages;

    QLabel* imgTitles;
    QLabel* lblTitle;
    QLabel* lblTitleShadow;

    QTabWidget* tabLeft;
    QTreeWidget* tvTreeView;
    ProfilePanel* profilePanel;

    QTabWidget* tabDive;
    QTreeView* lvListView;
    QTreeView* lvDiveRecord;
    // The rows the two lists show.
    ListRowsModel* lvListViewRows;
    ListRowsModel* lvDiveRecordRows;
    CalendarTab* calendarTab;
    QCheckBox* chkCurrentLogbook; // the calendar's
    QGroupBox* frameGeneralInfo;
    QLineEdit* fldDiver;
    QLineEdit* fldLocation;
    QLineEdit* fldPoint;
    QLineEdit* fldInstructor;
    QLineEdit* fldDiveMaster;
    QLineEdit* fldFriend;
    QLineEdit* fldAirTemperature;
    QLineEdit* fldWeight;
    QLabel* lblAirTemperature;  // the caption beside the air temperature
    QLabel* lbl_AirTemperature; // its unit
    QComboBox* cmbActivity;
    QComboBox* cmbWeather;
    QComboBox* cmbWetsuit;
    DivePicture* pictureLocation;
    SettingsTab* frameSettings;
    TechnicalTab* frameTechnicalInfo;
    ProfileDataTab* frameProfileInfo;
    NotesTab* frameNotes;
    DiveGraph* DiveGraph1;

    QStatusBar* sbStatusBar;
    QLabel* INFO_PANEL;
    QLabel* sbDate;
    QLabel* sbTime;

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
