#include "../../printing/PrintFixture.h"
#include "LogbookFixture.h"
#include "PreviewWatcher.h"
#include "PrinterManager.h"
#include "Settings.h"
#include "frmPreview.h"
#include "frmPrint.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

// Thirty samples at 10 m, as the 11-compartment model stores them.
const QString SAMPLES = QStringLiteral("0100000000000000").repeated(30);

// A logbook of three dives in a program folder of its own, the PDF printer ready.
struct PrintDialogFixture : PrintFixture {
    PrintDialogFixture() {
        logbookID = book.logbook(QStringLiteral("Red Sea"), 1);
        for (int day = 1; day <= 3; ++day)
            dives.append(book.dive(logbookID, QDateTime(QDate(2026, 2, day), QTime(9, 0)),
                                   {{QStringLiteral("SAMPLE"), SAMPLES}, {QStringLiteral("DIVE_TIME"), 10}}));
        Settings::instance().setCurrentLogbookID(logbookID);
        Settings::instance().setCurrentDiveID(dives.first());
        env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("out.pdf"));
    }
    int printedPages() const { return pdfPages(env.fakes.printers->pdfPath); }
    QStringList messages() const {
        QStringList texts;
        for (const auto& m : env.fakes.message->shown)
            texts.append(m.text);
        return texts;
    }

    LogbookFixture book;
    QTemporaryDir dir;
    qint32 logbookID;
    QList<qint32> dives;
};

} // namespace

// The print dialog: its option rules, the printer choice, and every way a print or preview starts
// or stops.
class tst_frmPrint : public QObject {
    Q_OBJECT

private slots:
    void loadState() {
        PrintDialogFixture f;
        f.env.fakes.printers->names = {"Laser", "PDF file"};
        f.env.fakes.printers->chosen = "PDF file";
        frmPrint dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
        QCOMPARE(dialog.lblPrinter->text(), QStringLiteral("Printer: "));
        QCOMPARE(dialog.Combo1->count(), 2);
        QCOMPARE(dialog.Combo1->currentText(), QStringLiteral("PDF file"));
        QVERIFY(dialog.optCurrentDive->isChecked());
        QVERIFY(dialog.optProfile->isChecked());
        QVERIFY(!dialog.optStatistics->isEnabled());
        QVERIFY(!dialog.optFilteredDives->isEnabled());
        // Choosing a printer makes it the program's printer.
        dialog.Combo1->setCurrentIndex(0);
        dialog.Combo1_Click();
        QCOMPARE(f.env.fakes.printers->currentPrinterName(), QStringLiteral("Laser"));
        dialog.Command3_Click();
        QCOMPARE(f.env.fakes.printers->setups, 1);
    }

