#include "LogbookCommands.h"

#include "LogbookEdits.h"
#include "MainCommands.h"
#include "Seams.h"
#include "Settings.h"
#include "StatsScope.h"
#include "frmFilter.h"
#include "frmMain.h"
#include "frmStats.h"

#include <QAction>
#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>

void LogbookCommands::mnuLBFilter_Click() {
    toggleFilter(nullptr);
}

void LogbookCommands::toggleFilter(QAction* button) {
    QAction* filter = m_window.toolbarButton(QStringLiteral("FILTER"));
    const bool wasOn = button ? !filter->isChecked() : filter->isChecked();
    // The menu's check mark switches itself on a click: all three signs are set from the state.
    const auto showState = [this, filter](bool on) {
        filter->setChecked(on);
        m_window.mnuLBFilter()->setChecked(on);
        m_window.INFO_PANEL()->setText(MainCommands::filterPanelText(on));
    };
    // The button as the menu: typed entries are written before the rows are read anew.
    if (!m_window.commitPendingEdits()) {
        showState(wasOn);
        return;
    }
    filter->setChecked(!wasOn);
    if (!wasOn) {
        frmFilter dialog(&m_window);
        dialog.exec();
        if (!dialog.isOk) {
            showState(false);
            return;
        }
    } else {
        Settings::instance().setCurrentFilter(MainCommands::unfilteredStatement());
    }
    m_window.refreshMainWindow();
    showState(!wasOn);
}

void LogbookCommands::mnuLBStatistics_Click() {
    std::unique_ptr<frmStats> window;
    {
        const BusyGuard busy;
        window = std::make_unique<frmStats>(&m_window);
    }
    if (window->statsMode != StatsScope::CANCELLED && window->hasDives())
        window->exec();
}

void LogbookCommands::mnuLBDelete_Click() {
    QTreeWidgetItem* item = m_window.findNode(m_window.currentNode);
    if (item && m_window.logbookEdits().deleteNode(m_window.currentNode, item->text(0)))
        m_window.removeNode(item);
}

void LogbookCommands::mnuLBModifyDiveTime_Click() {
    const QTreeWidgetItem* selected = m_window.findNode(m_window.currentNode);
    const LogbookEdits::Redate redate =
        m_window.logbookEdits().modifyDiveTime(selected ? selected->text(0) : QString());
    QTreeWidgetItem* item = redate.apply ? m_window.node(redate.key) : nullptr;
    if (!item)
        return;
    item->setText(0, redate.text);
    m_window.tvTreeview_nodeClic(item, true);
}

void LogbookCommands::mnuLBRename_Click() {
    QTreeWidgetItem* item = m_window.findNode(m_window.currentNode);
    if (!item || TreeNodeKey::kindOf(m_window.currentNode) != TreeNodeKey::Kind::Logbook)
        return;
    // Labels are edited only through this command.
    m_renamedKey = m_window.currentNode;
    m_labelBeforeEdit = item->text(0);
    {
        const QSignalBlocker blocker(m_window.tvTreeView());
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    m_window.tvTreeView()->editItem(item, 0);
}

// The tree keeps the old label until the name is stored, so that a refused name never shows. The
// name is judged even when unchanged: a logbook cannot be renamed to the name it has.
void LogbookCommands::labelEditClosed(bool committed) {
    QTreeWidgetItem* item = m_window.findNode(m_renamedKey);
    m_renamedKey.clear();
    if (!item)
        return;
    QString typed;
    {
        const QSignalBlocker blocker(m_window.tvTreeView());
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        typed = item->text(0);
        item->setText(0, m_labelBeforeEdit);
    }
    if (!committed || !m_window.logbookEdits().renameLogbook(frmMain::keyOf(item), typed))
        return;
    item->setText(0, typed);
    m_window.tvTreeview_nodeClic(item, true);
}
