#include "frmMain.h"

#include "CalendarTab.h"
#include "CodedLists.h"
#include "CommandFailure.h"
#include "Dive.h"
#include "DiveDataControl.h"
#include "DiveInfoRules.h"
#include "DiveTabs.h"
#include "FormLocalizer.h"
#include "Internationalization.h"
#include "ListRowsModel.h"
#include "LogbookEdits.h"
#include "LogbookViews.h"
#include "Logbooks.h"
#include "MainCommands.h"
#include "MainLayout.h"
#include "MainModule.h"
#include "MainPictures.h"
#include "NodeSelection.h"
#include "ProfileDataTab.h"
#include "ProfilePanel.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsTab.h"
#include "StartUp.h"
#include "StatsScope.h"
#include "TechnicalTab.h"
#include "Twips.h"
#include "WindowHelpers.h"
#include "Workspace.h"
#include "frmAbout.h"
#include "frmDiveComputerSettings.h"
#include "frmDownLoad.h"
#include "frmFilter.h"
#include "frmImportDB.h"
#include "frmPrint.h"
#include "frmSettings.h"
#include "frmSimulator.h"
#include "frmStats.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <type_traits>

using TreeNodeKey::Kind;

using Twips::pixels;
using Twips::twips;

namespace {
const char* const WANTED = "selectionEnabled";

// A main-window handler run from a window event: nothing may escape into the event loop.
template <typename F> auto guarded(frmMain* window, const char* origin, const char* what, F&& handler) {
    return [window, origin, what, handler = std::forward<F>(handler)](auto&&... args) {
        try {
            if constexpr (std::is_invocable_v<F, decltype(args)...>)
                handler(args...);
            else
                handler();
        } catch (const std::exception& error) {
            window->reportFailure(QLatin1String(origin), QLatin1String(what), error);
        }
    };
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("S.O.N.A. 2.2"));
    Forms::add(this);
    dbData = new DiveDataControl(this);
    setupControls(this, dbData);
    m_edits = std::make_unique<LogbookEdits>(*dbData, this);
    m_nodes.looks = [this](qint32 fileID) { return dbData->looksOfLogbook(fileID); };
    // The calendar names the selected logbook as the tree shows it, renamed or not.
    calendarTab->nodeText = [this](const QString& key) {
        const QTreeWidgetItem* logbook = m_nodes.find(key);
        return logbook ? logbook->text(0) : QString();
    };
    for (QAction* command : findChildren<QAction*>())
        setCommandEnabled(command, command->isEnabled());
    setCommandEnabled(mnuLBDelete, false);
    connectHandlers();

    // Form_Load.
    dbData->setDatabaseName(Settings::instance().databaseName());
    localizeForm(this);
    // Tool tips take the menu texts; the access keys mean nothing there.
    for (QAction* button : tlbMainToolbar->actions())
        button->setToolTip(button->toolTip().remove(u'&'));
    resize(pixels(firstWidth()), pixels(2 * twips(tabLeft->tabBar()->sizeHint().height()) + WINDOW_HEIGHT_BELOW_TABS));
    SizeControls();
    centerForm(this);
    INFO_PANEL->setText(getString(1055) + QStringLiteral(": ") + getString(1057));
    profilePanel->createDiveComputerDisplay();
    fillCombos();
    setCommandEnabled(mnuDownloadSettings, isMenuEnabled(mnuDownloadSettings->objectName()));
    setCommandEnabled(mnuImportDB, isMenuEnabled(mnuImportDB->objectName()));
    refreshMainWindow();
    Logbooks::reportDivesWithoutLogbook();
    lvListView->setColumnHidden(COLUMN_MAX_DEPTH, true);
    lvListView->setColumnHidden(COLUMN_MIN_TEMPERATURE, true);
    for (int i = 0; i < 2; ++i)
        tabLeft->setTabText(i, u' ' + tabLeft->tabText(i));
    for (int i = 0; i < tabDive->count(); ++i)
        tabDive->setTabToolTip(i, tabDive->tabText(i));

    updateClock();
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &frmMain::updateClock);
    clock->start(1000);
}

frmMain::~frmMain() = default;

