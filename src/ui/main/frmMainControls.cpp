#include "frmMainControls.h"

#include "CalendarTab.h"
#include "DiveGraph.h"
#include "DivePicture.h"
#include "DiveTabs.h"
#include "FormLocalizer.h"
#include "ListRowsDelegate.h"
#include "ListRowsModel.h"
#include "MainPictures.h"
#include "NotesTab.h"
#include "ProfileDataTab.h"
#include "ProfilePanel.h"
#include "SettingsTab.h"
#include "TechnicalTab.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int MARGIN_PIXELS = 5; // the 70-twip margin around the contents of a tab

template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

// A menu entry keeps its string number in its first four characters until the window is
// localised.
QAction* entry(QMenu* menu, const char* name, const char* number, int shortcutKey = 0) {
    QAction* action = named(menu->addAction(QLatin1String(number)), name);
    if (shortcutKey)
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(shortcutKey)));
    return action;
}

QAction* separator(QMenu* menu, const char* name) {
    return named(menu->addSeparator(), name);
}

QLabel* caption(const char* name, const char* number, QWidget* parent) {
    auto* label = named(new QLabel(parent), name);
    setTag(label, QLatin1String(number));
    return label;
}

// A list view in report style over its rows; each column keeps its title's string number and its key.
QTreeView* listView(const char* name, ListRowsModel* rows, QWidget* parent) {
    auto* list = named(new QTreeView(parent), name);
    list->setProperty("listView", true);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setModel(rows);
    rows->setParent(list);
    list->setItemDelegate(new ListRowsDelegate(list));
    list->header()->setStretchLastSection(true);
    return list;
}

QWidget* page(QTabWidget* tabs, const char* number) {
    auto* p = new QWidget(tabs);
    tabs->addTab(p, QLatin1String(number));
    return p;
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(MARGIN_PIXELS, MARGIN_PIXELS, MARGIN_PIXELS, MARGIN_PIXELS);
    return layout;
}

// A tab's contents, filling the tab.
template <typename T> T* place(QWidget* page, T* contents) {
    pageLayout(page)->addWidget(contents);
    return contents;
}
} // namespace

