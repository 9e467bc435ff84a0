#pragma once

#include "StatsDive.h"
#include "StatsPages.h"

#include <QDialog>
#include <array>
#include <memory>
#include <vector>

class QBarSet;
class QChartView;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The statistics window: eight pages chosen from a tree, the History figures and seven bar charts
// over the dives of the current model, in the current logbook or in all of them.
//
// Creating it settles the scope (asking with frmStatsAskForMode when the setting says so and a
// logbook is selected), reads the dives in scope in one query and shows the History page. A caller
// then reads `statsMode` (CANCELLED: the user cancelled the question) and hasDives() (false: no
// dive in scope, nothing to show) before exec(). A printed page instead calls computeAllStatistics()
// and reads figures(), without showing the window.
//
// Pages are computed when first shown and not again while the window lives. The rows read at
// creation are let go by OK, by closing the window in any other way, or with the window.
class frmStats : public QDialog {
    Q_OBJECT
public:
    explicit frmStats(QWidget* parent = nullptr);
    ~frmStats() override;

    // The scope of this load: StatsScope::ALL_LOGBOOKS, CURRENT_LOGBOOK or CANCELLED.
    qint16 statsMode = 0;
    // False when no dive of the model lies in the scope: the window has nothing to show.
    bool hasDives() const { return m_hasDives; }

    // Shows, and so computes, every page in tree order; the Errors page is shown last.
    void computeAllStatistics();
    // The figures of the pages computed so far (all of them after computeAllStatistics()).
    const StatsPages::StatsFigures& figures() const { return m_figures; }

    // The page switch; the root does nothing.
    void tvSettings_NodeClick(QTreeWidgetItem* node);
    // The node with this key ("statistics", "A0" to "A7"); null when there is none.
    QTreeWidgetItem* node(const QString& key) const;
    bool isComputed(const QString& key) const;

    void cmdOk_Click();
    void cmdExpand_Click();
    // A bar of chart `index` was selected: the footnote gives its count; the selection stays.
    void chartStat_PointSelected(int index, QBarSet* set);
    // Anything else of chart `index` was selected: blank footnote, no selection.
    void chartStat_SelectionCancelled(int index);

    QTreeWidget* tvSettings;
    QLabel* lbl_Setting;
    QFrame* frameBottom;
    std::array<QWidget*, StatsPages::PAGE_COUNT> picOptions{};
    std::array<QChartView*, StatsPages::PAGE_COUNT> chartStat{}; // 1 to 7
    std::array<QLabel*, StatsPages::PAGE_COUNT> lblFootnote{};   // 1 to 7, the chart's footnote
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label8;
    QLabel* Label10;
    QLabel* lblMaxDepth;
    QLabel* lblMinTemp;
    QLabel* lblTotDives;
    QLabel* lblTotTime;
    QLabel* lblAvgConsuption;
    QLabel* lblMaxConsuption;
    QLabel* lblMinConsuption;
    QPushButton* cmdOk;
    QPushButton* cmdExpand;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildHistoryPage(QWidget* page);
    void buildChartPage(int index);
    void buildTree();
    void settleScope();
    void openQuery();
    void Form_Resize();
    void placePage(int index);
    void computeStatistic(const QString& key);
    void presentChart(int index, const StatsPages::StatsChart& figures);
    void release();

    // The dives in scope, read once at creation; not set once the window was closed.
    std::unique_ptr<std::vector<StatsDive>> statsRecordset;
    StatsPages::StatsFigures m_figures;
    bool m_hasDives = false;
};