void frmMain::connectHandlers() {
    connect(tvTreeView, &QTreeWidget::currentItemChanged, this,
            guarded(this, "tvTreeView_NodeClick", "Error selecting the node",
                    [this](QTreeWidgetItem* item, QTreeWidgetItem*) { treeItemChosen(item, false); }));
    connect(tvTreeView, &QTreeWidget::itemClicked, this,
            guarded(this, "tvTreeView_NodeClick", "Error selecting the node",
                    [this](QTreeWidgetItem* item, int) { treeItemChosen(item, true); }));
    connect(tvTreeView, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { m_nodes.fill(item); });
    connect(tabDive, &QTabWidget::currentChanged, this,
            guarded(this, "tabDive_Click", "Error showing the tab", [this](int index) {
                const int previous = m_shownDiveTab;
                m_shownDiveTab = index;
                tabDive_Click(previous);
            }));
    connect(dbData, &DiveDataControl::reposition, this, &frmMain::dbData_Reposition);
    for (auto it = boundFields.cbegin(); it != boundFields.cend(); ++it) {
        const QString column = it.key();
        connect(*it, &QLineEdit::textEdited, this,
                guarded(this, "dbData", "Error editing the field", [this, column](const QString& text) {
                    dbData->setValue(column, text.isEmpty() ? QVariant() : QVariant(text));
                }));
    }
    connect(cmbActivity, &QComboBox::activated, this, [this] { cmbActivity_Click(); });
    connect(cmbWeather, &QComboBox::activated, this, [this] { cmbWeather_Click(); });
    connect(cmbWetsuit, &QComboBox::activated, this, [this] { cmbWetsuit_Click(); });

    connect(mnuLBDelete, &QAction::triggered, this,
            guarded(this, "mnuLBDelete_click", "Error deleting", [this] { mnuLBDelete_Click(); }));
    connect(mnuLBModifyDiveTime, &QAction::triggered, this,
            guarded(this, "mnuLBModifyDiveTime_click", "Error", [this] { mnuLBModifyDiveTime_Click(); }));
    connect(mnuLBRename, &QAction::triggered, this,
            guarded(this, "mnuLBRename_Click", "Error", [this] { mnuLBRename_Click(); }));
    connect(tvTreeView->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            guarded(this, "tvTreeView_AfterLabelEdit", "Error updating node label",
                    [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                        labelEditClosed(hint != QAbstractItemDelegate::RevertModelCache);
                    }));
    connect(mnuLBFilter, &QAction::triggered, this,
            guarded(this, "mnuLBFilter_Click", "Error", [this] { mnuLBFilter_Click(); }));
    connect(mnuExit, &QAction::triggered, this, guarded(this, "mnuExit_Click", "Error", [this] { mnuExit_Click(); }));
    connect(
        mnuViewPreference, &QAction::triggered, this,
        guarded(this, "mnuViewPreference_Click", "Error opening the options", [this] { mnuViewPreference_Click(); }));
    connect(mnuViewSimulator, &QAction::triggered, this,
            guarded(this, "mnuViewSimulator_Click", "Error", [this] { mnuViewSimulator_Click(); }));
    // The profile panel continues the dive it shows; an open simulator keeps its own.
    connect(profilePanel, &ProfilePanel::simulatorRequested, this,
            guarded(this, "tblProfile_ButtonClick", "Error", [this] { mnuViewSimulator_Click(currentDive); }));
    connect(mnuLBStatistics, &QAction::triggered, this,
            guarded(this, "mnuLBStatistics_Click", "Error", [this] { mnuLBStatistics_Click(); }));
    connect(mnuDownloadDCPC, &QAction::triggered, this,
            guarded(this, "mnuDownloadDCPC_Click", "Error downloading", [this] { mnuDownloadDCPC_Click(); }));
    connect(mnuImportDB, &QAction::triggered, this,
            guarded(this, "mnuImportDB_Click", "Error importing", [this] { mnuImportDB_Click(); }));
    connect(mnuViewProfile, &QAction::triggered, this,
            guarded(this, "mnuViewProfile_Click", "Error opening the profile", [this] { mnuViewProfile_Click(); }));
    connect(mnuDownloadSettings, &QAction::triggered, this,
            guarded(this, "mnuDownloadSettings_Click", "Error", [this] { mnuDownloadSettings_Click(); }));
    connect(mnuPrint, &QAction::triggered, this,
            guarded(this, "mnuPrint_Click", "Error printing", [this] { mnuPrint_Click(); }));
    connect(mnuHelpAbout, &QAction::triggered, this,
            guarded(this, "mnuHelpAbout_Click", "Error", [this] { mnuHelpAbout_Click(); }));
    connect(mnuHelpContents, &QAction::triggered, this, [this] { mnuHelpContents_Click(); });
    connect(mnuHelpSearchForHelpOn, &QAction::triggered, this, [this] { mnuHelpSearchForHelpOn_Click(); });
    connect(tlbMainToolbar, &QToolBar::actionTriggered, this,
            guarded(this, "tlbMainToolbar_ButtonClick", "Error", [this](QAction* action) {
                const QString key = action->property("key").toString();
                if (!helpLanguages.contains(key)) // the languages answer through their own entries
                    tlbMainToolbar_ButtonClick(key);
            }));
    for (QAction* language : helpLanguages)
        connect(language, &QAction::triggered, this,
                [this, language] { tlbMainToolbar_ButtonMenuClick(language->property("key").toString()); });
}

