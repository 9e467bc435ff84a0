#include "PropertyBag.h"
#include "RuntimeError.h"
#include "xpButton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QtTest>

namespace {
// A button 60 by 25 pixels on a window, captionless so that every pixel is the face's, shown so
// that it takes input; the pointer counts as over it until a test moves it away.
struct Button {
    explicit Button(const QString& caption = QString()) {
        b.setCaption(caption);
        b.resize(60, 25);
        host.resize(100, 40);
        host.show();
        b.pointerPosition = [this] { return pointer; };
        pointer = b.mapToGlobal(QPoint(30, 12));
        QObject::connect(&b, &xpButton::Click, [this] { log << QStringLiteral("Click"); });
        QObject::connect(&b, &xpButton::MouseDown, [this](qint16 button, qint16 shift, float x, float y) {
            log << QStringLiteral("Down %1 %2 %3 %4").arg(button).arg(shift).arg(double(x)).arg(double(y));
        });
        QObject::connect(&b, &xpButton::MouseUp,
                         [this](qint16 button, qint16, float, float) { log << QStringLiteral("Up %1").arg(button); });
        QObject::connect(&b, &xpButton::MouseOver, [this] { log << QStringLiteral("Over"); });
        QObject::connect(&b, &xpButton::MouseOut, [this] { log << QStringLiteral("Out"); });
        QObject::connect(&b, &xpButton::KeyDown,
                         [this](qint16 code, qint16) { log << QStringLiteral("KeyDown %1").arg(code); });
        QObject::connect(&b, &xpButton::KeyUp,
                         [this](qint16 code, qint16) { log << QStringLiteral("KeyUp %1").arg(code); });
        QObject::connect(&b, &xpButton::KeyPress,
                         [this](qint16 ascii) { log << QStringLiteral("KeyPress %1").arg(ascii); });
    }
    QColor at(int x, int y) const { return b.Image().pixelColor(x, y); }
    void accessKey() {
        QShortcutEvent shortcut(QKeySequence(), 0);
        QApplication::sendEvent(&b, &shortcut);
    }
    // A mouse event as the window system delivers it to the button.
    void send(QEvent::Type type, const QPoint& at, Qt::MouseButton button = Qt::NoButton,
              Qt::MouseButtons held = Qt::NoButton) {
        QMouseEvent event(type, at, b.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&b, &event);
    }
    void hoverAt(const QPoint& at) { send(QEvent::MouseMove, at); }
    void focus(bool in) {
        QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut);
        QApplication::sendEvent(&b, &event);
    }
    QWidget host;
    xpButton b{&host, QStringLiteral("cmdTest")};
    QPoint pointer;
    QStringList log;
};

// The bounding box of the pixels darker than the face: the caption.
QRect darkPixels(const QImage& image) {
    QRect box;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            if (qGray(image.pixel(x, y)) < 120)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}
} // namespace

class tst_xpButton : public QObject {
    Q_OBJECT
private slots:
    void offsetColor_data();
    void offsetColor();
    void accessKey_data();
    void accessKey();
    void statePictures_data();
    void statePictures();
    void pressedCaptionMoves();
    void corners_data();
    void corners();
    void storedProperties();
    void readingAppliesDefaults();
    void changesReported();
    void click();
    void rightPressAndAccessKey();
    void dragOutAndBack();
    void doubleClick();
    void hover();
    void arrowsMoveFocus();
    void refreshKeepsTheState();
    void screenshots();
};

void tst_xpButton::offsetColor_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QColor>("shade");
    const QColor c1(240, 240, 240);
    const QColor c2(208, 208, 200);
    QTest::newRow("face to c1") << QColor(192, 192, 192) << 48 << c1;
    QTest::newRow("disabled face") << c1 << -24 << QColor(216, 216, 210);
    QTest::newRow("disabled caption") << c1 << -104 << QColor(136, 136, 110);
    QTest::newRow("disabled outline") << c1 << -84 << QColor(156, 156, 135);
    QTest::newRow("lighter, clamped") << c1 << 16 << QColor(255, 255, 255);
    QTest::newRow("blue truncated down") << c1 << 10 << QColor(250, 250, 252);
    QTest::newRow("blue truncated towards zero") << c1 << -5 << QColor(235, 235, 234);
    QTest::newRow("pressed c2") << c1 << -32 << c2;
    QTest::newRow("pressed bottom") << c2 << 16 << QColor(224, 224, 216);
    QTest::newRow("pressed left inner") << c2 << -22 << QColor(186, 186, 178);
    QTest::newRow("black stays black") << QColor(0, 0, 0) << -40 << QColor(0, 0, 0);
}

