#include "xpButton.h"

#include "ControlInput.h"
#include "Numeric.h"
#include "PropertyBag.h"
#include "RuntimeError.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>

namespace {
constexpr int HOVER_INTERVAL_MS = 5;
constexpr int GRADIENT_DEPTH = 25;
constexpr int CAPTION_FLAGS = Qt::TextWordWrap | Qt::TextShowMnemonic;

const QColor BORDER(0, 60, 115);
const QColor BORDER_CORNER(16, 77, 123);

// The frame lines of the hover and focus looks, in drawing order: the outlined frame, the bottom,
// the top, the line under the top, the left and the right inner lines.
struct FrameColors {
    QColor frame, bottom, top, belowTop, left, right;
};
const FrameColors HOVER = {QColor(255, 178, 49),  QColor(231, 150, 0),   QColor(255, 243, 206),
                           QColor(255, 219, 140), QColor(255, 203, 107), QColor(255, 203, 107)};
const FrameColors FOCUS = {QColor(140, 174, 231), QColor(107, 130, 239), QColor(206, 231, 255),
                           QColor(189, 215, 247), QColor(181, 209, 240), QColor(181, 209, 240)};

int clampByte(int v) {
    return std::clamp(v, 0, 255);
}
} // namespace

xpButton::xpButton(QWidget* parent, const QString& name) : QWidget(parent), OverTimer(new QTimer(this)) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    OverTimer->setInterval(HOVER_INTERVAL_MS);
    connect(OverTimer, &QTimer::timeout, this, &xpButton::OverTimer_Timer);
    pointerPosition = [] { return QCursor::pos(); };

    m_lastButton = 1;
    setDefaultColors();
    // A new instance: enabled, with the focus frame, captioned with its name, in its host's font.
    m_captionText = name;
    setAccessKeys();
    resize(DESIGN_WIDTH, DESIGN_HEIGHT);
    // A hidden window hears of its size only when shown; the image is wanted before that.
    applySize();
}

xpButton::~xpButton() = default;

// ---------------------------------------------------------------------------------------------
// Properties

void xpButton::setCaption(const QString& caption) {
    m_captionText = caption;
    setAccessKeys();
    calcTextRect();
    drawButton(STATE_NORMAL, true);
    emit propertyChanged(QStringLiteral("TX"));
}

void xpButton::fontChanged() {
    calcTextRect();
    drawButton(STATE_NORMAL, true);
}

namespace {
template <typename F> void changeFontQuietly(xpButton* button, bool& quiet, F&& change) {
    QFont f = button->font();
    change(f);
    quiet = true;
    button->setFont(f);
    quiet = false;
}
} // namespace

void xpButton::setFontBold(bool bold) {
    changeFontQuietly(this, m_quietFont, [bold](QFont& f) { f.setBold(bold); });
    fontChanged();
}

void xpButton::setFontItalic(bool italic) {
    changeFontQuietly(this, m_quietFont, [italic](QFont& f) { f.setItalic(italic); });
    fontChanged();
}

void xpButton::setFontUnderline(bool underline) {
    changeFontQuietly(this, m_quietFont, [underline](QFont& f) { f.setUnderline(underline); });
    fontChanged();
}

qint16 xpButton::FontSize() const {
    return qint16(num::roundHalfEven(font().pointSizeF()));
}

void xpButton::setFontSize(qint16 points) {
    changeFontQuietly(this, m_quietFont, [points](QFont& f) { f.setPointSize(points); });
    fontChanged();
}

void xpButton::setFontName(const QString& name) {
    changeFontQuietly(this, m_quietFont, [&name](QFont& f) { f.setFamily(name); });
    fontChanged();
}

void xpButton::setMousePointer(qint16 pointer) {
    if (!ControlInput::applyMousePointer(this, pointer, m_mouseIcon))
        throw RuntimeError(380, QStringLiteral("xpButton.MousePointer"), QStringLiteral("Invalid property value"));
    m_mousePointer = pointer;
    emit propertyChanged(QStringLiteral("MPTR"));
}

void xpButton::setMouseIcon(const QPixmap& icon) {
    m_mouseIcon = icon;
    if (m_mousePointer == 99)
        ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
    emit propertyChanged(QStringLiteral("MICON"));
}

void xpButton::Refresh() {
    drawButton(m_lastState, true);
}

void xpButton::setDefault(bool on) {
    m_isDefault = on;
    drawButton(m_lastState, true);
}

bool xpButton::hoverTimerActive() const {
    return OverTimer->isActive();
}

