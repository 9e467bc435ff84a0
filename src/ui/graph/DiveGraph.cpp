#include "DiveGraph.h"

#include "Dive.h"
#include "GraphColors.h"
#include "Internationalization.h"
#include "Numeric.h"
#include "Profile.h"
#include "PropertyBag.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SurfaceScale.h"
#include "Twips.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

const QColor WHITE = graphcolors::palette16(15);
const QColor LIGHT_GREY = graphcolors::palette16(7);
const QColor LIGHT_RED = graphcolors::palette16(12);
const QColor YELLOW = graphcolors::palette16(14);

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// Depth labels: one decimal at most, the locale's separator, a blank where a sign would stand.
QString depthLabel(double metres) {
    const double shown = num::roundHalfEven(double(Internationalization::instance().getDepthValue(float(metres))), 1);
    return u' ' + num::singleToText(float(shown));
}

qint32 roundedTwips(double v) {
    return num::toInt32(v);
}

} // namespace

// Draws in twips on the graph's persistent image, or on its temporary layer while a drag runs,
// and keeps a record of what it drew when the graph records.
class DiveGraph::Surface {
public:
    explicit Surface(DiveGraph& graph)
        : m_graph(graph), m_painter(graph.m_autoRedraw ? &graph.m_image : &graph.m_overlay) {
        m_painter.setFont(QFont(QStringLiteral("Tahoma"), 8));
    }

    void line(double x1, double y1, double x2, double y2, const QColor& color, int width, Qt::PenStyle style) {
        m_painter.setPen(QPen(color, width, style, Qt::FlatCap));
        m_painter.drawLine(toPixels(x1, y1), toPixels(x2, y2));
        record({GraphStroke::Line, {x1, y1}, {x2, y2}, color, width, style, {}});
    }
    void text(double x, double y, const QString& text, const QColor& color) {
        m_painter.setPen(color);
        const QPointF at = toPixels(x, y);
        m_painter.drawText(QRectF(at, QSizeF(400, 100)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
        record({GraphStroke::Text, {x, y}, {x, y}, color, 1, Qt::SolidLine, text});
    }
    void box(double x, double y, double size, const QColor& color) {
        m_painter.fillRect(QRectF(toPixels(x, y), toPixels(x + size, y + size)), color);
        record({GraphStroke::Box, {x, y}, {x + size, y + size}, color, 1, Qt::SolidLine, {}});
    }
    QPainter& painter() { return m_painter; }

private:
    QPointF toPixels(double x, double y) const { return m_graph.pixelPoint({x, y}); }
    void record(const GraphStroke& stroke) {
        if (m_graph.m_recording)
            m_graph.m_strokes.append(stroke);
    }

    DiveGraph& m_graph;
    QPainter m_painter;
};

DiveGraph::DiveGraph(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DiveGraph1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A refused release leaves the rubber band following the mouse with no button held.
    setMouseTracking(true);
    m_storedFont = font();
    m_diverSprite = new QLabel(this);
    m_diverSprite->setObjectName(QStringLiteral("diverSprite"));
    m_diverSprite->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_diverSprite->setPixmap(diverPicture(Settings::instance().currentDiverIcon()));
    m_diverSprite->resize(Twips::pixels(DIVER_WIDTH), Twips::pixels(DIVER_HEIGHT));
    m_diverSprite->hide();
}

DiveGraph::~DiveGraph() = default;

QPixmap DiveGraph::diverPicture(qint16 icon) {
    // One wetsuit colour per icon, the same swimming figure, head to the right.
    static const QColor suits[] = {QColor(20, 20, 20),   QColor(200, 30, 30), QColor(30, 80, 200),
                                   QColor(240, 190, 20), QColor(30, 150, 60), QColor(230, 120, 200)};
    const QColor suit = suits[(icon >= 1 && icon <= 6) ? icon - 1 : 0];
    QPixmap pixmap(28, 13);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 160, 170));
    p.drawRoundedRect(QRectF(8, 1.5, 11, 4), 1.5, 1.5); // tank
    p.setBrush(suit);
    p.drawRoundedRect(QRectF(6, 4.5, 15, 5), 2.5, 2.5); // body
    p.setPen(QPen(suit, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 6), QPointF(2.5, 4));
    p.drawLine(QPointF(7, 8.5), QPointF(2.5, 10));
    p.setPen(QPen(QColor(250, 250, 250), 1.6, Qt::SolidLine, Qt::RoundCap)); // fins
    p.drawLine(QPointF(2.5, 4), QPointF(0.8, 1.5));
    p.drawLine(QPointF(2.5, 10), QPointF(0.8, 12.3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 195, 165));
    p.drawEllipse(QRectF(20.5, 3.5, 6, 6)); // head
    p.setBrush(QColor(120, 210, 240));
    p.drawRect(QRectF(24.5, 4.5, 2.5, 2.5)); // mask
    return pixmap;
}

