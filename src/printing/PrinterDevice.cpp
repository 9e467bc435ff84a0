#include "PrinterDevice.h"

#include "RuntimeError.h"

#include <QPagedPaintDevice>

namespace {
double dpiX(const QPagedPaintDevice& d) {
    return d.logicalDpiX() > 0 ? d.logicalDpiX() : 600;
}
double dpiY(const QPagedPaintDevice& d) {
    return d.logicalDpiY() > 0 ? d.logicalDpiY() : 600;
}
} // namespace

PrinterDevice::PrinterDevice(std::unique_ptr<QPagedPaintDevice> document)
    : PainterDevice(dpiX(*document), dpiY(*document)), m_document(std::move(document)) {}

PrinterDevice::~PrinterDevice() {
    endDoc();
}

double PrinterDevice::scaleWidth() const {
    return m_document->width() * twipsPerDotX();
}

double PrinterDevice::scaleHeight() const {
    return m_document->height() * twipsPerDotY();
}

QPaintDevice* PrinterDevice::metricsDevice() const {
    return m_document.get();
}

QPainter& PrinterDevice::painter() {
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_document.get())) {
            m_painter.reset();
            throw RuntimeError(482, QStringLiteral("Printer"), QStringLiteral("Printer error"));
        }
        m_painter->setRenderHint(QPainter::Antialiasing);
        m_pageOpen = true;
        ++m_pages;
    } else if (!m_pageOpen) {
        if (!m_document->newPage())
            throw RuntimeError(482, QStringLiteral("Printer"), QStringLiteral("Printer error"));
        m_pageOpen = true;
        ++m_pages;
    }
    return *m_painter;
}

void PrinterDevice::newPage() {
    // The break is made when the next page gets its first drawing.
    m_pageOpen = false;
}

void PrinterDevice::endDoc() {
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
    m_pageOpen = false;
}