void xpButton::readProperties(const PropertyBag& bag) {
    m_reading = true;
    try {
        m_captionText = bag.read(QStringLiteral("TX"), QString()).toString();
        m_enabledState = bag.read(QStringLiteral("ENAB"), true).toBool();
        setFont(bag.read(QStringLiteral("FONT"), font()).value<QFont>());
        m_showFocusFrame = bag.read(QStringLiteral("FOCUSR"), true).toBool();
        const auto pointer = qint16(bag.read(QStringLiteral("MPTR"), 0).toInt());
        m_mouseIcon = bag.read(QStringLiteral("MICON"), QPixmap()).value<QPixmap>();
        if (!ControlInput::applyMousePointer(this, pointer, m_mouseIcon))
            throw RuntimeError(380, QStringLiteral("xpButton.ReadProperties"),
                               QStringLiteral("Invalid property value"));
        m_mousePointer = pointer;
        setEnabled(m_enabledState);
    } catch (...) {
        m_reading = false;
        throw;
    }
    m_reading = false;
    setDefaultColors();
    setAccessKeys();
    fontChanged();
}

void xpButton::writeProperties(PropertyBag& bag) const {
    bag.write(QStringLiteral("TX"), m_captionText);
    bag.write(QStringLiteral("ENAB"), m_enabledState);
    bag.write(QStringLiteral("FONT"), font());
    bag.write(QStringLiteral("FOCUSR"), m_showFocusFrame);
    bag.write(QStringLiteral("MPTR"), m_mousePointer);
    bag.write(QStringLiteral("MICON"), m_mouseIcon);
}

// ---------------------------------------------------------------------------------------------
// Shapes and colours

void xpButton::setDefaultColors() {
    m_faceColor = QColor(192, 192, 192);
    m_textColor = Qt::black;
    m_hoverTextColor = Qt::black;
}

QColor xpButton::offsetColor(const QColor& color, int offset) {
    const int blue = color.blue();
    return QColor(clampByte(color.red() + offset), clampByte(color.green() + offset),
                  clampByte(blue + blue * offset / 192));
}

QString xpButton::accessKeyOf(const QString& caption) {
    if (caption.size() < 2)
        return {};
    qsizetype at = caption.indexOf(u'&');
    if (at < 0 || at == caption.size() - 1)
        return {};
    if (caption.at(at + 1) != u'&')
        return caption.at(at + 1).toLower();
    // "&&" shows one ampersand: look for a single one after the pair.
    at = caption.indexOf(u'&', at + 2);
    if (at < 0 || at == caption.size() - 1 || caption.at(at + 1) == u'&')
        return {};
    return caption.at(at + 1).toLower();
}

void xpButton::setAccessKeys() {
    m_accessKey = accessKeyOf(m_captionText);
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    if (!m_accessKey.isEmpty())
        m_shortcutId = grabShortcut(QKeySequence(QStringLiteral("Alt+") + m_accessKey.toUpper()));
}

void xpButton::calcTextRect() {
    const QRect available(QPoint(1, 0), QPoint(m_widthPx - 3, m_heightPx - 3));
    const QRect measured = QFontMetrics(font()).boundingRect(available, CAPTION_FLAGS, m_captionText);
    // Right and bottom edges exclusive, as the measure gives them.
    const int right = 1 + measured.width();
    const int bottom = measured.height();
    m_textRect =
        QRect(1, 0, measured.width(), measured.height()).translated((m_widthPx - right) / 2, (m_heightPx - bottom) / 2);
    m_pressedTextRect = m_textRect.translated(1, 1);
}

void xpButton::makeRegion() {
    const int w = m_widthPx;
    const int h = m_heightPx;
    QRegion region(0, 0, w, h);
    const QPoint cut[] = {{0, 0},     {1, 0},     {0, 1},     {0, h - 1},     {1, h - 1},     {0, h - 2},
                          {w - 2, 0}, {w - 1, 0}, {w - 1, 1}, {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}};
    for (const QPoint& p : cut)
        region -= QRegion(p.x(), p.y(), 1, 1);
    setMask(region);
}

// ---------------------------------------------------------------------------------------------
// Drawing into the kept image

void xpButton::fillRect(int left, int top, int width, int height, const QColor& color) {
    const QRect area = QRect(left, top, width, height) & m_image.rect();
    const QRgb rgb = color.rgb();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            m_image.setPixel(x, y, rgb);
    }
}

void xpButton::frameRect(int left, int top, int width, int height, const QColor& color) {
    if (width <= 0 || height <= 0)
        return;
    fillRect(left, top, width, 1, color);
    fillRect(left, top + height - 1, width, 1, color);
    fillRect(left, top, 1, height, color);
    fillRect(left + width - 1, top, 1, height, color);
}

void xpButton::drawPixel(int x, int y, const QColor& color) {
    if (m_image.rect().contains(x, y))
        m_image.setPixel(x, y, color.rgb());
}

