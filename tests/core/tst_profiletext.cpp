#include "Dive.h"
#include "ProfileText.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "diveFreeInfo.h"

#include <QtTest>

#include <cmath>
#include <functional>

using Layout = ProfileText::Layout;
using Field = ProfileText::Field;
Q_DECLARE_METATYPE(ProfileText::Layout)
Q_DECLARE_METATYPE(ProfileText::Field)

namespace {

qint32 errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// Each sample as "depth vRis decoStop deco misc", the depth in decimetres.
QStringList samplesOf(const Dive& dive) {
    QStringList lines;
    for (int i = 1; i <= dive.getSamplesCount(); ++i)
        lines << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(qRound(dive.getSampleDepth(i) * 10))
                     .arg(dive.getSampleVRis(i))
                     .arg(dive.getSampleDecoStop(i))
                     .arg(dive.getSampleDeco(i))
                     .arg(dive.getSampleMisc(i));
    return lines;
}

Dive diveWithText(const QString& text, qint32 mode = 0) {
    Dive dive;
    dive.setDiveMode(mode);
    dive.setSAMPLES(text);
    return dive;
}

// The same dive as the dive queries load it: the text as the engine's UTF-8 bytes.
Dive diveWithBytes(const QString& text, qint32 mode = 0) {
    Dive dive;
    dive.setDiveMode(mode);
    dive.setStoredSamples(text.toUtf8());
    return dive;
}

// What reading a text came to, the samples and the text left in SAMPLES, as one comparable list.
QStringList readingOf(Dive& dive, Layout layout) {
    const ProfileText::ReadResult result = ProfileText::read(dive, layout);
    return QStringList{QStringLiteral("damaged %1 at %2: %3, %4 samples")
                           .arg(result.damaged)
                           .arg(result.position)
                           .arg(result.reason)
                           .arg(result.samples),
                       QStringLiteral("SAMPLES ") + dive.getSamples()} +
           samplesOf(dive);
}

// "(depth, vRis, decoStop, deco)" rows of a free-dive expansion, misc always 0.
QStringList freeSamples(const QList<std::array<int, 4>>& rows) {
    QStringList lines;
    for (const auto& r : rows)
        lines << QStringLiteral("%1 %2 %3 %4 0").arg(r[0]).arg(r[1]).arg(r[2]).arg(r[3]);
    return lines;
}

const QString SESSION_PROFILE = QStringLiteral("*0050012000600000008000400000*");
const QString SESSION_RECORDS = QStringLiteral("012000200000008000120016");

} // namespace

class tst_ProfileText : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void readLayout_data();
    void readLayout();
    void recordCount_data();
    void recordCount();
    void scubaRecord();
    void airRecord();
    void version20RecordWidensOnRewrite();
    void looseFieldsReadAsNumbers();
    void freeDiveWithProfile();
    void freeDiveWithoutProfile();
    void freeDiveOnlyStar();
    void freeDiveSessionsAreIndependent();
    void damagedText_data();
    void damagedText();
    void tooManySamples();
    void storedBytesReadAsText_data();
    void storedBytesReadAsText();
    void readOnFirstUseReadsAsRead_data() { storedBytesReadAsText_data(); }
    void readOnFirstUseReadsAsRead();
    void firstUseAfterALoad_data();
    void firstUseAfterALoad();
    void freeDiveLimits_data();
    void freeDiveLimits();

    void fieldRule_data();
    void fieldRule();
    void writtenTextReadsBack_data();
    void writtenTextReadsBack();
    void writerRefusesTheDive();
    void freeDiveRoundTrip();
    void writeLayout_data();
    void writeLayout();

private:
    std::unique_ptr<TestEnvironment> env;
};

