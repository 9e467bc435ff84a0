// The main window's logbook tree and what a selection of it shows: the lists, the title, the
// commands the selection allows, the dive the data control stands on and the dive tabs.
#include "CalendarTab.h"
#include "CommandFailure.h"
#include "Dive.h"
#include "DiveDataControl.h"
#include "DiveInfoRules.h"
#include "DiveTabs.h"
#include "GeneralTab.h"
#include "ListRowsModel.h"
#include "LogbookViews.h"
#include "MainPictures.h"
#include "NodeSelection.h"
#include "ProfileDataTab.h"
#include "ProfilePanel.h"
#include "RunSkippingFailure.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsTab.h"
#include "TechnicalTab.h"
#include "Workspace.h"
#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>

using TreeNodeKey::Kind;

void frmMain::refreshMainWindow() {
    BusyGuard busy;
    Settings& settings = Settings::instance();
    dbData->setRecordSource(settings.currentFilter());
    loadTreeView(qint16(settings.currentDiveComputer()), QString());
    if (const std::optional<bool> on = DiveInfoRules::tankFieldsOnRefresh(settings.currentDiveComputer())) {
        m_ui.frameSettings->enableAirControls(*on);
        m_ui.frameTechnicalInfo->enableAirControls(*on);
    }
    enableDiveTabs(false);
    m_ui.calendarTab->showToday();
    m_ui.tabLeft->setCurrentIndex(0);
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
        m_ui.tvTreeView->clear();
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
    m_ui.calendarTab->fill(m_tree);

    QTreeWidgetItem* root = m_nodes.build(m_tree);
    m_ui.tvTreeView->addTopLevelItem(root);

    // From here on a failing step is skipped: the tree is built and must be usable.
    runSkippingFailure<RuntimeError>([&] {
        QTreeWidgetItem* visible = m_tree.visibleDiveKey.isEmpty() ? nullptr : m_nodes.node(m_tree.visibleDiveKey);
        if (!visible) {
            root->setExpanded(true);
            m_ui.tvTreeView->scrollToItem(root);
        } else {
            for (QTreeWidgetItem* up = visible->parent(); up; up = up->parent())
                up->setExpanded(true);
            visible->setExpanded(true);
            m_ui.tvTreeView->scrollToItem(visible);
        }
    });
    runSkippingFailure<RuntimeError>([&] { fillListView(m_tree.rootKey); });
    runSkippingFailure<RuntimeError>([&] {
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
    m_ui.tvTreeView->scrollToItem(item);
}

void frmMain::removeNode(QTreeWidgetItem* node) {
    // The data control has dropped the row and any edits typed for it.
    QTreeWidgetItem* parent = node->parent();
    m_nodes.forget(node);
    if (m_pressedItem && (m_pressedItem == node || m_pressedItem->parent() == node))
        m_pressedItem = nullptr;
    setCurrentItemQuietly(parent);
    delete node;
    tvTreeview_nodeClic(parent, true);
}

void frmMain::setCurrentItemQuietly(QTreeWidgetItem* item) {
    QScopedValueRollback quiet(m_quietTree, true);
    m_ui.tvTreeView->setCurrentItem(item);
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
        m_ui.lvListView->setVisible(root);
        m_ui.lvDiveRecord->setVisible(!root);
        currentTab = DiveTabs::TAB_LIST;
        fillListView(key);
        setTitle(NodeSelection::title(kind, node->text(0), qint16(settings.currentDiveComputer())));
        applyCommands(kind, false, 0);
        settings.setCurrentDiveID(-1);
        settings.setCurrentLogbookID(root ? -1 : TreeNodeKey::id(key));
        break;
    }
    case Kind::Dive: {
        // Entries the database refuses are told as such; once none are pending, a failure of the
        // move is a read's, told as the selection's own.
        if (!commitPendingEdits())
            return;
        const qint32 diveID = TreeNodeKey::id(key);
        {
            // The tab in front is filled below, with the dive chosen, not on the move with the one before.
            const QScopedValueRollback selecting(m_selectingDive, true);
            dbData->moveToDive(diveID);
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
    showDiveTab(currentTab, kind == Kind::Dive);
    currentNode = key;
}

void frmMain::applyCommands(Kind kind, bool freeDive, qsizetype sampleLength) {
    const NodeSelection::Commands c = NodeSelection::commandsFor(kind, freeDive, sampleLength);
    const auto apply = [this](QAction* command, const std::optional<bool>& state) {
        if (state)
            setCommandEnabled(command, *state);
    };
    apply(m_ui.toolbarButtons.value(QStringLiteral("PROFILE")), c.profile);
    apply(m_ui.toolbarButtons.value(QStringLiteral("PREVIEW")), c.preview);
    apply(m_ui.toolbarButtons.value(QStringLiteral("SIMULATOR")), c.simulator);
    apply(m_ui.profilePanel->buttons.value(QStringLiteral("SIMULATOR")), c.simulator);
    apply(m_ui.mnuLBDelete, c.lbDelete);
    apply(m_ui.mnuLBRename, c.lbRename);
    if (c.currentLogbook)
        m_ui.chkCurrentLogbook->setEnabled(*c.currentLogbook);
    if (c.profileTab) {
        m_profileSwitch = *c.profileTab;
        applyTabAvailability();
    }
}

void frmMain::setTitle(const QString& title) {
    m_ui.lblTitle->setText(title);
    m_ui.lblTitleShadow->setText(title);
}

void frmMain::fillListView(const QString& key) {
    const QTreeWidgetItem* node = m_nodes.find(key);
    if (!node)
        throw RuntimeError(RuntimeError::ElementNotFound, QStringLiteral("frmMain.fillListView"),
                           QStringLiteral("Element not found"));
    if (m_nodes.childCount(node) == 0) {
        m_ui.lvListViewRows->clear();
        m_ui.lvDiveRecordRows->clear();
        LogbookViews::fitColumns(m_ui.lvListView, m_columnWidths[m_ui.lvListView]);
        LogbookViews::fitColumns(m_ui.lvDiveRecord, m_columnWidths[m_ui.lvDiveRecord]);
    } else if (TreeNodeKey::kindOf(key) == Kind::Root) {
        LogbookViews::fillLogbookList(*m_ui.lvListViewRows, m_nodes.children(node));
        LogbookViews::fitColumns(m_ui.lvListView, m_columnWidths[m_ui.lvListView]);
    } else if (TreeNodeKey::kindOf(key) == Kind::Logbook) {
        LogbookViews::fillDiveList(*m_ui.lvDiveRecordRows, m_ui.lvDiveRecord, TreeNodeKey::id(key),
                                   m_nodes.children(node),
                                   Workspace::defaultWorkspace().openDatabase(dbData->databaseName()));
        LogbookViews::fitColumns(m_ui.lvDiveRecord, m_columnWidths[m_ui.lvDiveRecord]);
    }
}

// ---------------------------------------------------------------------------------------------
// Dive tabs

void frmMain::changeCurrentTab(qint16 index) {
    showDiveTab(index, false);
}

void frmMain::showDiveTab(qint16 index, bool diveJustRead) {
    const bool diveSelected = TreeNodeKey::kindOf(keyOf(m_ui.tvTreeView->currentItem())) == Kind::Dive;
    const DiveTabs::Change c = DiveTabs::change(index, currentTab, diveSelected, m_profileSwitch);
    if (index != DiveTabs::TAB_PROFILE)
        setProfilePanel(false);
    if (c.toNotes) {
        showDiveTab(DiveTabs::TAB_NOTES, diveJustRead);
        return;
    }
    switch (c.fill) {
    case DiveTabs::Fill::General:
        m_general->showGeneralInfo();
        break;
    case DiveTabs::Fill::Profile: {
        setProfilePanel(true);
        const qint32 diveID = Settings::instance().currentDiveID();
        if (diveID != -1)
            setProfileDive(diveJustRead ? currentDive : NodeSelection::loadDive(diveID));
        break;
    }
    case DiveTabs::Fill::Settings:
        m_ui.frameSettings->fill(currentDive.get());
        break;
    case DiveTabs::Fill::Technical:
        m_ui.frameTechnicalInfo->fill(currentDive.get());
        break;
    case DiveTabs::Fill::ProfileData:
        m_ui.frameProfileInfo->fill(currentDive.get());
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
        changeCurrentTab(qint16(m_ui.tabDive->currentIndex()));
}

void frmMain::selectDiveTab(int index) {
    m_ui.tabDive->setCurrentIndex(index);
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
        apply(m_ui.tabDive, i, DiveTabs::mayChoose(i, m_diveGroup, m_profileSwitch));
    apply(m_ui.tabLeft, 1, m_profilePanel);
}

void frmMain::dbData_Reposition() {
    try {
        m_general->showBoundFields();
        if (!m_selectingDive && dbData->recordCount() > 0 && dbData->absolutePosition() != -1 &&
            currentTab == DiveTabs::TAB_PROFILE_DATA)
            changeCurrentTab(DiveTabs::TAB_PROFILE_DATA);
    } catch (const std::exception& error) {
        reportFailure(QStringLiteral("dbData_Reposition"), QStringLiteral("Error showing the dive"), error);
    }
}