bool frmMain::isMenuEnabled(const QString& name) {
    return name != QLatin1String("mnuImportDB");
}

QString frmMain::keyOf(const QTreeWidgetItem* node) {
    return LogbookViews::keyOf(node);
}

bool frmMain::isWanted(const QAction* command) {
    return command->property(WANTED).toBool();
}

void frmMain::setCommandEnabled(QAction* command, bool wanted) {
    command->setProperty(WANTED, wanted);
    command->setEnabled(wanted);
}

// ---------------------------------------------------------------------------------------------
// Layout

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    SizeControls();
}

int frmMain::firstWidth() const {
    // Wide enough for every dive tab's whole caption in the language of the day (Italian and German
    // captions are much longer than the English ones), within the screen.
    QTabBar* captions = tabDive->tabBar();
    captions->ensurePolished();
    const int frame = 2 * tabDive->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tabDive) + 4;
    int width = std::max(WINDOW_WIDTH, MainLayout::windowWidthFor(twips(captions->sizeHint().width() + frame)));
    if (const QScreen* shown = screen())
        width = std::min(width, twips(shown->availableGeometry().width()));
    return width;
}

void frmMain::SizeControls() {
    MainLayout::Input in;
    in.windowWidth = twips(frameGeometry().width());
    in.innerHeight = twips(centralWidget()->height());
    in.tabHeight = twips(tabLeft->tabBar()->sizeHint().height());
    in.imgTitlesHeight = twips(imgTitles->height());
    in.lblTitleHeight = twips(lblTitle->height());
    const MainLayout layout = MainLayout::compute(in);
    // A part that cannot take its size keeps the one it had; the others still move.
    const QPair<QWidget*, QRect> parts[] = {{tabLeft, layout.tabLeft},
                                            {imgTitles, layout.imgTitles},
                                            {lblTitle, layout.lblTitle},
                                            {lblTitleShadow, layout.lblTitleShadow},
                                            {tabDive, layout.tabDive}};
    for (const auto& [part, rect] : parts) {
        if (MainLayout::fits(rect))
            part->setGeometry(pixels(rect));
    }
}

// ---------------------------------------------------------------------------------------------
// Tree and selection

void frmMain::refreshMainWindow() {
    BusyGuard busy;
    Settings& settings = Settings::instance();
    dbData->setRecordSource(settings.currentFilter());
    loadTreeView(qint16(settings.currentDiveComputer()), QString());
    if (const std::optional<bool> on = DiveInfoRules::tankFieldsOnRefresh(settings.currentDiveComputer())) {
        frameSettings->enableAirControls(*on);
        frameTechnicalInfo->enableAirControls(*on);
    }
    enableDiveTabs(false);
    calendarTab->showToday();
    tabLeft->setCurrentIndex(0);
    selectDiveTab(DiveTabs::TAB_LIST);
}

void frmMain::reloadTreeView(const QString& visibleNodeKey) {
    loadTreeView(qint16(Settings::instance().currentDiveComputer()), visibleNodeKey);
}

void frmMain::frmSimulator_SimulationSaved(const QString& diveID) {
    reloadTreeView(diveID);
}

void frmMain::loadTreeView(qint16 dcModel, const QString& visibleNodeKey) {
    {
        QScopedValueRollback quiet(m_quietTree, true);
        tvTreeView->clear();
    }
    m_nodes.clear();
    m_pressedItem = nullptr;
    // After the build no field is on screen to shorten an entry the database refuses: such edits are
    // reported and dropped, or every later selection and the exit would refuse them again.
    if (!commitPendingEdits())
        dbData->cancelUpdate();
    const Database db = Workspace::defaultWorkspace().openDatabase(dbData->databaseName());
    const QList<LogbookTree::LogbookRow> logbooks = LogbookTree::readLogbooks(db, dcModel);
    // The data control reads its rows anew at every build: rows stored since the last read (a
    // download, a saved simulation) must be found before a dive is selected, or the bound fields
    // would stand on another dive's row.
    dbData->requery();
    m_tree = LogbookTree::build(dcModel, logbooks, dbData->rows(), visibleNodeKey);
    calendarTab->fill(m_tree);

    QTreeWidgetItem* root = m_nodes.build(m_tree);
    tvTreeView->addTopLevelItem(root);

    // From here on a failing step is skipped: the tree is built and must be usable.
    const auto step = [](const auto& statement) {
        try {
            statement();
        } catch (const RuntimeError&) {
        }
    };
    step([&] {
        QTreeWidgetItem* visible = m_tree.visibleDiveKey.isEmpty() ? nullptr : m_nodes.node(m_tree.visibleDiveKey);
        if (!visible) {
            root->setExpanded(true);
            tvTreeView->scrollToItem(root);
        } else {
            for (QTreeWidgetItem* up = visible->parent(); up; up = up->parent())
                up->setExpanded(true);
            visible->setExpanded(true);
            tvTreeView->scrollToItem(visible);
        }
    });
    step([&] { fillListView(m_tree.rootKey); });
    step([&] {
        setCurrentItemQuietly(root);
        tvTreeview_nodeClic(root, false);
        currentNode = m_tree.rootKey;
    });
}