void tst_ProfileText::readLayout_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<Layout>("layout");
    QTest::newRow("Zento") << 1 << 0 << Layout::Scuba;
    QTest::newRow("Zento RGBM, mode 2") << 4 << 2 << Layout::Scuba;
    QTest::newRow("Tavex") << 8 << 0 << Layout::Air;
    QTest::newRow("Lumo Air, mode 2") << 16 << 2 << Layout::Air;
    QTest::newRow("Kobi scuba") << 32 << 0 << Layout::Scuba;
    QTest::newRow("Kobi bottom time") << 32 << 3 << Layout::Scuba;
    QTest::newRow("Kobi free dive") << 32 << 2 << Layout::FreeDive;
}

void tst_ProfileText::readLayout() {
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(Layout, layout);
    Settings::instance().setCurrentDiveComputer(model);
    Dive dive = diveWithText(QString(), mode);
    // The dive's own code is never the one that decides.
    dive.setDiveComputer(model == 8 ? 1 : 8);
    QCOMPARE(ProfileText::readLayout(dive), layout);
}

void tst_ProfileText::recordCount_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("samples");
    QTest::newRow("empty") << Layout::Scuba << 0 << 0;
    QTest::newRow("scuba, 15 characters") << Layout::Scuba << 15 << 0;
    QTest::newRow("scuba, one record") << Layout::Scuba << 16 << 1;
    // Two whole records and 3 characters left over, whatever a shorter count once claimed.
    QTest::newRow("scuba, 35 characters") << Layout::Scuba << 35 << 2;
    QTest::newRow("air, 35 characters") << Layout::Air << 35 << 1;
    QTest::newRow("air, two records") << Layout::Air << 40 << 2;
    QTest::newRow("2.0, 30 characters") << Layout::Version20 << 30 << 2;
}

void tst_ProfileText::recordCount() {
    QFETCH(Layout, layout);
    QFETCH(int, length);
    QFETCH(int, samples);
    Dive dive = diveWithText(QString(length, u'7'));
    const ProfileText::ReadResult result = ProfileText::read(dive, layout);
    QVERIFY(result.ok());
    QCOMPARE(result.samples, samples);
    QCOMPARE(dive.getSamplesCount(), samples);
    QCOMPARE(dive.getSamples().size(), length);
}

void tst_ProfileText::scubaRecord() {
    Settings::instance().setCurrentDiveComputer(1);
    Dive dive = diveWithText(QStringLiteral("0123000200000000"));
    QVERIFY(ProfileText::read(dive).ok());
    QCOMPARE(dive.getSampleDepth(1), 12.3f);
    QCOMPARE(samplesOf(dive), QStringList{"123 2 0 0 0"});

    // Under an air-integrated model the same text is one partial 20-character record.
    Settings::instance().setCurrentDiveComputer(16);
    Dive air = diveWithText(QStringLiteral("0123000200000000"));
    QVERIFY(ProfileText::read(air).ok());
    QCOMPARE(air.getSamplesCount(), 0);
}

void tst_ProfileText::airRecord() {
    Settings::instance().setCurrentDiveComputer(8);
    Dive dive = diveWithText(QStringLiteral("0123000200030004015000500001000200030180"));
    QVERIFY(ProfileText::read(dive).ok());
    QCOMPARE(samplesOf(dive), QStringList({"123 2 3 4 150", "50 1 2 3 180"}));
}

void tst_ProfileText::version20RecordWidensOnRewrite() {
    Dive dive = diveWithText(QStringLiteral("123005002010050001000000"));
    QVERIFY(ProfileText::read(dive, Layout::Version20).ok());
    QCOMPARE(samplesOf(dive), QStringList({"123 5 2 10 0", "50 1 0 0 0"}));
    QCOMPARE(ProfileText::write(dive, Layout::Scuba), QStringLiteral("01230005000200100050000100000000"));
}

void tst_ProfileText::looseFieldsReadAsNumbers() {
    // Blanks around, a sign or a decimal point read as the number they hold; halves round to even.
    Dive dive = diveWithText(QStringLiteral(" 12   2 2.5 -001"));
    QVERIFY(ProfileText::read(dive, Layout::Scuba).ok());
    QCOMPARE(samplesOf(dive), QStringList{"12 2 2 -1 0"});
}