void tst_xpButton::offsetColor() {
    QFETCH(QColor, colour);
    QFETCH(int, offset);
    QFETCH(QColor, shade);
    QCOMPARE(xpButton::offsetColor(colour, offset), shade);
}

void tst_xpButton::accessKey_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    QTest::newRow("single ampersand") << "&Save"
                                      << "s";
    QTest::newRow("inside the caption") << "Sa&Ve"
                                        << "v";
    QTest::newRow("doubled pair alone") << "&&"
                                        << "";
    QTest::newRow("letter, pair, letter") << "a&&b"
                                          << "";
    QTest::newRow("three then a letter") << "&&&x"
                                         << "x";
    QTest::newRow("pair then a single") << "R&&&D"
                                        << "d";
    QTest::newRow("two pairs") << "&&&&a"
                               << "";
    QTest::newRow("ampersand last") << "Save&"
                                    << "";
    QTest::newRow("pair then ampersand last") << "a&&b&"
                                              << "";
    QTest::newRow("one character") << "&"
                                   << "";
    QTest::newRow("none") << "Save"
                          << "";
}

void tst_xpButton::accessKey() {
    QFETCH(QString, caption);
    QFETCH(QString, key);
    QCOMPARE(xpButton::accessKeyOf(caption), key);
    Button f(caption);
    QCOMPARE(f.b.accessKey(), key);
}

void tst_xpButton::statePictures_data() {
    QTest::addColumn<QString>("look");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    const int w = 60;
    const int h = 25;
    // The gradient, the border and the plain edges.
    QTest::newRow("normal: top row keeps c1") << "normal" << QPoint(30, 0) << QColor(0, 60, 115);
    QTest::newRow("normal: gradient row 5") << "normal" << QPoint(30, 5) << QColor(235, 235, 234);
    QTest::newRow("normal: gradient row 20") << "normal" << QPoint(30, 20) << QColor(220, 220, 215);
    QTest::newRow("normal: border") << "normal" << QPoint(0, 12) << QColor(0, 60, 115);
    QTest::newRow("normal: border corner") << "normal" << QPoint(w - 2, h - 2) << QColor(16, 77, 123);
    QTest::newRow("normal: bottom edge") << "normal" << QPoint(30, h - 2) << QColor(192, 192, 180);
    QTest::newRow("normal: above the bottom") << "normal" << QPoint(30, h - 3) << QColor(208, 208, 200);
    QTest::newRow("normal: right edge") << "normal" << QPoint(w - 2, 12) << QColor(204, 204, 195);
    QTest::newRow("normal: right inner") << "normal" << QPoint(w - 3, 12) << QColor(216, 216, 210);
    QTest::newRow("normal: top edge") << "normal" << QPoint(30, 1) << QColor(255, 255, 255);
    QTest::newRow("normal: below the top") << "normal" << QPoint(30, 2) << QColor(250, 250, 252);
    QTest::newRow("normal: left edge") << "normal" << QPoint(1, 12) << QColor(235, 235, 234);
    QTest::newRow("normal: left inner") << "normal" << QPoint(2, 5) << QColor(230, 230, 228);
    // Reversed and darker, its own edges.
    QTest::newRow("pressed: gradient row 12") << "pressed" << QPoint(30, 12) << QColor(195, 195, 187);
    QTest::newRow("pressed: gradient row 20") << "pressed" << QPoint(30, 20) << QColor(203, 203, 195);
    QTest::newRow("pressed: border") << "pressed" << QPoint(0, 12) << QColor(0, 60, 115);
    QTest::newRow("pressed: bottom edge") << "pressed" << QPoint(30, h - 2) << QColor(224, 224, 216);
    QTest::newRow("pressed: above the bottom") << "pressed" << QPoint(30, h - 3) << QColor(218, 218, 210);
    QTest::newRow("pressed: right edge") << "pressed" << QPoint(w - 2, 12) << QColor(213, 213, 205);
    QTest::newRow("pressed: right inner") << "pressed" << QPoint(w - 3, 12) << QColor(208, 208, 200);
    QTest::newRow("pressed: top edge") << "pressed" << QPoint(30, 1) << QColor(176, 176, 167);
    QTest::newRow("pressed: below the top") << "pressed" << QPoint(30, 2) << QColor(184, 184, 175);
    QTest::newRow("pressed: left edge") << "pressed" << QPoint(1, 12) << QColor(176, 176, 167);
    QTest::newRow("pressed: left inner") << "pressed" << QPoint(2, 12) << QColor(186, 186, 178);
    // The frames.
    for (const char* look : {"hover", "hover with focus"}) {
        QTest::addRow("%s: frame", look) << look << QPoint(1, 12) << QColor(255, 178, 49);
        QTest::addRow("%s: bottom", look) << look << QPoint(30, h - 2) << QColor(231, 150, 0);
        QTest::addRow("%s: top", look) << look << QPoint(30, 1) << QColor(255, 243, 206);
        QTest::addRow("%s: below the top", look) << look << QPoint(w - 2, 2) << QColor(255, 219, 140);
        QTest::addRow("%s: left inner", look) << look << QPoint(2, 12) << QColor(255, 203, 107);
        QTest::addRow("%s: right inner", look) << look << QPoint(w - 3, 12) << QColor(255, 203, 107);
        QTest::addRow("%s: gradient", look) << look << QPoint(30, 5) << QColor(235, 235, 234);
    }
    for (const char* look : {"focus", "default"}) {
        QTest::addRow("%s: frame", look) << look << QPoint(1, 12) << QColor(140, 174, 231);
        QTest::addRow("%s: bottom", look) << look << QPoint(30, h - 2) << QColor(107, 130, 239);
        QTest::addRow("%s: top", look) << look << QPoint(30, 1) << QColor(206, 231, 255);
        QTest::addRow("%s: below the top", look) << look << QPoint(w - 2, 2) << QColor(189, 215, 247);
        QTest::addRow("%s: left inner", look) << look << QPoint(2, 12) << QColor(181, 209, 240);
        QTest::addRow("%s: right inner", look) << look << QPoint(w - 3, 12) << QColor(181, 209, 240);
    }
    QTest::newRow("focus without its frame: plain") << "focus, no frame" << QPoint(1, 12) << QColor(235, 235, 234);
    QTest::newRow("pressed with focus: no frame") << "pressed with focus" << QPoint(1, 12) << QColor(176, 176, 167);
    // Flat whatever else holds.
    for (const char* look : {"disabled", "disabled with focus", "disabled pressed"}) {
        QTest::addRow("%s: face", look) << look << QPoint(30, 12) << QColor(216, 216, 210);
        QTest::addRow("%s: top", look) << look << QPoint(30, 1) << QColor(216, 216, 210);
        QTest::addRow("%s: outline", look) << look << QPoint(0, 12) << QColor(156, 156, 135);
        QTest::addRow("%s: corner", look) << look << QPoint(1, h - 2) << QColor(168, 168, 150);
    }
}

