#include "UserControl.h"

#include "ControlInput.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

UserControl::UserControl(QWidget* parent) : QWidget(parent) {
    // A click gives the surface the keyboard, so that its key events can reach the host.
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
}

template <typename T> void UserControl::store(T& member, T value, const char* key) {
    member = value;
    update();
    emit propertyChanged(QLatin1String(key));
}

void UserControl::setBackColor(qint32 color) {
    store(m_backColor, color, "BackColor");
}

void UserControl::setForeColor(qint32 color) {
    store(m_foreColor, color, "ForeColor");
}

void UserControl::setBackStyle(qint16 style) {
    store(m_backStyle, style, "BackStyle");
}

void UserControl::setBorderStyle(qint16 style) {
    store(m_borderStyle, style, "BorderStyle");
}

void UserControl::Refresh() {
    update();
}

void UserControl::readProperties(const PropertyBag& bag) {
    m_reading = true;
    m_backColor = bag.read(QStringLiteral("BackColor"), DEFAULT_BACK_COLOR).toInt();
    m_foreColor = bag.read(QStringLiteral("ForeColor"), DEFAULT_FORE_COLOR).toInt();
    setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    const QFont ambient = parentWidget() ? parentWidget()->font() : QApplication::font();
    setFont(bag.read(QStringLiteral("Font"), ambient).value<QFont>());
    m_backStyle = qint16(bag.read(QStringLiteral("BackStyle"), 1).toInt());
    m_borderStyle = qint16(bag.read(QStringLiteral("BorderStyle"), 0).toInt());
    m_reading = false;
    update();
}

PropertyBag UserControl::writeProperties() const {
    PropertyBag bag;
    bag.write(QStringLiteral("BackColor"), m_backColor, DEFAULT_BACK_COLOR);
    bag.write(QStringLiteral("ForeColor"), m_foreColor, DEFAULT_FORE_COLOR);
    bag.write(QStringLiteral("Enabled"), isEnabled(), true);
    bag.write(QStringLiteral("Font"), font(), parentWidget() ? parentWidget()->font() : QApplication::font());
    bag.write(QStringLiteral("BackStyle"), m_backStyle, qint16(1));
    bag.write(QStringLiteral("BorderStyle"), m_borderStyle, qint16(0));
    return bag;
}

void UserControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (m_reading)
        return;
    if (event->type() == QEvent::EnabledChange)
        emit propertyChanged(QStringLiteral("Enabled"));
    else if (event->type() == QEvent::FontChange)
        emit propertyChanged(QStringLiteral("Font"));
}

void UserControl::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(ControlInput::keyCode(event->key(), event->modifiers()), ControlInput::shiftState(event->modifiers()));
    if (!event->text().isEmpty())
        emit KeyPress(qint16(event->text().at(0).unicode()));
}

void UserControl::keyReleaseEvent(QKeyEvent* event) {
    // A key held down repeats its KeyDown alone; it is released once.
    if (event->isAutoRepeat())
        return;
    emit KeyUp(ControlInput::keyCode(event->key(), event->modifiers()), ControlInput::shiftState(event->modifiers()));
}

bool UserControl::onSurface(const QMouseEvent* event) const {
    // Elements that take no mouse of their own (outlines) are part of the surface.
    return childAt(event->position().toPoint()) == nullptr;
}

void UserControl::raiseMouse(QMouseEvent* event, void (UserControl::*signal)(qint16, qint16, float, float),
                             qint16 button) {
    const QPointF at = event->position() * TWIPS_PER_PIXEL;
    emit(this->*signal)(button, ControlInput::shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

void UserControl::mousePressEvent(QMouseEvent* event) {
    m_pressedOnSurface = onSurface(event);
    if (m_pressedOnSurface)
        raiseMouse(event, &UserControl::MouseDown, ControlInput::mouseButton(event->button()));
}

void UserControl::mouseMoveEvent(QMouseEvent* event) {
    // A button pressed on the surface keeps the mouse there until it is released.
    if (m_pressedOnSurface || onSurface(event))
        raiseMouse(event, &UserControl::MouseMove, ControlInput::mouseButton(event->buttons()));
}

void UserControl::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pressedOnSurface)
        return;
    m_pressedOnSurface = event->buttons() != Qt::NoButton;
    raiseMouse(event, &UserControl::MouseUp, ControlInput::mouseButton(event->button()));
    // The release of a double click's second press ends it without another click.
    if (!m_doubleClicked && onSurface(event) && rect().contains(event->position().toPoint()))
        emit Click();
    m_doubleClicked = false;
}

void UserControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is the double click itself.
    m_pressedOnSurface = onSurface(event);
    m_doubleClicked = m_pressedOnSurface;
    if (m_pressedOnSurface)
        emit DblClick();
}