void tst_ProfileText::freeDiveWithProfile() {
    Settings::instance().setCurrentDiveComputer(32);
    Dive dive = diveWithText(SESSION_PROFILE + SESSION_RECORDS, 2);
    const ProfileText::ReadResult result = ProfileText::read(dive);
    QVERIFY(result.ok());
    QCOMPARE(result.samples, 9);
    QCOMPARE(samplesOf(dive), freeSamples({{50, 0, 4, 0},
                                           {120, 0, 8, 0},
                                           {60, 0, 12, 0},
                                           {0, 1, 0, 120},
                                           {0, 1, 4, 120},
                                           {0, 1, 8, 120},
                                           {0, 1, 12, 120},
                                           {80, 1, 0, 120},
                                           {40, 1, 4, 120}}));
    QCOMPARE(dive.getSamples(), SESSION_RECORDS);
}

void tst_ProfileText::freeDiveWithoutProfile() {
    Settings::instance().setCurrentDiveComputer(32);
    Dive dive = diveWithText(SESSION_RECORDS, 2);
    QVERIFY(ProfileText::read(dive).ok());
    QCOMPARE(samplesOf(dive), freeSamples({{120, 0, 4, 0},
                                           {120, 0, 8, 0},
                                           {120, 0, 12, 0},
                                           {120, 0, 16, 0},
                                           {120, 0, 20, 0},
                                           {0, 1, 0, 0},
                                           {0, 1, 4, 0},
                                           {0, 1, 8, 0},
                                           {0, 1, 12, 0},
                                           {80, 1, 0, 0},
                                           {80, 1, 4, 0},
                                           {80, 1, 8, 0}}));
    QCOMPARE(dive.getSamples(), SESSION_RECORDS);
}

void tst_ProfileText::freeDiveOnlyStar() {
    Dive dive = diveWithText(QStringLiteral("*"), 2);
    const ProfileText::ReadResult result = ProfileText::read(dive, Layout::FreeDive);
    QVERIFY(result.ok());
    QCOMPARE(dive.getSamplesCount(), 0);
}

void tst_ProfileText::freeDiveSessionsAreIndependent() {
    Dive first = diveWithText(SESSION_PROFILE + SESSION_RECORDS, 2);
    Dive second = diveWithText(SESSION_RECORDS, 2);
    Dive alone = diveWithText(SESSION_RECORDS, 2);
    QVERIFY(ProfileText::read(first, Layout::FreeDive).ok());
    QVERIFY(ProfileText::read(second, Layout::FreeDive).ok());
    QVERIFY(ProfileText::read(alone, Layout::FreeDive).ok());
    QCOMPARE(samplesOf(second), samplesOf(alone));
}

void tst_ProfileText::damagedText_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("kept");
    QTest::newRow("letter in the first depth") << Layout::Scuba << "01x3000200000000" << 1 << 0;
    QTest::newRow("blank field in the second record") << Layout::Scuba << "0123000200000000012300020000    " << 29 << 1;
    QTest::newRow("star in an air field") << Layout::Air << "01230002000300040150*1230002000300040150" << 21 << 1;
    QTest::newRow("2.0 letter") << Layout::Version20 << "12a005002010" << 1 << 0;
    QTest::newRow("free dive, no closing star") << Layout::FreeDive << "*01200200000" << 1 << 0;
    QTest::newRow("free dive, letter in a record") << Layout::FreeDive << "0120002000000080001x0016" << 17 << 5;
    // The second free dive finds the closing "*" where its run should start.
    QTest::newRow("free dive, profile shorter than the records")
        << Layout::FreeDive << "*00500000*012000200000008000120016" << 10 << 5;
}

void tst_ProfileText::damagedText() {
    QFETCH(Layout, layout);
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, kept);
    Dive dive = diveWithText(text, 2);
    const ProfileText::ReadResult result = ProfileText::read(dive, layout);
    QVERIFY(result.damaged);
    QVERIFY(!result.ok());
    QCOMPARE(result.position, position);
    QCOMPARE(result.samples, kept);
    QCOMPARE(dive.getSamplesCount(), kept);
    QCOMPARE(result.description(), QStringLiteral("Damaged profile at character %1: not a number").arg(position));
    // What was read before the damage is whole: every list holds the same number of samples.
    QCOMPARE(samplesOf(dive).size(), kept);
}

