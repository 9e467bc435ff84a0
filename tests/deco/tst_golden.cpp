// Every per-step result of a handful of reference dives, against files reviewed by hand.
//
// The files are written only on request:
//   SONA_UPDATE_GOLDEN=1 tests/deco_tst_golden
// then read them again by eye before keeping them.
#include "DecoTestDives.h"
#include "Profile.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QTextStream>
#include <QtTest>
#include <functional>

using namespace decotest;

namespace {

struct Reference {
    const char* name;
    qint32 model;
    bool simulation;
    const char* description;
    std::function<std::shared_ptr<Dive>()> build;
};

const QList<Reference>& references() {
    static const QList<Reference> list = {
        {"zento_square30", 1, false, "Air, 30 m for 25 minutes, safety stop at 4 m.",
         [] {
             return diveOf(legs({{30, 25}, {4, 3}, {0, 0}}));
         }},
        {"zento_multilevel_nitrox32", 1, false, "EAN32: 33 m for 15 minutes, 20 m for 15, 12 m for 10, 4 m for 3.",
         [] {
             auto dive = diveOf(legs({{33, 15}, {20, 15}, {12, 10}, {4, 3}, {0, 0}}));
             setNitrox(*dive, 32);
             return dive;
         }},
        {"zento_deco45", 1, false, "Air, 45 m for 30 minutes, stops at 9, 6 and 3 m until the ceiling clears.",
         [] {
             return diveOf(legs({{45, 30}, {9, 3}, {6, 15}, {3, 60}, {0, 0}}));
         }},
        {"zento_altitude2_repetitive", 2, false,
         "Lumo, altitude class 2, start CNS 10, loads left by an earlier dive; 25 m for 20 minutes.",
         [] {
             auto dive = diveOf(legs({{25, 20}, {5, 3}, {0, 0}}));
             dive->setAltitude(2);
             dive->setStartCNS(10);
             setTissues(*dive, {60, 55, 50, 45, 40, 38, 36, 35, 34, 33, 32});
             return dive;
         }},
        {"rgbm_square30", 4, false, "Air, 30 m for 25 minutes, safety stop at 4 m.",
         [] {
             return diveOf(legs({{30, 25}, {4, 3}, {0, 0}}));
         }},
        {"rgbm_repetitive_salt", 4, false,
         "Salt water, surface interval 45 min, 3 dive days, previous mean 15 m, personal factor 1; 25 m for 20 "
         "minutes.",
         [] {
             auto dive = diveOf(legs({{25, 20}, {4, 3}, {0, 0}}));
             dive->setWater(0);
             dive->setTSR(45);
             dive->setDiveDays(3);
             dive->setDepthMeanPrec(15);
             dive->setPersonalFactor(1);
             setTissues(*dive, {1.1, 1.2, 1.3, 1.2, 1.1, 1.05, 1.0, 0.95, 0.9, 0.85});
             return dive;
         }},
        {"rgbm_deco_recorded_deepstops", 4, false,
         "Air, 42 m for 25 minutes with recorded deep stops at 21 and 15 m, stops until the ceiling clears.",
         [] {
             auto dive = diveOf(legs({{42, 25}, {21, 1}, {15, 1}, {6, 6}, {3, 40}, {0, 0}}));
             dive->setDeepStop1(21);
             dive->setDeepStop2(15);
             return dive;
         }},
        {"rgbm_simulated_deep", 4, true, "Simulated: 50 m for 15 minutes, ascent with stops, deep stops computed.",
         [] {
             return diveOf(legs({{50, 15}, {25, 1}, {12, 1}, {6, 2}, {3, 10}, {0, 0}}, 4, 2));
         }},
        {"rgbm_nitrox36_air_integrated", 8, false,
         "Tavex, EAN36 at 28 m for 30 minutes, safety stop at 4.5 m, tank 200 bar, pressure drops and consumption in "
         "the misc values.",
         [] {
             const QList<double> depths = legs({{28, 30}, {4.5, 3}, {0, 0}});
             auto dive = diveOf({});
             setNitrox(*dive, 36);
             dive->setStartTankPressure(200);
             double pressure = 200;
             for (qsizetype k = 0; k < depths.size(); ++k) {
                 const int i = int(k) + 1;
                 // Every minute a drop of 2 bar and a consumption of 18 to 21 litres a minute.
                 const double misc = i % 3 == 1 && i > 1 ? 2 : i % 3 == 2 ? 18 + i % 4 : 0;
                 if (i % 3 == 1)
                     pressure -= misc;
                 dive->addSample(std::round(depths[k] * 10), 0, 0, 0, misc);
             }
             dive->setStopTankPressure(float(pressure));
             return dive;
         }},
    };
    return list;
}

QString render(const Reference& reference, const Profile& profile, int samples) {
    const bool tank = profile.getTissueNumber() == 10;
    QString text;
    QTextStream out(&text);
    out << "# " << reference.description << '\n';
    out << "# model code " << reference.model << (reference.simulation ? ", simulation" : "") << ", " << samples
        << " samples; deep stops " << profile.getDeepStop1() << ' ' << profile.getDeepStop2() << '\n';
    out << "step depth maxDepth vRis decoFlag noDec decoTime ascent tappa safety cns vDeep";
    if (tank)
        out << " tankP tankUse";
    out << " tissues\n";
    for (int step = 0; step <= samples + 1; ++step) {
        const qint16 s = qint16(step);
        out << step << ' ' << QString::number(profile.getDepth(s), 'f', 1) << ' '
            << QString::number(profile.getMaxDepth(s), 'f', 1) << ' ' << profile.getMaxVelocity(s) << ' '
            << profile.getDecoFlag(s) << ' ' << profile.getNoDecTime(s) << ' ' << profile.getDecoTime(s) << ' '
            << profile.getAscentTime(s) << ' ' << profile.getTappa(s) << ' ' << profile.getSafetyTime(s) << ' '
            << profile.getCNS(s) << ' ' << profile.getVerticalDeep(s);
        if (tank)
            out << ' ' << profile.getProgressiveTankPressure(s) << ' ' << profile.getTankConsuption(s);
        for (qint16 load : profile.getTissue(s))
            out << ' ' << load;
        out << '\n';
    }
    return text;
}

QString goldenPath(const char* name) {
    return QStringLiteral(SONA_FIXTURES_DIR "/deco/%1.txt").arg(QLatin1String(name));
}

} // namespace