void tst_xpButton::statePictures() {
    QFETCH(QString, look);
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    Button f;
    xpButton& b = f.b;
    if (look.contains(QLatin1String("focus")))
        f.focus(true);
    if (look == QLatin1String("focus, no frame")) {
        PropertyBag bag;
        b.writeProperties(bag);
        bag.write(QStringLiteral("FOCUSR"), false);
        b.readProperties(bag);
        b.Refresh();
    }
    if (look == QLatin1String("default"))
        b.setDefault(true);
    if (look.startsWith(QLatin1String("hover")))
        f.hoverAt(QPoint(30, 12));
    if (look.startsWith(QLatin1String("disabled")))
        b.setEnabled(false);
    if (look.contains(QLatin1String("pressed")))
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(30, 12));
    if (look.startsWith(QLatin1String("hover")))
        QVERIFY(b.isOver());
    QCOMPARE(b.Image().size(), QSize(60, 25));
    QCOMPARE(f.at(point.x(), point.y()), colour);
}

void tst_xpButton::pressedCaptionMoves() {
    Button f(QStringLiteral("OK"));
    const QRect normal = darkPixels(f.b.Image());
    QVERIFY(!normal.isEmpty());
    QCOMPARE(f.b.textRect().center().x(), 30); // centred within a pixel
    QTest::mousePress(&f.b, Qt::LeftButton, {}, QPoint(30, 12));
    QCOMPARE(f.b.lastState(), xpButton::STATE_PRESSED);
    QCOMPARE(darkPixels(f.b.Image()), normal.translated(1, 1));
    QTest::mouseRelease(&f.b, Qt::LeftButton, {}, QPoint(30, 12));
    QCOMPARE(darkPixels(f.b.Image()), normal);
    // Disabled: the caption in its washed-out colour, not moved.
    f.b.setEnabled(false);
    bool found = false;
    const QImage image = f.b.Image();
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 0; x < image.width() && !found; ++x)
            found = image.pixelColor(x, y) == QColor(136, 136, 110);
    }
    QVERIFY(found);
}

