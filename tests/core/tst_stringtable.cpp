#include "MainModule.h"
#include "RuntimeError.h"
#include "Settings.h"
#include "StringTable.h"
#include "TestEnvironment.h"

#include <QtTest>

#include <limits>

namespace {
// The string numbers every complete language holds.
QList<qint32> stringNumbers() {
    static const QList<QPair<qint32, qint32>> ranges = {
        {1000, 1005}, {1010, 1013}, {1055, 1057}, {1080, 1091}, {1100, 1112}, {1150, 1155}, {1180, 1182},
        {1200, 1207}, {1210, 1215}, {1300, 1323}, {1400, 1407}, {1410, 1421}, {1430, 1445}, {1450, 1468},
        {1470, 1479}, {1490, 1493}, {1500, 1504}, {1510, 1518}, {1600, 1604}, {1650, 1659}, {1700, 1718},
        {1750, 1759}, {1800, 1809}, {1850, 1873}, {1900, 1910}, {1950, 1974}, {2000, 2016}, {2050, 2087},
        {2089, 2093}, {2100, 2113}, {2200, 2210}, {3000, 3045}, {3100, 3103}};
    QList<qint32> numbers;
    for (const auto& [first, last] : ranges) {
        for (qint32 n = first; n <= last; ++n)
            numbers << n;
    }
    return numbers;
}

// Numbers the program adds, each the next free one of its group, in every language: 2017 the printer
// that writes a PDF file.
const QList<qint32> ownNumbers = {2017};

// The texts that carry "|1" in English.
const QList<qint32> englishPlaceholders = {1659, 1873, 3011, 3028, 3032, 3033};

void addLanguageRows() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<QList<qint32>>("lacking");
    QTest::newRow("Italian") << 0 << QList<qint32>{};
    QTest::newRow("English") << 10000 << QList<qint32>{};
    QTest::newRow("French") << 20000 << QList<qint32>{1443};
    QTest::newRow("German") << 30000 << QList<qint32>{1443};
    QTest::newRow("Portuguese") << 40000 << QList<qint32>{1215, 1443};
    QTest::newRow("Spanish") << 50000 << QList<qint32>{1215, 1443, 1477};
}
} // namespace

class tst_StringTable : public QObject {
    Q_OBJECT
private slots:
    void holdsExactlyTheListedNumbers_data();
    void holdsExactlyTheListedNumbers();
    void placeholdersFollowEnglish_data();
    void placeholdersFollowEnglish();
    void getStringByLanguage_data();
    void getStringByLanguage();
    void englishUnitTexts_data();
    void englishUnitTexts();
    void unknownLanguageReadsEmpty_data();
    void unknownLanguageReadsEmpty();
    void firstStringCreatesSettings();
    void languageAvailability_data();
    void languageAvailability();
    void stringWithArgs_data();
    void stringWithArgs();
    void valueWithoutTextForm();
    void parse_data();
    void parse();
};

void tst_StringTable::holdsExactlyTheListedNumbers_data() {
    addLanguageRows();
}

void tst_StringTable::holdsExactlyTheListedNumbers() {
    QFETCH(int, offset);
    QFETCH(QList<qint32>, lacking);
    const StringTable& table = StringTable::instance();
    QCOMPARE(stringNumbers().size(), 417);
    const QList<qint32> numbers = stringNumbers() + ownNumbers;
    for (qint32 n : numbers) {
        const bool expected = !lacking.contains(n);
        QVERIFY2(table.contains(offset + n) == expected, qPrintable(QString::number(n)));
        if (expected)
            QVERIFY2(!table.text(offset + n).isEmpty(), qPrintable(QString::number(n)));
    }
    // A mistyped number would land outside the list.
    const QSet<qint32> listed(numbers.begin(), numbers.end());
    for (qint32 n = 0; n < 10000; ++n) {
        if (!listed.contains(n))
            QVERIFY2(!table.contains(offset + n), qPrintable(QString::number(n)));
    }
}

void tst_StringTable::placeholdersFollowEnglish_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<QList<qint32>>("withPlaceholder");
    // 3029 names the model where the sentence needs it; English, French and German say "the dive computer".
    QTest::newRow("Italian") << 0 << (englishPlaceholders + QList<qint32>{3029});
    QTest::newRow("English") << 10000 << englishPlaceholders;
    QTest::newRow("French") << 20000 << englishPlaceholders;
    QTest::newRow("German") << 30000 << englishPlaceholders;
    QTest::newRow("Portuguese") << 40000 << (englishPlaceholders + QList<qint32>{3029});
    QTest::newRow("Spanish") << 50000 << (englishPlaceholders + QList<qint32>{3029});
}

