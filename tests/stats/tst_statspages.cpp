#include "Internationalization.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "StatsPages.h"
#include "StatsQuery.h"
#include "TestEnvironment.h"

#include <QtTest>

using namespace StatsPages;
using Counts = QList<qint32>;

namespace {

constexpr qint16 METRIC = 0;
constexpr qint16 IMPERIAL = 1;

struct Dive {
    std::optional<double> time, depth, temp, tank, mode, deco, weather, suit, activity, violation, ascent, cns, nitrox,
        ppo2;
    QString profile; // read as an air-integrated profile text
};

StatsDive row(const Dive& d) {
    StatsDive r;
    r.diveTime = d.time;
    r.maxDepth = d.depth;
    r.minTemp = d.temp;
    r.tankUse = d.tank;
    r.diveMode = d.mode;
    r.decoFlag = d.deco;
    r.weather = d.weather;
    r.wetsuit = d.suit;
    r.activity = d.activity;
    r.violationStop = d.violation;
    r.ascent = d.ascent;
    r.maxCNS = d.cns;
    r.mixNitrox = d.nitrox;
    r.ppo2 = d.ppo2;
    StatsQuery::readConsumption(d.profile, r);
    return r;
}

// An air-integrated profile whose samples 2, 5, 8... carry these misc values (the others 0).
QString airProfile(const QList<int>& consumption) {
    QString text;
    for (int i = 1; i <= 3 * int(consumption.size()) - 1; ++i) {
        const int misc = (i + 1) % 3 == 0 ? consumption[(i + 1) / 3 - 1] : 7777;
        text += QStringLiteral("0150000000000000") + QStringLiteral("%1").arg(misc, 4, 10, QLatin1Char('0'));
    }
    return text;
}

constexpr auto none = std::nullopt;

// Six dives that between them reach every rule of every page.
std::vector<StatsDive> logbook() {
    const QList<Dive> dives = {
        // time  depth  temp  tank  mode deco wthr suit act  viol asc  cns   O2   ppo2
        {45, 20.5, 18, 30.4, 0, 0, 0, 0, 0, 0, 0, 75, 21, 1.4, airProfile({40, 12})},
        {50, 20.6, 14.5, 41, 1, 1, 5, 2, 12, 1, 0, 76, 32, 1.4, airProfile({8, 55, 30})},
        // a damaged profile: the dive counts, its samples do not
        {30, 45, 22, none, 2, 0, -1, -1, -1, 0, 3, 10, 36, 1.4, airProfile({1, 2}).left(80) + "0150000000000000x001"},
        // an older row: what it lacks is left out; codes outside their lists are not counted
        {none, 61.4, none, 20.5, 3, 2, 7, 1, 5, none, none, none, 21, none, QString()},
        {0.5, 30.5, 9.5, 0, 3, 0, 2, 0, 8, 0, 0, 75.5, 28, 1.4, QString()},
        // right at the oxygen limit in single precision (over it in double)
        {0, 40, none, none, 1, 0, 0, none, 8, 0, 0, 0, 28, 1.4, QString()},
    };
    std::vector<StatsDive> rows;
    for (const Dive& d : dives)
        rows.push_back(row(d));
    return rows;
}

// English texts, and the model code and unit system of the current data row.
void useRowsModelAndUnits(TestEnvironment& env) {
    QFETCH(int, model);
    QFETCH(qint16, unit);
    env.storeSetting("Language", "0");
    Settings::instance().setCurrentDiveComputer(model);
    Internationalization::instance().setMeasureUnit(unit);
}

} // namespace

class tst_StatsPages : public QObject {
    Q_OBJECT
private slots:
    void charts_data();
    void charts();
    void history_data();
    void history();
    void hoursAndMinutes_data();
    void hoursAndMinutes();
    void consumption_data();
    void consumption();
    void historyEdges();
    void noDives();
    void overflowingValueIsReported();
    void pageKeys();
};

