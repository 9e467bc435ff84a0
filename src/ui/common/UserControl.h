#pragma once

#include "PropertyBag.h"

#include <QWidget>

// The surface of the program's own display controls (the dive computer faces, the tissue bars): the
// appearance a host's saved layout keeps, and the keyboard and mouse events of the surface itself,
// passed on to the host with the arguments the host reads. A press or release on an element laid
// over the surface is the element's, not the surface's.
//
// Colours are 32-bit values with red in the low byte; from 0x80000000 up, the low byte names a
// system colour. `Enabled` and `Font` are the widget's own. Every appearance property set through
// its setter (or the widget's) is reported by `propertyChanged` under its stored key.
class UserControl : public QWidget {
    Q_OBJECT
public:
    explicit UserControl(QWidget* parent = nullptr);

    static constexpr qint32 DEFAULT_BACK_COLOR = qint32(0x8000000F);
    static constexpr qint32 DEFAULT_FORE_COLOR = qint32(0x80000012);

    qint32 BackColor() const { return m_backColor; }
    void setBackColor(qint32 color);
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 color);
    // 0 transparent, 1 opaque.
    qint16 BackStyle() const { return m_backStyle; }
    void setBackStyle(qint16 style);
    // 0 none, 1 a single line.
    qint16 BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(qint16 style);

    // Repaints the surface.
    void Refresh();

    // Applies a stored layout's appearance (keys in any letter case; a missing key takes its
    // default, the font the container's). Nothing is reported.
    virtual void readProperties(const PropertyBag& bag);
    // The appearance values that differ from their defaults.
    virtual PropertyBag writeProperties() const;

signals:
    // KeyCode: the host's key code; Shift: 1 shift, 2 control, 4 alt.
    void KeyUp(qint16 keyCode, qint16 shift);
    void Click();
    void DblClick();
    void KeyDown(qint16 keyCode, qint16 shift);
    // A character key, as its character code.
    void KeyPress(qint16 keyAscii);
    // Button: 1 left, 2 right, 4 middle (MouseMove: the buttons held); x and y in twips.
    void MouseDown(qint16 button, qint16 shift, float x, float y);
    void MouseMove(qint16 button, qint16 shift, float x, float y);
    void MouseUp(qint16 button, qint16 shift, float x, float y);
    void propertyChanged(const QString& key);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    template <typename T> void store(T& member, T value, const char* key);
    bool onSurface(const QMouseEvent* event) const;
    void raiseMouse(QMouseEvent* event, void (UserControl::*signal)(qint16, qint16, float, float), qint16 button);

    qint32 m_backColor = DEFAULT_BACK_COLOR;
    qint32 m_foreColor = DEFAULT_FORE_COLOR;
    qint16 m_backStyle = 1;
    qint16 m_borderStyle = 0;
    // While a stored layout is applied, font and enabled changes are not reported.
    bool m_reading = false;
    bool m_pressedOnSurface = false;
    bool m_doubleClicked = false;
};