// --- stored values ---------------------------------------------------------------------------

void DiveGraph::markChanged(const QString& key) {
    emit propertyChanged(key);
}

void DiveGraph::setBackColor(qint32 color) {
    m_backColor = color;
    markChanged(QStringLiteral("BackColor"));
}

void DiveGraph::setForeColor(qint32 color) {
    m_foreColor = color;
    markChanged(QStringLiteral("ForeColor"));
}

void DiveGraph::setStoredEnabled(bool enabled) {
    m_enabled = enabled;
    markChanged(QStringLiteral("Enabled"));
}

void DiveGraph::setStoredFont(const QFont& font) {
    m_storedFont = font;
    markChanged(QStringLiteral("Font"));
}

void DiveGraph::setBackStyle(qint16 style) {
    m_backStyle = style;
    markChanged(QStringLiteral("BackStyle"));
}

void DiveGraph::setBorderStyle(qint16 style) {
    m_borderStyle = style;
    markChanged(QStringLiteral("BorderStyle"));
}

void DiveGraph::setSimulationMode(bool on) {
    m_simulationMode = on;
    markChanged(QStringLiteral("setSimulationMode"));
}

void DiveGraph::setCurrentX(double x) {
    m_currentX = x;
    markChanged(QStringLiteral("CurrentX"));
}

void DiveGraph::setCurrentY(double y) {
    m_currentY = y;
    markChanged(QStringLiteral("CurrentY"));
}

void DiveGraph::setScaleMode(qint16 mode) {
    applyScaleMode(mode);
    markChanged(QStringLiteral("ScaleMode"));
}

void DiveGraph::applyScaleMode(qint16 mode) {
    if (mode == SurfaceScale::USER) {
        // The present system, kept whatever the size does from now on.
        if (m_scaleMode != SurfaceScale::USER) {
            m_scaleWidth = ScaleWidth();
            m_scaleHeight = ScaleHeight();
            m_scaleMode = SurfaceScale::USER;
        }
        return;
    }
    // Only the two fixed modes our hosts use; any other keeps the surface in twips.
    m_scaleMode = mode == SCALE_PIXELS ? SCALE_PIXELS : SCALE_TWIPS;
    m_scaleLeft = 0;
    m_scaleTop = 0;
}

namespace {
// A surface of no width or no height has no coordinate system, nor one that is not a number.
void refuseValue(QLatin1String key, double value, bool isExtent) {
    if (!std::isfinite(value) || (isExtent && value == 0))
        throw RuntimeError(RuntimeError::InvalidPropertyValue, QStringLiteral("DiveGraph.") + key,
                           QStringLiteral("Invalid property value"));
}
} // namespace

void DiveGraph::applyScale(const char* key, double value) {
    const QLatin1String name(key);
    refuseValue(name, value, name == "ScaleWidth" || name == "ScaleHeight");
    applyScaleMode(SurfaceScale::USER);
    if (name == "ScaleLeft")
        m_scaleLeft = value;
    else if (name == "ScaleTop")
        m_scaleTop = value;
    else if (name == "ScaleWidth")
        m_scaleWidth = value;
    else
        m_scaleHeight = value;
}

void DiveGraph::setScaleLeft(double left) {
    applyScale("ScaleLeft", left);
    markChanged(QStringLiteral("ScaleLeft"));
}

