#include "../../printing/PrintFixture.h"
#include "DiveModule.h"
#include "LogbookFixture.h"
#include "PreviewWatcher.h"
#include "Settings.h"
#include "ShownProfilePrinting.h"
#include "frmPreview.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

// The print and preview commands of a window that shows one dive: the descriptive record is fetched
// once, a dive deleted meanwhile prints nothing.
class tst_ShownProfilePrinting : public QObject {
    Q_OBJECT

    struct Fixture : PrintFixture {
        Fixture() {
            const qint32 logbook = book.logbook(QStringLiteral("Reef"), 1);
            diveID = book.dive(logbook, QDateTime(QDate(2026, 2, 1), QTime(9, 0)),
                               {{QStringLiteral("SAMPLE"), QStringLiteral("0100000000000000").repeated(30)},
                                {QStringLiteral("DIVER"), QStringLiteral("Ann Diver")}});
            env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("p.pdf"));
            profile = profileOf(DiveModule::loadDive(diveID, false));
        }
        LogbookFixture book;
        QTemporaryDir dir;
        qint32 diveID;
        std::shared_ptr<Profile> profile;
    };

private slots:
    void printsWithTheRecordAttached() {
        Fixture f;
        ShownProfilePrinting::print(f.profile, 3, f.diveID, ShownProfilePrinting::Output::Printer, nullptr);
        QCOMPARE(f.env.fakes.printers->documents, 1);
        QCOMPARE(f.env.fakes.printers->current, 2);
        QVERIFY(f.profile->getCurrentDive()->diveInfo());
        QCOMPARE(f.profile->getCurrentDive()->diveInfo()->diver(), QStringLiteral("Ann Diver"));
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }

    void deletedDivePrintsNothing() {
        Fixture f;
        f.book.db.execute(QStringLiteral("DELETE FROM DIVE WHERE DIVE_ID = ?"), {f.diveID});
        ShownProfilePrinting::print(f.profile, 3, f.diveID, ShownProfilePrinting::Output::Printer, nullptr);
        QCOMPARE(f.env.fakes.printers->documents, 0);
        QCOMPARE(f.env.fakes.message->shown.size(), 1);
        QCOMPARE(f.env.fakes.message->shown[0].text,
                 QStringLiteral("[DiveModule.loadDive] Dive not found! Not correct."));
    }

    void simulatorPreviewsWithoutRecord() {
        Fixture f;
        PreviewWatcher watcher;
        ShownProfilePrinting::print(f.profile, -1, -1, ShownProfilePrinting::Output::Preview, nullptr);
        QVERIFY(watcher.shown);
        QCOMPARE(watcher.job->iDivePosition, qint16(-1));
        QVERIFY(!f.profile->getCurrentDive()->diveInfo());
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }

    // Pictures for a person to look at: run with SONA_SCREENSHOT_DIR set, under Xvfb. The preview of
    // a profile page with the diver at step 20, and the page printed to PDF.
    void screenshots() {
        const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("SONA_SCREENSHOT_DIR not set");
        Fixture f;
        f.env.fakes.printers->pdfPath = dir + QStringLiteral("/profile-page.pdf");
        ShownProfilePrinting::print(f.profile, 20, f.diveID, ShownProfilePrinting::Output::Printer, nullptr);
        PreviewWatcher watcher;
        watcher.onShown = [&](frmPreview& preview) {
            QTest::qWait(100);
            QVERIFY(preview.grab().save(dir + QStringLiteral("/preview-profile.png")));
            preview.cmbZoom->setCurrentText(QStringLiteral("50"));
            preview.makeZoom();
            QTest::qWait(50);
            QVERIFY(preview.grab().save(dir + QStringLiteral("/preview-profile-50.png")));
        };
        ShownProfilePrinting::print(f.profile, 20, f.diveID, ShownProfilePrinting::Output::Preview, nullptr);
        QVERIFY(watcher.shown);
    }
};

QTEST_MAIN(tst_ShownProfilePrinting)
#include "tst_shownprofileprinting.moc"
