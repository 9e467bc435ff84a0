#pragma once

#include "UserControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>
#include <QtTest>
#include <functional>

// What a control's surface raised, in order, each written "Name(arguments)".
class SurfaceEventLog {
public:
    explicit SurfaceEventLog(UserControl& control) {
        const auto key = [this](const char* name) {
            return [this, name](qint16 code, qint16 shift) { add(name, {code, shift}); };
        };
        const auto mouse = [this](const char* name) {
            return [this, name](qint16 button, qint16 shift, float x, float y) { add(name, {button, shift, x, y}); };
        };
        QObject::connect(&control, &UserControl::KeyUp, &m_context, key("KeyUp"));
        QObject::connect(&control, &UserControl::Click, &m_context, [this] { add("Click", {}); });
        QObject::connect(&control, &UserControl::DblClick, &m_context, [this] { add("DblClick", {}); });
        QObject::connect(&control, &UserControl::KeyDown, &m_context, key("KeyDown"));
        QObject::connect(&control, &UserControl::KeyPress, &m_context,
                         [this](qint16 ascii) { add("KeyPress", {ascii}); });
        QObject::connect(&control, &UserControl::MouseDown, &m_context, mouse("MouseDown"));
        QObject::connect(&control, &UserControl::MouseMove, &m_context, mouse("MouseMove"));
        QObject::connect(&control, &UserControl::MouseUp, &m_context, mouse("MouseUp"));
    }

    QStringList events;

private:
    void add(const char* name, const QVariantList& args) {
        QStringList texts;
        for (const QVariant& arg : args)
            texts.append(arg.toString());
        events.append(QLatin1String(name) + u'(' + texts.join(u',') + u')');
    }

    QObject m_context;
};

// What a table row does to a surface, at a point in pixels (for a drag, from it five pixels right).
enum class SurfaceInput {
    ClickWithShift,
    RightClick,
    DoubleClick,
    Drag,
    Hover,
    ControlA,
    Return,
    ShiftAlone,
    HeldKey,
    ClickWhileDisabled,
};
Q_DECLARE_METATYPE(SurfaceInput)

namespace surfaceinput {

inline void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

inline void key(QWidget* target, QEvent::Type type, int code, Qt::KeyboardModifiers modifiers, const QString& text,
                bool autoRepeat = false) {
    QKeyEvent event(type, code, modifiers, text, autoRepeat);
    QApplication::sendEvent(target, &event);
}

inline void click(QWidget* target, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}) {
    mouse(target, QEvent::MouseButtonPress, at, button, button, modifiers);
    mouse(target, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

} // namespace surfaceinput

// Sends the input of a row to `target`, as the window system delivers it.
inline void sendSurfaceInput(QWidget* target, SurfaceInput input, QPoint at) {
    using namespace surfaceinput;
    const QString ctrlA(QChar(1));
    switch (input) {
    case SurfaceInput::ClickWithShift:
        click(target, at, Qt::LeftButton, Qt::ShiftModifier);
        break;
    case SurfaceInput::RightClick:
        click(target, at, Qt::RightButton);
        break;
    case SurfaceInput::DoubleClick:
        click(target, at, Qt::LeftButton);
        mouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        mouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        break;
    case SurfaceInput::Drag:
        mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        mouse(target, QEvent::MouseMove, at + QPoint(5, 0), Qt::NoButton, Qt::LeftButton);
        mouse(target, QEvent::MouseButtonRelease, at + QPoint(5, 0), Qt::LeftButton, Qt::NoButton);
        break;
    case SurfaceInput::Hover:
        mouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        break;
    case SurfaceInput::ControlA:
        key(target, QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, ctrlA);
        key(target, QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier, ctrlA);
        break;
    case SurfaceInput::Return:
        key(target, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        key(target, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        break;
    case SurfaceInput::ShiftAlone:
        // The window system gives a modifier key's events the state before them.
        key(target, QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, QString());
        key(target, QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, QString());
        break;
    case SurfaceInput::HeldKey:
        key(target, QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        key(target, QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"), true);
        key(target, QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"), true);
        key(target, QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        break;
    case SurfaceInput::ClickWhileDisabled:
        target->setEnabled(false);
        click(target, at, Qt::LeftButton);
        target->setEnabled(true);
        break;
    }
}

// The rows every surface answers alike, for a point 10 pixels right of and 20 below its corner
// (150 and 300 twips): columns "input" and "events", then those `more` fills.
inline void addSurfaceInputRows(
    const QString& prefix = QString(), const std::function<void(QTestData&)>& more = [](QTestData&) {}) {
    QTestData* last = nullptr;
    const auto row = [&](const char* name) -> QTestData& {
        if (last)
            more(*last);
        last = &QTest::newRow(qPrintable(prefix + QLatin1String(name)));
        return *last;
    };
    const QString down = QStringLiteral("MouseDown(%1,%2,150,300)");
    const QString up = QStringLiteral("MouseUp(%1,%2,150,300)");
    row("click with shift") << SurfaceInput::ClickWithShift
                            << QStringList{down.arg(1).arg(1), up.arg(1).arg(1), QStringLiteral("Click()")};
    row("right click") << SurfaceInput::RightClick
                       << QStringList{down.arg(2).arg(0), up.arg(2).arg(0), QStringLiteral("Click()")};
    row("double click: its second press is the double click, and no second click")
        << SurfaceInput::DoubleClick
        << QStringList{down.arg(1).arg(0), up.arg(1).arg(0), QStringLiteral("Click()"), QStringLiteral("DblClick()"),
                       up.arg(1).arg(0)};
    row("drag: the moves carry the buttons held")
        << SurfaceInput::Drag
        << QStringList{down.arg(1).arg(0), QStringLiteral("MouseMove(1,0,225,300)"),
                       QStringLiteral("MouseUp(1,0,225,300)"), QStringLiteral("Click()")};
    row("hover") << SurfaceInput::Hover << QStringList{QStringLiteral("MouseMove(0,0,150,300)")};
    row("control A") << SurfaceInput::ControlA
                     << QStringList{QStringLiteral("KeyDown(65,2)"), QStringLiteral("KeyPress(1)"),
                                    QStringLiteral("KeyUp(65,2)")};
    row("return") << SurfaceInput::Return
                  << QStringList{QStringLiteral("KeyDown(13,0)"), QStringLiteral("KeyPress(13)"),
                                 QStringLiteral("KeyUp(13,0)")};
    row("shift alone: no character") << SurfaceInput::ShiftAlone
                                     << QStringList{QStringLiteral("KeyDown(16,1)"), QStringLiteral("KeyUp(16,0)")};
    row("held key: repeats its press, released once")
        << SurfaceInput::HeldKey
        << QStringList{QStringLiteral("KeyDown(88,0)"), QStringLiteral("KeyPress(120)"),
                       QStringLiteral("KeyDown(88,0)"), QStringLiteral("KeyPress(120)"), QStringLiteral("KeyUp(88,0)")};
    row("disabled: nothing") << SurfaceInput::ClickWhileDisabled << QStringList{};
    more(*last);
}