void tst_xpButton::corners_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");
    const int w = 60;
    const int h = 25;
    for (const QPoint& p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(0, h - 1), QPoint(1, h - 1),
                            QPoint(0, h - 2), QPoint(w - 2, 0), QPoint(w - 1, 0), QPoint(w - 1, 1),
                            QPoint(w - 2, h - 1), QPoint(w - 1, h - 1), QPoint(w - 1, h - 2)})
        QTest::addRow("cut %d,%d", p.x(), p.y()) << p << false;
    for (const QPoint& p :
         {QPoint(1, 1), QPoint(2, 0), QPoint(0, 2), QPoint(w - 3, 0), QPoint(w - 2, h - 2), QPoint(30, 12)})
        QTest::addRow("kept %d,%d", p.x(), p.y()) << p << true;
}

void tst_xpButton::corners() {
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    Button f;
    QCOMPARE(f.b.mask().contains(point), inside);
}

void tst_xpButton::storedProperties() {
    Button f;
    PropertyBag bag;
    f.b.writeProperties(bag);
    // All six, the defaults among them.
    for (const char* key : {"TX", "ENAB", "FONT", "FOCUSR", "MPTR", "MICON"})
        QVERIFY2(bag.contains(QLatin1String(key)), key);
    QCOMPARE(bag.read(QStringLiteral("tx"), QStringLiteral("-")), QVariant(QString()));
    QCOMPARE(bag.read(QStringLiteral("enab"), false), QVariant(true));
    QCOMPARE(bag.read(QStringLiteral("focusr"), false), QVariant(true));
    QCOMPARE(bag.read(QStringLiteral("mptr"), 5).toInt(), 0);

    QFont font(QStringLiteral("DejaVu Sans"), 11);
    font.setBold(true);
    PropertyBag changed;
    changed.write(QStringLiteral("tx"), QStringLiteral("&Go"));
    changed.write(QStringLiteral("Enab"), false);
    changed.write(QStringLiteral("font"), font);
    changed.write(QStringLiteral("FocusR"), false);
    changed.write(QStringLiteral("mptr"), 2);
    Button other;
    other.b.readProperties(changed);
    QCOMPARE(other.b.Caption(), QStringLiteral("&Go"));
    QCOMPARE(other.b.accessKey(), QStringLiteral("g"));
    QVERIFY(!other.b.Enabled());
    QVERIFY(!other.b.isEnabled());
    QVERIFY(other.b.FontBold());
    QCOMPARE(other.b.FontSize(), 11);
    QCOMPARE(other.b.MousePointer(), 2);
    // And written back as read.
    PropertyBag again;
    other.b.writeProperties(again);
    for (const char* key : {"TX", "ENAB", "FONT", "FOCUSR", "MPTR"})
        QCOMPARE(again.read(QLatin1String(key), {}), changed.read(QLatin1String(key), {}));
}

void tst_xpButton::readingAppliesDefaults() {
    Button f(QStringLiteral("Before"));
    f.b.setEnabled(false);
    const QFont font = f.b.font();
    QSignalSpy reported(&f.b, &xpButton::propertyChanged);
    f.b.readProperties(PropertyBag());
    QCOMPARE(f.b.Caption(), QString());
    QVERIFY(f.b.Enabled());
    QVERIFY(f.b.isEnabled());
    QCOMPARE(f.b.font(), font);
    QCOMPARE(f.b.MousePointer(), 0);
    QCOMPARE(reported.count(), 0);

    PropertyBag bad;
    bad.write(QStringLiteral("MPTR"), 42);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, f.b.readProperties(bad));
}