void frmMain::addTreeNode(const QString& logbookID, const QString& diveID, const QString& label) {
    QTreeWidgetItem* logbook = m_nodes.find(QStringLiteral("LB") + logbookID);
    if (!logbook)
        throw RuntimeError(RuntimeError::ElementNotFound, QStringLiteral("frmMain.addTreeNode"),
                           QStringLiteral("Element not found"));
    const QString key = QStringLiteral("DR") + diveID;
    QTreeWidgetItem* item =
        LogbookViews::item(key, label, MainPictures::logBookIcon(LogbookTree::IMAGE_DIVE_SIMULATED));
    m_nodes.fill(logbook);
    logbook->addChild(item);
    m_nodes.insert(key, item);
    logbook->setExpanded(true);
    item->setExpanded(true);
    setCurrentItemQuietly(item);
    tvTreeView->scrollToItem(item);
}

void frmMain::setCurrentItemQuietly(QTreeWidgetItem* item) {
    QScopedValueRollback quiet(m_quietTree, true);
    tvTreeView->setCurrentItem(item);
}

// A press selects the item (currentItemChanged) and the release clicks it: the click after a
// press on a new item is the same choice, while a click on the item already highlighted (say,
// after a refused selection) applies it again.
void frmMain::treeItemChosen(QTreeWidgetItem* item, bool byClick) {
    if (m_quietTree || !item)
        return;
    if (byClick) {
        const bool sameChoice = item == m_pressedItem;
        m_pressedItem = nullptr;
        if (sameChoice)
            return;
    } else {
        m_pressedItem = QApplication::mouseButtons() != Qt::NoButton ? item : nullptr;
    }
    tvTreeview_nodeClic(item, false);
}

void frmMain::tvTreeview_nodeClic(QTreeWidgetItem* node, bool force) {
    if (!node) {
        Seams::message().show(QStringLiteral("[frmMain.tvTreeview_nodeClic]"), Msg::OkOnly, QString());
        currentNode.clear();
        changeCurrentTab(currentTab);
        return;
    }
    const QString key = keyOf(node);
    if (!force && !currentNode.isEmpty() && currentNode == key)
        return;
    Settings& settings = Settings::instance();
    const Kind kind = TreeNodeKey::kindOf(key);
    const Kind previous = TreeNodeKey::kindOf(currentNode);
    switch (kind) {
    case Kind::Root:
    case Kind::Logbook: {
        if (!commitPendingEdits())
            return;
        const bool root = kind == Kind::Root;
        lvListView->setVisible(root);
        lvDiveRecord->setVisible(!root);
        currentTab = DiveTabs::TAB_LIST;
        fillListView(key);
        setTitle(NodeSelection::title(kind, node->text(0), qint16(settings.currentDiveComputer())));
        applyCommands(kind, false, 0);
        settings.setCurrentDiveID(-1);
        settings.setCurrentLogbookID(root ? -1 : TreeNodeKey::id(key));
        break;
    }
    case Kind::Dive: {
        const qint32 diveID = TreeNodeKey::id(key);
        try {
            dbData->moveToDive(diveID);
        } catch (const RuntimeError& error) {
            CommandFailure::reportRefusedEdit(error);
            return;
        }
        settings.setCurrentDiveID(diveID);
        settings.setCurrentLogbookID(TreeNodeKey::id(keyOf(node->parent())));
        currentDive = NodeSelection::loadDive(diveID);
        setTitle(NodeSelection::title(kind, NodeSelection::dateTimeText(dbData->value(QStringLiteral("DATETIME"))),
                                      qint16(settings.currentDiveComputer())));
        currentTab = NodeSelection::tabAfter(kind, previous, currentTab);
        applyCommands(kind, currentDive && currentDive->isFreeDive(),
                      dbData->value(QStringLiteral("SAMPLE")).toString().size());
        break;
    }
    case Kind::None:
        break;
    }
    changeCurrentTab(currentTab);
    currentNode = key;
}