void xpButton::drawLine(int x1, int y1, int x2, int y2, const QColor& color) {
    // A solid line without its end point; every line of the button runs along an axis, the
    // stepping below also serves any other.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        drawPixel(x, y, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void xpButton::drawCaption(const QRect& rect, const QColor& color) {
    QPainter painter(&m_image);
    // Whole pixels in the caption's own colour, as the rest of the button is drawn.
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    QFont captionFont = font();
    captionFont.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(captionFont);
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignHCenter | CAPTION_FLAGS, m_captionText);
}

void xpButton::drawButton(int state, bool forced) {
    if (!forced && m_captionText == m_lastCaption && state == m_lastState)
        return;
    if (m_heightPx == 0)
        return;
    m_lastState = state;
    m_lastCaption = m_captionText;
    if (m_widthPx <= 0 || m_heightPx < 0) {
        m_image = QImage();
        update();
        return;
    }
    const int w = m_widthPx;
    const int h = m_heightPx;
    m_image = QImage(w, h, QImage::Format_RGB32);
    fillRect(0, 0, w, h, m_faceColor);
    const QColor c1 = offsetColor(m_faceColor, 48);

    if (!m_enabledState) {
        fillRect(0, 0, w, h, offsetColor(c1, -24));
        drawCaption(m_textRect, offsetColor(c1, -104));
        frameRect(0, 0, w, h, offsetColor(c1, -84));
        for (const QPoint& p : {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
            drawPixel(p.x(), p.y(), offsetColor(c1, -72));
        update();
        return;
    }

    const QColor captionColor = m_isOver ? m_hoverTextColor : m_textColor;
    const float step = float(GRADIENT_DEPTH) / float(h);
    const auto shade = [step](int i) { return -int(num::roundHalfEven(double(float(i) * step))); };
    const auto border = [&] {
        frameRect(0, 0, w, h, BORDER);
        for (const QPoint& p : {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
            drawPixel(p.x(), p.y(), BORDER_CORNER);
    };

    if (state == STATE_NORMAL) {
        for (int i = 1; i <= h; ++i)
            drawLine(0, i, w, i, offsetColor(c1, shade(i)));
        drawCaption(m_textRect, captionColor);
        border();
        drawEdges(c1);
    } else if (state == STATE_PRESSED) {
        const QColor c2 = offsetColor(c1, -32);
        for (int i = 1; i <= h; ++i)
            drawLine(0, h - i, w, h - i, offsetColor(c2, shade(i)));
        drawCaption(m_pressedTextRect, m_textColor);
        border();
        drawLine(2, h - 2, w - 2, h - 2, offsetColor(c2, 16));
        drawLine(1, h - 3, w - 2, h - 3, offsetColor(c2, 10));
        drawLine(w - 2, 2, w - 2, h - 2, offsetColor(c2, 5));
        drawLine(w - 3, 3, w - 3, h - 3, c2);
        drawLine(2, 1, w - 2, 1, offsetColor(c2, -32));
        drawLine(1, 2, w - 2, 2, offsetColor(c2, -24));
        drawLine(1, 2, 1, h - 2, offsetColor(c2, -32));
        drawLine(2, 2, 2, h - 2, offsetColor(c2, -22));
    }
    update();
}

void xpButton::drawEdges(const QColor& c1) {
    const int w = m_widthPx;
    const int h = m_heightPx;
    const bool focusLook = (m_hasFocus || m_isDefault) && m_showFocusFrame;
    if (m_isOver || focusLook) {
        const FrameColors& c = m_isOver ? HOVER : FOCUS;
        frameRect(1, 2, w - 2, h - 4, c.frame);
        drawLine(2, h - 2, w - 2, h - 2, c.bottom);
        drawLine(2, 1, w - 2, 1, c.top);
        drawLine(1, 2, w - 1, 2, c.belowTop);
        drawLine(2, 3, 2, h - 3, c.left);
        drawLine(w - 3, 3, w - 3, h - 3, c.right);
        return;
    }
    drawLine(2, h - 2, w - 2, h - 2, offsetColor(c1, -48));
    drawLine(1, h - 3, w - 2, h - 3, offsetColor(c1, -32));
    drawLine(w - 2, 2, w - 2, h - 2, offsetColor(c1, -36));
    drawLine(w - 3, 3, w - 3, h - 3, offsetColor(c1, -24));
    drawLine(2, 1, w - 2, 1, offsetColor(c1, 16));
    drawLine(1, 2, w - 2, 2, offsetColor(c1, 10));
    drawLine(1, 2, 1, h - 2, offsetColor(c1, -5));
    drawLine(2, 3, 2, h - 3, offsetColor(c1, -10));
}

void xpButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), m_faceColor);
    else
        painter.drawImage(0, 0, m_image);
}

// ---------------------------------------------------------------------------------------------
// Notifications from the window

void xpButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applySize();
}