void tst_ProfileText::tooManySamples() {
    const QString record = QStringLiteral("0100000100000000");
    Dive dive = diveWithText(record.repeated(Dive::MAX_SAMPLES + 1));
    const ProfileText::ReadResult result = ProfileText::read(dive, Layout::Scuba);
    QVERIFY(result.damaged);
    QCOMPARE(result.samples, Dive::MAX_SAMPLES);
    QCOMPARE(result.position, qsizetype(Dive::MAX_SAMPLES) * 16 + 1);
    QCOMPARE(dive.getSamplesCount(), Dive::MAX_SAMPLES);
}

void tst_ProfileText::storedBytesReadAsText_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << Layout::Scuba << "";
    QTest::newRow("scuba, 15 characters") << Layout::Scuba << "012300020000000";
    QTest::newRow("scuba, partial record after two") << Layout::Scuba << "01230002000000000124000300010002012";
    QTest::newRow("scuba, loose fields") << Layout::Scuba << " 12   2 2.5 -001";
    QTest::newRow("scuba, letter") << Layout::Scuba << "01x3000200000000";
    QTest::newRow("scuba, blank field in the second record") << Layout::Scuba << "0123000200000000012300020000    ";
    QTest::newRow("scuba, sign alone") << Layout::Scuba << "-   000200000000";
    QTest::newRow("air, two records and a partial one") << Layout::Air << "0123000200030004015001240002000300040151012";
    QTest::newRow("air, star in a field") << Layout::Air << "01230002000300040150*1230002000300040150";
    QTest::newRow("2.0") << Layout::Version20 << "123005002010045001000000";
    QTest::newRow("2.0, letter") << Layout::Version20 << "12a005002010";
    QTest::newRow("free dive with profile") << Layout::FreeDive << SESSION_PROFILE + SESSION_RECORDS;
    QTest::newRow("free dive without profile") << Layout::FreeDive << SESSION_RECORDS;
    QTest::newRow("free dive, partial record") << Layout::FreeDive << SESSION_RECORDS + "00800012";
    QTest::newRow("free dive, only a star") << Layout::FreeDive << "*";
    QTest::newRow("free dive, empty profile") << Layout::FreeDive << "**" + SESSION_RECORDS;
    QTest::newRow("free dive, no closing star") << Layout::FreeDive << "*01200200000";
    QTest::newRow("free dive, loose profile depths")
        << Layout::FreeDive << "* 50 0120-005 0.0 80 0040 0 *" + SESSION_RECORDS;
    QTest::newRow("free dive, letter in a record") << Layout::FreeDive << "0120002000000080001x0016";
    QTest::newRow("free dive, profile shorter than the records")
        << Layout::FreeDive << "*00500000*012000200000008000120016";
    QTest::newRow("free dive, profile not in whole fields") << Layout::FreeDive << "*00500*012000200000";
    // Beyond ASCII the characters are counted, not the bytes: a no-break space is a blank.
    QTest::newRow("scuba, no-break space in a field") << Layout::Scuba << "0123000200000000\u00A0123000200000000";
    QTest::newRow("scuba, accented letter") << Layout::Scuba << "0123000200000000\u00E9123000200000000";
    QTest::newRow("free dive, no-break space in the profile")
        << Layout::FreeDive << "*0050\u00A0120006000000080\u00A0400000*" + SESSION_RECORDS;
}

void tst_ProfileText::storedBytesReadAsText() {
    QFETCH(Layout, layout);
    QFETCH(QString, text);
    Settings::instance().setCurrentDiveComputer(32);
    Dive asText = diveWithText(text, 2);
    Dive asBytes = diveWithBytes(text, 2);
    QCOMPARE(asBytes.getSamples(), text);
    QCOMPARE(readingOf(asBytes, layout), readingOf(asText, layout));
}

