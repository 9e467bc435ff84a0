#pragma once

#include "SurfaceScale.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QVariantMap>
#include <optional>

// A read-only flag indicator: one line of caption preceded by a red glyph, a check mark for
// `viewMode` 1, a filled dot for 2, nothing for any other value. A click changes nothing: the
// control only reports mouse activity. `value` is kept for the host's stored layout and plays no
// part in what is shown.
//
// A button class, so that the window localiser gives it its caption from its "tag" like any other
// captioned control. `Enabled` is QWidget's enabled state: a disabled control greys its caption only.
// The caption font is the widget's font.
//
// Colours are 32-bit values with red in the low byte; from 0x80000000 up, the low byte names a
// system colour (0x0F the button face, 0x12 the button text).
//
// Every property set through its setter is reported by `propertyChanged` with its stored key, so
// that a host that saves layouts knows to store it. Geometry is in twips, 15 to a pixel.
class SmartCheckBox : public QAbstractButton {
    Q_OBJECT
public:
    explicit SmartCheckBox(QWidget* parent = nullptr);

    // Scale modes of the drawing surface.
    static constexpr qint16 SCALE_USER = SurfaceScale::USER;
    static constexpr qint16 SCALE_TWIPS = SurfaceScale::TWIPS;
    static constexpr qint16 SCALE_POINTS = SurfaceScale::POINTS;
    static constexpr qint16 SCALE_PIXELS = SurfaceScale::PIXELS;
    static constexpr qint16 SCALE_CHARACTERS = SurfaceScale::CHARACTERS;
    static constexpr qint16 SCALE_INCHES = SurfaceScale::INCHES;
    static constexpr qint16 SCALE_MILLIMETERS = SurfaceScale::MILLIMETERS;
    static constexpr qint16 SCALE_CENTIMETERS = SurfaceScale::CENTIMETERS;
    static constexpr qint16 SCALE_HIMETRIC = SurfaceScale::HIMETRIC;

    static constexpr qint32 DEFAULT_BACK_COLOR = qint32(0x8000000F);
    static constexpr qint32 DEFAULT_FORE_COLOR = qint32(0x80000012);

    qint32 BackColor() const { return m_backColor; }
    void setBackColor(qint32 color);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    float CurrentX() const { return m_currentX; }
    void setCurrentX(float x);
    float CurrentY() const { return m_currentY; }
    void setCurrentY(float y);
    // 0 to 6; RuntimeError 380 otherwise.
    qint16 DrawStyle() const { return m_drawStyle; }
    void setDrawStyle(qint16 style);
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 color);
    // The surface's persistent image: its background, since nothing draws on it.
    QPixmap Image() const;
    // 0 to 15 and 99 (custom, shown as the arrow); RuntimeError 380 otherwise.
    qint16 MousePointer() const { return m_mousePointer; }
    void setMousePointer(qint16 pointer);
    // Setting any of the four makes the scale a user scale; a width or height of 0 is refused
    // (RuntimeError 380).
    float ScaleHeight() const;
    void setScaleHeight(float height);
    float ScaleLeft() const;
    void setScaleLeft(float left);
    float ScaleWidth() const;
    void setScaleWidth(float width);
    float ScaleTop() const;
    void setScaleTop(float top);
    // A width or height converted between scale modes: from himetric and to the current mode when
    // left out. RuntimeError 5 for an unknown mode.
    float ScaleX(float width, std::optional<qint16> fromScale = std::nullopt,
                 std::optional<qint16> toScale = std::nullopt) const;
    float ScaleY(float height, std::optional<qint16> fromScale = std::nullopt,
                 std::optional<qint16> toScale = std::nullopt) const;
    // In twips.
    void Size(float width, float height);
    // In the current scale.
    float TextHeight(const QString& text) const;
    float TextWidth(const QString& text) const;
    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& text);
    // 0 unchecked, 1 checked, 2 grey, as a check box holds it; RuntimeError 380 otherwise.
    qint16 value() const { return m_value; }
    void setValue(qint16 value);
    // Kept as given: 3 or -1 read back as 3 or -1 and show no glyph. Reported even when unchanged.
    qint16 viewMode() const { return m_viewMode; }
    void setViewMode(qint16 mode);

    // The glyph shown: "✔", "●" or "".
    QString glyph() const;
    // The resolved colours.
    QColor backgroundColor() const;
    QColor captionColor() const;

    // Applies a stored layout; keys ignore letter case, a missing key takes its default. Colours as
    // numbers, the font as a QFont. Nothing is reported.
    void readProperties(const QVariantMap& bag);
    // The properties that differ from their defaults, under their stored keys.
    QVariantMap writeProperties() const;

    QSize sizeHint() const override;

signals:
    void propertyChanged(const QString& key);
    // Button: 1 left, 2 right, 4 middle (MouseMove: the buttons held); Shift: 1 shift, 2 control,
    // 4 alt; x and y in the current scale.
    void MouseDown(qint16 button, qint16 shift, float x, float y);
    void MouseMove(qint16 button, qint16 shift, float x, float y);
    void MouseUp(qint16 button, qint16 shift, float x, float y);
    void Paint();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyMousePointer(qint16 pointer, const char* member);
    void applyValue(qint16 value, const char* member);
    void applyDrawStyle(qint16 style, const char* member);
    void enterUserScale();
    float twipsPerUnit(qint16 mode, bool horizontal, const char* member) const;
    float widthTwips() const;
    float heightTwips() const;
    void raiseMouse(QMouseEvent* event, void (SmartCheckBox::*signal)(qint16, qint16, float, float), qint16 button);

    qint32 m_backColor = DEFAULT_BACK_COLOR;
    qint32 m_foreColor = DEFAULT_FORE_COLOR;
    float m_currentX = 0;
    float m_currentY = 0;
    qint16 m_drawStyle = 0;
    qint16 m_mousePointer = 0;
    qint16 m_scaleMode = SCALE_TWIPS;
    float m_scaleLeft = 0;
    float m_scaleTop = 0;
    float m_scaleWidth = 0;
    float m_scaleHeight = 0;
    qint16 m_value = 0;
    qint16 m_viewMode = 0;
    // While a stored layout is applied, font and enabled changes are not reported.
    bool m_reading = false;
};
