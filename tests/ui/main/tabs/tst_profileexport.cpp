#include "Dive.h"
#include "MainModule.h"
#include "Profile.h"
#include "ProfileExport.h"
#include "Settings.h"
#include "TestEnvironment.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {
// Samples of an air-integrated dive: depth (dm), deco stop, deco, fifth value. Sample 1 and samples
// 4 and 7 carry pressure drops, samples 5 and 8 breathing rates.
constexpr int SAMPLES[9][4] = {{30, 0, 0, 5},  {60, 0, 0, 0}, {90, 0, 1, 0},  {123, 0, 0, 10}, {120, 0, 0, 18},
                               {110, 1, 0, 0}, {90, 0, 0, 7}, {60, 0, 0, 16}, {30, 0, 0, 0}};

// A dive of `model` with the first `count` samples above, computed through its profile.
std::unique_ptr<Profile> computedDive(qint32 model, int count, double mode = 0) {
    auto dive = std::make_shared<Dive>();
    dive->setDiveComputer(model);
    dive->setDateTime(QDateTime(QDate(2004, 5, 31), QTime(14, 30)));
    dive->setDiveMode(mode);
    dive->setStartTankPressure(200);
    dive->setStopTankPressure(50);
    const bool rgbm = Settings::instance().isCurrentDiveComputerRGBM();
    dive->setStartTissue(QVariantList(rgbm ? 10 : 11, rgbm ? 0.79 : 26.07));
    for (int i = 0; i < count; ++i) {
        const int* s = SAMPLES[i % 9];
        dive->addSample(s[0], 0, s[1], s[2], s[3]);
    }
    auto profile = std::make_unique<Profile>();
    profile->setCurrentDive(dive);
    profile->compute();
    return profile;
}

QString titleLine() {
    return QStringLiteral("Time\tDepth\tDeco\tDeco Stop Violation\tTank Pressure\tConsuption (lit/min) \r");
}

QString unzipped(const QString& workbook, const QString& part) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, part});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}
} // namespace

class tst_ProfileExport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clipboardTextOfAnAirDive();
    void tankColumns_data();
    void tankColumns();
    void freeDiveTimes();
    void noSamples();
    void workbookOpened();
    void noSpreadsheetProgram();
    void unwritableWorkbook();

private:
    void useSettings(qint32 model, int unit);

    std::unique_ptr<TestEnvironment> m_env;
    QLocale m_locale;
};

void tst_ProfileExport::init() {
    m_locale = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_env = std::make_unique<TestEnvironment>();
    useSettings(8, 0);
}

void tst_ProfileExport::cleanup() {
    m_env.reset();
    QLocale::setDefault(m_locale);
}

void tst_ProfileExport::useSettings(qint32 model, int unit) {
    m_env->storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    m_env->storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    m_env->storeSetting(QStringLiteral("MeasureUnit"), QString::number(unit));
    m_env->restart();
}

void tst_ProfileExport::clipboardTextOfAnAirDive() {
    const auto profile = computedDive(ModelCodes::code(ModelCode::dcTAVEX), 9);
    ProfileExport::copyToClipboard(ProfileExport::rows(*profile));
    // Minute 1: 200 less the drops of samples 1 and 4, the rate of sample 5; minute 2: less sample 7,
    // the rate of sample 8; minute 3: its tank step falls on the last three samples, so the end
    // pressure and no rate.
    QCOMPARE(m_env->fakes.clipboard->content, titleLine() + QStringLiteral("0' 20\"\t-3\t-\t-\t\t\r"
                                                                           "0' 40\"\t-6\t-\t-\t\t\r"
                                                                           "1' 00\"\t-9\t*\t-\t185\t18\r"
                                                                           "1' 20\"\t-12.3\t-\t-\t\t\r"
                                                                           "1' 40\"\t-12\t-\t-\t\t\r"
                                                                           "2' 00\"\t-11\t-\t*\t178\t16\r"
                                                                           "2' 20\"\t-9\t-\t-\t\t\r"
                                                                           "2' 40\"\t-6\t-\t-\t\t\r"
                                                                           "3' 00\"\t-3\t-\t-\t50\t0\r"));
}

void tst_ProfileExport::tankColumns_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("samples");
    QTest::addColumn<QStringList>("minuteRows"); // depth, pressure, rate of each whole-minute row

    QTest::newRow("seven samples: no rate after minute 1")
        << ModelCodes::code(ModelCode::dcTAVEX) << 0 << 7 << QStringList{"9", "185", "18", "11", "178", "0"};
    QTest::newRow("imperial: feet and psi, rate as stored")
        << ModelCodes::code(ModelCode::dcLumoAir) << 1 << 9
        << QStringList{"30", "2683.2", "18", "36", "2581.7", "16", "10", "725.2", "0"};
    QTest::newRow("no air integration") << ModelCodes::code(ModelCode::dcZento) << 0 << 9
                                        << QStringList{"9", "-", "-", "11", "-", "-", "3", "-", "-"};
}

