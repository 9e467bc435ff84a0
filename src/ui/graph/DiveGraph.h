#pragma once

#include "PropertyBag.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class Profile;
class QLabel;

// One thing the graph drew, in twips, as a test or a printout wants to see it.
struct GraphStroke {
    enum Kind { Line, Text, Box };
    Kind kind = Line;
    QPointF from; // a line's start, a text's or a box's top-left corner
    QPointF to;   // a line's end, a box's bottom-right corner
    QColor color;
    int width = 1;
    Qt::PenStyle style = Qt::SolidLine;
    QString text;
};

// The depth profile of one computed dive on a blue-to-black gradient: axes, time and depth grid
// with labels, the MOD line of a nitrox dive, the RGBM deep-stop lines, the profile coloured by
// decompression state and ascent-rate violation, the diver marker that replays the dive step by
// step, and, in depth-change mode, edit handles on the vertices that the user drags to new depths.
//
// Everything is laid out in twips (15 to a pixel): depth d metres lies at
// y = d * depthScale + top of the depth axis, step k at x = left of the depth axis + k * stepWidth.
// Step 0 is the surface before the dive, step s the s-th sample; outside simulation mode one more
// step closes the profile at the surface.
//
// The drawing goes into a persistent image that survives repaints; the rubber band of a drag is
// drawn on a temporary layer above it that the next redraw clears.
//
// The graph reads the profile and its dive only; it knows nothing of where the dive came from.
class DiveGraph : public QWidget {
    Q_OBJECT
public:
    explicit DiveGraph(QWidget* parent = nullptr);
    ~DiveGraph() override;

    static constexpr qint16 SCALE_TWIPS = 1;
    static constexpr qint16 SCALE_PIXELS = 3;
    // Indexes of the user's profile colours.
    static constexpr qint32 PROFILE_COLOR_NORMAL = 0;
    static constexpr qint32 PROFILE_COLOR_ASCENT = 1;
    static constexpr qint32 PROFILE_COLOR_DECO = 2;
    static constexpr qint32 PROFILE_COLOR_DECO_ASCENT = 3;
    // The marker picture, in twips, and how far above the profile point it stands.
    static constexpr int DIVER_WIDTH = 420;
    static constexpr int DIVER_HEIGHT = 195;
    static constexpr int DIVER_RAISE = 40;
    static constexpr int HANDLE_SIZE = 70;
    // Depths a vertex may be dragged to, in metres.
    static constexpr int MAX_EDIT_DEPTH = 150;

    // Stored appearance values: kept, returned and saved; the drawing uses its own colours and font.
    qint32 BackColor() const { return m_backColor; }
    void setBackColor(qint32 color);
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 color);
    // Not the widget's enabled state: the graph answers the mouse whatever this holds.
    bool storedEnabled() const { return m_enabled; }
    void setStoredEnabled(bool enabled);
    QFont storedFont() const { return m_storedFont; }
    void setStoredFont(const QFont& font);
    qint16 BackStyle() const { return m_backStyle; }
    void setBackStyle(qint16 style);
    qint16 BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(qint16 style);

    // The surface's coordinate system: twips (1) or pixels (3), whose width and height follow the
    // size and whose origin is the top-left corner; or a user scale (0), in which the surface's
    // corner and extent are what was set, whatever its size. Setting any of the four below makes
    // the scale a user scale with the others as they were; setting the mode to twips or pixels
    // ends it, and to 0 keeps the present system as a user scale. The drawing lays itself out in
    // the present scale's units.
    qint16 ScaleMode() const { return m_scaleMode; }
    void setScaleMode(qint16 mode);
    double ScaleLeft() const { return m_scaleLeft; }
    void setScaleLeft(double left);
    double ScaleTop() const { return m_scaleTop; }
    void setScaleTop(double top);
    // A width or height of 0 is refused with RuntimeError 380.
    double ScaleWidth() const;
    void setScaleWidth(double width);
    double ScaleHeight() const;
    void setScaleHeight(double height);
    // A user scale whose top-left corner is (x1, y1) and bottom-right corner (x2, y2); a value left
    // out keeps the present one, and none at all brings the surface back to twips.
    void Scale_(std::optional<double> x1 = std::nullopt, std::optional<double> y1 = std::nullopt,
                std::optional<double> x2 = std::nullopt, std::optional<double> y2 = std::nullopt);
    // A width or height converted between scale modes (0 to 8): from himetric and to the present
    // mode when left out. RuntimeError 5 for an unknown mode.
    double ScaleX(double width, std::optional<qint16> fromScale = std::nullopt,
                  std::optional<qint16> toScale = std::nullopt) const;
    double ScaleY(double height, std::optional<qint16> fromScale = std::nullopt,
                  std::optional<qint16> toScale = std::nullopt) const;
    double CurrentX() const { return m_currentX; }
    void setCurrentX(double x);
    double CurrentY() const { return m_currentY; }
    void setCurrentY(double y);
    // Resizes the control; width and height in twips.
    void Size(int width, int height);

    // The diver marker.
    qint16 getCurrentDiverPosition() const { return m_diverStep; }
    // Places the marker on a step and raises DiverMovement; a hidden marker or a step outside the
    // drawn profile changes nothing.
    void moveDiver(qint16 step);
    void moveDiverNext();
    void moveDiverPrevious();
    void setDiverOn(bool on);
    bool isDiverVisible() const;

    // Repaints the surface from the persistent image.
    void Refresh();
    // Lays the graph out and redraws it from the profile's current results.
    void updateGraph();
    // RuntimeError 457 when the graph already holds a profile.
    void addProfile(std::shared_ptr<Profile> crntProfile);
    void resetProfile();
    bool hasProfile() const { return m_profile != nullptr; }
    const std::shared_ptr<Profile>& profile() const { return m_profile; }
    // Depth-change mode: the marker hides and the next drawing puts edit handles on the vertices.
    void setDepthChange(bool on);
    bool SimulationMode() const { return m_simulationMode; }
    void setSimulationMode(bool on);

    // Applies the stored properties a host saved (keys in any letter case, missing ones default).
    void readProperties(const PropertyBag& bag);
    // The stored properties that differ from their defaults.
    PropertyBag writeProperties() const;

    // The layout of the last drawing, in twips.
    QLine asseX() const { return m_asseX; }
    qint32 stepWidth() const { return m_stepWidth; }
    qint32 depthScale() const { return m_depthScale; }
    // Twips per metre while a vertex is dragged.
    qint32 editScale() const;
    // The last index of the vertex arrays minus 1: the last step the marker may take; -2 before any
    // profile with samples was drawn.
    int pointCount() const { return int(m_vertexX.size()) - 2; }
    const std::vector<float>& vertexX() const { return m_vertexX; }
    const std::vector<float>& vertexY() const { return m_vertexY; }
    bool isDragging() const { return m_dragging; }

    // What the drawing and a drag put on the surface, kept while recording is on; cleared at every
    // layout.
    void setRecording(bool on);
    const QList<GraphStroke>& strokes() const { return m_strokes; }
    // The persistent image with the temporary layer over it, as the screen shows it.
    QImage grabSurface() const;

    // The marker picture of a diver icon number; numbers outside 1 to 6 give icon 1.
    static QPixmap diverPicture(qint16 icon);

