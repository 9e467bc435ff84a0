#include "ControlInput.h"
#include "UserControl.h"
#include "xpButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QtTest>

class tst_ControlInput : public QObject {
    Q_OBJECT
private slots:
    void keyCode_data();
    void keyCode();
    void controlsPassTheKeyCode_data();
    void controlsPassTheKeyCode();
};

void tst_ControlInput::keyCode_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers keypadShift = Qt::KeypadModifier | Qt::ShiftModifier;
    const auto row = [](const char* name, int qtKey, Qt::KeyboardModifiers modifiers, int code) {
        QTest::newRow(name) << qtKey << modifiers << code;
    };
    // Letters, digits and the keys the hosts always had.
    row("A", Qt::Key_A, none, 65);
    row("shift+Z", Qt::Key_Z, shift, 90);
    row("0", Qt::Key_0, none, 48);
    row("9", Qt::Key_9, none, 57);
    row("space", Qt::Key_Space, none, 32);
    row("backspace", Qt::Key_Backspace, none, 8);
    row("tab", Qt::Key_Tab, none, 9);
    row("shift+tab", Qt::Key_Backtab, shift, 9);
    row("return", Qt::Key_Return, none, 13);
    row("keypad enter", Qt::Key_Enter, keypad, 13);
    row("shift", Qt::Key_Shift, shift, 16);
    row("control", Qt::Key_Control, none, 17);
    row("alt", Qt::Key_Alt, none, 18);
    row("escape", Qt::Key_Escape, none, 27);
    row("left", Qt::Key_Left, none, 37);
    row("up", Qt::Key_Up, none, 38);
    row("right", Qt::Key_Right, none, 39);
    row("down", Qt::Key_Down, none, 40);
    row("delete", Qt::Key_Delete, none, 46);
    // The moving, locking and system keys.
    row("page up", Qt::Key_PageUp, none, 33);
    row("page down", Qt::Key_PageDown, none, 34);
    row("end", Qt::Key_End, none, 35);
    row("home", Qt::Key_Home, none, 36);
    row("keypad home (num lock off)", Qt::Key_Home, keypad, 36);
    row("insert", Qt::Key_Insert, none, 45);
    row("pause", Qt::Key_Pause, none, 19);
    row("caps lock", Qt::Key_CapsLock, none, 20);
    row("num lock", Qt::Key_NumLock, none, 144);
    row("scroll lock", Qt::Key_ScrollLock, none, 145);
    row("print screen", Qt::Key_Print, none, 44);
    // The keypad's own keys.
    row("keypad 0", Qt::Key_0, keypad, 96);
    row("keypad 5", Qt::Key_5, keypad, 101);
    row("keypad 9", Qt::Key_9, keypad, 105);
    row("keypad *", Qt::Key_Asterisk, keypad, 106);
    row("keypad +", Qt::Key_Plus, keypad, 107);
    row("keypad + with shift", Qt::Key_Plus, keypadShift, 107);
    row("keypad -", Qt::Key_Minus, keypad, 109);
    row("keypad .", Qt::Key_Period, keypad, 110);
    row("keypad , (decimal comma)", Qt::Key_Comma, keypad, 110);
    row("keypad /", Qt::Key_Slash, keypad, 111);
    // Function keys.
    row("F1", Qt::Key_F1, none, 112);
    row("F12", Qt::Key_F12, none, 123);
    row("F13", Qt::Key_F13, none, 124);
    row("F24", Qt::Key_F24, none, 135);
    row("F25", Qt::Key_F25, none, 0);
    // Punctuation of a US layout, plain and shifted.
    row(";", Qt::Key_Semicolon, none, 186);
    row("shift+; (:)", Qt::Key_Colon, shift, 186);
    row("=", Qt::Key_Equal, none, 187);
    row("shift+= (+)", Qt::Key_Plus, shift, 187);
    row(",", Qt::Key_Comma, none, 188);
    row("shift+, (<)", Qt::Key_Less, shift, 188);
    row("-", Qt::Key_Minus, none, 189);
    row("shift+- (_)", Qt::Key_Underscore, shift, 189);
    row(".", Qt::Key_Period, none, 190);
    row("shift+. (>)", Qt::Key_Greater, shift, 190);
    row("/", Qt::Key_Slash, none, 191);
    row("shift+/ (?)", Qt::Key_Question, shift, 191);
    row("`", Qt::Key_QuoteLeft, none, 192);
    row("shift+` (~)", Qt::Key_AsciiTilde, shift, 192);
    row("[", Qt::Key_BracketLeft, none, 219);
    row("shift+[ ({)", Qt::Key_BraceLeft, shift, 219);
    row("\\", Qt::Key_Backslash, none, 220);
    row("shift+\\ (|)", Qt::Key_Bar, shift, 220);
    row("]", Qt::Key_BracketRight, none, 221);
    row("shift+] (})", Qt::Key_BraceRight, shift, 221);
    row("'", Qt::Key_Apostrophe, none, 222);
    row("shift+' (\")", Qt::Key_QuoteDbl, shift, 222);
    // Shifted digits are their digit's key.
    row("shift+1 (!)", Qt::Key_Exclam, shift, 49);
    row("shift+2 (@)", Qt::Key_At, shift, 50);
    row("shift+8 (*)", Qt::Key_Asterisk, shift, 56);
    row("shift+0 ())", Qt::Key_ParenRight, shift, 48);
    // Keys the hosts have no code for.
    row("media play", Qt::Key_MediaPlay, none, 0);
    row("yen sign", Qt::Key_yen, none, 0);
}