void tst_ProfileExport::tankColumns() {
    QFETCH(qint32, model);
    QFETCH(int, unit);
    QFETCH(int, samples);
    QFETCH(QStringList, minuteRows);
    useSettings(model, unit);

    const QList<QStringList> rows = ProfileExport::rows(*computedDive(model, samples));
    QCOMPARE(rows.size(), samples);
    QStringList minutes;
    for (int i = 2; i < rows.size(); i += 3)
        minutes << rows[i][1] << rows[i][4] << rows[i][5];
    QCOMPARE(minutes, minuteRows);
    const QString between = model == ModelCodes::code(ModelCode::dcZento) ? QStringLiteral("-") : QString();
    QCOMPARE(rows[0][4], between);
    QCOMPARE(rows[1][5], between);
}

void tst_ProfileExport::freeDiveTimes() {
    useSettings(ModelCodes::code(ModelCode::dcKOBI), 0);
    const auto profile = computedDive(ModelCodes::code(ModelCode::dcKOBI), 16, Settings::instance().getFreeDiveCode());
    QVERIFY(profile->getCurrentDive()->isFreeDive());
    const QList<QStringList> rows = ProfileExport::rows(*profile);
    QCOMPARE(rows[0][0], QStringLiteral("00' 04\""));
    QCOMPARE(rows[1][0], QStringLiteral("00' 08\""));
    QCOMPARE(rows[13][0], QStringLiteral("00' 56\""));
    QCOMPARE(rows[14][0], QStringLiteral("01' 00\""));
    QCOMPARE(rows[15][0], QStringLiteral("01' 04\""));
    QCOMPARE(rows[2][4], QStringLiteral("-"));
}

void tst_ProfileExport::noSamples() {
    QCOMPARE(ProfileExport::rows(static_cast<const Dive*>(nullptr)), QList<QStringList>());
    const auto profile = computedDive(ModelCodes::code(ModelCode::dcTAVEX), 0);
    const QList<QStringList> rows = ProfileExport::rows(*profile);
    QCOMPARE(rows, QList<QStringList>());
    QCOMPARE(ProfileExport::clipboardText(rows), titleLine());
}

void tst_ProfileExport::workbookOpened() {
    const QList<QStringList> rows = ProfileExport::rows(*computedDive(ModelCodes::code(ModelCode::dcTAVEX), 9));
    QVERIFY(ProfileExport::openInSpreadsheet(rows));
    QCOMPARE(m_env->fakes.message->shown.size(), 0);
    QVERIFY(!m_env->fakes.busyPointer->busy);
    QCOMPARE(m_env->fakes.spreadsheet->opened.size(), 1);
    const QString workbook = m_env->fakes.spreadsheet->opened.first();
    const auto removeWorkbook = qScopeGuard([&] { QFile::remove(workbook); });
    QVERIFY(workbook.endsWith(QStringLiteral(".xlsx")));
    QVERIFY(QFileInfo(workbook).size() > 0);

    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        return;
    const QString sheet = unzipped(workbook, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QString strings = unzipped(workbook, QStringLiteral("xl/sharedStrings.xml"));
    QVERIFY(sheet.contains(QStringLiteral("<row r=\"10\"")));
    QVERIFY(!sheet.contains(QStringLiteral("<row r=\"11\"")));
    // Depths are negative numbers, as the table shows them.
    QVERIFY(sheet.contains(QStringLiteral("<c r=\"B5\"><v>-12.3</v></c>")));
    QVERIFY(sheet.contains(QStringLiteral("<c r=\"B2\"><v>-3</v></c>")));
    QVERIFY(strings.contains(QStringLiteral("Consuption (lit/min) ")));
    QVERIFY(strings.contains(QStringLiteral("Deco Stop Violation")));
    QVERIFY(strings.contains(QStringLiteral("1' 00")));
    // Tank figures are numbers too; the marks stay texts.
    QVERIFY(sheet.contains(QStringLiteral("<c r=\"E4\"><v>185</v></c>")));
    QVERIFY(sheet.contains(QStringLiteral("<c r=\"F7\"><v>16</v></c>")));
    QVERIFY(strings.contains(QStringLiteral(">*<")));
}

void tst_ProfileExport::noSpreadsheetProgram() {
    m_env->fakes.spreadsheet->available = false;
    m_env->fakes.message->answers.enqueue(Msg::Ok);
    QVERIFY(
        !ProfileExport::openInSpreadsheet(ProfileExport::rows(*computedDive(ModelCodes::code(ModelCode::dcTAVEX), 3))));
    QCOMPARE(m_env->fakes.message->shown.size(), 1);
    const ShownMessage& m = m_env->fakes.message->shown.first();
    QCOMPARE(m.text, getString(3043));
    QCOMPARE(m.flags, Msg::OkOnly | Msg::Critical);
    QCOMPARE(m.title, getString(1005));
    // The message comes after the busy pointer is gone.
    QVERIFY(!m_env->fakes.busyPointer->busy);
    QCOMPARE(m_env->fakes.busyPointer->changes, 2);
}

void tst_ProfileExport::unwritableWorkbook() {
    QVERIFY(!ProfileExport::writeWorkbook({}, m_env->folder() + QStringLiteral("missing/folder/profile.xlsx")));
}

QTEST_MAIN(tst_ProfileExport)
#include "tst_profileexport.moc"
