#include "PrintFixture.h"
#include "PrinterManager.h"
#include "StatisticsPage.h"

#include <QTest>

// The portrait statistics page on a page 11,000 twips wide and 14,000 high.
class tst_StatisticsPage : public QObject {
    Q_OBJECT

    static StatisticsFigures figures() {
        StatisticsFigures f;
        f.values = {" 42.5 m. ", "12 °C", "17", "12:30", "20 lit./min", "31 lit./min", "11 lit./min"};
        for (int k = 0; k < 6; ++k)
            f.charts.append({QSizeF(4000 + k, 3000), {}});
        return f;
    }

private slots:
    void rowsFollowTheModel_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("rows");
        QTest::newRow("Zento: four rows") << 1 << 4;
        QTest::newRow("Lumo Air: seven rows") << 16 << 7;
    }
    void rowsFollowTheModel() {
        QFETCH(int, model);
        QFETCH(int, rows);
        PrintFixture f(model);
        RecordingDevice d(11000, 14000);
        printStatistics(d, figures());
        QCOMPARE(d.textCall("S.O.N.A. ").from, QPointF(300, 500));
        QCOMPARE(d.textCall("Computer Model: ").from, QPointF(300, 1300));
        QVERIFY(d.texts().contains(model == 1 ? "zento" : "Lumo Air"));
        const QStringList labels{"Maximum depth:",      "Minimum temperature:", "Total dives:",   "Total time:",
                                 "Average Consuption:", "Max Consuption:",      "Min Consuption:"};
        double widest = 0;
        for (int r = 0; r < 7; ++r) {
            const bool printed = d.texts().contains(labels[r]);
            QCOMPARE(printed, r < rows);
            if (!printed)
                continue;
            const auto label = d.textCall(labels[r]);
            QCOMPARE(label.from, QPointF(5500, 2000 + 300 * r));
            QCOMPARE(label.font, (PrintFont{"Tahoma", true, false, 11}));
            widest = std::max(widest, 110.0 * labels[r].size());
        }
        // Values start 300 twips right of the widest printed label, trimmed.
        QCOMPARE(d.textCall("42.5 m.").from, QPointF(5500 + widest + 300, 2000));
        QCOMPARE(d.texts().contains("20 lit./min"), rows == 7);
    }

    void chartsInTheirCells_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<double>("down");
        QTest::newRow("four rows clear the charts") << 1 << 0.0;
        // The seventh row ends at 3800 + 220; the charts start 100 below.
        QTest::newRow("seven rows push the charts down") << 8 << 620.0;
    }
    void chartsInTheirCells() {
        QFETCH(int, model);
        QFETCH(double, down);
        PrintFixture f(model);
        RecordingDevice d(11000, 14000);
        printStatistics(d, figures());
        const auto charts = d.ofKind(Kind::Picture);
        QCOMPARE(charts.size(), 6);
        const QList<QPointF> corners{{100, 3500}, {5499, 3500}, {100, 6125}, {5499, 6125}, {100, 8750}, {5499, 8750}};
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(charts[k].from, corners[k] + QPointF(0, down));
            // The last two are enlarged for paper.
            const QSizeF window(4000 + k, 3000);
            QCOMPARE(charts[k].size, k < 4 ? window : QSizeF(window.width() + 400, 4500));
        }
    }

    void noDiveInScopePrintsLabelsOnly() {
        PrintFixture f(8);
        PrinterManager job;
        job.setMode(job.STATISTICS_MODE);
        int asked = 0;
        job.setStatisticsProvider([&] {
            ++asked;
            return StatisticsFigures{};
        });
        RecordingDevice d(11000, 14000, true);
        job.doPrint(d);
        QCOMPARE(asked, 1);
        QVERIFY(d.texts().contains("Min Consuption:"));
        QCOMPARE(d.count(Kind::Picture), 0);
        // Seven labels and seven empty values after the three texts of the header.
        QCOMPARE(d.count(Kind::Text), 3 + 7 + 7);
        QCOMPARE(d.textCall("").from.x() > 5500, true);
    }

    void jobWithoutProviderStillPrintsThePage() {
        PrintFixture f;
        PrinterManager::installStatisticsProvider({});
        PrinterManager job;
        job.setMode(job.STATISTICS_MODE);
        RecordingDevice d(11000, 14000);
        job.doPrint(d);
        QVERIFY(d.texts().contains("Total time:"));
    }
};

QTEST_GUILESS_MAIN(tst_StatisticsPage)
#include "tst_statisticspage.moc"
