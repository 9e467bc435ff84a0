#include "frmMain.h"

#include "CalendarTab.h"
#include "CommandFailure.h"
#include "DiveDataControl.h"
#include "DownloadCommands.h"
#include "FileCommands.h"
#include "FormLocalizer.h"
#include "GeneralTab.h"
#include "HelpCommands.h"
#include "LogbookCommands.h"
#include "LogbookEdits.h"
#include "LogbookViews.h"
#include "Logbooks.h"
#include "MainLayout.h"
#include "MainModule.h"
#include "ProfileCommands.h"
#include "ProfilePanel.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "StartUp.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>

using Twips::pixels;
using Twips::twips;

namespace {
const char* const WANTED = "selectionEnabled";

// A menu entry runs its command; nothing may escape into the event loop.
template <typename F> void wire(QObject* context, QAction* entry, const char* origin, const char* what, F command) {
    QObject::connect(entry, &QAction::triggered, context, CommandFailure::guarded(origin, what, std::move(command)));
}
} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent), dbData(new DiveDataControl(this)), m_ui(this, dbData),
      m_general(std::make_unique<GeneralTab>(*dbData,
                                             GeneralTab::Controls{m_ui.boundFields, m_ui.cmbWeather, m_ui.cmbActivity,
                                                                  m_ui.cmbWetsuit, m_ui.lbl_AirTemperature})),
      m_edits(std::make_unique<LogbookEdits>(*dbData, this)), m_fileCommands(std::make_unique<FileCommands>(*this)),
      m_logbookCommands(std::make_unique<LogbookCommands>(*this)),
      m_downloadCommands(std::make_unique<DownloadCommands>(*this)),
      m_profileCommands(std::make_unique<ProfileCommands>(*this)),
      m_helpCommands(std::make_unique<HelpCommands>(*this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("S.O.N.A. 2.2"));
    Forms::add(this);
    m_nodes.looks = [this](qint32 fileID) { return dbData->looksOfLogbook(fileID); };
    // The calendar names the selected logbook as the tree shows it, renamed or not.
    m_ui.calendarTab->nodeText = [this](const QString& key) {
        const QTreeWidgetItem* logbook = m_nodes.find(key);
        return logbook ? logbook->text(0) : QString();
    };
    for (QAction* command : findChildren<QAction*>())
        setCommandEnabled(command, command->isEnabled());
    setCommandEnabled(m_ui.mnuLBDelete, false);
    connectHandlers();

    // Form_Load.
    dbData->setDatabaseName(Settings::instance().databaseName());
    localizeForm(this);
    // Tool tips take the menu texts; the access keys mean nothing there.
    for (QAction* button : m_ui.tlbMainToolbar->actions())
        button->setToolTip(button->toolTip().remove(u'&'));
    resize(pixels(firstWidth()),
           pixels(2 * twips(m_ui.tabLeft->tabBar()->sizeHint().height()) + WINDOW_HEIGHT_BELOW_TABS));
    SizeControls();
    centerForm(this);
    m_ui.INFO_PANEL->setText(getString(1055) + QStringLiteral(": ") + getString(1057));
    m_ui.profilePanel->createDiveComputerDisplay();
    m_general->fillCombos();
    setCommandEnabled(m_ui.mnuDownloadSettings, isMenuEnabled(m_ui.mnuDownloadSettings->objectName()));
    setCommandEnabled(m_ui.mnuImportDB, isMenuEnabled(m_ui.mnuImportDB->objectName()));
    refreshMainWindow();
    Logbooks::reportDivesWithoutLogbook();
    m_ui.lvListView->setColumnHidden(frmMainControls::COLUMN_MAX_DEPTH, true);
    m_ui.lvListView->setColumnHidden(frmMainControls::COLUMN_MIN_TEMPERATURE, true);
    for (int i = 0; i < 2; ++i)
        m_ui.tabLeft->setTabText(i, u' ' + m_ui.tabLeft->tabText(i));
    for (int i = 0; i < m_ui.tabDive->count(); ++i)
        m_ui.tabDive->setTabToolTip(i, m_ui.tabDive->tabText(i));
    // The lists' columns are fitted to their width: a window made narrower or wider fits them again.
    for (QTreeView* list : {m_ui.lvListView, m_ui.lvDiveRecord})
        list->viewport()->installEventFilter(this);

    updateClock();
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &frmMain::updateClock);
    clock->start(1000);
}

frmMain::~frmMain() = default;