// A load checks every profile at once and makes the samples when they are first asked for: what it
// reports and what the dive then holds are what reading at once comes to.
void tst_ProfileText::readOnFirstUseReadsAsRead() {
    QFETCH(Layout, layout);
    QFETCH(QString, text);
    if (layout == Layout::Version20)
        QSKIP("only the upgrade reads this layout, and at once");
    Settings::instance().setCurrentDiveComputer(layout == Layout::Air ? 8 : layout == Layout::FreeDive ? 32 : 1);
    Dive now = diveWithBytes(text, 2);
    Dive later = diveWithBytes(text, 2);
    const QStringList expected = readingOf(now, layout);
    const ProfileText::ReadResult result = ProfileText::readOnFirstUse(later);
    // Another model chosen before the first use does not change how the stored text is read.
    Settings::instance().setCurrentDiveComputer(layout == Layout::Air ? 1 : 8);
    const QStringList reading = QStringList{QStringLiteral("damaged %1 at %2: %3, %4 samples")
                                                .arg(result.damaged)
                                                .arg(result.position)
                                                .arg(result.reason)
                                                .arg(result.samples),
                                            QStringLiteral("SAMPLES ") + later.getSamples()} +
                                samplesOf(later);
    QCOMPARE(reading, expected);
}

Q_DECLARE_METATYPE(std::function<QStringList(Dive&)>)

void tst_ProfileText::firstUseAfterALoad_data() {
    using Use = std::function<QStringList(Dive&)>;
    QTest::addColumn<Use>("use");
    QTest::addColumn<QStringList>("expected");
    const QStringList loaded = {"123 2 0 0 0", "124 3 1 2 0"};
    QTest::newRow("a new text leaves the loaded samples") << Use([](Dive& d) {
        d.setSAMPLES(QStringLiteral("0999000000000000"));
        return QStringList{d.getSamples()} + samplesOf(d);
    }) << QStringList{"0999000000000000"} + loaded;
    QTest::newRow("new stored bytes leave the loaded samples") << Use([](Dive& d) {
        d.setStoredSamples(QByteArray("0999000000000000"));
        return QStringList{d.getSamples()} + samplesOf(d);
    }) << QStringList{"0999000000000000"} + loaded;
    QTest::newRow("a sample added goes after the loaded ones") << Use([](Dive& d) {
        d.addSample(200, 1, 0, 0);
        return samplesOf(d);
    }) << loaded + QStringList{"200 1 0 0 0"};
    QTest::newRow("a sample replaced") << Use([](Dive& d) {
        d.setSample(2, 50, 0, 0, 0);
        return samplesOf(d);
    }) << QStringList{"123 2 0 0 0", "50 0 0 0 0"};
    QTest::newRow("a sample removed") << Use([](Dive& d) {
        d.removeSample(1);
        return samplesOf(d);
    }) << QStringList{"124 3 1 2 0"};
    QTest::newRow("a copy holds the same samples") << Use([](Dive& d) {
        const Dive copy = d;
        d.addSample(200, 1, 0, 0);
        return samplesOf(copy);
    }) << loaded;
    QTest::newRow("written back as stored")
        << Use([](Dive& d) { return QStringList{ProfileText::write(d, Layout::Scuba)}; })
        << QStringList{"01230002000000000124000300010002"};
    QTest::newRow("read again, the records twice") << Use([](Dive& d) {
        ProfileText::read(d);
        return samplesOf(d);
    }) << loaded + loaded;
    QTest::newRow("the count and the last step") << Use([](Dive& d) {
        return QStringList{QString::number(d.getSamplesCount()), QString::number(d.hasSamples()),
                           QString::number(d.getSampleDeco(2)), QString::number(d.getSampleDeco(3))};
    }) << QStringList{"2", "1", "2", "0"};
}

