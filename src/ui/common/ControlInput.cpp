#include "ControlInput.h"

#include <QCursor>
#include <QPixmap>

namespace ControlInput {

qint16 mouseButton(Qt::MouseButtons buttons) {
    qint16 result = 0;
    if (buttons & Qt::LeftButton)
        result |= 1;
    if (buttons & Qt::RightButton)
        result |= 2;
    if (buttons & Qt::MiddleButton)
        result |= 4;
    return result;
}

qint16 shiftState(Qt::KeyboardModifiers modifiers) {
    qint16 result = 0;
    if (modifiers & Qt::ShiftModifier)
        result |= 1;
    if (modifiers & Qt::ControlModifier)
        result |= 2;
    if (modifiers & Qt::AltModifier)
        result |= 4;
    return result;
}

qint16 keyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        qtKey == Qt::Key_Space)
        return qint16(qtKey);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return qint16(112 + (qtKey - Qt::Key_F1));
    return 0;
}

bool applyMousePointer(QWidget* control, qint16 pointer, const QPixmap& icon) {
    static const Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (pointer == 0)
        control->unsetCursor();
    else if (pointer == 99)
        control->setCursor(icon.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(icon));
    else if (pointer > 0 && pointer <= 15)
        control->setCursor(shapes[pointer]);
    else
        return false;
    return true;
}

} // namespace ControlInput