    // Centred as the other dialogs are: on the screen, where the program centres its owner too.
    void centredOverItsOwner() {
        PrintDialogFixture f;
        f.env.fakes.printers->names = {"A printer with a long name in the office down the corridor", "PDF file"};
        QWidget owner;
        owner.resize(760, 520);
        const QRect screen = owner.screen()->geometry();
        owner.move(screen.center() - owner.rect().center());
        frmPrint dialog(&owner);
        const QPoint offset = dialog.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1, %2 from the owner's centre; the dialog is %3 x %4")
                                .arg(offset.x())
                                .arg(offset.y())
                                .arg(dialog.width())
                                .arg(dialog.height())));
        // Shown, it keeps the size it was centred with.
        const QSize size = dialog.size();
        dialog.show();
        QCOMPARE(dialog.size(), size);
    }

    void filteredDivesNeedAFilter() {
        PrintDialogFixture f;
        Settings::instance().setCurrentFilter(Settings::instance().defaultFilter() +
                                              QStringLiteral(" WHERE MAX_DEPTH > 5") + Settings::UNFILTERED_ORDER);
        frmPrint dialog;
        QVERIFY(dialog.optFilteredDives->isEnabled());
    }

    void optionRules_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("statisticsEnabled");
        QTest::addColumn<QString>("kind");
        QTest::newRow("all dives: several pages, no preview")
            << QStringList{"optAllDives"} << false << true << "optProfile";
        QTest::newRow("statistics after all dives")
            << QStringList{"optAllDives", "optStatistics"} << true << true << "optStatistics";
        QTest::newRow("filtered keeps statistics")
            << QStringList{"optAllDives", "optStatistics", "optFilteredDives"} << true << false << "optStatistics";
        QTest::newRow("current dive drops statistics")
            << QStringList{"optAllDives", "optStatistics", "optCurrentDive"} << true << false << "optProfile";
        QTest::newRow("data page of all dives")
            << QStringList{"optAllDives", "optProfileData"} << false << true << "optProfileData";
        QTest::newRow("data page of the current dive")
            << QStringList{"optProfileData"} << true << false << "optProfileData";
    }
    void optionRules() {
        QFETCH(QStringList, clicks);
        QFETCH(bool, preview);
        QFETCH(bool, statisticsEnabled);
        QFETCH(QString, kind);
        PrintDialogFixture f;
        frmPrint dialog;
        const QHash<QString, void (frmPrint::*)()> handlers{{"optCurrentDive", &frmPrint::optCurrentDive_Click},
                                                            {"optAllDives", &frmPrint::optAllDives_Click},
                                                            {"optFilteredDives", &frmPrint::optFilteredDives_Click},
                                                            {"optProfileData", &frmPrint::optProfileData_Click},
                                                            {"optProfile", &frmPrint::optProfile_Click},
                                                            {"optStatistics", &frmPrint::optStatistics_Click}};
        for (const QString& name : clicks)
            (dialog.*handlers.value(name))();
        QCOMPARE(dialog.cmdPreview->isEnabled(), preview);
        QCOMPARE(dialog.optStatistics->isEnabled(), statisticsEnabled);
        QVERIFY(dialog.findChild<QRadioButton*>(kind)->isChecked());
    }

    void refusals_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("no printer")
            << "noPrinter"
            << "No printer installed. Exit the program and proceed to install a printer from Windows.";
        QTest::newRow("landscape refused") << "refuses"
                                           << "Printer not enabled for horizontal mode.";
        QTest::newRow("no dive selected") << "noDive"
                                          << "No dive has been selected.";
        QTest::newRow("dive deleted meanwhile") << "deleted"
                                                << "[DiveModule.loadDive] Dive not found! Not correct.";
    }
    void refusals() {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        PrintDialogFixture f;
        if (setup == QLatin1String("noPrinter"))
            f.env.fakes.printers->names.clear();
        if (setup == QLatin1String("refuses"))
            f.env.fakes.printers->refuses = true;
        if (setup == QLatin1String("noDive"))
            Settings::instance().setCurrentDiveID(-1);
        if (setup == QLatin1String("deleted"))
            Settings::instance().setCurrentDiveID(f.dives.last() + 10);
        frmPrint dialog;
        dialog.doPrinter(nullptr);
        dialog.doPreview(nullptr);
        QCOMPARE(f.messages(), QStringList({message, message}));
        QCOMPARE(f.env.fakes.printers->documents, 0);
        QVERIFY(!f.env.fakes.busyPointer->busy);
    }

    void scopeRefusals_data() {
        QTest::addColumn<QString>("scope");
        QTest::addColumn<QString>("message");
        QTest::newRow("all dives without a logbook") << "optAllDives"
                                                     << "No logbook has been selected.";
        QTest::newRow("filtered without a filter")
            << "optFilteredDives"
            << "[frmPrint.loadDefaultPrinterManager] Operation not supported in no filter on mode";
    }
    void scopeRefusals() {
        QFETCH(QString, scope);
        QFETCH(QString, message);
        PrintDialogFixture f;
        if (scope == QLatin1String("optAllDives"))
            Settings::instance().setCurrentLogbookID(-1);
        frmPrint dialog;
        dialog.findChild<QRadioButton*>(scope)->setChecked(true);
        dialog.cmdPrint_Click();
        QCOMPARE(f.messages(), QStringList{message});
        QCOMPARE(f.env.fakes.printers->documents, 0);
    }

    void callersJobPrintsInLandscape() {
        PrintDialogFixture f;
        auto job = std::make_shared<PrinterManager>();
        job->setMode(job->PROFILE_DATA_MODE); // the caller's kind stays
        job->addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20)));
        frmPrint dialog;
        dialog.doPrinter(job);
        QCOMPARE(f.env.fakes.printers->current, 2);
        QCOMPARE(f.printedPages(), 1);
        QCOMPARE(job->mode(), job->PROFILE_DATA_MODE);
        QCOMPARE(f.messages(), QStringList());
        QVERIFY(!f.env.fakes.busyPointer->busy);
    }

    void allDivesOnePageEach() {
        PrintDialogFixture f;
        frmPrint dialog;
        dialog.optAllDives_Click();
        dialog.optProfileData_Click();
        dialog.cmdPrint_Click();
        QCOMPARE(f.printedPages(), 3);
        QCOMPARE(f.messages(), QStringList());
    }

    void emptyLogbookEndsAtOnce() {
        PrintDialogFixture f;
        Settings::instance().setCurrentLogbookID(f.book.logbook(QStringLiteral("Empty"), 1));
        frmPrint dialog;
        dialog.optAllDives_Click();
        dialog.cmdPrint_Click();
        QCOMPARE(f.env.fakes.printers->documents, 1);
        QVERIFY(f.printedPages() <= 0);
        QCOMPARE(f.messages(), QStringList());
    }

    void statisticsPrintsOnePortraitPage() {
        PrintDialogFixture f;
        f.env.fakes.printers->current = 2;
        frmPrint dialog;
        dialog.optAllDives_Click();
        dialog.optStatistics_Click();
        dialog.optFilteredDives_Click();
        dialog.cmdPrint_Click();
        QCOMPARE(f.env.fakes.printers->current, 1);
        QCOMPARE(f.printedPages(), 1);
    }

    void previewOfTheCurrentDive() {
        PrintDialogFixture f;
        frmPrint dialog;
        PreviewWatcher watcher;
        dialog.doPreview(nullptr);
        QVERIFY(watcher.shown);
        QVERIFY(!watcher.page.isNull());
        QCOMPARE(f.env.fakes.printers->documents, 0);
        QVERIFY(!f.env.fakes.busyPointer->busy);
    }
};

QTEST_MAIN(tst_frmPrint)
#include "tst_frmprint.moc"
