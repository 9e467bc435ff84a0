#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <functional>

class PropertyBag;
class QTimer;

// A flat push button that paints every pixel itself into a kept image: a light face darkening
// downwards, a dark blue border with cut corners, an orange frame under the pointer, a blue frame
// with the focus (or as its host's default button), a reversed darker face with the caption moved
// one pixel right and down while pressed, and a washed-out face when disabled.
//
// Its window is `QWidget`'s: `setEnabled` is the Enabled property, `font()`/`setFont` the font.
// A property set through the control is reported by `propertyChanged` with its stored key, so that
// a host that saves layouts knows to store it. Pixels throughout.
class xpButton : public QWidget {
    Q_OBJECT
public:
    // A new instance takes `name` as its object name and its caption, and its host's font.
    explicit xpButton(QWidget* parent = nullptr, const QString& name = QString());
    ~xpButton() override;

    static constexpr int DESIGN_WIDTH = 48;
    static constexpr int DESIGN_HEIGHT = 45;
    // The drawn states.
    static constexpr int STATE_NORMAL = 0;
    static constexpr int STATE_PRESSED = 2;

    QString Caption() const { return m_captionText; }
    void setCaption(const QString& caption);
    bool Enabled() const { return m_enabledState; }
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool bold);
    bool FontItalic() const { return font().italic(); }
    void setFontItalic(bool italic);
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool underline);
    // Whole points, rounded.
    qint16 FontSize() const;
    void setFontSize(qint16 points);
    QString FontName() const { return font().family(); }
    void setFontName(const QString& name);
    // 0 to 15 and 99 (the custom pointer `MouseIcon`); RuntimeError 380 otherwise.
    qint16 MousePointer() const { return m_mousePointer; }
    void setMousePointer(qint16 pointer);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    // Draws the last drawn state again, even when nothing changed.
    void Refresh();

    // Whether the host treats the control as its default button: it then wears the focus frame.
    void setDefault(bool on);

    // Caption, enabled state, font, focus frame, pointer shape and pointer picture under "TX",
    // "ENAB", "FONT", "FOCUSR", "MPTR" and "MICON"; a missing key takes its default.
    void readProperties(const PropertyBag& bag);
    // Every one of the six, defaults included.
    void writeProperties(PropertyBag& bag) const;

    // The caption's Alt key in lower case; empty when it has none.
    QString accessKey() const { return m_accessKey; }
    // The kept image the window shows.
    QImage Image() const { return m_image; }
    int lastState() const { return m_lastState; }
    bool isOver() const { return m_isOver; }
    // The mouse button of the last press: 1 left, 2 right, 4 middle.
    qint16 lastButton() const { return m_lastButton; }
    bool hoverTimerActive() const;
    // Where the caption goes when not pressed, in pixels, right and bottom edges exclusive.
    QRect textRect() const { return m_textRect; }

    // The shade of a colour `offset` lighter (negative: darker); blue moves by blue × offset / 192.
    static QColor offsetColor(const QColor& color, int offset);
    // The access key of a caption as the Alt key would reach it: the character after the first
    // single "&", lower case; none after a doubled "&&" unless a single one follows.
    static QString accessKeyOf(const QString& caption);

    // Where the pointer is, on the screen; the hover check asks it. Tests put a script here.
    std::function<QPoint()> pointerPosition;

    QSize sizeHint() const override { return {DESIGN_WIDTH, DESIGN_HEIGHT}; }

signals:
    void propertyChanged(const QString& key);
    void Click();
    // Button 1 left, 2 right, 4 middle (MouseMove: the buttons held); Shift 1 shift, 2 control,
    // 4 alt; x and y in pixels.
    void MouseDown(qint16 button, qint16 shift, float x, float y);
    void MouseMove(qint16 button, qint16 shift, float x, float y);
    void MouseUp(qint16 button, qint16 shift, float x, float y);
    void KeyPress(qint16 keyAscii);
    void KeyDown(qint16 keyCode, qint16 shift);
    void KeyUp(qint16 keyCode, qint16 shift);
    void MouseOver();
    void MouseOut();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void setDefaultColors();
    void setAccessKeys();
    void calcTextRect();
    void makeRegion();
    void applySize();
    void drawButton(int state, bool forced = false);
    void drawEdges(const QColor& c1);
    void drawCaption(const QRect& rect, const QColor& color);
    void fillRect(int left, int top, int width, int height, const QColor& color);
    void frameRect(int left, int top, int width, int height, const QColor& color);
    void drawLine(int x1, int y1, int x2, int y2, const QColor& color);
    void drawPixel(int x, int y, const QColor& color);
    void pressed(qint16 button, qint16 shift, float x, float y);
    void released(qint16 button, qint16 shift, float x, float y);
    void clicked();
    void OverTimer_Timer();
    void fontChanged();

    QString m_captionText;
    bool m_enabledState = true;
    bool m_showFocusFrame = true;
    bool m_hasFocus = false;
    bool m_isOver = false;
    bool m_isDefault = false;
    qint16 m_lastButton = 1;
    qint16 m_lastKey = 0;
    int m_lastState = STATE_NORMAL;
    QString m_lastCaption;
    int m_widthPx = 0;
    int m_heightPx = 0;
    QRect m_textRect;
    QRect m_pressedTextRect;
    QColor m_faceColor;
    QColor m_textColor;
    QColor m_hoverTextColor;
    qint16 m_mousePointer = 0;
    QPixmap m_mouseIcon;
    QString m_accessKey;
    int m_shortcutId = 0;
    QImage m_image;
    QTimer* OverTimer;
    // Font changes made by the font members or a stored layout are not reported as "FONT".
    bool m_quietFont = false;
    // Set while a stored layout is applied: nothing is reported.
    bool m_reading = false;
    // The release that ends a double click is no second click.
    bool m_doubleClicked = false;
};