void frmMain::connectHandlers() {
    using CommandFailure::guarded;
    connect(m_ui.tvTreeView, &QTreeWidget::currentItemChanged, this,
            guarded("tvTreeView_NodeClick", "Error selecting the node",
                    [this](QTreeWidgetItem* item, QTreeWidgetItem*) { treeItemChosen(item, false); }));
    connect(m_ui.tvTreeView, &QTreeWidget::itemClicked, this,
            guarded("tvTreeView_NodeClick", "Error selecting the node",
                    [this](QTreeWidgetItem* item, int) { treeItemChosen(item, true); }));
    connect(m_ui.tvTreeView, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { m_nodes.fill(item); });
    connect(m_ui.tabDive, &QTabWidget::currentChanged, this,
            guarded("tabDive_Click", "Error showing the tab", [this](int index) {
                const int previous = m_shownDiveTab;
                m_shownDiveTab = index;
                tabDive_Click(previous);
            }));
    connect(dbData, &DiveDataControl::reposition, this, &frmMain::dbData_Reposition);

    FileCommands* file = m_fileCommands.get();
    wire(this, m_ui.mnuImportDB, "mnuImportDB_Click", "Error importing", [file] { file->mnuImportDB_Click(); });
    wire(this, m_ui.mnuPrint, "mnuPrint_Click", "Error printing", [file] { file->mnuPrint_Click(); });
    wire(this, m_ui.mnuViewPreference, "mnuViewPreference_Click", "Error opening the options",
         [file] { file->mnuViewPreference_Click(); });
    wire(this, m_ui.mnuExit, "mnuExit_Click", "Error", [file] { file->mnuExit_Click(); });

    LogbookCommands* logbook = m_logbookCommands.get();
    wire(this, m_ui.mnuLBDelete, "mnuLBDelete_click", "Error deleting", [logbook] { logbook->mnuLBDelete_Click(); });
    wire(this, m_ui.mnuLBModifyDiveTime, "mnuLBModifyDiveTime_click", "Error",
         [logbook] { logbook->mnuLBModifyDiveTime_Click(); });
    wire(this, m_ui.mnuLBRename, "mnuLBRename_Click", "Error", [logbook] { logbook->mnuLBRename_Click(); });
    connect(m_ui.tvTreeView->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            guarded("tvTreeView_AfterLabelEdit", "Error updating node label",
                    [logbook](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                        logbook->labelEditClosed(hint != QAbstractItemDelegate::RevertModelCache);
                    }));
    wire(this, m_ui.mnuLBFilter, "mnuLBFilter_Click", "Error", [logbook] { logbook->mnuLBFilter_Click(); });
    wire(this, m_ui.mnuLBStatistics, "mnuLBStatistics_Click", "Error", [logbook] { logbook->mnuLBStatistics_Click(); });

    DownloadCommands* download = m_downloadCommands.get();
    wire(this, m_ui.mnuDownloadDCPC, "mnuDownloadDCPC_Click", "Error downloading",
         [download] { download->mnuDownloadDCPC_Click(); });
    wire(this, m_ui.mnuDownloadSettings, "mnuDownloadSettings_Click", "Error",
         [download] { download->mnuDownloadSettings_Click(); });

    ProfileCommands* profile = m_profileCommands.get();
    wire(this, m_ui.mnuViewProfile, "mnuViewProfile_Click", "Error opening the profile",
         [profile] { profile->mnuViewProfile_Click(); });
    wire(this, m_ui.mnuViewSimulator, "mnuViewSimulator_Click", "Error",
         [profile] { profile->mnuViewSimulator_Click(); });
    // The profile panel continues the dive it shows; an open simulator keeps its own.
    connect(
        m_ui.profilePanel, &ProfilePanel::simulatorRequested, this,
        guarded("tblProfile_ButtonClick", "Error", [this, profile] { profile->mnuViewSimulator_Click(currentDive); }));

    // The help commands report their own failures.
    HelpCommands* help = m_helpCommands.get();
    wire(this, m_ui.mnuHelpAbout, "mnuHelpAbout_Click", "Error", [help] { help->mnuHelpAbout_Click(); });
    connect(m_ui.mnuHelpContents, &QAction::triggered, this, [help] { help->mnuHelpContents_Click(); });
    connect(m_ui.mnuHelpSearchForHelpOn, &QAction::triggered, this, [help] { help->mnuHelpSearchForHelpOn_Click(); });
    connect(m_ui.tlbMainToolbar, &QToolBar::actionTriggered, this,
            guarded("tlbMainToolbar_ButtonClick", "Error", [this](QAction* action) {
                const QString key = action->property("key").toString();
                if (!m_ui.helpLanguages.contains(key)) // the languages answer through their own entries
                    tlbMainToolbar_ButtonClick(key);
            }));
    for (QAction* language : m_ui.helpLanguages)
        connect(language, &QAction::triggered, this,
                [help, language] { help->tlbMainToolbar_ButtonMenuClick(language->property("key").toString()); });
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

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        const auto* resized = static_cast<const QResizeEvent*>(event);
        for (QTreeView* list : {m_ui.lvListView, m_ui.lvDiveRecord}) {
            if (watched == list->viewport() && m_columnWidths.contains(list) &&
                resized->size().width() != resized->oldSize().width())
                LogbookViews::spreadColumns(list, m_columnWidths[list]);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

int frmMain::firstWidth() const {
    // Wide enough for every dive tab's whole caption in the language of the day (Italian and German
    // captions are much longer than the English ones), within the screen.
    QTabBar* captions = m_ui.tabDive->tabBar();
    captions->ensurePolished();
    const int frame = 2 * m_ui.tabDive->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_ui.tabDive) + 4;
    int width = std::max(WINDOW_WIDTH, MainLayout::windowWidthFor(twips(captions->sizeHint().width() + frame)));
    if (const QScreen* shown = screen())
        width = std::min(width, twips(shown->availableGeometry().width()));
    return width;
}

void frmMain::SizeControls() {
    MainLayout::Input in;
    in.windowWidth = twips(frameGeometry().width());
    in.innerHeight = twips(centralWidget()->height());
    in.tabHeight = twips(m_ui.tabLeft->tabBar()->sizeHint().height());
    in.imgTitlesHeight = twips(m_ui.imgTitles->height());
    in.lblTitleHeight = twips(m_ui.lblTitle->height());
    const MainLayout layout = MainLayout::compute(in);
    // A part that cannot take its size keeps the one it had; the others still move.
    const QPair<QWidget*, QRect> parts[] = {{m_ui.tabLeft, layout.tabLeft},
                                            {m_ui.imgTitles, layout.imgTitles},
                                            {m_ui.lblTitle, layout.lblTitle},
                                            {m_ui.lblTitleShadow, layout.lblTitleShadow},
                                            {m_ui.tabDive, layout.tabDive}};
    for (const auto& [part, rect] : parts) {
        if (MainLayout::fits(rect))
            part->setGeometry(pixels(rect));
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

void frmMain::tlbMainToolbar_ButtonClick(const QString& key) {
    if (key == QLatin1String("PRINT"))
        m_fileCommands->mnuPrint_Click();
    else if (key == QLatin1String("PREVIEW"))
        m_fileCommands->previewCurrentDive();
    else if (key == QLatin1String("DOWNLOAD"))
        m_downloadCommands->mnuDownloadDCPC_Click();
    else if (key == QLatin1String("SETTINGS"))
        m_fileCommands->mnuViewPreference_Click();
    else if (key == QLatin1String("SIMULATOR"))
        m_profileCommands->mnuViewSimulator_Click();
    else if (key == QLatin1String("HELP"))
        m_helpCommands->mnuHelpContents_Click();
    else if (key == QLatin1String("PROFILE"))
        m_profileCommands->mnuViewProfile_Click();
    else if (key == QLatin1String("FILTER"))
        m_logbookCommands->toggleFilter(m_ui.toolbarButtons.value(key));
}

void frmMain::cmbActivity_Click() {
    m_general->cmbActivity_Click();
}
void frmMain::cmbWeather_Click() {
    m_general->cmbWeather_Click();
}
void frmMain::cmbWetsuit_Click() {
    m_general->cmbWetsuit_Click();
}
void frmMain::mnuExit_Click() {
    m_fileCommands->mnuExit_Click();
}
void frmMain::mnuDownloadSettings_Click() {
    m_downloadCommands->mnuDownloadSettings_Click();
}
void frmMain::mnuLBRename_Click() {
    m_logbookCommands->mnuLBRename_Click();
}
frmSimulator* frmMain::simulator() const {
    return m_profileCommands->simulator();
}

void frmMain::updateClock() {
    const QDateTime now = Seams::clock().now();
    const QLocale locale;
    m_ui.sbDate->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_ui.sbTime->setText(locale.toString(now.time(), QLocale::ShortFormat));
}