void tst_ProfileText::firstUseAfterALoad() {
    QFETCH(std::function<QStringList(Dive&)>, use);
    QFETCH(QStringList, expected);
    Settings::instance().setCurrentDiveComputer(1);
    Dive dive = diveWithBytes(QStringLiteral("01230002000000000124000300010002"));
    QCOMPARE(ProfileText::readOnFirstUse(dive).samples, 2);
    QCOMPARE(use(dive), expected);
}

void tst_ProfileText::freeDiveLimits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("samples");
    // 8192 points of one free dive: the seconds counted within it would pass 32767 at the last.
    QTest::newRow("seconds of a long run") << "*" + QStringLiteral("0010").repeated(8193) + "*001000000000"
                                           << 8191 * 4 + 2 << "a free-dive counter overflows" << 8191;
    // 32768 free dives without samples, then one with a sample: its number does not fit.
    QTest::newRow("free dives beyond 32767") << QStringLiteral("000000000000").repeated(32768) + "001000040000"
                                             << 32768 * 12 + 5 << "a free-dive counter overflows" << 0;
    // Fourteen surface parts of 2499 samples each: the dive is full within the fourteenth.
    QTest::newRow("more samples than a dive holds") << QStringLiteral("000000009999").repeated(14) << 13 * 12 + 9
                                                    << "more samples than a dive holds" << Dive::MAX_SAMPLES;
}

void tst_ProfileText::freeDiveLimits() {
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, reason);
    QFETCH(int, samples);
    for (Dive dive : {diveWithText(text, 2), diveWithBytes(text, 2)}) {
        const ProfileText::ReadResult result = ProfileText::read(dive, Layout::FreeDive);
        QVERIFY(result.damaged);
        QCOMPARE(result.position, position);
        QCOMPARE(result.reason, reason);
        QCOMPARE(result.samples, samples);
        QCOMPARE(dive.getSamplesCount(), samples);
    }
}

void tst_ProfileText::fieldRule_data() {
    QTest::addColumn<Field>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text"); // "" when the value is refused
    QTest::newRow("zero") << Field::Value << 0.0 << "0000";
    QTest::newRow("padded") << Field::Value << 7.0 << "0007";
    QTest::newRow("four digits") << Field::Depth << 1234.0 << "1234";
    QTest::newRow("half to even down") << Field::Depth << 12.5 << "0012";
    QTest::newRow("half to even up") << Field::Depth << 13.5 << "0014";
    QTest::newRow("depth above the surface") << Field::Depth << -3.0 << "0000";
    QTest::newRow("depth largest") << Field::Depth << 9999.4 << "9999";
    QTest::newRow("depth of 1000 m") << Field::Depth << 10000.0 << "";
    QTest::newRow("value negative") << Field::Value << -1.0 << "0000";
    QTest::newRow("value above the field") << Field::Value << 12000.0 << "9999";
    QTest::newRow("profile depth zero") << Field::ProfileDepth << 0.0 << "0000";
    QTest::newRow("profile depth negative") << Field::ProfileDepth << -1.0 << "";
    QTest::newRow("profile depth of 1000 m") << Field::ProfileDepth << 10000.0 << "";
    QTest::newRow("not a number") << Field::Value << std::nan("") << "";
    QTest::newRow("infinite") << Field::Value << HUGE_VAL << "";
}

void tst_ProfileText::fieldRule() {
    QFETCH(Field, kind);
    QFETCH(double, value);
    QFETCH(QString, text);
    QString written = QStringLiteral("ab");
    if (text.isEmpty()) {
        QCOMPARE(errorNumber([&] { ProfileText::appendField(written, value, kind); }), RuntimeError::InvalidArgument);
        QCOMPARE(written, QStringLiteral("ab"));
        return;
    }
    ProfileText::appendField(written, value, kind);
    QCOMPARE(written, QStringLiteral("ab") + text);
}

void tst_ProfileText::writtenTextReadsBack_data() {
    QTest::addColumn<Layout>("layout");
    QTest::newRow("scuba") << Layout::Scuba;
    QTest::newRow("air") << Layout::Air;
}

