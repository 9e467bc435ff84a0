#include "Internationalization.h"
#include "LogbookFixture.h"
#include "SettingsStore.h"
#include "StatsScope.h"
#include "TestEnvironment.h"
#include "frmStats.h"
#include "frmStatsAskForMode.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

enum class Answer { NotAsked, AllLogbooks, CurrentLogbook, Cancel, CloseBox };

// A logbook file with two logbooks of the model (two dives and one) and one of another model.
struct StatsWorld {
    explicit StatsWorld(qint32 model) {
        env.storeSetting("Language", "0");
        env.storeSetting("DiveComputer", QString::number(model));
        env.restart(); // the fixture made Settings before: read the store again
        const QDateTime start(QDate(2024, 5, 1), QTime(9, 0));
        red = fixture.logbook("Red Sea", model);
        elba = fixture.logbook("Elba", model);
        other = fixture.logbook("Other", model == 1 ? 4 : 1);
        fixture.dive(red, start, {{"MAX_DEPTH", 18}, {"DIVE_TIME", 40}, {"WEATHER", 1}, {"DIVE_MODE", 0}});
        fixture.dive(red, start.addDays(1), {{"MAX_DEPTH", 35}, {"DIVE_TIME", 85}, {"WEATHER", 1}, {"DIVE_MODE", 1}});
        fixture.dive(elba, start, {{"MAX_DEPTH", 52}, {"DIVE_TIME", 30}, {"WEATHER", 4}, {"DIVE_MODE", 0}});
        fixture.dive(other, start, {{"MAX_DEPTH", 10}});
    }

    TestEnvironment env;
    LogbookFixture fixture;
    qint32 red = 0;
    qint32 elba = 0;
    qint32 other = 0;
};

// Answers the scope question on its showing; `asked` tells afterwards whether it showed.
struct QuestionAnswerer {
    QuestionAnswerer(Answer answer, bool dontAskAgain) {
        if (answer == Answer::NotAsked)
            return;
        QTimer::singleShot(0, qApp, [this, answer, dontAskAgain] {
            auto* question = qobject_cast<frmStatsAskForMode*>(QApplication::activeModalWidget());
            if (!question)
                return;
            asked = true;
            question->chkDontShowInFuture->setChecked(dontAskAgain);
            switch (answer) {
            case Answer::AllLogbooks:
                question->btnAllLogbooks->click();
                break;
            case Answer::CurrentLogbook:
                question->btnCurrentLogbook->click();
                break;
            case Answer::Cancel:
                question->btnCancel->click();
                break;
            case Answer::CloseBox:
                question->close();
                break;
            case Answer::NotAsked:
                break;
            }
        });
    }
    bool asked = false;
};

QBarSeries* seriesOf(const frmStats& window, int page) {
    return qobject_cast<QBarSeries*>(window.chartStat[page]->chart()->series().value(0));
}

} // namespace

Q_DECLARE_METATYPE(Answer)

class tst_frmStats : public QObject {
    Q_OBJECT
private slots:
    void scope_data();
    void scope();
    void dontAskAgainOverAnUnwritableStore();
    void pagesAreComputedWhenFirstShown();
    void computeAllStatistics();
    void chartModel();
    void footnoteFollowsTheSelection();
    void historyOfAirIntegratedModel();
    void noDiveInScope();
    void closingReleasesTheRows_data();
    void closingReleasesTheRows();
    void expandAndRestore();
};

