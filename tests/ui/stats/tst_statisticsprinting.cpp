#include "../../printing/PrintFixture.h"
#include "ImageDevice.h"
#include "LogbookFixture.h"
#include "MainModule.h"
#include "PreviewWatcher.h"
#include "PrinterManager.h"
#include "Settings.h"
#include "StatisticsPage.h"
#include "StatisticsPrinting.h"
#include "StatsPages.h"
#include "WindowHelpers.h"
#include "frmPrint.h"
#include "frmStatsAskForMode.h"

#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers every scope question shown while it lives with the current logbook, counting them.
struct ScopeAnswers : QObject {
    ScopeAnswers() {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* question = qobject_cast<frmStatsAskForMode*>(QApplication::activeModalWidget())) {
                ++asked;
                question->btnCurrentLogbook->click();
            }
        });
        timer.start();
    }
    QTimer timer;
    int asked = 0;
};

// Two logbooks of the model (two dives, one dive) and one of another model, the first selected; the
// statistics setting as given (1 ask each time, 2 all logbooks).
struct StatsPrintFixture : PrintFixture {
    explicit StatsPrintFixture(int statisticsSetting, qint32 model = 1, int language = 0) : PrintFixture(model) {
        env.storeSetting(QStringLiteral("Statistics"), QString::number(statisticsSetting));
        env.storeSetting(QStringLiteral("Language"), QString::number(language));
        env.restart();
        env.fakes.message->failOnUnexpected = false;
        const QDateTime start(QDate(2024, 5, 1), QTime(9, 0));
        red = book.logbook(QStringLiteral("Red Sea"), model);
        const qint32 elba = book.logbook(QStringLiteral("Elba"), model);
        const qint32 other = book.logbook(QStringLiteral("Other"), model == 1 ? 4 : 1);
        book.dive(red, start, {{"MAX_DEPTH", 18}, {"DIVE_TIME", 40}, {"WEATHER", 1}, {"ACTIVITY", 2}});
        book.dive(red, start.addDays(1), {{"MAX_DEPTH", 35}, {"DIVE_TIME", 85}, {"WEATHER", 1}, {"DIVE_MODE", 1}});
        book.dive(elba, start, {{"MAX_DEPTH", 52}, {"DIVE_TIME", 30}, {"WEATHER", 4}, {"ASCENT_FLAG", 1}});
        book.dive(other, start, {{"MAX_DEPTH", 10}});
        Settings::instance().setCurrentLogbookID(red);
        env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("statistics.pdf"));
        StatisticsPrinting::install();
    }
    ~StatsPrintFixture() { PrinterManager::installStatisticsProvider({}); }

    static std::shared_ptr<PrinterManager> statisticsJob() {
        auto job = std::make_shared<PrinterManager>();
        job->setMode(job->STATISTICS_MODE);
        return job;
    }

    LogbookFixture book;
    QTemporaryDir dir;
    qint32 red = 0;
};

// A 96-dpi surface that keeps every text drawn on it, the size it has there in points and the box it
// takes in pixels.
class TextRecorder : public QPaintDevice {
public:
    struct Text {
        QString text;
        double points;
        QRectF box;
    };
    QList<Text> texts;

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 4000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 4000 * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder* owner) : QPaintEngine(AllFeatures), m_owner(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawEllipse(const QRectF&) override {}
        void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
            const QFont font = item.font();
            const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
            const QFontMetricsF metrics(font);
            const QRectF box(baseline.x(), baseline.y() - metrics.ascent(), metrics.horizontalAdvance(item.text()),
                             metrics.height());
            const QTransform transform = painter()->combinedTransform();
            m_owner->texts.append({item.text(), points * transform.m22(), transform.mapRect(box)});
        }
        Type type() const override { return User; }

    private:
        TextRecorder* m_owner;
    };
    mutable Engine m_engine{this};
};

// The share of a region of the picture that is not white.
double inkIn(const QImage& page, const QRect& region) {
    int ink = 0;
    int seen = 0;
    for (int y = region.top(); y <= region.bottom(); y += 2) {
        for (int x = region.left(); x <= region.right(); x += 2) {
            ++seen;
            if (qGray(page.pixel(x, y)) < 200)
                ++ink;
        }
    }
    return seen ? double(ink) / seen : 0;
}

} // namespace