void DiveGraph::setScaleTop(double top) {
    applyScale("ScaleTop", top);
    markChanged(QStringLiteral("ScaleTop"));
}

void DiveGraph::setScaleWidth(double width) {
    applyScale("ScaleWidth", width);
    markChanged(QStringLiteral("ScaleWidth"));
}

void DiveGraph::setScaleHeight(double height) {
    applyScale("ScaleHeight", height);
    markChanged(QStringLiteral("ScaleHeight"));
}

void DiveGraph::Scale_(std::optional<double> x1, std::optional<double> y1, std::optional<double> x2,
                       std::optional<double> y2) {
    if (!x1 && !y1 && !x2 && !y2) {
        applyScaleMode(SCALE_TWIPS);
        return;
    }
    const double left = x1.value_or(ScaleLeft());
    const double top = y1.value_or(ScaleTop());
    const double width = x2.value_or(ScaleLeft() + ScaleWidth()) - left;
    const double height = y2.value_or(ScaleTop() + ScaleHeight()) - top;
    // A refused call changes nothing.
    refuseValue(QLatin1String("Scale"), left, false);
    refuseValue(QLatin1String("Scale"), top, false);
    refuseValue(QLatin1String("ScaleWidth"), width, true);
    refuseValue(QLatin1String("ScaleHeight"), height, true);
    applyScale("ScaleLeft", left);
    applyScale("ScaleTop", top);
    applyScale("ScaleWidth", width);
    applyScale("ScaleHeight", height);
}

double DiveGraph::twipsPerUnit(bool horizontal) const {
    if (m_scaleMode == SurfaceScale::USER)
        return horizontal ? Twips::twips(width()) / m_scaleWidth : Twips::twips(height()) / m_scaleHeight;
    return m_scaleMode == SCALE_PIXELS ? double(TWIPS_PER_PIXEL) : 1.0;
}

double DiveGraph::ScaleWidth() const {
    return m_scaleMode == SurfaceScale::USER ? m_scaleWidth : Twips::twips(width()) / twipsPerUnit(true);
}

double DiveGraph::ScaleHeight() const {
    return m_scaleMode == SurfaceScale::USER ? m_scaleHeight : Twips::twips(height()) / twipsPerUnit(false);
}

double DiveGraph::ScaleX(double width, std::optional<qint16> fromScale, std::optional<qint16> toScale) const {
    return SurfaceScale::convert(width, fromScale.value_or(SurfaceScale::HIMETRIC), toScale.value_or(m_scaleMode), true,
                                 twipsPerUnit(true), QStringLiteral("DiveGraph.ScaleX"));
}

double DiveGraph::ScaleY(double height, std::optional<qint16> fromScale, std::optional<qint16> toScale) const {
    return SurfaceScale::convert(height, fromScale.value_or(SurfaceScale::HIMETRIC), toScale.value_or(m_scaleMode),
                                 false, twipsPerUnit(false), QStringLiteral("DiveGraph.ScaleY"));
}

QPointF DiveGraph::pixelPoint(const QPointF& surface) const {
    return {(surface.x() - m_scaleLeft) * twipsPerUnit(true) / TWIPS_PER_PIXEL,
            (surface.y() - m_scaleTop) * twipsPerUnit(false) / TWIPS_PER_PIXEL};
}

QPointF DiveGraph::surfacePoint(const QPointF& pixels) const {
    return {m_scaleLeft + pixels.x() * TWIPS_PER_PIXEL / twipsPerUnit(true),
            m_scaleTop + pixels.y() * TWIPS_PER_PIXEL / twipsPerUnit(false)};
}

void DiveGraph::Size(int width, int height) {
    resize(Twips::pixels(width), Twips::pixels(height));
}