void tst_frmStats::scope_data() {
    QTest::addColumn<qint16>("setting");
    QTest::addColumn<bool>("logbookSelected");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("dontAskAgain");
    QTest::addColumn<qint16>("statsMode");
    QTest::addColumn<qint16>("settingAfter");
    QTest::addColumn<QString>("dives");

    QTest::newRow("no logbook: never asked")
        << qint16(3) << false << Answer::NotAsked << false << qint16(2) << qint16(3) << "3";
    QTest::newRow("setting 0: current logbook")
        << qint16(0) << true << Answer::NotAsked << false << qint16(0) << qint16(0) << "2";
    QTest::newRow("setting 2: all logbooks")
        << qint16(2) << true << Answer::NotAsked << false << qint16(2) << qint16(2) << "3";
    QTest::newRow("setting 3 asked, all")
        << qint16(3) << true << Answer::AllLogbooks << false << qint16(2) << qint16(3) << "3";
    QTest::newRow("setting 1 asked, current")
        << qint16(1) << true << Answer::CurrentLogbook << false << qint16(0) << qint16(1) << "2";
    QTest::newRow("setting 3, current, don't ask again: all from now")
        << qint16(3) << true << Answer::CurrentLogbook << true << qint16(0) << qint16(2) << "2";
    QTest::newRow("setting 1, all, don't ask again: current from now")
        << qint16(1) << true << Answer::AllLogbooks << true << qint16(2) << qint16(0) << "3";
    QTest::newRow("cancelled: all logbooks computed, setting kept")
        << qint16(3) << true << Answer::Cancel << true << qint16(-1) << qint16(3) << "3";
    QTest::newRow("close box cancels") << qint16(1) << true << Answer::CloseBox << false << qint16(-1) << qint16(1)
                                       << "3";
}

void tst_frmStats::scope() {
    QFETCH(qint16, setting);
    QFETCH(bool, logbookSelected);
    QFETCH(Answer, answer);
    QFETCH(bool, dontAskAgain);
    QFETCH(qint16, settingAfter);
    StatsWorld world(8);
    Settings& settings = Settings::instance();
    settings.setCurrentStatisticsMode(setting);
    settings.setCurrentLogbookID(logbookSelected ? world.red : -1);

    QuestionAnswerer answerer(answer, dontAskAgain);
    frmStats window;
    QCOMPARE(answerer.asked, answer != Answer::NotAsked);
    QTEST(window.statsMode, "statsMode");
    QCOMPARE(settings.currentStatisticsMode(), settingAfter);
    // Only "do not show again" writes the setting, and at once.
    QCOMPARE(SettingsStore::value("Statistics", "none"),
             dontAskAgain && answer != Answer::Cancel ? QString::number(settingAfter) : QStringLiteral("none"));
    QVERIFY(window.hasDives());
    QVERIFY(window.isComputed("A0"));
    QTEST(window.lblTotDives->text(), "dives");
    QCOMPARE(world.env.fakes.message->shown.size(), 0);
}

void tst_frmStats::dontAskAgainOverAnUnwritableStore() {
    StatsWorld world(8);
    Settings& settings = Settings::instance();
    settings.setCurrentStatisticsMode(3);
    settings.setCurrentLogbookID(world.red);
    QVERIFY(world.env.makeStoreUnwritable());
    world.env.fakes.message->answers << Msg::Ok;

    QuestionAnswerer answerer(Answer::AllLogbooks, true);
    frmStats window;
    QVERIFY(answerer.asked);
    // The answer and the choice hold for this run; the failed write is told once.
    QCOMPARE(window.statsMode, qint16(2));
    QCOMPARE(settings.currentStatisticsMode(), qint16(2));
    QVERIFY(window.isComputed("A0"));
    QCOMPARE(world.env.fakes.message->shown.size(), 1);
    QVERIFY2(world.env.fakes.message->shown[0].text.contains(QStringLiteral("[75] ")),
             qPrintable(world.env.fakes.message->shown[0].text));
}