void tst_ControlInput::keyCode() {
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);
    QCOMPARE(int(ControlInput::keyCode(qtKey, modifiers)), code);
}

void tst_ControlInput::controlsPassTheKeyCode_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("events");
    for (const QString& control : {QStringLiteral("display surface"), QStringLiteral("flat button")}) {
        QTest::addRow("%s: keypad 7", qPrintable(control))
            << control << int(Qt::Key_7) << Qt::KeyboardModifiers(Qt::KeypadModifier) << QStringLiteral("7")
            << QStringList{"KeyDown 103 0", "KeyPress 55", "KeyUp 103 0"};
        QTest::addRow("%s: shift+;", qPrintable(control))
            << control << int(Qt::Key_Colon) << Qt::KeyboardModifiers(Qt::ShiftModifier) << QStringLiteral(":")
            << QStringList{"KeyDown 186 1", "KeyPress 58", "KeyUp 186 1"};
        QTest::addRow("%s: page down", qPrintable(control))
            << control << int(Qt::Key_PageDown) << Qt::KeyboardModifiers(Qt::NoModifier) << QString()
            << QStringList{"KeyDown 34 0", "KeyUp 34 0"};
    }
}

// The faces and the tissue bars raise their keys from the display surface they share; the flat
// button has its own key handling.
void tst_ControlInput::controlsPassTheKeyCode() {
    QFETCH(QString, control);
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(QStringList, events);
    UserControl surface;
    xpButton button;
    QWidget* target = &surface;
    QStringList log;
    const auto key = [&log](const char* name) {
        return [&log, name](qint16 code, qint16 shift) {
            log << QStringLiteral("%1 %2 %3").arg(name).arg(code).arg(shift);
        };
    };
    const auto character = [&log](qint16 ascii) { log << QStringLiteral("KeyPress %1").arg(ascii); };
    if (control == QLatin1String("flat button")) {
        target = &button;
        QObject::connect(&button, &xpButton::KeyDown, key("KeyDown"));
        QObject::connect(&button, &xpButton::KeyPress, character);
        QObject::connect(&button, &xpButton::KeyUp, key("KeyUp"));
    } else {
        QObject::connect(&surface, &UserControl::KeyDown, key("KeyDown"));
        QObject::connect(&surface, &UserControl::KeyPress, character);
        QObject::connect(&surface, &UserControl::KeyUp, key("KeyUp"));
    }
    // Sent as the window system sends them, without the modifier keys' own events.
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    QCOMPARE(log, events);
}

QTEST_MAIN(tst_ControlInput)
#include "tst_controlinput.moc"
