#pragma once

#include <QWidget>

// How the program's own controls report mouse buttons, modifier keys and key codes to their hosts,
// and how they take the host's pointer-shape numbers.
namespace ControlInput {

// 1 left, 2 right, 4 middle, added together for several buttons.
qint16 mouseButton(Qt::MouseButtons buttons);
// 1 shift, 2 control, 4 alt, added together.
qint16 shiftState(Qt::KeyboardModifiers modifiers);
// The host's virtual key code of a key: letters and digits as their upper-case character codes, the
// keypad's keys apart from the top row's (told by Qt::KeypadModifier), punctuation as the keys of a US
// layout whether shifted or not; 0 for a key the hosts have no code for.
qint16 keyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Pointer shape numbers: 0 the default, 1 to 15 the standard shapes, 99 the control's own picture
// (`icon`, the arrow without one). False, and nothing changed, for any other number.
bool applyMousePointer(QWidget* control, qint16 pointer, const QPixmap& icon = QPixmap());

} // namespace ControlInput
