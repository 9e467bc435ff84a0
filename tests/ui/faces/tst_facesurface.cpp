#include "FaceFixture.h"
#include "PropertyBag.h"
#include "SurfaceEvents.h"

#include <QSignalSpy>
#include <QtTest>

// What every face shares as a control: its stored appearance, the events of its surface and the
// profile a host may set without a reset.
class tst_FaceSurface : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void appearance_data();
    void appearance();
    void events_data();
    void events();
    void currentProfileIsOnlyKept_data();
    void currentProfileIsOnlyKept();
};

namespace {

struct Face {
    const char* name;
    int model;
};
const Face FACES[] = {{"Kobi", 32}, {"Zento", 1}, {"Tavex", 8}, {"Lumo", 2}};

// The point the shared rows use: the corner of the glass, where no element lies.
const QPoint SURFACE(10, 20);

} // namespace

void tst_FaceSurface::appearance_data() {
    QTest::addColumn<int>("model");
    // The Kobi face is a drawing of the whole device: its background never shows.
    QTest::addColumn<bool>("backgroundShows");
    for (const Face& face : FACES)
        QTest::newRow(face.name) << face.model << (face.model != 32);
}

void tst_FaceSurface::appearance() {
    QFETCH(int, model);
    QFETCH(bool, backgroundShows);
    FaceFixture f(model);
    DiveComputerDisplay& face = *f.face;
    QCOMPARE(face.BackColor(), qint32(0x00BECCC4)); // the glass
    QCOMPARE(face.ForeColor(), UserControl::DEFAULT_FORE_COLOR);
    QVERIFY(face.isEnabled());
    QCOMPARE(face.BackStyle(), qint16(1));
    QCOMPARE(face.BorderStyle(), qint16(0));
    QVERIFY(face.writeProperties().contains(QStringLiteral("BackColor")));

    // Every setter reports its stored key.
    QSignalSpy changed(&face, &UserControl::propertyChanged);
    const QFont font(QStringLiteral("DejaVu Sans"), 12, QFont::Bold);
    face.setBackColor(0x000000FF);
    face.setForeColor(0x00FF0000);
    face.setEnabled(false);
    face.setFont(font);
    face.setBackStyle(1);
    face.setBorderStyle(1);
    QStringList keys;
    for (const QList<QVariant>& signal : changed)
        keys.append(signal.first().toString());
    QCOMPARE(keys, QStringList({"BackColor", "ForeColor", "Enabled", "Font", "BackStyle", "BorderStyle"}));
    if (backgroundShows) {
        const QImage shown = face.grab().toImage();
        QCOMPARE(shown.pixelColor(SURFACE), QColor(255, 0, 0));
        QCOMPARE(shown.pixelColor(0, 0), QColor(0, 0, 0)); // the single-line border
    }

    // A stored layout brings them back on another face, without reporting them.
    const PropertyBag written = face.writeProperties();
    FaceFixture other(model);
    QSignalSpy read(other.face.get(), &UserControl::propertyChanged);
    other.face->readProperties(written);
    QCOMPARE(read.size(), 0);
    QCOMPARE(other.face->BackColor(), 0x000000FF);
    QCOMPARE(other.face->ForeColor(), 0x00FF0000);
    QVERIFY(!other.face->isEnabled());
    QCOMPARE(other.face->font(), face.font());
    QCOMPARE(other.face->BorderStyle(), qint16(1));

    // Keys missing from a layout take the defaults: the system's button colours, opaque, no border.
    other.face->setBackStyle(0);
    other.face->readProperties(PropertyBag());
    QCOMPARE(other.face->BackColor(), UserControl::DEFAULT_BACK_COLOR);
    QCOMPARE(other.face->ForeColor(), UserControl::DEFAULT_FORE_COLOR);
    QVERIFY(other.face->isEnabled());
    QCOMPARE(other.face->font(), QApplication::font());
    QCOMPARE(other.face->BackStyle(), qint16(1));
    QCOMPARE(other.face->BorderStyle(), qint16(0));

    // A transparent surface leaves its container's background.
    if (backgroundShows) {
        QWidget host;
        host.setAutoFillBackground(true);
        QPalette green = host.palette();
        green.setColor(QPalette::Window, QColor(0, 255, 0));
        host.setPalette(green);
        DiveComputerDisplay* inHost = createDiveComputerDisplay(model, &host);
        host.resize(inHost->size());
        QCOMPARE(host.grab().toImage().pixelColor(SURFACE), QColor(196, 204, 190));
        inHost->setBackStyle(0);
        QCOMPARE(host.grab().toImage().pixelColor(SURFACE), QColor(0, 255, 0));
    }
    face.Refresh();
}

void tst_FaceSurface::events_data() {
    QTest::addColumn<SurfaceInput>("input");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("onElement");
    for (const Face& face : FACES) {
        const QString prefix = QLatin1String(face.name) + QStringLiteral(": ");
        addSurfaceInputRows(prefix, [&face](QTestData& row) { row << face.model << false; });
        QTest::newRow(qPrintable(prefix + "click on an element: the element's"))
            << SurfaceInput::ClickWithShift << QStringList{} << face.model << true;
        QTest::newRow(qPrintable(prefix + "double click on an element"))
            << SurfaceInput::DoubleClick << QStringList{} << face.model << true;
        QTest::newRow(qPrintable(prefix + "drag from an element"))
            << SurfaceInput::Drag << QStringList{} << face.model << true;
    }
}

void tst_FaceSurface::events() {
    QFETCH(SurfaceInput, input);
    QFETCH(QStringList, events);
    QFETCH(int, model);
    QFETCH(bool, onElement);
    FaceFixture f(model);
    QVERIFY(f.face->childAt(SURFACE) == nullptr);
    SurfaceEventLog log(*f.face);
    QWidget* target = f.face.get();
    QPoint at = SURFACE;
    if (onElement) {
        // A label shown over the surface, pressed in its middle: what it does not take goes up to the
        // face.
        for (QLabel* label : f.face->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (!label->isHidden() && qstrcmp(label->metaObject()->className(), "QLabel") == 0) {
                target = label;
                break;
            }
        }
        QVERIFY(target != f.face.get());
        at = target->rect().center();
    }
    sendSurfaceInput(target, input, at);
    QCOMPARE(log.events, events);
}

void tst_FaceSurface::currentProfileIsOnlyKept_data() {
    QTest::addColumn<int>("model");
    for (const Face& face : FACES)
        QTest::newRow(face.name) << face.model;
}

void tst_FaceSurface::currentProfileIsOnlyKept() {
    QFETCH(int, model);
    FaceFixture f(model);
    f.show(diveOf(model, 0), {StepValues{}, StepValues{.depth = 12.5F, .maxDepth = 12.5F, .noDecTime = 40}});
    f.face->updateDisplay(1);
    const QString before = f.text(QStringLiteral("lblDigitDepth"));
    QVERIFY(before.startsWith(QStringLiteral("12")));
    auto other =
        std::make_shared<StandInProfile>(diveOf(model, 0), QList<StepValues>{StepValues{}, StepValues{.depth = 31}});
    f.face->setCurrentProfile(other);
    QCOMPARE(f.face->currentProfile(), std::shared_ptr<ProfileReader>(other));
    QCOMPARE(f.text(QStringLiteral("lblDigitDepth")), before);
    f.face->updateDisplay(1);
    QVERIFY2(f.text(QStringLiteral("lblDigitDepth")).startsWith(QStringLiteral("31")),
             qPrintable(f.text(QStringLiteral("lblDigitDepth"))));
}

QTEST_MAIN(tst_FaceSurface)
#include "tst_facesurface.moc"
