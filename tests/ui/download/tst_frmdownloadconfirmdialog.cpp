#include "FakeDownload.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "frmDownloadConfirmDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The window in which the user confirms that the device is ready: what it says, which picture it
// shows and how it answers.
class tst_frmDownloadConfirmDialog : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void picture_data();
    void picture();
    void answer_data();
    void answer();
    void installedForTheDrivers();
};

void tst_frmDownloadConfirmDialog::texts_data() {
    QTest::addColumn<qint16>("language");
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("position");
    QTest::newRow("english") << Settings::LANG_ENGLISH << 8 << "PC serial port ready on COM12"
                             << "Switch the Dive Computer to PC mode, then position it as shown in the figure.";
    QTest::newRow("italian names the model")
        << Settings::LANG_ITALIAN << 32 << "Porta seriale del PC pronta su COM12"
        << "Imposta il Kobi in modalità PC, poi posizionalo come mostrato in figura.";
}

void tst_frmDownloadConfirmDialog::texts() {
    QFETCH(qint16, language);
    QFETCH(qint32, model);
    QFETCH(QString, port);
    QFETCH(QString, position);
    TestEnvironment env;
    Settings::instance().setCurrentLanguage(language);
    Settings::instance().setCurrentDiveComputer(model);
    Settings::instance().setComPort(12);
    env.fakes.busyPointer->busy = true;

    frmDownloadConfirmDialog dialog;
    QCOMPARE(dialog.lblTitle->text(), port);
    QCOMPARE(dialog.lblTitle1->text(), position);
    QCOMPARE(dialog.windowTitle(), QString());
    QVERIFY(!env.fakes.busyPointer->busy);
    QVERIFY(!dialog.isOk());
}

void tst_frmDownloadConfirmDialog::picture_data() {
    QTest::addColumn<qint32>("model");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("zento") << 1 << QStringList{"imageZento"};
    QTest::newRow("lumo") << 2 << QStringList{"imageLumo"};
    QTest::newRow("zento rgbm") << 4 << QStringList{"imageZento"};
    QTest::newRow("tavex") << 8 << QStringList{"imageTavex"};
    QTest::newRow("lumo air") << 16 << QStringList{"imageTavex"};
    QTest::newRow("kobi") << 32 << QStringList{"imageKobi"};
    QTest::newRow("no model: as laid out") << 3 << QStringList{"imageZento", "imageLumo", "imageTavex", "imageKobi"};
}

void tst_frmDownloadConfirmDialog::picture() {
    QFETCH(qint32, model);
    QFETCH(QStringList, shown);
    TestEnvironment env;
    Settings::instance().setCurrentDiveComputer(model);
    frmDownloadConfirmDialog dialog;
    QStringList visible;
    for (QLabel* image : {dialog.imageZento, dialog.imageLumo, dialog.imageTavex, dialog.imageKobi}) {
        QVERIFY(!image->pixmap().isNull());
        if (!image->isHidden())
            visible << image->objectName();
    }
    QCOMPARE(visible, shown);
}

void tst_frmDownloadConfirmDialog::answer_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("ok");
    QTest::newRow("ok") << "ok" << true;
    QTest::newRow("cancel") << "cancel" << false;
    QTest::newRow("close box") << "close" << false;
    QTest::newRow("escape") << "escape" << false;
}

void tst_frmDownloadConfirmDialog::answer() {
    QFETCH(QString, how);
    QFETCH(bool, ok);
    TestEnvironment env;
    Settings::instance().setCurrentLanguage(Settings::LANG_ENGLISH);
    frmDownloadConfirmDialog dialog;
    QCOMPARE(dialog.OKButton->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.CancelButton->text(), QStringLiteral("Cancel"));
    // A second showing starts unanswered: OK of the first does not count for it.
    for (int showing = 0; showing < 2; ++showing) {
        QTimer::singleShot(0, &dialog, [&] {
            if (showing == 0 || how == "ok")
                dialog.OKButton->click();
            else if (how == "cancel")
                dialog.CancelButton->click();
            else if (how == "close")
                dialog.close();
            else
                QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        dialog.showModal();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.isOk(), showing == 0 || ok);
    }
}

void tst_frmDownloadConfirmDialog::installedForTheDrivers() {
    TestEnvironment env;
    frmDownloadConfirmDialog::install();
    std::unique_ptr<DownloadConfirmDialog> dialog = DownloadConfirmDialog::create();
    QVERIFY(dynamic_cast<frmDownloadConfirmDialog*>(dialog.get()));
    DownloadConfirmDialog::installFactory({});
}

QTEST_MAIN(tst_frmDownloadConfirmDialog)
#include "tst_frmdownloadconfirmdialog.moc"
