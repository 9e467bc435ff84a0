#include "QtSeams.h"
#include "Seams.h"

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
};

void tst_QtSeams::init() {
    installQtSeams();
}

void tst_QtSeams::cleanup() {
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

QTEST_MAIN(tst_QtSeams)
#include "tst_qtseams.moc"
