#include "DisplayTissue.h"

#include "Dive.h"
#include "GraphColors.h"
#include "Profile.h"
#include "PropertyBag.h"
#include "TissueChart.h"
#include "Twips.h"

#include <QEvent>
#include <QPainter>

namespace {

QRectF pixelRect(const QRect& t) {
    const double scale = 1.0 / TWIPS_PER_PIXEL;
    return QRectF(t.x() * scale, t.y() * scale, t.width() * scale, t.height() * scale);
}

} // namespace

DisplayTissue::DisplayTissue(QWidget* parent) : UserControl(parent) {
    setObjectName(QStringLiteral("DisplayTissue1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont small = font();
    small.setPointSize(7);
    setFont(small);
}

DisplayTissue::~DisplayTissue() = default;

void DisplayTissue::markChanged(const QString& key) {
    emit propertyChanged(key);
}

void DisplayTissue::setTextBase(qint16 v) {
    m_textBase = v;
    markChanged(QStringLiteral("textBase"));
}

void DisplayTissue::setXInterval(qint16 v) {
    m_xInterval = v;
    markChanged(QStringLiteral("xInterval"));
}

void DisplayTissue::setTextDown(qint16 v) {
    m_textDown = v;
    markChanged(QStringLiteral("textDown"));
}

void DisplayTissue::setLineBase(qint16 v) {
    m_lineBase = v;
    markChanged(QStringLiteral("lineBase"));
}

void DisplayTissue::readProperties(const PropertyBag& bag) {
    UserControl::readProperties(bag);
    m_textBase = qint16(bag.read(QStringLiteral("textBase"), 200).toInt());
    m_xInterval = qint16(bag.read(QStringLiteral("xInterval"), 50).toInt());
    m_textDown = qint16(bag.read(QStringLiteral("textDown"), 0).toInt());
    m_lineBase = qint16(bag.read(QStringLiteral("lineBase"), 400).toInt());
    // A control read from a saved layout knows its compartments only from its profile.
    m_count = 0;
}

PropertyBag DisplayTissue::writeProperties() const {
    PropertyBag bag = UserControl::writeProperties();
    bag.write(QStringLiteral("textBase"), m_textBase, qint16(200));
    bag.write(QStringLiteral("xInterval"), m_xInterval, qint16(50));
    bag.write(QStringLiteral("textDown"), m_textDown, qint16(0));
    bag.write(QStringLiteral("lineBase"), m_lineBase, qint16(400));
    return bag;
}

void DisplayTissue::addProfile(std::shared_ptr<Profile> cProfile) {
    const qint16 count = cProfile ? cProfile->getTissueNumber() : qint16(0);
    m_profile = std::move(cProfile);
    m_count = count;
}

void DisplayTissue::erase() {
    const QSize pixels = size().expandedTo(QSize(1, 1));
    if (m_image.size() != pixels)
        m_image = QImage(pixels, QImage::Format_RGB32);
    m_image.fill(graphcolors::fromStored(BackColor()));
}

void DisplayTissue::clearDisplay() {
    erase();
    update();
}

void DisplayTissue::updateDisplay(qint16 step) {
    if (!m_profile)
        return;
    const std::shared_ptr<Dive> dive = m_profile->getCurrentDive();
    if (dive->isBottomTime() || dive->isFreeDive() || dive->hasStop()) {
        erase();
        update();
        return;
    }
    const int w = Twips::twips(width());
    const int h = Twips::twips(height());
    const TissueChart chart = TissueChart::compute(w, h, m_lineBase, m_xInterval, m_count, m_profile->getTissue(step));

    erase();
    QPainter painter(&m_image);
    painter.fillRect(pixelRect(QRect(0, chart.limitLine, w, TWIPS_PER_PIXEL)), TissueChart::LINE_COLOR);
    for (qsizetype i = 0; i < chart.bars.size(); ++i)
        painter.fillRect(pixelRect(chart.bars.at(i)), chart.colors.at(i));
    m_lastStep = step;
    update();
}

void DisplayTissue::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.size() == size())
        painter.drawImage(0, 0, m_image);
    else
        painter.fillRect(rect(), graphcolors::fromStored(BackColor()));
    // The rounded outline that frames the chart.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(graphcolors::fromStored(ForeColor()), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

void DisplayTissue::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    erase();
    try {
        updateDisplay(m_lastStep);
    } catch (const std::exception&) {
        // The step drawn last is one the profile answered for; if it no longer does, the control
        // stays blank until the next step.
    }
    emit Resize();
}
