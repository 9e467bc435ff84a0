#include "DiveDataControl.h"
#include "DivePicture.h"
#include "LogbookFixture.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QBuffer>
#include <QMenu>
#include <QtTest>

namespace {
// A picture file's bytes in a format Qt writes.
QByteArray pictureBytes(const char* format, const QSize& size, const QColor& color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// One white pixel; Qt reads GIF but does not write it.
const QByteArray GIF("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00"
                     "\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                     43);

// A dive with a picture and one without, the data control on them and the picture following it.
struct Picture {
    Picture() {
        // These cases read every box they get from the message list.
        env.fakes.message->failOnUnexpected = false;
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.restart();
        const qint32 logbook = fixture.logbook(QStringLiteral("Reef"), 1);
        stored = pictureBytes("PNG", QSize(40, 20), Qt::blue);
        withPicture = fixture.dive(logbook, at(2004, 3, 5), {{QStringLiteral("PICTURE"), stored}});
        without = fixture.dive(logbook, at(2004, 3, 6));
        data.setDatabaseName(Settings::instance().databaseName());
        data.setRecordSource(QStringLiteral("SELECT * FROM DIVE ORDER BY [DATETIME] DESC"));
        data.refresh();
        picture = std::make_unique<DivePicture>(&data);
    }
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = env.folder() + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QVariant storedPicture(qint32 diveID) {
        data.updateRecord();
        return fixture.column(diveID, QStringLiteral("PICTURE"));
    }

    TestEnvironment env;
    LogbookFixture fixture;
    DiveDataControl data;
    std::unique_ptr<DivePicture> picture;
    QByteArray stored;
    qint32 withPicture = 0, without = 0;
};
} // namespace

class tst_DivePicture : public QObject {
    Q_OBJECT
private slots:
    void followsTheDataControl();
    void chosenFile_data();
    void chosenFile();
    void cancelledChoiceChangesNothing();
    void noRowNoChoice();
    void popupOffersDeleteOnlyForAPicture();
    void deletedPictureIsStoredAsNone();
    void shownScaledToFit();
};

void tst_DivePicture::followsTheDataControl() {
    Picture p;
    QCOMPARE(p.picture->objectName(), QStringLiteral("pictureLocation"));
    QCOMPARE(p.picture->toolTip(), QStringLiteral("Double click to change/insert image. Right mouse click to delete."));
    QVERIFY(!p.picture->hasPicture());
    QVERIFY(p.data.moveToDive(p.withPicture));
    QCOMPARE(p.picture->picture().size(), QSize(40, 20));
    QVERIFY(p.data.moveToDive(p.without));
    QVERIFY(!p.picture->hasPicture());
    QVERIFY(!p.data.hasPendingEdits());
}

void tst_DivePicture::chosenFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("png") << "a.png" << pictureBytes("PNG", QSize(8, 6), Qt::red) << true;
    QTest::newRow("bmp") << "a.bmp" << pictureBytes("BMP", QSize(8, 6), Qt::red) << true;
    QTest::newRow("jpg") << "a.jpg" << pictureBytes("JPG", QSize(8, 6), Qt::red) << true;
    QTest::newRow("gif") << "a.gif" << GIF << true;
    QTest::newRow("the content decides, not the name")
        << "really-a-png.jpg" << pictureBytes("PNG", QSize(8, 6), Qt::red) << true;
    QTest::newRow("a text file named .jpg: 3006") << "notes.jpg" << QByteArray("not a picture at all\n") << false;
    QTest::newRow("an empty file: 3006") << "empty.png" << QByteArray() << false;
    QTest::newRow("a cut-off picture: 3006")
        << "cut.png" << pictureBytes("PNG", QSize(8, 6), Qt::red).left(30) << false;
    QTest::newRow("another format: 3006") << "a.ppm" << pictureBytes("PPM", QSize(8, 6), Qt::red) << false;
}

void tst_DivePicture::chosenFile() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    Picture p;
    QVERIFY(p.data.moveToDive(p.withPicture));
    p.env.fakes.fileDialogs->files.enqueue(p.file(name, bytes));
    p.picture->pictureLocation_DblClick();
    if (accepted) {
        QVERIFY(p.env.fakes.message->shown.isEmpty());
        QVERIFY(p.picture->picture().width() <= 8);
        // The file's own bytes are what the row keeps.
        QCOMPARE(p.storedPicture(p.withPicture).toByteArray(), bytes);
    } else {
        QCOMPARE(p.env.fakes.message->shown.size(), 1);
        const ShownMessage& m = p.env.fakes.message->shown.first();
        QCOMPARE(m.text, QStringLiteral("Invalid image format or corrupt file."));
        QCOMPARE(m.flags, Msg::OkOnly | Msg::Critical);
        QCOMPARE(m.title, QStringLiteral("Warning!"));
        QCOMPARE(p.picture->picture().size(), QSize(40, 20)); // the old picture stays
        QVERIFY(!p.data.hasPendingEdits());
        QCOMPARE(p.storedPicture(p.withPicture).toByteArray(), p.stored);
    }
}