void tst_ProfileText::writtenTextReadsBack() {
    QFETCH(Layout, layout);
    const bool air = layout == Layout::Air;
    Dive dive;
    dive.addSample(0, 0, 0, 0, 200);
    dive.addSample(123, 2, 3, 4, 185);
    dive.addSample(9999, 5, 0, 1, 9999);
    // Values the field has no room for come back bounded, never as a text the reader refuses.
    dive.addSample(-4, -1, 20000, -32768, -10);
    dive.addSample(456.5, 1, 1, 1, 30000);
    const QString text = ProfileText::write(dive, layout);
    QCOMPARE(text.size(), 5 * (air ? 20 : 16));

    Dive loaded = diveWithText(text);
    const ProfileText::ReadResult result = ProfileText::read(loaded, layout);
    QVERIFY(result.ok());
    QStringList expected{"0 0 0 0 200", "123 2 3 4 185", "9999 5 0 1 9999", "0 0 9999 0 0", "456 1 1 1 9999"};
    if (!air) {
        for (QString& line : expected)
            line = line.section(u' ', 0, 3) + QStringLiteral(" 0");
    }
    QCOMPARE(samplesOf(loaded), expected);
    QCOMPARE(ProfileText::write(loaded, layout), text);
}

void tst_ProfileText::writerRefusesTheDive() {
    Dive dive;
    dive.addSample(100, 1, 0, 0);
    dive.addSample(10000, 1, 0, 0);
    QCOMPARE(errorNumber([&] { ProfileText::write(dive, Layout::Scuba); }), RuntimeError::InvalidArgument);
    QCOMPARE(errorNumber([&] { ProfileText::write(dive, Layout::FreeDive); }), RuntimeError::InvalidArgument);
    QCOMPARE(ProfileText::write(Dive(), Layout::Air), QString());

    diveFreeInfo session;
    session.addFreeDive(10000, 10, 0, 0, 0);
    QCOMPARE(errorNumber([&] { ProfileText::writeFreeDive(session); }), RuntimeError::InvalidArgument);
}

void tst_ProfileText::freeDiveRoundTrip() {
    diveFreeInfo session;
    session.addFreeDive(120, 20, 0, 0, 0);
    session.addFreeDive(80, 12, 0, 16, 0);
    QCOMPARE(ProfileText::writeFreeDive(session), SESSION_RECORDS);
    session.addProfileFree({50, 120, 60, 0, 80, 40, 0});
    const QString text = ProfileText::writeFreeDive(session);
    QCOMPARE(text, SESSION_PROFILE + SESSION_RECORDS);

    Dive dive = diveWithText(text, 2);
    QVERIFY(ProfileText::read(dive, Layout::FreeDive).ok());
    QCOMPARE(dive.getSamplesCount(), 9);

    // A surface time beyond the field is bounded; the text still reads.
    diveFreeInfo longBreak;
    longBreak.addFreeDive(100, 8, 0, 0, 200);
    const QString bounded = ProfileText::writeFreeDive(longBreak);
    QCOMPARE(bounded, QStringLiteral("010000089999"));
    Dive loaded = diveWithText(bounded, 2);
    QVERIFY(ProfileText::read(loaded, Layout::FreeDive).ok());
    QCOMPARE(loaded.getSamplesCount(), 9999 / 4 + 2);
}

void tst_ProfileText::writeLayout_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<Layout>("layout");
    QTest::newRow("Zento") << 1 << Layout::Scuba;
    QTest::newRow("Zento RGBM") << 4 << Layout::Scuba;
    QTest::newRow("Tavex") << 8 << Layout::Air;
    QTest::newRow("Lumo Air") << 16 << Layout::Air;
    QTest::newRow("Kobi") << 32 << Layout::Scuba;
}

void tst_ProfileText::writeLayout() {
    QFETCH(int, model);
    QFETCH(Layout, layout);
    Settings::instance().setCurrentDiveComputer(model);
    QCOMPARE(ProfileText::writeLayout(), layout);
}

QTEST_GUILESS_MAIN(tst_ProfileText)
#include "tst_profiletext.moc"