void frmMain::applyCommands(Kind kind, bool freeDive, qsizetype sampleLength) {
    const NodeSelection::Commands c = NodeSelection::commandsFor(kind, freeDive, sampleLength);
    const auto apply = [this](QAction* command, const std::optional<bool>& state) {
        if (state)
            setCommandEnabled(command, *state);
    };
    apply(toolbarButtons.value(QStringLiteral("PROFILE")), c.profile);
    apply(toolbarButtons.value(QStringLiteral("PREVIEW")), c.preview);
    apply(toolbarButtons.value(QStringLiteral("SIMULATOR")), c.simulator);
    apply(profilePanel->buttons.value(QStringLiteral("SIMULATOR")), c.simulator);
    apply(mnuLBDelete, c.lbDelete);
    apply(mnuLBRename, c.lbRename);
    if (c.currentLogbook)
        chkCurrentLogbook->setEnabled(*c.currentLogbook);
    if (c.profileTab) {
        m_profileSwitch = *c.profileTab;
        applyTabAvailability();
    }
}

void frmMain::setTitle(const QString& title) {
    lblTitle->setText(title);
    lblTitleShadow->setText(title);
}

// ---------------------------------------------------------------------------------------------
// Lists

void frmMain::fitColumns(QTreeView* list) {
    // Each column as wide as its widest entry and its title, never narrower than it was made; when
    // they do not all fit the list, the widest give way first, none narrower than its title, so that
    // every title reads whole and every column is in sight.
    QList<int>& made = m_madeColumnWidths[list];
    const int count = list->model()->columnCount();
    QList<int> widths(count, 0);
    QList<int> floors(count, 0);
    int total = 0;
    for (int column = 0; column < count; ++column) {
        if (made.size() <= column)
            made.append(list->columnWidth(column));
        if (list->isColumnHidden(column))
            continue;
        list->resizeColumnToContents(column);
        widths[column] = std::max(made[column], list->columnWidth(column));
        floors[column] = std::min(widths[column], list->header()->sectionSizeHint(column));
        total += widths[column];
    }
    // The first column (a date, a logbook's name) keeps its width whatever the others do.
    const int room = list->viewport()->width();
    while (total > room) {
        int widest = -1;
        for (int column = 1; column < count; ++column) {
            if (widths[column] > floors[column] && (widest < 0 || widths[column] > widths[widest]))
                widest = column;
        }
        if (widest < 0)
            break;
        int next = floors[widest];
        for (int column = 1; column < count; ++column) {
            if (widths[column] < widths[widest])
                next = std::max(next, widths[column]);
        }
        const int shrink = std::min(total - room, widths[widest] - next);
        widths[widest] -= shrink;
        total -= shrink;
    }
    for (int column = 0; column < count - 1; ++column) {
        if (!list->isColumnHidden(column))
            list->setColumnWidth(column, widths[column]);
    }
}

void frmMain::fillListView(const QString& key) {
    const QTreeWidgetItem* node = m_nodes.find(key);
    if (!node)
        throw RuntimeError(RuntimeError::ElementNotFound, QStringLiteral("frmMain.fillListView"),
                           QStringLiteral("Element not found"));
    if (m_nodes.childCount(node) == 0) {
        lvListViewRows->clear();
        lvDiveRecordRows->clear();
        fitColumns(lvListView);
        fitColumns(lvDiveRecord);
    } else if (TreeNodeKey::kindOf(key) == Kind::Root) {
        LogbookViews::fillLogbookList(*lvListViewRows, m_nodes.children(node));
        fitColumns(lvListView);
    } else if (TreeNodeKey::kindOf(key) == Kind::Logbook) {
        LogbookViews::fillDiveList(*lvDiveRecordRows, lvDiveRecord, TreeNodeKey::id(key), m_nodes.children(node),
                                   Workspace::defaultWorkspace().openDatabase(dbData->databaseName()));
        fitColumns(lvDiveRecord);
    }
}

// ---------------------------------------------------------------------------------------------
// Dive tabs

void frmMain::changeCurrentTab(qint16 index) {
    const bool diveSelected = TreeNodeKey::kindOf(keyOf(tvTreeView->currentItem())) == Kind::Dive;
    const DiveTabs::Change c = DiveTabs::change(index, currentTab, diveSelected, m_profileSwitch);
    if (index != DiveTabs::TAB_PROFILE)
        setProfilePanel(false);
    if (c.toNotes) {
        changeCurrentTab(DiveTabs::TAB_NOTES);
        return;
    }
    switch (c.fill) {
    case DiveTabs::Fill::General:
        showGeneralInfo();
        break;
    case DiveTabs::Fill::Profile: {
        setProfilePanel(true);
        const qint32 diveID = Settings::instance().currentDiveID();
        if (diveID != -1)
            setProfileDive(NodeSelection::loadDive(diveID));
        break;
    }
    case DiveTabs::Fill::Settings:
        frameSettings->fill(currentDive.get());
        break;
    case DiveTabs::Fill::Technical:
        frameTechnicalInfo->fill(currentDive.get());
        break;
    case DiveTabs::Fill::ProfileData:
        frameProfileInfo->fill(currentDive.get());
        break;
    case DiveTabs::Fill::None:
        break;
    }
    if (c.diveGroup)
        enableDiveTabs(*c.diveGroup);
    currentTab = c.currentTab;
    selectDiveTab(currentTab);
}