void tst_StringTable::placeholdersFollowEnglish() {
    QFETCH(int, offset);
    QFETCH(QList<qint32>, withPlaceholder);
    const StringTable& table = StringTable::instance();
    for (qint32 n : stringNumbers()) {
        const QString text = table.text(offset + n);
        QVERIFY2(text.contains(QLatin1String("|1")) == withPlaceholder.contains(n), qPrintable(QString::number(n)));
        QVERIFY2(text.count(QLatin1String("|1")) <= 1, qPrintable(QString::number(n)));
    }
}

void tst_StringTable::getStringByLanguage_data() {
    QTest::addColumn<QString>("language"); // "" leaves the store empty
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Italian by default") << "" << 1090 << "gg/mm/aaaa";
    QTest::newRow("English") << "0" << 3028 << "PC serial port ready on COM|1";
    QTest::newRow("English title") << "0" << 1005 << "Warning!";
    QTest::newRow("French") << "1" << 1000 << QString::fromUtf8("Plongée");
    QTest::newRow("German") << "2" << 1012 << "Abbrechen";
    QTest::newRow("Italian") << "3" << 1012 << "Annulla";
    QTest::newRow("Portuguese 1214") << "4" << 1214 << "Tecidos";
    QTest::newRow("Portuguese lacks 1215") << "4" << 1215 << "";
    QTest::newRow("Spanish lacks 1477") << "5" << 1477 << "";
    QTest::newRow("Spanish 1476") << "5" << 1476 << "Copiar al portapapeles";
    QTest::newRow("French lacks 1443") << "1" << 1443 << "";
    QTest::newRow("English has 1443") << "0" << 1443 << "PPO2 Deco Max.:";
    QTest::newRow("number not in the table") << "0" << 1006 << "";
    QTest::newRow("reserved font name") << "0" << 20 << "";
    QTest::newRow("reserved font size") << "3" << 21 << "";
    QTest::newRow("sum overflows") << "0" << std::numeric_limits<qint32>::max() - 5 << "";
}

void tst_StringTable::getStringByLanguage() {
    QFETCH(QString, language);
    QFETCH(int, number);
    QFETCH(QString, expected);
    TestEnvironment env;
    if (!language.isEmpty())
        env.storeSetting("Language", language);
    QCOMPARE(getString(number), expected);
}

void tst_StringTable::englishUnitTexts_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");
    const QStringList texts = {"m.",   "ft.",    "°C",     "°F",   "bar",        "psi",
                               "lit.", "cu.ft.", "meters", "feet", "dd/mm/yyyy", "mm/dd/yyyy"};
    for (int i = 0; i < texts.size(); ++i)
        QTest::addRow("%d", 1080 + i) << 1080 + i << texts[i];
}

void tst_StringTable::englishUnitTexts() {
    QFETCH(int, number);
    QFETCH(QString, expected);
    TestEnvironment env;
    env.storeSetting("Language", "0");
    QCOMPARE(getString(number), expected);
}

void tst_StringTable::unknownLanguageReadsEmpty_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("7") << "7";
    QTest::newRow("6") << "6";
    QTest::newRow("negative") << "-1";
}

void tst_StringTable::unknownLanguageReadsEmpty() {
    QFETCH(QString, language);
    TestEnvironment env;
    env.storeSetting("Language", language);
    for (qint32 n : stringNumbers())
        QVERIFY2(getString(n).isEmpty(), qPrintable(QString::number(n)));
}

void tst_StringTable::firstStringCreatesSettings() {
    TestEnvironment env;
    QVERIFY(!Settings::exists());
    QCOMPARE(getString(1000), "Immersione");
    QVERIFY(Settings::exists());
}

void tst_StringTable::languageAvailability_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("available");
    for (int code = 0; code <= 5; ++code)
        QTest::addRow("code %d", code) << code << true;
    QTest::newRow("code 6") << 6 << false;
    QTest::newRow("code 255") << 255 << false;
}

void tst_StringTable::languageAvailability() {
    QFETCH(int, language);
    QFETCH(bool, available);
    TestEnvironment env;
    env.storeSetting("Language", "7"); // the answer does not depend on the language in use
    QCOMPARE(Settings::instance().isLanguageAvailable(quint8(language)), available);
}

