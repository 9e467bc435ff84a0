#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>

// The parts a face is made of: labels, images that show one picture of the face's picture list,
// and rounded outlines. Positions are in twips, as the device layouts are measured.

// An image element: shows picture `picture()` of its face's list (0: none).
class FaceImage : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int picture READ picture)
public:
    explicit FaceImage(QWidget* parent = nullptr);
    int picture() const { return m_picture; }
    void setPicture(int index, const QPixmap& pixmap);
    void clearPicture() { setPicture(0, QPixmap()); }
    // A stretched image fills its element; another keeps the picture's own size.
    void setStretch(bool stretch) { m_stretch = stretch; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_picture = 0;
    bool m_stretch = false;
    QPixmap m_pixmap;
};

// The ascent-rate symbol of the photographed face: its text is a glyph of the device's symbol set
// ("_" three rising chevrons, "-" two, ";" one), painted here as those chevrons in `place`, a part
// of the element (which reaches beyond the display, as the glyph's box does).
class FaceSymbol : public QLabel {
    Q_OBJECT
public:
    explicit FaceSymbol(QWidget* parent = nullptr);
    void setPlace(const QRect& place) { m_place = place; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect m_place;
};

// A rounded-rectangle outline.
class FaceShape : public QWidget {
    Q_OBJECT
public:
    explicit FaceShape(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

enum class FaceFont { Digits, Letters, Caption };
enum class LabelStyle { Transparent, Opaque, WhiteOnBlack };

// The layout of one element as a face's table gives it: where it lies and how it first shows.
struct LabelLayout {
    const char* name;
    int index; // -1: not an indexed element
    int left, top, width, height;
    FaceFont font;
    double points;
    bool bold;
    const char* text;
    Qt::Alignment align;
    int tip; // string id, 0: none
    bool shown;
    LabelStyle style;
};

struct ImageLayout {
    const char* name;
    int index;
    int left, top, width, height;
    int picture; // design picture, 0: none
    int tip;
    bool shown;
    bool stretch;
};

struct ShapeLayout {
    const char* name;
    int left, top, width, height;
    bool shown;
};

// Shorthands for the element tables of the faces.
namespace facelayout {
constexpr auto L = Qt::AlignLeft;
constexpr auto R = Qt::AlignRight;
constexpr auto C = Qt::AlignHCenter;
constexpr auto D = FaceFont::Digits;
constexpr auto K = FaceFont::Letters;
constexpr auto T = FaceFont::Caption;
constexpr auto clear = LabelStyle::Transparent;
constexpr auto opaque = LabelStyle::Opaque;
constexpr auto inverse = LabelStyle::WhiteOnBlack;
} // namespace facelayout

namespace faceelements {

QString elementName(const char* name, int index);
// The face's font of a kind: seven- or fourteen-segment digits (a monospaced font when those are
// not installed) or the caption font.
QFont font(FaceFont kind, double points, bool bold);
// The largest size up to `font`'s own at which `text` fits in `box`; digit fonts are wider than
// the device's, so the fields keep their places and the digits shrink.
QFont fitted(const QFont& font, const QString& text, QSize box);

} // namespace faceelements