frmMainControls::frmMainControls(QMainWindow* window, DiveDataControl* data) {
    buildMenus(window);
    buildToolbar(window);

    auto* central = named(new QWidget(window), "centralWidget");
    window->setCentralWidget(central);
    imgTitles = named(new QLabel(central), "imgTitles");
    imgTitles->setScaledContents(true);
    imgTitles->setFixedHeight(22);
    imgTitles->setPixmap(MainPictures::titleBand(QSize(640, 22)));
    // The graph stands on the Profile tab; the panel on the left tab set drives it.
    DiveGraph1 = named(new DiveGraph(central), "DiveGraph1");
    buildLeftTabs(central);

    lblTitleShadow = named(new QLabel(central), "lblTitleShadow");
    lblTitle = named(new QLabel(central), "lblTitle");
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    for (QLabel* title : {lblTitleShadow, lblTitle}) {
        title->setFont(titleFont);
        title->setFixedHeight(QFontMetrics(titleFont).height() + 6);
        title->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    lblTitle->setStyleSheet(QStringLiteral("color: rgb(10, 50, 110);"));
    lblTitleShadow->setStyleSheet(QStringLiteral("color: rgb(175, 185, 200);"));

    buildDiveTabs(central, data);
    lblTitleShadow->raise();
    lblTitle->raise();
    buildStatusBar(window);
}

void frmMainControls::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    mnuFile = named(bar->addMenu(QStringLiteral("1321")), "mnuFile");
    mnuImportDB = entry(mnuFile, "mnuImportDB", "2200");
    mnuSeparatorFile1 = separator(mnuFile, "mnuSeparatorFile1");
    mnuPrint = entry(mnuFile, "mnuPrint", "1303", 'P');
    mnuViewPreference = entry(mnuFile, "mnuViewPreference", "1314");
    mnuSeparatorFile2 = separator(mnuFile, "mnuSeparatorFile2");
    mnuExit = entry(mnuFile, "mnuExit", "1307", 'X');

    mnuLB = named(bar->addMenu(QStringLiteral("1300")), "mnuLB");
    mnuLBRename = entry(mnuLB, "mnuLBRename", "1301", 'R');
    mnuLBDelete = entry(mnuLB, "mnuLBDelete", "1302", 'D');
    mnuSeparator1 = separator(mnuLB, "mnuSeparator1");
    mnuLBStatistics = entry(mnuLB, "mnuLBStatistics", "1304");
    mnuLBFilter = entry(mnuLB, "mnuLBFilter", "1305");
    mnuLBFilter->setCheckable(true);
    mnuLBModifyDiveTime = entry(mnuLB, "mnuLBModifyDiveTime", "1306");

    mnuDownload = named(bar->addMenu(QStringLiteral("1308")), "mnuDownload");
    mnuDownloadDCPC = entry(mnuDownload, "mnuDownloadDCPC", "1309");
    mnuSeparator3 = separator(mnuDownload, "mnuSeparator3");
    mnuDownloadSettings = entry(mnuDownload, "mnuDownloadSettings", "1310");

    mnuView = named(bar->addMenu(QStringLiteral("1311")), "mnuView");
    mnuViewProfile = entry(mnuView, "mnuViewProfile", "1312", 'G');
    mnuViewSimulator = entry(mnuView, "mnuViewSimulator", "1313", 'S');

    mnuHelp = named(bar->addMenu(QStringLiteral("1315")), "mnuHelp");
    mnuHelpContents = entry(mnuHelp, "mnuHelpContents", "1316");
    mnuHelpSearchForHelpOn = entry(mnuHelp, "mnuHelpSearchForHelpOn", "1317");
    mnuHelpBar4 = separator(mnuHelp, "mnuHelpBar4");
    mnuHelpAbout = entry(mnuHelp, "mnuHelpAbout", "1318");

    // Entries that no user action reaches.
    for (QAction* hidden : {mnuImportDB, mnuSeparatorFile1, mnuSeparator3, mnuDownloadSettings})
        hidden->setVisible(false);
}

