#include "PrintFixture.h"
#include "PrinterManager.h"

#include <QSignalSpy>
#include <QTest>

// The job: which pages it draws, the page breaks and end of document on the printer, the end event,
// and how an error ends it.
class tst_PrinterManager : public QObject {
    Q_OBJECT

    static int pages(const RecordingDevice& d) {
        // Every page of a dive starts with its title.
        return int(d.texts().count(QStringLiteral("S.O.N.A. ")));
    }

private slots:
    void newJobDefaults() {
        PrintFixture f;
        PrinterManager job;
        QCOMPARE(job.mode(), job.PROFILE_MODE);
        QCOMPARE(job.iDivePosition, qint16(-1));
        QVERIFY(job.cProfiles.isEmpty());
        QCOMPARE(job.PROFILE_DATA_MODE, qint16(1));
        QCOMPARE(job.STATISTICS_MODE, qint16(2));
    }

    void emptyJobOnPrinterEndsDocumentAndReportsDone() {
        PrintFixture f;
        PrinterManager job;
        QSignalSpy ended(&job, &PrinterManager::printerWorkTerminate);
        RecordingDevice printer(PAGE_W, PAGE_H, true);
        job.doPrint(printer);
        QCOMPARE(pages(printer), 0);
        QCOMPARE(printer.count(Kind::NewPage), 0);
        QCOMPARE(printer.count(Kind::EndDoc), 1);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).toBool(), true);
    }

    void pagesBreaksAndEndOnPrinter_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("dives");
        QTest::addColumn<int>("expectedPages");
        QTest::addColumn<int>("expectedBreaks");
        QTest::newRow("three data pages") << 1 << 3 << 3 << 3;
        QTest::newRow("two profile pages") << 0 << 2 << 2 << 2;
        QTest::newRow("statistics ignores the dives") << 2 << 3 << 1 << 0;
        QTest::newRow("unknown kind draws nothing, breaks still") << 7 << 2 << 0 << 2;
    }
    void pagesBreaksAndEndOnPrinter() {
        QFETCH(int, mode);
        QFETCH(int, dives);
        QFETCH(int, expectedPages);
        QFETCH(int, expectedBreaks);
        PrintFixture f;
        PrinterManager job;
        job.setMode(qint16(mode));
        for (int i = 0; i < dives; ++i)
            job.addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20), false));
        QSignalSpy ended(&job, &PrinterManager::printerWorkTerminate);
        RecordingDevice printer(PAGE_W, PAGE_H, true);
        job.doPrint(printer);
        QCOMPARE(pages(printer), expectedPages);
        QCOMPARE(printer.count(Kind::NewPage), expectedBreaks);
        QCOMPARE(printer.count(Kind::EndDoc), 1);
        QCOMPARE(printer.calls.constLast().kind, Kind::EndDoc);
        QCOMPARE(ended.count(), 1);
        QVERIFY(ended.at(0).at(0).toBool());
        // The statistics page leaves the dives alone; every other kind computes them.
        for (const auto& p : job.cProfiles)
            QCOMPARE(p->wasElaborated(), mode != 2);
    }

    void previewHasNoBreaksNoEndNoEvent() {
        PrintFixture f;
        PrinterManager job;
        job.addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20)));
        job.addProfile(PrintFixture::profileOf(PrintFixture::squareDive(12, 30)));
        QSignalSpy ended(&job, &PrinterManager::printerWorkTerminate);
        RecordingDevice picture(PAGE_W, PAGE_H, false);
        job.doPrint(picture);
        QCOMPARE(pages(picture), 2);
        QCOMPARE(picture.count(Kind::NewPage), 0);
        QCOMPARE(picture.count(Kind::EndDoc), 0);
        QCOMPARE(ended.count(), 0);
    }

    void oneGivenProfileDrawsOnlyItsPageWithoutBreak() {
        PrintFixture f;
        PrinterManager job;
        job.setMode(job.PROFILE_DATA_MODE);
        job.addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20)));
        auto other = PrintFixture::profileOf(PrintFixture::squareDive(12, 30), false);
        RecordingDevice printer(PAGE_W, PAGE_H, true);
        job.doPrint(printer, other);
        QCOMPARE(pages(printer), 1);
        QVERIFY(other->wasElaborated());
        QCOMPARE(printer.count(Kind::NewPage), 0);
        QCOMPARE(printer.count(Kind::EndDoc), 1);
    }

    void aComputedProfileIsNotComputedAgain() {
        PrintFixture f;
        auto dive = PrintFixture::squareDive(18, 20);
        auto profile = PrintFixture::profileOf(dive);
        PrinterManager job;
        job.addProfile(profile);
        // A sample added after the computation stays out of the page: the results are not redone.
        dive->addSample(400, 0, 0, 0);
        RecordingDevice picture(PAGE_W, PAGE_H);
        job.doPrint(picture);
        job.doPrint(picture);
        QVERIFY(profile->getMaxDepth(dive->getSamplesCount()) < 40);
    }

    void errorOnSecondPageEndsTheJob() {
        PrintFixture f;
        PrinterManager job;
        job.setMode(job.PROFILE_DATA_MODE);
        for (int i = 0; i < 3; ++i)
            job.addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20)));
        RecordingDevice probe(PAGE_W, PAGE_H, true);
        job.doPrint(probe);
        const int perPage = int(probe.calls.size() - 4) / 3;

        QSignalSpy ended(&job, &PrinterManager::printerWorkTerminate);
        RecordingDevice printer(PAGE_W, PAGE_H, true);
        printer.failAfter = perPage + perPage / 2;
        job.doPrint(printer);
        QCOMPARE(pages(printer), 2);
        QCOMPARE(printer.count(Kind::NewPage), 1);
        QCOMPARE(printer.calls.constLast().kind, Kind::EndDoc);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).toBool(), false);
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }

    void errorOnPreviewKeepsWhatWasDrawnSilently() {
        PrintFixture f;
        PrinterManager job;
        job.addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20)));
        QSignalSpy ended(&job, &PrinterManager::printerWorkTerminate);
        RecordingDevice picture(PAGE_W, PAGE_H);
        picture.failAfter = 5;
        job.doPrint(picture);
        QCOMPARE(picture.calls.size(), 5);
        QCOMPARE(picture.count(Kind::EndDoc), 0);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }

    void markerPastTheProfileEndsTheJob() {
        PrintFixture f;
        PrinterManager job;
        auto dive = PrintFixture::squareDive(18, 20);
        job.addProfile(PrintFixture::profileOf(dive));
        job.iDivePosition = qint16(dive->getSamplesCount() + 2);
        QSignalSpy ended(&job, &PrinterManager::printerWorkTerminate);
        RecordingDevice printer(PAGE_W, PAGE_H, true);
        job.doPrint(printer);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).toBool(), false);
    }
};

QTEST_GUILESS_MAIN(tst_PrinterManager)
#include "tst_printermanager.moc"
