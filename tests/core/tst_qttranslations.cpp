#include "QtTranslations.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QTest>

// The toolkit's standard buttons follow the language chosen for the program.
class tst_QtTranslations : public QObject {
    Q_OBJECT

    static QString yes() { return QCoreApplication::translate("QPlatformTheme", "&Yes"); }
    static QString cancel() { return QCoreApplication::translate("QPlatformTheme", "Cancel"); }

private slots:
    void standardButtons_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("yes");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("English") << int(Settings::LANG_ENGLISH) << "&Yes"
                                 << "Cancel";
        QTest::newRow("French") << int(Settings::LANG_FRANCAIS) << "&Oui"
                                << "Annuler";
        QTest::newRow("German") << int(Settings::LANG_GERMAN) << "&Ja"
                                << "Abbrechen";
        QTest::newRow("Italian") << int(Settings::LANG_ITALIAN) << "&Sì"
                                 << "Annulla";
        QTest::newRow("Portuguese") << int(Settings::LANG_PORTUGUESE) << "&Sim"
                                    << "Cancelar";
        QTest::newRow("Spanish") << int(Settings::LANG_SPANISH) << "&Sí"
                                 << "Cancelar";
        QTest::newRow("unknown code: English") << 9 << "&Yes"
                                               << "Cancel";
    }
    void standardButtons() {
        QFETCH(int, language);
        QFETCH(QString, yes);
        QFETCH(QString, cancel);
        QVERIFY2(QtTranslations::install(qint16(language)), "the system's toolkit translations are missing");
        QCOMPARE(tst_QtTranslations::yes(), yes);
        QCOMPARE(tst_QtTranslations::cancel(), cancel);
    }
};

QTEST_GUILESS_MAIN(tst_QtTranslations)
#include "tst_qttranslations.moc"