class tst_Golden : public QObject {
    Q_OBJECT
private slots:
    void referenceDives_data();
    void referenceDives();
};

void tst_Golden::referenceDives_data() {
    QTest::addColumn<int>("index");
    for (qsizetype k = 0; k < references().size(); ++k)
        QTest::newRow(references()[k].name) << int(k);
}

void tst_Golden::referenceDives() {
    QFETCH(int, index);
    const Reference& reference = references()[index];
    TestEnvironment environment;
    Settings::instance().setCurrentDiveComputer(reference.model);
    auto dive = reference.build();
    Profile profile;
    profile.setCurrentDive(dive);
    profile.setSimulationMode(reference.simulation);
    profile.compute();
    const QString actual = render(reference, profile, dive->getSamplesCount());

    QFile file(goldenPath(reference.name));
    if (qEnvironmentVariableIsSet("SONA_UPDATE_GOLDEN")) {
        QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file.fileName()));
        file.write(actual.toUtf8());
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName() + QStringLiteral(" is missing")));
    const QStringList expectedLines = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList actualLines = actual.split(u'\n');
    for (qsizetype k = 0; k < std::min(expectedLines.size(), actualLines.size()); ++k) {
        if (expectedLines[k] != actualLines[k])
            QFAIL(qPrintable(QStringLiteral("line %1\n expected: %2\n actual:   %3")
                                 .arg(k + 1)
                                 .arg(expectedLines[k], actualLines[k])));
    }
    QCOMPARE(actualLines.size(), expectedLines.size());
}

QTEST_GUILESS_MAIN(tst_Golden)
#include "tst_golden.moc"