void tst_StringTable::stringWithArgs_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QVariantList>("pairs");
    QTest::addColumn<QString>("expected");
    QTest::newRow("serial port") << 3028 << QVariantList{"|1", 3} << "PC serial port ready on COM3";
    QTest::newRow("text value") << 1659 << QVariantList{"|1", "Red Sea"} << "Delete Logbook Red Sea: are you sure?";
    QTest::newRow("negative number") << 3028 << QVariantList{"|1", -4} << "PC serial port ready on COM-4";
    QTest::newRow("three elements apply only the first pair")
        << 3028 << QVariantList{"|1", 3, "COM"} << "PC serial port ready on COM3";
    QTest::newRow("one element changes nothing") << 3028 << QVariantList{"|1"} << "PC serial port ready on COM|1";
    QTest::newRow("no pairs") << 3028 << QVariantList{} << "PC serial port ready on COM|1";
    QTest::newRow("every occurrence") << 3028 << QVariantList{"o", "0"} << "PC serial p0rt ready 0n COM|1";
    QTest::newRow("placeholder compared exactly") << 3028 << QVariantList{"com", 9} << "PC serial port ready on COM|1";
    QTest::newRow("pairs in order, each on the result before")
        << 3028 << QVariantList{"|1", "|2", "|2", 7} << "PC serial port ready on COM7";
    QTest::newRow("a later pair does not see text made later")
        << 3028 << QVariantList{"|2", 7, "|1", "|2"} << "PC serial port ready on COM|2";
    QTest::newRow("value holding the placeholder is kept")
        << 3028 << QVariantList{"|1", "a|1b"} << "PC serial port ready on COMa|1b";
    QTest::newRow("value holding the placeholder, then a later pair")
        << 3028 << QVariantList{"|1", "a|1b", "|1", "x"} << "PC serial port ready on COMaxb";
    QTest::newRow("empty placeholder changes nothing")
        << 3028 << QVariantList{"", "x"} << "PC serial port ready on COM|1";
    QTest::newRow("missing string") << 1006 << QVariantList{"|1", 3} << "";
}

void tst_StringTable::stringWithArgs() {
    QFETCH(int, number);
    QFETCH(QVariantList, pairs);
    QFETCH(QString, expected);
    TestEnvironment env;
    env.storeSetting("Language", "0");
    QCOMPARE(getStringWithArgs(qint16(number), pairs), expected);
}

void tst_StringTable::valueWithoutTextForm() {
    TestEnvironment env;
    env.storeSetting("Language", "0");
    try {
        getStringWithArgs(3028, {"|1", QVariant(QVariantList{1, 2})});
        QFAIL("no error");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), RuntimeError::TypeMismatch);
    }
}

void tst_StringTable::parse_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QList<qint32>>("ids");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("plain") << QByteArray("1000\tDive\n") << 0 << QList<qint32>{1000} << QStringList{"Dive"};
    QTest::newRow("offset added") << QByteArray("1000\tDive\n") << 10000 << QList<qint32>{11000} << QStringList{"Dive"};
    QTest::newRow("line break") << QByteArray("1\ta\\nb") << 0 << QList<qint32>{1} << QStringList{"a\nb"};
    QTest::newRow("tab") << QByteArray("1\ta\\tb") << 0 << QList<qint32>{1} << QStringList{"a\tb"};
    QTest::newRow("backslash") << QByteArray("1\ta\\\\nb") << 0 << QList<qint32>{1} << QStringList{"a\\nb"};
    QTest::newRow("comment lines") << QByteArray("# 1\tnot a string\n2\tb\n#3\tc\n") << 0 << QList<qint32>{2}
                                   << QStringList{"b"};
    QTest::newRow("hash inside a text") << QByteArray("1\t# 1\n") << 0 << QList<qint32>{1} << QStringList{"# 1"};
    QTest::newRow("blank lines") << QByteArray("\n1\ta\n\n2\tb") << 0 << QList<qint32>{1, 2} << QStringList{"a", "b"};
    QTest::newRow("windows line ends") << QByteArray("1\ta\r\n2\tb\r\n") << 0 << QList<qint32>{1, 2}
                                       << QStringList{"a", "b"};
    QTest::newRow("trailing blank kept") << QByteArray("1\tList \n") << 0 << QList<qint32>{1} << QStringList{"List "};
    QTest::newRow("utf-8") << QByteArray("1\t\xc2\xb0"
                                         "C\n")
                           << 0 << QList<qint32>{1} << QStringList{"°C"};
    QTest::newRow("placeholder kept") << QByteArray("1\tCOM|1\n") << 0 << QList<qint32>{1} << QStringList{"COM|1"};
    QTest::newRow("line without a number") << QByteArray("abc\tx\n\ty\n") << 0 << QList<qint32>{} << QStringList{};
}

void tst_StringTable::parse() {
    QFETCH(QByteArray, content);
    QFETCH(int, offset);
    QFETCH(QList<qint32>, ids);
    QFETCH(QStringList, texts);
    const QHash<qint32, QString> parsed = StringTable::parse(content, offset);
    QCOMPARE(parsed.size(), ids.size());
    for (qsizetype i = 0; i < ids.size(); ++i)
        QCOMPARE(parsed.value(ids[i]), texts[i]);
}

QTEST_GUILESS_MAIN(tst_StringTable)
#include "tst_stringtable.moc"