void xpButton::applySize() {
    m_widthPx = width();
    m_heightPx = height();
    calcTextRect();
    makeRegion();
    if (m_heightPx > 0)
        drawButton(STATE_NORMAL, true);
}

bool xpButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        clicked();
        return true;
    }
    return QWidget::event(event);
}

void xpButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        // A disabled host takes the input away, not the button's own state.
        const bool enabled = !testAttribute(Qt::WA_ForceDisabled);
        if (m_reading || enabled == m_enabledState)
            return;
        m_enabledState = enabled;
        drawButton(STATE_NORMAL, true);
        emit propertyChanged(QStringLiteral("ENAB"));
    } else if (event->type() == QEvent::FontChange) {
        if (m_quietFont || m_reading)
            return;
        fontChanged();
        if (testAttribute(Qt::WA_SetFont))
            emit propertyChanged(QStringLiteral("FONT"));
    }
}

void xpButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_hasFocus = true;
    drawButton(m_lastState, true);
}

void xpButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_hasFocus = false;
    drawButton(m_lastState, true);
}

void xpButton::pressed(qint16 button, qint16 shift, float x, float y) {
    emit MouseDown(button, shift, x, y);
    m_lastButton = button;
    if (button != 2)
        drawButton(STATE_PRESSED);
}

void xpButton::released(qint16 button, qint16 shift, float x, float y) {
    emit MouseUp(button, shift, x, y);
    if (button != 2)
        drawButton(STATE_NORMAL);
}

void xpButton::clicked() {
    if (m_lastButton != 1 || !m_enabledState)
        return;
    drawButton(STATE_NORMAL, true);
    repaint();
    emit Click();
}

void xpButton::mousePressEvent(QMouseEvent* event) {
    m_doubleClicked = false;
    const QPointF pos = event->position();
    pressed(ControlInput::mouseButton(event->button()), ControlInput::shiftState(event->modifiers()), float(pos.x()),
            float(pos.y()));
}

void xpButton::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click comes as the double click alone.
    m_doubleClicked = true;
    if (m_lastButton == 1)
        pressed(1, 1, 1, 1);
}

void xpButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    released(ControlInput::mouseButton(event->button()), ControlInput::shiftState(event->modifiers()), float(pos.x()),
             float(pos.y()));
    // A click is a press and a release over the button; the release ending a double click is none.
    const bool doubleClicked = m_doubleClicked;
    m_doubleClicked = false;
    if (!doubleClicked && rect().contains(pos.toPoint()))
        clicked();
}

void xpButton::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    const qint16 buttons = ControlInput::mouseButton(event->buttons());
    emit MouseMove(buttons, ControlInput::shiftState(event->modifiers()), float(pos.x()), float(pos.y()));
    if (buttons != 0 && buttons != 1)
        return;
    const bool inside = pos.x() >= 0 && pos.x() <= m_widthPx && pos.y() >= 0 && pos.y() <= m_heightPx;
    if (!inside) {
        drawButton(STATE_NORMAL);
    } else if (buttons == 1) {
        drawButton(STATE_PRESSED);
    } else if (!m_isOver) {
        OverTimer->start();
        m_isOver = true;
        emit MouseOver();
        drawButton(STATE_NORMAL, true);
    }
}

void xpButton::OverTimer_Timer() {
    // The cut corners belong to the window behind the button.
    if (QApplication::widgetAt(pointerPosition()) == this)
        return;
    OverTimer->stop();
    m_isOver = false;
    drawButton(STATE_NORMAL, true);
    emit MouseOut();
}

void xpButton::keyPressEvent(QKeyEvent* event) {
    const qint16 code = ControlInput::keyCode(event->key(), event->modifiers());
    emit KeyDown(code, ControlInput::shiftState(event->modifiers()));
    m_lastKey = code;
    switch (code) {
    case 32:
        pressed(1, 1, 1, 1);
        break;
    case 39:
    case 40:
        focusNextChild();
        break;
    case 37:
    case 38:
        focusPreviousChild();
        break;
    default:
        break;
    }
    if (!event->text().isEmpty())
        emit KeyPress(qint16(event->text().at(0).unicode()));
}

void xpButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    const qint16 code = ControlInput::keyCode(event->key(), event->modifiers());
    emit KeyUp(code, ControlInput::shiftState(event->modifiers()));
    if (m_lastKey == 32 && code == 32) {
        released(1, 1, 1, 1);
        m_lastButton = 1;
        clicked();
    }
}