void tst_xpButton::changesReported() {
    Button f;
    QSignalSpy reported(&f.b, &xpButton::propertyChanged);
    const auto keys = [&reported] {
        QStringList k;
        for (const QList<QVariant>& call : reported)
            k << call.at(0).toString();
        reported.clear();
        return k;
    };
    f.b.setCaption(QStringLiteral("Go"));
    QCOMPARE(keys(), QStringList{"TX"});
    f.b.setEnabled(false);
    QCOMPARE(keys(), QStringList{"ENAB"});
    f.b.setEnabled(true);
    QCOMPARE(keys(), QStringList{"ENAB"});
    f.b.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    QCOMPARE(keys(), QStringList{"FONT"});
    f.b.setFontBold(true);
    f.b.setFontItalic(true);
    f.b.setFontSize(14);
    f.b.setFontName(QStringLiteral("DejaVu Serif"));
    QCOMPARE(keys(), QStringList());
    QVERIFY(f.b.FontBold() && f.b.FontItalic());
    QCOMPARE(f.b.FontSize(), 14);
    f.b.setMousePointer(11);
    QCOMPARE(keys(), QStringList{"MPTR"});
    QCOMPARE(f.b.cursor().shape(), Qt::WaitCursor);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, f.b.setMousePointer(16));
    QCOMPARE(f.b.MousePointer(), 11);
    f.b.setMouseIcon(QPixmap()); // nothing to take: still reported
    QCOMPARE(keys(), (QStringList{"MICON"}));
}

void tst_xpButton::click() {
    Button f(QStringLiteral("Go"));
    QTest::mouseClick(&f.b, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 7));
    QCOMPARE(f.log, (QStringList{"Down 1 1 10 7", "Up 1", "Click"}));
    QCOMPARE(f.b.lastState(), xpButton::STATE_NORMAL);
    // The space key clicks as the left button would.
    f.log.clear();
    QTest::keyClick(&f.b, Qt::Key_Space);
    QCOMPARE(f.log, (QStringList{"KeyDown 32", "Down 1 1 1 1", "KeyPress 32", "KeyUp 32", "Up 1", "Click"}));
    // A character key is reported and does nothing more.
    f.log.clear();
    QTest::keyClick(&f.b, Qt::Key_A);
    QCOMPARE(f.log, (QStringList{"KeyDown 65", "KeyPress 97", "KeyUp 65"}));
    // Disabled: no input reaches it.
    f.log.clear();
    f.b.setEnabled(false);
    QTest::mouseClick(&f.b, Qt::LeftButton, {}, QPoint(10, 7));
    f.accessKey();
    QCOMPARE(f.log, QStringList());
}

void tst_xpButton::rightPressAndAccessKey() {
    Button f(QStringLiteral("&Go"));
    QTest::mousePress(&f.b, Qt::RightButton, {}, QPoint(10, 7));
    QCOMPARE(f.b.lastState(), xpButton::STATE_NORMAL);
    QTest::mouseRelease(&f.b, Qt::RightButton, {}, QPoint(10, 7));
    QCOMPARE(f.b.lastButton(), 2);
    f.accessKey();
    QVERIFY(!f.log.contains(QStringLiteral("Click")));
    // The space key sets the left button again.
    QTest::keyClick(&f.b, Qt::Key_Space);
    QCOMPARE(f.b.lastButton(), 1);
    QCOMPARE(f.log.count(QStringLiteral("Click")), 1);
    f.accessKey();
    QCOMPARE(f.log.count(QStringLiteral("Click")), 2);
}

void tst_xpButton::dragOutAndBack() {
    Button f(QStringLiteral("Go"));
    QTest::mousePress(&f.b, Qt::LeftButton, {}, QPoint(30, 12));
    QCOMPARE(f.b.lastState(), xpButton::STATE_PRESSED);
    const auto drag = [&f](const QPoint& to) { f.send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton); };
    drag(QPoint(80, 12));
    QCOMPARE(f.b.lastState(), xpButton::STATE_NORMAL);
    drag(QPoint(60, 25)); // the far edges count as inside
    QCOMPARE(f.b.lastState(), xpButton::STATE_PRESSED);
    drag(QPoint(-1, 12));
    QTest::mouseRelease(&f.b, Qt::LeftButton, {}, QPoint(-1, 12));
    QCOMPARE(f.b.lastState(), xpButton::STATE_NORMAL);
    QVERIFY(!f.log.contains(QStringLiteral("Click")));
}

void tst_xpButton::doubleClick() {
    Button f(QStringLiteral("Go"));
    // What the window system delivers for a double click: the second press comes as the double click.
    const QPoint at(10, 7);
    f.send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    f.send(QEvent::MouseButtonRelease, at, Qt::LeftButton);
    f.send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(f.b.lastState(), xpButton::STATE_PRESSED);
    f.send(QEvent::MouseButtonRelease, at, Qt::LeftButton);
    // The double click is reported as a left press of its own; one click in all.
    QCOMPARE(f.log, (QStringList{"Down 1 0 10 7", "Up 1", "Click", "Down 1 1 1 1", "Up 1"}));
    QCOMPARE(f.b.lastState(), xpButton::STATE_NORMAL);
}

