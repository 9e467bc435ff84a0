#include "ImageDevice.h"

#include <cmath>

namespace {
constexpr double DPI = 96;
constexpr int DOTS_PER_METRE = 3780; // 96 dots per inch
} // namespace

ImageDevice::ImageDevice(double widthTwips, double heightTwips)
    : PainterDevice(DPI, DPI), m_widthTwips(widthTwips), m_heightTwips(heightTwips),
      m_image(std::max(1, int(std::lround(widthTwips / 15))), std::max(1, int(std::lround(heightTwips / 15))),
              QImage::Format_RGB32) {
    m_image.setDotsPerMeterX(DOTS_PER_METRE);
    m_image.setDotsPerMeterY(DOTS_PER_METRE);
    m_image.fill(Qt::white);
}

ImageDevice::~ImageDevice() = default;

QPainter& ImageDevice::painter() {
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing);
        m_painter->setRenderHint(QPainter::TextAntialiasing);
    }
    return *m_painter;
}

const QImage& ImageDevice::image() {
    // The painter is ended so that everything drawn is in the image; the next drawing begins anew.
    m_painter.reset();
    return m_image;
}
