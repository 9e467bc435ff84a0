#include "Settings.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {
const QString SOURCE_FOLDER = QStringLiteral(SONA_FIXTURES_DIR "/../../");

QString read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}
} // namespace

// The help pages the help commands open: one contents page and one index per language, where
// Settings looks for them, every index entry leading to a part of its contents page.
class tst_HelpPages : public QObject {
    Q_OBJECT
private slots:
    void everyLanguageHasItsPages_data();
    void everyLanguageHasItsPages();
};

void tst_HelpPages::everyLanguageHasItsPages_data() {
    QTest::addColumn<qint16>("language");
    QTest::addColumn<QString>("htmlLang");
    QTest::newRow("English") << Settings::LANG_ENGLISH << "en";
    QTest::newRow("French") << Settings::LANG_FRANCAIS << "fr";
    QTest::newRow("German") << Settings::LANG_GERMAN << "de";
    QTest::newRow("Italian") << Settings::LANG_ITALIAN << "it";
    QTest::newRow("Portuguese") << Settings::LANG_PORTUGUESE << "pt";
    QTest::newRow("Spanish") << Settings::LANG_SPANISH << "es";
}

void tst_HelpPages::everyLanguageHasItsPages() {
    QFETCH(qint16, language);
    QFETCH(QString, htmlLang);
    TestEnvironment env;
    const Settings& settings = Settings::instance();
    const QString relative = settings.getHelpPathName(language).mid(settings.dbPath().size());
    QVERIFY(relative.startsWith(QStringLiteral("help/")));

    const QString contents = read(SOURCE_FOLDER + relative);
    QString indexPath = relative;
    indexPath.replace(QStringLiteral(".html"), QStringLiteral("_index.html"));
    const QString index = read(SOURCE_FOLDER + indexPath);
    QVERIFY2(!contents.isEmpty(), qPrintable(relative));
    QVERIFY2(!index.isEmpty(), qPrintable(indexPath));
    QVERIFY(contents.contains(QStringLiteral("<html lang=\"%1\">").arg(htmlLang)));

    const QString page = QFileInfo(relative).fileName();
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)#([^\"]+)\""));
    int links = 0;
    for (const QString& html : {contents, index}) {
        for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
            ++links;
            if (!m.captured(1).isEmpty())
                QCOMPARE(m.captured(1), page);
            QVERIFY2(contents.contains(QStringLiteral("id=\"%1\"").arg(m.captured(2))), qPrintable(m.captured(0)));
        }
    }
    QVERIFY(links > 0);
}

QTEST_MAIN(tst_HelpPages)
#include "tst_helppages.moc"