void tst_DivePicture::cancelledChoiceChangesNothing() {
    Picture p;
    QVERIFY(p.data.moveToDive(p.withPicture));
    p.picture->pictureLocation_DblClick(); // nothing queued: cancelled
    QVERIFY(p.picture->hasPicture());
    QVERIFY(!p.data.hasPendingEdits());
    QVERIFY(p.env.fakes.message->shown.isEmpty());
}

void tst_DivePicture::noRowNoChoice() {
    Picture p;
    p.env.fakes.fileDialogs->files.enqueue(p.file(QStringLiteral("a.png"), p.stored));
    p.picture->pictureLocation_DblClick();
    QCOMPARE(p.env.fakes.fileDialogs->files.size(), 1); // never asked
    QVERIFY(!p.picture->hasPicture());
}

void tst_DivePicture::popupOffersDeleteOnlyForAPicture() {
    Picture p;
    p.picture->show();
    QVERIFY(p.data.moveToDive(p.without));
    p.picture->pictureLocation_MouseDown(2, QPoint(5, 5));
    QVERIFY(p.picture->mnuPopupImage->isVisible());
    QVERIFY(!p.picture->mnuPopupDeleteImage->isEnabled());
    p.picture->mnuPopupImage->close();

    QVERIFY(p.data.moveToDive(p.withPicture));
    p.picture->pictureLocation_MouseDown(2, QPoint(5, 5));
    QVERIFY(p.picture->mnuPopupDeleteImage->isEnabled());
    p.picture->mnuPopupImage->close();

    p.picture->pictureLocation_MouseDown(1, QPoint(5, 5)); // the left button opens nothing
    QVERIFY(!p.picture->mnuPopupImage->isVisible());
}

void tst_DivePicture::deletedPictureIsStoredAsNone() {
    Picture p;
    QVERIFY(p.data.moveToDive(p.withPicture));
    p.picture->mnuPopupDeleteImage->trigger();
    QVERIFY(!p.picture->hasPicture());
    QVERIFY(p.data.moveToDive(p.without)); // moving on writes the removal
    QVERIFY(p.fixture.column(p.withPicture, QStringLiteral("PICTURE")).isNull());
    QVERIFY(p.data.moveToDive(p.withPicture));
    QVERIFY(!p.picture->hasPicture());
}

void tst_DivePicture::shownScaledToFit() {
    Picture p;
    QVERIFY(p.data.moveToDive(p.withPicture));
    p.picture->setFrameStyle(QFrame::NoFrame);
    p.picture->resize(20, 20);
    const QImage shown = p.picture->grab().toImage();
    // 40 x 20 in 20 x 20: the full width, half the height, centred.
    QCOMPARE(QColor(shown.pixel(10, 10)), QColor(Qt::blue));
    QCOMPARE(QColor(shown.pixel(0, 10)), QColor(Qt::blue));
    QVERIFY(QColor(shown.pixel(10, 1)) != QColor(Qt::blue));
}

QTEST_MAIN(tst_DivePicture)
#include "tst_divepicture.moc"