void frmMain::tabDive_Click(int previousIndex) {
    if (previousIndex != DiveTabs::TAB_LIST)
        changeCurrentTab(qint16(tabDive->currentIndex()));
}

void frmMain::selectDiveTab(int index) {
    tabDive->setCurrentIndex(index);
}

void frmMain::enableDiveTabs(bool flag) {
    m_diveGroup = flag;
    applyTabAvailability();
}

void frmMain::setProfilePanel(bool on) {
    m_profilePanel = on;
    applyTabAvailability();
}

// Disabling the tab on show makes the tab bar move away from it on its own; the window decides
// which tab shows, so that move is undone without a click event.
void frmMain::applyTabAvailability() {
    const auto apply = [](QTabWidget* tabs, int index, bool enabled) {
        if (tabs->isTabEnabled(index) == enabled)
            return;
        const QSignalBlocker blocker(tabs);
        const int shown = tabs->currentIndex();
        tabs->setTabEnabled(index, enabled);
        tabs->setCurrentIndex(shown);
    };
    for (int i = 0; i < DiveTabs::TAB_COUNT; ++i)
        apply(tabDive, i, DiveTabs::mayChoose(i, m_diveGroup, m_profileSwitch));
    apply(tabLeft, 1, m_profilePanel);
}

void frmMain::fillCombos() {
    const auto fill = [](QComboBox* list, const CodedLists::CodedList& codes) {
        for (int code = 0; code < codes.count; ++code)
            list->addItem(getString(codes.firstString + code), code);
    };
    fill(cmbWeather, CodedLists::WEATHER);
    fill(cmbActivity, CodedLists::ACTIVITY);
    fill(cmbWetsuit, CodedLists::WETSUIT);
}

void frmMain::showGeneralInfo() {
    lbl_AirTemperature->setText(Internationalization::instance().getTemperatureString());
    const QPair<QComboBox*, CodedLists::CodedList> lists[] = {
        {cmbWeather, CodedLists::WEATHER}, {cmbActivity, CodedLists::ACTIVITY}, {cmbWetsuit, CodedLists::WETSUIT}};
    for (const auto& [list, codes] : lists)
        list->setCurrentIndex(CodedLists::listIndex(dbData->value(QLatin1String(codes.column)), codes.count));
}

void frmMain::showBoundFields() {
    // A logbook that cannot be written is shown read-only: nothing typed could be kept.
    const bool readOnly = dbData->isReadOnly();
    const bool onRow = dbData->hasCurrentRow();
    for (auto it = boundFields.cbegin(); it != boundFields.cend(); ++it) {
        (*it)->setText(dbData->value(it.key()).toString());
        (*it)->setReadOnly(!onRow || readOnly);
    }
    for (QComboBox* list : {cmbActivity, cmbWeather, cmbWetsuit})
        list->setEnabled(!readOnly);
}

void frmMain::dbData_Reposition() {
    try {
        showBoundFields();
        if (dbData->recordCount() > 0 && dbData->absolutePosition() != -1 && currentTab == DiveTabs::TAB_PROFILE_DATA)
            changeCurrentTab(DiveTabs::TAB_PROFILE_DATA);
    } catch (const std::exception& error) {
        reportFailure(QStringLiteral("dbData_Reposition"), QStringLiteral("Error showing the dive"), error);
    }
}

void frmMain::cmbActivity_Click() {
    codedList_Click(cmbActivity, CodedLists::ACTIVITY.column);
}
void frmMain::cmbWeather_Click() {
    codedList_Click(cmbWeather, CodedLists::WEATHER.column);
}
void frmMain::cmbWetsuit_Click() {
    codedList_Click(cmbWetsuit, CodedLists::WETSUIT.column);
}

void frmMain::codedList_Click(QComboBox* list, const char* column) {
    if (dbData->recordCount() == 0)
        return;
    try {
        dbData->writeValue(QLatin1String(column), list->currentIndex());
    } catch (const RuntimeError& error) {
        CommandFailure::reportRefusedEdit(error);
    }
}

// ---------------------------------------------------------------------------------------------
// Commands and shutdown

bool frmMain::commitPendingEdits() {
    try {
        dbData->updateRecord();
        return true;
    } catch (const RuntimeError& error) {
        CommandFailure::reportRefusedEdit(error);
        return false;
    }
}