void DiveGraph::readProperties(const PropertyBag& bag) {
    m_backColor = bag.read(QStringLiteral("BackColor"), 0).toInt();
    m_foreColor = bag.read(QStringLiteral("ForeColor"), 0).toInt();
    m_enabled = bag.read(QStringLiteral("Enabled"), false).toBool();
    m_storedFont = bag.read(QStringLiteral("Font"), font()).value<QFont>();
    m_backStyle = qint16(bag.read(QStringLiteral("BackStyle"), 0).toInt());
    m_borderStyle = qint16(bag.read(QStringLiteral("BorderStyle"), 0).toInt());
    // The surface values, the scale mode last: it decides the coordinate system.
    m_currentX = bag.read(QStringLiteral("CurrentX"), 0).toDouble();
    m_currentY = bag.read(QStringLiteral("CurrentY"), 0).toDouble();
    // The stored system is a user scale until the stored mode says otherwise; a fixed mode gives
    // the extent back to the size. A value that makes no system is passed over.
    const auto applyStored = [&](const char* key, double fallback) {
        try {
            applyScale(key, bag.read(QLatin1String(key), fallback).toDouble());
        } catch (const RuntimeError&) {
        }
    };
    applyStored("ScaleLeft", 0);
    applyStored("ScaleTop", 0);
    applyStored("ScaleWidth", 384);
    applyStored("ScaleHeight", 290);
    applyScaleMode(qint16(bag.read(QStringLiteral("ScaleMode"), SCALE_PIXELS).toInt()));
    m_modifyProfile = bag.read(QStringLiteral("modifyProfile"), 0);
    m_removeProfile = bag.read(QStringLiteral("removeProfile"), 0);
    m_diverOn = bag.read(QStringLiteral("setDiverOn"), false).toBool();
    m_simulationMode = bag.read(QStringLiteral("setSimulationMode"), false).toBool();
}

PropertyBag DiveGraph::writeProperties() const {
    PropertyBag bag;
    bag.write(QStringLiteral("BackColor"), m_backColor, 0);
    bag.write(QStringLiteral("ForeColor"), m_foreColor, 0);
    bag.write(QStringLiteral("Enabled"), m_enabled, false);
    bag.write(QStringLiteral("Font"), m_storedFont, parentWidget() ? parentWidget()->font() : font());
    bag.write(QStringLiteral("BackStyle"), m_backStyle, qint16(0));
    bag.write(QStringLiteral("BorderStyle"), m_borderStyle, qint16(0));
    bag.write(QStringLiteral("CurrentX"), m_currentX, 0.0);
    bag.write(QStringLiteral("CurrentY"), m_currentY, 0.0);
    bag.write(QStringLiteral("ScaleLeft"), m_scaleLeft, 0.0);
    bag.write(QStringLiteral("ScaleTop"), m_scaleTop, 0.0);
    bag.write(QStringLiteral("ScaleWidth"), ScaleWidth(), 384.0);
    bag.write(QStringLiteral("ScaleHeight"), ScaleHeight(), 290.0);
    bag.write(QStringLiteral("ScaleMode"), m_scaleMode, SCALE_PIXELS);
    bag.write(QStringLiteral("modifyProfile"), m_modifyProfile, 0);
    bag.write(QStringLiteral("removeProfile"), m_removeProfile, 0);
    bag.write(QStringLiteral("setDiverOn"), m_diverOn, false);
    bag.write(QStringLiteral("setSimulationMode"), m_simulationMode, false);
    return bag;
}

// --- profile and drawing ---------------------------------------------------------------------

void DiveGraph::addProfile(std::shared_ptr<Profile> crntProfile) {
    if (m_profile)
        throw RuntimeError(RuntimeError::KeyAlreadyHeld, QStringLiteral("DiveGraph.addProfile"),
                           QStringLiteral("This key is already associated with an element of this collection"));
    m_profile = std::move(crntProfile);
}

void DiveGraph::resetProfile() {
    m_profile.reset();
}

void DiveGraph::Refresh() {
    update();
}

void DiveGraph::updateGraph() {
    layoutAndDraw();
}

void DiveGraph::setRecording(bool on) {
    m_recording = on;
    m_strokes.clear();
}

void DiveGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Nothing may leave an event: a profile that fails to draw leaves what was drawn before the
    // failure, and the host's own redraw reports it.
    try {
        layoutAndDraw();
    } catch (const std::exception&) {
    }
}

