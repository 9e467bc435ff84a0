#include "SmartCheckBox.h"

#include "ControlInput.h"
#include "RuntimeError.h"
#include "SurfaceScale.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {
// Design geometry, in twips.
constexpr int DESIGN_WIDTH = 2325;
constexpr int DESIGN_HEIGHT = 345;
constexpr int CAPTION_LEFT = 360;

const QString DESIGN_CAPTION = QStringLiteral("smart check");
constexpr float DEFAULT_SCALE_WIDTH = 1935;
constexpr float DEFAULT_SCALE_HEIGHT = 345;

// The glyph's box starts a pixel above the control and is clipped there.
QRect glyphBox() {
    return QRect(75 / TWIPS_PER_PIXEL, -15 / TWIPS_PER_PIXEL - 1, 180 / TWIPS_PER_PIXEL, 240 / TWIPS_PER_PIXEL);
}

RuntimeError invalidProperty(const char* member) {
    return RuntimeError(RuntimeError::InvalidPropertyValue, QStringLiteral("SmartCheckBox.") + QLatin1String(member),
                        QStringLiteral("Invalid property value"));
}

QColor systemColor(int index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 0x02:
    case 0x0D:
        return palette.color(QPalette::Highlight);
    case 0x03:
        return palette.color(QPalette::Mid);
    case 0x01:
    case 0x0C:
    case 0x10:
        return palette.color(QPalette::Dark);
    case 0x04:
    case 0x05:
        return palette.color(QPalette::Base);
    case 0x06:
    case 0x15:
        return palette.color(QPalette::Shadow);
    case 0x07:
        return palette.color(QPalette::WindowText);
    case 0x08:
    case 0x13:
        return palette.color(QPalette::Text);
    case 0x09:
    case 0x0E:
        return palette.color(QPalette::HighlightedText);
    case 0x11:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x12:
        return palette.color(QPalette::ButtonText);
    case 0x14:
        return palette.color(QPalette::Light);
    case 0x16:
        return palette.color(QPalette::Midlight);
    case 0x17:
        return palette.color(QPalette::ToolTipText);
    case 0x18:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Button);
    }
}

