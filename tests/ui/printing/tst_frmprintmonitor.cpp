#include "../../printing/PrintFixture.h"
#include "PrinterManager.h"
#include "frmPrintMonitor.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

// The printing monitor runs its job once per showing and never stays after the job has ended.
class tst_frmPrintMonitor : public QObject {
    Q_OBJECT

    static std::shared_ptr<PrinterManager> oneDiveJob() {
        auto job = std::make_shared<PrinterManager>();
        job->addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20)));
        return job;
    }

private slots:
    void outcomes_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("documents");
        QTest::newRow("success") << "ok"
                                 << "" << 1;
        QTest::newRow("failed job") << "fails"
                                    << "Printing not completed successfully." << 1;
        QTest::newRow("PDF file not chosen") << "cancel"
                                             << "" << 0;
        QTest::newRow("no job") << "none"
                                << "[frmPrintMonitor.Form_Activate] PrinterManager not set!" << 0;
    }
    void outcomes() {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        QFETCH(int, documents);
        PrintFixture f;
        QTemporaryDir dir;
        if (setup != QLatin1String("cancel"))
            f.env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("m.pdf"));
        frmPrintMonitor monitor;
        QCOMPARE(monitor.Label1->text(), QStringLiteral("Printing in progress... please wait."));
        if (setup != QLatin1String("none"))
            monitor.pm = oneDiveJob();
        if (setup == QLatin1String("fails"))
            monitor.pm->iDivePosition = 999;
        monitor.exec();
        QVERIFY(!monitor.isVisible());
        QCOMPARE(f.env.fakes.printers->documents, documents);
        QCOMPARE(f.env.fakes.message->shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(f.env.fakes.message->shown[0].text, message);
    }

    void oncePerShowing() {
        PrintFixture f;
        QTemporaryDir dir;
        f.env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("m.pdf"));
        frmPrintMonitor monitor;
        monitor.pm = oneDiveJob();
        int runs = 0;
        connect(monitor.pm.get(), &PrinterManager::printerWorkTerminate, this, [&] { ++runs; });
        monitor.exec();
        QCOMPARE(runs, 1);
        monitor.exec();
        QCOMPARE(runs, 2);
    }
};

QTEST_MAIN(tst_frmPrintMonitor)
#include "tst_frmprintmonitor.moc"