signals:
    // depth in tenths of a metre (whole metres), step the sample of the dragged vertex.
    void DepthChange(float depth, qint16 step);
    void DiverMovement(qint16 step);
    void Click();
    void DblClick();
    // A stored property was changed through its setter, under its stored key.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class Surface;

    void layoutAndDraw();
    void paintBackground();
    void drawProfile(const Profile& profile);
    void placeDiver(qint16 step);
    void placeMarkerWithMouse(double x);
    void pressInDepthChange(double x, double y);
    void dragTo(double y);
    void releaseDrag(double y);
    // The depth, in whole metres, at a height while dragging.
    qint32 depthAt(double y) const;
    // Twips in one unit of the present scale, along x or y.
    double twipsPerUnit(bool horizontal) const;
    void applyScale(const char* key, double value);
    void applyScaleMode(qint16 mode);
    QPointF surfacePoint(const QPointF& pixels) const;
    QPointF pixelPoint(const QPointF& surface) const;
    void markChanged(const QString& key);

    std::shared_ptr<Profile> m_profile;
    bool m_depthChangeMode = false;
    qint32 m_plotWidth = 0;
    qint32 m_plotHeight = 0;
    qint32 m_stepWidth = 1;
    qint32 m_depthScale = 1;
    float m_dragStartX = 0;
    float m_dragStartY = 0;
    float m_prevVertexX = 0;
    float m_prevVertexY = 0;
    float m_nextVertexX = 0;
    float m_nextVertexY = 0;
    qint16 m_dragStep = 0;
    bool m_dragging = false;
    std::vector<float> m_vertexX;
    std::vector<float> m_vertexY;
    bool m_diverOn = false;
    bool m_simulationMode = false;
    QVariant m_modifyProfile = 0;
    QVariant m_removeProfile = 0;
    qint32 m_backColor = 0;
    qint32 m_foreColor = 0;
    bool m_enabled = false;
    QFont m_storedFont;
    qint16 m_backStyle = 0;
    qint16 m_borderStyle = 0;
    qint16 m_scaleMode = SCALE_TWIPS;
    double m_scaleLeft = 0;
    double m_scaleTop = 0;
    // The extent of a user scale; the other modes take theirs from the size.
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
    double m_currentX = 0;
    double m_currentY = 0;

    QLine m_asseX;
    QLine m_asseY;
    // The persistent image, and the temporary layer a drag draws on while persistence is off.
    QImage m_image;
    QImage m_overlay;
    bool m_autoRedraw = true;
    QLabel* m_diverSprite;
    qint16 m_diverStep = 0;
    bool m_recording = false;
    QList<GraphStroke> m_strokes;
};