QColor resolveColor(qint32 value) {
    const quint32 v = quint32(value);
    if (v & 0x80000000u)
        return systemColor(int(v & 0xFF));
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QVariant lookup(const QVariantMap& bag, const char* key) {
    for (auto it = bag.begin(); it != bag.end(); ++it) {
        if (it.key().compare(QLatin1String(key), Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return {};
}

qint32 colorValue(const QVariant& stored, qint32 defaultValue) {
    return stored.isValid() ? qint32(quint32(stored.toLongLong())) : defaultValue;
}

} // namespace

SmartCheckBox::SmartCheckBox(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setText(DESIGN_CAPTION);
    resize(DESIGN_WIDTH / TWIPS_PER_PIXEL, DESIGN_HEIGHT / TWIPS_PER_PIXEL);
    // The glyph lives in the left margin; what is left is the caption's, as a host measuring it sees.
    setContentsMargins(CAPTION_LEFT / TWIPS_PER_PIXEL, 0, 0, 0);
}

QSize SmartCheckBox::sizeHint() const {
    return QSize(DESIGN_WIDTH / TWIPS_PER_PIXEL, DESIGN_HEIGHT / TWIPS_PER_PIXEL);
}

// The caption and glyph are transparent, so only the surface's colour ever shows; the colour set
// here is the whole story.
void SmartCheckBox::setBackColor(qint32 color) {
    m_backColor = color;
    update();
    emit propertyChanged(QStringLiteral("BackColor"));
}

void SmartCheckBox::setCaption(const QString& caption) {
    setText(caption);
    emit propertyChanged(QStringLiteral("Caption"));
}

void SmartCheckBox::setCurrentX(float x) {
    m_currentX = x;
    emit propertyChanged(QStringLiteral("CurrentX"));
}

void SmartCheckBox::setCurrentY(float y) {
    m_currentY = y;
    emit propertyChanged(QStringLiteral("CurrentY"));
}

void SmartCheckBox::applyDrawStyle(qint16 style, const char* member) {
    if (style < 0 || style > 6)
        throw invalidProperty(member);
    m_drawStyle = style;
}

void SmartCheckBox::setDrawStyle(qint16 style) {
    applyDrawStyle(style, "DrawStyle");
    emit propertyChanged(QStringLiteral("DrawStyle"));
}

void SmartCheckBox::setForeColor(qint32 color) {
    m_foreColor = color;
    update();
    emit propertyChanged(QStringLiteral("ForeColor"));
}

QPixmap SmartCheckBox::Image() const {
    QPixmap image(size());
    image.fill(backgroundColor());
    return image;
}

void SmartCheckBox::applyMousePointer(qint16 pointer, const char* member) {
    if (!ControlInput::applyMousePointer(this, pointer))
        throw invalidProperty(member);
    m_mousePointer = pointer;
}

void SmartCheckBox::setMousePointer(qint16 pointer) {
    applyMousePointer(pointer, "MousePointer");
    emit propertyChanged(QStringLiteral("MousePointer"));
}

float SmartCheckBox::widthTwips() const {
    return float(width() * TWIPS_PER_PIXEL);
}

float SmartCheckBox::heightTwips() const {
    return float(height() * TWIPS_PER_PIXEL);
}

void SmartCheckBox::enterUserScale() {
    if (m_scaleMode == SCALE_USER)
        return;
    m_scaleLeft = 0;
    m_scaleTop = 0;
    m_scaleWidth = widthTwips();
    m_scaleHeight = heightTwips();
    m_scaleMode = SCALE_USER;
}

float SmartCheckBox::ScaleHeight() const {
    return m_scaleMode == SCALE_USER ? m_scaleHeight : heightTwips();
}

void SmartCheckBox::setScaleHeight(float height) {
    if (height == 0)
        throw invalidProperty("ScaleHeight");
    enterUserScale();
    m_scaleHeight = height;
    emit propertyChanged(QStringLiteral("ScaleHeight"));
}

float SmartCheckBox::ScaleLeft() const {
    return m_scaleMode == SCALE_USER ? m_scaleLeft : 0;
}

void SmartCheckBox::setScaleLeft(float left) {
    enterUserScale();
    m_scaleLeft = left;
    emit propertyChanged(QStringLiteral("ScaleLeft"));
}

float SmartCheckBox::ScaleWidth() const {
    return m_scaleMode == SCALE_USER ? m_scaleWidth : widthTwips();
}

void SmartCheckBox::setScaleWidth(float width) {
    if (width == 0)
        throw invalidProperty("ScaleWidth");
    enterUserScale();
    m_scaleWidth = width;
    emit propertyChanged(QStringLiteral("ScaleWidth"));
}

float SmartCheckBox::ScaleTop() const {
    return m_scaleMode == SCALE_USER ? m_scaleTop : 0;
}

void SmartCheckBox::setScaleTop(float top) {
    enterUserScale();
    m_scaleTop = top;
    emit propertyChanged(QStringLiteral("ScaleTop"));
}

float SmartCheckBox::twipsPerUnit(qint16 mode, bool horizontal, const char* member) const {
    const double user = m_scaleMode != SCALE_USER ? 1.0
                        : horizontal              ? double(widthTwips() / m_scaleWidth)
                                                  : double(heightTwips() / m_scaleHeight);
    return float(
        SurfaceScale::twipsPerUnit(mode, horizontal, user, QStringLiteral("SmartCheckBox.") + QLatin1String(member)));
}

float SmartCheckBox::ScaleX(float width, std::optional<qint16> fromScale, std::optional<qint16> toScale) const {
    return width * twipsPerUnit(fromScale.value_or(SCALE_HIMETRIC), true, "ScaleX") /
           twipsPerUnit(toScale.value_or(m_scaleMode), true, "ScaleX");
}

float SmartCheckBox::ScaleY(float height, std::optional<qint16> fromScale, std::optional<qint16> toScale) const {
    return height * twipsPerUnit(fromScale.value_or(SCALE_HIMETRIC), false, "ScaleY") /
           twipsPerUnit(toScale.value_or(m_scaleMode), false, "ScaleY");
}

void SmartCheckBox::Size(float width, float height) {
    resize(qRound(width / TWIPS_PER_PIXEL), qRound(height / TWIPS_PER_PIXEL));
}

float SmartCheckBox::TextHeight(const QString& text) const {
    const qsizetype lines = text.count(u'\n') + 1;
    return ScaleY(float(fontMetrics().height() * lines), SCALE_PIXELS);
}

float SmartCheckBox::TextWidth(const QString& text) const {
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, fontMetrics().horizontalAdvance(line));
    return ScaleX(float(widest), SCALE_PIXELS);
}

void SmartCheckBox::setToolTipText(const QString& text) {
    setToolTip(text);
    emit propertyChanged(QStringLiteral("ToolTipText"));
}

void SmartCheckBox::applyValue(qint16 value, const char* member) {
    if (value < 0 || value > 2)
        throw invalidProperty(member);
    m_value = value;
}

void SmartCheckBox::setValue(qint16 value) {
    applyValue(value, "value");
    emit propertyChanged(QStringLiteral("Value"));
}

void SmartCheckBox::setViewMode(qint16 mode) {
    m_viewMode = mode;
    emit propertyChanged(QStringLiteral("viewMode"));
    update();
}

QString SmartCheckBox::glyph() const {
    switch (m_viewMode) {
    case 1:
        return QStringLiteral("\u2714");
    case 2:
        return QStringLiteral("\u25CF");
    default:
        return QString();
    }
}

QColor SmartCheckBox::backgroundColor() const {
    return resolveColor(m_backColor);
}

QColor SmartCheckBox::captionColor() const {
    return resolveColor(m_foreColor);
}

void SmartCheckBox::readProperties(const QVariantMap& bag) {
    const bool wasReading = m_reading;
    m_reading = true;
    try {
        m_backColor = colorValue(lookup(bag, "BackColor"), DEFAULT_BACK_COLOR);
        const QVariant caption = lookup(bag, "Caption");
        setText(caption.isValid() ? caption.toString() : DESIGN_CAPTION);
        m_currentX = lookup(bag, "CurrentX").toFloat();
        m_currentY = lookup(bag, "CurrentY").toFloat();
        applyDrawStyle(qint16(lookup(bag, "DrawStyle").toInt()), "ReadProperties");
        // Without a stored font the caption takes its host's.
        const QVariant font = lookup(bag, "Font");
        setFont(font.isValid() ? font.value<QFont>() : QFont());
        m_foreColor = colorValue(lookup(bag, "ForeColor"), DEFAULT_FORE_COLOR);
        applyMousePointer(qint16(lookup(bag, "MousePointer").toInt()), "ReadProperties");

        const QVariant scaleHeight = lookup(bag, "ScaleHeight");
        const QVariant scaleWidth = lookup(bag, "ScaleWidth");
        const float h = scaleHeight.isValid() ? scaleHeight.toFloat() : DEFAULT_SCALE_HEIGHT;
        const float w = scaleWidth.isValid() ? scaleWidth.toFloat() : DEFAULT_SCALE_WIDTH;
        if (h == 0 || w == 0)
            throw invalidProperty("ReadProperties");
        enterUserScale();
        m_scaleHeight = h;
        m_scaleLeft = lookup(bag, "ScaleLeft").toFloat();
        m_scaleWidth = w;
        m_scaleTop = lookup(bag, "ScaleTop").toFloat();

        setToolTip(lookup(bag, "ToolTipText").toString());
        applyValue(qint16(lookup(bag, "Value").toInt()), "ReadProperties");
        m_viewMode = qint16(lookup(bag, "viewMode").toInt());
        const QVariant enabled = lookup(bag, "Enabled");
        setEnabled(enabled.isValid() ? enabled.toBool() : true);
    } catch (...) {
        m_reading = wasReading;
        throw;
    }
    m_reading = wasReading;
    update();
}

QVariantMap SmartCheckBox::writeProperties() const {
    QVariantMap bag;
    if (m_backColor != DEFAULT_BACK_COLOR)
        bag.insert(QStringLiteral("BackColor"), m_backColor);
    if (text() != DESIGN_CAPTION)
        bag.insert(QStringLiteral("Caption"), text());
    if (m_currentX != 0)
        bag.insert(QStringLiteral("CurrentX"), m_currentX);
    if (m_currentY != 0)
        bag.insert(QStringLiteral("CurrentY"), m_currentY);
    if (m_drawStyle != 0)
        bag.insert(QStringLiteral("DrawStyle"), m_drawStyle);
    const QFont ambient = parentWidget() ? parentWidget()->font() : QApplication::font();
    if (font() != ambient)
        bag.insert(QStringLiteral("Font"), font());
    if (m_foreColor != DEFAULT_FORE_COLOR)
        bag.insert(QStringLiteral("ForeColor"), m_foreColor);
    if (m_mousePointer != 0)
        bag.insert(QStringLiteral("MousePointer"), m_mousePointer);
    if (ScaleHeight() != DEFAULT_SCALE_HEIGHT)
        bag.insert(QStringLiteral("ScaleHeight"), ScaleHeight());
    if (ScaleLeft() != 0)
        bag.insert(QStringLiteral("ScaleLeft"), ScaleLeft());
    if (ScaleWidth() != DEFAULT_SCALE_WIDTH)
        bag.insert(QStringLiteral("ScaleWidth"), ScaleWidth());
    if (ScaleTop() != 0)
        bag.insert(QStringLiteral("ScaleTop"), ScaleTop());
    if (!toolTip().isEmpty())
        bag.insert(QStringLiteral("ToolTipText"), toolTip());
    if (m_value != 0)
        bag.insert(QStringLiteral("Value"), m_value);
    if (m_viewMode != 0)
        bag.insert(QStringLiteral("viewMode"), m_viewMode);
    if (!isEnabled())
        bag.insert(QStringLiteral("Enabled"), false);
    return bag;
}

bool SmartCheckBox::event(QEvent* event) {
    // An "&" in the caption must not turn a key press into a click.
    if (event->type() == QEvent::Shortcut)
        return true;
    return QAbstractButton::event(event);
}

void SmartCheckBox::changeEvent(QEvent* event) {
    if (!m_reading) {
        if (event->type() == QEvent::FontChange)
            emit propertyChanged(QStringLiteral("Font"));
        else if (event->type() == QEvent::EnabledChange)
            emit propertyChanged(QStringLiteral("Enabled"));
    }
    QAbstractButton::changeEvent(event);
}

void SmartCheckBox::paintEvent(QPaintEvent*) {
    emit Paint();
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor());

    const QString mark = glyph();
    if (!mark.isEmpty()) {
        // Red whether the caption is enabled or not.
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
        painter.setPen(QColor(255, 0, 0));
        painter.drawText(glyphBox(), Qt::AlignCenter | Qt::TextDontClip, mark);
    }

    // The caption runs to the control's right edge and is clipped there.
    painter.setFont(font());
    painter.setPen(isEnabled() ? captionColor() : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, text());
}

void SmartCheckBox::raiseMouse(QMouseEvent* event, void (SmartCheckBox::*signal)(qint16, qint16, float, float),
                               qint16 button) {
    const QPointF pos = event->position();
    const float x = ScaleLeft() + float(pos.x() * TWIPS_PER_PIXEL) / twipsPerUnit(m_scaleMode, true, "MouseEvent");
    const float y = ScaleTop() + float(pos.y() * TWIPS_PER_PIXEL) / twipsPerUnit(m_scaleMode, false, "MouseEvent");
    emit(this->*signal)(button, ControlInput::shiftState(event->modifiers()), x, y);
    event->accept();
}

void SmartCheckBox::mousePressEvent(QMouseEvent* event) {
    raiseMouse(event, &SmartCheckBox::MouseDown, ControlInput::mouseButton(event->button()));
}

void SmartCheckBox::mouseMoveEvent(QMouseEvent* event) {
    raiseMouse(event, &SmartCheckBox::MouseMove, ControlInput::mouseButton(event->buttons()));
}

void SmartCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    raiseMouse(event, &SmartCheckBox::MouseUp, ControlInput::mouseButton(event->button()));
}