void frmMainControls::buildToolbar(QMainWindow* window) {
    tlbMainToolbar = named(new QToolBar(window), "tlbMainToolbar");
    tlbMainToolbar->setMovable(false);
    tlbMainToolbar->setFloatable(false);
    tlbMainToolbar->setIconSize(QSize(24, 24));
    tlbMainToolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    window->addToolBar(Qt::TopToolBarArea, tlbMainToolbar);

    static const QPair<const char*, const char*> buttons[] = {
        {"DOWNLOAD", "1309"}, {"SETTINGS", "1314"}, {"FILTER", "1305"},    {"PRINT", "1303"},
        {"PREVIEW", "1319"},  {"PROFILE", "1312"},  {"SIMULATOR", "1313"}, {"HELP", "1315"},
    };
    for (const auto& [key, tip] : buttons) {
        QAction* button = tlbMainToolbar->addAction(MainPictures::toolbarIcon(QLatin1String(key)), QString());
        button->setObjectName(QStringLiteral("tlbMainToolbar_") + QLatin1String(key));
        button->setProperty("key", QLatin1String(key));
        button->setToolTip(QLatin1String(tip));
        toolbarButtons.insert(QLatin1String(key), button);
    }
    toolbarButtons.value(QStringLiteral("FILTER"))->setCheckable(true);

    static const QPair<const char*, const char*> languages[] = {
        {"HELP_E", "2067"}, {"HELP_F", "2068"}, {"HELP_D", "2069"},
        {"HELP_I", "2070"}, {"HELP_P", "2071"}, {"HELP_S", "2072"},
    };
    auto* menu = named(new QMenu(tlbMainToolbar), "tlbMainToolbar_HELP_menu");
    for (const auto& [key, number] : languages) {
        QAction* language = menu->addAction(QString());
        language->setObjectName(QLatin1String(key));
        language->setProperty("key", QLatin1String(key));
        setTag(language, QLatin1String(number));
        helpLanguages.insert(QLatin1String(key), language);
    }
    QAction* help = toolbarButtons.value(QStringLiteral("HELP"));
    help->setMenu(menu);
    if (auto* button = qobject_cast<QToolButton*>(tlbMainToolbar->widgetForAction(help)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
}

void frmMainControls::buildLeftTabs(QWidget* parent) {
    tabLeft = named(new QTabWidget(parent), "tabLeft");
    // Both captions have to fit the narrow panel, in every language.
    QFont captions = tabLeft->tabBar()->font();
    captions.setPointSizeF(captions.pointSizeF() * 0.9);
    tabLeft->tabBar()->setFont(captions);
    // A narrow margin, as on the dive tabs: the longest captions (Spanish) fit the panel whole.
    tabLeft->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    tabLeft->tabBar()->setUsesScrollButtons(false);
    tabLeft->tabBar()->setElideMode(Qt::ElideRight);
    QWidget* trees = page(tabLeft, "1322");
    tvTreeView = named(new QTreeWidget(trees), "tvTreeView");
    tvTreeView->setHeaderHidden(true);
    tvTreeView->setUniformRowHeights(true);
    tvTreeView->setIconSize(QSize(16, 16));
    pageLayout(trees)->addWidget(tvTreeView);

    QWidget* panel = page(tabLeft, "1323");
    profilePanel = place(panel, named(new ProfilePanel(DiveGraph1, panel), "profilePanel"));
    // The panel keeps its own margins: the face is as wide as the tab set, less only its frame.
    panel->layout()->setContentsMargins(0, 0, 0, 0);
}

void frmMainControls::buildDiveTabs(QWidget* parent, DiveDataControl* data) {
    tabDive = named(new QTabWidget(parent), "tabDive");
    QFont captions = tabDive->tabBar()->font();
    captions.setPointSizeF(captions.pointSizeF() * 0.9);
    tabDive->tabBar()->setFont(captions);
    // All eight tabs stay in sight: the captions fit side by side with a narrow margin at the
    // window's first size, and are shortened below it; each tool tip holds the whole caption.
    tabDive->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    tabDive->tabBar()->setUsesScrollButtons(false);
    tabDive->tabBar()->setElideMode(Qt::ElideRight);

    QWidget* lists = page(tabDive, "1400");
    lvListViewRows = new ListRowsModel(
        {{"LOGBOOK", "1490"}, {"DIVES_NUMBER", "1491"}, {"MAX_DEPTH", "1492"}, {"MIN_TEMPERATURE", "1493"}});
    lvListView = listView("lvListView", lvListViewRows, lists);
    lvListView->setColumnWidth(COLUMN_LOGBOOK, 240);
    lvDiveRecordRows = new ListRowsModel(
        {{"DATETIME", "1500"}, {"DIVER", "1501"}, {"LOCATION", "1502"}, {"ACTIVITY", "1503"}, {"MODE", "1504"}});
    lvDiveRecord = listView("lvDiveRecord", lvDiveRecordRows, lists);
    for (const auto& [column, width] : {QPair{0, 150}, QPair{1, 110}, QPair{2, 120}, QPair{3, 100}})
        lvDiveRecord->setColumnWidth(column, width);
    // The two lists lie on each other; the selection shows one of them.
    auto* stack = new QGridLayout(lists);
    stack->setContentsMargins(MARGIN_PIXELS, MARGIN_PIXELS, MARGIN_PIXELS, MARGIN_PIXELS);
    stack->addWidget(lvListView, 0, 0);
    stack->addWidget(lvDiveRecord, 0, 0);
    lvDiveRecord->hide();

    calendarTab = place(page(tabDive, "1407"), new CalendarTab);
    chkCurrentLogbook = calendarTab->chkCurrentLogbook;

    buildGeneralTab(page(tabDive, "1402"), data);
    frameSettings = place(page(tabDive, "1403"), new SettingsTab);
    frameTechnicalInfo = place(page(tabDive, "1404"), new TechnicalTab);
    frameProfileInfo = place(page(tabDive, "1405"), new ProfileDataTab);
    frameNotes = place(page(tabDive, "1406"), new NotesTab(data));
    place(page(tabDive, "1453"), DiveGraph1);
}

void frmMainControls::buildGeneralTab(QWidget* page, DiveDataControl* data) {
    frameGeneralInfo = named(new QGroupBox(page), "frameGeneralInfo");
    setTag(frameGeneralInfo, QStringLiteral("1402"));
    pageLayout(page)->addWidget(frameGeneralInfo);

    auto field = [&](const char* name, const char* column) {
        auto* edit = named(new QLineEdit(frameGeneralInfo), name);
        boundFields.insert(QLatin1String(column), edit);
        return edit;
    };
    auto list = [&](const char* name) { return named(new QComboBox(frameGeneralInfo), name); };

    auto* grid = new QGridLayout(frameGeneralInfo);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    int row = 0;
    auto wideRow = [&](const char* captionName, const char* number, QWidget* control) {
        grid->addWidget(caption(captionName, number, frameGeneralInfo), row, 0);
        grid->addWidget(control, row, 1, 1, 3);
        ++row;
    };
    fldDiver = field("fldDiver", "DIVER");
    wideRow("lbl_Diver", "1410", fldDiver);
    fldLocation = field("fldLocation", "LOCATION");
    wideRow("lbl_Location", "1411", fldLocation);
    fldPoint = field("fldPoint", "POINT");
    wideRow("lbl_Point", "1420", fldPoint);
    fldInstructor = field("fldInstructor", "INSTRUCTOR");
    wideRow("lbl_Instructor", "1412", fldInstructor);
    fldDiveMaster = field("fldDiveMaster", "DIVEMASTER");
    wideRow("lbl_DiveMaster", "1413", fldDiveMaster);
    fldFriend = field("fldFriend", "FRIEND");
    wideRow("lbl_Friend", "1414", fldFriend);

    lblAirTemperature = caption("lblAirTemperature", "1417", frameGeneralInfo);
    fldAirTemperature = field("fldAirTemperature", "AIR_TEMPERATURE");
    lbl_AirTemperature = named(new QLabel(frameGeneralInfo), "lbl_AirTemperature");
    auto* airTemperature = new QHBoxLayout;
    airTemperature->addWidget(fldAirTemperature, 1);
    airTemperature->addWidget(lbl_AirTemperature);
    grid->addWidget(lblAirTemperature, row, 0);
    grid->addLayout(airTemperature, row, 1);
    fldWeight = field("fldWeight", "WEIGHT");
    grid->addWidget(caption("lbl_Weight", "1419", frameGeneralInfo), row, 2);
    grid->addWidget(fldWeight, row, 3);
    ++row;

    cmbActivity = list("cmbActivity");
    cmbWeather = list("cmbWeather");
    cmbWetsuit = list("cmbWetsuit");
    grid->addWidget(caption("lbl_Activity", "1415", frameGeneralInfo), row, 0);
    grid->addWidget(cmbActivity, row, 1);
    grid->addWidget(caption("lbl_Weather", "1416", frameGeneralInfo), row, 2);
    grid->addWidget(cmbWeather, row, 3);
    ++row;
    grid->addWidget(caption("lbl_Wetsuit", "1418", frameGeneralInfo), row, 0);
    grid->addWidget(cmbWetsuit, row, 1);

    pictureLocation = new DivePicture(data, frameGeneralInfo);
    mnuPopupImage = pictureLocation->mnuPopupImage;
    mnuPopupDeleteImage = pictureLocation->mnuPopupDeleteImage;
    grid->addWidget(pictureLocation, row, 2, 2, 2);
    grid->setRowStretch(row + 1, 1);
}

void frmMainControls::buildStatusBar(QMainWindow* window) {
    sbStatusBar = named(new QStatusBar(window), "sbStatusBar");
    window->setStatusBar(sbStatusBar);
    INFO_PANEL = named(new QLabel(sbStatusBar), "INFO_PANEL");
    sbDate = named(new QLabel(sbStatusBar), "sbDate");
    sbTime = named(new QLabel(sbStatusBar), "sbTime");
    sbStatusBar->addWidget(INFO_PANEL, 1);
    sbStatusBar->addPermanentWidget(sbDate);
    sbStatusBar->addPermanentWidget(sbTime);
}