void tst_StatsPages::charts_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<qint16>("unit");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<Counts>("counts");

    const QStringList metricDepths = {" 0 - 20 m.", "20 - 30 m.", "30 - 40 m.", "40 - 50 m.", "   > 50 m."};
    const QStringList imperialDepths = {"  0 - 65 ft.", " 65 - 98 ft.", " 98 - 131 ft.", "131 - 164 ft.",
                                        "    > 164 ft."};
    const QStringList weather = {"Clear", "Overcast", "Misty", "Rainy", "Stormy", "Snowy"};
    const QStringList suits = {"Wet suit", "Semi-dry suit", "Dry suit"};
    const QStringList activities = {
        "Exploration",  "Club Dive", "Training", "With instructor", "Night",           "Cave", "Ice",
        "For research", "Wreck",     "River",    "In current",      "For photography", "Other"};
    const QStringList errors = {"Omitted deco stop", "Uncontrolled ascent", "CNS Violation", "PPO2 Violation"};
    const QStringList threeModes = {"Air", "Nitrox", "Bottom Time"};

    for (const int model : {1, 8, 32}) {
        for (const qint16 unit : {METRIC, IMPERIAL}) {
            const auto name = [&](const char* page) {
                return QStringLiteral("%1 model %2 %3")
                    .arg(page)
                    .arg(model)
                    .arg(unit == METRIC ? "metric" : "imperial")
                    .toLatin1();
            };
            // 20.5 m is 20 and in the first band, 20.6 and 30.5 (30) in the second; the bands are of
            // metres whatever the units.
            QTest::newRow(name("depth").constData())
                << model << unit << int(Depth) << "Depth" << (unit == METRIC ? metricDepths : imperialDepths)
                << Counts{1, 2, 1, 1, 1};
            if (model == 8) // air-integrated: no bottom time, and its bottom-time code 2 is not counted
                QTest::newRow(name("modes").constData())
                    << model << unit << int(DiveMode) << "Dive Mode" << QStringList{"Air", "Nitrox"} << Counts{1, 2};
            else if (model == 1) // bottom time is mode 2
                QTest::newRow(name("modes").constData())
                    << model << unit << int(DiveMode) << "Dive Mode" << threeModes << Counts{1, 2, 1};
            else // bottom time is mode 3; mode 2, the free-dive session, is not counted
                QTest::newRow(name("modes").constData())
                    << model << unit << int(DiveMode) << "Dive Mode" << threeModes << Counts{1, 2, 2};
            QTest::newRow(name("deco").constData())
                << model << unit << int(Deco) << "Deco" << QStringList{"Deco", "No Deco"} << Counts{1, 4};
            QTest::newRow(name("weather").constData())
                << model << unit << int(Weather) << "Weather Conditions" << weather << Counts{2, 0, 1, 0, 0, 1};
            QTest::newRow(name("suit").constData())
                << model << unit << int(Suit) << "Type of Dive Suit" << suits << Counts{2, 1, 1};
            QTest::newRow(name("activity").constData()) << model << unit << int(Activity) << "Activity" << activities
                                                        << Counts{1, 0, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 1};
            // CNS 75 is no violation, 75.5 is (it becomes 76); 28 % at 40 m is exactly at 1.4 bar
            QTest::newRow(name("errors").constData())
                << model << unit << int(Errors) << "Errors" << errors << Counts{1, 1, 2, 1};
        }
    }
}

void tst_StatsPages::charts() {
    QFETCH(int, page);
    TestEnvironment env;
    useRowsModelAndUnits(env);

    const StatsChart chart = computeChart(Page(page), logbook());
    QTEST(chart.title, "title");
    QTEST(chart.labels, "labels");
    QTEST(chart.counts, "counts");
    // The window and the printed page draw from the same figures.
    QCOMPARE(computeAll(logbook()).charts[page].counts, chart.counts);
}

void tst_StatsPages::history_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<qint16>("unit");
    QTest::addColumn<QStringList>("texts"); // depth, temperature, dives, time, average, largest, smallest

    // 125 minutes; deepest 61.4 m kept as 61 (201 ft.); coldest 9.5 kept as 10 (50 °F); tank use
    // 30 + 41 + 20 + 0 over 6 dives; consumption from the sound profiles only.
    for (const int model : {1, 8, 32}) {
        const bool air = model == 8;
        const QStringList consumption = air ? QStringList{" 15", "55", "8"} : QStringList{"", "", ""};
        QTest::addRow("model %d metric", model)
            << model << METRIC << (QStringList{" 61 m.", " 10 °C", "6", "2:05"} + consumption);
        QTest::addRow("model %d imperial", model)
            << model << IMPERIAL << (QStringList{" 201 ft.", " 50 °F", "6", "2:05"} + consumption);
    }
}

void tst_StatsPages::history() {
    QFETCH(int, model);
    QFETCH(QStringList, texts);
    TestEnvironment env;
    useRowsModelAndUnits(env);

    const StatsHistory h = computeHistory(logbook());
    QCOMPARE((QStringList{h.maxDepth, h.minTemp, h.totDives, h.totTime, h.avgConsumption, h.maxConsumption,
                          h.minConsumption}),
             texts);
    QCOMPARE(h.consumptionShown, model == 8);
}

void tst_StatsPages::hoursAndMinutes_data() {
    QTest::addColumn<qint64>("minutes");
    QTest::addColumn<QString>("text");
    QTest::newRow("with minutes") << qint64(125) << "2:05";
    QTest::newRow("whole hours") << qint64(120) << "2:00";
    QTest::newRow("under an hour") << qint64(59) << "0:59";
    QTest::newRow("nothing") << qint64(0) << "0:00";
    QTest::newRow("beyond 16 bits") << qint64(36000) << "600:00";
}

