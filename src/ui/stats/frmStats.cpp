#include "frmStats.h"

#include "FormLocalizer.h"
#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "StatsChartBuilder.h"
#include "StatsQuery.h"
#include "Twips.h"
#include "WindowHelpers.h"
#include "Workspace.h"
#include "frmStatsAskForMode.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

using namespace StatsPages;
using Twips::pixels;
using Twips::twips;

namespace {
constexpr int KEY_ROLE = Qt::UserRole;
// The node's tag: true once its page has been computed in this window.
constexpr int COMPUTED_ROLE = Qt::UserRole + 1;
const QString ROOT_KEY = QStringLiteral("statistics");

// Design geometry, in twips.
// Wider and taller than the first design, and the tree wider, so that every page name and the
// longest legend (thirteen activities) read in full in each language.
constexpr int FORM_WIDTH = 10260;
constexpr int FORM_HEIGHT = 6300;
constexpr int TREE_WIDTH = 3000;
constexpr int PAGE_LEFT = TREE_WIDTH + 105;
constexpr int BUTTON_WIDTH = 1125;
constexpr int BUTTON_HEIGHT = 345;
constexpr int FOOTNOTE_HEIGHT = 300;
constexpr int AWAY = -20000;

QString keyOf(const QTreeWidgetItem* node) {
    return node->data(0, KEY_ROLE).toString();
}

QLabel* label(QWidget* parent, const char* name, const char* tag = nullptr) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    if (tag)
        setTag(l, QLatin1String(tag));
    return l;
}

QBarSeries* barSeriesOf(QChartView* view) {
    if (!view || !view->chart() || view->chart()->series().isEmpty())
        return nullptr;
    return qobject_cast<QBarSeries*>(view->chart()->series().constFirst());
}
} // namespace

