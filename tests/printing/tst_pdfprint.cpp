#include "ImageDevice.h"
#include "PrintFixture.h"
#include "PrinterDevice.h"
#include "PrinterManager.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Jobs printed end to end into PDF files: one page per dive, no blank sheet, every page readable.
class tst_PdfPrint : public QObject {
    Q_OBJECT

    static int pdfPages(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
        return int(QString::fromLatin1(file.readAll()).count(page));
    }

    static bool hasInk(const QImage& image) {
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                if (qGray(image.pixel(x, y)) < 128)
                    return true;
            }
        }
        return false;
    }

    // The pages as pictures; empty when the converter is not installed.
    static QList<QImage> rasterize(const QString& pdf, const QString& folder) {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (tool.isEmpty())
            return {};
        QProcess::execute(tool, {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"), pdf,
                                 folder + QStringLiteral("/page")});
        QList<QImage> images;
        const QStringList files = QDir(folder).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
        for (const QString& f : files)
            images.append(QImage(folder + u'/' + f));
        return images;
    }

private slots:
    void onePagePerDiveNoBlankSheet_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("dives");
        QTest::newRow("three data-and-profile pages") << 1 << 3;
        QTest::newRow("two profile pages") << 0 << 2;
        QTest::newRow("statistics page") << 2 << 0;
    }
    void onePagePerDiveNoBlankSheet() {
        QFETCH(int, mode);
        QFETCH(int, dives);
        PrintFixture f(8);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
        f.env.fakes.printers->current = mode == 2 ? 1 : 2;
        f.env.fakes.printers->pdfPath = pdf;
        PrinterManager job;
        job.setMode(qint16(mode));
        for (int i = 0; i < dives; ++i) {
            auto dive = PrintFixture::squareDive(15 + 5 * i, 25 + 10 * i, 8);
            dive->setDiveInfo(PrintFixture::info());
            job.addProfile(PrintFixture::profileOf(dive, false));
        }
        job.iDivePosition = 20;
        bool done = false;
        connect(&job, &PrinterManager::printerWorkTerminate, this, [&](bool d) { done = d; });
        {
            PrinterDevice printer(f.env.fakes.printers->openDocument());
            job.doPrint(printer);
            QCOMPARE(printer.pages(), std::max(dives, mode == 2 ? 1 : 0));
        }
        QVERIFY(done);
        const int expected = mode == 2 ? 1 : dives;
        QCOMPARE(pdfPages(pdf), expected);
        const QList<QImage> pictures = rasterize(pdf, dir.path());
        if (pictures.isEmpty())
            QSKIP("pdftoppm is not installed: the pages were counted but not looked at");
        QCOMPARE(pictures.size(), expected);
        for (const QImage& picture : pictures) {
            QVERIFY(hasInk(picture));
            QCOMPARE(picture.width() > picture.height(), mode != 2);
        }
    }

    void emptyJobWritesNoPage() {
        PrintFixture f;
        QTemporaryDir dir;
        f.env.fakes.printers->pdfPath = dir.filePath(QStringLiteral("empty.pdf"));
        PrinterManager job;
        bool done = false;
        connect(&job, &PrinterManager::printerWorkTerminate, this, [&](bool d) { done = d; });
        PrinterDevice printer(f.env.fakes.printers->openDocument());
        job.doPrint(printer);
        QVERIFY(done);
        QCOMPARE(printer.pages(), 0);
    }

    void previewPictureAt96Dpi() {
        PrintFixture f;
        PrinterManager job;
        job.addProfile(PrintFixture::profileOf(PrintFixture::squareDive(20, 30)));
        ImageDevice picture(PAGE_W, PAGE_H);
        job.doPrint(picture);
        QCOMPARE(picture.image().size(), QSize(int(PAGE_W / 15), int(PAGE_H / 15)));
        QVERIFY(hasInk(picture.image()));
        // Text is measured in the picture's own dots: a 24-point title is about a third of an inch.
        picture.setFont({QStringLiteral("Tahoma"), false, true, 24});
        QVERIFY(picture.textHeight(QStringLiteral("S")) > 400 && picture.textHeight(QStringLiteral("S")) < 700);
    }
};

QTEST_MAIN(tst_PdfPrint)
#include "tst_pdfprint.moc"