bool frmMain::commitOrDiscardEdits() {
    try {
        dbData->updateRecord();
        return true;
    } catch (const RuntimeError& error) {
        // Entries that can never be stored (a read-only logbook) must not keep the program open.
        if (!CommandFailure::discardRefusedEdit(error))
            return false;
        dbData->cancelUpdate();
        return true;
    }
}

void frmMain::reportFailure(const QString& origin, const QString& what, const std::exception& error) {
    CommandFailure::report(origin, what, error);
}

bool frmMain::Form_QueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::FormControlMenu &&
        Seams::message().show(getString(3000), Msg::YesNo | Msg::Question, getString(1002)) == Msg::No)
        return true;
    // Typed entries are kept whichever way the program ends; an entry the database refuses keeps
    // the program open so that it can be shortened, unless the user drops it.
    if (!commitOrDiscardEdits())
        return true;
    unloadAllForms(this);
    return false;
}

void frmMain::closeEvent(QCloseEvent* event) {
    const UnloadMode mode = event->spontaneous() ? UnloadMode::FormControlMenu : UnloadMode::FormCode;
    bool cancel = false;
    try {
        cancel = Form_QueryUnload(mode);
    } catch (const std::exception& error) {
        reportFailure(QStringLiteral("Form_QueryUnload"), QStringLiteral("Error closing the program"), error);
    }
    event->setAccepted(!cancel);
}

void frmMain::mnuExit_Click() {
    if (Seams::message().show(getString(3000), Msg::YesNo | Msg::Question, getString(1002)) == Msg::No)
        return;
    if (!commitOrDiscardEdits())
        return;
    close();
}

void frmMain::mnuDownloadDCPC_Click() {
    if (!commitPendingEdits())
        return;
    Seams::busyPointer().setBusy(true); // the dialog's load sets it back
    frmDownLoad dialog(this);
    dialog.exec();
    if (dialog.bOk)
        loadTreeView(qint16(Settings::instance().currentDiveComputer()), QString());
}

void frmMain::mnuImportDB_Click() {
    if (!commitPendingEdits())
        return;
    frmImportDB dialog(this);
    dialog.exec();
    if (dialog.hadImported)
        loadTreeView(qint16(Settings::instance().currentDiveComputer()), QString());
}

void frmMain::mnuDownloadSettings_Click() {
    // A closed window is on its way out and does not count.
    for (auto* open : findChildren<frmDiveComputerSettings*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (open->isVisible()) {
            open->show();
            open->raise();
            open->activateWindow();
            return;
        }
    }
    (new frmDiveComputerSettings(this))->show();
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout dialog(this);
    dialog.exec();
}

void frmMain::mnuViewPreference_Click() {
    Seams::busyPointer().setBusy(true);
    frmSettings dialog(this);
    dialog.exec();
}

frmSimulator* frmMain::simulator() const {
    return m_simulator;
}

void frmMain::mnuViewSimulator_Click(std::shared_ptr<Dive> dive) {
    if (!commitPendingEdits())
        return;
    if (m_simulator) {
        m_simulator->show();
        m_simulator->raise();
        m_simulator->activateWindow();
        return;
    }
    Seams::busyPointer().setBusy(true); // the simulator's opening sets it back
    m_simulator = new frmSimulator(std::move(dive), this);
    m_simulator->setAttribute(Qt::WA_DeleteOnClose);
    m_simulator->setMainForm(this);
    connect(m_simulator, &frmSimulator::simulationSaved, this, &frmMain::frmSimulator_SimulationSaved);
    m_simulator->show();
}

void frmMain::mnuLBStatistics_Click() {
    std::unique_ptr<frmStats> window;
    {
        const BusyGuard busy;
        window = std::make_unique<frmStats>(this);
    }
    if (window->statsMode != StatsScope::CANCELLED && window->hasDives())
        window->exec();
}

void frmMain::mnuHelpContents_Click() {
    MainCommands::showApplicationHelp(applicationHelpFile(), MainCommands::HELP_CONTENTS);
}

void frmMain::mnuHelpSearchForHelpOn_Click() {
    MainCommands::showApplicationHelp(applicationHelpFile(), MainCommands::HELP_INDEX);
}

namespace {
// The print commands need a printer; the program's own PDF printer is always there, but the
// platform's list is what counts.
bool printerInstalled() {
    if (!Seams::printers().printerNames().isEmpty())
        return true;
    Seams::message().show(getString(3037), Msg::OkOnly | Msg::Critical, getString(1005));
    return false;
}
} // namespace

void frmMain::mnuPrint_Click() {
    if (!printerInstalled() || !commitPendingEdits())
        return;
    frmPrint dialog(this);
    dialog.exec();
}

void frmMain::previewCurrentDive() {
    if (!printerInstalled())
        return;
    BusyGuard busy;
    if (!commitPendingEdits())
        return;
    frmPrint dialog(this);
    dialog.doPreview(nullptr);
}