void tst_frmStats::pagesAreComputedWhenFirstShown() {
    StatsWorld world(1);
    frmStats window;
    QCOMPARE(window.lbl_Setting->text(), " History Data");
    QVERIFY(window.picOptions[0]->isEnabled());
    for (const char* key : {"A1", "A2", "A3", "A4", "A5", "A6", "A7"})
        QVERIFY2(!window.isComputed(key), key);

    window.tvSettings_NodeClick(window.node("A3"));
    QVERIFY(window.isComputed("A3"));
    QVERIFY(window.picOptions[3]->isEnabled());
    QVERIFY(!window.picOptions[0]->isEnabled());
    QCOMPARE(window.lbl_Setting->text(), " Weather Conditions");
    QChart* computed = window.chartStat[3]->chart();

    // Shown again, it is not computed again; the root changes nothing.
    window.tvSettings_NodeClick(window.node("A0"));
    window.tvSettings_NodeClick(window.node("A3"));
    QCOMPARE(window.chartStat[3]->chart(), computed);
    window.tvSettings_NodeClick(window.node("statistics"));
    QCOMPARE(window.lbl_Setting->text(), " Weather Conditions");
    QVERIFY(window.picOptions[3]->isEnabled());
}

void tst_frmStats::computeAllStatistics() {
    StatsWorld world(32);
    frmStats window;
    window.computeAllStatistics();
    for (const char* key : {"A0", "A1", "A2", "A3", "A4", "A5", "A6", "A7"})
        QVERIFY2(window.isComputed(key), key);
    QCOMPARE(window.lbl_Setting->text(), " Errors");
    QVERIFY(window.picOptions[6]->isEnabled());
    // The figures a printed page reads are the ones the window shows.
    QCOMPARE(window.figures().history.totTime, window.lblTotTime->text());
    QCOMPARE(window.figures().history.totTime, "2:35");
    QCOMPARE(window.figures().charts[StatsPages::Deco].counts, (QList<qint32>{0, 3}));
    QCOMPARE(world.env.fakes.message->shown.size(), 0);
}

void tst_frmStats::chartModel() {
    StatsWorld world(1);
    Internationalization::instance().setMeasureUnit(1);
    frmStats window;
    window.computeAllStatistics();

    struct Expected {
        int page;
        QString title;
        QStringList labels;
        QList<qreal> values;
    };
    const Expected expected[] = {
        {1,
         "Depth",
         {"  0 - 65 ft.", " 65 - 98 ft.", " 98 - 131 ft.", "131 - 164 ft.", "    > 164 ft."},
         {1, 0, 1, 0, 1}},
        {2, "Dive Mode", {"Air", "Nitrox", "Bottom Time"}, {2, 1, 0}},
        {3, "Weather Conditions", {"Clear", "Overcast", "Misty", "Rainy", "Stormy", "Snowy"}, {0, 2, 0, 0, 1, 0}},
    };
    for (const Expected& e : expected) {
        QBarSeries* series = seriesOf(window, e.page);
        QVERIFY(series);
        QStringList labels;
        QList<qreal> values;
        for (QBarSet* set : series->barSets()) {
            QCOMPARE(set->count(), 1);
            labels.append(set->label());
            values.append(set->at(0));
        }
        QCOMPARE(labels, e.labels);
        QCOMPARE(values, e.values);
        auto* axis = qobject_cast<QBarCategoryAxis*>(series->attachedAxes().value(0));
        QVERIFY(axis);
        QCOMPARE(axis->categories(), QStringList{e.title});
        QVERIFY(window.chartStat[e.page]->chart()->legend()->isVisible());
        QCOMPARE(window.lblFootnote[e.page]->text(), " ");
    }
}