void DiveGraph::layoutAndDraw() {
    const QSize pixels = size().expandedTo(QSize(1, 1));
    if (m_image.size() != pixels) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        m_overlay = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    }
    m_overlay.fill(Qt::transparent);
    m_strokes.clear();
    // A user scale may measure the surface in units too large to lay out.
    const int w = int(std::clamp(ScaleWidth(), -1e9, 1e9));
    const int h = int(std::clamp(ScaleHeight(), -1e9, 1e9));
    m_asseY = QLine(600, 300, 600, h - 600);
    m_asseX = QLine(600, h - 600, w - 300, h - 600);
    paintBackground();
    try {
        if (m_profile)
            drawProfile(*m_profile);
    } catch (...) {
        update();
        throw;
    }
    update();
}

void DiveGraph::paintBackground() {
    QPainter painter(&m_image);
    QLinearGradient gradient(0, 0, 0, m_image.height());
    gradient.setColorAt(0, QColor(0, 0, 255));
    gradient.setColorAt(1, QColor(0, 0, 0));
    painter.fillRect(m_image.rect(), gradient);
}

void DiveGraph::drawProfile(const Profile& profile) {
    if (!profile.wasElaborated()) {
        Seams::message().show(QStringLiteral("[DiveGraph].drawProfile: Profilo non elaborato"), Msg::Critical,
                              QString());
        return;
    }
    const std::shared_ptr<Dive> dive = profile.getCurrentDive();
    const qint16 diveTime = dive->getDiveTime();
    const int n = dive->getSamplesCount();
    if (n == 0)
        return;
    const int pointCount = n + (m_simulationMode ? 0 : 1);
    const double maxDepth = profile.getMaxDepth(qint16(n));
    m_vertexX.assign(size_t(pointCount) + 2, 0.0F);
    m_vertexY.assign(size_t(pointCount) + 2, 0.0F);

    m_plotWidth = m_asseX.x2() - m_asseX.x1();
    m_plotHeight = m_asseY.y2() - m_asseY.y1();
    // A graph shrunk to a few pixels, or a dive at the surface, still draws: neither scale goes below
    // one twip.
    m_depthScale = maxDepth > 0 ? std::max(1, roundedTwips(m_plotHeight / maxDepth)) : 1;
    m_stepWidth = std::max(1, m_plotWidth / pointCount);
    const int top = m_asseY.y1();
    qint32 depthLineY[4];
    depthLineY[0] = top;
    for (int k = 1; k < 4; ++k)
        depthLineY[k] = roundedTwips(maxDepth / 4 * m_depthScale + depthLineY[k - 1]);

    const bool freeDive = dive->isFreeDive();
    int gridStep;
    if (freeDive) {
        gridStep = std::max(1, int(num::roundHalfEven(n / 4.0)));
    } else {
        gridStep = diveTime < 30 ? 3 : diveTime < 60 ? 6 : diveTime < 90 ? 9 : diveTime < 120 ? 12 : 15;
    }

    Surface s(*this);
    const int left = m_asseX.x1();
    const int right = m_asseX.x2();
    const int axisY = m_asseX.y1();
    const int bottom = m_asseY.y2();
    s.line(left, axisY + 200, right, axisY + 200, WHITE, 2, Qt::SolidLine);
    s.line(m_asseY.x1(), top, m_asseY.x1(), bottom + 200, WHITE, 2, Qt::SolidLine);
    s.line(right, top, right, bottom + 200, LIGHT_GREY, 2, Qt::SolidLine);

    for (int w = 1; w <= pointCount + 1; ++w) {
        if (w % gridStep != 0)
            continue;
        const int x = left + w * m_stepWidth;
        s.line(x, top, x, bottom + 200, LIGHT_GREY, 1, Qt::SolidLine);
        if (freeDive) {
            const int t = 4 * w;
            s.text(x, axisY + 190, twoDigits(t / 60) + u':' + twoDigits(t % 60), WHITE);
        } else if (w % (5 * gridStep) == 0) {
            s.text(x, axisY + 190, QString::number(w / 3), WHITE);
        }
    }

    for (int y : depthLineY) {
        s.line(left, y, right, y, LIGHT_GREY, 1, Qt::SolidLine);
        s.text(left - 455, y, depthLabel(double(y - top) / m_depthScale), WHITE);
    }
    s.text(left - 455, axisY - 30, depthLabel(maxDepth), WHITE);

    if (dive->getNitroxMixture() > 0 && dive->isNitrox()) {
        const double mod = 10 * (dive->getPPO2() / (dive->getNitroxMixture() / 100.0) - 1);
        const double y = mod * m_depthScale + top;
        if (y < bottom + 200)
            s.line(left, y, right, y, LIGHT_RED, 1, Qt::DashDotDotLine);
    }
    if (Settings::instance().isCurrentDiveComputerRGBM() && !freeDive) {
        for (qint16 deepStop : {profile.getDeepStop1(), profile.getDeepStop2()}) {
            if (deepStop == -1)
                continue;
            const double y = double(deepStop) * m_depthScale + top;
            if (y < bottom + 200)
                s.line(left, y, right, y, YELLOW, 1, Qt::DashDotDotLine);
        }
    }

    const Settings& settings = Settings::instance();
    const bool plain = !freeDive && !dive->hasStop() && !dive->isBottomTime();
    QColor colors[4];
    for (int c = 0; c < 4; ++c)
        colors[c] = graphcolors::fromStored(settings.getProfileColor(c));
    int startX = m_asseY.x1();
    int startY = top;
    for (int i = 1; i <= pointCount; ++i) {
        const float depth = profile.getDepth(qint16(i));
        const bool deco = plain && profile.getDecoFlag(qint16(i)) != 0;
        const bool fast = plain && i > 3 && profile.getMaxVelocity(qint16(i)) == 5;
        const int endX = startX + m_stepWidth;
        const int endY = roundedTwips(double(depth) * m_depthScale + top);
        m_vertexX[size_t(i)] = float(startX);
        m_vertexY[size_t(i)] = float(startY);
        const qint32 color = !plain         ? PROFILE_COLOR_NORMAL
                             : deco && fast ? PROFILE_COLOR_DECO_ASCENT
                             : fast         ? PROFILE_COLOR_ASCENT
                             : deco         ? PROFILE_COLOR_DECO
                                            : PROFILE_COLOR_NORMAL;
        s.line(startX, startY, endX, endY, colors[color], 2, Qt::SolidLine);
        if (m_depthChangeMode && i > 1)
            s.box(startX, startY, HANDLE_SIZE, WHITE);
        startX = endX;
        startY = endY;
    }
    const size_t last = size_t(pointCount) + 1;
    m_vertexX[last] = float(startX);
    m_vertexY[last] = m_simulationMode ? float(startY) : float(top);
    if (m_depthChangeMode)
        s.box(m_vertexX[last], m_vertexY[last], HANDLE_SIZE, WHITE);
    else
        m_diverSprite->show();
}

void DiveGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(0, 0, m_image);
    if (!m_autoRedraw)
        painter.drawImage(0, 0, m_overlay);
}

QImage DiveGraph::grabSurface() const {
    QImage shown = m_image.copy();
    if (!m_autoRedraw) {
        QPainter painter(&shown);
        painter.drawImage(0, 0, m_overlay);
    }
    return shown;
}

// --- the diver marker ------------------------------------------------------------------------

bool DiveGraph::isDiverVisible() const {
    return !m_diverSprite->isHidden();
}

void DiveGraph::placeDiver(qint16 step) {
    const size_t vertex = size_t(step) + 1;
    const QPointF at = pixelPoint({m_vertexX.at(vertex), m_vertexY.at(vertex) - DIVER_RAISE});
    m_diverSprite->move(qRound(at.x()), qRound(at.y()));
    m_diverStep = step;
}

void DiveGraph::moveDiver(qint16 step) {
    if (!isDiverVisible())
        return;
    if (step < 0 || step > pointCount())
        return;
    placeDiver(step);
    try {
        emit DiverMovement(step);
    } catch (const std::exception&) {
        // A display that cannot show the step leaves the marker on it; the replay goes on.
    }
}

void DiveGraph::moveDiverNext() {
    if (m_diverStep < 32767)
        moveDiver(qint16(m_diverStep + 1));
}