void tst_xpButton::hover() {
    Button f(QStringLiteral("Go"));
    xpButton& b = f.b;
    f.pointer = QPoint(-1000, -1000); // somewhere else, for the timer to find
    f.hoverAt(QPoint(30, 12));
    QCOMPARE(f.log, QStringList{"Over"});
    QVERIFY(b.isOver());
    QVERIFY(b.hoverTimerActive());
    QCOMPARE(f.at(1, 12), QColor(255, 178, 49));
    QTRY_VERIFY(!b.isOver());
    QCOMPARE(f.log, (QStringList{"Over", "Out"}));
    QVERIFY(!b.hoverTimerActive());
    // Plain, or framed in blue once the shown window has given it the focus.
    QCOMPARE(f.at(1, 12), b.hasFocus() ? QColor(140, 174, 231) : QColor(235, 235, 234));

    // Over the button the timer keeps it lit, and further moves report nothing more.
    f.log.clear();
    f.pointer = b.mapToGlobal(QPoint(30, 12));
    if (QApplication::widgetAt(f.pointer) != &b)
        QSKIP("the platform cannot tell which window is under a point");
    f.hoverAt(QPoint(30, 12));
    f.hoverAt(QPoint(31, 12));
    QTest::qWait(30);
    QVERIFY(b.isOver());
    QCOMPARE(f.log, QStringList{"Over"});
    // A cut corner is the window behind.
    f.pointer = b.mapToGlobal(QPoint(0, 0));
    QTRY_VERIFY(!b.isOver());
}

void tst_xpButton::arrowsMoveFocus() {
    QWidget host;
    auto* first = new xpButton(&host, QStringLiteral("first"));
    auto* second = new xpButton(&host, QStringLiteral("second"));
    second->move(60, 0);
    host.show();
    QApplication::setActiveWindow(&host);
    if (!QTest::qWaitForWindowActive(&host))
        QSKIP("the platform cannot activate a window");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Right);
    QVERIFY(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Up);
    QVERIFY(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Down);
    QVERIFY(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Left);
    QVERIFY(first->hasFocus());
}

void tst_xpButton::refreshKeepsTheState() {
    Button f(QStringLiteral("Go"));
    QTest::mousePress(&f.b, Qt::LeftButton, {}, QPoint(30, 12));
    const QImage pressed = f.b.Image();
    f.b.Refresh();
    QCOMPARE(f.b.lastState(), xpButton::STATE_PRESSED);
    QCOMPARE(f.b.Image(), pressed);
    // A new caption draws the normal look.
    f.b.setCaption(QStringLiteral("Stop"));
    QCOMPARE(f.b.lastState(), xpButton::STATE_NORMAL);
    QCOMPARE(f.at(30, 1), QColor(255, 255, 255));
    // Nothing is drawn at a height of 0.
    f.b.resize(60, 0);
    f.b.Refresh();
    QCOMPARE(f.b.Image().height(), 25);
}

// A picture of every look for a person to look at, not for asserting: run with SONA_SCREENSHOT_DIR
// set, under a real display server such as Xvfb.
void tst_xpButton::screenshots() {
    const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("SONA_SCREENSHOT_DIR not set");
    const QStringList looks{"normal", "pressed", "hover", "focus", "disabled"};
    QImage sheet(looks.size() * 100 + 10, 45, QImage::Format_RGB32);
    sheet.fill(QColor(236, 233, 216));
    for (int i = 0; i < looks.size(); ++i) {
        Button f(QStringLiteral("&Save dive"));
        f.b.resize(90, 35);
        const QString& look = looks.at(i);
        if (look == QLatin1String("pressed"))
            QTest::mousePress(&f.b, Qt::LeftButton, {}, QPoint(30, 12));
        else if (look == QLatin1String("hover"))
            f.hoverAt(QPoint(30, 12));
        else if (look == QLatin1String("focus"))
            f.focus(true);
        else if (look == QLatin1String("disabled"))
            f.b.setEnabled(false);
        QPainter painter(&sheet);
        painter.setClipRegion(f.b.mask().translated(10 + i * 100, 5));
        painter.drawImage(10 + i * 100, 5, f.b.Image());
    }
    QVERIFY(sheet.scaled(sheet.size() * 3).save(dir + QStringLiteral("/xpbutton-looks.png")));
}

QTEST_MAIN(tst_xpButton)
#include "tst_xpbutton.moc"
