#include "MainModule.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "frmImportDB.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The import window: built and answering, though the import itself is not available.
class tst_frmImportDB : public QObject {
    Q_OBJECT
private slots:
    void load();
    void searchFile_data();
    void searchFile();
    void okReportsTheMissingImport();
    void cancel();
};

void tst_frmImportDB::load() {
    TestEnvironment env;
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
    frmImportDB dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Import from ORVA"));
    QCOMPARE(dialog.lbl_Title->text(), QStringLiteral("Import from ORVA"));
    QCOMPARE(dialog.lblTitle->text(), getString(2203));
    QCOMPARE(dialog.lblSource->text(), QStringLiteral("Source file name path:"));
    QCOMPARE(dialog.lblTarget->text(), QStringLiteral("Target file name path:"));
    QCOMPARE(dialog.frameProgress->title(), QStringLiteral("Progress . . ."));
    QCOMPARE(dialog.btnOk->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.btnCancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog.txtSource->text(), QStringLiteral("C:\\ORVA\\DIVES.MDB"));
    QCOMPARE(dialog.txtTarget->text(), Settings::instance().databaseName());
    QVERIFY(!dialog.hadImported);
}

void tst_frmImportDB::searchFile_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("source");
    QTest::newRow("chosen") << "/home/diver/old/dives.mdb"
                            << "/home/diver/old/dives.mdb";
    QTest::newRow("cancelled") << ""
                               << "C:\\ORVA\\DIVES.MDB";
}

void tst_frmImportDB::searchFile() {
    QFETCH(QString, chosen);
    QFETCH(QString, source);
    TestEnvironment env;
    frmImportDB dialog;
    env.fakes.fileDialogs->files << chosen;
    dialog.cmdSearchFile->click();
    QCOMPARE(dialog.txtSource->text(), source);
}

void tst_frmImportDB::okReportsTheMissingImport() {
    TestEnvironment env;
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
    frmImportDB dialog;
    dialog.show();
    env.fakes.message->answers << Msg::Ok;
    dialog.btnOk->click();
    QCOMPARE(env.fakes.message->shown.size(), 1);
    const ShownMessage& shown = env.fakes.message->shown[0];
    QCOMPARE(shown.text, QStringLiteral("[frmImportDB.btnOk_Click] The import failed.\n[-2147220991] Function not "
                                        "callable in SONA 1.0 and maybe forever :-)"));
    QCOMPARE(shown.flags, Msg::Critical);
    QCOMPARE(shown.title, QStringLiteral("Warning!"));
    QVERIFY(!dialog.hadImported);
    QVERIFY(dialog.isVisible());
}

void tst_frmImportDB::cancel() {
    TestEnvironment env;
    frmImportDB dialog;
    dialog.show();
    dialog.btnCancel->click();
    QVERIFY(!dialog.hadImported);
    QVERIFY(!dialog.isVisible());
    QVERIFY(env.fakes.message->shown.isEmpty());
}

QTEST_MAIN(tst_frmImportDB)
#include "tst_frmimportdb.moc"
