#include "QtSeams.h"
#include "Seams.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

// The desktop's own services, as the program installs them.
class tst_QtSeams : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void noWaitPointerWhileTheUserIsAsked_data();
    void noWaitPointerWhileTheUserIsAsked();
    void pdfPrinterInTheUsersLanguage_data();
    void pdfPrinterInTheUsersLanguage();
};

void tst_QtSeams::init() {
    installQtSeams();
}

void tst_QtSeams::cleanup() {
    // A case that made its own environment leaves no service behind.
    installQtSeams();
    Seams::busyPointer().setBusy(false);
    Seams::reset();
}

void tst_QtSeams::noWaitPointerWhileTheUserIsAsked_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("PDF file to save") << "save";
    QTest::newRow("file to open") << "open";
    QTest::newRow("message box") << "message";
    QTest::newRow("input box") << "input";
}

void tst_QtSeams::noWaitPointerWhileTheUserIsAsked() {
    QFETCH(QString, window);
    // The print job waits for the file's name under the wait pointer of the print command.
    Seams::busyPointer().setBusy(true);
    bool asked = false;
    bool waitPointer = true;
    std::function<void()> answer;
    answer = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(10, answer);
            return;
        }
        asked = true;
        waitPointer = QApplication::overrideCursor() != nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    };
    QTimer::singleShot(0, answer);

    if (window == QLatin1String("save"))
        Seams::fileDialogs().saveFile(QString(), QStringLiteral("PDF (*.pdf)"), QString());
    else if (window == QLatin1String("open"))
        Seams::fileDialogs().openFile(QString(), QStringLiteral("PDF (*.pdf)"));
    else if (window == QLatin1String("message"))
        Seams::message().show(QStringLiteral("Text"), Msg::OkOnly, QString());
    else
        Seams::input().ask(QStringLiteral("Name"), QString(), QString());

    QVERIFY(asked);
    QVERIFY(!waitPointer);
    // The caller is still busy once the user has answered.
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

void tst_QtSeams::pdfPrinterInTheUsersLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("English") << "0"
                             << "PDF file";
    QTest::newRow("French") << "1"
                            << "Fichier PDF";
    QTest::newRow("German") << "2"
                            << "PDF-Datei";
    QTest::newRow("Italian") << "3"
                             << "File PDF";
    QTest::newRow("Portuguese") << "4"
                                << "Ficheiro PDF";
    QTest::newRow("Spanish") << "5"
                             << "Archivo PDF";
}

// The print dialog lists the printers by these names, and choosing one chooses by it.
void tst_QtSeams::pdfPrinterInTheUsersLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, name);
    TestEnvironment env;
    env.storeSetting(QStringLiteral("Language"), language);
    env.restart();
    installQtSeams();
    PrinterService& printers = Seams::printers();
    const QStringList names = printers.printerNames();
    QVERIFY(!names.isEmpty());
    QCOMPARE(names.constLast(), name);
    const QString before = printers.currentPrinterName();
    printers.setCurrentPrinter(name);
    QCOMPARE(printers.currentPrinterName(), name);
    printers.setCurrentPrinter(before);
}

QTEST_MAIN(tst_QtSeams)
#include "tst_qtseams.moc"