void tst_StatsPages::hoursAndMinutes() {
    QFETCH(qint64, minutes);
    QFETCH(QString, text);
    QCOMPARE(StatsPages::hoursAndMinutes(minutes), text);
}

void tst_StatsPages::consumption_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<int>("largest");
    QTest::addColumn<int>("smallest");
    QTest::newRow("no profile") << QString() << false << false << 0 << 0;
    QTest::newRow("one sample: none read") << QString(airProfile({5}).left(20)) << false << false << 0 << 0;
    QTest::newRow("samples 2 and 5") << airProfile({31, 12}) << true << false << 31 << 12;
    QTest::newRow("a partial sample is ignored")
        << airProfile({31}) + "01500000000000000002" + "0150" << true << false << 31 << 31;
    QTest::newRow("blanks and a sign read as numbers")
        << "01500000000000000000" + QStringLiteral("0150000000000000 -12") << true << false << -12 << -12;
    QTest::newRow("damaged: none counted")
        << airProfile({31, 2}).left(80) + "0150000000000000-x01" << false << true << 0 << 0;
}

void tst_StatsPages::consumption() {
    QFETCH(QString, profile);
    StatsDive dive;
    StatsQuery::readConsumption(profile, dive);
    QTEST(dive.consumptionRead, "read");
    QTEST(dive.consumptionDamaged, "damaged");
    if (dive.consumptionRead) {
        QTEST(int(dive.consumptionMax), "largest");
        QTEST(int(dive.consumptionMin), "smallest");
    }
}

void tst_StatsPages::historyEdges() {
    TestEnvironment env;
    env.storeSetting("Language", "0");
    Settings::instance().setCurrentDiveComputer(16);

    // No temperature and no consumption sample: the start values show, the smallest consumption as 0.
    StatsDive dive;
    dive.diveTime = 600;
    std::vector<StatsDive> dives(60, dive);
    StatsHistory h = computeHistory(dives);
    QCOMPARE(h.minTemp, " 9999 °C");
    QCOMPARE(h.maxConsumption, "0");
    QCOMPARE(h.minConsumption, "0");
    QCOMPARE(h.avgConsumption, " 0");
    QCOMPARE(h.maxDepth, " 0 m.");
    // 600 hours: beyond what 16 bits hold.
    QCOMPARE(h.totTime, "600:00");
    QCOMPARE(h.totDives, "60");

    // One dive; a negative depth or temperature has no sign blank.
    dive.maxDepth = -1;
    dive.minTemp = -2;
    dive.tankUse = -7;
    h = computeHistory({dive});
    QCOMPARE(h.maxDepth, " 0 m.");
    QCOMPARE(h.minTemp, "-2 °C");
    QCOMPARE(h.avgConsumption, "-7");
    QCOMPARE(h.totTime, "10:00");
}

void tst_StatsPages::noDives() {
    TestEnvironment env;
    env.storeSetting("Language", "0");
    Settings::instance().setCurrentDiveComputer(8);
    const StatsFigures figures = computeAll({});
    QVERIFY(figures.noDives);
    QVERIFY(figures.history.totDives.isEmpty());
    QVERIFY(figures.history.avgConsumption.isEmpty());
    QCOMPARE(figures.charts[Errors].title, "Errors");
    QCOMPARE(figures.charts[Errors].labels.size(), 4);
    QCOMPARE(figures.charts[Activity].counts, Counts(13, 0));
    QVERIFY(figures.charts[History].labels.isEmpty());
}

void tst_StatsPages::overflowingValueIsReported() {
    TestEnvironment env;
    StatsDive dive;
    dive.diveTime = 40000;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, computeHistory({dive}));
    try {
        computeHistory({dive});
    } catch (const RuntimeError& e) {
        QCOMPARE(e.number(), RuntimeError::Overflow);
    }
    // A code that large is only an unknown code.
    dive.weather = 1e9;
    QCOMPARE(computeChart(Weather, {dive}).counts, Counts(6, 0));
}

void tst_StatsPages::pageKeys() {
    QStringList keys;
    for (const PageEntry& entry : TREE_ORDER) {
        keys.append(QString::fromLatin1(entry.key));
        QCOMPARE(pageOfKey(keys.last()), int(entry.page));
    }
    QCOMPARE(keys, (QStringList{"A0", "A1", "A2", "A7", "A3", "A4", "A5", "A6"}));
    QCOMPARE(pageOfKey("statistics"), -1);
    QCOMPARE(pageOfKey("A8"), -1);
}

QTEST_GUILESS_MAIN(tst_StatsPages)
#include "tst_statspages.moc"
