#include "../../printing/PrintFixture.h"
#include "PrinterManager.h"
#include "frmPreview.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

// The preview: the page drawn once, zoom and scrolling, navigation bounds and printing from it.
class tst_frmPreview : public QObject {
    Q_OBJECT

    static std::shared_ptr<PrinterManager> job(int dives) {
        auto j = std::make_shared<PrinterManager>();
        if (dives == 0)
            j->setMode(j->STATISTICS_MODE);
        for (int i = 0; i < dives; ++i)
            j->addProfile(PrintFixture::profileOf(PrintFixture::squareDive(18, 20)));
        return j;
    }

private slots:
    void zoomText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("percentage") << "100" << 0;
        QTest::newRow("decimal") << "10.5" << 3019;
        QTest::newRow("sign") << "+10" << 3019;
        QTest::newRow("empty") << "" << 3019;
        QTest::newRow("letters") << "ab" << 3019;
        QTest::newRow("zero") << "0" << 3020;
    }
    void zoomText() {
        QFETCH(QString, text);
        QFETCH(int, error);
        QCOMPARE(frmPreview::zoomTextError(text), error);
    }

    void loadsAtHundredPercentWithTheWholePage() {
        PrintFixture f;
        frmPreview preview;
        QCOMPARE(preview.windowTitle(), QStringLiteral("Preview"));
        QCOMPARE(preview.cmbZoom->currentText(), QStringLiteral("100"));
        QCOMPARE(preview.toolbarButtons.value("PRINT")->toolTip(), QStringLiteral("Print Document"));
        QCOMPARE(preview.cmbZoom->toolTip(), QStringLiteral("Zoom Percentage"));
        preview.setPrinterManager(job(1));
        // The whole Letter sheet, margins included, portrait, at 96 dots per inch.
        QCOMPARE(preview.pagePicture().size(), QSize(816, 1056));
        preview.makeZoom();
        QCOMPARE(preview.PIC_ZOOM->size(), QSize(816, 1056));
    }

    void zoomSteps_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("in") << 9 << "ZOOM_IN"
                            << "110";
        QTest::newRow("in at 200") << 19 << "ZOOM_IN"
                                   << "200";
        QTest::newRow("out") << 9 << "ZOOM_OUT"
                             << "90";
        QTest::newRow("out at 20") << 1 << "ZOOM_OUT"
                                   << "20";
        QTest::newRow("out at 10") << 0 << "ZOOM_OUT"
                                   << "10";
    }
    void zoomSteps() {
        QFETCH(int, start);
        QFETCH(QString, key);
        QFETCH(QString, after);
        PrintFixture f;
        frmPreview preview;
        preview.setPrinterManager(job(1));
        preview.cmbZoom->setCurrentIndex(start);
        preview.makeZoom();
        preview.VScroll1->setValue(30);
        preview.Toolbar1_ButtonClick(key);
        QCOMPARE(preview.cmbZoom->currentText(), after);
        const double z = after.toInt() / 100.0;
        QCOMPARE(preview.PIC_ZOOM->width(), int(std::lround(816 * z)));
        if (after.toInt() != (start + 1) * 10)
            QCOMPARE(preview.VScroll1->value(), 0);
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }

    void navigationBounds_data() {
        QTest::addColumn<int>("dives");
        QTest::newRow("one dive") << 1;
        QTest::newRow("statistics page") << 0;
    }
    void navigationBounds() {
        QFETCH(int, dives);
        PrintFixture f;
        frmPreview preview;
        preview.setPrinterManager(job(dives));
        for (const char* key : {"FIRST", "PREVIOUS", "NEXT", "LAST"})
            preview.Toolbar1_ButtonClick(QLatin1String(key));
        QStringList texts;
        for (const auto& m : f.env.fakes.message->shown)
            texts.append(m.text);
        QCOMPARE(texts, QStringList({"No more preceding dives.", "No more preceding dives.",
                                     "No more subsequent dives.", "No more subsequent dives."}));
        QCOMPARE(preview.iPosition, qint16(1));
    }

    void scrollingMovesTheZoomPicture() {
        PrintFixture f;
        frmPreview preview;
        preview.resize(600, 400);
        preview.show();
        preview.setPrinterManager(job(1));
        preview.makeZoom();
        const int top = preview.PIC_ZOOM->y();
        preview.VScroll1->setValue(50);
        // The picture's bottom comes to the container's bottom.
        QVERIFY(preview.PIC_ZOOM->y() < top);
        QVERIFY(qAbs(preview.PIC_ZOOM->geometry().bottom() + 1 - preview.PIC_CONTAINER->height()) <= 1);
    }

    void printKeepsThePreviewOpen() {
        PrintFixture f;
        QTemporaryDir dir;
        f.env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("p.pdf"));
        frmPreview preview;
        preview.setPrinterManager(job(1));
        const QImage before = preview.pagePicture();
        preview.Toolbar1_ButtonClick(QStringLiteral("PRINT"));
        preview.Toolbar1_ButtonClick(QStringLiteral("PRINT"));
        QCOMPARE(f.env.fakes.printers->documents, 2);
        QCOMPARE(preview.pagePicture(), before);
        QCOMPARE(f.env.fakes.message->shown.size(), 0);
    }
};

QTEST_MAIN(tst_frmPreview)
#include "tst_frmpreview.moc"