// The printed statistics page from the statistics of the chosen scope, its charts drawn onto the page.
class tst_StatisticsPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void figuresOfTheScope_data() {
        QTest::addColumn<int>("setting");
        QTest::addColumn<bool>("logbookSelected");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("dives");
        QTest::addColumn<QString>("maxDepth");
        QTest::newRow("current logbook") << 0 << true << 0 << "2"
                                         << "35";
        QTest::newRow("all logbooks") << 2 << true << 0 << "3"
                                      << "52";
        QTest::newRow("asked: the current logbook") << 3 << true << 1 << "2"
                                                    << "35";
        QTest::newRow("no logbook selected: all, unasked") << 3 << false << 0 << "3"
                                                           << "52";
    }
    void figuresOfTheScope() {
        QFETCH(int, setting);
        QFETCH(bool, logbookSelected);
        QFETCH(int, questions);
        QFETCH(QString, dives);
        QFETCH(QString, maxDepth);
        StatsPrintFixture f(setting);
        if (!logbookSelected)
            Settings::instance().setCurrentLogbookID(-1);
        ScopeAnswers answers;
        const StatisticsFigures figures = StatisticsPrinting::compute(nullptr);
        QCOMPARE(answers.asked, questions);
        QCOMPARE(figures.values.size(), StatisticsFigures::ROWS);
        QCOMPARE(figures.values[2].trimmed(), dives);
        QVERIFY2(figures.values[0].contains(maxDepth), qPrintable(figures.values[0]));
        QCOMPARE(figures.charts.size(), StatisticsFigures::CHARTS);
        for (const PrintPicture& chart : figures.charts) {
            QCOMPARE(chart.sizeTwips, QSizeF(StatisticsPrinting::CHART_WIDTH, StatisticsPrinting::CHART_HEIGHT));
            QVERIFY(chart.paint);
        }
    }

    void chartsAreDrawnOntoThePage() {
        StatsPrintFixture f(2);
        f.env.fakes.clipboard->content = QStringLiteral("the user's own text");
        const auto job = StatsPrintFixture::statisticsJob();
        ImageDevice page(11520, 15120);
        job->doPrint(page);
        const QImage picture = page.image();
        // Each chart's cell carries ink; the figures are printed as text.
        const double q = 15120 / 4;
        const double c = 3840 + 1920;
        const QList<QPointF> corners{{100, q}, {c, q}, {100, 1.75 * q}, {c, 1.75 * q}, {100, 2.5 * q}, {c, 2.5 * q}};
        for (const QPointF& corner : corners) {
            const QRect cell = QRectF(corner / 15, QSizeF(4900, 2800) / 15).toRect();
            QVERIFY2(inkIn(picture, cell) > 0.02,
                     qPrintable(QStringLiteral("cell at %1, %2").arg(corner.x()).arg(corner.y())));
        }
        QCOMPARE(f.env.fakes.clipboard->content, QStringLiteral("the user's own text"));
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }

    // Every count on a chart's value axis prints whole, whatever the highest count and however many
    // categories share the legend.
    void countsReadWhole_data() {
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QList<qint32>>("counts");
        const QStringList depths{"0 - 10 m", "10 - 20 m", "20 - 30 m", "30 - 40 m", "> 40 m"};
        QTest::newRow("depth, few dives") << depths << QList<qint32>{1, 2, 0, 0, 0};
        QTest::newRow("depth, hundreds") << depths << QList<qint32>{120, 341, 97, 12, 3};
        QTest::newRow("dive mode") << QStringList{"Air", "Nitrox", "Bottom Time", "Free Dive"}
                                   << QList<qint32>{35, 17, 0, 0};
        QTest::newRow("weather") << QStringList{"Clear", "Overcast", "Misty", "Rainy", "Stormy", "Snowy"}
                                 << QList<qint32>{1040, 220, 13, 7, 1, 0};
        QTest::newRow("suit") << QStringList{"Wet suit", "Semi-dry suit", "Dry suit"} << QList<qint32>{9, 4, 2};
        QStringList activities;
        for (int i = 0; i < 13; ++i)
            activities.append(QStringLiteral("Activity %1").arg(i));
        QTest::newRow("activity") << activities << QList<qint32>(13, 52);
    }
    void countsReadWhole() {
        QFETCH(QStringList, labels);
        QFETCH(QList<qint32>, counts);
        StatsPrintFixture f(2);
        const QStringList texts = StatisticsPrinting::chartTexts({QStringLiteral("Depth"), labels, counts});
        QVERIFY(!texts.isEmpty());
        for (const QString& text : texts)
            QVERIFY2(!text.contains(QChar(0x2026)) && !text.contains(QLatin1String("...")),
                     qPrintable(texts.join(u'|')));
        // The highest count's bar has a tick at or above it.
        QVERIFY2(texts.contains(QStringLiteral("0")), qPrintable(texts.join(u'|')));
    }

    // However long a language's category names, every chart of a page prints its texts at one size,
    // and each legend still lists its categories in full.
    void everyChartLettersAlike_data() {
        QTest::addColumn<int>("language");
        const char* names[] = {"English", "French", "German", "Italian", "Portuguese", "Spanish"};
        for (int language = 0; language < 6; ++language)
            QTest::newRow(names[language]) << language;
    }
    void everyChartLettersAlike() {
        QFETCH(int, language);
        StatsPrintFixture f(2, 1, language);
        const StatisticsFigures figures = StatisticsPrinting::compute(nullptr);
        QCOMPARE(figures.charts.size(), StatisticsFigures::CHARTS);
        using namespace StatsPages;
        const StatsFigures expected = computeAll({});
        const Page shown[] = {Depth, DiveMode, Weather, Suit, Activity, Errors};
        QStringList sizes;
        for (int k = 0; k < figures.charts.size(); ++k) {
            TextRecorder surface;
            const QRectF cell(QPointF(0, 0), printedChartSize(k, figures.charts[k].sizeTwips) / 15);
            {
                QPainter painter(&surface);
                figures.charts[k].paint(painter, cell);
            }
            QStringList drawn;
            for (const TextRecorder::Text& text : surface.texts) {
                drawn.append(text.text.trimmed());
                QVERIFY2(cell.adjusted(-0.5, -0.5, 0.5, 0.5).contains(text.box),
                         qPrintable(text.text + QStringLiteral(" outside the chart")));
                const QString size = QString::number(text.points, 'f', 2);
                if (!sizes.contains(size))
                    sizes.append(size);
            }
            const StatsChart& chart = expected.charts[shown[k]];
            const QStringList texts = chart.labels + QStringList{chart.title};
            for (const QString& text : texts)
                QVERIFY2(drawn.contains(text.trimmed()), qPrintable(text + QStringLiteral(" in ") + drawn.join(u'|')));
        }
        QVERIFY2(sizes.size() == 1, qPrintable(QStringLiteral("sizes in points: ") + sizes.join(u' ')));
        // Small, but still lettering.
        QVERIFY2(sizes.first().toDouble() >= 5, qPrintable(sizes.first()));
    }

    void noDiveInScope() {
        StatsPrintFixture f(0);
        f.book.db.execute(QStringLiteral("DELETE FROM DIVE"));
        ScopeAnswers answers;
        const StatisticsFigures figures = StatisticsPrinting::compute(nullptr);
        QVERIFY(figures.values.isEmpty());
        QVERIFY(figures.charts.isEmpty());
        QCOMPARE(answers.asked, 0);

        RecordingDevice d(11520, 15120);
        StatsPrintFixture::statisticsJob()->doPrint(d);
        QVERIFY(d.texts().contains(QStringLiteral("Maximum depth:")));
        QCOMPARE(d.count(Kind::Picture), 0);
        QVERIFY(!isFormLoaded(QStringLiteral("frmStats")));
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }

    // From the print dialog: a portrait page printed once, the scope question asked once, the
    // monitor gone; previewing and then printing from the preview asks once for each page.
    void fromThePrintDialog() {
        StatsPrintFixture f(3);
        ScopeAnswers answers;
        {
            frmPrint dialog;
            dialog.optAllDives_Click();
            dialog.optStatistics_Click();
            dialog.cmdPrint_Click();
        }
        QCOMPARE(answers.asked, 1);
        QCOMPARE(f.env.fakes.printers->documents, 1);
        QCOMPARE(f.env.fakes.printers->current, 1);
        QVERIFY(!isFormLoaded(QStringLiteral("frmPrintMonitor")));
        QCOMPARE(f.env.fakes.message->shown.size(), 0);

        PreviewWatcher watcher;
        watcher.onShown = [](frmPreview& preview) { preview.Toolbar1_ButtonClick(QStringLiteral("PRINT")); };
        {
            frmPrint dialog;
            dialog.optAllDives_Click();
            dialog.optStatistics_Click();
            dialog.cmdPreview_Click();
        }
        QVERIFY(watcher.shown);
        QCOMPARE(answers.asked, 3);
        QCOMPARE(f.env.fakes.printers->documents, 2);
    }

    // Pictures for a person to look at, not for asserting: run with SONA_SCREENSHOT_DIR set, under a
    // real display server such as Xvfb. The preview of the page of an air-integrated model (seven
    // figure rows) in each language, and the page printed to PDF.
    void screenshots() {
        const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("SONA_SCREENSHOT_DIR not set");
        for (int language = 0; language < 6; ++language) {
            StatsPrintFixture f(2, 8, language);
            f.env.fakes.printers->pdfPath = QStringLiteral("%1/statistics-page-%2.pdf").arg(dir).arg(language);
            PreviewWatcher watcher;
            watcher.onShown = [&](frmPreview& preview) {
                QTest::qWait(100);
                QVERIFY(preview.grab().save(QStringLiteral("%1/preview-statistics-%2.png").arg(dir).arg(language)));
                preview.cmbZoom->setCurrentText(QStringLiteral("50"));
                preview.makeZoom();
                QTest::qWait(50);
                QVERIFY(preview.grab().save(QStringLiteral("%1/preview-statistics-%2-50.png").arg(dir).arg(language)));
                preview.Toolbar1_ButtonClick(QStringLiteral("PRINT"));
            };
            frmPrint dialog;
            dialog.optAllDives_Click();
            dialog.optStatistics_Click();
            dialog.cmdPreview_Click();
            QVERIFY(watcher.shown);
        }
    }
};

QTEST_MAIN(tst_StatisticsPrinting)
#include "tst_statisticsprinting.moc"