void frmMain::tlbMainToolbar_ButtonClick(const QString& key) {
    if (key == QLatin1String("PRINT"))
        mnuPrint_Click();
    else if (key == QLatin1String("PREVIEW"))
        previewCurrentDive();
    else if (key == QLatin1String("DOWNLOAD"))
        mnuDownloadDCPC_Click();
    else if (key == QLatin1String("SETTINGS"))
        mnuViewPreference_Click();
    else if (key == QLatin1String("SIMULATOR"))
        mnuViewSimulator_Click();
    else if (key == QLatin1String("HELP"))
        mnuHelpContents_Click();
    else if (key == QLatin1String("PROFILE"))
        mnuViewProfile_Click();
    else if (key == QLatin1String("FILTER"))
        toggleFilter(toolbarButtons.value(key));
}

void frmMain::tlbMainToolbar_ButtonMenuClick(const QString& key) {
    const std::optional<qint16> language = MainCommands::helpLanguage(key);
    if (!language)
        return;
    MainCommands::openHelp(Settings::instance().getHelpPathName(*language), MainCommands::HELP_CONTENTS);
}

void frmMain::updateClock() {
    const QDateTime now = Seams::clock().now();
    const QLocale locale;
    sbDate->setText(locale.toString(now.date(), QLocale::ShortFormat));
    sbTime->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

// ---------------------------------------------------------------------------------------------
// Filter and the edits of the tree

void frmMain::mnuLBFilter_Click() {
    toggleFilter(nullptr);
}

void frmMain::toggleFilter(QAction* button) {
    QAction* filter = toolbarButtons.value(QStringLiteral("FILTER"));
    const bool wasOn = button ? !filter->isChecked() : filter->isChecked();
    // The menu's check mark switches itself on a click: all three signs are set from the state.
    const auto showState = [this, filter](bool on) {
        filter->setChecked(on);
        mnuLBFilter->setChecked(on);
        INFO_PANEL->setText(MainCommands::filterPanelText(on));
    };
    // The button as the menu: typed entries are written before the rows are read anew.
    if (!commitPendingEdits()) {
        showState(wasOn);
        return;
    }
    filter->setChecked(!wasOn);
    if (!wasOn) {
        frmFilter dialog(this);
        dialog.exec();
        if (!dialog.isOk) {
            showState(false);
            return;
        }
    } else {
        Settings::instance().setCurrentFilter(MainCommands::unfilteredStatement());
    }
    refreshMainWindow();
    showState(!wasOn);
}

void frmMain::mnuLBDelete_Click() {
    QTreeWidgetItem* item = m_nodes.find(currentNode);
    if (!item || !m_edits->deleteNode(currentNode, item->text(0)))
        return;
    // The data control has dropped the row and any edits typed for it.
    QTreeWidgetItem* parent = item->parent();
    m_nodes.forget(item);
    if (m_pressedItem && (m_pressedItem == item || m_pressedItem->parent() == item))
        m_pressedItem = nullptr;
    setCurrentItemQuietly(parent);
    delete item;
    tvTreeview_nodeClic(parent, true);
}

void frmMain::mnuLBModifyDiveTime_Click() {
    const QTreeWidgetItem* selected = m_nodes.find(currentNode);
    const LogbookEdits::Redate redate = m_edits->modifyDiveTime(selected ? selected->text(0) : QString());
    QTreeWidgetItem* item = redate.apply ? node(redate.key) : nullptr;
    if (!item)
        return;
    item->setText(0, redate.text);
    tvTreeview_nodeClic(item, true);
}

void frmMain::mnuLBRename_Click() {
    QTreeWidgetItem* item = m_nodes.find(currentNode);
    if (!item || TreeNodeKey::kindOf(currentNode) != Kind::Logbook)
        return;
    // Labels are edited only through this command.
    m_renamedKey = currentNode;
    m_labelBeforeEdit = item->text(0);
    {
        const QSignalBlocker blocker(tvTreeView);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    tvTreeView->editItem(item, 0);
}

// The tree keeps the old label until the name is stored, so that a refused name never shows. The
// name is judged even when unchanged: a logbook cannot be renamed to the name it has.
void frmMain::labelEditClosed(bool committed) {
    QTreeWidgetItem* item = m_nodes.find(m_renamedKey);
    m_renamedKey.clear();
    if (!item)
        return;
    QString typed;
    {
        const QSignalBlocker blocker(tvTreeView);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        typed = item->text(0);
        item->setText(0, m_labelBeforeEdit);
    }
    if (!committed || !m_edits->renameLogbook(keyOf(item), typed))
        return;
    item->setText(0, typed);
    tvTreeview_nodeClic(item, true);
}