void DiveGraph::moveDiverPrevious() {
    moveDiver(qint16(m_diverStep - 1));
}

void DiveGraph::setDiverOn(bool on) {
    m_diverOn = on;
    markChanged(QStringLiteral("setDiverOn"));
    m_diverSprite->setVisible(on);
}

void DiveGraph::setDepthChange(bool on) {
    m_depthChangeMode = on;
    m_diverSprite->setVisible(!on);
}

// --- the mouse -------------------------------------------------------------------------------

qint32 DiveGraph::editScale() const {
    if (m_depthScale != 1)
        return m_depthScale;
    return std::max(1, roundedTwips(m_plotHeight) / MAX_EDIT_DEPTH);
}

qint32 DiveGraph::depthAt(double y) const {
    return roundedTwips(y - m_asseY.y1()) / editScale();
}

void DiveGraph::mousePressEvent(QMouseEvent* event) {
    const QPointF at = surfacePoint(event->position());
    try {
        if (m_depthChangeMode)
            pressInDepthChange(at.x(), at.y());
        else if (isDiverVisible())
            placeMarkerWithMouse(at.x());
    } catch (const std::exception&) {
    }
}

void DiveGraph::placeMarkerWithMouse(double x) {
    const int last = pointCount() + 1;
    if (last < 1)
        return;
    int step;
    if (x < m_vertexX[0]) {
        step = -1;
    } else if (x > m_vertexX[size_t(last)]) {
        step = last + 1;
    } else {
        step = 0;
        while (step < last && !(m_vertexX[size_t(step)] <= x && x <= m_vertexX[size_t(step) + 1]))
            ++step;
    }
    moveDiver(qint16(std::min(step, 32767)));
}

void DiveGraph::pressInDepthChange(double x, double y) {
    const int last = pointCount() + 1;
    for (int i = 2; i <= last; ++i) {
        const double vx = m_vertexX[size_t(i)];
        const double vy = m_vertexY[size_t(i)];
        if (vx <= x && x <= vx + HANDLE_SIZE && vy <= y && y <= vy + HANDLE_SIZE) {
            m_dragStartX = float(x);
            m_dragStartY = float(y);
            m_dragStep = qint16(i - 1);
            m_dragging = true;
            m_autoRedraw = false;
            m_overlay.fill(Qt::transparent);
            m_prevVertexX = m_vertexX[size_t(i) - 1];
            m_prevVertexY = m_vertexY[size_t(i) - 1];
            if (i == last) {
                m_nextVertexX = float(x);
                m_nextVertexY = float(y);
            } else {
                m_nextVertexX = m_vertexX[size_t(i) + 1];
                m_nextVertexY = m_vertexY[size_t(i) + 1];
            }
            return;
        }
    }
}

void DiveGraph::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        dragTo(surfacePoint(event->position()).y());
}

void DiveGraph::dragTo(double y) {
    if (!m_autoRedraw) {
        m_overlay.fill(Qt::transparent);
        m_strokes.clear();
    }
    const Internationalization& units = Internationalization::instance();
    const QString label = num::singleToText(units.getDepthValue(float(depthAt(y)))) + u' ' + units.getDepthString();
    Surface s(*this);
    s.line(m_prevVertexX, m_prevVertexY, m_dragStartX, y, WHITE, 1, Qt::DotLine);
    s.text(m_dragStartX, y, label, WHITE);
    s.line(m_dragStartX, y, m_nextVertexX, m_nextVertexY, WHITE, 1, Qt::DotLine);
    update();
}

void DiveGraph::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging) {
        try {
            releaseDrag(surfacePoint(event->position()).y());
        } catch (const std::exception&) {
            // A host that fails to take the new depth leaves the profile as it was.
        }
    }
    emit Click();
}

void DiveGraph::releaseDrag(double y) {
    const qint32 depth = depthAt(y);
    if (!(y > m_asseY.y1() && depth >= 0 && depth <= MAX_EDIT_DEPTH))
        return;
    m_dragging = false;
    m_autoRedraw = true;
    update();
    emit DepthChange(float(depth * 10), m_dragStep);
}

void DiveGraph::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    emit DblClick();
}