void tst_frmStats::footnoteFollowsTheSelection() {
    StatsWorld world(1);
    frmStats window;
    window.tvSettings_NodeClick(window.node("A3"));
    QBarSeries* series = seriesOf(window, 3);
    QBarSet* overcast = series->barSets().at(1);

    // A bar reports its click through the series, as the chart does for the user's click.
    emit series->clicked(0, overcast);
    QCOMPARE(window.lblFootnote[3]->text(), "Selected Dives = 2");
    QCOMPARE(overcast->selectedBars(), QList<int>{0});

    window.chartStat_PointSelected(3, series->barSets().at(4));
    QCOMPARE(window.lblFootnote[3]->text(), "Selected Dives = 1");
    QVERIFY(overcast->selectedBars().isEmpty());

    // A press elsewhere on the chart cancels the selection.
    QTest::mousePress(window.chartStat[3]->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(window.lblFootnote[3]->text(), " ");
    QVERIFY(series->barSets().at(4)->selectedBars().isEmpty());
}

void tst_frmStats::historyOfAirIntegratedModel() {
    for (const qint32 model : {8, 1}) {
        StatsWorld world(model);
        world.fixture.dive(world.red, QDateTime(QDate(2024, 6, 1), QTime(9, 0)),
                           {{"TANK_USE", 31}, {"SAMPLE", "0100000000000000111101000000000000000042"}});
        frmStats window;
        const bool air = model == 8;
        QCOMPARE(window.lblTotDives->text(), "4");
        QCOMPARE(window.lblMaxDepth->text(), " 52 m.");
        QCOMPARE(window.lblAvgConsuption->isVisibleTo(&window), air);
        QVERIFY(window.Label6->isVisibleTo(&window));
        if (air) {
            QCOMPARE(window.lblAvgConsuption->text(), " 7");
            QCOMPARE(window.lblMaxConsuption->text(), "42");
            QCOMPARE(window.lblMinConsuption->text(), "42");
        }
    }
}

void tst_frmStats::noDiveInScope() {
    StatsWorld world(16);
    Settings::instance().setCurrentDiveComputer(2); // a model without logbooks
    frmStats window;
    QVERIFY(!window.hasDives());
    QCOMPARE(window.statsMode, qint16(2));
    QVERIFY(!window.isComputed("A0"));
    // A printed page still gets its captions and titles, with empty figures.
    window.computeAllStatistics();
    QVERIFY(window.figures().noDives);
    QVERIFY(window.figures().history.totDives.isEmpty());
    QCOMPARE(window.figures().charts[StatsPages::Suit].counts, (QList<qint32>{0, 0, 0}));
    QCOMPARE(world.env.fakes.message->shown.size(), 0);
}

void tst_frmStats::closingReleasesTheRows_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("OK") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
}

void tst_frmStats::closingReleasesTheRows() {
    QFETCH(int, how);
    StatsWorld world(1);
    frmStats window;
    window.show();
    if (how == 0)
        window.cmdOk->click();
    else if (how == 1)
        window.close();
    else
        QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());

    world.env.fakes.message->failOnUnexpected = false; // the one box is read below
    window.tvSettings_NodeClick(window.node("A1"));
    QCOMPARE(world.env.fakes.message->shown.size(), 1);
    QCOMPARE(world.env.fakes.message->shown[0].text, "[frmStats.tvSettings_NodeClick] Recordset not set!");
    QCOMPARE(world.env.fakes.message->shown[0].flags, Msg::Critical);
    QVERIFY(!window.isComputed("A1"));
}

void tst_frmStats::expandAndRestore() {
    StatsWorld world(1);
    frmStats window;
    QCOMPARE(window.cmdExpand->text(), "Maximize");
    window.cmdExpand_Click();
    QVERIFY(window.windowState() & Qt::WindowMaximized);
    QCOMPARE(window.cmdExpand->text(), "Minimize");
    window.cmdExpand_Click();
    QVERIFY(!(window.windowState() & Qt::WindowMaximized));
    QCOMPARE(window.cmdExpand->text(), "Maximize");
    window.setWindowState(Qt::WindowMinimized);
    window.cmdExpand_Click();
    QCOMPARE(window.windowState(), Qt::WindowMinimized);
    QCOMPARE(window.cmdExpand->text(), "Maximize");
}

QTEST_MAIN(tst_frmStats)
#include "tst_frmstats.moc"