frmStats::frmStats(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmStats"));
    setTag(this, QStringLiteral("1950"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    Forms::add(this);
    buildControls();
    resize(Twips::pixels(FORM_WIDTH), Twips::pixels(FORM_HEIGHT));

    centerForm(this);
    localizeForm(this);
    buildTree();
    settleScope();
    openQuery();
    if (!m_hasDives)
        return;
    node(ROOT_KEY)->setExpanded(true);
    tvSettings_NodeClick(node(ROOT_KEY)->child(0));
}

frmStats::~frmStats() = default;

void frmStats::buildControls() {
    tvSettings = new QTreeWidget(this);
    tvSettings->setObjectName(QStringLiteral("tvSettings"));
    tvSettings->setHeaderHidden(true);
    tvSettings->setGeometry(pixels(60, 75, TREE_WIDTH, FORM_HEIGHT - 175));
    tvSettings->setIndentation(10);

    lbl_Setting = label(this, "lbl_Setting");
    lbl_Setting->setGeometry(pixels(PAGE_LEFT, 30, FORM_WIDTH - PAGE_LEFT - 200, 480));
    Twips::makeTitleBand(lbl_Setting);

    frameBottom = new QFrame(this);
    frameBottom->setObjectName(QStringLiteral("frameBottom"));
    frameBottom->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    setTag(cmdOk, QStringLiteral("1010"));
    cmdOk->setDefault(true);
    cmdExpand = new QPushButton(this);
    cmdExpand->setObjectName(QStringLiteral("cmdExpand"));
    setTag(cmdExpand, QStringLiteral("1970"));
    connect(cmdOk, &QPushButton::clicked, this, &frmStats::cmdOk_Click);
    connect(cmdExpand, &QPushButton::clicked, this, &frmStats::cmdExpand_Click);

    for (int i = 0; i < PAGE_COUNT; ++i) {
        picOptions[i] = new QWidget(this);
        picOptions[i]->setObjectName(QStringLiteral("picOptions%1").arg(i));
        picOptions[i]->setEnabled(false);
        picOptions[i]->hide();
    }
    buildHistoryPage(picOptions[History]);
    for (int i = Depth; i < PAGE_COUNT; ++i)
        buildChartPage(i);
}

void frmStats::buildHistoryPage(QWidget* page) {
    struct Row {
        QLabel*& caption;
        const char* captionName;
        QLabel*& value;
        const char* valueName;
    };
    const Row rows[] = {{Label1, "Label1", lblMaxDepth, "lblMaxDepth"},
                        {Label2, "Label2", lblMinTemp, "lblMinTemp"},
                        {Label3, "Label3", lblTotDives, "lblTotDives"},
                        {Label4, "Label4", lblTotTime, "lblTotTime"},
                        {Label6, "Label6", lblAvgConsuption, "lblAvgConsuption"},
                        {Label8, "Label8", lblMaxConsuption, "lblMaxConsuption"},
                        {Label10, "Label10", lblMinConsuption, "lblMinConsuption"}};
    constexpr int ROW_STEP = 555;
    constexpr int ROW_HEIGHT = 285;
    int top = 120;
    for (size_t r = 0; r < std::size(rows); ++r) {
        const QByteArray tag = QByteArray::number(HISTORY_CAPTIONS[r]);
        rows[r].caption = label(page, rows[r].captionName, tag.constData());
        rows[r].caption->setGeometry(pixels(120, top, 3765, ROW_HEIGHT));
        rows[r].value = label(page, rows[r].valueName);
        rows[r].value->setGeometry(pixels(3945, top, 1425, ROW_HEIGHT));
        QFont bold = rows[r].value->font();
        bold.setBold(true);
        rows[r].value->setFont(bold);
        if (r + 1 < std::size(rows)) {
            auto* line = new QFrame(page);
            line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
            line->setGeometry(pixels(120, top + ROW_STEP - 150, 5250, 30));
        }
        top += ROW_STEP;
    }
}

void frmStats::buildChartPage(int index) {
    picOptions[index]->setProperty("tag", QStringLiteral("CHART"));
    chartStat[index] = new QChartView(picOptions[index]);
    chartStat[index]->setObjectName(QStringLiteral("chartStat%1").arg(index));
    chartStat[index]->setRenderHint(QPainter::Antialiasing);
    chartStat[index]->viewport()->installEventFilter(this);
    lblFootnote[index] = label(picOptions[index], "lblFootnote");
    lblFootnote[index]->setObjectName(QStringLiteral("lblFootnote%1").arg(index));
    lblFootnote[index]->setAlignment(Qt::AlignCenter);
    lblFootnote[index]->setText(QStringLiteral(" "));
}

void frmStats::buildTree() {
    auto* root = new QTreeWidgetItem(tvSettings, {getString(1951)});
    root->setData(0, KEY_ROLE, ROOT_KEY);
    for (const PageEntry& entry : TREE_ORDER) {
        auto* child = new QTreeWidgetItem(root, {getString(entry.textString)});
        child->setToolTip(0, child->text(0));
        child->setData(0, KEY_ROLE, QString::fromLatin1(entry.key));
        child->setData(0, COMPUTED_ROLE, false);
    }
    const auto pageSwitch = [this](QTreeWidgetItem* item) {
        if (!item)
            return;
        try {
            tvSettings_NodeClick(item);
        } catch (const RuntimeError& error) {
            Seams::message().show(error.description(), Msg::Critical, QString());
        }
    };
    connect(tvSettings, &QTreeWidget::currentItemChanged, this, pageSwitch);
    connect(tvSettings, &QTreeWidget::itemClicked, this, pageSwitch);
}

void frmStats::settleScope() {
    statsMode = frmStatsAskForMode::settleScope(parentWidget());
}

void frmStats::openQuery() {
    const Settings& settings = Settings::instance();
    Database db = Workspace::defaultWorkspace().openDatabase(settings.databaseName());
    statsRecordset = std::make_unique<std::vector<StatsDive>>(
        StatsQuery::read(db, statsMode, settings.currentLogbookID(), settings.currentDiveComputer(),
                         settings.isCurrentDiveComputerAir()));
    m_hasDives = !statsRecordset->empty();
    m_figures.noDives = !m_hasDives;
}

QTreeWidgetItem* frmStats::node(const QString& key) const {
    QTreeWidgetItem* root = tvSettings->topLevelItem(0);
    if (!root)
        return nullptr;
    if (keyOf(root) == key)
        return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (keyOf(root->child(i)) == key)
            return root->child(i);
    }
    return nullptr;
}

bool frmStats::isComputed(const QString& key) const {
    const QTreeWidgetItem* n = node(key);
    return n && n->data(0, COMPUTED_ROLE).toBool();
}

void frmStats::tvSettings_NodeClick(QTreeWidgetItem* node) {
    if (!statsRecordset) {
        Seams::message().show(QStringLiteral("[frmStats.tvSettings_NodeClick] Recordset not set!"), Msg::Critical,
                              QString());
        return;
    }
    if (!node || !node->parent())
        return;
    {
        const QSignalBlocker quiet(tvSettings);
        tvSettings->setCurrentItem(node);
    }
    lbl_Setting->setText(u' ' + node->text(0));
    const QString key = keyOf(node);
    const int shown = key.right(1).toInt();
    for (int i = 0; i < PAGE_COUNT; ++i) {
        if (i == shown) {
            if (!node->data(0, COMPUTED_ROLE).toBool()) {
                computeStatistic(key);
                node->setData(0, COMPUTED_ROLE, true);
            }
            picOptions[i]->setEnabled(true);
            picOptions[i]->show();
        } else {
            picOptions[i]->move(Twips::pixels(AWAY), picOptions[i]->y());
            picOptions[i]->setEnabled(false);
            picOptions[i]->hide();
        }
    }
    Form_Resize();
}

void frmStats::computeAllStatistics() {
    QTreeWidgetItem* root = node(ROOT_KEY);
    for (int i = 0; root && i < root->childCount(); ++i)
        tvSettings_NodeClick(root->child(i));
}

void frmStats::computeStatistic(const QString& key) {
    const int page = pageOfKey(key);
    if (page < 0)
        return;
    if (page != History) {
        m_figures.charts[page] = computeChart(Page(page), *statsRecordset);
        presentChart(page, m_figures.charts[page]);
        return;
    }
    const StatsHistory& h = m_figures.history = computeHistory(*statsRecordset);
    lblTotTime->setText(h.totTime);
    lblMaxDepth->setText(h.maxDepth);
    lblMinTemp->setText(h.minTemp);
    lblAvgConsuption->setText(h.avgConsumption);
    lblMaxConsuption->setText(h.maxConsumption);
    lblMinConsuption->setText(h.minConsumption);
    for (QLabel* value : {lblAvgConsuption, lblMaxConsuption, lblMinConsuption})
        value->setVisible(h.consumptionShown);
    lblTotDives->setText(h.totDives);
}

void frmStats::presentChart(int index, const StatsChart& figures) {
    lblFootnote[index]->setText(QStringLiteral(" "));
    QChart* previous = chartStat[index]->chart();
    chartStat[index]->setChart(StatsChartBuilder::makeChart(figures));
    delete previous;
    if (QBarSeries* series = barSeriesOf(chartStat[index])) {
        connect(series, &QBarSeries::clicked, this,
                [this, index](int, QBarSet* set) { chartStat_PointSelected(index, set); });
    }
}

void frmStats::chartStat_PointSelected(int index, QBarSet* set) {
    QBarSeries* series = barSeriesOf(chartStat[index]);
    if (!series || !set)
        return;
    for (QBarSet* other : series->barSets())
        other->deselectAllBars();
    set->selectBar(0);
    lblFootnote[index]->setText(getString(1959) + QStringLiteral(" = ") + QString::number(qint64(set->at(0))));
}

void frmStats::chartStat_SelectionCancelled(int index) {
    if (QBarSeries* series = barSeriesOf(chartStat[index])) {
        for (QBarSet* set : series->barSets())
            set->deselectAllBars();
    }
    lblFootnote[index]->setText(QStringLiteral(" "));
}

bool frmStats::eventFilter(QObject* watched, QEvent* event) {
    // A press anywhere on a chart cancels its selection; a press that ends on a bar then selects
    // that bar when the bar reports its click.
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = Depth; i < PAGE_COUNT; ++i) {
            if (chartStat[i] && watched == chartStat[i]->viewport())
                chartStat_SelectionCancelled(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmStats::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmStats::Form_Resize() {
    // Minimized, or smaller than the controls: the geometry helpers keep every size at 0 or more.
    const int sw = twips(width());
    const int sh = twips(height());
    const QRect label = QRect(twips(lbl_Setting->x()), twips(lbl_Setting->y()), 0, 480);
    cmdOk->setGeometry(pixels(sw - 1300, sh - 400, BUTTON_WIDTH, BUTTON_HEIGHT));
    cmdExpand->setGeometry(pixels(sw - 1300 - 135 - BUTTON_WIDTH, sh - 400, BUTTON_WIDTH, BUTTON_HEIGHT));
    lbl_Setting->setGeometry(pixels(label.left(), label.top(), sw - label.left() - 200, label.height()));
    tvSettings->setGeometry(pixels(twips(tvSettings->x()), twips(tvSettings->y()), twips(tvSettings->width()),
                                   sh - twips(tvSettings->y()) - 100));
    const int okTop = sh - 400;
    frameBottom->setGeometry(
        pixels(label.left(), label.top() + label.height() + 50, sw - label.left() - 200, okTop - label.top() - 600));
    for (int i = 0; i < PAGE_COUNT; ++i) {
        if (picOptions[i]->isEnabled())
            placePage(i);
    }
}

void frmStats::placePage(int index) {
    const QRect frame = frameBottom->geometry();
    const int left = twips(frame.x()) + 80;
    const int top = twips(frame.y()) + 200;
    const int height = twips(frame.height()) - 420;
    const int width = twips(frame.width()) - 160;
    picOptions[index]->setGeometry(pixels(left, top, width, height));
    if (chartStat[index]) {
        chartStat[index]->setGeometry(pixels(0, 0, width, height - FOOTNOTE_HEIGHT));
        StatsChartBuilder::fitLegend(chartStat[index]->chart(), Twips::pixels(width));
        lblFootnote[index]->setGeometry(pixels(0, height - FOOTNOTE_HEIGHT, width, FOOTNOTE_HEIGHT));
    }
}

void frmStats::cmdOk_Click() {
    release();
    accept();
}

void frmStats::cmdExpand_Click() {
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized)
        return;
    if (state & Qt::WindowMaximized) {
        setWindowState(state & ~Qt::WindowMaximized);
        cmdExpand->setText(getString(1970));
    } else {
        setWindowState(state | Qt::WindowMaximized);
        cmdExpand->setText(getString(1971));
    }
}

void frmStats::done(int result) {
    release();
    QDialog::done(result);
}

void frmStats::release() {
    statsRecordset.reset();
}
